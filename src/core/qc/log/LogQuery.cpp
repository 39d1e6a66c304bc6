#include "core/qc/log/LogQuery.h"

#include <QJsonValue>
#include <QSqlError>
#include <QSqlQuery>
#include <cmath>

QString sqlErrorText(const QSqlError &e)
{
    const QString db = e.databaseText().trimmed();
    return db.isEmpty() ? e.text().trimmed() : db;
}

bool execBound(QSqlQuery &q, const QVariantList &values, QString *error)
{
    for (const QVariant &v : values)
        q.addBindValue(v);
    if (q.exec())
        return true;
    *error = sqlErrorText(q.lastError());
    return false;
}

QJsonValue reportJsonNumber(double v)
{
    return std::isfinite(v) ? QJsonValue(v) : QJsonValue();
}

QString reportCsvNumber(double v)
{
    return std::isfinite(v) ? QString::number(v, 'g', 10) : QString();
}

QString reportTextNumber(double v, int precision)
{
    return std::isfinite(v) ? QString::number(v, 'f', precision) : QStringLiteral("-");
}
