#pragma once

#include <QByteArray>
#include <QColor>

// Colours are 0x00BBGGRR everywhere (settings file, pens, label fonts).
using ColorRef = quint32;
inline QColor toQColor(ColorRef c)
{
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}
inline ColorRef toColorRef(const QColor &c)
{
    return ColorRef(c.red()) | (ColorRef(c.green()) << 8) | (ColorRef(c.blue()) << 16);
}
constexpr int kReferenceSlots = 5;
constexpr int kPrintInfoLines = 3;

struct Settings {
    qint32 comPort = 1;
    ColorRef colorR = 0x00FF0000;
    ColorRef colorTheta = 0x000000FF;
    ColorRef refColorR[kReferenceSlots];
    ColorRef refColorTheta[kReferenceSlots];
    // The print information lines in the code page of the settings file, kept as read.
    QByteArray printInfo[kPrintInfoLines];
    Settings() { restoreDefaults(); }
    // Restores port and colours; the print information lines stay as they are.
    void restoreDefaults();
};

struct WindowState {
    qint32 top = 0;
    qint32 left = 0;
    qint32 width = 640;
    qint32 height = 480;
    qint32 band = 2;
    quint8 rOnly = 0;
    quint8 thickLines = 0;
    quint8 averaging = 1;
    quint8 warn150 = 0;
};
