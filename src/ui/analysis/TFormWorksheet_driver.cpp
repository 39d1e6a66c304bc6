// The worksheet's driver for simulators: written as a driver file or a Hornresp record, and a
// driver file read back into the inputs as numbers.

#include "core/analysis/driver/DriverJson.h"
#include "core/analysis/driver/HornrespRecord.h"
#include "core/analysis/fit/ImpedanceFit.h"
#include "core/document/MeasurementDocument.h"
#include "core/files/SafeWrite.h"
#include "core/model/Settings.h"
#include "ui/analysis/DriverTexts.h"
#include "ui/analysis/TFormWorksheet.h"
#include "ui/common/Seams.h"
#include "ui/common/Texts.h"

#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>

namespace T = DriverTexts;

namespace {

void tell(const QString &text)
{
    Seams::messages().show(MessagePresenter::Icon::Error, QString::fromUtf8(Texts::kCaption), text);
}

// Enough digits that the inputs give the file's values back.
QString digits(double v)
{
    return v > 0.0 ? QString::number(v, 'g', 12) : QString();
}

} // namespace

void TFormWorksheet::exportDriverClick()
{
    if (!refusal().isEmpty()) {
        tell(refusal());
        return;
    }
    const MeasurementDocument &doc = *m_host.document;
    const QFileInfo freeAir(doc.dataFileName());
    const QString base =
        freeAir.fileName().isEmpty() ? QStringLiteral("driver") : freeAir.completeBaseName();
    QString path = Seams::files().saveFile(this, T::exportCaption(), freeAir.path(),
                                           T::exportFilter(), base + QStringLiteral(".json"));
    if (path.isEmpty())
        return;
    const bool hornresp = path.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive);
    if (!hornresp && !path.endsWith(QLatin1String(".json"), Qt::CaseInsensitive))
        path += QStringLiteral(".json");
    DriverRecord d =
        driverRecord(m_result, m_fit && m_fit->outcome == FitOutcome::Ok ? m_fit.get() : nullptr);
    d.name = base;
    if (!FromNumbersGroup->isChecked())
        setDriverCurve(&d, doc.curveRaw(), doc.measurement().band);
    const QByteArray bytes = hornresp ? hornrespText(d) : driverJsonText(d);
    if (bytes.isEmpty())
        tell(T::needsMechanics());
    else if (!writeFileSafely(path, bytes))
        tell(T::writeFailed(path));
}

void TFormWorksheet::importDriverClick()
{
    const QString path =
        Seams::files().openFile(this, T::importCaption(), QString(), T::importFilter());
    if (path.isEmpty())
        return;
    QFile file(path);
    DriverRecord d;
    QString problem;
    if (!file.open(QIODevice::ReadOnly) || !readDriverJson(file.readAll(), &d, &problem)) {
        tell(T::readFailed(path) + QLatin1Char('\n') +
             (problem.isEmpty() ? file.errorString() : problem));
        return;
    }
    // The file's values become the worksheet from numbers.
    ReEdit->setText(digits(d.re));
    SdEdit->setText(digits(d.sd * 1e4));
    DiameterEdit->clear();
    FsEdit->setText(digits(d.fs));
    QmsEdit->setText(digits(d.qms));
    QesEdit->setText(digits(d.qes));
    if (d.air.rho > 0.0 && d.air.c > 0.0) {
        RhoEdit->setText(digits(d.air.rho));
        SoundSpeedEdit->setText(digits(d.air.c));
    }
    for (int i = 0; i < kMassSlots; ++i) {
        const bool has = i < d.masses.size();
        MassEdit[size_t(i)]->setText(has ? digits(d.masses[i].grams) : QString());
        FsLoadedEdit[size_t(i)]->setText(has ? digits(d.masses[i].fsLoadedHz) : QString());
    }
    FromNumbersGroup->setChecked(true);
    recompute();
}
