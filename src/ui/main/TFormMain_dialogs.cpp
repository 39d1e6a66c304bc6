#include "ui/main/TFormMain.h"

#include "ui/analysis/TFormCalc.h"
#include "ui/analysis/TFormCompensation.h"
#include "ui/analysis/TFormDrivers.h"
#include "ui/analysis/TFormUnits.h"
#include "ui/analysis/TFormWorksheet.h"
#include "ui/common/Seams.h"
#include "ui/dialogs/TFormSetting.h"
#include "ui/graph/Graph_RTF.h"
#include "ui/graph/TFormSetColor.h"
#include "ui/main/MainRun.h"
#include "ui/main/MainView.h"
#include "ui/print/GraphPrintSource.h"
#include "ui/print/PrintCommands.h"
#include "ui/qc/TFormQc.h"

#include <QPushButton>

// Analysis, printing and settings dialogs.

void TFormMain::MenuMesure_CalcClick()
{
    formCalc->showAnalysis();
}

void TFormMain::curvesChanged()
{
    if (formCalc)
        formCalc->curvesChanged();
    if (formWorksheet)
        formWorksheet->curvesChanged();
    if (formCompensation)
        formCompensation->curvesChanged();
    queueHistorySync();
}

void TFormMain::MenuMeasure_WorksheetClick()
{
    formWorksheet->showWorksheet();
}

void TFormMain::MenuMeasure_RepeatClick()
{
    if (!Seams::numbers().chooseNumber(this, tr("繰り返し測定"),
                                       tr("掃引の回数（%1～%2）").arg(kMinRepeats).arg(kMaxRepeats),
                                       kMinRepeats, kMaxRepeats, m_repeatCount))
        return;
    m_run->startRepeats(m_repeatCount);
}

void TFormMain::MenuMeasure_UnitsClick()
{
    formUnits->showUnits();
}

void TFormMain::MenuMeasure_DriversClick()
{
    formDrivers->showDrivers();
}

void TFormMain::MenuMeasure_CompensationClick()
{
    formCompensation->showCompensation();
}

void TFormMain::MenuMeasure_QcClick()
{
    formQc->showStation();
}

MainParts TFormMain::parts()
{
    MainParts p;
    p.window = this;
    p.document = m_document.get();
    p.settings = &settings;
    p.message = message;
    p.status = status;
    p.view = m_view.get();
    p.shell = this;
    return p;
}

QcStationHost TFormMain::qcHost()
{
    QcStationHost host;
    host.station = station;
    host.comPort = [this] { return int(settings.comPort); };
    return host;
}

void TFormMain::referencesChanged()
{
    if (formWorksheet)
        formWorksheet->curvesChanged();
    queueHistorySync();
}

WorksheetHost TFormMain::worksheetHost()
{
    WorksheetHost host;
    host.document = m_document.get();
    host.station = station;
    host.comPort = [this] { return int(settings.comPort); };
    host.referencesLoaded = [this] {
        if (m_document->hasMeasurement())
            m_view->showMeasurementAndReferences();
        else
            m_view->showReferences();
    };
    host.fitOverlay = [this](const CurveBlock *curve, quint32 colour) {
        // Nothing to redraw while the overlay is and stays off.
        GraphScale &scale = m_view->scale();
        if (!curve && !scale.fitShown)
            return;
        scale.fitShown = curve;
        scale.fitColor = colour;
        if (m_document->hasMeasurement())
            m_view->showMeasurementView();
    };
    return host;
}

void TFormMain::MenuFile_PrintSetupClick()
{
    runPrintSetup(this);
}

void TFormMain::MenuFile_PrintClick()
{
    if (!graph)
        return;
    RendererPrintSource<Graph_RTF> source(*graph);
    PrintRequest request;
    request.owner = this;
    request.infoDialog = formPrnInfo;
    request.message = message;
    request.settings = &settings;
    request.renderer = &source;
    request.labels = labelTable.data();
    request.measurementValid = m_document->measurement().valid == 1;
    request.rOnly = m_view->rOnly();
    request.unitIsHKA = m_run && m_run->unitIsHKA();
    request.thickLines = m_view->wide();
    request.withReferences = m_document->anyReferenceLoaded();
    if (runPrintFlow(request) == PrintOutcome::ObjectNotCreated)
        close();
}

void TFormMain::MenuSet_COMClick()
{
    qint32 port = settings.comPort;
    quint8 cancel = 1;
    formSetting->mPrepare(&port, &cancel);
    formSetting->exec();
    activateWindow();
    if (cancel != 1)
        settings.comPort = port;
}

void TFormMain::MenuSet_ColorClick()
{
    quint8 result = 1;
    formSetColor->mPrepare(&settings, &result);
    formSetColor->exec();
    activateWindow();
    if (result != 0)
        return;
    mApplyLabelColors();
    m_view->refreshView();
}
