// The graph as PNG at three pixel ratios, SVG and PDF, on a light and a dark desktop: golden
// pictures, the SVG's curve points against the PNG's pixels, and velo2-cli render's formats.
#include "CliTestSupport.h"
#include "SpeakerCurve.h"
#include "core/graph/ChartExport.h"
#include "core/graph/ChartScheme.h"
#include "core/graph/WindowFont.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTransform>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

// A small picture keeps the golden files small.
const QSize kPicture(330, 220);

struct Chart {
    CurveBlock curve;
    GraphScale scale;
    Settings colours;
    ChartRequest request;

    explicit Chart(const QPalette &palette)
    {
        const SpeakerModel model;
        for (int i = bandFirstIndex(2); i <= bandLastIndex(2); ++i) {
            const std::complex<double> z = speakerImpedance(model, gridFrequencyHz(i));
            curve.freq[i] = float(gridFrequencyHz(i));
            curve.r[i] = float(std::abs(z));
            curve.theta[i] = float(std::arg(z) * 180 / M_PI);
        }
        curve.valid = 1;
        initGraphScale(scale, 2);
        scale.rMax = 80.0f; // the whole peak inside the box
        scale.curveShown = &curve;
        request.scale = &scale;
        request.colours = &colours;
        request.font = windowFont();
        request.palette = palette;
    }
};

QString goldenPath(const QString &name)
{
    return QStringLiteral(VELO2_SOURCE_DIR "/tests/graph_export/golden/") + name;
}

// Compares with the golden file; VELO2_UPDATE_GOLDEN=1 writes it instead.
bool sameAsGolden(const QByteArray &bytes, const QString &name, bool image)
{
    if (qEnvironmentVariableIsSet("VELO2_UPDATE_GOLDEN")) {
        QFile f(goldenPath(name));
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    }
    if (!image)
        return cli::readAll(goldenPath(name)) == bytes;
    const QImage want(goldenPath(name));
    QImage got;
    got.loadFromData(bytes, "PNG");
    return !want.isNull() &&
           want.convertToFormat(QImage::Format_RGB32) == got.convertToFormat(QImage::Format_RGB32);
}

// Polyline points of the SVG drawn in `stroke`, in picture pixels.
QVector<QPointF> svgPolylinePoints(const QByteArray &svg, const QColor &stroke)
{
    QVector<QPointF> points;
    QXmlStreamReader xml(svg);
    QVector<std::pair<QString, QTransform>> groups; // stroke and transform of open <g>s
    static const QRegularExpression matrix(
        QStringLiteral("matrix\\(([^,]+),([^,]+),([^,]+),([^,]+),([^,]+),([^)]+)\\)"));
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("g")) {
            QTransform t;
            const auto m = matrix.match(xml.attributes().value("transform").toString());
            if (m.hasMatch())
                t = QTransform(m.captured(1).toDouble(), m.captured(2).toDouble(),
                               m.captured(3).toDouble(), m.captured(4).toDouble(),
                               m.captured(5).toDouble(), m.captured(6).toDouble());
            groups.append({xml.attributes().value("stroke").toString(), t});
        } else if (xml.isEndElement() && xml.name() == QLatin1String("g")) {
            groups.removeLast();
        } else if (xml.isStartElement() && xml.name() == QLatin1String("polyline") &&
                   !groups.isEmpty() && QColor(groups.back().first) == stroke) {
            const QStringList pairs =
                xml.attributes().value("points").toString().split(' ', Qt::SkipEmptyParts);
            for (const QString &pair : pairs) {
                const QStringList xy = pair.split(',');
                if (xy.size() == 2)
                    points << groups.back().second.map(QPointF(xy[0].toDouble(), xy[1].toDouble()));
            }
        }
    }
    return points;
}

bool colourWithin(const QImage &image, QPointF at, int reach, QRgb colour)
{
    const QPoint c = at.toPoint();
    for (int y = c.y() - reach; y <= c.y() + reach; ++y)
        for (int x = c.x() - reach; x <= c.x() + reach; ++x)
            if (image.valid(x, y) && (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF))
                return true;
    return false;
}

} // namespace

