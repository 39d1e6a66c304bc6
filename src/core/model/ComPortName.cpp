#include "core/model/ComPortName.h"

namespace {

const QLatin1String kComPrefix("COM");

} // namespace

ComPortName ComPortName::parse(const QString &text)
{
    if (!text.startsWith(kComPrefix, Qt::CaseSensitive))
        return ComPortName();
    return parseNumber(QStringView(text).mid(kComPrefix.size()));
}

ComPortName ComPortName::parseNumber(QStringView digits)
{
    ComPortName name;
    name.kind = Kind::NoNumber;
    // ASCII digits after an optional sign, as the dialog has always converted them ("COM+7" is
    // port 7, "COM-1" a number out of range); no blanks, no other scripts' digits.
    const QStringView unsignedPart =
        digits.startsWith(QLatin1Char('+')) || digits.startsWith(QLatin1Char('-')) ? digits.mid(1)
                                                                                   : digits;
    if (unsignedPart.isEmpty())
        return name;
    for (const QChar c : unsignedPart)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return name;
    bool ok = false;
    const int n = digits.toInt(&ok, 10);
    if (!ok)
        return name;
    name.number = n;
    name.kind = n >= kMinComPort && n <= kMaxComPort ? Kind::Valid : Kind::OutOfRange;
    return name;
}

QString ComPortName::nameOf(int number)
{
    return kComPrefix + QString::number(number);
}
