#include "ui/main/TFormMain.h"

#include "core/document/CurveOnGrid.h"
#include "core/files/AppPaths.h"
#include "core/files/FileNameRules.h"
#include "core/files/RecoveryFiles.h"
#include "core/files/WindowPlacement.h"
#include "core/files/ZmaText.h"
#include "core/graph/ViewScale.h"
#include "core/model/BandTable.h"
#include "ui/common/HStatus.h"
#include "ui/common/Seams.h"
#include "ui/common/TH_Message.h"
#include "ui/common/Texts.h"
#include "ui/graph/Graph_RTF.h"
#include "ui/graph/TPaintBox.h"

#include <QAction>
#include <QComboBox>
#include <QDateTime>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

// File and settings commands.

namespace {

// Functions, not constants: the texts follow the translator installed at start.
QString openTitle()
{
    return TFormMain::tr("データファイルを選んでください");
}
QString refOpenTitle()
{
    return TFormMain::tr("参照ファイルを選んでください(５個まで)");
}
QString dataFilter()
{
    return TFormMain::tr("データファイル (*.DTA)");
}
QString exportFilter()
{
    return TFormMain::tr("データファイル (*.txt)");
}
QString zmaFilter()
{
    return TFormMain::tr("ZMAファイル (*.zma)");
}
// Other tools' tables, one filter per kind after the data files.
QString openFilter()
{
    return dataFilter() + QStringLiteral(";;") +
           TFormMain::tr("ZMAファイル (*.zma *.ZMA);;FRDファイル (*.frd *.FRD);;"
                         "テキストの表 (*.txt *.csv *.dat *.TXT *.CSV *.DAT);;"
                         "すべてのファイル (*)");
}

QString captionFor(const QString &path)
{
    return QString::fromUtf8(Texts::kCaption) + QStringLiteral(" / ") + path;
}

void drawEmptyGraph(TFormMain &w)
{
    if (w.graph)
        w.graph->clear();
}

void warnIfOver150(TFormMain &w)
{
    if (w.MenuSet_Warning->isChecked() && aboveWarningResistance(w.shownScale()))
        w.message->msgOver150();
}

void selectBand(TFormMain &w, int band)
{
    w.shownScale().band = band;
    w.ComboBox2->setCurrentIndex(band - 1);
}

// A reading of the curve before (another band, perhaps) must not stand beside a new one.
void clearReadout(TFormMain &w)
{
    w.status->clearPanel(HStatus::kReadoutPanel);
    w.PaintBox1->setAccessibleDescription(QString());
}

// The file dialogs open where the user last chose a file, as the shared dialogs of the
// original platform did, rather than in the working folder.
QString folderOf(const QString &path)
{
    return QFileInfo(path).absolutePath();
}

// The chosen path unless a file is there already and the user keeps it.
bool mayWrite(const TFormMain &w, const QString &path)
{
    return !QFileInfo::exists(path) || w.message->askOverwrite(path);
}

} // namespace

void TFormMain::mLoadSettings()
{
    if (m_preferences->load(settingsReadPath())) {
        // The resize handler must not copy the intermediate sizes back.
        m_placementLoading = 1;
        const QScreen *shownOn = screen() ? screen() : QGuiApplication::primaryScreen();
        if (shownOn)
            clampWindowPlacement(windowState, shownOn->availableGeometry());
        // The position is the client area's, as it is saved: a frame the window manager adds
        // later cannot shift it, so the window opens where it was left.
        applyWindowSize(windowState.width, windowState.height);
        setGeometry(QRect(QPoint(windowState.left, windowState.top), size()));
        m_placementLoading = 0;

        selectBand(*this, windowState.band);
        graphScale.fStartHz = bandStartHz(windowState.band);
        graphScale.fEndHz = bandEndHz(windowState.band);
        MenuGraph_R_only->setChecked(windowState.rOnly);
        MenuGraph_Wide->setChecked(windowState.thickLines);
        MenuGraph_Ave->setChecked(windowState.averaging);
        MenuSet_Warning->setChecked(windowState.warn150);
        return;
    }

    // Missing, unreadable or invalid: nothing from the file is used, and it is rewritten.
    settings.restoreDefaults();
    windowState.top = geometry().y();
    windowState.left = geometry().x();
    windowState.width = outerWidth();
    windowState.height = outerHeight();
    windowState.band = selectedBand();
    windowState.rOnly = MenuGraph_R_only->isChecked();
    windowState.thickLines = MenuGraph_Wide->isChecked();
    windowState.averaging = MenuGraph_Ave->isChecked();
    windowState.warn150 = MenuSet_Warning->isChecked();
    if (!m_preferences->save(settingsFilePath()))
        message->msgSettingsNotSaved();
}