class TestGraphExport : public QObject
{
    Q_OBJECT
private slots:
    void goldenPictures_data();
    void goldenPictures();
    void svgHoldsThePngCurve();
    void pdfIsAPage();
    void darkSchemeFollowsThePalette();
    void renderFormats_data();
    void renderFormats();
    void unwritableTargetChangesNothing();
};

void TestGraphExport::goldenPictures_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<bool>("dark");
    QTest::addColumn<QString>("golden");
    QTest::newRow("png 1") << int(ChartFormat::Png) << 1.0 << false << "chart_1x.png";
    QTest::newRow("png 1.5") << int(ChartFormat::Png) << 1.5 << false << "chart_1.5x.png";
    QTest::newRow("png 2") << int(ChartFormat::Png) << 2.0 << false << "chart_2x.png";
    QTest::newRow("png dark") << int(ChartFormat::Png) << 1.0 << true << "chart_dark.png";
    QTest::newRow("svg") << int(ChartFormat::Svg) << 1.0 << false << "chart.svg";
}

void TestGraphExport::goldenPictures()
{
    QFETCH(int, format);
    QFETCH(qreal, ratio);
    QFETCH(bool, dark);
    QFETCH(QString, golden);
    QPalette light;
    light.setColor(QPalette::Window, QColor(0xEF, 0xEF, 0xEF));
    light.setColor(QPalette::WindowText, Qt::black);
    Chart chart(dark ? darkChartPalette() : light);
    const ChartPicture picture = chartFile(chart.request, ChartFormat(format), kPicture, ratio);
    QVERIFY(!picture.bytes.isEmpty());
    if (ChartFormat(format) == ChartFormat::Png) {
        // Full resolution: ratio device pixels per picture pixel.
        QCOMPARE(picture.image.size(), kPicture * ratio);
        QCOMPARE(picture.image.devicePixelRatio(), ratio);
    }
    QVERIFY2(sameAsGolden(picture.bytes, golden, ChartFormat(format) == ChartFormat::Png),
             qPrintable(golden));
}

void TestGraphExport::svgHoldsThePngCurve()
{
    // Every point of the SVG's |Z| and phase lines lies within a pixel of a line pixel of the
    // PNG, at each ratio scaled; and the lines are there at all.
    Chart chart(QGuiApplication::palette());
    const QByteArray svg = chartFile(chart.request, ChartFormat::Svg, kPicture).bytes;
    for (ColorRef colour : {chart.colours.colorR, chart.colours.colorTheta}) {
        const QVector<QPointF> points = svgPolylinePoints(svg, toQColor(colour));
        QVERIFY(points.size() > 100);
        for (qreal ratio : {1.0, 1.5, 2.0}) {
            const QImage png = chartImage(chart.request, kPicture, ratio).image;
            const int reach = int(std::ceil(ratio));
            for (const QPointF &p : points)
                QVERIFY2(colourWithin(png, p * ratio, reach, toQColor(colour).rgb()),
                         qPrintable(
                             QStringLiteral("ratio %1 at %2,%3").arg(ratio).arg(p.x()).arg(p.y())));
        }
    }
}

void TestGraphExport::pdfIsAPage()
{
    Chart chart(QGuiApplication::palette());
    const QByteArray pdf = chartFile(chart.request, ChartFormat::Pdf, kPicture).bytes;
    QVERIFY(pdf.startsWith("%PDF-"));
    // The page is the picture, a pixel to a point.
    QVERIFY2(pdf.contains("/MediaBox [0 0 330.000000 220.000000]"), pdf.left(2000).constData());
}

