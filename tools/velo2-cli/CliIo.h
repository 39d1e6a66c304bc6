#pragma once

#include <QByteArray>
#include <QString>

// Results go to standard output, diagnostics to standard error, each line as UTF-8.

enum ExitCode {
    ExitOk = 0,     // the operation succeeded
    ExitFailed = 1, // a file, the data or the unit let the operation fail
    ExitUsage = 2,  // the command line was wrong
    ExitQcFail = 3, // qc check: the unit failed its limits
};

void writeOut(const QByteArray &bytes);
void printOut(const QString &text); // adds a line feed
void printErr(const QString &text); // adds a line feed

// Flushes standard output; false (after a message) when the results could not all be written,
// e.g. on a full disk.
bool finishOutput();

bool stderrIsTerminal();
