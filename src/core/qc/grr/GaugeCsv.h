#pragma once

#include "core/qc/grr/GaugeStudy.h"

#include <QString>
#include <QStringList>

// A gauge study's values from a CSV file: rows of part, operator, trial, value, in that order,
// or in any order under a header that names them ("appraiser" for operator), with an optional
// "parameter" column when the file holds more than one parameter. Lines starting with '#' and
// blank lines are skipped.
struct GaugeCsv {
    QVector<GaugeValue> values;
    QString parameter; // the one chosen, or the one there is; empty when the file names none
};

// `parameter` empty: the file's only parameter. The problem's whole text, or an empty text.
QString readGaugeCsv(const QString &path, const QString &parameter, GaugeCsv *out);
