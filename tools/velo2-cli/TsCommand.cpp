#include "CliIo.h"
#include "CliJson.h"
#include "CliMessages.h"
#include "CommandLine.h"
#include "Commands.h"
#include "DocumentFiles.h"
#include "OutputTarget.h"
#include "core/analysis/AnalysisFlags.h"
#include "core/analysis/AnalysisFormat.h"
#include "core/analysis/AnalysisMessages.h"
#include "core/analysis/RepeatThieleSmall.h"
#include "core/analysis/ThieleSmall.h"
#include "core/analysis/TsUncertainty.h"
#include "core/analysis/TsWorksheet.h"
#include "core/analysis/WorksheetMessages.h"
#include "core/analysis/driver/DriverJson.h"
#include "core/analysis/driver/DriverMessages.h"
#include "core/analysis/driver/HornrespRecord.h"
#include "core/analysis/fit/FitMessages.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

namespace {

const char *const kJsonKeys[kTsValueCount] = {"Re", "Rmax", "Fs",  "r0",  "Rx",
                                              "f1", "f2",   "Qms", "Qes", "Qts"};

// The options that turn on the worksheet; without them the output is the classic ten values.
const char *const kWorksheetOptions[] = {
    "sd",       "diameter", "mass", "box",       "temp",          "pressure",    "fit",
    "humidity", "rho",      "c",    "coil-temp", "coil-material", "uncertainty", "budget"};

// The tolerances, each of which also asks for the uncertainty.
struct ToleranceOption {
    const char *name;
    const char *valueName;
    double TsTolerances::*field;
};
const ToleranceOption kToleranceOptions[] = {
    {"re-tol", "OHMS", &TsTolerances::re},
    {"mass-resolution", "GRAMS", &TsTolerances::massResolution},
    {"sd-tol", "PCT", &TsTolerances::sdPct},
    {"diameter-tol", "MM", &TsTolerances::diameter},
    {"rho-tol", "KG_M3", &TsTolerances::rho},
    {"c-tol", "M_S", &TsTolerances::c},
    {"temp-tol", "C", &TsTolerances::tempC},
    {"pressure-tol", "HPA", &TsTolerances::pressureHPa},
    {"humidity-tol", "PCT", &TsTolerances::humidityPct},
    {"coil-temp-tol", "C", &TsTolerances::coilTempC},
};

bool parseNumber(const QString &text, double *value)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    *value = v;
    return true;
}

// "FILE.DTA:NUMBER", split at the last colon so that paths may hold colons.
bool parsePair(const QString &text, QString *file, double *value)
{
    const int colon = text.lastIndexOf(QLatin1Char(':'));
    if (colon <= 0)
        return false;
    *file = text.left(colon);
    return parseNumber(text.mid(colon + 1), value);
}

struct Loaded {
    QString path;
    double value = 0.0;
    std::unique_ptr<MeasurementDocument> doc;
    TsCurve curve() const { return {&doc->curveRaw(), doc->measurement().band}; }
};

QStringList worksheetText(const QVector<TsRow> &rows)
{
    int nameWidth = 0;
    int valueWidth = 0;
    int unitWidth = 0;
    for (const TsRow &r : rows) {
        nameWidth = std::max(nameWidth, int(r.name.size()));
        if (r.section != WorksheetMessages::sectionFlags()) {
            valueWidth = std::max(valueWidth, int(r.value.size()));
            unitWidth = std::max(unitWidth, int(r.unit.size()));
        }
    }
    const QString flagsSection = WorksheetMessages::sectionFlags();
    QStringList out;
    QString section;
    for (const TsRow &r : rows) {
        if (r.section != section) {
            section = r.section;
            out << QString() << section;
        }
        QString line = QStringLiteral("  ") + r.name.leftJustified(nameWidth + 2);
        if (r.section == flagsSection) {
            line += r.value; // a flag's text
        } else {
            line += r.value.rightJustified(valueWidth) + QLatin1Char(' ') +
                    r.unit.leftJustified(unitWidth + 2) + r.formula;
        }
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        out << line;
    }
    return out;
}

