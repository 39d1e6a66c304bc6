#pragma once

#include <QString>

// Every text of the production QC core: refusals of golden sets and limits files, and the
// failed items of a verdict.
namespace QcMessages {

// golden sets
QString noGolden();
QString goldenOtherBand(const QString &name, int band, int firstBand);
QString goldenIncomplete(const QString &name);
QString goldenNoResonance(const QString &name);
QString goldenBadRe(const QString &re, const QString &name);

// limits files ("FILE: line N: problem")
QString atLine(const QString &file, int line, const QString &problem);
QString notLimitsFile();
QString unsupportedVersion(const QString &version, int supported);
QString unknownKey(const QString &key);
QString badValue(const QString &key);
QString repeatedKey(const QString &key);
QString missingKey(const QString &key);
QString badWindow(const QString &name);
QString pointOutOfOrder(int expected);
QString pointFrequency(int index, double gridHz);
QString wrongPointCount(int count, int expected);
QString missingEnd();
QString textAfterEnd();
QString cannotRead(const QString &file);
QString otherBand(const QString &file, int line, int limitsBand, int band);

// failed items of a verdict
QString parameterOutside(const QString &name, const QString &value, const QString &low,
                         const QString &high, const QString &unit);
QString noResonance();
QString bandOutside(const QString &fromHz, const QString &toHz, bool above);
QString pointsMissing(int count);

// fast sweeps
QString sweepOutsideBand(int sweepBand, int band);
QString sweepGap(double fromHz, double toHz, int band);

} // namespace QcMessages
