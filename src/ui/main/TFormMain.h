#pragma once

#include "core/analysis/TsParameters.h"
#include "core/document/MeasurementDocument.h"
#include "core/document/Preferences.h"
#include "core/document/UndoHistory.h"
#include "core/files/LanguageChoice.h"
#include "core/graph/AxisLabels.h"
#include "core/graph/GraphView.h"
#include "core/graph/ViewPicture.h"
#include "core/model/CurveBlock.h"
#include "core/model/GraphScale.h"
#include "core/model/Settings.h"
#include "ui/main/MainShell.h"

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
class QDragEnterEvent;
class QDropEvent;
class HStatus;
class TH_Message;
class TPaintBox;
class TStatusBar;
class Graph_RTF;
class VELO_File;
class MainView;
class MainFileCommands;
class MainRun;
class UnitStation;
class TFormCalc;
class TFormWorksheet;
class TFormUnits;
class TFormDrivers;
class TFormCompensation;
struct WorksheetHost;
class TFormQc;
struct QcStationHost;
class TFormSetting;
class TFormSetColor;
class TFormPrnInfo;

// The main window: owns the service objects, the measurement data, the view and the command
// objects (files, the run) that its menus and buttons drive.
class TFormMain : public QMainWindow, private MainShell
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
    // The graph: its band, axis ranges, shown curves, options and view operations.
    MainView &view() { return *m_view; }
    GraphScale &shownScale();
    // The file and reference commands, and the run; both exist once the services do.
    MainFileCommands &files() { return *m_files; }
    MainRun &run() { return *m_run; }

    // ---- start-up and deferred work, done in the idle handler ----
    bool initPending() const { return m_initPending != 0; }
    bool layoutPending() const { return m_layoutPending != 0; }
    // A file named on the command line: opened once the deferred start-up has run.
    void openAtStart(const QString &path) { m_startFile = path; }
    // Before an end the user did not choose: an unsaved measurement goes to a recovery file.
    void mSaveForRecovery();
    // Opens a workspace file as "ワークスペースを開く" does once it is chosen.
    void openWorkspace(const QString &path);
    // The parameters the analysis window shows for the measurement.
    const TsParameters &tsParameters() const { return m_tsParameters; }

    // The outer window size the layout rules and the settings file are written against:
    // the client area below the menu is (width - 8) x (height - 40).
    int outerWidth() const;
    int outerHeight() const;
    // Applies an outer window size within the size limits; the user cannot resize by dragging.
    void applyWindowSize(int width, int height);

    // ---- procedures tests drive directly ----
    void mLockControls();
    void mUnlockControls();
    void mApplyLabelColors();
    // The readout at box coordinates (x, y); y -1 from the keyboard, which reads along the band.
    void PaintBox1ReadAt(int x, int y = -1);
    // The axis labels in the renderer's order.
    const std::array<QLabel *, kAxisLabelCount> &axisLabels() const { return labelTable; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    // A data file or table dropped on the window opens (with Ctrl, as the next reference).
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // ---- what the command objects ask of the window ----
    int selectedBand() const override; // band list item index + 1
    void selectBand(int band) override;
    void clearReadout() override;
    void showCaption(const QString &path) override;
    // Every change of the measurement's curves calls this so the analysis searches again.
    void curvesChanged() override;
    // Every load or clear of the references calls this so the worksheet's lists follow.
    void referencesChanged() override;
    void lockControls() override { mLockControls(); }
    void unlockControls() override { mUnlockControls(); }
    bool mayStartRun() override;
    bool warnsAbove150() const override;

    // ---- shell ----
    void buildMenus();
    void buildLanguageMenu();
    void buildKeyboardAccess();
    void buildControls();
    WorksheetHost worksheetHost();
    QcStationHost qcHost();
    MainParts parts();
    void mInitialize();
    bool mCreateObjects();
    void mBuildLabelTable();
    void ApplicationIdle();
    void mDeferredInit();
    void mLayoutStatusBar();
    bool mConfirmQuit();
    void FormResize();
    void FormCloseQuery();
    void FormDestroy();
    int menuBarHeight(int clientWidth) const;
    void QuitBtnClick();
    void MenuFile_QuitClick();
    void MenuHelp_VersionClick();

    // ---- settings ----
    void mLoadSettings();
    void mSaveSettings();

    // ---- the unit station ----
    bool mCreatePort();
    void mDeletePort();

    // ---- view ----
    void MenuGraph_R_onlyClick();
    void MenuGraph_WideClick();
    void MenuGraph_AveClick();
    void MenuGraph_SpreadClick();
    // The view entries and their options; the choice is kept in a file of its own.
    void buildViewMenu();
    void MenuGraph_ViewClick(GraphView view);
    void MenuGraph_ViewOptionClick();
    ViewOptions chosenViewOptions() const;
    // The status line's word on a drawn view: refused, or points left uncompared.
    void reportView(const ViewDrawn &drawn);
    void MenuSet_WarningClick();
    // The graph as a file and on the clipboard (TFormMain_export.cpp).
    void buildExportMenu();
    // A change of the desktop's palette or the screen's pixel ratio redraws the graph.
    void followDesktopLook();
    QSize shownPictureSize() const;
    void MenuFile_ExportGraphClick();
    void MenuGraph_CopyClick();
    void ComboBox2Change();
    void PaintBox1MouseDown(QMouseEvent *event);
    // A drag, a wheel step or Escape over the graph: the view's zoom, or the whole band again.
    void zoomView(std::optional<QRectF> zoom);
    void FormPaint();

    // ---- analysis, printing and settings dialogs ----
    void MenuMesure_CalcClick();
    void MenuMeasure_WorksheetClick();
    void MenuMeasure_UnitsClick();
    void MenuMeasure_DriversClick();
    void MenuMeasure_CompensationClick();
    void MenuMeasure_QcClick();
    // Asks how many sweeps, then measures them.
    void MenuMeasure_RepeatClick();
    void MenuFile_PrintSetupClick();
    void MenuFile_PrintClick();
    void MenuSet_COMClick();
    void MenuSet_ColorClick();
    void MenuSet_LanguageClick(LanguageChoice choice);

    // ---- workspaces, recent files, undo and drops (TFormMain_workspace.cpp) ----
    void buildWorkspaceMenu();
    // After the start-up: nothing to undo yet.
    void startHistory();
    WorkspaceState currentState() const;
    void applyState(const WorkspaceState &state);
    // After an action of the menus: the state it left is a step of the history.
    void recordStep(UndoHistory::Step step = UndoHistory::Step::Other);
    // After a change nobody undoes (a run, a save): the history learns of it once idle.
    void queueHistorySync();
    void updateUndoActions();
    void MenuFile_UndoClick();
    void MenuFile_RedoClick();
    void MenuFile_OpenWorkspaceClick();
    void MenuFile_SaveWorkspaceClick();
    void refreshRecentMenu();
    void openRecent(const QString &path);
    // Asks before an unsaved measurement is replaced, then opens a workspace or a curve.
    void openChosenFile(const QString &path);
    // The files an action opened or saved go to the recent-files list.
    void noteRecentFiles(const WorkspaceState &before);
    void addRecent(const QString &path);
    // A measurement file or table chosen outside the open dialog (a drop, the recent list).
    void openMeasurementFile(const QString &path);

    // ---- persisted state (the preferences') ----
    Settings &settings;
    WindowState &windowState;

    // ---- controls (form names kept; tests find them by object name) ----
    TPaintBox *PaintBox1 = nullptr;
    QPushButton *MStartBtn = nullptr;
    QPushButton *QuitBtn = nullptr;
    QComboBox *ComboBox2 = nullptr;
    TStatusBar *StatusBar1 = nullptr;
    QTimer *Timer1 = nullptr;
    std::array<QLabel *, kAxisLabelCount> labelTable{}; // the renderer's label order

    QMenu *MenuFile = nullptr;
    QMenu *MenuMeasure = nullptr;
    QMenu *MenuGraph = nullptr;
    QAction *MenuGraph_R_only = nullptr;
    QAction *MenuGraph_Wide = nullptr;
    QAction *MenuGraph_Ave = nullptr;
    QAction *MenuGraph_Spread = nullptr;       // repeated sweeps' band: not kept in the settings
    std::array<QAction *, 5> MenuGraph_View{}; // by GraphView
    QAction *MenuGraph_DiffPct = nullptr;
    QAction *MenuGraph_Legend = nullptr;
    QAction *MenuGraph_LogZ = nullptr;
    // The reference a difference or ratio compares against, by slot.
    std::array<QAction *, kReferenceSlots> MenuGraph_CompareRef{};
    QMenu *MenuRef = nullptr;
    QMenu *MenuSet = nullptr;
    QAction *MenuSet_Warning = nullptr;
    // "Language / 言語": follow the desktop, Japanese, English; applies at the next start.
    QMenu *MenuSet_Language = nullptr;
    QMenu *MenuHelp = nullptr;
    QAction *MenuFile_Undo = nullptr;
    QAction *MenuFile_Redo = nullptr;
    QMenu *MenuFile_Recent = nullptr;

    // ---- service objects, created in this order by mCreateObjects ----
    TH_Message *message = nullptr;
    HStatus *status = nullptr;
    VELO_File *file = nullptr;
    Graph_RTF *graph = nullptr;
    // The one owner of the unit: its port, protocol and run. The worksheet and the QC station
    // measure through it too, each under a lease.
    UnitStation *station = nullptr;

    // ---- the view and the command objects ----
    std::unique_ptr<MainView> m_view;
    std::unique_ptr<MainFileCommands> m_files;
    MainRun *m_run = nullptr; // a child of the window, made with the station

    // ---- windows that live as long as the main window ----
    TFormCalc *formCalc = nullptr;
    TFormWorksheet *formWorksheet = nullptr;
    TFormUnits *formUnits = nullptr;
    TFormDrivers *formDrivers = nullptr;
    TFormCompensation *formCompensation = nullptr;
    TFormQc *formQc = nullptr;
    TFormSetting *formSetting = nullptr;
    TFormPrnInfo *formPrnInfo = nullptr;
    TFormSetColor *formSetColor = nullptr;

    // ---- main-window flags ----
    quint8 m_initPending = 0;
    quint8 m_layoutPending = 0;
    quint8 m_placementLoading = 0;

    // The analysis window's smoothed copy of the measurement, filled by its search.
    const std::unique_ptr<CurveBlock> m_curveSmooth;
    QString m_startFile;
    int m_repeatCount = 4; // the last number of sweeps asked for
    TsParameters m_tsParameters;

    std::unique_ptr<UndoHistory> m_history; // from the end of the start-up
    bool m_historySyncQueued = false;
    std::unique_ptr<QObject> m_historyContext; // of the worksheet's input connections
    QString m_workspaceFolder;

    bool m_inIdle = false;
    bool m_destroyed = false;
};
