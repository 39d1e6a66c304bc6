#pragma once

#include <QString>

// Every text of the QC station window (the verdict's items come from QcMessages in core).
namespace QcTexts {

QString title();
QString menuItem();

QString limitsFile();
QString chooseLimits();
QString limitsFilter();
QString folder();
QString folderHint();
QString database();
QString databaseHint();
QString serial();
QString start();
QString stop();
QString close();
QString graph();
QString verdict();
QString reasons();
QString pass();
QString fail();

QString serialMissing();
QString serialNotAFileName(const QString &serial);
QString serialTooLong(int length, int limit);
QString folderMissing(const QString &folder);
QString scanWhileMeasuring(const QString &scanned, const QString &measuring);
QString measuring(const QString &serial, int received, int expected);
QString measureFailed(const QString &reason);
QString reasonBadData();
QString saved(const QString &path);
QString saveFailed(const QString &path);
QString stopped();
QString ready();
QString logging(const QString &serial);
QString logged(const QString &target);
QString logFailed(const QString &problem);
QString logSpooled(const QString &problem);

// gauge study mode
QString studyButton();
QString studyEnd();
QString studyTitle();
QString studyName();
QString studyParts();
QString studyOperators();
QString studyOperatorsHint();
QString studyTrials();
QString studyCell(int part, const QString &appraiser, int trial);
QString studyOpening(const QString &study);
QString studyCannotStart(const QString &problem);
QString studyNext(const QString &study, const QString &appraiser, int part, int trial, int trials,
                  int measured, int total);
QString studyRecording(const QString &study, int measured, int total);
QString studyAnalysing(const QString &study);
QString studyDone(const QString &study);
QString studyResult(const QString &parameter, const QString &grrPct, const QString &ndc,
                    const QString &verdict);
QString studyAcceptable();
QString studyMarginal();
QString studyUnacceptable();
QString studyParameterRefused(const QString &parameter, const QString &problem);
// the control charts (TDialogQcCharts)
QString charts();
QString chartsTitle();
QString groupBy();
QString byDay();
QString byShift();
QString byStation();
QString refresh();
QString parameter();
QString period();
QString chartsReading(const QString &target);
QString chartsSummary(qint64 units, const QString &yieldPct, const QString &cpk, const QString &ppk,
                      qint64 flagged);

} // namespace QcTexts
