#pragma once

#include "core/qc/QcLimits.h"

#include <QString>
#include <QStringList>
#include <QVector>

// New parameter windows for a driver type from the values of units that passed in production,
// by the rule its golden limits were made with: mean ± max(k·σ, tolerance-pct % of |mean|).
// Only the windows follow the product: the band on |Z| and Re need the units' curves, which a
// results log does not keep, so they stay as they were.
struct QcLimitsProposal {
    QcLimits limits; // the current limits with the new windows, revision raised, golden = units
    QcWindow before[kQcParameterCount];
    bool kept[kQcParameterCount] = {}; // under two values: the window stays as it was
    int units = 0;
};

// A k·σ window needs some units to estimate σ at all: below this the proposal is refused.
constexpr int kQcMinProposalUnits = 10;

QcLimitsProposal proposeQcLimits(const QcLimits &current,
                                 const QVector<double> (&values)[kQcParameterCount], int units);

// One line per parameter: old window, new window and how each end moved, with the width's change
// in % ("Fs  37.6 ... 42.4  ->  38.1 ... 41.9  low +0.5, high -0.5, width -21 %"), under a
// header.
QStringList qcLimitsProposalText(const QcLimitsProposal &proposal);
