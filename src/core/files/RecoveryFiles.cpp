#include "core/files/RecoveryFiles.h"

#include "core/files/SafeWrite.h"

#include <QFile>

namespace {
const QString kNoteName = QStringLiteral("VELO2_recovery.txt");
const QString kFilePattern = QStringLiteral("'/VELO2_recovery_'yyyyMMdd_HHmmss'.DTA'");
} // namespace

QString RecoveryFiles::notePath() const
{
    return m_dir + QLatin1Char('/') + kNoteName;
}

QString RecoveryFiles::newPath(const QDateTime &now) const
{
    return m_dir + now.toString(kFilePattern);
}

bool RecoveryFiles::note(const QString &path) const
{
    QByteArray lines;
    QFile old(notePath());
    if (old.open(QIODevice::ReadOnly))
        lines = old.readAll();
    lines += path.toUtf8() + '\n';
    return writeFileSafely(notePath(), lines);
}

QStringList RecoveryFiles::takeNoted() const
{
    QFile file(notePath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(file.readAll());
    file.close();
    file.remove();
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}
