#include "OutputTarget.h"

#include "CliIo.h"
#include "CliMessages.h"
#include "core/files/FileNameRules.h"
#include "core/files/SafeWrite.h"

#include <QDir>
#include <QFileInfo>

OutputTarget::OutputTarget(const QString &option, const QString &inputPath,
                           const QString &extension)
{
    if (option.isEmpty() || option == QLatin1String("-"))
        return;
    // The proposal takes the name after the last folder separator, which a relative input
    // like "spk.DTA" only has once it is made absolute.
    if (QFileInfo(option).isDir())
        m_path = QDir(option).filePath(
            proposedFileName(QFileInfo(inputPath).absoluteFilePath(), extension));
    else
        m_path = option;
}

QString OutputTarget::name() const
{
    return isStdout() ? CliMessages::standardOutput() : m_path;
}

bool OutputTarget::write(const QByteArray &bytes) const
{
    if (isStdout()) {
        writeOut(bytes);
        return true;
    }
    return writeFileSafely(m_path, bytes);
}

QString OutputTarget::writeProblem(const QString &path)
{
    const QFileInfo info(path);
    const QFileInfo folder(info.absolutePath());
    if (!folder.exists())
        return CliMessages::noSuchFolder();
    if (info.isDir())
        return CliMessages::isDirectory();
    if (!folder.isWritable() || (info.exists() && !info.isWritable()))
        return CliMessages::permissionDenied();
    // A full disk, a quota, an I/O error: the system's own words.
    const QString reason = lastSafeWriteError();
    return reason.isEmpty() ? CliMessages::cannotWrite() : CliMessages::cannotWrite(reason);
}
