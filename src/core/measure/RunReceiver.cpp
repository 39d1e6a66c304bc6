#include "core/measure/RunReceiver.h"

#include "core/measure/TCommPortDriver.h"
#include "core/model/BandTable.h"
#include "core/model/MeasurementRecord.h"
#include "core/model/Stringutil.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr int kEndMarkLength = 3; // "OK" and its terminator
} // namespace

void RunReceiver::start(int band)
{
    m_rxWritePos = 0;
    m_rxParsePos = 0;
    m_pointsReceived = 0;
    m_pointsExpected = bandPointCount(band);
    m_runFirstIndex = bandFirstIndex(band);
    m_finished = false;
}

int RunReceiver::readFrom(TCommPortDriver &driver)
{
    // Never ask for bytes beyond the end mark: the read would wait its whole time-out for
    // them at the end of every run.
    int wanted = kPointWireLength;
    if (!m_finished)
        wanted = std::min(wanted, (m_pointsExpected - m_pointsReceived) * kPointWireLength +
                                      kEndMarkLength - (m_rxWritePos - m_rxParsePos));
    const int room = std::min(wanted, kBufferSize - m_rxWritePos);
    if (room <= 0)
        return 0;
    const int n = int(driver.ReadData(m_rxBuffer + m_rxWritePos, quint32(room)));
    m_rxWritePos += n;
    return n;
}

int RunReceiver::append(const char *data, int count)
{
    const int n = std::clamp(count, 0, kBufferSize - m_rxWritePos);
    if (n > 0)
        std::memcpy(m_rxBuffer + m_rxWritePos, data, size_t(n));
    m_rxWritePos += n;
    return n;
}

RunReceiver::StepResult RunReceiver::step(MeasurementRecord &record)
{
    StepResult result;
    if (m_finished)
        return result;
    const int unparsed = m_rxWritePos - m_rxParsePos;
    if (m_pointsReceived >= m_pointsExpected) {
        if (unparsed < kEndMarkLength)
            return result;
        m_finished = true;
        const char *mark = m_rxBuffer + m_rxParsePos;
        result.step = (mark[0] == 'O' && mark[1] == 'K') ? Step::EndOk : Step::EndWrong;
        return result;
    }
    if (unparsed < kPointWireLength)
        return result;

    const int index = m_runFirstIndex + m_pointsReceived;
    result.point = m_pointsReceived;
    result.gridIndex = index;
    char *slot = record.points[index];
    const char *source = m_rxBuffer + m_rxParsePos;
    for (int i = 0; i < kPointTextLength; ++i) {
        // Anything but a hex digit (a carriage return, a line feed, a byte lost on the line)
        // is a damaged point, and a point saved with it could never be read again.
        if (!isHexChar(source[i])) {
            m_finished = true;
            result.step = Step::BadPoint;
            return result;
        }
        slot[i] = source[i];
    }
    slot[kPointTextLength] = '\0';
    ++m_pointsReceived;
    m_rxParsePos += kPointWireLength;
    result.step = Step::PointStored;
    return result;
}

RunReceiver::StepResult RunReceiver::feed(const char *data, int count, MeasurementRecord &record)
{
    append(data, count);
    return step(record);
}
