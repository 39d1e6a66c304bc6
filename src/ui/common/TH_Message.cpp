#include "ui/common/TH_Message.h"

#include "core/document/CurveOnGrid.h"
#include "core/files/ImpedanceTable.h"
#include "core/model/BandTable.h"
#include "ui/common/Seams.h"
#include "ui/common/Texts.h"
#include "ui/common/UnitTexts.h"

namespace {
constexpr int kCaptionBuffer = 12; // includes the terminating zero
}

TH_Message::TH_Message(const QString &unitName, const QString &caption)
    : m_unitName(unitName), m_caption(caption.left(kCaptionBuffer - 1))
{
}

void TH_Message::msgFatalMemoryStatic(const QString &className)
{
    Seams::messages().show(MessagePresenter::Icon::Error, QString::fromUtf8(Texts::kCaption),
                           tr("致命的なメモリエラーです:%1").arg(className));
}

void TH_Message::msgException(const QString &text)
{
    Seams::messages().show(MessagePresenter::Icon::Error, QString::fromUtf8(Texts::kProgramTitle),
                           text);
}

void TH_Message::msgComNameInvalid()
{
    Seams::messages().show(MessagePresenter::Icon::Plain, tr("エラー"), tr("不正なCOM指定です"));
}

void TH_Message::msgComNumberInvalid()
{
    Seams::messages().show(MessagePresenter::Icon::Plain, tr("エラー"), tr("COM番号エラーです"));
}

void TH_Message::msgComLinkFailed(const QString &detail)
{
    Seams::messages().show(MessagePresenter::Icon::Error, tr("エラー"),
                           tr("COMポートを機器に結び付けられませんでした\n%1").arg(detail));
}

void TH_Message::error(const QString &text) const
{
    Seams::messages().show(MessagePresenter::Icon::Error, m_caption, text);
}

void TH_Message::warning(const QString &text) const
{
    Seams::messages().show(MessagePresenter::Icon::Warning, m_caption, text);
}

bool TH_Message::question(const QString &text) const
{
    return Seams::messages().show(MessagePresenter::Icon::Question, m_caption, text);
}

void TH_Message::msgFatalMemory(const QString &className) const
{
    error(tr("致命的なメモリエラーです:%1").arg(className));
}

void TH_Message::msgSettingsNotSaved() const
{
    warning(tr("初期設定ファイルを保存できませんでした"));
}

void TH_Message::msgBadDataFile() const
{
    error(tr("データファイルの内容が正しくありませんでした"));
}

void TH_Message::msgFileNotFound(const QString &path) const
{
    error(tr("%1 が見つかりません").arg(path));
}

void TH_Message::msgComOpenFailed() const
{
    error(tr("COMポートが開けませんでした。COM番号を確認して下さい。"));
}

void TH_Message::msgUnitNotFound() const
{
    error(tr("%1ユニットが見つかりませんでした。COM番号を確認して下さい。").arg(m_unitName));
}

void TH_Message::msgCalcDataError() const
{
    error(tr("データエラーで計算できませんでした"));
}

void TH_Message::msgNoData() const
{
    error(tr("データがありません"));
}

bool TH_Message::askDiscardAndStart() const
{
    return question(tr("測定データを保存していません。破棄して新しい測定を開始しますか？"));
}

bool TH_Message::askDiscardOnClose() const
{
    return question(tr("測定データを保存していません。データを破棄しますか？"));
}

bool TH_Message::askQuitUnsaved() const
{
    return question(tr("測定データを保存していません。終了しますか？"));
}

bool TH_Message::askDiscardOnOpen() const
{
    return question(tr("測定データを保存していません。破棄しますか？"));
}

bool TH_Message::askOverwrite(const QString &path) const
{
    return question(tr("ファイル：%1があります。\n上書きしますか").arg(path));
}

bool TH_Message::askSaveAsCurrentFormat() const
{
    // The text ends in a full-width space.
    return question(tr("ＨＫ－Ａ２／ＶＥＬＯ２のデータファイルとして保存しますか　"));
}

void TH_Message::msgVersionMismatch() const
{
    error(UnitTexts::outcomeText(UnitOutcome::CountMismatch, m_unitName).text);
}

void TH_Message::msgTooManyRefs() const
{
    error(tr("参照データは５個までにしてください"));
}

void TH_Message::msgOver150() const
{
    warning(tr("抵抗値の最大値が150Ωを越えています"));
}

void TH_Message::msgBandUnsupported() const
{
    warning(UnitTexts::outcomeText(UnitOutcome::BandUnsupported, m_unitName).text);
}

void TH_Message::msgOutcome(UnitTexts::Box box) const
{
    switch (box) {
    case UnitTexts::Box::None:
        break;
    case UnitTexts::Box::ComOpenFailed:
        msgComOpenFailed();
        break;
    case UnitTexts::Box::UnitNotFound:
        msgUnitNotFound();
        break;
    case UnitTexts::Box::BandUnsupported:
        msgBandUnsupported();
        break;
    case UnitTexts::Box::VersionMismatch:
        msgVersionMismatch();
        break;
    }
}

