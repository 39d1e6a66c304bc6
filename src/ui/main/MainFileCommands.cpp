#include "ui/main/MainFileCommands.h"

#include "core/document/CurveOnGrid.h"
#include "core/document/MeasurementDocument.h"
#include "core/files/AppPaths.h"
#include "core/files/FileNameRules.h"
#include "core/files/RecoveryFiles.h"
#include "core/files/ZmaText.h"
#include "core/graph/ViewScale.h"
#include "core/model/Settings.h"
#include "ui/common/HStatus.h"
#include "ui/common/Seams.h"
#include "ui/common/TH_Message.h"
#include "ui/main/MainView.h"
#include "ui/main/TFormMain.h"

#include <QDateTime>
#include <QFileInfo>

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

// The file dialogs open where the user last chose a file, as the shared dialogs of the
// original platform did, rather than in the working folder.
QString folderOf(const QString &path)
{
    return QFileInfo(path).absolutePath();
}

} // namespace

MainFileCommands::MainFileCommands(const MainParts &parts) : m_parts(parts) {}

void MainFileCommands::warnIfOver150()
{
    if (m_parts.shell->warnsAbove150() && aboveWarningResistance(m_parts.view->scale()))
        m_parts.message->msgOver150();
}

bool MainFileCommands::mayWrite(const QString &path) const
{
    return !QFileInfo::exists(path) || m_parts.message->askOverwrite(path);
}

QString MainFileCommands::chooseTarget(const QString &filter, const QString &extension,
                                       QString (*nameRule)(const QString &))
{
    const QString chosen =
        Seams::files().saveFile(m_parts.window, QString(), m_dialogFolder, filter,
                                proposedFileName(m_parts.document->dataFileName(), extension));
    if (chosen.isEmpty())
        return QString();
    m_dialogFolder = folderOf(chosen);
    const QString path = nameRule(chosen);
    return mayWrite(path) ? path : QString();
}

void MainFileCommands::showOpened(int band, const QString &captionPath)
{
    m_parts.shell->selectBand(band);
    m_parts.shell->clearReadout();
    m_parts.view->showMeasurementView();
    m_parts.shell->showCaption(captionPath);
}

void MainFileCommands::MenuFile_OpenClick()
{
    MeasurementDocument &doc = *m_parts.document;
    if (doc.hasUnsavedMeasurement() && !m_parts.message->askDiscardOnOpen())
        return;
    const QString path =
        Seams::files().openFile(m_parts.window, openTitle(), m_dialogFolder, openFilter());
    if (path.isEmpty())
        return;
    openDataFile(path);
}

void MainFileCommands::openDataFile(const QString &path)
{
    MeasurementDocument &doc = *m_parts.document;
    m_dialogFolder = folderOf(path);
    if (doc.isTablePath(path)) {
        mImportMeasurement(path);
        return;
    }

    const OpenOutcome outcome = doc.open(path, m_parts.settings->comPort);
    if (outcome != OpenOutcome::Opened) {
        if (outcome == OpenOutcome::NotReadable)
            m_parts.message->msgBadDataFile();
        else
            m_parts.message->msgCalcDataError();
        m_parts.view->clear();
        m_parts.shell->curvesChanged();
        return;
    }
    showOpened(doc.measurement().band, doc.dataFileName());
    m_parts.shell->curvesChanged();
    warnIfOver150();
    // A repeat file that is there but does not read is said; none, or another measurement's
    // left under the same name, is not.
    const RepeatFileRead repeats = doc.repeatFileRead();
    if (repeats.status != RepeatFileRead::Read && repeats.status != RepeatFileRead::Missing &&
        repeats.status != RepeatFileRead::OtherMeasurement)
        m_parts.message->msgRepeatFileNotRead(repeatFilePath(path), repeats.line);
}

void MainFileCommands::mImportMeasurement(const QString &path)
{
    // A table that fails leaves the measurement and the view as they were.
    const ImportOutcome outcome = m_parts.document->importMeasurement(path);
    if (!outcome.ok()) {
        m_parts.message->msgBadTable(path, outcome.read.problem, outcome.read.line, outcome.band);
        return;
    }
    showOpened(outcome.band, path);
    m_parts.status->showImported(QFileInfo(path).fileName(), outcome.band, outcome.reordered,
                                 outcome.duplicates);
    m_parts.shell->curvesChanged();
    warnIfOver150();
}

