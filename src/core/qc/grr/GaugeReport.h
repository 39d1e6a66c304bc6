#pragma once

#include "core/qc/grr/GaugeStudy.h"

#include <QJsonObject>
#include <QStringList>

// A worked-out gauge study for people and for scripts. JSON keys: parts, operators, trials,
// EV, AV, INT, GRR, PV, TV (standard deviations), EV_pct, AV_pct, INT_pct, GRR_pct, PV_pct
// (of TV), ndc, verdict ("acceptable", "marginal", "unacceptable"), interactionPooled, anova
// (rows of source, df, SS, MS, F, p) and, when the interaction is pooled, anovaPooled; a value
// that does not exist is null. `parameter` is named when it is not empty.
QJsonObject gaugeStudyJson(const GaugeResult &result, const QString &parameter);
QStringList gaugeStudyText(const GaugeResult &result, const QString &parameter);
// One line: "fs: %GRR 12.3 %, ndc 8, marginal".
QString gaugeStudySummary(const GaugeResult &result, const QString &parameter);
