#pragma once

// A stand-in for the main window: a plain widget carrying the graph box, the 35 axis labels,
// the records and curve blocks, and the renderer drawing on them.
#include "SpeakerCurve.h"

#include "core/files/VELO_File.h"
#include "core/graph/AxisLabels.h"
#include "core/graph/ViewScale.h"
#include "core/model/Settings.h"
#include "ui/graph/Graph_RTF.h"
#include "ui/graph/TPaintBox.h"

#include <QLabel>
#include <QtTest>
#include <memory>

struct RendererHost {
    QWidget owner;
    TPaintBox *box = nullptr;
    QLabel *labels[kAxisLabelCount] = {};
    Settings settings;
    GraphScale scale;
    MeasurementRecord measurement;
    CurveBlock curveRaw, curveAvg;
    MeasurementRecord references[kReferenceSlots];
    CurveBlock refCurveRaw[kReferenceSlots], refCurveAvg[kReferenceSlots];
    std::unique_ptr<Graph_RTF> graph;
    VELO_File file;

    RendererHost()
    {
        owner.resize(632, 440);
        QFont font(QStringLiteral("IPAPGothic"));
        font.setPixelSize(12);
        owner.setFont(font);
        box = new TPaintBox(&owner);
        box->setGeometry(64, 24, 500, 312);
        for (QLabel *&label : labels) {
            label = new QLabel(&owner);
            label->hide();
        }
        measurement.valid = 0;
        initGraphScale(scale, 2);
        for (auto &r : references) {
            r.valid = 0;
            r.band = 1;
            clearPoints(r);
        }
        selectShownCurves(scale, true, curveRaw, curveAvg, refCurveRaw, refCurveAvg);
        graph = std::make_unique<Graph_RTF>(&owner, box, &settings, labels, &scale);
    }

    void loadMeasurement(int band, const SpeakerModel &model)
    {
        fillRecord(measurement, band, model);
        QVERIFY(file.convertRecord(&measurement, &curveRaw, &curveAvg));
        measurement.valid = 1;
    }
    void loadReference(int slot, int band, const SpeakerModel &model)
    {
        fillRecord(references[slot], band, model);
        QVERIFY(file.convertRecord(&references[slot], &refCurveRaw[slot], &refCurveAvg[slot]));
        references[slot].valid = 1;
    }
    QLabel *label(int entry) const { return labels[entry]; }
    bool shown(int entry) const { return labels[entry]->isVisibleTo(&owner); }
};
