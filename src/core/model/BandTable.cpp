#include "core/model/BandTable.h"

#include <QCoreApplication>

namespace {

constexpr FrequencyBand kBands[kBandCount] = {
    {20, 20000, 400, 40, 439},      {10, 100000, 540, 0, 539},     {10, 50, 92, 0, 91},
    {20, 250, 144, 40, 183},        {250, 2000, 121, 183, 303},    {2000, 20000, 137, 303, 439},
    {10000, 100000, 141, 399, 539}, {1000, 100000, 277, 263, 539}, {10, 500, 224, 0, 223},
};

const char *const kCaptions[kBandCount] = {
    QT_TRANSLATE_NOOP("BandTable", "20Hz～20kHz"),   QT_TRANSLATE_NOOP("BandTable", "10Hz～100kHz"),
    QT_TRANSLATE_NOOP("BandTable", "10Hz～50Hz"),    QT_TRANSLATE_NOOP("BandTable", "20Hz～250Hz"),
    QT_TRANSLATE_NOOP("BandTable", "250Hz～2kHz"),   QT_TRANSLATE_NOOP("BandTable", "2kHz～20kHz"),
    QT_TRANSLATE_NOOP("BandTable", "10kHz～100kHz"), QT_TRANSLATE_NOOP("BandTable", "1kHz～100kHz"),
    QT_TRANSLATE_NOOP("BandTable", "10Hz～500Hz"),
};

} // namespace

const FrequencyBand &frequencyBand(int band)
{
    return kBands[band - 1];
}
int bandStartHz(int band)
{
    return kBands[band - 1].startHz;
}
int bandEndHz(int band)
{
    return kBands[band - 1].endHz;
}
int bandPointCount(int band)
{
    return kBands[band - 1].pointCount;
}
int bandFirstIndex(int band)
{
    return kBands[band - 1].firstIndex;
}
int bandLastIndex(int band)
{
    return kBands[band - 1].lastIndex;
}
bool isValidBand(int band)
{
    return band >= 1 && band <= kBandCount;
}

QString bandCaption(int band)
{
    return QString::fromUtf8(kCaptions[band - 1]);
}

QString shownBandCaption(int band)
{
    return QCoreApplication::translate("BandTable", kCaptions[band - 1]);
}
