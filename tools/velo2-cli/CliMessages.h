#pragma once

#include <QString>
#include <QStringList>

enum class UnitOutcome;
enum class TableProblem;
enum class CircleOutcome;
enum class VentedBoxOutcome;
enum class VentedBoxFitOutcome;
enum class MatchProblem;
enum class ZobelOutcome;
enum class NotchOutcome;

// Every text velo2-cli writes of its own. The analysis messages come from the program's own
// message list and are passed through analysisMessage.
namespace CliMessages {

QString program(); // "velo2-cli"
QString overallHelp(const QStringList &commands);
QString usagePrefix();
QString optionsHeading();
QString seeHelp(const QString &command);

// usage errors
QString unknownCommand(const QString &name);
QString unknownOption(const QString &option);
QString missingArgument(const QString &what);
QString unexpectedArgument(const QString &argument);
QString badSize(const QString &text, int minW, int minH, int maxSide);
QString badBand(const QString &text);
QString tooManyReferences(int limit);
QString reNotANumber(const QString &text, const QString &programText);
QString optionNotANumber(const QString &option, const QString &text);
QString optionNotAPair(const QString &option, const QString &text, const QString &form);
QString optionsExclusive(const QString &first, const QString &second);
QString needsOption(const QString &option, const QString &needed);
QString badRepeat(const QString &text);

QString badFitModel(const QString &text);
QString reOrReFree();
QString badFrequency(const QString &option, const QString &text);
QString fitRangeReversed(const QString &from, const QString &to);
QString zmaNeedsFile();

// problems with files and results
QString noSuchFile();
QString isDirectory();
QString notRegularFile();
QString fileTooLarge(qint64 limitBytes);
QString cannotRead(const QString &reason);
QString badDataFile();
QString calcDataError();
QString noSuchFolder();
QString permissionDenied();
QString cannotWrite();
QString cannotWrite(const QString &reason);
QString standardOutput();
QString stdoutFailed();
QString renderFailed();
// other tools' tables
QString tableProblem(TableProblem problem, int line, int band);
QString tableSorted();
QString tableDuplicates(int count);
// Points of an imported curve a data file held only at its limit: how many, the first few.
QString tableBeyondDataFile(int count, const QString &firstFrequencies);
QString bandOnlyForTables();
// the unit
QString unitProblem(UnitOutcome outcome, const QString &port, int openError);
QString bandUnsupported(const QString &model, int band);
QString unitFellSilent(int received, int expected);
QString receiveError(int received, int expected);
// A run's problem, and that it left no file.
QString nothingWritten(const QString &problem);
QString measureStopped(const QString &output);
// repeated sweeps
QString sweepOf(int sweep, int planned);
QString sweepFromOtherUnit();
QString sweepNotInSet();
// A sweep after the first failed: the ones before it were kept.
QString repeatFailed(int sweep, int planned, const QString &problem, int kept,
                     const QString &output);
QString repeatStopped(int sweep, int planned, const QString &output);
// The mean was written but its repeat file was not.
QString onlyMeanWritten(const QString &problem, const QString &output);
QString repeatFileNotRead(const QString &file);
// A message of the analysis windows followed by its English meaning.
QString analysisMessage(const QString &programText);

// command descriptions and option help
QString infoDescription();
QString exportDescription();
QString zmaDescription();
QString peaksDescription();
QString circleDescription();
QString tsDescription();
QString fitDescription();
QString fitModelHelp();
QString fitReHelp();
QString fitReFreeHelp();
QString fitFromHelp();
QString fitToHelp();
QString fitZmaHelp();
QString tsWorksheetDescription();
QString renderDescription();
QString measureDescription();
QString portsDescription();
QString rootHelp();
QString convertDescription();
QString convertOutputHelp();
QString convertBandHelp();
QString portHelp();
QString measureBandHelp();
QString measureOutputHelp();
QString repeatHelp();
QString helpOptionHelp();
QString jsonHelp();
QString outputHelp();
QString renderOutputHelp();
QString rawHelp();
QString reHelp();
QString sdHelp();
QString diameterHelp();
QString massHelp();
QString boxHelp();
QString tsFitHelp();
QString tempHelp();
QString humidityHelp();
QString rhoHelp();
QString soundSpeedHelp();
QString coilTempHelp();
QString qcCoilTempHelp();
QString coilMaterialHelp();
QString badCoilMaterial(const QString &text);
QString typedFsHelp();
QString typedQmsHelp();
QString typedQesHelp();
QString typedFsMassHelp();
QString uncertaintyHelp();
// the help of a tolerance option by its name ("re-tol", "mass-resolution", ...)
QString toleranceHelp(const QString &option);
QString budgetHelp();
QString tsUncertaintyDescription();
QString pressureHelp();
QString refHelp();
QString sizeHelp();
QString rOnlyHelp();
QString thickHelp();
QString renderBandHelp();
QString viewHelp();
QString legendHelp();
QString logZHelp();
QString percentHelp();
QString badView(const QString &text);
// a view that needs phase, for a curve without it
QString viewNeedsPhase(const QString &view, const QString &file);
QString viewNeedsReference(const QString &view);
// points of the measurement a reference of another band or range does not cover
QString viewUncompared(int count, const QString &reference);

// production QC
QString qcDescription();
QString unknownQcCommand(const QString &name);
QString qcLimitsDescription();
QString qcCheckDescription();
QString qcLimitsOutputHelp();
QString qcKHelp();
QString qcTolerancePctHelp();
QString qcReHelp();
QString qcNameHelp();
QString qcLimitsFileHelp();
QString qcSerialHelp();
QString qcStationHelp();
QString qcDbHelp();
QString qcReportDescription();
QString qcReportDbHelp();
QString qcSinceHelp();
QString qcCsvHelp();
QString qcBadSince(const QString &text);
QString qcLimitsWritten(const QString &file, int band, int golden, const QString &re);
QString qcOptionOutOfRange(const QString &option, const QString &text, bool positive);
QString qcPassed();
QString qcFailed();

// result captions
QString fieldModel();
QString fieldSerial();
QString fieldDateTime();
QString fieldComPort();
QString fieldBand();
QString fieldPoints();
QString fieldFrequency();
QString fieldR();
QString fieldTheta();
QString fieldSweeps();
QString fieldPartial();
QString fieldSpreadR();
QString fieldSpreadTheta();
QString sweepsHeld(int held, int planned);
QString yesNo(bool yes);
QString valueAt(const QString &value, const QString &frequency);
QString peaksHeading();
// The motional circle: row i's label, and why a curve has none.
QString circleLabel(int i);
QString circleRefused(CircleOutcome outcome);

// compare
QString compareDescription();
QString compareRefHelp();
QString compareHeading();
QString compareSummary(const QString &maxDiffOhm, const QString &maxDiffPct, const QString &atHz,
                       const QString &maxRatioDb, const QString &maxPhaseDeg);
QString compareUncompared(int count);
QString compareNothingInCommon();
QString compareNoPhase();

// many units: stats, match, trend
QString statsDescription();
QString matchDescription();
QString trendDescription();
QString reAllHelp();
QString reFileHelp();
QString reEstimateHelp();
QString setsHelp();
QString setSizeHelp();
QString byHelp();
QString settleHelp();
QString givenOrderHelp();
QString unitsReChoice();
QString unitsReExclusive();
QString reFileBad(int line);
QString reFileMissing(const QString &list);
QString folderWithoutUnits();
QString reNotEstimated();
QString unitsNone();
QString unitsDbHelp();
QString unitsPassedHelp();
QString unitsFailedHelp();
QString unitsStationHelp();
QString unitsNoCommonBand();
QString unitsSkipped(int count, int total);
QString unitsCommonBand(const QString &fromHz, const QString &toHz, int points);
QString unitsEstimatedNote();
QString matchBadSets(const QString &text);
QString matchBadSize(const QString &text);
QString matchBadBy(const QString &name);
QString matchVasUnavailable();
QString matchProblem(MatchProblem problem, int units, int sets, int total);
QString matchSetLine(int set, const QString &spread, const QString &files);
QString matchWorst(const QString &spread, bool exact, const QString &lowerBound);
QString trendBadSettle(const QString &text);
QString trendSettled(bool settled, const QString &pct);
QString trendAmbiguousNote();
QString trendModifiedNote();

// velo2-cli box
QString boxDescription();
QString boxVbHelp();
QString boxBadVb(const QString &text);
QString boxOtherBand(int freeBand, int boxBand);
QString boxRefused(VentedBoxOutcome outcome);
QString boxLabel(int row);
// compensation networks: zobel
QString zobelDescription();
QString zobelFromHelp();
QString zobelToHelp();
QString zobelSeriesHelp();
QString zobelBadFrequency(const QString &option, const QString &text);
QString zobelBadSeries(const QString &text);
QString zobelRefused(ZobelOutcome outcome);
QString zobelEstimates(const QString &re, const QString &leMh);
QString notchDescription();
QString notchRefused(NotchOutcome outcome);
// zobel and notch: the compensated curve
QString compensatedZmaHelp();
QString zobelSecondHelp();

// driver files
QString driverDescription();
QString unknownDriverCommand(const QString &name);
QString driverExportDescription();
QString driverFormatHelp();
QString driverShowDescription();

// velo2-cli qc grr
QString qcGrrDescription();
QString qcGrrCsvHelp();
QString qcGrrDbHelp();
QString qcGrrStudyHelp();
QString qcGrrParameterHelp();

// velo2-cli qc report: control charts, capability per period and the page
QString qcReportSpcDescription();
QString qcByHelp();
QString qcShiftsHelp();
QString qcChartsHelp();
QString qcHtmlHelp();
QString qcBadBy(const QString &text);
QString qcShiftsNeedBy();
QString qcChartsNeedJson();

// velo2-cli box: the lossy box's fit
QString boxReHelp();
QString boxFitRefused(VentedBoxFitOutcome outcome, const QString &driverProblem);
QString boxTextbookHeading();
QString boxFitHeading(const QString &model, const QString &losses); // losses: "leakage, port"
QString boxFitLabel(int row); // Fb, Vas, QL, QA, QP, fs, rms |Z| error
QString boxNoLoss();          // a Q the curve shows no loss for

// sites and a centre: qc replicate
QString qcReplicateDescription();
QString qcReplicateSiteHelp();
QString qcReplicateCentreHelp();
QString qcReplicateNameHelp();
QString qcReplicateReplaceHelp();
QString qcReplicateStatusHelp();
QString qcReplicateRemoveHelp();
QString qcReplicateJsonOnlyStatus();
QStringList qcReplicateStatusHeader();
QString qcReplicateState(bool enabled, bool running, bool copying);

// qc limits --from-db
QString qcFromLogDescription();
QString qcLastHelp();
QString qcFromStationHelp();
QString qcCurrentLimitsHelp();
QString qcProposalOutputHelp();
QString qcFromLogKHelp();
QString qcFromLogTolerancePctHelp();
QString qcBadLast(const QString &text, int least);
QString qcOutputNeedsLimits();
QString qcNonePassed(const QString &log, const QString &type, const QString &station);
QString qcTooFewPassed(const QString &log, const QString &type, const QString &station, int found,
                       int asked);
QString qcProposalWritten(const QString &file, const QString &title);

// render: vector files, dark plot, pixel ratio
QString formatHelp();
QString badFormat(const QString &text);
QString darkHelp();
QString ratioHelp();
QString badRatio(const QString &text);

} // namespace CliMessages
