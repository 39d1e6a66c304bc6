#include "core/files/ViewChoice.h"

#include "core/files/AppPaths.h"
#include "core/files/SafeWrite.h"

#include "core/model/Settings.h"

#include <QFile>

namespace {

const QString kFileName = QStringLiteral("VELO2_view.txt");
constexpr qint64 kMaxBytes = 512;

QByteArray flag(bool on)
{
    return on ? QByteArrayLiteral("1") : QByteArrayLiteral("0");
}

} // namespace

QString viewChoiceFilePath()
{
    return settingsDirectory() + QLatin1Char('/') + kFileName;
}

StoredViewChoice readViewChoice(const QString &path)
{
    StoredViewChoice choice;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return choice;
    for (const QByteArray &line : file.read(kMaxBytes).split('\n')) {
        const int eq = line.indexOf('=');
        if (eq < 0)
            continue;
        const QByteArray key = line.left(eq).trimmed();
        const QByteArray value = line.mid(eq + 1).trimmed();
        if (key == "view" && !value.isEmpty())
            choice.view = QString::fromLatin1(value);
        else if (key == "legend")
            choice.legend = value == "1";
        else if (key == "logz")
            choice.logZ = value == "1";
        else if (key == "diffpct")
            choice.diffPercent = value == "1";
        else if (key == "refslot" && value.toInt() >= 1 && value.toInt() <= kReferenceSlots)
            choice.referenceSlot = value.toInt() - 1;
    }
    return choice;
}

bool writeViewChoice(const QString &path, const StoredViewChoice &choice)
{
    const QByteArray text = "view=" + choice.view.toLatin1() + "\r\nlegend=" + flag(choice.legend) +
                            "\r\nlogz=" + flag(choice.logZ) +
                            "\r\ndiffpct=" + flag(choice.diffPercent) +
                            "\r\nrefslot=" + QByteArray::number(choice.referenceSlot + 1) + "\r\n";
    return writeFileSafely(path, text);
}
