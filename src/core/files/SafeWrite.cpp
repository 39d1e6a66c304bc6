#include "SafeWrite.h"

#include <QSaveFile>

bool writeFileSafely(const QString &path, const QByteArray &bytes)
{
    if (path.isEmpty())
        return false;
    QSaveFile file(path);
    // Unbuffered: a buffered QSaveFile only learns of a failed write while flushing in
    // commit(), and Qt 6.4 then still renames the truncated file over the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(bytes) != bytes.size() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
