#pragma once

#include "core/document/DocumentState.h"
#include "core/files/ImpedanceTable.h"
#include "core/files/ReferenceSlot.h"
#include "core/files/RepeatFile.h"
#include "core/files/VELO_File.h"
#include "core/model/CurveBlock.h"
#include "core/model/GraphScale.h"
#include "core/model/MeasurementRecord.h"
#include "core/model/RepeatSet.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

// How opening a data file ended.
enum class OpenOutcome {
    Opened,
    NotReadable, // missing, unreadable or not a valid data file
    BadData      // read, but its points do not convert
};

// How saving or exporting ended.
enum class WriteOutcome { Written, Failed };

// How importing another tool's table ended: the reader's verdict, the band the curve was
// put on, and what the reader tidied (sorted rows, dropped repeated frequencies).
struct ImportOutcome {
    TableRead read;
    int band = 0;
    bool reordered = false;
    int duplicates = 0;
    bool ok() const { return read.ok(); }
};

// How loading a selection of reference files ended: how many were loaded, and why the
// selection stopped early, if it did. A table that failed says why in table.
struct ReferencesOutcome {
    enum Stop { Complete, TooMany, BadFile, BadData, BadTable };
    Stop stop = Complete;
    int loaded = 0;
    ImportOutcome table;
};

// The loaded measurement with its curves and the five reference slots. The window and velo2-cli
// hold one each and turn the outcomes of its operations into their messages; nothing here asks or
// tells the user anything. The user's preferences (Preferences) are not the document's: the window
// keeps them beside it.
class MeasurementDocument
{
public:
    MeasurementDocument();

    // ---- the measurement ----
    // Read only: the operations below are the only writers, so the flags, the file name and
    // the reference count always describe what the document holds.
    const MeasurementRecord &measurement() const { return m_measurement; }
    const CurveBlock &curveRaw() const { return m_curveRaw; }
    const CurveBlock &curveAvg() const { return m_curveAvg; }
    // The block a table or the graph takes, after the "平均処理" option.
    const CurveBlock &curve(bool averaging) const { return averaging ? m_curveAvg : m_curveRaw; }
    bool hasMeasurement() const { return m_measurement.valid == 1; }
    // A measurement the user would lose by replacing it.
    bool hasUnsavedMeasurement() const { return hasMeasurement() && m_saved == 0; }

    // The COM port the data file last opened names, as far as it was read (1 before any).
    qint32 comPort() const { return m_comPort; }
    // The unit's serial as the unit sent it or the data file holds it.
    const QByteArray &unitSerial() const { return m_unitSerial; }
    // An identified unit's serial: the next save writes it.
    void setUnitSerial(const QByteArray &serial) { m_unitSerial = serial; }
    // 1 once the measurement is in a file; 0 for a new or failed one.
    quint8 saved() const { return m_saved; }
    // 1 while the measurement came from a first-model ("DataFile:HK-A") file.
    quint8 oldFormatLoaded() const { return m_oldFormatLoaded; }
    // The user agreed to keep a first-model measurement in the current form from now on.
    void acceptCurrentFormat() { m_oldFormatLoaded = 0; }
    // The file last opened, saved or exported (an export without its extension).
    const QString &dataFileName() const { return m_dataFileName; }

    // True while the measurement is a table imported from another tool, until it is saved
    // or replaced (a new run clears "saved").
    bool isImported() const { return hasMeasurement() && m_imported && m_saved == 1; }
    // False for a curve from a table without a phase column: its phase reads 0 and means
    // nothing, so nothing complex may be made of it.
    bool measurementHasPhase() const { return m_hasPhase; }

    // What a run fills point by point. Only the run writes through it: its start prepares
    // the record (no longer valid) and its finish marks it valid.
    struct RunTarget {
        MeasurementRecord &record;
        CurveBlock &raw;
        CurveBlock &avg;
    };
    RunTarget runTarget() { return {m_measurement, m_curveRaw, m_curveAvg}; }
    // Once a run has prepared the record, a new measurement replaces the current one: it has
    // no file and is not saved, whatever the run leaves.
    void beginRun();

    // ---- repeated sweeps ----
    // The sweeps whose mean the measurement is, when it is one; null otherwise.
    const RepeatSet *repeats() const { return m_repeats.get(); }
    // The mean of set becomes the measurement (valid, not saved, no file yet) and set its
    // sweeps; false, with nothing changed, for an empty set.
    bool takeRepeatMean(RepeatSet set);
    // How the repeat file beside the last data file opened was read: Missing when there was
    // none, and the measurement's sweeps are only kept when it is Read.
    const RepeatFileRead &repeatFileRead() const { return m_repeatRead; }
    // False when the last save wrote the mean but not its repeat file (writeError says why).
    bool repeatFileWritten() const { return m_repeatWritten; }