void addTsOptions(CommandLine &cl)
{
    cl.addValue({QStringLiteral("re")}, QStringLiteral("OHMS"), CliMessages::reHelp());
    cl.addValue({QStringLiteral("sd")}, QStringLiteral("CM2"), CliMessages::sdHelp());
    cl.addValue({QStringLiteral("diameter")}, QStringLiteral("MM"), CliMessages::diameterHelp());
    cl.addValue({QStringLiteral("mass")}, QStringLiteral("FILE.DTA:GRAMS"),
                CliMessages::massHelp());
    cl.addValue({QStringLiteral("box")}, QStringLiteral("FILE.DTA:LITRES"), CliMessages::boxHelp());
    cl.addValue({QStringLiteral("temp")}, QStringLiteral("C"), CliMessages::tempHelp());
    cl.addValue({QStringLiteral("pressure")}, QStringLiteral("HPA"), CliMessages::pressureHelp());
    cl.addValue({QStringLiteral("fit")}, QStringLiteral("M"), CliMessages::tsFitHelp());
    cl.addValue({QStringLiteral("humidity")}, QStringLiteral("PCT"), CliMessages::humidityHelp());
    cl.addValue({QStringLiteral("rho")}, QStringLiteral("KG_M3"), CliMessages::rhoHelp());
    cl.addLongValue(QStringLiteral("c"), QStringLiteral("M_S"), CliMessages::soundSpeedHelp());
    cl.addValue({QStringLiteral("coil-temp")}, QStringLiteral("C"), CliMessages::coilTempHelp());
    cl.addValue({QStringLiteral("coil-material")}, QStringLiteral("MATERIAL"),
                CliMessages::coilMaterialHelp());
    cl.addValue({QStringLiteral("fs")}, QStringLiteral("HZ"), CliMessages::typedFsHelp());
    cl.addValue({QStringLiteral("qms")}, QStringLiteral("Q"), CliMessages::typedQmsHelp());
    cl.addValue({QStringLiteral("qes")}, QStringLiteral("Q"), CliMessages::typedQesHelp());
    cl.addValue({QStringLiteral("fs-mass")}, QStringLiteral("HZ:GRAMS"),
                CliMessages::typedFsMassHelp());
    cl.addFlag(QStringLiteral("uncertainty"), CliMessages::uncertaintyHelp());
    for (const ToleranceOption &o : kToleranceOptions)
        cl.addValue({QLatin1String(o.name)}, QLatin1String(o.valueName),
                    CliMessages::toleranceHelp(QLatin1String(o.name)));
    cl.addFlag(QStringLiteral("budget"), CliMessages::budgetHelp());
    cl.addFlag(QStringLiteral("json"), CliMessages::jsonHelp());
}

// The worksheet's inputs as the options give them, before any file is opened.
struct WorksheetOptions {
    bool on = false;
    bool uncertainty = false; // an uncertainty section is asked for
    TsTolerances tolerances;
    TsWorksheetInput in;
    FitSettings fitSettings;
    std::vector<Loaded> masses;
    std::optional<Loaded> box;
};

