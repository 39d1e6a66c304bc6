#include "ui/main/TFormMain.h"
#include "ui/common/AccessibleNames.h"

#include "core/document/WorkspaceFile.h"
#include "core/graph/ChartScheme.h"
#include "core/graph/ViewZoom.h"
#include "core/graph/WindowFont.h"
#include "core/measure/PortResolver.h"
#include "core/model/BandTable.h"
#include "ui/analysis/CompensationTexts.h"
#include "ui/analysis/DriverTexts.h"
#include "ui/analysis/TFormCalc.h"
#include "ui/analysis/TFormCompensation.h"
#include "ui/analysis/TFormDrivers.h"
#include "ui/analysis/TFormUnits.h"
#include "ui/analysis/TFormWorksheet.h"
#include "ui/analysis/UnitsTexts.h"
#include "ui/analysis/WorksheetTexts.h"
#include "ui/common/HStatus.h"
#include "ui/common/TH_Message.h"
#include "ui/common/TStatusBar.h"
#include "ui/common/Texts.h"
#include "ui/dialogs/TFormSetting.h"
#include "ui/graph/Graph_RTF.h"
#include "ui/graph/TFormSetColor.h"
#include "ui/graph/TPaintBox.h"
#include "ui/main/MainFileCommands.h"
#include "ui/main/MainRun.h"
#include "ui/main/MainView.h"
#include "ui/main/TFormDebug.h"
#include "ui/main/TFormVersion.h"
#include "ui/print/TFormPrnInfo.h"
#include "ui/qc/QcTexts.h"
#include "ui/qc/TFormQc.h"

#include <QAbstractEventDispatcher>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <cmath>
#include <functional>
#include <new>
#include <utility>

namespace {

constexpr int kMinWidth = 640;
constexpr int kMinHeight = 480;
constexpr int kMaxWidth = 1280;
constexpr int kMaxHeight = 1024;
// The stored window size is the outer size of the original platform, whose border, caption
// and menu took this much around the client area below the menu.
constexpr int kFrameWidth = 8;
constexpr int kFrameHeight = 40;
constexpr int kStatusBarHeight = 20;
constexpr int kStatusBorderWidth = 0;
constexpr int kStatusPanels = 3;
constexpr int kHighestPanel = kStatusPanels - 1;

// Label names in the order the renderer expects them.
QStringList labelNames()
{
    QStringList names;
    for (int i = 0; i <= 9; ++i)
        names << QStringLiteral("Label%1").arg(i);
    names << QStringLiteral("Label00") << QStringLiteral("Label01");
    for (int i = 20; i <= 29; ++i)
        names << QStringLiteral("Label%1").arg(i);
    names << QStringLiteral("Label30") << QStringLiteral("Label31");
    for (int i = 10; i <= 19; ++i)
        names << QStringLiteral("Label%1").arg(i);
    names << QStringLiteral("Label199");
    return names;
}

} // namespace

