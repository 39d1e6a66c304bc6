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

// buttons
QString measureWithMass();
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
QString emptySlot(int slot);

// the measurement with an added mass
QString saveFreeAirFirst();
QString noFreeSlot();
QString mainWindowBusy();
QString measuringProgress(const QString &grams, int points, int total);
QString measureFailed(const QString &reason);
QString reasonPortOpen();
QString reasonUnitNotFound();
QString reasonUnit();
QString reasonBand();
QString reasonSilent();
QString reasonBadData();
QString reasonDeviceLost();
QString writeFailed(const QString &path);
QString loadFailed(const QString &path);
QString measured(const QString &path, int slot);
QString stopped();

// the model fit
QString fitGroup();
QString fitModel();
QString fitModelItem(int index); // classic, LR-2, semi-inductance
QString fitReFree();
QString fitShow();
QString fitColor();
QString fitTable();
QString columnStderr();
QString columnClassic();

// output
QString jsonCaption();
QString jsonFilter();
QString jsonWriteFailed(const QString &path);
QString printFailed();
QString copied();

} // namespace WorksheetTexts
