#pragma once

#include "core/measure/SerialPortDiscovery.h"

#include <QString>

// The words in which the window and velo2-cli describe a serial device, in one place.

// A short code for scripts ("dialout", "brltty" …) and the sentence for people.
QString serialHintCode(SerialHint::Code code);
QString serialHintText(SerialHint::Code code, const SerialPortInfo &port);

// "COM3 (link)", "COM1 (machine order)" or "no COM number".
QString serialComText(const SerialPortInfo &port);
// One line for a list: "ttyUSB0  1a86:7523 USB Serial  COM3".
QString serialPortSummary(const SerialPortInfo &port);
// Every known fact and hint, one per line, the first naming the device.
QString describeSerialPort(const SerialPortInfo &port);
// When the machine shows no serial device at all.
QString noSerialPortsText();
