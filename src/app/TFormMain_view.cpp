#include "TFormMain.h"

// View operations and graph options.

void TFormMain::showMeasurement() {}
void TFormMain::showReferences() {}
void TFormMain::showMeasurementAndReferences() {}
void TFormMain::refreshView() {}
void TFormMain::MenuGraph_R_onlyClick() {}
void TFormMain::MenuGraph_WideClick() {}
void TFormMain::MenuGraph_AveClick() { selectShownCurves(); }
void TFormMain::MenuSet_WarningClick() {}
void TFormMain::ComboBox2Change() {}
void TFormMain::PaintBox1MouseDown(QMouseEvent *) {}
void TFormMain::FormPaint() {}
