#pragma once

#include "core/graph/ViewPicture.h"

class MeasurementDocument;

// What a view needs to know of the document's curves: their file names for the legend and
// whether each has a phase. The window and velo2-cli take it from here alike.
ViewSources viewSourcesOf(const MeasurementDocument &doc);
