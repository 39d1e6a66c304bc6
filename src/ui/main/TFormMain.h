#pragma once

#include "core/analysis/TsParameters.h"
#include "core/document/MeasurementDocument.h"
#include "core/document/Preferences.h"
#include "core/files/LanguageChoice.h"
#include "core/files/VELO_File.h"
#include "core/graph/AxisLabels.h"
#include "core/measure/UnitStation.h"
#include "core/model/CurveBlock.h"
#include "core/model/GraphScale.h"
#include "core/model/MeasurementRecord.h"
#include "core/model/Settings.h"

#include <QMainWindow>
#include <array>
#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;
class QMouseEvent;
class HStatus;
class TH_Message;
class TPaintBox;
class TStatusBar;
class Graph_RTF;
class TCommPortDriver;
class UnitStation;
class TFormCalc;
class TFormWorksheet;
struct WorksheetHost;
class TFormQc;
struct QcStationHost;
class TFormSetting;
class TFormSetColor;
class TFormPrnInfo;

// The main window: owns the service objects, the measurement data and every command.
// Command handlers are grouped by subsystem in the TFormMain_*.cpp files.
class TFormMain : public QMainWindow
{
    Q_OBJECT
    // Declared first: the data members below name their parts.
    std::unique_ptr<MeasurementDocument> m_document;
    // The settings file's contents, beside the document rather than in it.
    std::unique_ptr<Preferences> m_preferences;

public:
    explicit TFormMain(QWidget *parent = nullptr);
    ~TFormMain() override;

    MeasurementDocument &document() { return *m_document; }
    const MeasurementDocument &document() const { return *m_document; }
    Preferences &preferences() { return *m_preferences; }
    const Preferences &preferences() const { return *m_preferences; }
    // The graph's band, axis ranges and shown curves.
    GraphScale &shownScale() { return graphScale; }
    const GraphScale &shownScale() const { return graphScale; }

    // ---- start-up and deferred work, done in the idle handler ----
    bool initPending() const { return m_initPending != 0; }
    bool finishPending() const { return m_finishPending != 0; }
    bool layoutPending() const { return m_layoutPending != 0; }
    // The parameters the analysis window shows for the measurement.
    const TsParameters &tsParameters() const { return m_tsParameters; }

    // ---- controls (form names kept) ----
    TPaintBox *PaintBox1 = nullptr;
    QPushButton *MStartBtn = nullptr;
    QPushButton *QuitBtn = nullptr;
    QComboBox *ComboBox2 = nullptr;
    TStatusBar *StatusBar1 = nullptr;
    QTimer *Timer1 = nullptr;
    std::array<QLabel *, kAxisLabelCount> labelTable{}; // the renderer's label order

    QMenu *MenuFile = nullptr;
    QAction *MenuFile_Open = nullptr;
    QAction *MenuFile_Save = nullptr;
    QAction *MenuFile_Close = nullptr;
    QAction *MenuFile_Export = nullptr;
    QAction *MenuFile_Zma = nullptr;
    QAction *MenuFile_PrintSetup = nullptr;
    QAction *MenuFile_Print = nullptr;
    QAction *MenuFile_Quit = nullptr;
    QMenu *MenuMeasure = nullptr;
    QAction *MenuMeasure_Start = nullptr;
    QAction *MenuMesure_Calc = nullptr;
    QAction *MenuMeasure_Worksheet = nullptr;
    QAction *MenuMeasure_Qc = nullptr;
    QMenu *MenuGraph = nullptr;
    QAction *MenuGraph_R_only = nullptr;
    QAction *MenuGraph_Wide = nullptr;
    QAction *MenuGraph_Ave = nullptr;
    QMenu *MenuRef = nullptr;
    QAction *MenuRef_Open = nullptr;
    QAction *MenuRef_Close = nullptr;
    QMenu *MenuSet = nullptr;
    QAction *MenuSet_COM = nullptr;
    QAction *MenuSet_Color = nullptr;
    QAction *MenuSet_Warning = nullptr;
    // "Language / 言語": follow the desktop, Japanese, English; applies at the next start.
    QMenu *MenuSet_Language = nullptr;
    QAction *MenuSet_LangDesktop = nullptr;
    QAction *MenuSet_LangJapanese = nullptr;
    QAction *MenuSet_LangEnglish = nullptr;
    QMenu *MenuHelp = nullptr;
    QAction *MenuHelp_Version = nullptr;

    // ---- service objects, created in this order by mCreateObjects ----
    TH_Message *message = nullptr;
    HStatus *status = nullptr;
    VELO_File *file = nullptr;
    Graph_RTF *graph = nullptr;
    // The one owner of the unit: its port, protocol and run. The worksheet and the QC station
    // measure through it too, each under a lease. The port and session state are read through
    // portOpen(), unitSession(), unitIsHKA() and unitVersion(). The serial belongs to the
    // document: an identification that read it sets it, and so does an opened data file.
    UnitStation *station = nullptr;
    TCommPortDriver *port = nullptr; // the station's port driver

    // ---- the run as the window shows it ----
    quint8 measuring = 0;
    int pointsReceived = 0; // points of the current run stored so far

    // ---- windows that live as long as the main window ----
    TFormCalc *formCalc = nullptr;
    TFormWorksheet *formWorksheet = nullptr;
    TFormQc *formQc = nullptr;
    TFormSetting *formSetting = nullptr;
    TFormPrnInfo *formPrnInfo = nullptr;
    TFormSetColor *formSetColor = nullptr;

