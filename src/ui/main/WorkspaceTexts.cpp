#include "ui/main/WorkspaceTexts.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("WorkspaceTexts", text);
}

} // namespace

namespace WorkspaceTexts {

QString undo()
{
    return tr("元に戻す(&U)");
}

QString redo()
{
    return tr("やり直す(&R)");
}

QString openWorkspace()
{
    return tr("ワークスペースを開く...");
}

QString saveWorkspace()
{
    return tr("ワークスペースを保存...");
}

QString recentMenu()
{
    return tr("最近使ったファイル");
}

QString recentEmpty()
{
    return tr("（なし）");
}

QString openTitle()
{
    return tr("ワークスペースを選んでください");
}

QString saveTitle()
{
    return tr("ワークスペースの保存先");
}

QString filter()
{
    return tr("ワークスペース (*.velo2ws)");
}

QString saved(const QString &path)
{
    return tr("ワークスペース %1 を保存しました").arg(path);
}

QString opened(const QString &path)
{
    return tr("ワークスペース %1 を開きました").arg(path);
}

QString notRead(const QString &path, const WorkspaceRead &read)
{
    switch (read.status) {
    case WorkspaceRead::NotWorkspace:
        return tr("%1 はワークスペースではありません。何も変えていません。").arg(path);
    case WorkspaceRead::NewerVersion:
        return tr("%1 は新しい版のプログラムで書かれたワークスペースです。何も変えていません。")
            .arg(path);
    case WorkspaceRead::Damaged:
        return tr("ワークスペース %1 の %2 行目が読めません。何も変えていません。")
            .arg(path)
            .arg(read.line);
    case WorkspaceRead::Unreadable:
    case WorkspaceRead::Read:
        break;
    }
    return tr("ワークスペース %1 が読めません。何も変えていません。").arg(path);
}

QString notSaved(const QString &path, const QString &reason)
{
    if (reason.isEmpty())
        return tr("ワークスペース %1 を保存できませんでした。").arg(path);
    return tr("ワークスペース %1 を保存できませんでした（%2）。").arg(path, reason);
}

QString notes(const QVector<WorkspaceNote> &notes)
{
    QStringList lines;
    for (const WorkspaceNote &note : notes) {
        const QString curve =
            note.slot < 0 ? tr("測定データ") : tr("参照データ%1").arg(note.slot + 1);
        switch (note.kind) {
        case WorkspaceNote::Moved:
            lines << tr("%1：%2 が見つからないため、ワークスペースに入っている写しを使いました。")
                         .arg(curve, note.path);
            break;
        case WorkspaceNote::Changed:
            lines << tr("%1：%2 はワークスペースを保存した後に変わっているため、ワークスペースに"
                        "入っている写しを使いました。")
                         .arg(curve, note.path);
            break;
        case WorkspaceNote::FromFile:
            lines << tr("%1：ワークスペースの中の写しが壊れているため、%2 から読み込みました。")
                         .arg(curve, note.path);
            break;
        case WorkspaceNote::Lost:
            lines << tr("%1：ワークスペースの中の写しも %2 も読めないため、読み込みませんでした。")
                         .arg(curve, note.path);
            break;
        }
    }
    return lines.join(QLatin1Char('\n'));
}

QString recentMissing(const QString &path)
{
    return tr("%1 が見つかりません。最近使ったファイルの一覧から外しました。").arg(path);
}

QString droppedFolder(const QString &path)
{
    return tr("%1 "
              "はフォルダーです。データファイルか表を一つドロップしてください。何も変えていません"
              "。")
        .arg(path);
}

QString droppedUnknown(const QString &path)
{
    return tr("%1 は開けるファイルではありません（データファイル .DTA、ZMA・FRD・テキストの表、"
              "ワークスペース .velo2ws）。何も変えていません。")
        .arg(path);
}

QString droppedMany()
{
    return tr("ファイルは一つずつドロップしてください（Ctrl を押しながらなら参照データとして"
              "５個まで）。何も変えていません。");
}

} // namespace WorkspaceTexts
