#pragma once

#include <QString>

// Numbers in worksheet texts: fixed decimals ("—" when not finite), or as typed (8.017, 20).
QString worksheetFixed(double value, int decimals);
QString worksheetShort(double value);
