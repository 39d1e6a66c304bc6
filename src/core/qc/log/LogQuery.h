#pragma once

#include <QString>
#include <QVariantList>

class QSqlError;
class QSqlQuery;

// The results log's SQL helpers, shared by every file that reads or writes it.

// The server's own words when it gave any, else Qt's.
QString sqlErrorText(const QSqlError &e);

// Binds the values in order and runs the prepared query; false with *error set on failure.
bool execBound(QSqlQuery &q, const QVariantList &values, QString *error);

// Report numbers: JSON null, an empty CSV field or "-" in text for a value that is not finite.
class QJsonValue;
QJsonValue reportJsonNumber(double v);
QString reportCsvNumber(double v);
QString reportTextNumber(double v, int precision);
