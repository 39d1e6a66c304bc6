#pragma once

#include <QByteArray>

class QIODevice;

// Reads a file the way the C library's text mode does on the platform the files come
// from: CR LF arrives as LF (a bare LF as well), and a Ctrl-Z byte ends the text.
// Pieces are read like fgets: at most maxChars bytes, stopping after a line feed.
class TextFileReader
{
public:
    explicit TextFileReader(QIODevice *device);

    // False at the end of the text when nothing was read.
    bool readPiece(QByteArray &piece, int maxChars);

    // The header-line reader of the data and settings files: reads pieces of at most
    // maxChars bytes, skips those beginning with a zero byte or ";", keeps the text up to
    // any zero byte, deletes every CR and LF. False at the end of the text.
    bool readHeaderLine(QByteArray &line, int maxChars);

private:
    int nextByte(); // the next translated byte, or -1 at the end
    int rawByte();  // the next byte of the device, or -1 at the end

    QIODevice *m_device;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    int m_pushedBack = -1;
    bool m_ended = false;
};