void TestGraphExport::darkSchemeFollowsThePalette()
{
    // A light palette keeps the classic colours; a dark one takes its base as the background
    // and lightens curve colours too dark to read on it, keeping those that are readable.
    QPalette light;
    light.setColor(QPalette::Window, QColor(127 + 1, 128, 128));
    QCOMPARE(chartSchemeFor(light), ChartScheme());
    const ChartScheme dark = chartSchemeFor(darkChartPalette());
    QVERIFY(dark.dark);
    QCOMPARE(toQColor(dark.background), darkChartPalette().color(QPalette::Base));
    const Settings defaults;
    QCOMPARE(readableOn(defaults.colorR, ChartScheme()), defaults.colorR);
    QVERIFY(contrastRatio(defaults.colorR, dark.background) < kMinCurveContrast);
    const ColorRef shown = readableOn(defaults.colorR, dark);
    QVERIFY(contrastRatio(shown, dark.background) >= kMinCurveContrast);
    QVERIFY(toQColor(shown).blue() == 255 && toQColor(shown).red() < 160); // still blue
    QCOMPARE(readableOn(0x0000FFFF, dark), ColorRef(0x0000FFFF));          // yellow reads already

    // The picture: the plot's background is the palette's base, the curve its lightened blue.
    Chart chart(darkChartPalette());
    const QImage image = chartImage(chart.request, kPicture).image;
    QCOMPARE(QColor(image.pixel(kBoxLeft + 3, kBoxTop + 3)), toQColor(dark.background));
    int curve = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            curve += QColor(image.pixel(x, y)) == toQColor(shown);
    QVERIFY(curve > 100);
}

void TestGraphExport::renderFormats_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("starts");
    QTest::newRow("svg by suffix") << QStringList{} << "g.svg" << QByteArray("<?xml");
    QTest::newRow("pdf by suffix") << QStringList{} << "g.PDF" << QByteArray("%PDF-");
    QTest::newRow("png otherwise") << QStringList{} << "g.out" << QByteArray("\x89PNG");
    QTest::newRow("format over suffix")
        << QStringList{"--format", "svg"} << "g.png" << QByteArray("<?xml");
    QTest::newRow("dark, ratio 2")
        << QStringList{"--dark", "--ratio", "2"} << "g.png" << QByteArray("\x89PNG");
}

void TestGraphExport::renderFormats()
{
    QFETCH(QStringList, options);
    QFETCH(QString, file);
    QFETCH(QByteArray, starts);
    QTemporaryDir dir;
    const QString input = cli::writeFixture(dir.path(), cli::fixtures()[1]);
    const QString out = dir.filePath(file);
    const cli::Result r = cli::run(QStringList{"render", input, "-o", out} + options);
    QCOMPARE(r.exitCode, 0);
    const QByteArray bytes = cli::readAll(out);
    QVERIFY(bytes.startsWith(starts));
    if (options.contains("--ratio"))
        QCOMPARE(QImage::fromData(bytes).size(), defaultGraphImageSize() * 2);
}

void TestGraphExport::unwritableTargetChangesNothing()
{
    // A folder that is not there, and an SVG that a bad option would have replaced: a clear
    // message, and nothing written or changed.
    QTemporaryDir dir;
    const QString input = cli::writeFixture(dir.path(), cli::fixtures()[1]);
    const QString missing = dir.filePath("no/such/g.svg");
    cli::Result r = cli::run({"render", input, "-o", missing});
    QVERIFY(r.exitCode != 0);
    QVERIFY2(r.err.contains("no/such/g.svg") && r.err.contains("folder"), qPrintable(r.err));
    QVERIFY(!QFile::exists(missing));
    const QString kept = dir.filePath("kept.svg");
    QVERIFY(QFile(kept).open(QIODevice::WriteOnly));
    r = cli::run({"render", input, "-o", kept, "--format", "eps"});
    QCOMPARE(r.exitCode, 2);
    QVERIFY(r.err.contains("png, svg, pdf"));
    QCOMPARE(QFileInfo(kept).size(), 0);
}

QTEST_MAIN(TestGraphExport)
#include "tst_graph_export.moc"
