#include "ui/main/TFormMain.h"

#include "core/files/AppPaths.h"
#include "core/files/FileNameRules.h"
#include "core/files/RecoveryFiles.h"
#include "core/files/ReferenceSlot.h"
#include "core/files/WindowPlacement.h"
#include "core/model/BandTable.h"
#include "ui/common/HStatus.h"
#include "ui/common/Seams.h"
#include "ui/common/TH_Message.h"
#include "ui/common/Texts.h"
#include "ui/graph/Graph_RTF.h"

#include <QAction>
#include <QComboBox>
#include <QDateTime>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

// File and settings commands.

namespace {

const QString kOpenTitle = QStringLiteral("データファイルを選んでください");
const QString kRefOpenTitle = QStringLiteral("参照ファイルを選んでください(５個まで)");
const QString kDataFilter = QStringLiteral("データファイル (*.DTA)");
const QString kExportFilter = QStringLiteral("データファイル (*.txt)");

constexpr int kProgressPanel = 1;
constexpr int kReadoutPanel = 2;
constexpr float kWarnResistance = 150.0f;

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
    if (w.MenuSet_Warning->isChecked() && w.graphScale.rMax > kWarnResistance)
        w.message->msgOver150();
}

void selectBand(TFormMain &w, int band)
{
    w.graphScale.band = band;
    w.ComboBox2->setCurrentIndex(band - 1);
}

// The file dialogs open where the user last chose a file, as the shared dialogs of the
// original platform did, rather than in the working folder.
void rememberFolder(TFormMain &w, const QString &path)
{
    w.dialogFolder = QFileInfo(path).absolutePath();
}

// The chosen path unless a file is there already and the user keeps it.
bool mayWrite(const TFormMain &w, const QString &path)
{
    return !QFileInfo::exists(path) || w.message->askOverwrite(path);
}

} // namespace

