#include "ui/common/TH_Message.h"

#include "ui/common/Seams.h"
#include "ui/common/Texts.h"

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
    error(tr("ユニットとアプリケーションのバージョンがミスマッチです"));
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
    warning(tr("HK-Aが対応していない測定周波数帯域です"));
}

void TH_Message::msgPrintFailed() const
{
    error(tr("印刷できませんでした"));
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
