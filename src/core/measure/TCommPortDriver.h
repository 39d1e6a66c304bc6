#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QTimer;
struct termios;

// Line parameters, each one byte wide, counting from 0 in the order given.
enum TBaudRate : quint8 {
    brCustom, // BaudRateValue holds the bit rate
    br110,
    br300,
    br600,
    br1200,
    br2400,
    br4800,
    br9600,
    br14400,
    br19200,
    br38400,
    br56000,
    br57600,
    br115200,
    br128000,
    br256000
};

// Port n is COMn; pnCustom means PortName names the device. Any one-byte value is accepted,
// also above pnCOM16.
enum TPortNumber : quint8 {
    pnCustom,
    pnCOM1,
    pnCOM2,
    pnCOM3,
    pnCOM4,
    pnCOM5,
    pnCOM6,
    pnCOM7,
    pnCOM8,
    pnCOM9,
    pnCOM10,
    pnCOM11,
    pnCOM12,
    pnCOM13,
    pnCOM14,
    pnCOM15,
    pnCOM16
};

enum TDataBits : quint8 { db5BITS, db6BITS, db7BITS, db8BITS };
enum TStopBits : quint8 { sb1BITS, sb1HALFBITS, sb2BITS };
enum TParity : quint8 { ptNONE, ptODD, ptEVEN, ptMARK, ptSPACE };
enum THwFlowControl : quint8 { hfNONE, hfNONERTSON, hfRTSCTS };
enum TSwFlowControl : quint8 { sfNONE, sfXONXOFF };

// Modem input lines; TLineStatusSet holds them as bits, lsCTS the lowest.
enum TLineStatus : quint8 { lsCTS, lsDSR, lsRING, lsCD };
using TLineStatusSet = quint8;
constexpr TLineStatusSet lineStatusBit(TLineStatus s)
{
    return TLineStatusSet(1u << s);
}

// Bit rate of a TBaudRate value; brCustom gives 0.
quint32 BaudRateOf(TBaudRate rate);

// TCommPortDriver: the one serial port of the program, on a termios device.
//
// Connect opens the device named by PortName exclusively (flock + TIOCEXCL), puts it into raw
// mode with the line settings and starts a polling timer of PollingDelay ms whose handler reads
// nothing: received bytes stay queued until an explicit read call takes them. A PortName of the
// form "COMn" (what SetPort gives) is resolved at Connect time through PortResolver; any other
// name is opened as a path.
//
// All calls are synchronous. ReadData waits until `count` bytes have arrived or, with nothing
// waiting, more than InputTimeout ms have passed since the call began (a total time-out).
// SendDataEx gives up when nothing could be written for more than its time-out (an inactivity
// time-out, restarted by every successful write). Both wait in poll() rather than spinning.
// A device that went away (hang-up or error from poll, EIO or ENXIO from a read) ends the call
// at once and sets DeviceLost; every later send and read then returns at once with nothing.
// Disconnect gives the terminal back the settings it had before Connect.
// Failures are false results or short counts; the driver shows nothing.
class TCommPortDriver : public QObject
{
    Q_OBJECT
public:
    static constexpr int kInvalidHandle = -1;
    static constexpr int kDetachHandle = -2;

    explicit TCommPortDriver(QObject *owner = nullptr);
    ~TCommPortDriver() override;

    // ---- properties ----
    TPortNumber Port() const { return m_port; }
    void SetPort(TPortNumber port); // refused while open; sets PortName "COMn" unless pnCustom
    QString PortName() const { return m_portName; }
    void SetPortName(const QString &name); // refused while open; Port becomes pnCustom
    TBaudRate BaudRate() const { return m_baudRate; }
    void SetBaudRate(TBaudRate rate);
    quint32 BaudRateValue() const { return m_baudRateValue; }
    void SetBaudRateValue(quint32 value); // BaudRate becomes brCustom
    TDataBits DataBits() const { return m_dataBits; }
    TStopBits StopBits() const { return m_stopBits; }
    void SetStopBits(TStopBits bits);
    TParity Parity() const { return m_parity; }
    THwFlowControl HwFlow() const { return m_hwFlow; }
    void SetHwFlowControl(THwFlowControl flow);
    TSwFlowControl SwFlow() const { return m_swFlow; }
    void SetSwFlowControl(TSwFlowControl flow);
    quint32 InBufSize() const { return m_inBufSize; }
    void SetInBufSize(quint32 size); // refused while open; clamped to 128..8192
    quint32 OutBufSize() const { return m_outBufSize; }
    void SetOutBufSize(quint32 size); // refused while open; clamped to 128..8192
    quint16 PollingDelay() const { return m_pollingDelay; }
    void SetPollingDelay(quint16 ms); // below 5 becomes 5; restarts the timer while open
    bool EnableDTROnOpen() const { return m_enableDTROnOpen; }
    quint16 OutputTimeout() const { return m_outputTimeout; }
    quint32 InputTimeout() const { return m_inputTimeout; }
    void SetInputTimeout(quint32 ms) { m_inputTimeout = ms; }
    bool CheckLineStatus() const { return m_checkLineStatus; }

