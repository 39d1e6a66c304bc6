#include "ui/print/PrintCommands.h"

#include "ui/common/Seams.h"
#include "ui/common/TH_Message.h"
#include "ui/print/TFormPrnInfo.h"
#include "ui/print/THKA_Print.h"

#include <QCoreApplication>
#include <QPrinter>
#include <QWidget>
#include <memory>
#include <new>

namespace {

// Enough for any printed line weight; a PDF at the 1200 dpi Qt picks by default would
// need a 190 MB bitmap for the plot.
constexpr int kMaxPdfResolution = 600;

QPrinter *g_printer = nullptr;

void freePrinter()
{
    delete g_printer;
    g_printer = nullptr;
}

} // namespace

QPrinter &applicationPrinter()
{
    if (!g_printer) {
        g_printer = new QPrinter(QPrinter::HighResolution);
        qAddPostRoutine(freePrinter);
    }
    return *g_printer;
}

void runPrintSetup(QWidget *owner)
{
    Seams::print().pageSetupDialog(owner, &applicationPrinter());
}

PrintOutcome runPrintFlow(const PrintRequest &r)
{
    if (!r.measurementValid) {
        if (r.message)
            r.message->msgNoData();
        return PrintOutcome::NoData;
    }

    quint8 cancel = 1;
    if (r.infoDialog) {
        r.infoDialog->mPrepare(r.settings, &cancel);
        r.infoDialog->exec();
    }
    if (r.owner)
        r.owner->activateWindow();
    if (cancel == 1)
        return PrintOutcome::InfoCancelled;

    QPrinter *printer = r.printer ? r.printer : &applicationPrinter();
    if (!Seams::print().printDialog(r.owner, printer))
        return PrintOutcome::PrinterCancelled;
    if (printer->outputFormat() == QPrinter::PdfFormat && printer->resolution() > kMaxPdfResolution)
        printer->setResolution(kMaxPdfResolution);

    std::unique_ptr<THKA_Print> job(new (std::nothrow)
                                        THKA_Print(r.renderer, printer, r.settings, r.labels));
    if (!job) {
        if (r.message)
            r.message->msgFatalMemory(QStringLiteral("THKA_Print"));
        else
            TH_Message::msgFatalMemoryStatic(QStringLiteral("THKA_Print"));
        return PrintOutcome::ObjectNotCreated;
    }
    if (!job->printGraph(r.rOnly, r.unitIsHKA, r.thickLines, r.withReferences)) {
        if (r.message)
            r.message->msgPrintFailed();
        return PrintOutcome::PrintFailed;
    }
    return PrintOutcome::Printed;
}