// Reads the worksheet's options; -1 to go on, else the exit code of a usage error.
int readWorksheetOptions(const CommandLine &cl, WorksheetOptions *w)
{
    for (const char *name : kWorksheetOptions)
        w->on = w->on || cl.isSet(QLatin1String(name));
    TsWorksheetInput &in = w->in;
    if (cl.isSet(QStringLiteral("sd")) && cl.isSet(QStringLiteral("diameter")))
        return cl.usageError(
            CliMessages::optionsExclusive(QStringLiteral("--sd"), QStringLiteral("--diameter")));
    struct NumberOption {
        const char *name;
        double *value;
    };
    double sdCm2 = 0.0;
    Air air;
    CoilTemperature coil;
    QVector<NumberOption> numbers{{"sd", &sdCm2},
                                  {"diameter", &in.diameterMm},
                                  {"temp", &in.tempC},
                                  {"pressure", &in.pressureHPa},
                                  {"humidity", &in.humidityPct},
                                  {"rho", &air.rho},
                                  {"c", &air.c},
                                  {"coil-temp", &coil.tempC}};
    for (const ToleranceOption &o : kToleranceOptions) {
        numbers.append({o.name, &(w->tolerances.*o.field)});
        w->uncertainty = w->uncertainty || cl.isSet(QLatin1String(o.name));
    }
    w->uncertainty = w->uncertainty || cl.isSet(QStringLiteral("uncertainty")) ||
                     cl.isSet(QStringLiteral("budget"));
    w->on = w->on || w->uncertainty;
    for (const NumberOption &o : numbers) {
        const QString name = QLatin1String(o.name);
        if (cl.isSet(name) && !parseNumber(cl.value(name), o.value))
            return cl.usageError(
                CliMessages::optionNotANumber(QStringLiteral("--") + name, cl.value(name)));
    }
    if (cl.isSet(QStringLiteral("rho")) != cl.isSet(QStringLiteral("c")))
        return cl.usageError(CliMessages::missingArgument(cl.isSet(QStringLiteral("rho"))
                                                              ? QStringLiteral("--c M_S")
                                                              : QStringLiteral("--rho KG_M3")));
    for (const char *conditions : {"temp", "pressure", "humidity"})
        if (cl.isSet(QStringLiteral("rho")) && cl.isSet(QLatin1String(conditions)))
            return cl.usageError(CliMessages::optionsExclusive(
                QStringLiteral("--rho"), QStringLiteral("--") + QLatin1String(conditions)));
    if (cl.isSet(QStringLiteral("rho")))
        in.airGiven = air;
    const QString material = cl.value(QStringLiteral("coil-material"));
    if (cl.isSet(QStringLiteral("coil-material")) &&
        !coilMaterialFromName(material, &coil.material))
        return cl.usageError(CliMessages::badCoilMaterial(material));
    if (cl.isSet(QStringLiteral("coil-material")) && !cl.isSet(QStringLiteral("coil-temp")))
        return cl.usageError(CliMessages::missingArgument(QStringLiteral("--coil-temp C")));
    if (cl.isSet(QStringLiteral("coil-temp")))
        in.coil = coil;
    const QString modelText = cl.value(QStringLiteral("fit"));
    if (cl.isSet(QStringLiteral("fit")) && !fitModelFromName(modelText, &w->fitSettings.model))
        return cl.usageError(CliMessages::badFitModel(modelText));
    in.sdM2 = sdCm2 * 1e-4;
    if (cl.isSet(QStringLiteral("sd")) && !(sdCm2 > 0.0))
        in.sdM2 = -1.0; // typed, but no area: the worksheet refuses it
    if (cl.isSet(QStringLiteral("diameter")) && !(in.diameterMm > 0.0))
        in.diameterMm = -1.0;
    for (const QString &text : cl.values(QStringLiteral("mass"))) {
        Loaded l;
        if (!parsePair(text, &l.path, &l.value))
            return cl.usageError(CliMessages::optionNotAPair(QStringLiteral("--mass"), text,
                                                             QStringLiteral("FILE.DTA:GRAMS")));
        w->masses.push_back(std::move(l));
    }
    if (cl.isSet(QStringLiteral("box"))) {
        const QString text = cl.value(QStringLiteral("box"));
        Loaded l;
        if (!parsePair(text, &l.path, &l.value))
            return cl.usageError(CliMessages::optionNotAPair(QStringLiteral("--box"), text,
                                                             QStringLiteral("FILE.DTA:LITRES")));
        w->box = std::move(l);
    }
    return -1;
}

// "From numbers": the typed Fs, Qms, Qes and loaded resonances; -1 to go on, else the exit
// code of a usage error.
int readTypedOptions(const CommandLine &cl, WorksheetOptions *w)
{
    for (const char *curveOption : {"mass", "box", "fit"})
        if (cl.isSet(QLatin1String(curveOption)))
            return cl.usageError(CliMessages::optionsExclusive(
                QStringLiteral("--fs"), QStringLiteral("--") + QLatin1String(curveOption)));
    if (!cl.positional().isEmpty())
        return cl.usageError(CliMessages::unexpectedArgument(cl.positional().first()));
    TsTypedFreeAir typed;
    const std::pair<const char *, double *> numbers[] = {
        {"fs", &typed.fs}, {"qms", &typed.qms}, {"qes", &typed.qes}, {"re", &w->in.re}};
    for (const auto &[option, value] : numbers) {
        const QString name = QLatin1String(option);
        if (!cl.isSet(name))
            return cl.usageError(CliMessages::missingArgument(QStringLiteral("--") + name));
        if (!parseNumber(cl.value(name), value))
            return cl.usageError(
                CliMessages::optionNotANumber(QStringLiteral("--") + name, cl.value(name)));
    }
    w->in.typed = typed;
    for (const QString &text : cl.values(QStringLiteral("fs-mass"))) {
        QString hz;
        TsMassInput m;
        if (!parsePair(text, &hz, &m.grams) || !parseNumber(hz, &m.fsLoaded))
            return cl.usageError(CliMessages::optionNotAPair(QStringLiteral("--fs-mass"), text,
                                                             QStringLiteral("HZ:GRAMS")));
        w->in.masses.append(m);
    }
    return -1;
}

