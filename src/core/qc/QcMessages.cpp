#include "core/qc/QcMessages.h"

#include <QCoreApplication>

namespace QcMessages {

QString noGolden()
{
    return QCoreApplication::translate("QcMessages", "no golden measurement given");
}
QString goldenOtherBand(const QString &name, int band, int firstBand)
{
    return QCoreApplication::translate(
               "QcMessages", "%1 was measured on band %2, the first golden unit on band %3: "
                             "measure every golden unit on the same band")
        .arg(name)
        .arg(band)
        .arg(firstBand);
}
QString goldenIncomplete(const QString &name)
{
    return QCoreApplication::translate(
               "QcMessages", "%1 lacks points of its band: a golden unit needs the whole band")
        .arg(name);
}
QString goldenNoResonance(const QString &name)
{
    return QCoreApplication::translate("QcMessages",
                                       "%1 shows no resonance peak to take the parameters from")
        .arg(name);
}
QString goldenBadRe(const QString &re, const QString &name)
{
    return QCoreApplication::translate(
               "QcMessages", "Re %1 ohm gives no Thiele-Small values on %2: Re must lie between 0 "
                             "and the peak |Z|")
        .arg(re, name);
}

QString atLine(const QString &file, int line, const QString &problem)
{
    return QCoreApplication::translate("QcMessages", "%1: line %2: %3")
        .arg(file)
        .arg(line)
        .arg(problem);
}
QString notLimitsFile()
{
    return QCoreApplication::translate(
        "QcMessages", "not a QC limits file (the first item must be \"velo2-qc-limits 1\")");
}
QString unsupportedVersion(const QString &version, int supported)
{
    return QCoreApplication::translate(
               "QcMessages", "limits file version %1 is not supported (this program reads version "
                             "%2)")
        .arg(version)
        .arg(supported);
}
QString unknownKey(const QString &key)
{
    return QCoreApplication::translate("QcMessages", "unknown item \"%1\"").arg(key);
}
QString badValue(const QString &key)
{
    return QCoreApplication::translate("QcMessages", "bad value for \"%1\"").arg(key);
}
QString repeatedKey(const QString &key)
{
    return QCoreApplication::translate("QcMessages", "\"%1\" is given twice").arg(key);
}
QString missingKey(const QString &key)
{
    return QCoreApplication::translate("QcMessages", "\"%1\" is missing").arg(key);
}
QString badWindow(const QString &name)
{
    return QCoreApplication::translate("QcMessages",
                                       "%1 needs two numbers LOW HIGH with LOW not above HIGH")
        .arg(name);
}
QString pointOutOfOrder(int expected)
{
    return QCoreApplication::translate(
               "QcMessages", "expected \"point %1 FREQUENCY LOW HIGH\" (one point per grid index "
                             "of the band, rising)")
        .arg(expected);
}
QString pointFrequency(int index, double gridHz)
{
    return QCoreApplication::translate("QcMessages",
                                       "point %1 must be at the grid's frequency, %2 Hz")
        .arg(index)
        .arg(QString::number(gridHz, 'g', 7));
}
QString wrongPointCount(int count, int expected)
{
    return QCoreApplication::translate("QcMessages", "%1 points given, the band has %2")
        .arg(count)
        .arg(expected);
}
QString missingEnd()
{
    return QCoreApplication::translate("QcMessages", "the file ends without \"end\" (cut short?)");
}
QString textAfterEnd()
{
    return QCoreApplication::translate("QcMessages", "text after \"end\"");
}
QString cannotRead(const QString &file)
{
    return QCoreApplication::translate(
               "QcMessages", "%1: cannot read the limits file (missing, unreadable or not a "
                             "regular file of at most 1 MiB)")
        .arg(file);
}
QString otherBand(const QString &file, int line, int limitsBand, int band)
{
    const QString problem = QCoreApplication::translate(
                                "QcMessages", "the limits are for band %1, the measurement is on "
                                              "band %2")
                                .arg(limitsBand)
                                .arg(band);
    return line > 0 ? atLine(file, line, problem) : problem;
}

QString parameterOutside(const QString &name, const QString &value, const QString &low,
                         const QString &high, const QString &unit)
{
    const QString u = unit.isEmpty() ? QString() : QLatin1Char(' ') + unit;
    return QCoreApplication::translate("QcMessages", "%1 %2%5 outside %3 ... %4%5")
        .arg(name, value, low, high, u);
}
QString noResonance()
{
    return QCoreApplication::translate(
        "QcMessages", "no resonance peak: Fs, Rmax, Qms, Qes, Qts and Zmin not measured");
}
QString bandOutside(const QString &fromHz, const QString &toHz, bool above)
{
    // Whole sentences for each side: a translation orders the words its own way.
    if (fromHz == toHz)
        return (above ? QCoreApplication::translate("QcMessages", "|Z| above the band at %1 Hz")
                      : QCoreApplication::translate("QcMessages", "|Z| below the band at %1 Hz"))
            .arg(fromHz);
    return (above ? QCoreApplication::translate("QcMessages", "|Z| above the band at %1 ... %2 Hz")
                  : QCoreApplication::translate("QcMessages", "|Z| below the band at %1 ... %2 Hz"))
        .arg(fromHz, toHz);
}
QString pointsMissing(int count)
{
    return QCoreApplication::translate("QcMessages", "%1 points of the band were not measured")
        .arg(count);
}

// fast sweeps
QString sweepOutsideBand(int sweepBand, int band)
{
    return QCoreApplication::translate("QcMessages", "sweep band %1 does not lie within band %2")
        .arg(sweepBand)
        .arg(band);
}
QString sweepGap(double fromHz, double toHz, int band)
{
    return QCoreApplication::translate("QcMessages",
                                       "the sweep leaves %1 ... %2 Hz out: its bands must join up "
                                       "from the first point of band %3, as a measurement file "
                                       "keeps no gap")
        .arg(QString::number(fromHz, 'f', 1), QString::number(toHz, 'f', 1))
        .arg(band);
}

} // namespace QcMessages