void MainFileCommands::MenuFile_SaveClick()
{
    MeasurementDocument &doc = *m_parts.document;
    if (!doc.hasMeasurement()) {
        m_parts.message->msgNoData();
        return;
    }
    if (doc.isImported() && !m_parts.message->askSaveImported(doc.measurement().band))
        return;
    if (doc.oldFormatLoaded() == 1) {
        if (!m_parts.message->askSaveAsCurrentFormat())
            return;
        doc.acceptCurrentFormat();
    }
    const QString path = chooseTarget(dataFilter(), kDataFileExtension, &dataFileSavePath);
    if (path.isEmpty())
        return;

    const std::vector<int> beyond = doc.pointsBeyondDataFile();
    if (doc.save(path, m_parts.settings->comPort) == WriteOutcome::Written) {
        m_parts.status->showSaved();
        m_parts.shell->showCaption(doc.dataFileName());
        if (!beyond.empty())
            m_parts.message->msgSavedBeyondDataFile(int(beyond.size()),
                                                    gridFrequencyList(beyond, 3));
        if (!doc.repeatFileWritten())
            m_parts.message->msgRepeatFileNotSaved(repeatFilePath(path), doc.writeError());
    } else {
        m_parts.status->showSaveFailed(doc.writeError());
    }
}

void MainFileCommands::MenuFile_CloseClick()
{
    MeasurementDocument &doc = *m_parts.document;
    if (doc.hasUnsavedMeasurement() && !m_parts.message->askDiscardOnClose())
        return;
    doc.close();
    m_parts.status->clearPanel(HStatus::kProgressPanel);
    m_parts.status->clearPanel(HStatus::kReadoutPanel);
    m_parts.shell->showCaption(QString());
    if (doc.anyReferenceLoaded())
        m_parts.view->showReferences();
    else
        m_parts.view->clear();
    m_parts.shell->curvesChanged();
}

void MainFileCommands::exportTable(const QString &filter, const QString &extension,
                                   QString (*nameRule)(const QString &),
                                   const std::function<WriteOutcome(const QString &)> &write,
                                   void (HStatus::*written)() const)
{
    if (!m_parts.document->hasMeasurement()) {
        m_parts.message->msgNoData();
        return;
    }
    const QString path = chooseTarget(filter, extension, nameRule);
    if (path.isEmpty())
        return;
    if (write(path) == WriteOutcome::Written)
        (m_parts.status->*written)();
    else
        m_parts.status->showSaveFailed(m_parts.document->writeError());
}

void MainFileCommands::MenuFile_ExportClick()
{
    exportTable(
        exportFilter(), kExportFileExtension, &exportFilePath,
        [this](const QString &path) {
            return m_parts.document->exportText(path, m_parts.view->averaging());
        },
        &HStatus::showExported);
}

void MainFileCommands::MenuFile_ZmaClick()
{
    exportTable(
        zmaFilter(), kZmaFileExtension, &zmaFilePath,
        [this](const QString &path) {
            return m_parts.document->exportZma(path, m_parts.view->averaging());
        },
        &HStatus::showZmaWritten);
}

void MainFileCommands::MenuRef_OpenClick()
{
    MeasurementDocument &doc = *m_parts.document;
    TH_Message &message = *m_parts.message;
    if (doc.refCount() >= kReferenceSlots) {
        message.msgTooManyRefs();
        return;
    }
    const QStringList paths =
        Seams::files().openFiles(m_parts.window, refOpenTitle(), m_dialogFolder, openFilter());
    if (paths.isEmpty())
        return;
    loadReferenceFiles(paths);
}

void MainFileCommands::loadReferenceFiles(const QStringList &paths)
{
    MeasurementDocument &doc = *m_parts.document;
    TH_Message &message = *m_parts.message;
    m_dialogFolder = folderOf(paths.first());
    // The files loaded before one that fails stay loaded, counted and drawn.
    const ReferencesOutcome outcome = doc.loadReferences(paths);
    m_parts.shell->referencesChanged();
    switch (outcome.stop) {
    case ReferencesOutcome::TooMany:
        message.msgTooManyRefs();
        return;
    case ReferencesOutcome::BadFile:
        message.msgBadDataFile();
        break;
    case ReferencesOutcome::BadData:
        message.msgCalcDataError();
        break;
    case ReferencesOutcome::BadTable:
        message.msgBadTable(paths[outcome.loaded], outcome.table.read.problem,
                            outcome.table.read.line, outcome.table.band);
        break;
    case ReferencesOutcome::Complete:
        break;
    }
    if (outcome.loaded == 0)
        return;

    if (doc.hasMeasurement()) {
        m_parts.view->showMeasurementAndReferences();
        warnIfOver150();
    } else {
        m_parts.shell->selectBand(doc.reference(0).band);
        m_parts.view->showReferences();
    }
}

void MainFileCommands::MenuRef_CloseClick()
{
    m_parts.document->clearReferences();
    m_parts.shell->referencesChanged();
    if (m_parts.document->hasMeasurement())
        m_parts.view->showMeasurement();
    else
        m_parts.view->clear();
}

void MainFileCommands::mSaveForRecovery()
{
    if (!m_parts.document->hasUnsavedMeasurement())
        return;
    const RecoveryFiles recovery(settingsDirectory());
    const QString path = recovery.newPath(QDateTime::currentDateTime());
    if (m_parts.document->writeCopy(path, m_parts.settings->comPort))
        recovery.note(path);
}

void MainFileCommands::mTellRecovery()
{
    for (const QString &path : RecoveryFiles(settingsDirectory()).takeNoted())
        m_parts.message->msgRecovered(path);
}