TFormMain::TFormMain(QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_document(std::make_unique<MeasurementDocument>()),
      m_preferences(std::make_unique<Preferences>()), settings(m_preferences->settings),
      windowState(m_preferences->windowState), m_curveSmooth(std::make_unique<CurveBlock>())
{
    setObjectName(QStringLiteral("FormMain"));
    setWindowTitle(Texts::shown(Texts::kFormCaption));
    setFont(windowFont());
    installAccessibleRoles();

    buildMenus();
    m_view =
        std::make_unique<MainView>(*m_document, MainView::Options{MenuGraph_R_only, MenuGraph_Wide,
                                                                  MenuGraph_Ave, MenuGraph_Spread});
    m_view->setViewOptions(chosenViewOptions());
    m_view->setViewReport([this](const ViewDrawn &drawn) { reportView(drawn); });
    buildControls();
    buildKeyboardAccess();
    followDesktopLook();
    applyWindowSize(kMinWidth, kMinHeight);
    mInitialize();

    // The remaining windows live as long as the main window.
    auto *debug = new TFormDebug(this);
    debug->hide();
    formSetting = new TFormSetting(this);
    formSetting->setPortDescriber(&describePort);
    formSetting->setSerialPortDiscovery(SerialPortDiscovery());
    formPrnInfo = new TFormPrnInfo(this);
    formSetColor = new TFormSetColor(this);
    formCalc = new TFormCalc(this);
    formCalc->setSource(&m_document->curveRaw(), m_curveSmooth.get(), &m_document->measurement(),
                        &m_tsParameters);
    formCalc->setRepeatSource([this] { return m_document->repeats(); });
    formWorksheet = new TFormWorksheet(worksheetHost(), this);
    connect(formCalc, &TFormCalc::reEntered, formWorksheet, &TFormWorksheet::offerRe);
    formQc = new TFormQc(qcHost(), this);
    UnitsHost unitsHost;
    unitsHost.showEnvelope = [this](const CurveBlock *upper, const CurveBlock *lower,
                                    const CurveBlock *unit,
                                    int band) { m_view->showUnits(upper, lower, unit, band); };
    formUnits = new TFormUnits(unitsHost, this);
    formDrivers =
        new TFormDrivers([this](const QString &path) { m_files->openDataFile(path); }, this);
    formCompensation = new TFormCompensation({m_document.get()}, this);
    buildWorkspaceMenu();
}

TFormMain::~TFormMain()
{
    FormDestroy();
}

void TFormMain::buildMenus()
{
    auto action = [this](QMenu *menu, const char *name, const QString &caption,
                         std::function<void()> handler, bool checkable = false) {
        QAction *item = menu->addAction(caption);
        item->setObjectName(QString::fromLatin1(name));
        item->setCheckable(checkable);
        connect(item, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
        return item;
    };
    auto own = [this](void (TFormMain::*handler)()) {
        return [this, handler] { (this->*handler)(); };
    };
    // The command objects are made with the services, after the menus.
    auto onFiles = [this](void (MainFileCommands::*handler)()) {
        return [this, handler] { (m_files.get()->*handler)(); };
    };
    auto menu = [this](QMenu *&slot, const char *name, const QString &caption) {
        slot = menuBar()->addMenu(caption);
        slot->setObjectName(QString::fromLatin1(name));
        slot->menuAction()->setObjectName(QString::fromLatin1(name));
    };

    menu(MenuFile, "MenuFile", tr("ファイル(&F)"));
    action(MenuFile, "MenuFile_Open", tr("開く(&O)"),
           onFiles(&MainFileCommands::MenuFile_OpenClick));
    action(MenuFile, "MenuFile_Save", tr("保存する(&S)"),
           onFiles(&MainFileCommands::MenuFile_SaveClick));
    MenuFile->addSeparator();
    action(MenuFile, "MenuFile_Close", tr("閉じる"),
           onFiles(&MainFileCommands::MenuFile_CloseClick));
    MenuFile->addSeparator();
    action(MenuFile, "MenuFile_Export", tr("データをテキスト出力"),
           onFiles(&MainFileCommands::MenuFile_ExportClick));
    action(MenuFile, "MenuFile_Zma", tr("ZMA出力"), onFiles(&MainFileCommands::MenuFile_ZmaClick));
    MenuFile->addSeparator();
    action(MenuFile, "MenuFile_PrintSetup", tr("印刷設定"),
           own(&TFormMain::MenuFile_PrintSetupClick));
    action(MenuFile, "MenuFile_Print", tr("グラフ印刷(&P)"), own(&TFormMain::MenuFile_PrintClick));
    MenuFile->addSeparator();
    action(MenuFile, "MenuFile_Quit", tr("終了(&X)"), own(&TFormMain::MenuFile_QuitClick));

    menu(MenuMeasure, "MenuMeasure", tr("測定(&M)"));
    action(MenuMeasure, "MenuMeasure_Start", tr("開始(&S)"),
           [this] { m_run->MenuMeasure_StartClick(); });
    action(MenuMeasure, "MenuMeasure_Repeat", tr("繰り返し測定..."),
           own(&TFormMain::MenuMeasure_RepeatClick));
    MenuMeasure->addSeparator();
    action(MenuMeasure, "MenuMesure_Calc", tr("結果を分析"), own(&TFormMain::MenuMesure_CalcClick));
    action(MenuMeasure, "MenuMeasure_Worksheet", WorksheetTexts::menuItem(),
           own(&TFormMain::MenuMeasure_WorksheetClick));
    action(MenuMeasure, "MenuMeasure_Units", UnitsTexts::menuItem(),
           own(&TFormMain::MenuMeasure_UnitsClick));
    action(MenuMeasure, "MenuMeasure_Drivers", DriverTexts::menuItem(),
           own(&TFormMain::MenuMeasure_DriversClick));
    action(MenuMeasure, "MenuMeasure_Compensation", CompensationTexts::menuItem(),
           own(&TFormMain::MenuMeasure_CompensationClick));
    action(MenuMeasure, "MenuMeasure_Qc", QcTexts::menuItem(),
           own(&TFormMain::MenuMeasure_QcClick));

    menu(MenuGraph, "MenuGraph", tr("グラフ(&G)"));
    MenuGraph_R_only = action(MenuGraph, "MenuGraph_R_only", tr("抵抗値のみ表示"),
                              own(&TFormMain::MenuGraph_R_onlyClick), true);
    MenuGraph_Wide = action(MenuGraph, "MenuGraph_Wide", tr("測定値は太線で描画"),
                            own(&TFormMain::MenuGraph_WideClick), true);
    MenuGraph_Ave = action(MenuGraph, "MenuGraph_Ave", tr("平均処理"),
                           own(&TFormMain::MenuGraph_AveClick), true);
    MenuGraph->addSeparator();
    MenuGraph_Spread = action(MenuGraph, "MenuGraph_Spread", tr("繰り返し測定の±2σを表示"),
                              own(&TFormMain::MenuGraph_SpreadClick), true);
    buildViewMenu();

    menu(MenuRef, "MenuRef", tr("参照データ(&R)"));
    action(MenuRef, "MenuRef_Open", tr("読込み"), onFiles(&MainFileCommands::MenuRef_OpenClick));
    action(MenuRef, "MenuRef_Close", tr("クリア"), onFiles(&MainFileCommands::MenuRef_CloseClick));

    menu(MenuSet, "MenuSet", tr("設定"));
    action(MenuSet, "MenuSet_COM", tr("COMポート"), own(&TFormMain::MenuSet_COMClick));
    action(MenuSet, "MenuSet_Color", tr("グラフの線色"), own(&TFormMain::MenuSet_ColorClick));
    MenuSet->addSeparator();
    MenuSet_Warning = action(MenuSet, "MenuSet_Warning", tr("抵抗値150Ωのメッセージ"),
                             own(&TFormMain::MenuSet_WarningClick), true);

    buildLanguageMenu();

    menu(MenuHelp, "MenuHelp", tr("ヘルプ(&H)"));
    action(MenuHelp, "MenuHelp_Version", tr("バージョン(&V)"),
           own(&TFormMain::MenuHelp_VersionClick));
    buildExportMenu();
}

void TFormMain::buildControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(client);

    PaintBox1 = new TPaintBox(client);
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    PaintBox1->setGeometry(64, 24, 500, 320);
    PaintBox1->onMouseDown = [this](QMouseEvent *e) { PaintBox1MouseDown(e); };
    PaintBox1->onKeyPick = [this](int x) { PaintBox1ReadAt(x); };
    // The bitmap sits inside a one-pixel frame: plot pixels are the box's less one.
    PaintBox1->onDrag = [this](const QRect &r) {
        if (const auto zoom = zoomForDrag(graph->shownFrame(), r.translated(-1, -1)))
            zoomView(zoom);
    };
    PaintBox1->onWheel = [this](QPoint at, double steps) {
        zoomView(
            zoomAbout(graph->shownFrame(), at - QPoint(1, 1), std::pow(kWheelZoomFactor, steps)));
    };
    PaintBox1->onZoomReset = [this] { zoomView(std::nullopt); };
    PaintBox1->setAccessibleName(tr("グラフ"));

    MStartBtn = new QPushButton(Texts::shown(Texts::kStartCaption), client);
    MStartBtn->setObjectName(QStringLiteral("MStartBtn"));
    MStartBtn->resize(75, 25);
    connect(MStartBtn, &QPushButton::clicked, this, [this] { m_run->MStartBtnClick(); });

    QuitBtn = new QPushButton(tr("終了"), client);
    QuitBtn->setObjectName(QStringLiteral("QuitBtn"));
    QuitBtn->resize(75, 25);
    connect(QuitBtn, &QPushButton::clicked, this, [this] { QuitBtnClick(); });

    ComboBox2 = new QComboBox(client);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->resize(145, 21);
    for (int band = 1; band <= kBandCount; ++band)
        ComboBox2->addItem(shownBandCaption(band));
    connect(ComboBox2, &QComboBox::activated, this, [this] { ComboBox2Change(); });
    nameComboBox(ComboBox2, tr("測定周波数帯域"));

    StatusBar1 = new TStatusBar(kStatusPanels, 50, client);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));

    const QStringList names = labelNames();
    for (int i = 0; i < kAxisLabelCount; ++i) {
        auto *label = new QLabel(client);
        label->setObjectName(names[i]);
        label->hide();
        labelTable[i] = label;
    }
}

