#include "TFormMain.h"

// The measurement run.

void TFormMain::MStartBtnClick() {}
void TFormMain::MenuMeasure_StartClick() {}
void TFormMain::mAcquireStep() {}
void TFormMain::mFinishRun() {}
void TFormMain::mStopUnit() {}
void TFormMain::Timer1Timer() {}
