#pragma once

#include <QString>
#include <QStringList>

enum class AnovaSource;
enum class GaugeVerdict;

// Every text of gauge studies in core: refusals of a study's values, its CSV and its log,
// the names of the table's rows and the verdict.
namespace GaugeMessages {

// the values
QString noValues();
QString tooSmall(int parts, int appraisers, int trials);
QString missingCell(const QString &part, const QString &appraiser, int trial, int more);
QString repeatedCell(const QString &part, const QString &appraiser, int trial);
QString notInStudy(const QString &part, const QString &appraiser, int trial);
QString notANumber(const QString &part, const QString &appraiser, int trial);
QString noVariation();

// a CSV of part, operator, trial, value rows ("FILE: line N: problem")
QString atLine(const QString &file, int line, const QString &problem);
QString cannotRead(const QString &file);
QString csvColumns();
QString csvMissingColumn(const QString &name);
QString csvFieldCount(int found, int expected);
QString csvBadTrial(const QString &text);
QString csvBadValue(const QString &text);
QString csvEmptyName(const QString &column);
QString noParameterRows(const QString &parameter, const QStringList &present);
QString chooseParameter(const QStringList &present);

// studies in the results log
QString noStudy(const QString &study, const QString &log);
QString studyOtherShape(const QString &study, int parts, int appraisers, int trials);
QString badStudyName();
QString badStudyShape();
QString badAppraisers();
QString cellOutsideStudy(const QString &study, int part, const QString &appraiser, int trial);

// the table and the verdict
QString sourceKey(AnovaSource source);  // "part", "operator", "part*operator", ...
QString sourceName(AnovaSource source); // "Part", "Operator", "Part x Operator", ...
QString verdictKey(GaugeVerdict verdict);
QString verdictText(GaugeVerdict verdict);

} // namespace GaugeMessages