void TFormMain::mInitialize()
{
    // 1. The idle handler drives the deferred start-up and the measurement run.
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &TFormMain::ApplicationIdle);

    // 2. Flags.
    // The port and unit flags are the protocol's, all clear until a unit is identified; the
    // document starts neither saved nor from a first-model file.
    m_initPending = 1;
    m_layoutPending = m_placementLoading = 0;

    // 3. Menu checks.
    MenuGraph_R_only->setChecked(false);
    MenuGraph_Wide->setChecked(false);
    MenuGraph_Ave->setChecked(true);
    MenuSet_Warning->setChecked(false);

    // 4. Settings defaults.
    settings.restoreDefaults();
    mApplyLabelColors();

    // 5. Measurement record and graph scale: the document starts without a measurement, on
    // the start-up band.
    const int band = m_document->measurement().band;
    ComboBox2->setCurrentIndex(band - 1);
    initGraphScale(m_view->scale(), band);
    m_view->selectShownCurves();

    // 6. Reference slots: the document starts with all five empty.

    // 7. The label table was built with the controls.
    mBuildLabelTable();

    // 8. Service objects.
    if (mCreateObjects())
        setWindowTitle(QString::fromUtf8(Texts::kCaption));
    else
        QTimer::singleShot(0, this, &QWidget::close);
}

