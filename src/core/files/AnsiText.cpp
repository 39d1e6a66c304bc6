#include "core/files/AnsiText.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

// Several spellings, because which aliases an ICU build knows has varied.
const char *const kCodecNames[] = {"Windows-31J", "windows-932", "cp932", "Shift_JIS"};
const char *const kFallbackCodec = "ISO-8859-1";

QByteArray findCodec()
{
    for (const char *name : kCodecNames) {
        QStringEncoder encoder(name);
        QStringDecoder decoder(name);
        if (encoder.isValid() && decoder.isValid())
            return QByteArray(name);
    }
    return QByteArray(kFallbackCodec);
}

const QByteArray &codec()
{
    static const QByteArray name = findCodec();
    return name;
}

// The JIS mapping of Shift_JIS and the Windows code page disagree on a handful of
// characters; Linux input methods produce the JIS forms, the code page holds the others.
char16_t windowsForm(char16_t c)
{
    switch (c) {
    case 0x301C:
        return 0xFF5E; // wave dash -> fullwidth tilde
    case 0x2016:
        return 0x2225; // double vertical line -> parallel to
    case 0x2212:
        return 0xFF0D; // minus sign -> fullwidth hyphen-minus
    case 0x00A2:
        return 0xFFE0; // cent sign
    case 0x00A3:
        return 0xFFE1; // pound sign
    case 0x00AC:
        return 0xFFE2; // not sign
    case 0x2014:
        return 0x2015; // em dash -> horizontal bar
    default:
        return c;
    }
}

} // namespace

QByteArray ansiCodecName()
{
    return codec();
}

QByteArray toAnsi(const QString &text)
{
    QString normal = text;
    for (QChar &c : normal)
        c = QChar(windowsForm(c.unicode()));

    QStringEncoder encoder(codec().constData());
    QByteArray bytes = encoder.encode(normal);
    if (!encoder.hasError())
        return bytes;

    // Something did not fit: encode character by character so that only the misfits
    // become "?" (the encoder's own substitute would be a double-byte character).
    bytes.clear();
    for (qsizetype i = 0; i < normal.size(); ++i) {
        const qsizetype n = (normal.at(i).isHighSurrogate() && i + 1 < normal.size()) ? 2 : 1;
        QStringEncoder single(codec().constData()); // resetState() keeps the error flag
        const QByteArray one = single.encode(QStringView(normal).mid(i, n));
        bytes += single.hasError() ? QByteArray("?") : one;
        i += n - 1;
    }
    return bytes;
}

QString fromAnsi(QByteArrayView bytes)
{
    QStringDecoder decoder(codec().constData());
    return decoder.decode(bytes);
}
