#include "core/measure/UnitStation.h"

#include <utility>

UnitStation::UnitStation(QObject *parent)
    : QObject(parent), m_driver(this), m_unit(m_driver), m_run(m_unit)
{
}

UnitStation::~UnitStation()
{
    stopAll();
    m_unit.mCloseCOM();
}

bool UnitStation::acquire(const QString &holder, QString *heldBy)
{
    if (m_holder == holder)
        return true;
    if (!m_holder.isEmpty()) {
        if (heldBy)
            *heldBy = m_holder;
        return false;
    }
    m_holder = holder;
    emit holderChanged(m_holder);
    return true;
}

void UnitStation::release(const QString &holder)
{
    if (holder.isEmpty() || m_holder != holder)
        return;
    m_holder.clear();
    emit holderChanged(m_holder);
}

StopOutcome UnitStation::stopAll()
{
    // NothingToStop without a unit session: nothing is sent then.
    const StopOutcome outcome = m_run.stop();
    if (!m_holder.isEmpty()) {
        const QString holder = m_holder;
        emit runAbandoned(holder);
        release(holder);
    }
    return outcome;
}

void UnitStation::shutdown()
{
    stopAll();
    m_unit.mReleaseAll();
}

UnitLease::UnitLease(UnitStation &station, const QString &holder) : m_holder(holder)
{
    if (station.acquire(holder, &m_refusedBy))
        m_station = &station;
}

UnitLease::UnitLease(UnitLease &&other) noexcept
    : m_station(std::exchange(other.m_station, nullptr)), m_holder(std::move(other.m_holder)),
      m_refusedBy(std::move(other.m_refusedBy))
{
}

UnitLease &UnitLease::operator=(UnitLease &&other) noexcept
{
    if (this != &other) {
        release();
        m_station = std::exchange(other.m_station, nullptr);
        m_holder = std::move(other.m_holder);
        m_refusedBy = std::move(other.m_refusedBy);
    }
    return *this;
}

void UnitLease::release()
{
    if (m_station)
        std::exchange(m_station, nullptr)->release(m_holder);
}