// The uncertainty when asked for; a refused budget ends the command.
int sheetUncertainty(const CommandLine &cl, const WorksheetOptions &w,
                     const TsWorksheetResult &sheet, const RepeatSet *repeats,
                     std::optional<TsUncertainty> *u)
{
    if (!w.uncertainty)
        return -1;
    // The sweeps of a mean give each value's scatter.
    *u = worksheetUncertainty(w.in, sheet, w.tolerances, repeatValues(repeats, w.in.re));
    if (!(*u)->refusal.isEmpty())
        return cl.failure((*u)->refusal);
    return -1;
}

// Opens the loaded curves, fits when asked and computes the sheet; -1 to go on, else the exit
// code of the failure it printed.
int computeSheet(const CommandLine &cl, WorksheetOptions &w, const QString &input,
                 const MeasurementDocument &doc, float Re, TsWorksheetResult *sheet,
                 std::optional<TsUncertainty> *u, FitResult *fitOut = nullptr)
{
    TsWorksheetInput &in = w.in;
    QString problem;
    auto open = [&](Loaded &l) {
        l.doc = std::make_unique<MeasurementDocument>();
        return openMeasurement(*l.doc, l.path, &problem);
    };
    for (Loaded &l : w.masses) {
        if (!open(l))
            return cl.fileFailure(l.path, problem);
        in.masses.append({l.curve(), l.value});
    }
    if (w.box) {
        if (!open(*w.box))
            return cl.fileFailure(w.box->path, problem);
        in.box = TsBoxInput{w.box->curve(), w.box->value};
    }
    const int band = doc.measurement().band;
    in.freeAir = {&doc.curveRaw(), band};
    in.re = Re;
    FitResult fit;
    if (cl.isSet(QStringLiteral("fit"))) {
        w.fitSettings.re = Re;
        fit = fitImpedanceCurve(fitPoints(doc.curveRaw(), band, 0, 0), w.fitSettings);
        if (fit.outcome != FitOutcome::Ok)
            return cl.fileFailure(input, FitMessages::outcomeText(fit));
        in.fit = &fit;
    }
    *sheet = computeWorksheet(in);
    // The budget computes the sheet again, on the same fit.
    const int code =
        sheet->refusal.isEmpty() ? sheetUncertainty(cl, w, *sheet, doc.repeats(), u) : -1;
    in.fit = nullptr; // the fit ends here
    if (fitOut)
        *fitOut = fit;
    if (!sheet->refusal.isEmpty())
        return cl.failure(sheet->refusal);
    return code;
}

void addSheetJson(QJsonObject &o, const TsWorksheetResult &sheet, const TsUncertainty *u)
{
    const QJsonObject sections = worksheetJson(sheet);
    for (auto it = sections.begin(); it != sections.end(); ++it)
        o.insert(it.key(), it.value());
    if (u)
        o.insert(QStringLiteral("uncertainty"), uncertaintyJson(*u));
}

void printTsJson(const QString &input, const std::array<float, kTsValueCount> &values,
                 const TsWorksheetResult *sheet, const QVector<TsFlag> &flags,
                 const TsUncertainty *u)
{
    QJsonObject o{{QStringLiteral("file"), input}};
    for (int i = 0; i < kTsValueCount; ++i)
        o.insert(QLatin1String(kJsonKeys[i]), jsonFloat(values[i]));
    if (sheet) {
        addSheetJson(o, *sheet, u);
    } else {
        QJsonArray list;
        for (const TsFlag &f : flags)
            list.append(QJsonObject{{QStringLiteral("code"), tsFlagCodeName(f.code)},
                                    {QStringLiteral("text"), f.text}});
        o.insert(QStringLiteral("flags"), list);
    }
    printJson(o);
}