    // ---- the references ----
    const MeasurementRecord &reference(int slot) const { return m_references[size_t(slot)]; }
    const CurveBlock &refCurveRaw(int slot) const { return m_refCurveRaw[size_t(slot)]; }
    const CurveBlock &refCurveAvg(int slot) const { return m_refCurveAvg[size_t(slot)]; }
    const std::array<QString, kReferenceSlots> &refFileNames() const { return m_refFileNames; }
    // Slots filled by the loads since the last clear: the loaded slots are 0 .. refCount - 1.
    int refCount() const { return m_refCount; }
    bool referenceHasPhase(int slot) const { return m_refHasPhase[size_t(slot)]; }
    bool anyReferenceLoaded() const;

    // ---- view ----
    // Points a graph scale, the viewer's, at the raw or averaged blocks.
    void selectShownCurves(GraphScale &scale, bool averaging) const;

    // ---- operations ----

    // Reads and converts a data file as the measurement. The file's serial, model flag and COM
    // port replace the document's; comPort, the caller's, takes the file's port too, as far
    // as the file was read (the window's settings have always taken it over). On success the
    // measurement is valid and saved; on failure it is neither.
    // The repeat file beside it, if any, brings back the sweeps of a mean (repeatFileRead); a
    // damaged one never stops the data file from opening.
    OpenOutcome open(const QString &path, qint32 &comPort);
    // Reads another tool's table as the measurement, on band (0: the band that best covers
    // it). Only
    // a table that passed replaces the measurement (valid, saved: its file holds it); on
    // failure the document is unchanged.
    ImportOutcome importMeasurement(const QString &path, int band = 0);
    // Opens path as a data file (".DTA") or else as a table, the way the window's "開く" does.
    bool isTablePath(const QString &path) const;
    // Writes the measurement to path naming comPort, and path becomes its file; saved on
    // success. The sweeps of a mean go to the repeat file beside it (repeatFileWritten). Missing
    // points before the first one of an imported curve are filled for the file.
    WriteOutcome save(const QString &path, qint32 comPort);
    // Grid indices of the measurement's points whose |Z| a data file cannot hold (an imported
    // curve above 655.35 ohm): save writes them at that limit, while the curves keep them.
    std::vector<int> pointsBeyondDataFile() const;
    // Why the last save or export failed, in the system's words ("No space left on
    // device"); empty when it failed without a system error.
    const QString &writeError() const { return m_writeError; }
    // Writes the measurement to path without making it the measurement's file.
    bool writeCopy(const QString &path, qint32 comPort) const;
    // The measurement is no longer valid; record and curves keep their contents.
    void close();
    // No measurement, and every slot a cleared point ("0" digits), so the slots the next
    // file does not fill read as cleared points rather than the previous measurement's.
    void clearMeasurement();
    // Writes the measurement's table; the export's name without its extension is what the
    // next save or export proposes.
    WriteOutcome exportText(const QString &path, bool averaging);
    // The bytes exportText writes; false for a measurement without a band to export.
    bool exportBytes(bool averaging, QByteArray &bytes) const;

    // The shown curve as a ZMA table naming the measurement's file and band; false for a
    // measurement without a band.
    bool zmaBytes(bool averaging, QByteArray &bytes) const;
    // Writes zmaBytes to path; the measurement's file stays what it was.
    WriteOutcome exportZma(const QString &path, bool averaging) const;

    // Loads one file into the next free slot, leaving the slot as it was on failure.
    ReferenceLoad addReference(const QString &path);
    // Imports a table into the next free slot, on the measurement's band (else the first
    // reference's, else the band that best covers it); the slot is untouched on failure.
    ImportOutcome importReference(const QString &path);
    // Loads a selection (data files and tables) into the free slots one after the other:
    // the first file that fails ends the selection and the ones before it stay loaded. A
    // selection that does not fit loads nothing.
    ReferencesOutcome loadReferences(const QStringList &paths);
    void clearReferences();

    // ---- the whole document as values (MeasurementDocument_state.cpp) ----
    // For workspaces and the undo history: restore(state()) changes nothing.
    DocumentState state() const;
    void restore(const DocumentState &state);

private:
    // Tests put a document in states that would otherwise need a unit or a first-model file.
    friend struct DocumentProbe;

    void failOpen();

    VELO_File m_file;
    MeasurementRecord m_measurement;
    CurveBlock m_curveRaw;
    CurveBlock m_curveAvg;
    std::array<MeasurementRecord, kReferenceSlots> m_references;
    std::array<CurveBlock, kReferenceSlots> m_refCurveRaw;
    std::array<CurveBlock, kReferenceSlots> m_refCurveAvg;
    std::array<QString, kReferenceSlots> m_refFileNames;
    int m_refCount = 0;
    QByteArray m_unitSerial;
    qint32 m_comPort = 1;
    QString m_dataFileName;
    quint8 m_saved = 0;
    quint8 m_oldFormatLoaded = 0;
    bool m_imported = false;
    bool m_hasPhase = true;
    std::array<bool, kReferenceSlots> m_refHasPhase{true, true, true, true, true};
    mutable QString m_writeError;
    std::shared_ptr<const RepeatSet> m_repeats;
    RepeatFileRead m_repeatRead{RepeatFileRead::Missing, 0};
    bool m_repeatWritten = true;
};
