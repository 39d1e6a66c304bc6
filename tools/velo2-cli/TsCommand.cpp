#include "CliIo.h"
#include "CliJson.h"
#include "CliMessages.h"
#include "CommandLine.h"
#include "Commands.h"
#include "DocumentFiles.h"
#include "core/analysis/AnalysisFlags.h"
#include "core/analysis/AnalysisFormat.h"
#include "core/analysis/AnalysisMessages.h"
#include "core/analysis/ThieleSmall.h"
#include "core/analysis/TsWorksheet.h"
#include "core/analysis/WorksheetMessages.h"
#include "core/analysis/fit/FitMessages.h"

#include <QJsonArray>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

namespace {

const char *const kJsonKeys[kTsValueCount] = {"Re", "Rmax", "Fs",  "r0",  "Rx",
                                              "f1", "f2",   "Qms", "Qes", "Qts"};

// The options that turn on the worksheet; without them the output is the classic ten values.
const char *const kWorksheetOptions[] = {"sd",   "diameter", "mass", "box",
                                         "temp", "pressure", "fit"};

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
    cl.addFlag(QStringLiteral("json"), CliMessages::jsonHelp());
}

// The worksheet's inputs as the options give them, before any file is opened.
struct WorksheetOptions {
    bool on = false;
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
    for (const NumberOption &o : {NumberOption{"sd", &sdCm2},
                                  {"diameter", &in.diameterMm},
                                  {"temp", &in.tempC},
                                  {"pressure", &in.pressureHPa}}) {
        const QString name = QLatin1String(o.name);
        if (cl.isSet(name) && !parseNumber(cl.value(name), o.value))
            return cl.usageError(
                CliMessages::optionNotANumber(QStringLiteral("--") + name, cl.value(name)));
    }
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

// Opens the loaded curves, fits when asked and computes the sheet; -1 to go on, else the exit
// code of the failure it printed.
int computeSheet(const CommandLine &cl, WorksheetOptions &w, const QString &input,
                 const MeasurementDocument &doc, float Re, TsWorksheetResult *sheet)
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
    in.fit = nullptr; // the fit ends here
    if (!sheet->refusal.isEmpty())
        return cl.failure(sheet->refusal);
    return -1;
}

void printTsJson(const QString &input, const std::array<float, kTsValueCount> &values,
                 const TsWorksheetResult *sheet, const QVector<TsFlag> &flags)
{
    QJsonObject o{{QStringLiteral("file"), input}};
    for (int i = 0; i < kTsValueCount; ++i)
        o.insert(QLatin1String(kJsonKeys[i]), jsonFloat(values[i]));
    if (sheet) {
        const QJsonObject sections = worksheetJson(*sheet);
        for (auto it = sections.begin(); it != sections.end(); ++it)
            o.insert(it.key(), it.value());
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
                 const QVector<TsFlag> &flags)
{
    int width = 0;
    for (int i = 0; i < kTsValueCount; ++i)
        width = std::max(width, int(tsValueLabel(i).size()));
    QStringList rows;
    for (int i = 0; i < kTsValueCount; ++i)
        rows << tsValueLabel(i).leftJustified(width + 2) + formatZeroDot00(values[i]);
    if (sheet) {
        rows << worksheetText(worksheetRows(*sheet));
    } else if (!flags.isEmpty()) {
        QVector<TsRow> flagRows;
        for (const TsFlag &f : flags)
            flagRows.append({WorksheetMessages::sectionFlags(), tsFlagCodeName(f.code), f.text,
                             QString(), QString()});
        rows << worksheetText(flagRows);
    }
    printOut(rows.join(QLatin1Char('\n')));
}

} // namespace

int runTs(const QStringList &args)
{
    CommandLine cl(QStringLiteral("ts"),
                   QStringLiteral("FILE.DTA --re OHMS [--sd CM2 | --diameter MM] "
                                  "[--mass FILE.DTA:GRAMS]... [--box FILE.DTA:LITRES] [--temp C] "
                                  "[--pressure HPA] [--fit M] [--json]"),
                   CliMessages::tsDescription() + QStringLiteral("\n\n") +
                       CliMessages::tsWorksheetDescription());
    addTsOptions(cl);
    if (const int code = cl.parse(args); code >= 0)
        return code;
    if (const int code = cl.expectPositional(1, 1, QStringLiteral("FILE.DTA")); code >= 0)
        return code;
    if (!cl.isSet(QStringLiteral("re")))
        return cl.usageError(CliMessages::missingArgument(QStringLiteral("--re OHMS")));
    // The Re entry's own rule for what counts as a number.
    float Re = 0.0f;
    const QString reText = cl.value(QStringLiteral("re"));
    if (!parseReText(reText, &Re))
        return cl.usageError(CliMessages::reNotANumber(reText, AnalysisMessages::badRe()));

    // The worksheet's inputs, read before any file is opened.
    WorksheetOptions w;
    if (const int code = readWorksheetOptions(cl, &w); code >= 0)
        return code;

    const QString input = cl.positional().first();
    QString problem;
    const auto doc = std::make_unique<MeasurementDocument>();
    if (!openMeasurement(*doc, input, &problem))
        return cl.fileFailure(input, problem);

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
    if (w.on) {
        if (const int code = computeSheet(cl, w, input, *doc, Re, &sheet); code >= 0)
            return code;
    }

    // Without the worksheet, the warnings on the analysis window's own values.
    const QVector<TsFlag> flags =
        w.on ? sheet.flags : analysisWindowFlags(doc->curveRaw(), first, last, peaks, p);
    const auto values = tsValues(p);
    if (cl.isSet(QStringLiteral("json")))
        printTsJson(input, values, w.on ? &sheet : nullptr, flags);
    else
        printTsText(values, w.on ? &sheet : nullptr, flags);
    return finishOutput() ? ExitOk : ExitFailed;
}