    // ---- open and close ----
    bool Connect();
    void Disconnect();
    bool Connected() const { return m_handle != kInvalidHandle; }
    // Attaches a descriptor opened elsewhere (line settings are not applied); kDetachHandle
    // lets go of the current one without closing it; kInvalidHandle just disconnects.
    void SetHandle(int handle);
    int DeviceHandle() const { return m_handle; }

    // errno of the last failed Connect (ENOENT when a port number resolved to nothing,
    // EACCES without permission, EBUSY when another program holds the port); 0 after success.
    int LastOpenError() const { return m_lastOpenError; }
    // Device path the last Connect tried to open (empty when a port number resolved to nothing).
    QString DevicePath() const { return m_devicePath; }
    // True while the polling timer runs, i.e. from Connect to Disconnect.
    bool PollingActive() const;
    // True once the open device has gone away (an adapter pulled out, the far side of a
    // pseudo-terminal closed); false again after Disconnect.
    bool DeviceLost() const { return m_deviceLost; }

    // ---- line and queues ----
    bool ApplyCOMSettings();
    bool FlushBuffers(bool input, bool output);
    quint32 CountRX();      // bytes waiting; 65535 when closed
    quint16 OutFreeSpace(); // OutBufSize minus bytes queued for output; 65535 when closed
    TLineStatusSet GetLineStatus();
    void ToggleDTR(bool on);
    void ToggleRTS(bool on);

    // ---- sending ----
    quint32 SendDataEx(const char *data, quint32 count, quint32 timeoutMs);
    quint32 SendData(const char *data, quint32 count);
    bool SendByte(quint8 value);
    bool SendChar(char c);
    bool SendString(const QByteArray &text);
    bool SendZString(const char *text); // an empty text sends nothing and gives true

    // ---- reading ----
    quint32 ReadData(char *buffer, quint32 count);
    quint32 ReadData_inTime(char *buffer, quint32 count, quint32 timeoutMs);
    quint32 ReadData2(char *buffer, quint32 count, quint32 timeoutMs);
    quint32 ReadData_All(char *buffer); // buffer must hold CountRX() bytes
    bool ReadByte(quint8 &value);
    bool ReadChar(char &c);

    // Milliseconds of the monotonic clock as an unsigned 32-bit count that wraps.
    static quint32 tickCount();

private slots:
    void TimerWndProcZ();

private:
    bool openDevice(const QString &path);
    void setModemLine(int line, bool on);
    // Waits until the device is readable (or writable) or `ms` have passed; false, with
    // DeviceLost set, when the device has gone away.
    bool waitForDevice(short events, quint64 ms);
    quint64 lineTimeMs(quint32 bytes) const; // milliseconds the line needs for them, rounded up
    // True when a failed read or write says the device has gone away.
    bool noteLostDevice(int error);

    int m_handle = kInvalidHandle;
    bool m_ownsLock = false;
    QTimer *m_timer = nullptr;
    int m_lastOpenError = 0;
    QString m_devicePath;
    bool m_deviceLost = false;
    // The terminal's settings before Connect, put back by Disconnect.
    std::unique_ptr<termios> m_savedTermios;

    TPortNumber m_port = pnCOM1;
    QString m_portName;
    TBaudRate m_baudRate = br9600;
    quint32 m_baudRateValue = 9600;
    TDataBits m_dataBits = db8BITS;
    TStopBits m_stopBits = sb1BITS;
    TParity m_parity = ptNONE;
    THwFlowControl m_hwFlow = hfNONERTSON;
    TSwFlowControl m_swFlow = sfNONE;
    quint32 m_inBufSize = 2048;
    quint32 m_outBufSize = 2048;
    quint16 m_pollingDelay = 100;
    bool m_enableDTROnOpen = true;
    quint16 m_outputTimeout = 500;
    quint32 m_inputTimeout = 100;
    bool m_checkLineStatus = false;
};
