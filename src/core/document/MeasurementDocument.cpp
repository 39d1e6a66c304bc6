#include "core/document/MeasurementDocument.h"

#include "core/document/CurveOnGrid.h"
#include "core/files/FileNameRules.h"
#include "core/files/SafeWrite.h"
#include "core/files/ZmaText.h"
#include "core/graph/ViewScale.h"
#include "core/measure/RepeatMeanRecord.h"
#include "core/measure/RunDateTime.h"

#include <QFileInfo>
#include <memory>

namespace {

// A table read and put on the grid in scratch copies, so a failure touches nothing.
struct ImportedCurve {
    std::unique_ptr<MeasurementRecord> record = std::make_unique<MeasurementRecord>();
    std::unique_ptr<CurveBlock> raw = std::make_unique<CurveBlock>();
    std::unique_ptr<CurveBlock> avg = std::make_unique<CurveBlock>();
    bool hasPhase = false;
};

// band 0: the band that best covers the table.
ImportOutcome importTable(const VELO_File &file, const QString &path, int band, ImportedCurve &out)
{
    ImportOutcome outcome;
    ImpedanceTable table;
    outcome.read = readImpedanceTable(path, table);
    if (!outcome.ok())
        return outcome;
    outcome.reordered = table.reordered;
    out.hasPhase = table.hasPhase;
    outcome.duplicates = table.duplicates;
    outcome.band = band > 0 ? band : bestBandFor(table);
    if (outcome.band == 0 || putOnGrid(table, outcome.band, *out.record) == 0) {
        outcome.read = {TableProblem::OutsideBand, 0};
        return outcome;
    }
    out.record->dateTime = runDateTimeText(QFileInfo(path).lastModified());
    file.convertRecord(out.record.get(), out.raw.get(), out.avg.get());
    // The point texts are for the data file; the curves keep the table's values.
    putFullPrecision(table, outcome.band, *out.raw);
    file.averageCurve(outcome.band, *out.raw, out.avg.get());
    out.record->valid = 1;
    return outcome;
}

} // namespace

MeasurementDocument::MeasurementDocument()
{
    // An empty reference slot holds cleared points on the first band, as the window has
    // always started.
    for (auto &ref : m_references) {
        ref.band = 1;
        clearPoints(ref);
    }
}

void MeasurementDocument::beginRun()
{
    m_repeats.reset();
    m_dataFileName.clear();
    m_saved = 0;
    m_oldFormatLoaded = 0;
    m_imported = false;
    m_hasPhase = true;
}

bool MeasurementDocument::anyReferenceLoaded() const
{
    for (const auto &ref : m_references)
        if (ref.valid == 1)
            return true;
    return false;
}

void MeasurementDocument::selectShownCurves(GraphScale &scale, bool averaging) const
{
    ::selectShownCurves(scale, averaging, m_curveRaw, m_curveAvg, m_refCurveRaw.data(),
                        m_refCurveAvg.data());
}

void MeasurementDocument::failOpen()
{
    m_measurement.valid = 0;
    m_saved = 0;
}

bool MeasurementDocument::takeRepeatMean(RepeatSet set)
{
    if (!repeatMeanRecord(set, m_measurement, m_curveRaw, m_curveAvg))
        return false;
    beginRun();
    m_repeats = std::make_shared<const RepeatSet>(std::move(set));
    return true;
}

OpenOutcome MeasurementDocument::open(const QString &path, qint32 &comPort)
{
    m_dataFileName = path;
    m_imported = false;
    m_hasPhase = true;
    m_repeats.reset();
    m_repeatRead = {RepeatFileRead::Missing, 0};
    const bool read =
        m_file.readDataFile(path, m_unitSerial, m_oldFormatLoaded, comPort, &m_measurement);
    m_comPort = comPort;
    if (!read) {
        failOpen();
        return OpenOutcome::NotReadable;
    }
    if (!m_file.convertRecord(&m_measurement, &m_curveRaw, &m_curveAvg)) {
        failOpen();
        return OpenOutcome::BadData;
    }
    m_measurement.valid = 1;
    m_saved = 1;
    RepeatSet sweeps;
    m_repeatRead = readRepeatFileFor(path, m_measurement, sweeps);
    if (m_repeatRead.ok())
        m_repeats = std::make_shared<const RepeatSet>(std::move(sweeps));
    return OpenOutcome::Opened;
}

bool MeasurementDocument::isTablePath(const QString &path) const
{
    return !path.endsWith(kDataFileExtension, Qt::CaseInsensitive);
}

ImportOutcome MeasurementDocument::importMeasurement(const QString &path, int band)
{
    ImportedCurve curve;
    const ImportOutcome outcome = importTable(m_file, path, band, curve);
    if (!outcome.ok())
        return outcome;
    m_repeats.reset();
    m_measurement = *curve.record;
    m_curveRaw = *curve.raw;
    m_curveAvg = *curve.avg;
    m_unitSerial.clear();
    m_oldFormatLoaded = 0;
    m_dataFileName = path;
    m_saved = 1;
    m_imported = true;
    m_hasPhase = curve.hasPhase;
    return outcome;
}

