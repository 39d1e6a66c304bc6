#pragma once

#include <QString>
#include <QStringList>

// The program's command line: "--help" and "--version" print and end without a window;
// otherwise the first argument that is not an option is a data file, table or workspace to
// open.
// Read before the application object exists (it needs no display), and again after Qt has
// taken its own options (-platform …) out.
struct ProgramOptions {
    enum class Action { Run, Help, Version, Usage };
    Action action = Action::Run;
    QString file;    // to open at start; empty for none
    QString problem; // with Usage: what is wrong, for standard error
};

// args: the arguments after the program's name.
ProgramOptions readProgramOptions(const QStringList &args);

// What --help and --version print (English, as a terminal's tools speak).
QString programHelp();
QString programVersion();
