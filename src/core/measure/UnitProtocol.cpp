#include "core/measure/UnitProtocol.h"

#include "core/measure/PortResolver.h"
#include "core/measure/TCommPortDriver.h"
#include "core/model/BandTable.h"
#include "core/model/Stringutil.h"

#include <algorithm>
#include <cerrno>

namespace {

// Every command the unit understands, and its fixed replies.
const QByteArray kCmdPresence = "?";
const QByteArray kCmdModel = "U?";
const QByteArray kCmdEnd = "ME";
const QByteArray kCmdVersion = "V?";
const QByteArray kCmdSerial = "SN?";
const QByteArray kCmdCalibration = "M?";
const QByteArray kCmdBandPrefix = "M";
const QByteArray kReplyOk = "OK";
const QByteArray kReplyCalibrated = "0";
const QByteArray kTokenHKA = "HK-A";
const QByteArray kTokenHKA2 = "HKA2";
constexpr char kTerminator = '\r';

constexpr int kTokenLength = 4;
constexpr int kQueryAnyBytes = 6;
constexpr int kStopTries = 3;
constexpr quint32 kShortTimeout = 100;
constexpr quint32 kPresenceEndTimeout = 2000;
constexpr quint32 kStopTimeout = 300;

const QString kModelHKA = QStringLiteral("HK-A");
const QString kModelHKA2 = QStringLiteral("HK-A2");

} // namespace

UnitProtocol::UnitProtocol(TCommPortDriver &driver) : m_driver(driver) {}

QString UnitProtocol::modelText() const
{
    return m_unitIsHKA ? kModelHKA : kModelHKA2;
}

char UnitProtocol::bandCode(int band, bool hka)
{
    if (!isValidBand(band))
        return 0;
    if (!hka)
        return char('0' + band);
    switch (band) {
    case 1:
        return '1';
    case 4:
        return '2';
    case 5:
        return '3';
    case 6:
        return '4';
    default:
        return 0;
    }
}

// ---- primitives ----

bool UnitProtocol::mQuery(const QByteArray &command, QByteArray &reply, quint32 timeoutMs, int n)
{
    reply.clear();
    const QByteArray line = command + kTerminator;
    m_driver.FlushBuffers(true, true);
    if (!m_driver.SendZString(line.constData()))
        return false;
    QByteArray buffer(n + 1, '\0');
    const quint32 got = m_driver.ReadData_inTime(buffer.data(), quint32(n + 1), timeoutMs);
    if (got != quint32(n + 1))
        return false;
    reply = buffer.left(n);
    return true;
}

bool UnitProtocol::mQueryAny(const QByteArray &command, QByteArray &reply, quint32 timeoutMs)
{
    reply.clear();
    const QByteArray line = command + kTerminator;
    m_driver.FlushBuffers(true, true);
    if (!m_driver.SendZString(line.constData()))
        return false;
    char buffer[kQueryAnyBytes];
    const quint32 got = m_driver.ReadData2(buffer, kQueryAnyBytes, timeoutMs);
    if (got == 0)
        return false;
    reply = QByteArray(buffer, int(got) - 1);
    return true;
}

bool UnitProtocol::mCommand(const QByteArray &command, const QByteArray &expected,
                            quint32 timeoutMs)
{
    QByteArray reply;
    return mQuery(command, reply, timeoutMs, int(expected.size())) && reply == expected;
}

// ---- port ----

bool UnitProtocol::mOpenCOM(int port)
{
    if (m_portOpen)
        return true;
    // The driver's port number is one byte; a larger number goes by name so that it can never
    // fall back to whatever device was used last.
    if (port >= 1 && port <= 255)
        m_driver.SetPort(TPortNumber(port));
    else
        m_driver.SetPortName(portNameForNumber(std::max(port, 0)));
    return connectAt9600();
}

bool UnitProtocol::mOpenCOM(const QString &portName)
{
    if (m_portOpen)
        return true;
    m_driver.SetPortName(portName);
    return connectAt9600();
}

bool UnitProtocol::connectAt9600()
{
    m_driver.SetBaudRate(br9600);
    if (!m_driver.Connect()) {
        m_driver.Disconnect();
        return false;
    }
    m_driver.FlushBuffers(true, true);
    m_portOpen = true;
    return true;
}

UnitOutcome UnitProtocol::openFailure() const
{
    const int error = m_driver.LastOpenError();
    return (error == EACCES || error == EPERM) ? UnitOutcome::PortAccessDenied
                                               : UnitOutcome::PortOpenFailed;
}

void UnitProtocol::mCloseCOM()
{
    if (!m_portOpen)
        return;
    m_driver.FlushBuffers(true, true);
    m_driver.Disconnect();
    m_portOpen = false;
}

