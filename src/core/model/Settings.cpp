#include "core/model/Settings.h"

void Settings::restoreDefaults()
{
    comPort = 1;
    colorR = 0x00FF0000;
    colorTheta = 0x000000FF;
    for (int i = 0; i < kReferenceSlots; ++i) {
        refColorR[i] = 0x00808000;
        refColorTheta[i] = 0x00800080;
    }
}