    // ---- the unit and the run, read from the protocol and the run ----
    bool portOpen() const;
    bool unitSession() const;
    bool unitIsHKA() const;
    QString unitVersion() const;
    bool watchdogExpired() const; // the run has heard nothing for its watchdog time

    // ---- shell ----
    void mInitialize();
    bool mCreateObjects();
    void mBuildLabelTable();
    void ApplicationIdle();
    void mDeferredInit();
    void mLayoutStatusBar();
    void mLockControls();
    void mUnlockControls();
    void mApplyLabelColors();
    bool mConfirmQuit();
    void FormResize();
    void QuitBtnClick();
    void MenuFile_QuitClick();
    void MenuHelp_VersionClick();
    void selectShownCurves();
    bool anyReferenceLoaded() const;
    int selectedBand() const; // band list item index + 1
    // The outer window size the layout rules and the settings file are written against:
    // the client area below the menu is (width - 8) x (height - 40).
    int outerWidth() const;
    int outerHeight() const;
    // Applies an outer window size within the size limits; the user cannot resize by dragging.
    void applyWindowSize(int width, int height);

    // ---- files and settings ----
    void mLoadSettings();
    void mSaveSettings();
    void MenuFile_OpenClick();
    // What 開く does once a file is chosen.
    void openDataFile(const QString &path);
    // A file named on the command line: opened once the deferred start-up has run.
    void openAtStart(const QString &path) { m_startFile = path; }
    void MenuFile_SaveClick();
    void MenuFile_CloseClick();
    void MenuFile_ExportClick();
    void MenuFile_ZmaClick();
    // "開く" of another tool's table instead of a data file.
    void mImportMeasurement(const QString &path);
    void MenuRef_OpenClick();
    void MenuRef_CloseClick();
    // Before an end the user did not choose: an unsaved measurement goes to a recovery file.
    void mSaveForRecovery();
    // At start: tells where the measurements kept that way are.
    void mTellRecovery();

    // ---- measurement run ----
    void MStartBtnClick();
    void MenuMeasure_StartClick();
    void mStartMeasure();
    bool mStartSequence();
    void mAcquireStep();
    void mErrorEnd(); // silence, a damaged point, wrong end mark, device gone
    void mFinishRun();
    void mStartWatchdog(int ms);
    void mStopWatchdog();
    void Timer1Timer();

    // ---- unit protocol, through the run ----
    bool mCreatePort(); // the unit station
    void mDeletePort();
    void mStopUnit();
    // Closing: whatever runs on the unit, here or in another window, stops once.
    void mStopAllRuns();

    // ---- view ----
    void showMeasurement();
    void showReferences();
    void showMeasurementAndReferences();
    void refreshView();
    // The view with the measurement: with the references when any is loaded.
    void showMeasurementView();
    void scaleForMeasurement();
    void scaleForReferences();
    void scaleForBoth();
    bool rOnly() const; // the marks of the graph options are their state
    bool wide() const;
    void MenuGraph_R_onlyClick();
    void MenuGraph_WideClick();
    void MenuGraph_AveClick();
    void MenuSet_WarningClick();
    void ComboBox2Change();
    void PaintBox1MouseDown(QMouseEvent *event);
    void PaintBox1ReadAt(int x); // the readout of box coordinate x, by mouse or keyboard
    void FormPaint();

    // ---- analysis, printing and settings dialogs ----
    // Every change of the measurement's curves calls this so the analysis searches again.
    void curvesChanged();
    void MenuMesure_CalcClick();
    void MenuMeasure_WorksheetClick();
    void MenuMeasure_QcClick();
    // Every load or clear of the references calls this so the worksheet's lists follow.
    void referencesChanged();
    void MenuFile_PrintSetupClick();
    void MenuFile_PrintClick();
    void MenuSet_COMClick();
    void MenuSet_ColorClick();
    void MenuSet_LanguageClick(LanguageChoice choice);

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildMenus();
    WorksheetHost worksheetHost();
    void buildLanguageMenu();
    void buildKeyboardAccess();
    QcStationHost qcHost();
    void buildControls();
    int menuBarHeight(int clientWidth) const;
    void FormCloseQuery();
    void FormDestroy();

    // ---- persisted state (the preferences') ----
    Settings &settings;
    WindowState &windowState;

    // ---- main-window flags ----
    quint8 m_initPending = 0;
    quint8 m_finishPending = 0;
    UnitLease m_lease;            // held from a start to the run's end
    bool m_lockedByOther = false; // controls locked while another window measures
    quint8 m_layoutPending = 0;
    quint8 m_placementLoading = 0;

    // ---- measurement data: the document owns it, these name its parts for reading ----
    const MeasurementRecord *const measurement;
    std::array<const MeasurementRecord *, kReferenceSlots> references{};
    const CurveBlock *const curveRaw;
    const CurveBlock *const curveAvg;
    // The analysis window's smoothed copy of the measurement, filled by its search.
    const std::unique_ptr<CurveBlock> m_curveSmooth;
    CurveBlock *const curveSmooth;
    std::array<const CurveBlock *, kReferenceSlots> refCurveRaw{};
    std::array<const CurveBlock *, kReferenceSlots> refCurveAvg{};
    // The view, the window's own: band, axis ranges and the shown-curve pointers
    // (curveShown, refCurveShown) the renderer draws.
    GraphScale graphScale;
    const QByteArray &unitSerial; // as the unit sent it or the data file holds it
    const QString &dataFileName;
    QString m_startFile;
    QString m_dialogFolder; // where the file dialogs open: that of the file last chosen in one
    const std::array<QString, kReferenceSlots> &refFileNames;
    TsParameters m_tsParameters;

    bool m_inIdle = false;
    bool m_destroyed = false;
};
