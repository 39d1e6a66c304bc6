#pragma once

#include <QString>

// Every text of the Thiele-Small worksheet window (the values' own texts come from
// WorksheetMessages in core).
namespace WorksheetTexts {

QString title();
QString menuItem();

// the two groups, and the labels of the inputs with their units
QString inputsGroup();
QString curvesGroup();
QString re();
QString sd();
QString diameter();
QString temperature();
QString pressure();
QString massSlot(int index); // 1 or 2
QString boxSlot();
QString grams();
QString litres();
QString curveList(); // accessible name of a slot's reference list
QString noCurve();
QString referenceItem(int slot, const QString &fileName); // slot counted from 1
QString emptyReferenceItem(int slot);
// the air given directly or with its humidity, the air used, and the coil's temperature
QString humidity();
QString rho();
QString soundSpeed();
QString airUsed(const QString &rho, const QString &c);
QString coilTemp();
QString coilMaterial();
QString coilMaterialItem(int index); // copper, aluminium
// "from numbers": the free-air values and each mass's resonance typed
QString fromNumbersGroup();
QString typedFs();
QString typedQms();
QString typedQes();
QString typedFsLoaded(int index); // 1 or 2
QString typedMissing(const QString &field);
QString typedNoFit();
// the uncertainty, its budget and the tolerances
QString uncertaintyGroup();
QString showBudget();
QString reTol();
QString massResolution();
QString sdTol();
QString diameterTol();
QString rhoTol();
QString soundSpeedTol();
QString tempTol();
QString pressureTol();
QString humidityTol();
QString coilTempTol();

// buttons
QString measureWithMass();
QString measureInBox();
QString stop();
QString copyText();
QString saveJson();
QString print();
QString close();

// tables
QString comparisonTable();
QString detailTable();
QString columnSection();
QString columnName();
QString columnValue();
QString columnUnit();
QString columnFormula();
QString resultLabel();

// refusals the window finds before the core is asked
QString noMeasurement();
QString notANumber(const QString &field);
QString reMissing();
QString gramsMissing(const QString &slot);
QString litresMissing();
QString litresNotPositive(const QString &typed);
QString emptySlot(int slot);
// a slot's curve left the references (cleared or replaced): the slot is no longer used
QString slotDropped(const QString &what, const QString &fileName);

// the measurement with an added mass or in the box; `what` names the slot (massSlot, boxSlot)
QString saveFreeAirFirst(const QString &what);
QString noFreeSlot();
QString measuringProgress(const QString &grams, int points, int total);
QString boxProgress(const QString &litres, int points, int total);
QString measureFailed(const QString &what, const QString &reason);
QString writeFailed(const QString &path);
QString loadFailed(const QString &path);
QString measured(const QString &path, int slot);
QString stopped();
// before a run of the main window replaces the free-air measurement
QString askReplaceFreeAir();

// the model fit
QString fitGroup();
QString fitModel();
QString fitModelItem(int index); // classic, LR-2, semi-inductance
QString fitReFree();
QString fitShow();
QString fitColor();
QString fitTable();
QString fitting(); // while the fit runs
QString columnStderr();
QString columnClassic();

// output
QString jsonCaption();
QString jsonFilter();
QString jsonWriteFailed(const QString &path);
QString printFailed();
QString copied();

// the vented box
QString ventGroup();
QString ventSlot();
QString ventTable();
QString ventPlot();
QString columnTextbook();
QString columnFit();
QString ventRow(int row); // fL, fM, fH, Fb, α, fs, Vas, QL, QA, QP, the residual
QString ventNoLoss();     // a loss the curve does not show
QString ventMarkLow();    // the graph's labels of fL, fM and fH
QString ventMarkDip();
QString ventMarkHigh();
QString ventMeasured();
QString ventModel();
QString ventChoose();
QString ventVbNotPositive(const QString &typed);
QString ventOtherBand(int boxBand, int freeBand);
QString ventNoData();
QString ventOnePeak();
QString ventFreeAirFailed(const QString &reason);
QString ventNoFit();
QString ventFitted(const QString &model, const QString &losses);
QString ventLossNames(int index); // leakage, absorption, port

} // namespace WorksheetTexts
