#include "ui/main/TFormMain.h"

#include "core/document/WorkspaceFile.h"
#include "core/files/RecentFiles.h"
#include "core/files/SafeWrite.h"
#include "ui/analysis/TFormWorksheet.h"
#include "ui/analysis/WorksheetFields.h"
#include "ui/common/HStatus.h"
#include "ui/common/Seams.h"
#include "ui/common/TH_Message.h"
#include "ui/main/MainFileCommands.h"
#include "ui/main/MainRun.h"
#include "ui/main/MainView.h"
#include "ui/main/WorkspaceTexts.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

// Workspaces, the recent files, undo and redo, and files dropped on the window.

namespace T = WorkspaceTexts;

namespace {

// The extensions the open dialog offers for tables, and the data file's.
bool isOpenableFile(const QString &path)
{
    static const QStringList known = {QStringLiteral("dta"), QStringLiteral("zma"),
                                      QStringLiteral("frd"), QStringLiteral("txt"),
                                      QStringLiteral("csv"), QStringLiteral("dat")};
    return known.contains(QFileInfo(path).suffix().toLower());
}

void showBox(MessagePresenter::Icon icon, const TH_Message *message, const QString &text)
{
    Seams::messages().show(icon, message ? message->caption() : QString(), text);
}

} // namespace

void TFormMain::buildWorkspaceMenu()
{
    setAcceptDrops(true);
    // The entries go before the first separator of the file menu, after open and save.
    QAction *before = nullptr;
    for (QAction *a : MenuFile->actions())
        if (a->isSeparator()) {
            before = a;
            break;
        }
    auto entry = [&](const char *name, const QString &caption, void (TFormMain::*handler)()) {
        auto *item = new QAction(caption, MenuFile);
        item->setObjectName(QString::fromLatin1(name));
        connect(item, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        MenuFile->insertAction(before, item);
        return item;
    };
    MenuFile->insertSeparator(before);
    entry("MenuFile_OpenWorkspace", T::openWorkspace(), &TFormMain::MenuFile_OpenWorkspaceClick);
    entry("MenuFile_SaveWorkspace", T::saveWorkspace(), &TFormMain::MenuFile_SaveWorkspaceClick);
    MenuFile_Recent = new QMenu(T::recentMenu(), MenuFile);
    MenuFile_Recent->setObjectName(QStringLiteral("MenuFile_Recent"));
    MenuFile_Recent->menuAction()->setObjectName(QStringLiteral("MenuFile_Recent"));
    MenuFile->insertMenu(before, MenuFile_Recent);
    MenuFile->insertSeparator(before);
    MenuFile_Undo = entry("MenuFile_Undo", T::undo(), &TFormMain::MenuFile_UndoClick);
    MenuFile_Undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    MenuFile_Redo = entry("MenuFile_Redo", T::redo(), &TFormMain::MenuFile_RedoClick);
    MenuFile_Redo->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    updateUndoActions();
    refreshRecentMenu();

    // Each undoable action of the menus becomes a step once its handler has run: these
    // connections are made after the menus' own.
    auto after = [this](const char *name, std::function<void()> then) {
        if (auto *item = findChild<QAction *>(QString::fromLatin1(name)))
            connect(item, &QAction::triggered, this, std::move(then));
    };
    auto step = [this] { recordStep(); };
    after("MenuFile_Open", [this] { recordStep(UndoHistory::Step::Measurement); });
    for (const char *name :
         {"MenuRef_Open", "MenuRef_Close", "MenuSet_Color", "MenuGraph_R_only", "MenuGraph_Wide",
          "MenuGraph_Ave", "MenuGraph_ViewZPhase", "MenuGraph_ViewRX", "MenuGraph_ViewNyquist",
          "MenuGraph_ViewDiff", "MenuGraph_ViewRatio", "MenuGraph_DiffPct", "MenuGraph_Legend",
          "MenuGraph_LogZ", "MenuGraph_CompareRef1", "MenuGraph_CompareRef2",
          "MenuGraph_CompareRef3", "MenuGraph_CompareRef4", "MenuGraph_CompareRef5"})
        after(name, step);
    // Saving, closing and exporting are not undone; the history only learns of them.
    for (const char *name : {"MenuFile_Save", "MenuFile_Close", "MenuFile_Export", "MenuFile_Zma"})
        after(name, step);
    // A context of its own, gone with the window's members: the worksheet's fields, torn
    // down after them, may still finish an edit.
    m_historyContext = std::make_unique<QObject>();
    onInputEdited(formWorksheet, m_historyContext.get(), step);
}

void TFormMain::startHistory()
{
    m_history = std::make_unique<UndoHistory>();
    m_history->reset(currentState());
    updateUndoActions();
}

WorkspaceState TFormMain::currentState() const
{
    WorkspaceState state;
    state.document = m_document->state();
    const ViewOptions options = chosenViewOptions();
    state.view.view = graphViewName(options.view);
    state.view.legend = options.legend;
    state.view.logZ = options.logZ;
    state.view.diffPercent = options.diffPercent;
    state.view.referenceSlot = qMax(options.referenceSlot, 0);
    state.view.rOnly = MenuGraph_R_only->isChecked();
    state.view.wide = MenuGraph_Wide->isChecked();
    state.view.averaging = MenuGraph_Ave->isChecked();
    state.colours = coloursOf(settings);
    if (formWorksheet)
        state.worksheet = inputValues(formWorksheet);
    return state;
}

void TFormMain::applyState(const WorkspaceState &state)
{
    const bool documentChanged = !(m_document->state() == state.document);
    m_document->restore(state.document);
    applyColours(state.colours, settings);
    mApplyLabelColors();

    const WorkspaceView &v = state.view;
    const GraphView view = graphViewFromName(v.view).value_or(GraphView::ZPhase);
    MenuGraph_View[size_t(view)]->setChecked(true);
    MenuGraph_DiffPct->setChecked(v.diffPercent);
    MenuGraph_Legend->setChecked(v.legend);
    MenuGraph_LogZ->setChecked(v.logZ);
    MenuGraph_CompareRef[size_t(qBound(0, v.referenceSlot, kReferenceSlots - 1))]->setChecked(true);
    MenuGraph_R_only->setChecked(v.rOnly);
    MenuGraph_Wide->setChecked(v.wide);
    MenuGraph_Ave->setChecked(v.averaging);
    // Stores the view choice as the menu does, and redraws when it changed.
    MenuGraph_ViewOptionClick();

    const MeasurementDocument &doc = *m_document;
    if (documentChanged) {
        clearReadout();
        if (doc.hasMeasurement()) {
            selectBand(doc.measurement().band);
            m_view->showMeasurementView();
            showCaption(doc.dataFileName());
        } else {
            showCaption(QString());
            if (doc.anyReferenceLoaded()) {
                selectBand(doc.reference(0).band);
                m_view->showReferences();
            } else {
                m_view->clear();
            }
        }
        curvesChanged();
    } else {
        m_view->refreshView();
    }
    if (formWorksheet)
        setInputValues(formWorksheet, state.worksheet);
}

void TFormMain::recordStep(UndoHistory::Step step)
{
    if (m_destroyed || !m_history)
        return;
    const WorkspaceState before = m_history->current();
    m_history->record(currentState(), step);
    noteRecentFiles(before);
    updateUndoActions();
}

void TFormMain::queueHistorySync()
{
    if (m_destroyed || !m_history || m_historySyncQueued)
        return;
    m_historySyncQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_historySyncQueued = false;
        recordStep();
    });
}

