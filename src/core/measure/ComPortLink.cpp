#include "core/measure/ComPortLink.h"

#include "core/measure/PortResolver.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

bool linkComPort(const QString &directory, int number, const QString &target, QString *error)
{
    const QString entry = directory + QLatin1Char('/') + portNameForNumber(number);
    const QByteArray path = QFile::encodeName(entry);
    auto fail = [&](const QString &reason) {
        if (error)
            *error = entry + QStringLiteral(": ") + reason;
        return false;
    };
    struct stat st;
    if (::lstat(path.constData(), &st) == 0) {
        if (!S_ISLNK(st.st_mode))
            return fail(QStringLiteral("exists and is not a link"));
        if (::unlink(path.constData()) != 0)
            return fail(QString::fromLocal8Bit(std::strerror(errno)));
    }
    if (::symlink(QFile::encodeName(target).constData(), path.constData()) != 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    return true;
}
