#include "core/graph/ReadoutFormat.h"

#include "core/graph/DecimalFormat.h"
#include "core/model/Stringutil.h"

#include <QCoreApplication>

namespace {

constexpr long double kHzPerCount = 0.0152587890625L; // 1000 / 65536

} // namespace

QString formatOhms(double r)
{
    return formatDecimal(r, "#0.00") + QStringLiteral("[Ω]");
}

QString formatDegrees(double theta)
{
    return formatDecimal(theta, "#0.0") + QStringLiteral("[deg]");
}

QString formatHertz(float f)
{
    if (f < 100)
        return formatDecimal(f, "#.00") + QStringLiteral("[Hz]");
    if (f < 1000)
        return formatDecimal(f, "#.0") + QStringLiteral("[Hz]");
    return formatDecimal((long double)f * 0.001L, "#.000") + QStringLiteral("[kHz]");
}

QString formatResistance(const char *slot)
{
    return formatOhms(float(hex4Value(slot) * 0.01L + 0.005L));
}

QString formatPhase(const char *slot)
{
    return formatDegrees(float(hex4Signed(slot + 4) * 0.1L + 0.05L));
}

QString formatFrequency(const char *slot)
{
    const long n3 = hex6Value(slot + 8);
    const int n4 = hex4Value(slot + 14);
    const float f = n4 == 0 ? float(n3 * kHzPerCount * 2) : float(n3 * kHzPerCount / n4);
    return formatHertz(f);
}

QString readoutPrefix()
{
    return QCoreApplication::translate("ReadoutFormat", "周波数：");
}
QString readoutSeparator()
{
    return QStringLiteral(" / ");
}

QString pointReadoutText(const char *slot)
{
    return readoutPrefix() + formatFrequency(slot) + readoutSeparator() + formatResistance(slot) +
           readoutSeparator() + formatPhase(slot);
}
