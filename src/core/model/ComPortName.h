#pragma once

#include <QString>

// Serial ports are numbered as COM ports are: "COM1" up to "COM256".
constexpr int kMinComPort = 1;
constexpr int kMaxComPort = 256;

// A port name "COMn": "COM" in upper case, then decimal digits and nothing else. The settings,
// the data files and the COM port dialog take only numbers from 1 to 256; the port resolver
// also resolves other numbers (COM0 resolves to nothing), so that such a name is never opened
// as a relative path.
struct ComPortName {
    enum class Kind {
        Valid,      // a number from 1 to 256
        NotCom,     // does not begin with "COM"
        NoNumber,   // "COM" not followed by digits alone, or by more than an int holds
        OutOfRange, // "COM" and a number outside 1..256
    };

    Kind kind = Kind::NotCom;
    int number = 0; // for Valid and OutOfRange

    // A name that stands for a port number, in range or not.
    bool isNumbered() const { return kind == Kind::Valid || kind == Kind::OutOfRange; }

    static ComPortName parse(const QString &text);
    // The digits after "COM" alone, by the same rules (never NotCom).
    static ComPortName parseNumber(QStringView digits);
    // "COMn" for a port number.
    static QString nameOf(int number);
};
