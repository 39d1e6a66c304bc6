#pragma once

#include "core/model/Settings.h"

class GraphPrintSource;
class QLabel;
class QPrinter;
class QWidget;
class TFormPrnInfo;
class TH_Message;

// The program's one printer: printer, paper and orientation chosen in either dialog stay
// in it until the program ends (they are not saved). Created on first use, after the
// application object; freed when the application object goes.
QPrinter &applicationPrinter();

// "印刷設定": the page and printer setup dialog on the program's printer.
void runPrintSetup(QWidget *owner);

// Everything the "グラフ印刷" command hands to the print flow.
struct PrintRequest {
    QWidget *owner = nullptr;             // parent of the dialogs; gets the focus back
    TFormPrnInfo *infoDialog = nullptr;   // the print information dialog
    const TH_Message *message = nullptr;  // for "データがありません" and the failures
    Settings *settings = nullptr;         // printInfo is edited and printed
    GraphPrintSource *renderer = nullptr; // the graph renderer (see RendererPrintSource)
    QLabel *const *labels = nullptr;      // the 35 axis labels in the renderer's order
    QPrinter *printer = nullptr;          // null: applicationPrinter()
    bool measurementValid = false;
    bool rOnly = false;
    bool unitIsHKA = false;
    bool thickLines = false;
    bool withReferences = false;
};

enum class PrintOutcome {
    NoData,           // no valid measurement: "データがありません" was shown
    InfoCancelled,    // "取消し" in the information dialog
    PrinterCancelled, // the print dialog was not confirmed; the edited lines are kept
    Printed,
    PrintFailed,      // nothing could be printed: "印刷できませんでした" was shown
    ObjectNotCreated, // the print object could not be made: the fatal memory error was
                      // shown and the caller must close the main window
};

// The print flow: data check, information dialog, print dialog, printout.
PrintOutcome runPrintFlow(const PrintRequest &request);
