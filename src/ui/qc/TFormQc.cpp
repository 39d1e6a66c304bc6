#include "ui/qc/TFormQc.h"

#include "core/measure/MeasurementRun.h"
#include "core/qc/QcGraph.h"
#include "core/qc/QcLimitsFile.h"
#include "core/qc/log/LogTarget.h"
#include "core/qc/log/StationLog.h"
#include "ui/common/AccessibleNames.h"
#include "ui/common/Seams.h"
#include "ui/qc/QcTexts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace T = QcTexts;

namespace {

constexpr int kGraphWidth = 640;
constexpr int kGraphHeight = 384;

} // namespace

TFormQc::TFormQc(const QcStationHost &host, QWidget *parent)
    : QWidget(parent, Qt::Window), m_host(host), m_record(std::make_unique<MeasurementRecord>()),
      m_raw(std::make_unique<CurveBlock>()), m_avg(std::make_unique<CurveBlock>())
{
    setObjectName(QStringLiteral("FormQc"));
    setWindowTitle(T::title());
    setAccessibleName(T::title());
    installAccessibleRoles();
    buildControls();
    connectRunDriver();
    m_station = readQcStationSettings(qcStationSettingsPath());
    LimitsEdit->setText(m_station.limitsPath);
    FolderEdit->setText(m_station.folder);
    m_database = m_station.database;
    DbEdit->setText(redactLogTarget(m_database));
    m_haveLimits = readQcLimitsFile(m_station.limitsPath, &m_limits).isEmpty();
    redrawGraph(0);
}

TFormQc::~TFormQc()
{
    stopRun();
}

void TFormQc::buildControls()
{
    auto named = [](QWidget *w, const char *object, const QString &accessible) {
        w->setObjectName(QLatin1String(object));
        w->setAccessibleName(plainAccessibleName(accessible));
    };
    auto *form = new QFormLayout;

    LimitsEdit = new QLineEdit(this);
    named(LimitsEdit, "LimitsEdit", T::limitsFile());
    LimitsButton = new QPushButton(T::chooseLimits(), this);
    named(LimitsButton, "LimitsButton", T::chooseLimits());
    connect(LimitsButton, &QPushButton::clicked, this, [this] { chooseLimits(); });
    connect(LimitsEdit, &QLineEdit::editingFinished, this, [this] {
        m_haveLimits = readQcLimitsFile(LimitsEdit->text().trimmed(), &m_limits).isEmpty();
        redrawGraph(0);
    });
    auto *limitsRow = new QHBoxLayout;
    limitsRow->addWidget(LimitsEdit, 1);
    limitsRow->addWidget(LimitsButton);
    form->addRow(T::limitsFile(), limitsRow);

    FolderEdit = new QLineEdit(this);
    named(FolderEdit, "FolderEdit", T::folder());
    FolderEdit->setPlaceholderText(T::folderHint());
    form->addRow(T::folder(), FolderEdit);

    DbEdit = new QLineEdit(this);
    named(DbEdit, "DbEdit", T::database());
    DbEdit->setPlaceholderText(T::databaseHint());
    // A password typed or pasted in is hidden once the field is left; the log still gets it.
    connect(DbEdit, &QLineEdit::editingFinished, this, [this] {
        m_database = databaseText();
        DbEdit->setText(redactLogTarget(m_database));
    });
    form->addRow(T::database(), DbEdit);

    SerialEdit = new QLineEdit(this);
    named(SerialEdit, "SerialEdit", T::serial());
    // A scan during a run is refused aloud, never dropped: the field stays open for it.
    connect(SerialEdit, &QLineEdit::returnPressed, this, [this] {
        if (running())
            refuseScanWhileRunning();
        else
            startRun();
    });
    StartButton = new QPushButton(T::start(), this);
    named(StartButton, "StartButton", T::start());
    connect(StartButton, &QPushButton::clicked, this, [this] { startRun(); });
    StopButton = new QPushButton(T::stop(), this);
    named(StopButton, "StopButton", T::stop());
    StopButton->setEnabled(false);
    connect(StopButton, &QPushButton::clicked, this, [this] { stopRun(); });
    auto *serialRow = new QHBoxLayout;
    serialRow->addWidget(SerialEdit, 1);
    serialRow->addWidget(StartButton);
    serialRow->addWidget(StopButton);
    form->addRow(T::serial(), serialRow);

    GraphView = new QLabel(this);
    named(GraphView, "GraphView", T::graph());
    GraphView->setFixedSize(kGraphWidth, kGraphHeight);

    VerdictLabel = new QLabel(this);
    named(VerdictLabel, "VerdictLabel", T::verdict());
    VerdictLabel->setAlignment(Qt::AlignCenter);
    VerdictLabel->setMinimumHeight(90);
    QFont big = VerdictLabel->font();
    big.setPointSize(48);
    big.setBold(true);
    VerdictLabel->setFont(big);

    ReasonsText = new QPlainTextEdit(this);
    named(ReasonsText, "ReasonsText", T::reasons());
    ReasonsText->setReadOnly(true);
    ReasonsText->setMaximumHeight(110);

    RunLabel = new QLabel(T::ready(), this);
    named(RunLabel, "RunLabel", T::ready());

    CloseButton = new QPushButton(T::close(), this);
    named(CloseButton, "CloseButton", T::close());
    connect(CloseButton, &QPushButton::clicked, this, [this] { close(); });
    ChartsButton = new QPushButton(T::charts(), this);
    named(ChartsButton, "ChartsButton", T::charts());
    connect(ChartsButton, &QPushButton::clicked, this, [this] { showCharts(); });
    LogLabel = new QLabel(this);
    named(LogLabel, "LogLabel", T::database());
    NoticeLabel = new QLabel(this);
    named(NoticeLabel, "NoticeLabel", T::serial());
    NoticeLabel->setWordWrap(true);
    NoticeLabel->setStyleSheet(QStringLiteral("color: #c62828; font-weight: bold;"));
    auto *bottom = new QHBoxLayout;
    auto *lines = new QVBoxLayout;
    lines->addWidget(NoticeLabel);
    lines->addWidget(RunLabel);
    lines->addWidget(LogLabel);
    bottom->addLayout(lines, 1);
    bottom->addWidget(ChartsButton);
    bottom->addWidget(CloseButton);
    buildStudyControls(bottom, lines);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(GraphView, 0, Qt::AlignHCenter);
    layout->addWidget(VerdictLabel);
    layout->addWidget(ReasonsText);
    layout->addLayout(bottom);
}

