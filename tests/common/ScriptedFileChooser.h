#pragma once

#include "RecordingPresenter.h"
#include "ui/common/Seams.h"

#include <QList>
#include <QStringList>

// Answers the file dialogs from a script and records how each was opened. Each answer is
// the list of chosen paths (one for the single-file dialogs); an empty list, or an empty
// script, is a cancelled dialog.
class ScriptedFileChooser : public FileChooser
{
public:
    enum class Kind { Open, OpenMany, Save };
    struct Call {
        Kind kind;
        QString caption;
        QString filter;
        QString suggested;
        QString folder;
    };
    QList<Call> calls;
    QList<QStringList> answers;

    QString openFile(QWidget *, const QString &caption, const QString &folder,
                     const QString &filter) override
    {
        calls.append({Kind::Open, caption, filter, QString(), folder});
        return next().value(0);
    }
    QStringList openFiles(QWidget *, const QString &caption, const QString &folder,
                          const QString &filter) override
    {
        calls.append({Kind::OpenMany, caption, filter, QString(), folder});
        return next();
    }
    QString saveFile(QWidget *, const QString &caption, const QString &folder,
                     const QString &filter, const QString &suggested) override
    {
        calls.append({Kind::Save, caption, filter, suggested, folder});
        return next().value(0);
    }
    QString lastSuggested() const { return calls.isEmpty() ? QString() : calls.last().suggested; }

private:
    QStringList next() { return answers.isEmpty() ? QStringList() : answers.takeFirst(); }
};

// Installs a message recorder and the scripted file chooser for the lifetime of a test and
// puts the real dialogs back after.
class ScopedFileSeams
{
public:
    ScopedFileSeams() { Seams::install(&messages, &files); }
    ~ScopedFileSeams() { Seams::install(nullptr); }
    RecordingPresenter messages;
    ScriptedFileChooser files;
};