// The result window's rows: its labels and its two-decimal texts.
void printTsText(const std::array<float, kTsValueCount> &values, const TsWorksheetResult *sheet,
                 const QVector<TsFlag> &flags, const TsUncertainty *u, bool budget)
{
    int width = 0;
    for (int i = 0; i < kTsValueCount; ++i)
        width = std::max(width, int(tsValueLabel(i).size()));
    QStringList rows;
    for (int i = 0; i < kTsValueCount; ++i)
        rows << tsValueLabel(i).leftJustified(width + 2) + formatZeroDot00(values[i]);
    if (sheet) {
        rows << worksheetText(worksheetRows(*sheet, u, budget));
    } else if (!flags.isEmpty()) {
        QVector<TsRow> flagRows;
        for (const TsFlag &f : flags)
            flagRows.append({WorksheetMessages::sectionFlags(), tsFlagCodeName(f.code), f.text,
                             QString(), QString()});
        rows << worksheetText(flagRows);
    }
    printOut(rows.join(QLatin1Char('\n')));
}

// Re, the worksheet's inputs (read before any file is opened) and the free-air file; -1 to go
// on, else the exit code of the failure it printed.
int readSheetStart(const CommandLine &cl, const QString &input, float *Re, WorksheetOptions *w,
                   MeasurementDocument &doc)
{
    if (!cl.isSet(QStringLiteral("re")))
        return cl.usageError(CliMessages::missingArgument(QStringLiteral("--re OHMS")));
    // The Re entry's own rule for what counts as a number.
    const QString reText = cl.value(QStringLiteral("re"));
    if (!parseReText(reText, Re))
        return cl.usageError(CliMessages::reNotANumber(reText, AnalysisMessages::badRe()));
    if (const int code = readWorksheetOptions(cl, w); code >= 0)
        return code;
    QString problem;
    if (!openMeasurement(doc, input, &problem))
        return cl.fileFailure(input, problem);
    return -1;
}

int printTypedSheet(const CommandLine &cl, const WorksheetOptions &w);

// velo2-cli ts --fs HZ --qms Q --qes Q --re OHMS ...: the worksheet of typed values.
int runTypedTs(const CommandLine &cl)
{
    WorksheetOptions w;
    if (const int code = readWorksheetOptions(cl, &w); code >= 0)
        return code;
    if (const int code = readTypedOptions(cl, &w); code >= 0)
        return code;
    return printTypedSheet(cl, w);
}

// A driver file's values as typed numbers: its Fs, Qms, Qes, Re, Sd, air and loaded resonances.
int runDriverFileTs(const CommandLine &cl, const QString &path)
{
    for (const char *option : {"mass", "box", "fit", "qms", "qes", "fs-mass"})
        if (cl.isSet(QLatin1String(option)))
            return cl.usageError(CliMessages::optionsExclusive(
                QStringLiteral("FILE.json"), QStringLiteral("--") + QLatin1String(option)));
    WorksheetOptions w;
    if (const int code = readWorksheetOptions(cl, &w); code >= 0)
        return code;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return cl.fileFailure(path, CliMessages::cannotRead(file.errorString()));
    DriverRecord d;
    QString problem;
    if (!readDriverJson(file.readAll(), &d, &problem))
        return cl.fileFailure(path, problem);
    TsWorksheetInput &in = w.in;
    in.typed = TsTypedFreeAir{d.fs, d.qms, d.qes};
    in.re = d.re;
    if (cl.isSet(QStringLiteral("re")) && !parseNumber(cl.value(QStringLiteral("re")), &in.re))
        return cl.usageError(
            CliMessages::optionNotANumber(QStringLiteral("--re"), cl.value(QStringLiteral("re"))));
    if (!cl.isSet(QStringLiteral("sd")) && !cl.isSet(QStringLiteral("diameter")))
        in.sdM2 = d.sd;
    const bool airTyped = cl.isSet(QStringLiteral("temp")) ||
                          cl.isSet(QStringLiteral("pressure")) ||
                          cl.isSet(QStringLiteral("humidity")) || cl.isSet(QStringLiteral("rho"));
    if (!airTyped && d.air.rho > 0.0 && d.air.c > 0.0)
        in.airGiven = d.air;
    for (const DriverMassPoint &m : d.masses) {
        TsMassInput mass;
        mass.grams = m.grams;
        mass.fsLoaded = m.fsLoadedHz;
        in.masses.append(mass);
    }
    return printTypedSheet(cl, w);
}

