#include "TFormMain.h"

#include "analysis/TFormCalc.h"

// Analysis, printing and settings dialogs.

void TFormMain::MenuMesure_CalcClick() { formCalc->showAnalysis(); }

void TFormMain::curvesChanged()
{
    if (formCalc)
        formCalc->curvesChanged();
}
void TFormMain::MenuFile_PrintSetupClick() {}
void TFormMain::MenuFile_PrintClick() {}
void TFormMain::MenuSet_COMClick() {}
void TFormMain::MenuSet_ColorClick() {}