void TFormMain::mSaveSettings()
{
    if (!file)
        return;
    windowState.band = selectedBand();
    windowState.left = geometry().x();
    windowState.top = geometry().y();
    windowState.width = outerWidth();
    windowState.height = outerHeight();
    windowState.rOnly = MenuGraph_R_only->isChecked();
    windowState.thickLines = MenuGraph_Wide->isChecked();
    windowState.averaging = MenuGraph_Ave->isChecked();
    windowState.warn150 = MenuSet_Warning->isChecked();
    if (!m_preferences->save(settingsFilePath()) && message)
        message->msgSettingsNotSaved();
}

void TFormMain::MenuFile_OpenClick()
{
    if (m_document->hasUnsavedMeasurement() && !message->askDiscardOnOpen())
        return;
    const QString path = Seams::files().openFile(this, openTitle(), m_dialogFolder, openFilter());
    if (path.isEmpty())
        return;
    openDataFile(path);
}

void TFormMain::openDataFile(const QString &path)
{
    m_dialogFolder = folderOf(path);
    if (m_document->isTablePath(path)) {
        mImportMeasurement(path);
        return;
    }

    const OpenOutcome outcome = m_document->open(path, settings.comPort);
    if (outcome != OpenOutcome::Opened) {
        if (outcome == OpenOutcome::NotReadable)
            message->msgBadDataFile();
        else
            message->msgCalcDataError();
        drawEmptyGraph(*this);
        curvesChanged();
        return;
    }
    selectBand(*this, m_document->measurement().band);
    clearReadout(*this);
    if (anyReferenceLoaded())
        showMeasurementAndReferences();
    else
        showMeasurement();
    setWindowTitle(captionFor(dataFileName));
    curvesChanged();
    warnIfOver150(*this);
}

void TFormMain::mImportMeasurement(const QString &path)
{
    // A table that fails leaves the measurement and the view as they were.
    const ImportOutcome outcome = m_document->importMeasurement(path);
    if (!outcome.ok()) {
        message->msgBadTable(path, outcome.read.problem, outcome.read.line, outcome.band);
        return;
    }
    selectBand(*this, outcome.band);
    clearReadout(*this);
    if (anyReferenceLoaded())
        showMeasurementAndReferences();
    else
        showMeasurement();
    setWindowTitle(captionFor(path));
    status->showImported(QFileInfo(path).fileName(), outcome.band, outcome.reordered,
                         outcome.duplicates);
    curvesChanged();
    warnIfOver150(*this);
}

void TFormMain::MenuFile_SaveClick()
{
    if (!m_document->hasMeasurement()) {
        message->msgNoData();
        return;
    }
    if (m_document->isImported() && !message->askSaveImported(m_document->measurement().band))
        return;
    if (m_document->oldFormatLoaded() == 1) {
        if (!message->askSaveAsCurrentFormat())
            return;
        m_document->acceptCurrentFormat();
    }
    const QString chosen =
        Seams::files().saveFile(this, QString(), m_dialogFolder, dataFilter(),
                                proposedFileName(dataFileName, kDataFileExtension));
    if (chosen.isEmpty())
        return;
    m_dialogFolder = folderOf(chosen);
    const QString path = dataFileSavePath(chosen);
    if (!mayWrite(*this, path))
        return;

    const std::vector<int> beyond = m_document->pointsBeyondDataFile();
    if (m_document->save(path, settings.comPort) == WriteOutcome::Written) {
        status->showSaved();
        setWindowTitle(captionFor(dataFileName));
        if (!beyond.empty())
            message->msgSavedBeyondDataFile(int(beyond.size()), gridFrequencyList(beyond, 3));
    } else {
        status->showSaveFailed(m_document->writeError());
    }
}

