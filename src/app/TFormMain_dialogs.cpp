#include "TFormMain.h"

// Analysis, printing and settings dialogs.

void TFormMain::MenuMesure_CalcClick() {}
void TFormMain::MenuFile_PrintSetupClick() {}
void TFormMain::MenuFile_PrintClick() {}
void TFormMain::MenuSet_COMClick() {}
void TFormMain::MenuSet_ColorClick() {}
