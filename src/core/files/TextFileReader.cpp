#include "core/files/TextFileReader.h"

#include "core/model/Stringutil.h"

#include <QIODevice>

namespace {
constexpr qint64 kChunk = 16384;
constexpr int kCtrlZ = 0x1A;
} // namespace

TextFileReader::TextFileReader(QIODevice *device) : m_device(device) {}

int TextFileReader::rawByte()
{
    if (m_pushedBack >= 0) {
        const int c = m_pushedBack;
        m_pushedBack = -1;
        return c;
    }
    if (m_pos >= m_buffer.size()) {
        if (m_ended || !m_device)
            return -1;
        m_buffer = m_device->read(kChunk);
        m_pos = 0;
        if (m_buffer.isEmpty()) {
            m_ended = true;
            return -1;
        }
    }
    return static_cast<unsigned char>(m_buffer.at(m_pos++));
}

int TextFileReader::nextByte()
{
    if (m_ended && m_pushedBack < 0 && m_pos >= m_buffer.size())
        return -1;
    const int c = rawByte();
    if (c == kCtrlZ) {
        m_ended = true;
        m_buffer.clear();
        m_pos = 0;
        m_pushedBack = -1;
        return -1;
    }
    if (c == '\r') {
        const int next = rawByte();
        if (next == '\n')
            return '\n';
        if (next >= 0)
            m_pushedBack = next;
    }
    return c;
}

bool TextFileReader::readPiece(QByteArray &piece, int maxChars)
{
    piece.clear();
    while (piece.size() < maxChars) {
        const int c = nextByte();
        if (c < 0)
            break;
        piece.append(char(c));
        if (c == '\n')
            break;
    }
    return !piece.isEmpty();
}

bool TextFileReader::readHeaderLine(QByteArray &line, int maxChars)
{
    for (;;) {
        if (!readPiece(line, maxChars))
            return false;
        if (line.at(0) != '\0' && line.at(0) != ';')
            break;
    }
    const qsizetype zero = line.indexOf('\0');
    if (zero >= 0)
        line.truncate(zero);
    removeLineBreaks(line);
    return true;
}
