#include "core/document/DocumentView.h"

#include "core/document/MeasurementDocument.h"

#include <QFileInfo>

ViewSources viewSourcesOf(const MeasurementDocument &doc)
{
    ViewSources sources;
    sources.measurementName = QFileInfo(doc.dataFileName()).fileName();
    sources.measurementHasPhase = doc.measurementHasPhase();
    for (int k = 0; k < kReferenceSlots; ++k) {
        sources.referenceNames[size_t(k)] = QFileInfo(doc.refFileNames()[size_t(k)]).fileName();
        sources.referenceHasPhase[size_t(k)] = doc.referenceHasPhase(k);
    }
    return sources;
}