void TFormMain::mBuildLabelTable()
{
    for (QLabel *label : labelTable)
        label->hide();
}

bool TFormMain::mCreateObjects()
{
    const QString unit = QString::fromUtf8(Texts::kUnitName);
    try {
        message = new TH_Message(unit, QString::fromUtf8(Texts::kCaption));
    } catch (const std::bad_alloc &) {
        TH_Message::msgFatalMemoryStatic(QStringLiteral("TH_Message"));
        return false;
    }
    auto step = [this](const char *name, auto create) {
        try {
            create();
            return true;
        } catch (const std::bad_alloc &) {
            message->msgFatalMemory(QString::fromLatin1(name));
            return false;
        }
    };
    if (!step("HStatus", [&] { status = new HStatus(StatusBar1, unit, kHighestPanel); }))
        return false;
    if (!step("VELO_File", [&] { file = new VELO_File; }))
        return false;
    if (!step("Graph_RTF", [&] {
            graph = new Graph_RTF(this, PaintBox1, &settings, labelTable.data(), &m_view->scale());
        }))
        return false;
    m_view->setGraph(graph);
    m_files = std::make_unique<MainFileCommands>(parts());
    if (!step("TCommPortDriver", [&] { mCreatePort(); }))
        return false;
    return true;
}

void TFormMain::FormDestroy()
{
    if (m_destroyed)
        return;
    m_destroyed = true;
    delete message;
    message = nullptr;
    delete status;
    status = nullptr;
    delete file;
    file = nullptr;
    if (m_view)
        m_view->setGraph(nullptr);
    delete graph;
    graph = nullptr;
    mDeletePort(); // closes the port
}

void TFormMain::ApplicationIdle()
{
    // A modal box opened inside a step runs its own event loop; it must not start another.
    if (m_inIdle || m_destroyed)
        return;
    m_inIdle = true;
    if (m_initPending) {
        m_initPending = 0;
        mDeferredInit();
    }
    if (m_run)
        m_run->idleStep();
    if (m_layoutPending) {
        m_layoutPending = 0;
        mLayoutStatusBar();
    }
    m_inIdle = false;
}

void TFormMain::mDeferredInit()
{
    mLoadSettings();
    mApplyLabelColors();
    if (graph) {
        graph->clear();
        graph->layoutLabels(m_view->rOnly());
    }
    if (m_files)
        m_files->mTellRecovery();
    // A name given on the command line may be mistyped: say so rather than call it unreadable.
    const QString start = std::exchange(m_startFile, QString());
    if (!start.isEmpty() && !QFileInfo::exists(start))
        message->msgFileNotFound(start);
    else if (!start.isEmpty() && isWorkspacePath(start))
        openWorkspace(start);
    else if (!start.isEmpty() && m_files)
        m_files->openDataFile(start);
    // What the start-up opened is not undone.
    startHistory();
}

void TFormMain::mLayoutStatusBar()
{
    QWidget *client = centralWidget();
    const int top = client->height() - kStatusBorderWidth - kStatusBarHeight;
    StatusBar1->setGeometry(0, top, client->width(), kStatusBarHeight);
}