void TH_Message::msgUnitHeldBy(const QString &holder) const
{
    error(UnitTexts::heldBy(holder));
}

void TH_Message::msgPrintFailed() const
{
    error(tr("印刷できませんでした"));
}

void TH_Message::msgBadTable(const QString &path, TableProblem problem, int line, int band) const
{
    const QString at = tr("%1行目: ").arg(line);
    QString why;
    switch (problem) {
    case TableProblem::None:
        return;
    case TableProblem::Missing:
        why = tr("ファイルがありません");
        break;
    case TableProblem::NotRegular:
        why = tr("通常のファイルではありません");
        break;
    case TableProblem::TooLarge:
        why =
            tr("ファイルが大きすぎます（%1MiBまで）").arg(kMaxImpedanceTableBytes / (1024 * 1024));
        break;
    case TableProblem::Unreadable:
        why = tr("ファイルを読めませんでした");
        break;
    case TableProblem::Binary:
        why = tr("テキストの表ではありません（%1行目にバイナリデータ）").arg(line);
        break;
    case TableProblem::Utf16:
        why = tr("UTF-16のテキストです。UTF-8またはShift_JISで保存してください");
        break;
    case TableProblem::CrLineEnds:
        why = at + tr("行末がCRだけです。LFまたはCR LFで保存してください");
        break;
    case TableProblem::NoData:
        why = tr("周波数とインピーダンスの表がありません");
        break;
    case TableProblem::LongHeader:
        why = at + tr("先頭の%1行に表の行がありません").arg(kMaxTableHeaderLines);
        break;
    case TableProblem::TooFewPoints:
        why = tr("点が%1点未満です").arg(kMinTablePoints);
        break;
    case TableProblem::NotNumeric:
        why = at + tr("数値の行ではありません（周波数、インピーダンス、位相）");
        break;
    case TableProblem::BadFrequency:
        why = at + tr("周波数は0Hzより大きい値でなければなりません");
        break;
    case TableProblem::NegativeMagnitude:
        why = at + tr("インピーダンスが負の値です");
        break;
    case TableProblem::NotFinite:
        why = at + tr("有限の数値ではないか、範囲外の値です");
        break;
    case TableProblem::PhaseOutOfRange:
        why = at + tr("位相が±%1°の範囲外です").arg(kMaxTableDegrees);
        break;
    case TableProblem::AmbiguousComma:
        why = at + tr("コンマが小数点か区切りか判断できません");
        break;
    case TableProblem::OutsideBand:
        why = band > 0 ? tr("帯域 %1 に入る点がありません").arg(bandCaption(band))
                       : tr("どの帯域にも入る点がありません");
        break;
    }
    error(tr("インピーダンスの表を読み込めませんでした\n") + path + QLatin1Char('\n') + why);
}

bool TH_Message::askSaveImported(int band) const
{
    return question(tr("他のツールから読み込んだ曲線です。\n帯域 %1 "
                       "のデータファイルとして保存しますか")
                        .arg(bandCaption(band)));
}

void TH_Message::msgRepeatFileNotRead(const QString &path, int line) const
{
    QString text =
        tr("繰り返し測定の各回のファイルを読めませんでした。平均だけを開きました\n%1").arg(path);
    if (line > 0)
        text += QLatin1Char('\n') + tr("%1行目が壊れています").arg(line);
    warning(text);
}

void TH_Message::msgRepeatOtherUnit() const
{
    warning(tr("別の測定器の測定は繰り返し測定に加えられません。それまでの回の平均にします"));
}

void TH_Message::msgViewNeedsPhase() const
{
    warning(tr("この表示には位相が必要ですが、位相のない曲線があります"));
}

void TH_Message::msgViewNeedsReference() const
{
    warning(tr("この表示は参照データと比べます。参照データを読み込んでください"));
}

void TH_Message::msgRepeatFileNotSaved(const QString &path, const QString &reason) const
{
    QString text = tr("平均は保存しましたが、各回のファイルを保存できませんでした\n%1").arg(path);
    if (!reason.isEmpty())
        text += QLatin1Char('\n') + reason;
    error(text);
}

void TH_Message::msgSavedBeyondDataFile(int count, const QString &frequencies) const
{
    warning(tr("%1点のインピーダンスが%2Ωを超えています。データファイルには%2Ωとして保存しました"
               "（%3）。解析には元の値を使います")
                .arg(count)
                .arg(kMaxPointTextOhm)
                .arg(frequencies));
}

void TH_Message::msgRecovered(const QString &path) const
{
    warning(tr("前回の終了時に保存されていなかった測定データを次のファイルに保存しました\n%1")
                .arg(path));
}

void TH_Message::msgLanguageNextStart() const
{
    Seams::messages().show(MessagePresenter::Icon::Plain, m_caption,
                           tr("言語の変更は次回の起動から有効になります"));
}

void TH_Message::msgLanguageNotSaved() const
{
    warning(tr("言語の設定を保存できませんでした"));
}