void TFormMain::MenuFile_CloseClick()
{
    if (m_document->hasUnsavedMeasurement() && !message->askDiscardOnClose())
        return;
    m_document->close();
    status->clearPanel(HStatus::kProgressPanel);
    status->clearPanel(HStatus::kReadoutPanel);
    setWindowTitle(QString::fromUtf8(Texts::kCaption));
    if (anyReferenceLoaded())
        showReferences();
    else
        drawEmptyGraph(*this);
    curvesChanged();
}

void TFormMain::MenuFile_ExportClick()
{
    if (!m_document->hasMeasurement()) {
        message->msgNoData();
        return;
    }
    const QString chosen =
        Seams::files().saveFile(this, QString(), m_dialogFolder, exportFilter(),
                                proposedFileName(dataFileName, kExportFileExtension));
    if (chosen.isEmpty())
        return;
    m_dialogFolder = folderOf(chosen);
    const QString path = exportFilePath(chosen);
    if (!mayWrite(*this, path))
        return;

    if (m_document->exportText(path, MenuGraph_Ave->isChecked()) == WriteOutcome::Written)
        status->showExported();
    else
        status->showSaveFailed(m_document->writeError());
}

void TFormMain::MenuFile_ZmaClick()
{
    if (!m_document->hasMeasurement()) {
        message->msgNoData();
        return;
    }
    const QString chosen =
        Seams::files().saveFile(this, QString(), m_dialogFolder, zmaFilter(),
                                proposedFileName(dataFileName, kZmaFileExtension));
    if (chosen.isEmpty())
        return;
    m_dialogFolder = folderOf(chosen);
    const QString path = zmaFilePath(chosen);
    if (!mayWrite(*this, path))
        return;
    if (m_document->exportZma(path, MenuGraph_Ave->isChecked()) == WriteOutcome::Written)
        status->showZmaWritten();
    else
        status->showSaveFailed(m_document->writeError());
}

void TFormMain::MenuRef_OpenClick()
{
    if (m_document->refCount() >= kReferenceSlots) {
        message->msgTooManyRefs();
        return;
    }
    const QStringList paths =
        Seams::files().openFiles(this, refOpenTitle(), m_dialogFolder, openFilter());
    if (paths.isEmpty())
        return;
    m_dialogFolder = folderOf(paths.first());
    // The files loaded before one that fails stay loaded, counted and drawn.
    const ReferencesOutcome outcome = m_document->loadReferences(paths);
    referencesChanged();
    switch (outcome.stop) {
    case ReferencesOutcome::TooMany:
        message->msgTooManyRefs();
        return;
    case ReferencesOutcome::BadFile:
        message->msgBadDataFile();
        break;
    case ReferencesOutcome::BadData:
        message->msgCalcDataError();
        break;
    case ReferencesOutcome::BadTable:
        message->msgBadTable(paths[outcome.loaded], outcome.table.read.problem,
                             outcome.table.read.line, outcome.table.band);
        break;
    case ReferencesOutcome::Complete:
        break;
    }
    if (outcome.loaded == 0)
        return;

    if (m_document->hasMeasurement()) {
        showMeasurementAndReferences();
        warnIfOver150(*this);
    } else {
        selectBand(*this, references[0]->band);
        showReferences();
    }
}

void TFormMain::MenuRef_CloseClick()
{
    m_document->clearReferences();
    referencesChanged();
    if (m_document->hasMeasurement())
        showMeasurement();
    else
        drawEmptyGraph(*this);
}

void TFormMain::mSaveForRecovery()
{
    if (!file || !m_document->hasUnsavedMeasurement())
        return;
    const RecoveryFiles recovery(settingsDirectory());
    const QString path = recovery.newPath(QDateTime::currentDateTime());
    if (m_document->writeCopy(path, settings.comPort))
        recovery.note(path);
}

void TFormMain::mTellRecovery()
{
    for (const QString &path : RecoveryFiles(settingsDirectory()).takeNoted())
        message->msgRecovered(path);
}
