#include "core/document/MeasurementDocument.h"

#include "core/files/FileNameRules.h"
#include "core/graph/ViewScale.h"

MeasurementDocument::MeasurementDocument()
{
    initGraphScale(m_graphScale, m_measurement.band);
}

bool MeasurementDocument::anyReferenceLoaded() const
{
    for (const auto &ref : m_references)
        if (ref.valid == 1)
            return true;
    return false;
}

void MeasurementDocument::selectShownCurves(bool averaging)
{
    ::selectShownCurves(m_graphScale, averaging, m_curveRaw, m_curveAvg, m_refCurveRaw.data(),
                        m_refCurveAvg.data());
}

void MeasurementDocument::failOpen()
{
    m_measurement.valid = 0;
    m_saved = 0;
}

OpenOutcome MeasurementDocument::open(const QString &path)
{
    m_dataFileName = path;
    // The file's COM port goes straight into the settings, as the window has always taken it.
    if (!m_file.readDataFile(path, m_unitSerial, m_oldFormatLoaded, m_settings.comPort,
                             &m_measurement)) {
        failOpen();
        return OpenOutcome::NotReadable;
    }
    if (!m_file.convertRecord(&m_measurement, &m_curveRaw, &m_curveAvg)) {
        failOpen();
        return OpenOutcome::BadData;
    }
    m_measurement.valid = 1;
    m_saved = 1;
    return OpenOutcome::Opened;
}

WriteOutcome MeasurementDocument::save(const QString &path)
{
    m_dataFileName = path;
    if (!writeCopy(path))
        return WriteOutcome::Failed;
    m_saved = 1;
    return WriteOutcome::Written;
}

bool MeasurementDocument::writeCopy(const QString &path) const
{
    return m_file.writeDataFile(path, m_unitSerial, m_settings.comPort, &m_measurement);
}

void MeasurementDocument::close()
{
    m_measurement.valid = 0;
}

WriteOutcome MeasurementDocument::exportText(const QString &path, bool averaging)
{
    m_dataFileName = pathWithoutExtension(path);
    return m_file.exportText(path, &curve(averaging), &m_measurement) ? WriteOutcome::Written
                                                                      : WriteOutcome::Failed;
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
        ++m_refCount;
    }
    return result;
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

bool MeasurementDocument::loadSettings(const QString &path)
{
    return m_file.readSettingFile(path, &m_settings, &m_windowState);
}

bool MeasurementDocument::saveSettings(const QString &path) const
{
    return m_file.writeSettingFile(path, &m_settings, &m_windowState);
}