void TFormMain::mLoadSettings()
{
    if (file->readSettingFile(settingsReadPath(), &settings, &windowState)) {
        // The resize handler must not copy the intermediate sizes back.
        placementLoading = 1;
        const QScreen *shownOn = screen() ? screen() : QGuiApplication::primaryScreen();
        if (shownOn)
            clampWindowPlacement(windowState, shownOn->availableGeometry());
        move(windowState.left, windowState.top);
        applyWindowSize(windowState.width, windowState.height);
        placementLoading = 0;

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
    windowState.top = y();
    windowState.left = x();
    windowState.width = outerWidth();
    windowState.height = outerHeight();
    windowState.band = selectedBand();
    windowState.rOnly = MenuGraph_R_only->isChecked();
    windowState.thickLines = MenuGraph_Wide->isChecked();
    windowState.averaging = MenuGraph_Ave->isChecked();
    windowState.warn150 = MenuSet_Warning->isChecked();
    if (!file->writeSettingFile(settingsFilePath(), &settings, &windowState))
        message->msgSettingsNotSaved();
}

void TFormMain::mSaveSettings()
{
    if (!file)
        return;
    windowState.band = selectedBand();
    windowState.left = x();
    windowState.top = y();
    windowState.width = outerWidth();
    windowState.height = outerHeight();
    windowState.rOnly = MenuGraph_R_only->isChecked();
    windowState.thickLines = MenuGraph_Wide->isChecked();
    windowState.averaging = MenuGraph_Ave->isChecked();
    windowState.warn150 = MenuSet_Warning->isChecked();
    if (!file->writeSettingFile(settingsFilePath(), &settings, &windowState) && message)
        message->msgSettingsNotSaved();
}

void TFormMain::MenuFile_OpenClick()
{
    if (measurement->valid == 1 && saved == 0 && !message->askDiscardOnOpen())
        return;
    const QString path = Seams::files().openFile(this, kOpenTitle, dialogFolder, kDataFilter);
    if (path.isEmpty())
        return;
    rememberFolder(*this, path);
    dataFileName = path;

    if (!file->readDataFile(path, unitSerial, oldFormatLoaded, settings.comPort,
                            measurement.get())) {
        message->msgBadDataFile();
        measurement->valid = 0;
        saved = 0;
        drawEmptyGraph(*this);
        curvesChanged();
        return;
    }
    if (!file->convertRecord(measurement.get(), curveRaw.get(), curveAvg.get())) {
        message->msgCalcDataError();
        measurement->valid = 0;
        saved = 0;
        drawEmptyGraph(*this);
        curvesChanged();
        return;
    }
    measurement->valid = 1;
    saved = 1;
    selectBand(*this, measurement->band);
    if (anyReferenceLoaded())
        showMeasurementAndReferences();
    else
        showMeasurement();
    setWindowTitle(captionFor(dataFileName));
    curvesChanged();
    warnIfOver150(*this);
}

void TFormMain::MenuFile_SaveClick()
{
    if (measurement->valid == 0) {
        message->msgNoData();
        return;
    }
    if (oldFormatLoaded == 1) {
        if (!message->askSaveAsCurrentFormat())
            return;
        oldFormatLoaded = 0;
    }
    const QString chosen =
        Seams::files().saveFile(this, QString(), dialogFolder, kDataFilter,
                                proposedFileName(dataFileName, kDataFileExtension));
    if (chosen.isEmpty())
        return;
    rememberFolder(*this, chosen);
    const QString path = dataFileSavePath(chosen);
    if (!mayWrite(*this, path))
        return;

    dataFileName = path;
    if (file->writeDataFile(dataFileName, unitSerial, settings.comPort, measurement.get())) {
        status->showSaved();
        saved = 1;
        setWindowTitle(captionFor(dataFileName));
    } else {
        status->showSaveFailed();
    }
}

void TFormMain::MenuFile_CloseClick()
{
    if (measurement->valid == 1 && saved == 0 && !message->askDiscardOnClose())
        return;
    measurement->valid = 0;
    status->clearPanel(kProgressPanel);
    status->clearPanel(kReadoutPanel);
    setWindowTitle(QString::fromUtf8(Texts::kCaption));
    if (anyReferenceLoaded())
        showReferences();
    else
        drawEmptyGraph(*this);
    curvesChanged();
}

void TFormMain::MenuFile_ExportClick()
{
    if (measurement->valid == 0) {
        message->msgNoData();
        return;
    }
    const QString chosen =
        Seams::files().saveFile(this, QString(), dialogFolder, kExportFilter,
                                proposedFileName(dataFileName, kExportFileExtension));
    if (chosen.isEmpty())
        return;
    rememberFolder(*this, chosen);
    const QString path = exportFilePath(chosen);
    if (!mayWrite(*this, path))
        return;

    // The export's name without its extension is what the next Save or export proposes.
    dataFileName = pathWithoutExtension(path);
    const CurveBlock *curve = MenuGraph_Ave->isChecked() ? curveAvg.get() : curveRaw.get();
    if (file->exportText(path, curve, measurement.get()))
        status->showExported();
    else
        status->showSaveFailed();
}

void TFormMain::MenuRef_OpenClick()
{
    if (refCount >= kReferenceSlots) {
        message->msgTooManyRefs();
        return;
    }
    const QStringList paths =
        Seams::files().openFiles(this, kRefOpenTitle, dialogFolder, kDataFilter);
    if (paths.isEmpty())
        return;
    rememberFolder(*this, paths.first());
    if (refCount + paths.size() > kReferenceSlots) {
        message->msgTooManyRefs();
        return;
    }
    for (int s = refCount; s < kReferenceSlots; ++s)
        clearReferenceSlot(*references[s], *refCurveRaw[s], *refCurveAvg[s]);

    // Files load one after the other; the first that fails ends the selection, and the
    // ones loaded before it stay loaded, counted and drawn.
    const int before = refCount;
    for (const QString &path : paths) {
        const int s = refCount;
        const ReferenceLoad result =
            loadReference(*file, path, *references[s], *refCurveRaw[s], *refCurveAvg[s]);
        if (result == ReferenceLoad::BadFile) {
            message->msgBadDataFile();
            break;
        }
        if (result == ReferenceLoad::BadData) {
            message->msgCalcDataError();
            break;
        }
        refFileNames[s] = path;
        ++refCount;
    }
    if (refCount == before)
        return;

    if (measurement->valid == 1) {
        showMeasurementAndReferences();
        warnIfOver150(*this);
    } else {
        selectBand(*this, references[0]->band);
        showReferences();
    }
}

void TFormMain::MenuRef_CloseClick()
{
    for (int s = 0; s < kReferenceSlots; ++s)
        clearReferenceSlot(*references[s], *refCurveRaw[s], *refCurveAvg[s]);
    refCount = 0;
    if (measurement->valid == 1)
        showMeasurement();
    else
        drawEmptyGraph(*this);
}

void TFormMain::mSaveForRecovery()
{
    if (!file || measurement->valid == 0 || saved == 1)
        return;
    const RecoveryFiles recovery(settingsDirectory());
    const QString path = recovery.newPath(QDateTime::currentDateTime());
    if (file->writeDataFile(path, unitSerial, settings.comPort, measurement.get()))
        recovery.note(path);
}

void TFormMain::mTellRecovery()
{
    for (const QString &path : RecoveryFiles(settingsDirectory()).takeNoted())
        message->msgRecovered(path);
}