void TFormMain::mLockControls()
{
    for (QMenu *m : {MenuFile, MenuMeasure, MenuGraph, MenuRef, MenuSet, MenuHelp})
        m->menuAction()->setEnabled(false);
    QuitBtn->setEnabled(false);
    ComboBox2->setEnabled(false);
}

void TFormMain::mUnlockControls()
{
    for (QMenu *m : {MenuFile, MenuMeasure, MenuGraph, MenuRef, MenuSet, MenuHelp})
        m->menuAction()->setEnabled(true);
    QuitBtn->setEnabled(true);
    ComboBox2->setEnabled(true);
    MStartBtn->setEnabled(true);
}

void TFormMain::mApplyLabelColors()
{
    for (int i = 0; i < kAxisLabelCount; ++i) {
        const auto color = axisLabelColor(settings, i);
        if (!color)
            continue;
        QPalette pal = labelTable[i]->palette();
        // On a dark desktop a curve colour too dark to read is lightened, as on the plot.
        pal.setColor(QPalette::WindowText, toQColor(readableOn(*color, chartSchemeFor(palette()))));
        labelTable[i]->setPalette(pal);
    }
}

int TFormMain::outerWidth() const
{
    return centralWidget()->width() + kFrameWidth;
}

int TFormMain::outerHeight() const
{
    return centralWidget()->height() + kFrameHeight;
}

void TFormMain::applyWindowSize(int w, int h)
{
    const int clientWidth = qBound(kMinWidth, w, kMaxWidth) - kFrameWidth;
    const int clientHeight = qBound(kMinHeight, h, kMaxHeight) - kFrameHeight;
    setFixedSize(clientWidth, clientHeight + menuBarHeight(clientWidth));
}

int TFormMain::menuBarHeight(int clientWidth) const
{
    // What the window's layout gives the menu bar; a menu shown by the desktop takes none.
    const QMenuBar *bar = menuBar();
    if (bar->isNativeMenuBar() || bar->isHidden())
        return 0;
    const int forWidth = bar->heightForWidth(clientWidth);
    const int height = forWidth >= 0 ? forWidth : bar->sizeHint().height();
    return qMax(height, bar->minimumSizeHint().height());
}

int TFormMain::selectedBand() const
{
    return ComboBox2->currentIndex() + 1;
}

GraphScale &TFormMain::shownScale()
{
    return m_view->scale();
}

void TFormMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TFormMain::FormResize()
{
    if (!graph)
        return;
    const int clientHeight = centralWidget()->height();
    PaintBox1->setGeometry(64, 24, outerWidth() - 140, clientHeight - 120);
    MStartBtn->move(64, clientHeight - 60);
    QuitBtn->move(PaintBox1->x() + PaintBox1->width() - QuitBtn->width(), clientHeight - 60);
    ComboBox2->move(MStartBtn->x() + MStartBtn->width() + 20, MStartBtn->y() + 2);

    graph->resize();
    graph->layoutLabels(m_view->rOnly());
    if (m_document->measurement().valid == 1) {
        m_view->showMeasurementView();
    } else if (m_run && m_run->measuring() && m_run->pointsReceived() > 1) {
        m_view->showLive(m_run->pointsReceived());
    } else if (m_document->anyReferenceLoaded()) {
        m_view->showReferences();
    } else {
        graph->clear();
    }
    m_layoutPending = 1;
    if (!m_placementLoading) {
        windowState.top = geometry().y();
        windowState.left = geometry().x();
        windowState.width = outerWidth();
        windowState.height = outerHeight();
    }
}

bool TFormMain::mConfirmQuit()
{
    if (m_document->measurement().valid && !m_document->saved() && !message->askQuitUnsaved())
        return false;
    if (m_run)
        m_run->mStopAllRuns();
    return true;
}

void TFormMain::QuitBtnClick()
{
    if (mConfirmQuit())
        close();
}

void TFormMain::MenuFile_QuitClick()
{
    QuitBtnClick();
}

void TFormMain::closeEvent(QCloseEvent *event)
{
    FormCloseQuery();
    event->accept();
}

void TFormMain::FormCloseQuery()
{
    if (m_run)
        m_run->mStopAllRuns();
    mSaveSettings();
}

void TFormMain::MenuHelp_VersionClick()
{
    TFormVersion version(this);
    version.exec();
    activateWindow();
}
