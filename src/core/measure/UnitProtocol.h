#pragma once

#include <QByteArray>
#include <QString>

class TCommPortDriver;

// What a unit operation ended with, and the state it leaves the port and the unit session
// in. How each is worded is the windows' and the command line's business.
enum class UnitOutcome {
    Ok,
    // Opening the port (openAndIdentify, or the caller's own mOpenCOM):
    PortOpenFailed,   // the device could not be opened. Port closed.
    PortAccessDenied, // the device exists but the user lacks the permission to open it.
                      // Port closed.
    // Presence check:
    UnitNotFound, // "?" or the model reply did not come. Port closed.
    // Identification:
    PortNotOpen,  // identification asked without an open port.
    ReplyError,   // "U?" unanswered, "V?" or "SN?" failed. Port closed.
    ModelUnknown, // the model reply names neither model. Port closed.
    Uncalibrated, // "M?" not answered "0" (the serial is known). Port closed.
    // Band check (HK-A only):
    BandUnsupported, // the model lacks the band. Port open, session kept.
    // Band request:
    SendError,     // request unanswered. Port closed, session cleared.
    Refused,       // the unit said "N?"/"?G". Port open, session cleared.
    NotHexCount,   // count reply not hexadecimal. Port open, session cleared.
    CountMismatch, // count differs from the band table (the unit's firmware does not match).
                   // Port open, session cleared.
};

enum class StopOutcome {
    NothingToStop, // no unit session: nothing was sent
    Stopped,       // the unit answered "ME"; port closed, session ended
    Unresponsive,  // three "ME" went unanswered; port closed, session kept so a later stop
                   // (the program's end) repeats the attempt on the closed port
};

// UnitProtocol: the dialogue with an HK-A / HK-A2 unit over a TCommPortDriver.
//
// Every command is ASCII text plus CR; before each one both device queues are purged so that a
// reply is read only from what arrives after it. Replies are fixed-length text plus one
// terminator byte that is not examined. All operations block for at most their time-outs.
//
// A start runs, in this order: openAndIdentify (open, presence check, identification; sets the
// unit session), mCheckBand, then mRequestBand (MeasurementRun::start is the one caller); after
// the point stream mReleaseCOM; a user's stop calls mStopUnit.
class UnitProtocol
{
public:
    explicit UnitProtocol(TCommPortDriver &driver);

    // ---- session state ----
    bool portOpen() const { return m_portOpen; }
    bool unitSession() const { return m_unitSession; }
    bool unitIsHKA() const { return m_unitIsHKA; }
    QByteArray unitSerial() const { return m_unitSerial; } // from "SN?", as sent
    QString unitVersion() const { return m_unitVersion; }  // from "V?"
    // "HK-A" or "HK-A2", the model text of the status line.
    QString modelText() const;
    TCommPortDriver &driver() { return m_driver; }

    // ---- primitives ----
    // Sends command + CR after a purge and reads exactly n + 1 bytes; reply = the first n.
    bool mQuery(const QByteArray &command, QByteArray &reply, quint32 timeoutMs, int n);
    // As mQuery, but takes up to 6 bytes in the time-out; reply = what came less its last byte.
    bool mQueryAny(const QByteArray &command, QByteArray &reply, quint32 timeoutMs);
    // mQuery with n = length of `expected`; true only when the reply equals it exactly.
    bool mCommand(const QByteArray &command, const QByteArray &expected, quint32 timeoutMs);

    // ---- port ----
    // Opens COM `port` at 9600 bit/s unless the port is already open (then it is kept as is).
    // Numbers 1..255 go through the driver's Port; larger ones as the name "COMn".
    bool mOpenCOM(int port);
    // The same for a port given by name: "COMn" resolves as port n does, anything else is
    // the device's path.
    bool mOpenCOM(const QString &portName);
    void mCloseCOM();
    // Why the last mOpenCOM failed: PortAccessDenied without the permission, else PortOpenFailed.
    UnitOutcome openFailure() const;

    // ---- unit ----
    bool mCheckUnit();           // "?", "U?", "ME"
    UnitOutcome mIdentifyUnit(); // "U?", "V?", "SN?", "M?"; sets model, version, serial
    // mOpenCOM, mCheckUnit, mIdentifyUnit; on failure closes the port, else sets the session.
    UnitOutcome openAndIdentify(int port);
    UnitOutcome openAndIdentify(const QString &portName);
    // Ok, or BandUnsupported for an HK-A and a band it lacks.
    UnitOutcome mCheckBand(int band) const;
    // "M" + band code; Ok when the unit announced bandPointCount(band) points and is sweeping.
    UnitOutcome mRequestBand(int band);
    StopOutcome mStopUnit();
    void mReleaseCOM(); // end of a run: one "ME" (result ignored), then close
    // For a caller that is about to end for good: one "ME" (result ignored) whenever the port
    // is open, session or not (a refused or mismatched band request may have left the unit
    // sweeping), then close.
    void mReleaseAll();

    // Band code character for a model; 0 when the model has no such band.
    static char bandCode(int band, bool hka);

private:
    bool connectAt9600();
    UnitOutcome identifyOpened(bool opened);

    TCommPortDriver &m_driver;
    bool m_portOpen = false;
    bool m_unitSession = false;
    bool m_unitIsHKA = false;
    QByteArray m_unitSerial;
    QString m_unitVersion;
};
