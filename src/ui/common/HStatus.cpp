#include "ui/common/HStatus.h"

#include "core/files/AnsiText.h"
#include "core/model/BandTable.h"
#include "ui/common/TStatusBar.h"
#include "ui/common/UnitTexts.h"

HStatus::HStatus(TStatusBar *bar, const QString &unitName, int highestPanel)
    : m_bar(bar), m_unitName(unitName), m_highestPanel(highestPanel)
{
}

void HStatus::showText(const QString &text, int panel) const
{
    if (panel > m_highestPanel || panel < 0 || !m_bar)
        return;
    TStatusPanel *shown = m_bar->panel(panel);
    if (!shown)
        return;
    shown->setText(text);
    // Unchanged for most readouts, and then no layout pass.
    shown->setFixedWidth(panelWidthFor(shown->textWidth()));
}

void HStatus::showOutcome(UnitOutcome outcome) const
{
    const UnitTexts::OutcomeText shown = UnitTexts::outcomeText(outcome, m_unitName);
    if (shown.panel >= 0)
        showText(shown.text, shown.panel);
}

void HStatus::showUnit(const QString &model, const QByteArray &serial, const QString &version) const
{
    showText(model + QStringLiteral("/ SN=") + fromAnsi(serial) + QStringLiteral("/ ") + version,
             kUnitPanel);
}

void HStatus::showUnitNotFound() const
{
    showOutcome(UnitOutcome::UnitNotFound);
}

void HStatus::showModelUnknown() const
{
    showOutcome(UnitOutcome::ModelUnknown);
}

void HStatus::showPortError() const
{
    showOutcome(UnitOutcome::PortOpenFailed);
}
void HStatus::showPortAccessDenied() const
{
    showOutcome(UnitOutcome::PortAccessDenied);
}

void HStatus::showReceiveError() const
{
    showText(UnitTexts::failureText(MeasurementRun::Failure::Silent), kUnitPanel);
}
void HStatus::showSendError() const
{
    showOutcome(UnitOutcome::SendError);
}

void HStatus::showBandRefused() const
{
    showOutcome(UnitOutcome::Refused);
}

void HStatus::showReplyError() const
{
    showOutcome(UnitOutcome::ReplyError);
}

void HStatus::showUncalibrated() const
{
    showOutcome(UnitOutcome::Uncalibrated);
}

void HStatus::showMeasuring() const
{
    showText(tr("測定中です"), kProgressPanel);
}
void HStatus::showSweep(int sweep, int planned) const
{
    showText(tr("測定中です（%1／%2回目）").arg(sweep).arg(planned), kProgressPanel);
}
void HStatus::showRepeatMean(int count, int planned, bool partial) const
{
    showText(partial ? tr("途中まで：%1／%2回の平均です").arg(count).arg(planned)
                     : tr("%1回の平均です").arg(count),
             kProgressPanel);
}
void HStatus::showReceiving() const
{
    showText(tr("データ受信中です"), kProgressPanel);
}
void HStatus::showCalculating() const
{
    showText(tr("計算中です"), kProgressPanel);
}
void HStatus::showFinished() const
{
    showText(tr("測定終了しました"), kProgressPanel);
}
void HStatus::showStopped() const
{
    showText(tr("測定中止しました"), kProgressPanel);
}

void HStatus::showCalcError() const
{
    showText(UnitTexts::calcErrorText(), kProgressPanel);
}

void HStatus::showSaveFailed(const QString &reason) const
{
    showText(reason.isEmpty() ? tr("データ保存できませんでした")
                              : tr("データ保存できませんでした：%1").arg(reason),
             kProgressPanel);
}
void HStatus::showSaved() const
{
    showText(tr("データ保存できました"), kProgressPanel);
}
void HStatus::showExported() const
{
    showText(tr("データ書き出し完了"), kProgressPanel);
}
void HStatus::showImported(const QString &fileName, int band, bool reordered, int duplicates) const
{
    QString text = tr("%1 を読み込みました（%2）").arg(fileName, shownBandCaption(band));
    if (reordered)
        text += tr("　周波数順に並べ替えました");
    if (duplicates > 0)
        text += tr("　重複した周波数 %1 行を除きました").arg(duplicates);
    showText(text, kProgressPanel);
}
void HStatus::showZmaWritten() const
{
    showText(tr("ZMA出力完了"), kProgressPanel);
}
void HStatus::showUncompared(int count) const
{
    // The readout panel: what the graph shows, which a later file message would not cover.
    showText(tr("参照データのない%1点は比べていません").arg(count), kReadoutPanel);
}
void HStatus::showViewRefused() const
{
    showText(tr("この表示では表示できない曲線です"), kReadoutPanel);
}
void HStatus::clearPanel(int panel) const
{
    showText(QString(), panel);
}
