#pragma once

#include "core/document/MeasurementDocument.h"
#include "ui/main/MainShell.h"

#include <QString>
#include <functional>

// The main window's file and reference commands: the file menu's open, save, close, text and
// ZMA export, the reference menu, and the recovery copy made before an end nobody chose.
class MainFileCommands
{
public:
    explicit MainFileCommands(const MainParts &parts);

    void MenuFile_OpenClick();
    // What 開く does once a file is chosen.
    void openDataFile(const QString &path);
    // "開く" of another tool's table instead of a data file.
    void mImportMeasurement(const QString &path);
    void MenuFile_SaveClick();
    void MenuFile_CloseClick();
    void MenuFile_ExportClick();
    void MenuFile_ZmaClick();
    void MenuRef_OpenClick();
    // What 読込み does once files are chosen (a drop with Ctrl too).
    void loadReferenceFiles(const QStringList &paths);
    void MenuRef_CloseClick();
    // Before an end the user did not choose: an unsaved measurement goes to a recovery file.
    void mSaveForRecovery();
    // At start: tells where the measurements kept that way are.
    void mTellRecovery();

private:
    // A file that opened as the measurement: on the graph, in the caption, to the analysis.
    void showOpened(int band, const QString &captionPath);
    void warnIfOver150();
    // The chosen path unless a file is there already and the user keeps it.
    bool mayWrite(const QString &path) const;
    // Asks for a path to write, remembering its folder and applying the format's name rule;
    // empty when the user gave up.
    QString chooseTarget(const QString &filter, const QString &extension,
                         QString (*nameRule)(const QString &));

    // Export and ZMA: a table of the measurement under the format's name rule.
    void exportTable(const QString &filter, const QString &extension,
                     QString (*nameRule)(const QString &),
                     const std::function<WriteOutcome(const QString &)> &write,
                     void (HStatus::*written)() const);

    MainParts m_parts;
    // Where the file dialogs open: that of the file last chosen in one.
    QString m_dialogFolder;
};
