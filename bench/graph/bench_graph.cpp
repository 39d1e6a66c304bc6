// Prints the cost of a full redraw (clear and drawAll with five references) and of one live
// segment, for the graph boxes of the smallest and the largest main window; then the full
// redraw of each other view with the same five references, beside the classic chart's.
#include "SpeakerCurve.h"

#include "core/files/VELO_File.h"
#include "core/graph/ViewScale.h"
#include "core/model/Settings.h"
#include "ui/graph/Graph_RTF.h"
#include "ui/graph/TPaintBox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPainter>
#include <cstdio>
#include <memory>

namespace {

struct Scene {
    QWidget owner;
    TPaintBox *box;
    QLabel *labels[kAxisLabelCount];
    Settings settings;
    GraphScale scale;
    MeasurementRecord measurement;
    CurveBlock raw, avg;
    MeasurementRecord refs[kReferenceSlots];
    CurveBlock refRaw[kReferenceSlots], refAvg[kReferenceSlots];
    std::unique_ptr<Graph_RTF> graph;

    explicit Scene(QSize window)
    {
        // The main window's rules: box width = window width - 140, height = client - 120,
        // with the client about 40 pixels shorter than the window.
        owner.resize(window);
        box = new TPaintBox(&owner);
        box->setGeometry(64, 24, window.width() - 140, window.height() - 40 - 120);
        for (QLabel *&l : labels)
            l = new QLabel(&owner);
        VELO_File file;
        fillRecord(measurement, 2, SpeakerModel{});
        file.convertRecord(&measurement, &raw, &avg);
        for (int k = 0; k < kReferenceSlots; ++k) {
            fillRecord(refs[k], 2, SpeakerModel{6.0 + k * 0.3, 0.0001, 35.0 + 5 * k, 4, 0.5});
            file.convertRecord(&refs[k], &refRaw[k], &refAvg[k]);
        }
        initGraphScale(scale, 2);
        selectShownCurves(scale, true, raw, avg, refRaw, refAvg);
        scaleForBoth(scale, measurement, raw, refs, refRaw);
        graph = std::make_unique<Graph_RTF>(&owner, box, &settings, labels, &scale);
    }
};

template <typename F> double microsecondsPer(int rounds, F &&step)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < rounds; ++i)
        step(i);
    return double(timer.nsecsElapsed()) / rounds / 1000.0;
}

void run(QSize window)
{
    auto scene = std::make_unique<Scene>(window);
    Graph_RTF &g = *scene->graph;
    auto presentOnce = [&] {
        // What the box's paint handler costs: the frame and one bitmap copy.
        QImage screen(scene->box->size(), QImage::Format_RGB32);
        QPainter painter(&screen);
        g.paint(painter);
    };
    const double full = microsecondsPer(50, [&](int) {
        g.clear();
        g.drawAll(false, true);
    });
    const double fullThin = microsecondsPer(50, [&](int) {
        g.clear();
        g.drawAll(false, false);
    });
    g.clear();
    const double segment =
        microsecondsPer(5000, [&](int i) { g.drawLiveSegment(false, 1 + i % 538, true); });
    const double paint = microsecondsPer(200, [&](int) { presentOnce(); });
    std::printf("window %4dx%-4d box %4dx%-4d  full redraw (5 refs, thick) %8.1f us  "
                "(thin) %8.1f us  live segment %6.1f us  paint copy %7.1f us\n",
                window.width(), window.height(), scene->box->width(), scene->box->height(), full,
                fullThin, segment, paint);

    // Each view as the window draws it after a menu choice: the view, the labels, the legend.
    ViewSources sources;
    sources.measurementName = QStringLiteral("measurement.DTA");
    for (int k = 0; k < kReferenceSlots; ++k)
        sources.referenceNames[size_t(k)] = QStringLiteral("reference%1.DTA").arg(k + 1);
    for (const QString &name : graphViewNames()) {
        ViewOptions options;
        options.view = *graphViewFromName(name);
        options.legend = true;
        g.setView(options, sources);
        const double view = microsecondsPer(50, [&](int) {
            g.clear();
            g.drawAll(false, true);
        });
        std::printf("    view %-8s full redraw (5 refs, thick, legend) %8.1f us  (%.2f of the "
                    "classic chart's)\n",
                    qPrintable(name), view, view / full);
    }
    g.setView(ViewOptions(), sources);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    run(QSize(640, 480));
    run(QSize(1280, 1024));
    return 0;
}
