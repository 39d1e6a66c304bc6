#include "core/analysis/TsParameters.h"

namespace {

const char *const kRowLabels[kTsValueCount] = {
    "Re [ Ω ]",  "Rmax [ Ω ]", "Fs [ Hz ]", "r0",  "Rx [ Ω ]",
    "f1 [ Hz ]", "f2 [ Hz ]",  "Qms",       "Qes", "Qts",
};

} // namespace

std::array<float, kTsValueCount> tsValues(const TsParameters &p)
{
    return {p.Re, p.Rmax, p.Fs, p.r0, p.Rx, p.f1, p.f2, p.Qms, p.Qes, p.Qts};
}

QString tsValueLabel(int i)
{
    if (i < 0 || i >= kTsValueCount)
        return QString();
    return QString::fromUtf8(kRowLabels[i]);
}
