#include "TsParameters.h"

std::array<float, kTsValueCount> tsValues(const TsParameters &p)
{
    return {p.Re, p.Rmax, p.Fs, p.r0, p.Rx, p.f1, p.f2, p.Qms, p.Qes, p.Qts};
}
