#pragma once

#include <QCoreApplication>
#include <QString>

enum class TableProblem;
namespace UnitTexts {
enum class Box;
}

// One modal message box per situation, so every text lives here. Boxes have no owner
// and carry the program caption; they are shown through the message seam.
class TH_Message
{
    Q_DECLARE_TR_FUNCTIONS(TH_Message)

public:
    TH_Message(const QString &unitName, const QString &caption);

    // Used before a TH_Message exists (its own creation failed): fixed caption "VELO2 v2.3".
    static void msgFatalMemoryStatic(const QString &className);
    // An exception that ended the program: its own text, caption the application title.
    static void msgException(const QString &text);
    // The COM port dialog's plain boxes, captioned "エラー": a typed name not "COM…", and a
    // number that is no whole number from 1 to 256.
    static void msgComNameInvalid();
    static void msgComNumberInvalid();
    // The COMn link to a chosen device could not be made; `detail` says why.
    static void msgComLinkFailed(const QString &detail);

    void msgFatalMemory(const QString &className) const;
    void msgSettingsNotSaved() const;
    void msgBadDataFile() const;
    // A file to open that is not there (a name given on the command line).
    void msgFileNotFound(const QString &path) const;
    void msgComOpenFailed() const;
    void msgUnitNotFound() const;
    void msgCalcDataError() const;
    void msgNoData() const;
    bool askDiscardAndStart() const;
    bool askDiscardOnClose() const;
    bool askQuitUnsaved() const;
    bool askDiscardOnOpen() const;
    // Before a file is replaced by Save or the text export.
    bool askOverwrite(const QString &path) const;
    // Before a measurement read from a first-model file is saved in the current form.
    bool askSaveAsCurrentFormat() const;
    void msgVersionMismatch() const;
    void msgTooManyRefs() const;
    void msgOver150() const;
    void msgBandUnsupported() const;
    // The box a unit outcome asks for (none for Box::None).
    void msgOutcome(UnitTexts::Box box) const;
    // A start refused while another window measures with the unit.
    void msgUnitHeldBy(const QString &holder) const;
    void msgPrintFailed() const;
    // At start: where the measurement left unsaved by the last end was kept.
    void msgRecovered(const QString &path) const;
    // After a new language choice: it applies at the next start.
    void msgLanguageNextStart() const;
    void msgLanguageNotSaved() const;
    // Another tool's table that could not be taken: which file, and why (line, band).
    void msgBadTable(const QString &path, TableProblem problem, int line, int band) const;
    // Before an imported curve is saved as a data file of its band.
    bool askSaveImported(int band) const;
    // After saving an imported curve: count points above what a data file holds, the first
    // ones named in frequencies.
    void msgSavedBeyondDataFile(int count, const QString &frequencies) const;
    // The mean opened, but the repeat file beside it did not (line: the first line at fault,
    // 0 when none applies); the graph has no spread band.
    void msgRepeatFileNotRead(const QString &path, int line) const;
    // A sweep of repeated sweeps came from another unit than the first: the set ends without it.
    void msgRepeatOtherUnit() const;
    // A graph view that needs the phase, for a curve without it.
    void msgViewNeedsPhase() const;
    // A difference or ratio view with no reference loaded.
    void msgViewNeedsReference() const;
    // The mean was saved, but its sweeps could not be written beside it.
    void msgRepeatFileNotSaved(const QString &path, const QString &reason) const;

    QString caption() const { return m_caption; }
    QString unitName() const { return m_unitName; }

private:
    void error(const QString &text) const;
    void warning(const QString &text) const;
    bool question(const QString &text) const;

    QString m_unitName;
    QString m_caption; // at most 11 characters, as the fixed caption buffer holds
};
