#pragma once

#include "core/qc/QcLimits.h"
#include "core/qc/QcStationSettings.h"
#include "core/qc/QcVerdict.h"
#include "core/qc/grr/StudyLog.h"

#include <QWidget>
#include <functional>
#include <memory>

class QBoxLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class QcStudyMode;
class RunDriver;
class StationLog;
class TDialogQcCharts;
class UnitStation;
struct CurveBlock;
struct MeasurementRecord;
struct StationLogOutcome;

// What the QC station needs from the main window, which owns the unit and its port setting.
struct QcStationHost {
    UnitStation *station = nullptr; // the unit, shared with the other windows that measure
    std::function<int()> comPort;
};

// The modeless "QCモード" station: a limits file, a folder, a serial number field (a barcode
// scanner types the number and Return, which starts the run), the limit band with the
// measured curve, and a large PASS / FAIL with the reasons after each run. Every measurement
// is saved as <serial>.DTA in the folder and logged (an SQLite file in the folder unless a
// server is set) off this window's thread, while the next unit may already measure. The run
// is this window's own, on the unit station under this window's name; the main window's
// measurement and graph stay as they are.
class TFormQc : public QWidget
{
    Q_OBJECT
public:
    explicit TFormQc(const QcStationHost &host, QWidget *parent = nullptr);
    ~TFormQc() override;

    void showStation();
    void stopRun();
    bool running() const;
    // The database field's text with its password, which the field shows as "***".
    QString databaseText() const;
    const QcVerdict &verdict() const { return m_verdict; }

    QLineEdit *LimitsEdit = nullptr;
    QPushButton *LimitsButton = nullptr;
    QLineEdit *FolderEdit = nullptr;
    QLineEdit *DbEdit = nullptr;
    QLineEdit *SerialEdit = nullptr;
    QPushButton *StartButton = nullptr;
    QPushButton *StopButton = nullptr;
    QPushButton *CloseButton = nullptr;
    QPushButton *ChartsButton = nullptr; // the control charts of the station's log
    QLabel *GraphView = nullptr;
    QLabel *VerdictLabel = nullptr;
    QPlainTextEdit *ReasonsText = nullptr;
    QLabel *RunLabel = nullptr;
    QLabel *LogLabel = nullptr;
    QLabel *NoticeLabel = nullptr;      // in red: a scan refused while a unit measures
    QPushButton *StudyButton = nullptr; // a gauge study instead of verdicts, and back
    QLabel *StudyLabel = nullptr;       // the study's next part, operator and trial

signals:
    // A run ended with a verdict and its file saved (or not: savedPath empty).
    void unitChecked(bool passed, const QString &savedPath);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void chooseLimits();
    void redrawGraph(int pointsShown);
    void showVerdict();
    void clearVerdict();
    void clearPreviousUnit();
    void readyForNextScan();

    // the run (TFormQc_run.cpp)
    void connectRunDriver();
    void startRun();
    void refuseScanWhileRunning();
    void showPoint(int point, bool converted);
    void finishRun(bool converted);
    void failRun(const QString &reason);
    void endRun();
    void setRunning(bool on);

    // the gauge study mode (TFormQc_study.cpp)
    void buildStudyControls(QBoxLayout *buttons, QBoxLayout *lines);
    bool studying() const;
    void toggleStudy();
    // True, with a beep and the study's line, when the study has no cell to measure now (it is
    // being set up, waits for the log or is done): what is on screen stays.
    bool studyWaiting();
    // The next cell's name as the run's serial.
    QString takeStudyCell(QString *serial);
    void finishStudyRun();
    void showStudyNext();
    // the control charts (TFormQc_charts.cpp)
    void showCharts();

    // the log (TFormQc_log.cpp)
    void logResult(const QString &folder, const QString &dataFile);
    void showLogged(const StationLogOutcome &outcome);

    QcStationHost m_host;
    QcStationSettings m_station; // as last kept
    QcLimits m_limits;
    bool m_haveLimits = false;
    QcVerdict m_verdict;
    bool m_haveVerdict = false;

    RunDriver *m_run = nullptr;
    std::unique_ptr<MeasurementRecord> m_record;
    std::unique_ptr<CurveBlock> m_raw;
    std::unique_ptr<CurveBlock> m_avg;
    QString m_runSerial;
    QString m_runPath;
    QString m_runFolder;
    std::unique_ptr<StationLog> m_log; // threads of its own: a slow server never holds this window
    QString m_loggingRun;              // the run whose log line is on screen
    QString m_database;                // the database field's real text
    int m_pointsShown = 0;
    QcStudyMode *m_study = nullptr;
    QString m_studyName; // set while the window is in its study mode
    GaugeCell m_studyCell;
    TDialogQcCharts *m_charts = nullptr;
};