void TFormMain::updateUndoActions()
{
    if (!MenuFile_Undo)
        return;
    MenuFile_Undo->setEnabled(m_history && m_history->canUndo());
    MenuFile_Redo->setEnabled(m_history && m_history->canRedo());
}

void TFormMain::MenuFile_UndoClick()
{
    if (!m_history || (m_run && m_run->measuring()))
        return;
    if (const auto state = m_history->undo(currentState())) {
        applyState(*state);
        m_history->settle(currentState());
    }
    updateUndoActions();
}

void TFormMain::MenuFile_RedoClick()
{
    if (!m_history || (m_run && m_run->measuring()))
        return;
    if (const auto state = m_history->redo(currentState())) {
        applyState(*state);
        m_history->settle(currentState());
    }
    updateUndoActions();
}

void TFormMain::MenuFile_SaveWorkspaceClick()
{
    QString path =
        Seams::files().saveFile(this, T::saveTitle(), m_workspaceFolder, T::filter(), QString());
    if (path.isEmpty())
        return;
    if (!isWorkspacePath(path))
        path += QLatin1String(kWorkspaceExtension);
    m_workspaceFolder = QFileInfo(path).absolutePath();
    if (QFileInfo::exists(path) && !message->askOverwrite(path))
        return;
    clearSafeWriteError();
    if (!writeWorkspace(path, currentState())) {
        showBox(MessagePresenter::Icon::Error, message, T::notSaved(path, lastSafeWriteError()));
        return;
    }
    status->showText(T::saved(path), HStatus::kReadoutPanel);
    addRecent(path);
}

void TFormMain::MenuFile_OpenWorkspaceClick()
{
    if (m_document->hasUnsavedMeasurement() && !message->askDiscardOnOpen())
        return;
    const QString path =
        Seams::files().openFile(this, T::openTitle(), m_workspaceFolder, T::filter());
    if (!path.isEmpty())
        openWorkspace(path);
}