// ---- unit ----

bool UnitProtocol::mCheckUnit()
{
    if (!mCommand(kCmdPresence, kReplyOk, kShortTimeout))
        return false;
    QByteArray model;
    if (!mQuery(kCmdModel, model, kShortTimeout, kTokenLength))
        return false;
    if (model != kTokenHKA && model != kTokenHKA2)
        return false;
    return mCommand(kCmdEnd, kReplyOk, kPresenceEndTimeout);
}

UnitOutcome UnitProtocol::mIdentifyUnit()
{
    if (!m_portOpen)
        return UnitOutcome::PortNotOpen;
    QByteArray reply;
    if (!mQueryAny(kCmdModel, reply, kShortTimeout))
        return UnitOutcome::ReplyError;
    if (reply == kTokenHKA)
        m_unitIsHKA = true;
    else if (reply == kTokenHKA2)
        m_unitIsHKA = false;
    else
        return UnitOutcome::ModelUnknown;
    if (!mQuery(kCmdVersion, reply, kShortTimeout, kTokenLength))
        return UnitOutcome::ReplyError;
    m_unitVersion = QString::fromLatin1(reply);
    if (!mQuery(kCmdSerial, reply, kShortTimeout, kTokenLength))
        return UnitOutcome::ReplyError;
    m_unitSerial = reply;
    if (!mCommand(kCmdCalibration, kReplyCalibrated, kShortTimeout))
        return UnitOutcome::Uncalibrated;
    return UnitOutcome::Ok;
}

UnitOutcome UnitProtocol::openAndIdentify(int port)
{
    return identifyOpened(mOpenCOM(port));
}

UnitOutcome UnitProtocol::openAndIdentify(const QString &portName)
{
    return identifyOpened(mOpenCOM(portName));
}

UnitOutcome UnitProtocol::identifyOpened(bool opened)
{
    if (!opened)
        return openFailure();
    if (!mCheckUnit()) {
        mCloseCOM();
        return UnitOutcome::UnitNotFound;
    }
    const UnitOutcome identified = mIdentifyUnit();
    if (identified != UnitOutcome::Ok) {
        mCloseCOM();
        m_unitSession = false;
        return identified;
    }
    m_unitSession = true;
    return UnitOutcome::Ok;
}

UnitOutcome UnitProtocol::mCheckBand(int band) const
{
    return bandCode(band, m_unitIsHKA) ? UnitOutcome::Ok : UnitOutcome::BandUnsupported;
}

UnitOutcome UnitProtocol::mRequestBand(int band)
{
    const char code = bandCode(band, m_unitIsHKA);
    if (!code)
        return UnitOutcome::BandUnsupported;
    m_driver.FlushBuffers(true, true);
    QByteArray reply;
    if (!mQuery(kCmdBandPrefix + code, reply, kShortTimeout, kTokenLength)) {
        m_unitSession = false;
        m_driver.Disconnect();
        m_portOpen = false;
        return UnitOutcome::SendError;
    }
    if (reply.at(0) == 'N' || reply.at(1) == 'G') {
        m_unitSession = false;
        return UnitOutcome::Refused;
    }
    if (!isHexChar(reply.at(0))) {
        m_unitSession = false;
        return UnitOutcome::NotHexCount;
    }
    if (hexValue(reply.constData(), kTokenLength) != bandPointCount(band)) {
        m_unitSession = false;
        return UnitOutcome::CountMismatch;
    }
    return UnitOutcome::Ok;
}

StopOutcome UnitProtocol::mStopUnit()
{
    if (!m_unitSession)
        return StopOutcome::NothingToStop;
    bool answered = false;
    for (int i = 0; i < kStopTries && !answered; ++i)
        answered = mCommand(kCmdEnd, kReplyOk, kStopTimeout);
    if (answered) {
        if (m_portOpen)
            m_driver.FlushBuffers(true, true);
        mCloseCOM();
        m_unitSession = false;
        return StopOutcome::Stopped;
    }
    m_driver.FlushBuffers(true, true);
    m_driver.Disconnect();
    m_portOpen = false;
    return StopOutcome::Unresponsive;
}

void UnitProtocol::mReleaseCOM()
{
    if (!m_unitSession)
        return;
    if (m_portOpen) {
        mCommand(kCmdEnd, kReplyOk, kStopTimeout);
        m_driver.FlushBuffers(true, true);
    }
    mCloseCOM();
    m_unitSession = false;
}

void UnitProtocol::mReleaseAll()
{
    if (m_portOpen) {
        mCommand(kCmdEnd, kReplyOk, kStopTimeout);
        m_driver.FlushBuffers(true, true);
    }
    mCloseCOM();
    m_unitSession = false;
}
