#include "core/document/WorkspaceState.h"

bool operator==(const WorkspaceState &a, const WorkspaceState &b)
{
    return a.view == b.view && a.colours == b.colours && a.worksheet == b.worksheet &&
           a.document == b.document;
}

WorkspaceColours coloursOf(const Settings &settings)
{
    WorkspaceColours c;
    c.r = settings.colorR;
    c.theta = settings.colorTheta;
    for (int s = 0; s < kReferenceSlots; ++s) {
        c.refR[size_t(s)] = settings.refColorR[s];
        c.refTheta[size_t(s)] = settings.refColorTheta[s];
    }
    return c;
}

void applyColours(const WorkspaceColours &colours, Settings &settings)
{
    settings.colorR = colours.r;
    settings.colorTheta = colours.theta;
    for (int s = 0; s < kReferenceSlots; ++s) {
        settings.refColorR[s] = colours.refR[size_t(s)];
        settings.refColorTheta[s] = colours.refTheta[size_t(s)];
    }
}
