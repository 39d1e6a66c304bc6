#include "CliIo.h"
#include "CliMessages.h"
#include "CommandLine.h"
#include "Commands.h"
#include "DocumentFiles.h"
#include "GraphImage.h"
#include "OutputTarget.h"
#include "core/document/DocumentView.h"
#include "core/model/Settings.h"

#include <QRegularExpression>

namespace {

constexpr int kMaxImageSide = kMaxChartSide;
constexpr double kMaxRatio = 4.0;

bool parseSize(const QString &text, QSize *size)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,5})[xX](\\d{1,5})$"));
    const auto match = pattern.match(text);
    if (!match.hasMatch())
        return false;
    const QSize s(match.captured(1).toInt(), match.captured(2).toInt());
    if (s.width() > kMaxImageSide || s.height() > kMaxImageSide || graphBoxSize(s).isEmpty())
        return false;
    *size = s;
    return true;
}

bool parseBand(const QString &text, int *band)
{
    bool ok = false;
    const int b = text.toInt(&ok);
    if (!ok || !isValidBand(b))
        return false;
    *band = b;
    return true;
}

} // namespace

int runRender(const QStringList &args)
{
    CommandLine cl(
        QStringLiteral("render"),
        QStringLiteral(
            "FILE.DTA -o OUT.png [--ref REF.DTA]... [--size WxH] [--r-only] "
            "[--thick] [--raw] [--band N] [--view VIEW] [--legend] [--log-z] [--percent] "
            "[--format png|svg|pdf] [--dark] [--ratio R]"),
        CliMessages::renderDescription());
    cl.addValue({QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("OUT.png"),
                CliMessages::renderOutputHelp());
    cl.addValue({QStringLiteral("ref")}, QStringLiteral("REF.DTA"), CliMessages::refHelp());
    cl.addValue({QStringLiteral("size")}, QStringLiteral("WxH"), CliMessages::sizeHelp());
    cl.addFlag(QStringLiteral("r-only"), CliMessages::rOnlyHelp());
    cl.addFlag(QStringLiteral("thick"), CliMessages::thickHelp());
    cl.addFlag(QStringLiteral("raw"), CliMessages::rawHelp());
    cl.addValue({QStringLiteral("band")}, QStringLiteral("N"), CliMessages::renderBandHelp());
    cl.addValue({QStringLiteral("view")}, QStringLiteral("VIEW"), CliMessages::viewHelp());
    cl.addFlag(QStringLiteral("legend"), CliMessages::legendHelp());
    cl.addFlag(QStringLiteral("log-z"), CliMessages::logZHelp());
    cl.addFlag(QStringLiteral("percent"), CliMessages::percentHelp());
    cl.addValue({QStringLiteral("format")}, QStringLiteral("FORMAT"), CliMessages::formatHelp());
    cl.addFlag(QStringLiteral("dark"), CliMessages::darkHelp());
    cl.addValue({QStringLiteral("ratio")}, QStringLiteral("R"), CliMessages::ratioHelp());
    if (const int code = cl.parse(args); code >= 0)
        return code;
    if (const int code = cl.expectPositional(1, 1, QStringLiteral("FILE.DTA")); code >= 0)
        return code;
    if (!cl.isSet(QStringLiteral("o")))
        return cl.usageError(CliMessages::missingArgument(QStringLiteral("-o OUT.png")));

    GraphImageOptions options;
    options.size = defaultGraphImageSize();
    if (cl.isSet(QStringLiteral("size")) &&
        !parseSize(cl.value(QStringLiteral("size")), &options.size))
        return cl.usageError(CliMessages::badSize(cl.value(QStringLiteral("size")),
                                                  minimumGraphImageSize().width(),
                                                  minimumGraphImageSize().height(), kMaxImageSide));
    if (cl.isSet(QStringLiteral("band")) &&
        !parseBand(cl.value(QStringLiteral("band")), &options.band))
        return cl.usageError(CliMessages::badBand(cl.value(QStringLiteral("band"))));
    const QStringList refPaths = cl.values(QStringLiteral("ref"));
    if (refPaths.size() > kReferenceSlots)
        return cl.usageError(CliMessages::tooManyReferences(kReferenceSlots));
    // The format named, else the output's suffix, else PNG as before.
    const auto fromPath = chartFormatOfPath(cl.value(QStringLiteral("o")));
    options.format = fromPath.value_or(ChartFormat::Png);
    if (cl.isSet(QStringLiteral("format"))) {
        const auto format = chartFormatFromName(cl.value(QStringLiteral("format")));
        if (!format)
            return cl.usageError(CliMessages::badFormat(cl.value(QStringLiteral("format"))));
        options.format = *format;
    }
    if (cl.isSet(QStringLiteral("ratio"))) {
        bool ok = false;
        options.ratio = cl.value(QStringLiteral("ratio")).toDouble(&ok);
        if (!ok || !(options.ratio >= 1.0 && options.ratio <= kMaxRatio))
            return cl.usageError(CliMessages::badRatio(cl.value(QStringLiteral("ratio"))));
    }
    options.dark = cl.isSet(QStringLiteral("dark"));
    options.rOnly = cl.isSet(QStringLiteral("r-only"));
    options.wide = cl.isSet(QStringLiteral("thick"));
    options.averaging = !cl.isSet(QStringLiteral("raw"));
    if (cl.isSet(QStringLiteral("view"))) {
        const auto view = graphViewFromName(cl.value(QStringLiteral("view")));
        if (!view)
            return cl.usageError(CliMessages::badView(cl.value(QStringLiteral("view"))));
        options.view.view = *view;
    }
    options.view.legend = cl.isSet(QStringLiteral("legend"));
    options.view.logZ = cl.isSet(QStringLiteral("log-z"));
    options.view.diffPercent = cl.isSet(QStringLiteral("percent"));
    const QString viewName = graphViewName(options.view.view);
    if (viewNeedsReference(options.view.view) && refPaths.isEmpty())
        return cl.usageError(CliMessages::viewNeedsReference(viewName));
    // Difference and ratio against the first --ref.
    options.view.referenceSlot = 0;

    const QString input = cl.positional().first();
    QString problem;
    const auto doc = std::make_unique<MeasurementDocument>();
    if (!openMeasurement(*doc, input, &problem))
        return cl.fileFailure(input, problem);
    for (const QString &path : refPaths)
        if (!openReference(*doc, path, &problem))
            return cl.fileFailure(path, problem);

    const GraphImage rendered = renderGraphImage(*doc, options);
    if (rendered.drawn.refusal == ViewRefusal::NoPhase) {
        const bool reference = !viewSourcesOf(*doc).measurementHasPhase ? false : true;
        return cl.failure(
            CliMessages::viewNeedsPhase(viewName, reference ? refPaths.first() : input));
    }
    if (rendered.drawn.uncompared > 0)
        printErr(CliMessages::viewUncompared(rendered.drawn.uncompared, refPaths.first()));
    if (rendered.bytes.isEmpty())
        return cl.failure(CliMessages::renderFailed());

    const OutputTarget out(cl.value(QStringLiteral("o")), input, chartFormatSuffix(options.format));
    if (!out.write(rendered.bytes))
        return cl.fileFailure(out.path(), OutputTarget::writeProblem(out.path()));
    if (out.isStdout())
        return finishOutput() ? ExitOk : ExitFailed;
    return ExitOk;
}
