#include "core/files/InputFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

InputFileProblem readInputFile(const QString &path, qint64 maxBytes, QByteArray &bytes)
{
    if (path.isEmpty())
        return InputFileProblem::Missing;
    // Non-blocking, so that opening a pipe does not wait for a writer before fstat shows
    // it is not a regular file.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? InputFileProblem::Missing : InputFileProblem::Unreadable;
    struct stat st;
    InputFileProblem problem = InputFileProblem::None;
    if (::fstat(fd, &st) != 0)
        problem = InputFileProblem::Unreadable;
    else if (!S_ISREG(st.st_mode))
        problem = InputFileProblem::NotRegular;
    else if (st.st_size > maxBytes)
        problem = InputFileProblem::TooLarge;
    if (problem != InputFileProblem::None) {
        ::close(fd);
        return problem;
    }

    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return InputFileProblem::Unreadable;
    }
    // One byte more than allowed tells a file that grew since fstat.
    QByteArray content = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return InputFileProblem::Unreadable;
    if (content.size() > maxBytes)
        return InputFileProblem::TooLarge;
    bytes = std::move(content);
    return InputFileProblem::None;
}

qsizetype byteOrderMarkLength(const QByteArray &bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
}
