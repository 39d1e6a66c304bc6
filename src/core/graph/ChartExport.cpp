#include "core/graph/ChartExport.h"

#include "core/graph/AxisLabelLayout.h"
#include "core/graph/AxisLabelPainter.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace {

// The design size of the window's graph box.
constexpr int kDesignBoxWidth = 500;
constexpr int kDesignBoxHeight = 312;
// Smaller boxes leave no room for the grid to say anything.
constexpr int kMinBoxWidth = 60;
constexpr int kMinBoxHeight = 40;
// An SVG states its size at the screen's 96 dots per inch; a PDF page takes a picture pixel
// as a point, since page sizes are kept in whole points.
constexpr int kSvgDpi = 96;
constexpr int kPdfDpi = 72;

AxisLabelLayout labelsFor(const ChartRequest &r, const ViewDrawn &drawn, const QRect &box)
{
    const QSize plot(box.width() - 2, box.height() - 2);
    if (r.content.options.isClassic())
        return layoutAxisLabels(*r.scale, box, plot, r.content.rOnly, r.font);
    return layoutViewLabels(drawn, *r.scale, r.content.options, box, r.content.rOnly, r.font);
}

void drawLabels(QPainter &painter, const ChartRequest &r, const AxisLabelLayout &labels,
                const ChartScheme &scheme)
{
    painter.setFont(r.font);
    drawAxisLabels(painter, labels, readableColours(*r.colours, scheme),
                   r.palette.color(QPalette::WindowText));
}

} // namespace

std::optional<ChartFormat> chartFormatFromName(const QString &name)
{
    if (name == QLatin1String("png"))
        return ChartFormat::Png;
    if (name == QLatin1String("svg"))
        return ChartFormat::Svg;
    if (name == QLatin1String("pdf"))
        return ChartFormat::Pdf;
    return std::nullopt;
}

std::optional<ChartFormat> chartFormatOfPath(const QString &path)
{
    return chartFormatFromName(QFileInfo(path).suffix().toLower());
}

QString chartFormatSuffix(ChartFormat format)
{
    switch (format) {
    case ChartFormat::Svg:
        return QStringLiteral(".svg");
    case ChartFormat::Pdf:
        return QStringLiteral(".pdf");
    case ChartFormat::Png:
        break;
    }
    return QStringLiteral(".png");
}

QSize defaultGraphImageSize()
{
    return QSize(kBoxLeft + kDesignBoxWidth + kBoxRightMargin,
                 kBoxTop + kDesignBoxHeight + kBoxBottomMargin);
}

QSize minimumGraphImageSize()
{
    return QSize(kBoxLeft + kMinBoxWidth + kBoxRightMargin,
                 kBoxTop + kMinBoxHeight + kBoxBottomMargin);
}

QSize graphBoxSize(QSize picture)
{
    const QSize box(picture.width() - kBoxLeft - kBoxRightMargin,
                    picture.height() - kBoxTop - kBoxBottomMargin);
    return box.width() >= kMinBoxWidth && box.height() >= kMinBoxHeight ? box : QSize();
}

ChartPicture chartImage(const ChartRequest &r, QSize picture, qreal ratio)
{
    ChartPicture result;
    const QSize box = graphBoxSize(picture);
    if (box.isEmpty() || !r.scale || !r.colours || !(ratio > 0))
        return result;
    const ChartScheme scheme = chartSchemeFor(r.palette);
    GraphPicture graph(r.scale, r.colours);
    graph.setScheme(scheme);
    graph.resize(box, ratio);
    const ChartContent &c = r.content;
    if (c.options.isClassic()) {
        graph.clear();
        switch (c.curves) {
        case ChartContent::Measurement:
            graph.drawMeasurement(c.rOnly, c.wide);
            break;
        case ChartContent::References:
            graph.drawReferences(c.rOnly);
            break;
        case ChartContent::All:
            graph.drawAll(c.rOnly, c.wide);
            break;
        case ChartContent::Grid:
            break;
        }
    } else {
        result.drawn = graph.drawView(c.options, c.sources, c.rOnly, c.wide);
    }
    const AxisLabelLayout labels =
        labelsFor(r, result.drawn, QRect(QPoint(kBoxLeft, kBoxTop), box));

    // The window's client area in miniature: its background, the box, and the labels in the
    // window font and the window's label colours.
    QImage image(qRound(picture.width() * ratio), qRound(picture.height() * ratio),
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(r.palette.color(QPalette::Window));
    QPainter painter(&image);
    painter.translate(kBoxLeft, kBoxTop);
    graph.paint(painter);
    painter.resetTransform();
    drawLabels(painter, r, labels, scheme);
    painter.end();
    result.image = image;
    return result;
}

ViewDrawn paintChart(QPainter &painter, QSize picture, const ChartRequest &r)
{
    const QSize box = graphBoxSize(picture);
    if (box.isEmpty() || !r.scale || !r.colours)
        return {};
    const ChartScheme scheme = chartSchemeFor(r.palette);
    GraphPicture graph(r.scale, r.colours);
    graph.setScheme(scheme);
    painter.fillRect(QRect(QPoint(0, 0), picture), r.palette.color(QPalette::Window));
    painter.save();
    painter.translate(kBoxLeft, kBoxTop);
    const ViewDrawn drawn = graph.paintContent(painter, box, r.content);
    painter.restore();
    drawLabels(painter, r, labelsFor(r, drawn, QRect(QPoint(kBoxLeft, kBoxTop), box)), scheme);
    return drawn;
}

ChartPicture chartFile(const ChartRequest &r, ChartFormat format, QSize picture, qreal ratio)
{
    if (format == ChartFormat::Png) {
        ChartPicture result = chartImage(r, picture, ratio);
        QBuffer png(&result.bytes);
        png.open(QIODevice::WriteOnly);
        if (result.image.isNull() || !result.image.save(&png, "PNG"))
            result.bytes.clear();
        return result;
    }
    ChartPicture result;
    if (graphBoxSize(picture).isEmpty() || !r.scale || !r.colours)
        return result;
    QBuffer buffer(&result.bytes);
    buffer.open(QIODevice::WriteOnly);
    switch (format) {
    case ChartFormat::Svg: {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(picture);
        svg.setViewBox(QRect(QPoint(0, 0), picture));
        svg.setResolution(kSvgDpi);
        svg.setTitle(QStringLiteral("VELO2"));
        QPainter painter;
        if (!painter.begin(&svg))
            return {};
        result.drawn = paintChart(painter, picture, r);
        painter.end();
        return result;
    }
    case ChartFormat::Pdf: {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(kPdfDpi);
        pdf.setPageMargins(QMarginsF());
        pdf.setPageSize(QPageSize(QSizeF(picture), QPageSize::Point));
        pdf.setCreator(QStringLiteral("VELO2"));
        QPainter painter;
        if (!painter.begin(&pdf))
            return {};
        result.drawn = paintChart(painter, picture, r);
        painter.end();
        return result;
    }
    case ChartFormat::Png:
        break;
    }
    return result;
}