// The worksheet of typed values, printed.
int printTypedSheet(const CommandLine &cl, const WorksheetOptions &w)
{
    const TsWorksheetResult sheet = computeWorksheet(w.in);
    if (!sheet.refusal.isEmpty())
        return cl.failure(sheet.refusal);
    std::optional<TsUncertainty> u;
    if (const int code = sheetUncertainty(cl, w, sheet, nullptr, &u); code >= 0)
        return code;
    if (cl.isSet(QStringLiteral("json"))) {
        QJsonObject o;
        addSheetJson(o, sheet, u ? &*u : nullptr);
        printJson(o);
    } else {
        printOut(worksheetText(worksheetRows(sheet, u ? &*u : nullptr,
                                             cl.isSet(QStringLiteral("budget"))))
                     .mid(1) // no blank line first
                     .join(QLatin1Char('\n')));
    }
    return finishOutput() ? ExitOk : ExitFailed;
}

} // namespace

int runTs(const QStringList &args)
{
    CommandLine cl(QStringLiteral("ts"),
                   QStringLiteral("FILE.DTA --re OHMS [--sd CM2 | --diameter MM] "
                                  "[--mass FILE.DTA:GRAMS]... [--box FILE.DTA:LITRES] [--temp C] "
                                  "[--pressure HPA] [--humidity PCT | --rho KG_M3 --c M_S] "
                                  "[--coil-temp C] [--fit M] [TOLERANCES] [--json]\n"
                                  "   or: velo2-cli ts --fs HZ --qms Q --qes Q --re OHMS "
                                  "[--fs-mass HZ:GRAMS]... [...] [--json]\n"
                                  "   or: velo2-cli ts DRIVER.json [--json]"),
                   CliMessages::tsDescription() + QStringLiteral("\n\n") +
                       CliMessages::tsWorksheetDescription() + QStringLiteral("\n\n") +
                       CliMessages::tsUncertaintyDescription());
    addTsOptions(cl);
    if (const int code = cl.parse(args); code >= 0)
        return code;
    if (cl.isSet(QStringLiteral("fs")))
        return runTypedTs(cl);
    if (cl.isSet(QStringLiteral("fs-mass")) || cl.isSet(QStringLiteral("qms")) ||
        cl.isSet(QStringLiteral("qes")))
        return cl.usageError(CliMessages::missingArgument(QStringLiteral("--fs HZ")));
    if (const int code = cl.expectPositional(1, 1, QStringLiteral("FILE.DTA")); code >= 0)
        return code;
    if (cl.positional().first().endsWith(QLatin1String(".json"), Qt::CaseInsensitive))
        return runDriverFileTs(cl, cl.positional().first());
    float Re = 0.0f;
    WorksheetOptions w;
    const QString input = cl.positional().first();
    const auto doc = std::make_unique<MeasurementDocument>();
    if (const int code = readSheetStart(cl, input, &Re, &w, *doc); code >= 0)
        return code;

    // The analysis window's steps: the peak search, then the computation from its first peak.
    const int band = doc->measurement().band;
    CurveBlock smooth;
    const PeakList peaks = searchBand(doc->curveRaw(), smooth, band);
    int first = 0;
    int last = 0;
    analysisRange(doc->curveRaw(), band, &first, &last);
    TsParameters p;
    const TsResult result = computeTs(doc->curveRaw(), first, last, peaks, Re, p);
    if (result != TsResult::Ok)
        return cl.fileFailure(
            input, CliMessages::analysisMessage(AnalysisMessages::forResult(result).text));

    TsWorksheetResult sheet;
    std::optional<TsUncertainty> u;
    if (w.on) {
        if (const int code = computeSheet(cl, w, input, *doc, Re, &sheet, &u); code >= 0)
            return code;
    }
    const TsUncertainty *uncertainty = u ? &*u : nullptr;

    // Without the worksheet, the warnings on the analysis window's own values.
    const QVector<TsFlag> flags =
        w.on ? sheet.flags : analysisWindowFlags(doc->curveRaw(), first, last, peaks, p);
    const auto values = tsValues(p);
    if (cl.isSet(QStringLiteral("json")))
        printTsJson(input, values, w.on ? &sheet : nullptr, flags, uncertainty);
    else
        printTsText(values, w.on ? &sheet : nullptr, flags, uncertainty,
                    cl.isSet(QStringLiteral("budget")));
    return finishOutput() ? ExitOk : ExitFailed;
}

