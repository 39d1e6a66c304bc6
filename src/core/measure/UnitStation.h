#pragma once

#include "core/measure/MeasurementRun.h"
#include "core/measure/TCommPortDriver.h"
#include "core/measure/UnitProtocol.h"

#include <QObject>
#include <QString>

// UnitStation: the one owner of the measuring unit, with its port driver, its protocol and the
// one live run. Whoever measures (a window, velo2-cli) first takes a lease naming itself; while
// it holds the unit every other asker is refused with the holder's name, so two windows can
// never drive the port at once. Closing the program or a signal ends whatever runs through
// stopAll(), once; a pulled adapter ends the run itself (MeasurementRun::Failure::DeviceLost).
class UnitStation : public QObject
{
    Q_OBJECT
public:
    explicit UnitStation(QObject *parent = nullptr);
    ~UnitStation() override; // stopAll, then the port closed

    // ---- lease ----
    // True when `holder` holds the unit now (it may already have held it); otherwise false
    // with the present holder in *heldBy.
    bool acquire(const QString &holder, QString *heldBy = nullptr);
    // Gives the unit back; only its holder can. The port stays as the last start or run left
    // it (see UnitOutcome): the next start reuses what is still open.
    void release(const QString &holder);
    bool busy() const { return !m_holder.isEmpty(); }
    QString holder() const { return m_holder; }

    // ---- the unit ----
    TCommPortDriver &driver() { return m_driver; }
    const TCommPortDriver &driver() const { return m_driver; }
    UnitProtocol &unit() { return m_unit; }
    const UnitProtocol &unit() const { return m_unit; }
    MeasurementRun &run() { return m_run; }

    // Ends whatever runs as a user's stop does (the unit in session told to end its sweep),
    // tells the holder by runAbandoned and ends its lease. For closing the program and signals.
    StopOutcome stopAll();
    // The end for good: stopAll, then one "ME" to a port still open whatever state it is in
    // (a refused band request may have left the unit sweeping), and the port closed.
    void shutdown();

signals:
    // The holder changed; empty when the unit is free. Every window's Start follows it.
    void holderChanged(const QString &holder);
    // stopAll ended this holder's run: the holder puts its view back to idle.
    void runAbandoned(const QString &holder);

private:
    TCommPortDriver m_driver;
    UnitProtocol m_unit;
    MeasurementRun m_run;
    QString m_holder;
};

// A lease held for a scope: taken on construction when the unit is free, given back on
// destruction or release().
class UnitLease
{
public:
    UnitLease() = default;
    UnitLease(UnitStation &station, const QString &holder);
    ~UnitLease() { release(); }
    UnitLease(const UnitLease &) = delete;
    UnitLease &operator=(const UnitLease &) = delete;
    UnitLease(UnitLease &&other) noexcept;
    UnitLease &operator=(UnitLease &&other) noexcept;

    bool held() const { return m_station != nullptr; }
    // Who held the unit when this lease was refused; empty when it was granted.
    QString refusedBy() const { return m_refusedBy; }
    void release();

private:
    UnitStation *m_station = nullptr;
    QString m_holder;
    QString m_refusedBy;
};
