#pragma once

// The parameter record the Hornresp simulator imports (a ".txt" file): "key = value" lines
// in sections headed "|...:", CR LF line ends, ASCII. Only the traditional driver section
// carries the driver (Sd cm², Bl T·m, Cms m/N in E notation, Rms N·s/m, Mmd g, Le mH, Re Ω,
// Nd); every other section is written with the neutral values of a bare driver on a half
// space. Hornresp adds its own air load, hence Mmd, not Mms.

#include "core/analysis/driver/DriverRecord.h"

#include <QByteArray>

// Empty when the record lacks Sd, Mms or Bl (Hornresp cannot place such a driver).
QByteArray hornrespText(const DriverRecord &d);
