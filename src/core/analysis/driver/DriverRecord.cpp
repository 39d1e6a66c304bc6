#include "core/analysis/driver/DriverRecord.h"

#include "core/analysis/TsWorksheet.h"
#include "core/analysis/fit/ImpedanceFit.h"
#include "core/model/BandTable.h"
#include "core/model/CurveBlock.h"

#include <cmath>

double airLoadMass(double sdM2, double rho)
{
    if (!(sdM2 > 0.0))
        return 0.0;
    const double a = std::sqrt(sdM2 / M_PI);
    return 2.0 * 8.0 / 3.0 * rho * a * a * a;
}

DriverRecord driverRecord(const TsWorksheetResult &sheet, const FitResult *fit)
{
    DriverRecord d;
    const RefinedTs &c = sheet.motional ? *sheet.motional : sheet.classic;
    d.re = c.Re;
    d.fs = c.Fs;
    d.qms = c.Qms;
    d.qes = c.Qes;
    d.qts = c.Qts;
    d.sd = sheet.sdM2;
    d.air = sheet.air;
    if (fit && fit->outcome == FitOutcome::Ok && fit->p.size() > PLe)
        d.le = fit->p[PLe];
    for (const TsSingleMassResult &m : sheet.singleMass)
        d.masses.append({m.mass * 1e3, m.fsLoaded});

    const DriverSet *set = nullptr;
    if (sheet.dualMass) {
        set = &sheet.dualMass->set;
        d.method = QStringLiteral("dualMass");
    } else if (!sheet.singleMass.isEmpty()) {
        set = &sheet.singleMass.first().set;
        d.method = QStringLiteral("singleMass");
    } else if (sheet.box) {
        set = &sheet.box->set;
        d.method = QStringLiteral("box");
    }
    if (set) {
        d.mms = set->Mms;
        d.cms = set->Cms;
        d.rms = set->Rms;
        d.bl = set->Bl;
        d.vas = set->Vas;
        d.mair = airLoadMass(d.sd, d.air.rho);
        if (d.mms > 0.0)
            d.mmd = d.mms - d.mair;
    }
    return d;
}

void setDriverCurve(DriverRecord *record, const CurveBlock &raw, int band)
{
    record->band = band;
    record->curve.clear();
    for (int i = bandFirstIndex(band); i <= bandLastIndex(band); ++i) {
        if (raw.r[i] < 0.0f || !(raw.freq[i] > 0.0f))
            continue;
        record->curve.append({raw.freq[i], raw.r[i], raw.theta[i]});
    }
}
