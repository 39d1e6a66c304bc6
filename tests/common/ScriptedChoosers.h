#pragma once

#include "RecordingPresenter.h"
#include "ui/common/Seams.h"

#include <QColor>
#include <QList>
#include <functional>

class QPrinter;

// Answers colour choices from a script (an invalid colour means the user cancelled; an
// empty script cancels) and records the colour each chooser opened with.
class ScriptedColorChooser : public ColorChooser
{
public:
    QList<QColor> answers;
    QList<QColor> openedWith;

    QColor chooseColor(QWidget *, const QColor &initial) override
    {
        openedWith.append(initial);
        return answers.isEmpty() ? QColor() : answers.takeFirst();
    }
};

// Plays the print and page-setup dialogs: each call runs the scripted action on the printer
// (for example pointing it at a PDF file) and returns its answer; without an action the
// dialog is cancelled. Every printer handed in is recorded.
class ScriptedPrintChooser : public PrintChooser
{
public:
    std::function<bool(QPrinter *)> onPrint;
    std::function<bool(QPrinter *)> onPageSetup;
    QList<QPrinter *> printCalls;
    QList<QPrinter *> pageSetupCalls;

    bool printDialog(QWidget *, QPrinter *printer) override
    {
        printCalls.append(printer);
        return onPrint ? onPrint(printer) : false;
    }
    bool pageSetupDialog(QWidget *, QPrinter *printer) override
    {
        pageSetupCalls.append(printer);
        return onPageSetup ? onPageSetup(printer) : false;
    }
};

// Installs a message recorder and both scripted choosers for the lifetime of a test and
// puts the real dialogs back after.
class ScopedDialogSeams
{
public:
    ScopedDialogSeams() { Seams::install(&messages, nullptr, &colors, &print); }
    ~ScopedDialogSeams() { Seams::install(nullptr); }
    RecordingPresenter messages;
    ScriptedColorChooser colors;
    ScriptedPrintChooser print;
};
