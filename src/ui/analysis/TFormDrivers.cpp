#include "ui/analysis/TFormDrivers.h"

#include "core/files/AppPaths.h"
#include "ui/analysis/DriverTexts.h"
#include "ui/common/Seams.h"

#include <QDir>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

namespace T = DriverTexts;

namespace {

QTableWidgetItem *number(double v, int decimals)
{
    auto *item = new QTableWidgetItem(v > 0.0 ? QString::number(v, 'f', decimals) : QString());
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

} // namespace

TFormDrivers::TFormDrivers(std::function<void(const QString &)> open, QWidget *parent)
    : QWidget(parent, Qt::Window), m_open(std::move(open))
{
    setObjectName(QStringLiteral("FormDrivers"));
    setWindowTitle(T::title());
    auto *top = new QVBoxLayout(this);
    auto *folderRow = new QHBoxLayout;
    FolderEdit = new QLineEdit(QDir(settingsDirectory()).filePath(QStringLiteral("drivers")), this);
    FolderEdit->setAccessibleName(T::folder());
    ChooseButton = new QPushButton(T::chooseFolder(), this);
    RescanButton = new QPushButton(T::rescan(), this);
    folderRow->addWidget(new QLabel(T::folder(), this));
    folderRow->addWidget(FolderEdit, 1);
    folderRow->addWidget(ChooseButton);
    folderRow->addWidget(RescanButton);
    top->addLayout(folderRow);

    auto *searchRow = new QHBoxLayout;
    SearchEdit = new QLineEdit(this);
    SearchEdit->setObjectName(QStringLiteral("SearchEdit"));
    SearchEdit->setAccessibleName(T::search());
    searchRow->addWidget(new QLabel(T::search(), this));
    searchRow->addWidget(SearchEdit, 1);
    CountLabel = new QLabel(this);
    searchRow->addWidget(CountLabel);
    top->addLayout(searchRow);

    List = new QTableWidget(0, 6, this);
    List->setObjectName(QStringLiteral("List"));
    List->setHorizontalHeaderLabels({T::columnName(), T::columnFs(), T::columnQts(), T::columnVas(),
                                     T::columnRe(), T::columnFile()});
    List->setSelectionBehavior(QAbstractItemView::SelectRows);
    List->setSelectionMode(QAbstractItemView::SingleSelection);
    List->setEditTriggers(QAbstractItemView::NoEditTriggers);
    List->horizontalHeader()->setStretchLastSection(true);
    List->verticalHeader()->hide();
    top->addWidget(List, 1);

    auto *buttons = new QHBoxLayout;
    OpenButton = new QPushButton(T::open(), this);
    buttons->addStretch();
    buttons->addWidget(OpenButton);
    top->addLayout(buttons);
    resize(640, 420);

    connect(ChooseButton, &QPushButton::clicked, this, [this] {
        const QString folder =
            Seams::files().openFolder(this, T::chooseFolder(), FolderEdit->text());
        if (!folder.isEmpty())
            setFolder(folder);
    });
    connect(RescanButton, &QPushButton::clicked, this, &TFormDrivers::scan);
    connect(FolderEdit, &QLineEdit::returnPressed, this, &TFormDrivers::scan);
    connect(SearchEdit, &QLineEdit::textChanged, this, &TFormDrivers::fill);
    connect(OpenButton, &QPushButton::clicked, this, &TFormDrivers::openSelected);
    connect(List, &QTableWidget::cellDoubleClicked, this, &TFormDrivers::openSelected);
}

TFormDrivers::~TFormDrivers()
{
    if (m_watcher)
        m_watcher->waitForFinished();
}

void TFormDrivers::showDrivers()
{
    show();
    raise();
    activateWindow();
    if (m_entries.isEmpty() && !busy())
        scan();
}

void TFormDrivers::setFolder(const QString &folder)
{
    FolderEdit->setText(folder);
    scan();
}

bool TFormDrivers::busy() const
{
    return m_watcher && m_watcher->isRunning();
}

void TFormDrivers::scan()
{
    if (busy())
        return;
    if (!m_watcher) {
        m_watcher = new QFutureWatcher<QVector<DriverEntry>>(this);
        connect(m_watcher, &QFutureWatcherBase::finished, this, &TFormDrivers::scanFinished);
    }
    CountLabel->setText(T::scanning());
    m_watcher->setFuture(
        QtConcurrent::run([folder = FolderEdit->text()] { return scanDriverFolder(folder); }));
}

void TFormDrivers::scanFinished()
{
    m_entries = m_watcher->result();
    fill();
}

QVector<DriverEntry> TFormDrivers::shownEntries() const
{
    QVector<DriverEntry> out;
    for (const DriverEntry &e : m_entries)
        if (driverMatches(e, SearchEdit->text()))
            out.append(e);
    return out;
}

void TFormDrivers::fill()
{
    const QVector<DriverEntry> shown = shownEntries();
    List->setRowCount(int(shown.size()));
    for (int row = 0; row < shown.size(); ++row) {
        const DriverEntry &e = shown[row];
        const DriverRecord &d = e.record;
        auto *name = new QTableWidgetItem(e.problem.isEmpty() ? d.name : T::unreadable());
        name->setData(Qt::UserRole, e.path);
        if (!e.problem.isEmpty())
            name->setToolTip(e.problem);
        List->setItem(row, 0, name);
        List->setItem(row, 1, number(d.fs, 2));
        List->setItem(row, 2, number(d.qts, 3));
        List->setItem(row, 3, number(d.vas * 1e3, 2));
        List->setItem(row, 4, number(d.re, 3));
        List->setItem(row, 5, new QTableWidgetItem(QFileInfo(e.path).fileName()));
    }
    CountLabel->setText(T::count(int(shown.size()), int(m_entries.size())));
}

void TFormDrivers::openSelected()
{
    const QTableWidgetItem *item = List->item(List->currentRow(), 0);
    if (item && m_open)
        m_open(item->data(Qt::UserRole).toString());
}
