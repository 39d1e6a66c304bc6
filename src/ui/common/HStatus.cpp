#include "ui/common/HStatus.h"

#include "core/files/AnsiText.h"
#include "ui/common/TStatusBar.h"

#include <QFontMetrics>
#include <QLabel>

HStatus::HStatus(TStatusBar *bar, const QString &unitName, int highestPanel)
    : m_bar(bar), m_unitName(unitName), m_highestPanel(highestPanel)
{
}

void HStatus::showText(const QString &text, int panel) const
{
    if (panel > m_highestPanel || panel < 0 || !m_bar)
        return;
    QLabel *label = m_bar->panel(panel);
    if (!label)
        return;
    label->setText(text);
    const int width = QFontMetrics(m_bar->font()).horizontalAdvance(text);
    label->setFixedWidth(panelWidthFor(width));
}

void HStatus::showUnit(const QString &model, const QByteArray &serial, const QString &version) const
{
    showText(model + QStringLiteral("/ SN=") + fromAnsi(serial) + QStringLiteral("/ ") + version,
             kUnitPanel);
}

void HStatus::showUnitNotFound() const
{
    showText(m_unitName + QStringLiteral(" が見つかりませんでした"), kUnitPanel);
}

void HStatus::showModelUnknown() const
{
    showText(QStringLiteral("HK-A, HK-A2 が見つかりませんでした"), kUnitPanel);
}

void HStatus::showPortError() const
{
    showText(QStringLiteral("通信ポートが開けません"), kUnitPanel);
}
void HStatus::showPortAccessDenied() const
{
    showText(QStringLiteral("通信ポートが開けません（アクセス権がありません）"), kUnitPanel);
}

void HStatus::showReceiveError() const
{
    showText(QStringLiteral("データ受信エラーです"), kUnitPanel);
}
void HStatus::showSendError() const
{
    showText(QStringLiteral("コマンド送信エラーです"), kProgressPanel);
}

void HStatus::showBandRefused() const
{
    showText(m_unitName + QStringLiteral(" が測定周波数帯域を受け付けませんでした"),
             kProgressPanel);
}

void HStatus::showReplyError() const
{
    showText(m_unitName + QStringLiteral(" 応答エラーです"), kProgressPanel);
}

void HStatus::showUncalibrated() const
{
    showText(m_unitName + QStringLiteral(" 未校正です"), kProgressPanel);
}

void HStatus::showMeasuring() const
{
    showText(QStringLiteral("測定中です"), kProgressPanel);
}
void HStatus::showReceiving() const
{
    showText(QStringLiteral("データ受信中です"), kProgressPanel);
}
void HStatus::showCalculating() const
{
    showText(QStringLiteral("計算中です"), kProgressPanel);
}
void HStatus::showFinished() const
{
    showText(QStringLiteral("測定終了しました"), kProgressPanel);
}
void HStatus::showStopped() const
{
    showText(QStringLiteral("測定中止しました"), kProgressPanel);
}

void HStatus::showCalcError() const
{
    showText(QStringLiteral("データエラーで計算できませんでした"), kProgressPanel);
}

void HStatus::showSaveFailed() const
{
    showText(QStringLiteral("データ保存できませんでした"), kProgressPanel);
}
void HStatus::showSaved() const
{
    showText(QStringLiteral("データ保存できました"), kProgressPanel);
}
void HStatus::showExported() const
{
    showText(QStringLiteral("データ書き出し完了"), kProgressPanel);
}
void HStatus::clearPanel(int panel) const
{
    showText(QString(), panel);
}