void TFormMain::openWorkspace(const QString &path)
{
    m_workspaceFolder = QFileInfo(path).absolutePath();
    WorkspaceState state = currentState();
    const WorkspaceRead read = readWorkspace(path, state);
    if (!read.ok()) {
        showBox(MessagePresenter::Icon::Error, message, T::notRead(path, read));
        return;
    }
    applyState(state);
    recordStep(UndoHistory::Step::Measurement);
    addRecent(path);
    status->showText(T::opened(path), HStatus::kReadoutPanel);
    if (!read.notes.isEmpty())
        showBox(MessagePresenter::Icon::Warning, message, T::notes(read.notes));
}

void TFormMain::addRecent(const QString &path)
{
    RecentFiles().add(path);
    refreshRecentMenu();
}

void TFormMain::noteRecentFiles(const WorkspaceState &before)
{
    const MeasurementDocument &doc = *m_document;
    const MeasurementPart *was = before.document.measurement.get();
    if (doc.hasMeasurement() && doc.saved() == 1 && !doc.dataFileName().isEmpty() &&
        (!was || was->curve.fileName != doc.dataFileName() || was->saved != 1))
        addRecent(doc.dataFileName());
    for (int s = 0; s < doc.refCount(); ++s) {
        const CurvePart *old = before.document.references[size_t(s)].get();
        const QString &name = doc.refFileNames()[size_t(s)];
        if (!old || old->fileName != name || s >= before.document.refCount)
            addRecent(name);
    }
}

void TFormMain::refreshRecentMenu()
{
    if (!MenuFile_Recent)
        return;
    MenuFile_Recent->clear();
    const QStringList paths = RecentFiles().paths();
    if (paths.isEmpty()) {
        MenuFile_Recent->addAction(T::recentEmpty())->setEnabled(false);
        return;
    }
    for (int i = 0; i < paths.size(); ++i) {
        // "&" in a path would be taken for an access key.
        QString shown = paths[i];
        shown.replace(QLatin1Char('&'), QLatin1String("&&"));
        QAction *item = MenuFile_Recent->addAction(
            i < 9 ? QStringLiteral("&%1 %2").arg(i + 1).arg(shown) : shown);
        item->setObjectName(QStringLiteral("MenuFile_Recent%1").arg(i + 1));
        const QString path = paths[i];
        connect(item, &QAction::triggered, this, [this, path] { openRecent(path); });
    }
}

void TFormMain::openRecent(const QString &path)
{
    if (m_run && m_run->measuring())
        return;
    if (!QFileInfo(path).isFile()) {
        RecentFiles().remove(path);
        refreshRecentMenu();
        showBox(MessagePresenter::Icon::Error, message, T::recentMissing(path));
        return;
    }
    openChosenFile(path);
}

void TFormMain::openChosenFile(const QString &path)
{
    if (m_document->hasUnsavedMeasurement() && !message->askDiscardOnOpen())
        return;
    if (isWorkspacePath(path))
        openWorkspace(path);
    else
        openMeasurementFile(path);
}

void TFormMain::openMeasurementFile(const QString &path)
{
    // A data file that does not read leaves the measurement as it was, unlike 開く, which
    // the user chose knowing it replaces it.
    if (!m_document->isTablePath(path)) {
        auto scratch = std::make_unique<MeasurementDocument>();
        qint32 port = settings.comPort;
        const OpenOutcome outcome = scratch->open(path, port);
        if (outcome == OpenOutcome::NotReadable) {
            message->msgBadDataFile();
            return;
        }
        if (outcome == OpenOutcome::BadData) {
            message->msgCalcDataError();
            return;
        }
    }
    m_files->openDataFile(path);
    recordStep(UndoHistory::Step::Measurement);
}

void TFormMain::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TFormMain::dropEvent(QDropEvent *event)
{
    QStringList paths;
    for (const QUrl &url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    if (paths.isEmpty() || (m_run && m_run->measuring()))
        return;
    event->acceptProposedAction();
    const bool asReference = event->modifiers().testFlag(Qt::ControlModifier);
    for (const QString &path : paths) {
        if (QFileInfo(path).isDir()) {
            showBox(MessagePresenter::Icon::Error, message, T::droppedFolder(path));
            return;
        }
        if (!(isOpenableFile(path) || (!asReference && isWorkspacePath(path)))) {
            showBox(MessagePresenter::Icon::Error, message, T::droppedUnknown(path));
            return;
        }
    }
    if (asReference) {
        m_files->loadReferenceFiles(paths);
        recordStep();
        return;
    }
    if (paths.size() > 1) {
        showBox(MessagePresenter::Icon::Error, message, T::droppedMany());
        return;
    }
    openChosenFile(paths.first());
}