QString TFormQc::databaseText() const
{
    return restoreLogTargetPasswords(DbEdit->text().trimmed(), m_database);
}

void TFormQc::showStation()
{
    show();
    raise();
    activateWindow();
    SerialEdit->setFocus();
}

void TFormQc::chooseLimits()
{
    const QString path = Seams::files().openFile(
        this, T::limitsFile(), QFileInfo(LimitsEdit->text().trimmed()).absolutePath(),
        T::limitsFilter());
    if (path.isEmpty())
        return;
    LimitsEdit->setText(path);
    m_haveLimits = readQcLimitsFile(path, &m_limits).isEmpty();
    redrawGraph(0);
    SerialEdit->setFocus();
}

void TFormQc::redrawGraph(int pointsShown)
{
    QcGraphInput in;
    in.limits = m_haveLimits ? &m_limits : nullptr;
    in.raw = pointsShown > 0 ? m_raw.get() : nullptr;
    in.pointsShown = pointsShown;
    in.size = GraphView->size();
    in.font = font();
    in.background = palette().color(QPalette::Window);
    in.text = palette().color(QPalette::WindowText);
    GraphView->setPixmap(QPixmap::fromImage(renderQcGraph(in)));
}

void TFormQc::clearVerdict()
{
    m_haveVerdict = false;
    VerdictLabel->clear();
    VerdictLabel->setAccessibleDescription(QString());
    VerdictLabel->setStyleSheet(QString());
    ReasonsText->clear();
}

// What the last unit left on screen goes before the next one is measured or refused, so no
// curve or "logged" line is read as the new unit's.
void TFormQc::clearPreviousUnit()
{
    clearVerdict();
    LogLabel->clear();
    m_loggingRun.clear();
    NoticeLabel->clear();
    redrawGraph(0);
}

// After every outcome: the next scan replaces the number instead of being appended to it.
void TFormQc::readyForNextScan()
{
    SerialEdit->selectAll();
    SerialEdit->setFocus();
}

void TFormQc::refuseScanWhileRunning()
{
    QApplication::beep();
    NoticeLabel->setText(T::scanWhileMeasuring(SerialEdit->text().trimmed(), m_runSerial));
    readyForNextScan();
}

void TFormQc::showVerdict()
{
    const bool pass = m_verdict.passed;
    VerdictLabel->setText(pass ? T::pass() : T::fail());
    VerdictLabel->setAccessibleDescription(VerdictLabel->text());
    VerdictLabel->setStyleSheet(pass ? QStringLiteral("color: white; background: #1a7f37;")
                                     : QStringLiteral("color: white; background: #c62828;"));
    ReasonsText->setPlainText(m_verdict.failures.join(QLatin1Char('\n')));
}

void TFormQc::closeEvent(QCloseEvent *event)
{
    stopRun();
    // Every result given is on the disk before the window goes; a server still being tried
    // goes on being tried behind it.
    if (m_log)
        m_log->settle(StationLog::kFinishWaitMs);
    event->accept();
}
