#include "core/analysis/driver/HornrespRecord.h"

#include <QStringList>

namespace {

QString fixed(double v, int decimals)
{
    return QString::number(v, 'f', decimals);
}

// Names become ASCII: Hornresp reads nothing else.
QString ascii(const QString &text)
{
    QString out;
    for (const QChar c : text)
        out += (c.unicode() >= 0x20 && c.unicode() < 0x7f) ? c : QLatin1Char('?');
    return out;
}

void section(QStringList &lines, const char *title, const QStringList &entries)
{
    lines << QString() << QStringLiteral("|") + QLatin1String(title) << QString();
    lines << entries;
}

QStringList zeros(const QStringList &keys, const QString &value = QStringLiteral("0.00"))
{
    QStringList out;
    for (const QString &k : keys)
        out << k + QStringLiteral(" = ") + value;
    return out;
}

} // namespace

QByteArray hornrespText(const DriverRecord &d)
{
    if (!d.hasMechanics() || !(d.mmd > 0.0))
        return {};
    QStringList lines;
    lines << QStringLiteral("ID = 0.00") << QString()
          << QStringLiteral("Comment = ") + ascii(d.name) + QStringLiteral(" (VELO2)");
    section(lines, "RADIATION, SOURCE AND MOUTH PARAMETER VALUES:",
            {QStringLiteral("Ang = 2.0 x Pi"), QStringLiteral("Eg = 2.83"),
             QStringLiteral("Rg = 0.00"), QStringLiteral("Cir = 0.00")});
    QStringList horn;
    for (const char *seg : {"12", "23", "34", "45"}) {
        const QString s = QLatin1String(seg);
        horn << zeros({QStringLiteral("S") + s[0], QStringLiteral("S") + s[1],
                       QStringLiteral("L") + s, QStringLiteral("F") + s});
    }
    section(lines, "HORN PARAMETER VALUES:", horn);
    section(lines, "TRADITIONAL DRIVER PARAMETER VALUES:",
            {QStringLiteral("Sd = ") + fixed(d.sd * 1e4, 2),
             QStringLiteral("Bl = ") + fixed(d.bl, 2),
             QStringLiteral("Cms = ") + QString::number(d.cms, 'E', 2),
             QStringLiteral("Rms = ") + fixed(d.rms, 2),
             QStringLiteral("Mmd = ") + fixed(d.mmd * 1e3, 2),
             QStringLiteral("Le = ") + fixed(d.le * 1e3, 2),
             QStringLiteral("Re = ") + fixed(d.re, 2), QStringLiteral("Nd = 1")});
    section(lines, "ADVANCED DRIVER PARAMETER VALUES FOR SEMI-INDUCTANCE MODEL:",
            zeros({QStringLiteral("Re'"), QStringLiteral("Leb"), QStringLiteral("Le"),
                   QStringLiteral("Ke"), QStringLiteral("Rss")}));
    section(lines, "ADVANCED DRIVER PARAMETER VALUES FOR FREQUENCY-DEPENDENT DAMPING MODEL:",
            zeros({QStringLiteral("Rms"), QStringLiteral("Ams")}));
    section(lines, "PASSIVE RADIATOR PARAMETER VALUE:", zeros({QStringLiteral("Added Mass")}));
    QStringList chamber =
        zeros({QStringLiteral("Vrc"), QStringLiteral("Lrc"), QStringLiteral("Fr"),
               QStringLiteral("Tal"), QStringLiteral("Vtc"), QStringLiteral("Atc")});
    chamber << QString() << QStringLiteral("Acoustic Path Length = 0.0");
    section(lines, "CHAMBER PARAMETER VALUES:", chamber);
    // The sections a simulation sets, at the lowest values their ranges allow.
    QStringList spl = zeros({QStringLiteral("Pamp"), QStringLiteral("Vamp"), QStringLiteral("Iamp"),
                             QStringLiteral("Pmax"), QStringLiteral("Xmax")});
    spl << QString() << QStringLiteral("Maximum SPL Setting = 1");
    section(lines, "MAXIMUM SPL PARAMETER VALUES:", spl);
    QStringList fill = zeros({QStringLiteral("Fr1"), QStringLiteral("Fr2"), QStringLiteral("Fr3"),
                              QStringLiteral("Fr4")});
    fill << QString()
         << zeros({QStringLiteral("Tal1"), QStringLiteral("Tal2"), QStringLiteral("Tal3"),
                   QStringLiteral("Tal4")});
    section(lines, "ABSORBENT FILLING MATERIAL PARAMETER VALUES:", fill);
    section(lines, "ACTIVE BAND PASS FILTER PARAMETER VALUES:",
            {QStringLiteral("High Pass Frequency = 0"), QStringLiteral("High Pass Slope = 1"),
             QStringLiteral("Low Pass Frequency = 0"), QStringLiteral("Low Pass Slope = 1"),
             QString(), QStringLiteral("Butterworth High Pass Order = 1"),
             QStringLiteral("Butterworth Low Pass Order = 1"),
             QStringLiteral("Linkwitz-Riley High Pass Order = 2"),
             QStringLiteral("Linkwitz-Riley Low Pass Order = 2"),
             QStringLiteral("Bessel High Pass Order = 1"),
             QStringLiteral("Bessel Low Pass Order = 1"), QString(),
             QStringLiteral("2nd Order High Pass Q = 0.5"),
             QStringLiteral("2nd Order Low Pass Q = 0.5"),
             QStringLiteral("4th Order High Pass Q = 0.5"),
             QStringLiteral("4th Order Low Pass Q = 0.5"), QString(),
             QStringLiteral("Active Filter Alignment = 1"),
             QStringLiteral("Active Filter On / Off Switch = 0")});
    QStringList passive;
    for (int i = 1; i <= 4; ++i)
        passive << QStringLiteral("Series / Parallel %1 = S").arg(i);
    section(lines, "PASSIVE FILTER PARAMETER VALUES:", passive);
    QStringList eq;
    for (int i = 1; i <= 6; ++i)
        eq << QStringLiteral("Band %1 Frequency = 0").arg(i)
           << QStringLiteral("Band %1 Q Factor = 0.01").arg(i)
           << QStringLiteral("Band %1 Gain = 0.0").arg(i)
           << QStringLiteral("Band %1 Type = -1").arg(i);
    section(lines, "EQUALISER FILTER PARAMETER VALUES:", eq);
    section(lines, "STATUS FLAGS:",
            zeros({QStringLiteral("Auto Path Flag"), QStringLiteral("Lossy Inductance Model Flag"),
                   QStringLiteral("Semi-Inductance Model Flag"),
                   QStringLiteral("Damping Model Flag"), QStringLiteral("Closed Mouth Flag"),
                   QStringLiteral("Continuous Flag"), QStringLiteral("End Correction Flag")},
                  QStringLiteral("0")));
    section(lines, "OTHER SETTINGS:",
            {QStringLiteral("Filter Type Index = 0"), QStringLiteral("Filter Input Index = 0"),
             QStringLiteral("Filter Output Index = 0"), QString(),
             QStringLiteral("Filter Type = 1"), QString(), QStringLiteral("MEH Configuration = 0"),
             QStringLiteral("ME Amplifier Polarity Value = 1")});
    lines << QString();
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
}
