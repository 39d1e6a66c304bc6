#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

class TStatusBar;
enum class UnitOutcome;

// One status-panel text per situation. Panel 0: unit and connection, 1: progress of the
// current operation, 2: value readout.
class HStatus
{
    Q_DECLARE_TR_FUNCTIONS(HStatus)

public:
    static constexpr int kUnitPanel = 0;
    static constexpr int kProgressPanel = 1;
    static constexpr int kReadoutPanel = 2;

    HStatus(TStatusBar *bar, const QString &unitName, int highestPanel);

    // Width a panel gets for a text of the given pixel width.
    static int panelWidthFor(int textWidth) { return textWidth <= 100 ? 110 : textWidth + 20; }

    void showText(const QString &text, int panel) const;
    // A start's outcome in the panel its wording belongs to; nothing for a box-only outcome.
    void showOutcome(UnitOutcome outcome) const;
    // serial: the bytes the unit sent, shown in the data file's code page.
    void showUnit(const QString &model, const QByteArray &serial, const QString &version) const;
    void showUnitNotFound() const;
    void showModelUnknown() const;
    void showPortError() const;
    // The port exists but the user may not open it (not in the dialout group).
    void showPortAccessDenied() const;
    void showReceiveError() const;
    void showSendError() const;
    // The unit answered the band request with a refusal or a count that is no number.
    void showBandRefused() const;
    void showReplyError() const;
    void showUncalibrated() const;
    void showMeasuring() const;
    // Sweep `sweep` of a set of `planned` repeated sweeps is being measured.
    void showSweep(int sweep, int planned) const;
    // The measurement is the mean of `count` sweeps of a set of `planned`; partial when a
    // stop or a failure ended the set early.
    void showRepeatMean(int count, int planned, bool partial) const;
    void showReceiving() const;
    void showCalculating() const;
    void showFinished() const;
    void showStopped() const;
    void showCalcError() const;
    // reason: the system's words for the failure, when it gave them.
    void showSaveFailed(const QString &reason = QString()) const;
    void showSaved() const;
    void showExported() const;
    // Another tool's table taken as the measurement or a reference, with what was tidied.
    void showImported(const QString &fileName, int band, bool reordered, int duplicates) const;
    void showZmaWritten() const;
    // Points of the measurement a reference of another band or range does not cover.
    void showUncompared(int count) const;
    // The chosen graph view cannot show the curves (no phase, no reference).
    void showViewRefused() const;
    void clearPanel(int panel) const;

private:
    TStatusBar *m_bar;
    QString m_unitName;
    int m_highestPanel;
};
