#include "GraphImage.h"

#include "MeasurementFile.h"
#include "core/graph/AxisLabels.h"
#include "core/graph/ViewScale.h"
#include "ui/common/WindowFont.h"
#include "ui/graph/Graph_RTF.h"
#include "ui/graph/TPaintBox.h"

#include <QLabel>
#include <QPixmap>
#include <QWidget>
#include <array>

namespace {

// The design size of the window's graph box.
constexpr int kDesignBoxWidth = 500;
constexpr int kDesignBoxHeight = 312;
// Smaller boxes leave no room for the grid to say anything.
constexpr int kMinBoxWidth = 60;
constexpr int kMinBoxHeight = 40;

} // namespace

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

QImage renderGraphImage(const MeasurementFile &measurement, const ReferenceFiles &references,
                        const GraphImageOptions &options)
{
    const QSize box = graphBoxSize(options.size);
    if (box.isEmpty())
        return QImage();

    // The window's client area in miniature: the box and the label controls on one parent,
    // in the window font and with the window's label colours.
    QWidget client;
    client.setFont(windowFont());
    client.setFixedSize(options.size);
    auto *paintBox = new TPaintBox(&client);
    paintBox->setGeometry(kBoxLeft, kBoxTop, box.width(), box.height());
    const Settings settings;
    std::array<QLabel *, kAxisLabelCount> labels{};
    for (int i = 0; i < kAxisLabelCount; ++i) {
        labels[size_t(i)] = new QLabel(&client);
        labels[size_t(i)]->hide();
        if (const auto color = axisLabelColor(settings, i)) {
            QPalette pal = labels[size_t(i)]->palette();
            pal.setColor(QPalette::WindowText, toQColor(*color));
            labels[size_t(i)]->setPalette(pal);
        }
    }

    GraphScale scale;
    initGraphScale(scale, measurement.record.band);
    scale.band = options.band ? options.band : measurement.record.band;
    Graph_RTF graph(&client, paintBox, &settings, labels.data(), &scale);

    // The window's view of a measurement: with the references when any is loaded.
    const CurveSlots refRaw = slotsOf(references.raw.data());
    const CurveSlots refAvg = slotsOf(references.avg.data());
    selectShownCurves(scale, options.averaging, measurement.raw, measurement.avg, refRaw, refAvg);
    if (references.count == 0) {
        scaleForMeasurement(scale, measurement.record, measurement.raw);
        graph.clear();
        graph.drawMeasurement(options.rOnly, options.wide);
    } else {
        scaleForBoth(scale, measurement.record, measurement.raw, slotsOf(references.records.data()),
                     refRaw);
        graph.clear();
        graph.drawAll(options.rOnly, options.wide);
    }
    return client.grab().toImage();
}
