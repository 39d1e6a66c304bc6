#pragma once

#include "core/measure/UnitStation.h"

#include <QObject>

class QTimer;
struct CurveBlock;
struct MeasurementRecord;

// A measuring window's side of a run on the unit station (the worksheet's and the QC
// station's): it takes the unit under the window's name, starts the band, steps the run from
// a timer and tells the window what happened, in the windows' one wording. The main window
// drives its run itself, in the order and with the texts it has always shown.
class RunDriver : public QObject
{
    Q_OBJECT
public:
    RunDriver(UnitStation &station, const QString &holder, QObject *parent);
    ~RunDriver() override;

    // Takes the unit and starts `band` into the record and blocks. False with the reason
    // (another holder, or what the start ended with) in *problem; nothing is held then.
    bool start(int comPort, int band, MeasurementRecord &record, CurveBlock &raw, CurveBlock &avg,
               QString *problem);
    // The same for a sweep of several bands into one record of `span` (MeasurementRun's); no
    // bands: span alone.
    bool start(int comPort, const QVector<int> &bands, int span, MeasurementRecord &record,
               CurveBlock &raw, CurveBlock &avg, QString *problem);
    // The user's stop: the unit told to end its sweep, the unit given back. Nothing is emitted.
    void stop();
    bool running() const { return m_lease.held(); }
    // Another window holds the unit: this window's Start waits.
    bool busyElsewhere() const;
    const MeasurementRun &run() const { return m_station.run(); }
    const UnitProtocol &unit() const { return m_station.unit(); }

signals:
    void point(const MeasurementRun::StepEvent &event);
    // All points arrived; converted says whether the record converted whole. The unit is free.
    void finished(bool converted);
    // The run ended early (or the program's end stopped it); the unit is free.
    void failed(const QString &reason);
    void abandoned();
    // Whether another window holds the unit changed.
    void busyElsewhereChanged(bool busy);

private:
    void step();
    void end();

    UnitStation &m_station;
    QString m_holder;
    UnitLease m_lease;
    QTimer *m_timer = nullptr;
};
