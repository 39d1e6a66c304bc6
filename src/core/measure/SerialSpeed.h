#pragma once

#include <QtGlobal>

// Sets a bit rate that has no Bxxx constant (14400, 56000, 128000 ...) on an open terminal
// through the kernel's termios2 interface. Kept apart because its headers clash with <termios.h>.
bool setArbitraryBitRate(int fd, quint32 bitsPerSecond);
