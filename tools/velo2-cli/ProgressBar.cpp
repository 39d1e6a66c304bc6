#include "ProgressBar.h"

#include "CliIo.h"

#include <cstdio>

namespace {

constexpr int kBarWidth = 30;

} // namespace

ProgressBar::ProgressBar(int total) : m_total(total), m_enabled(stderrIsTerminal()) {}

void ProgressBar::update(int done, const QString &detail)
{
    if (!m_enabled || m_total <= 0)
        return;
    const int filled = done * kBarWidth / m_total;
    const QString line = QStringLiteral("\r[%1%2] %3/%4  %5\x1b[K")
                             .arg(QString(filled, QLatin1Char('#')))
                             .arg(QString(kBarWidth - filled, QLatin1Char('.')))
                             .arg(done, QString::number(m_total).size())
                             .arg(m_total)
                             .arg(detail);
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
    m_drawn = true;
}

void ProgressBar::finish()
{
    if (!m_drawn)
        return;
    std::fputs("\r\x1b[K", stderr);
    std::fflush(stderr);
    m_drawn = false;
}