WriteOutcome MeasurementDocument::save(const QString &path, qint32 comPort)
{
    m_dataFileName = path;
    clearSafeWriteError();
    if (!writeCopy(path, comPort)) {
        m_writeError = lastSafeWriteError();
        return WriteOutcome::Failed;
    }
    m_saved = 1;
    m_imported = false;
    m_repeatWritten = !m_repeats || writeRepeatFile(repeatFilePath(path), *m_repeats);
    if (!m_repeatWritten)
        m_writeError = lastSafeWriteError();
    return WriteOutcome::Written;
}

bool MeasurementDocument::writeCopy(const QString &path, qint32 comPort) const
{
    auto record = std::make_unique<MeasurementRecord>(m_measurement);
    fillLeadingGap(*record);
    return m_file.writeDataFile(path, m_unitSerial, comPort, record.get());
}

std::vector<int> MeasurementDocument::pointsBeyondDataFile() const
{
    return hasMeasurement() ? pointsBeyondPointText(m_curveRaw, m_measurement.band)
                            : std::vector<int>();
}

void MeasurementDocument::close()
{
    m_measurement.valid = 0;
    m_repeats.reset();
}

void MeasurementDocument::clearMeasurement()
{
    m_measurement.valid = 0;
    m_repeats.reset();
    clearPoints(m_measurement);
}

WriteOutcome MeasurementDocument::exportText(const QString &path, bool averaging)
{
    m_dataFileName = pathWithoutExtension(path);
    clearSafeWriteError();
    if (m_file.exportText(path, &curve(averaging), &m_measurement))
        return WriteOutcome::Written;
    m_writeError = lastSafeWriteError();
    return WriteOutcome::Failed;
}

bool MeasurementDocument::exportBytes(bool averaging, QByteArray &bytes) const
{
    return m_file.exportTextBytes(&curve(averaging), &m_measurement, bytes);
}

ReferenceLoad MeasurementDocument::addReference(const QString &path)
{
    const int s = m_refCount;
    clearReferenceSlot(m_references[size_t(s)], m_refCurveRaw[size_t(s)], m_refCurveAvg[size_t(s)]);
    const ReferenceLoad result = loadReference(m_file, path, m_references[size_t(s)],
                                               m_refCurveRaw[size_t(s)], m_refCurveAvg[size_t(s)]);
    if (result == ReferenceLoad::Loaded) {
        m_refFileNames[size_t(s)] = path;
        m_refHasPhase[size_t(s)] = true;
        ++m_refCount;
    }
    return result;
}

bool MeasurementDocument::zmaBytes(bool averaging, QByteArray &bytes) const
{
    if (!isValidBand(m_measurement.band))
        return false;
    bytes = zmaText(curve(averaging), m_measurement.band, QFileInfo(m_dataFileName).fileName());
    return true;
}

WriteOutcome MeasurementDocument::exportZma(const QString &path, bool averaging) const
{
    QByteArray bytes;
    clearSafeWriteError();
    if (zmaBytes(averaging, bytes) && writeFileSafely(path, bytes))
        return WriteOutcome::Written;
    m_writeError = lastSafeWriteError();
    return WriteOutcome::Failed;
}

ImportOutcome MeasurementDocument::importReference(const QString &path)
{
    const int s = m_refCount;
    int band = 0;
    if (hasMeasurement())
        band = m_measurement.band;
    else if (m_refCount > 0)
        band = m_references[0].band;
    ImportedCurve curve;
    const ImportOutcome outcome = importTable(m_file, path, band, curve);
    if (!outcome.ok())
        return outcome;
    m_references[size_t(s)] = *curve.record;
    m_refCurveRaw[size_t(s)] = *curve.raw;
    m_refCurveAvg[size_t(s)] = *curve.avg;
    m_refFileNames[size_t(s)] = path;
    m_refHasPhase[size_t(s)] = curve.hasPhase;
    ++m_refCount;
    return outcome;
}

ReferencesOutcome MeasurementDocument::loadReferences(const QStringList &paths)
{
    ReferencesOutcome outcome;
    if (m_refCount + paths.size() > kReferenceSlots) {
        outcome.stop = ReferencesOutcome::TooMany;
        return outcome;
    }
    for (int s = m_refCount; s < kReferenceSlots; ++s)
        clearReferenceSlot(m_references[size_t(s)], m_refCurveRaw[size_t(s)],
                           m_refCurveAvg[size_t(s)]);
    for (const QString &path : paths) {
        if (isTablePath(path)) {
            outcome.table = importReference(path);
            if (!outcome.table.ok()) {
                outcome.stop = ReferencesOutcome::BadTable;
                break;
            }
            ++outcome.loaded;
            continue;
        }
        const ReferenceLoad result = addReference(path);
        if (result == ReferenceLoad::BadFile) {
            outcome.stop = ReferencesOutcome::BadFile;
            break;
        }
        if (result == ReferenceLoad::BadData) {
            outcome.stop = ReferencesOutcome::BadData;
            break;
        }
        ++outcome.loaded;
    }
    return outcome;
}

void MeasurementDocument::clearReferences()
{
    for (int s = 0; s < kReferenceSlots; ++s)
        clearReferenceSlot(m_references[size_t(s)], m_refCurveRaw[size_t(s)],
                           m_refCurveAvg[size_t(s)]);
    m_refCount = 0;
}
