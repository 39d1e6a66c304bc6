#include "TFormMain.h"

// File and settings commands.

void TFormMain::mLoadSettings() {}
void TFormMain::mSaveSettings() {}
void TFormMain::MenuFile_OpenClick() {}
void TFormMain::MenuFile_SaveClick() {}
void TFormMain::MenuFile_CloseClick() {}
void TFormMain::MenuFile_ExportClick() {}
void TFormMain::MenuRef_OpenClick() {}
void TFormMain::MenuRef_CloseClick() {}