// velo2-cli driver export FREE.DTA --re OHMS [the worksheet's options] --format json|hornresp
// -o OUT: the worksheet's driver for a simulator.
int runDriverExport(const QStringList &args)
{
    CommandLine cl(QStringLiteral("driver export"),
                   QStringLiteral("FREE.DTA --re OHMS [--sd CM2 | --diameter MM] "
                                  "[--mass FILE.DTA:GRAMS]... [--box FILE.DTA:LITRES] [--temp C] "
                                  "[--pressure HPA] [--fit M] [--format json|hornresp] [-o OUT]"),
                   CliMessages::driverExportDescription());
    addTsOptions(cl);
    cl.addValue({QStringLiteral("format")}, QStringLiteral("FORMAT"),
                CliMessages::driverFormatHelp());
    cl.addValue({QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("OUT"),
                CliMessages::outputHelp());
    if (const int code = cl.parse(args); code >= 0)
        return code;
    if (const int code = cl.expectPositional(1, 1, QStringLiteral("FREE.DTA")); code >= 0)
        return code;
    for (const char *typed : {"fs", "qms", "qes", "fs-mass"})
        if (cl.isSet(QLatin1String(typed)))
            return cl.usageError(CliMessages::optionsExclusive(
                QStringLiteral("FREE.DTA"), QStringLiteral("--") + QLatin1String(typed)));
    const QString format = cl.value(QStringLiteral("format")).toLower();
    const bool hornresp = format == QLatin1String("hornresp");
    if (!format.isEmpty() && !hornresp && format != QLatin1String("json"))
        return cl.usageError(DriverMessages::unknownFormat(cl.value(QStringLiteral("format"))));
    float Re = 0.0f;
    WorksheetOptions w;
    const QString input = cl.positional().first();
    const auto doc = std::make_unique<MeasurementDocument>();
    if (const int code = readSheetStart(cl, input, &Re, &w, *doc); code >= 0)
        return code;
    TsWorksheetResult sheet;
    std::optional<TsUncertainty> u;
    FitResult fit;
    if (const int code = computeSheet(cl, w, input, *doc, Re, &sheet, &u, &fit); code >= 0)
        return code;
    const int band = doc->measurement().band;
    if (!cl.isSet(QStringLiteral("fit"))) {
        // Simulators take the coil as one inductance: the classic model's.
        FitSettings settings;
        settings.model = FitModel::Classic;
        settings.re = Re;
        fit = fitImpedanceCurve(fitPoints(doc->curveRaw(), band, 0, 0), settings);
    }
    DriverRecord d = driverRecord(sheet, &fit);
    d.name = QFileInfo(input).completeBaseName();
    setDriverCurve(&d, doc->curveRaw(), band);
    const QByteArray bytes = hornresp ? hornrespText(d) : driverJsonText(d);
    if (bytes.isEmpty())
        return cl.failure(DriverMessages::needsMechanics(QStringLiteral("Hornresp")));
    const OutputTarget out(cl.value(QStringLiteral("o")), input,
                           hornresp ? QStringLiteral(".txt") : QStringLiteral(".json"));
    if (!out.write(bytes))
        return cl.fileFailure(out.path(), OutputTarget::writeProblem(out.path()));
    return out.isStdout() ? (finishOutput() ? ExitOk : ExitFailed) : ExitOk;
}
