#pragma once

// The forms' font is chosen in core, where the graph labels are drawn in it without widgets.
#include "core/graph/WindowFont.h"
