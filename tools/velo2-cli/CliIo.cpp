#include "CliIo.h"

#include "CliMessages.h"

#include <cstdio>
#include <unistd.h>

void writeOut(const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

void printOut(const QString &text)
{
    writeOut(text.toUtf8() + '\n');
}

void printErr(const QString &text)
{
    const QByteArray line = text.toUtf8() + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    std::fflush(stderr);
}

bool finishOutput()
{
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return true;
    printErr(CliMessages::program() + QStringLiteral(": ") + CliMessages::stdoutFailed());
    return false;
}

bool stderrIsTerminal()
{
    return ::isatty(STDERR_FILENO) == 1;
}
