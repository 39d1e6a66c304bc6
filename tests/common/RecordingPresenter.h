#pragma once

#include "ui/common/Seams.h"

#include <QList>
#include <QString>

// Records every message box and answers questions from a script (default: Yes).
class RecordingPresenter : public MessagePresenter
{
public:
    struct Box {
        Icon icon;
        QString caption;
        QString text;
    };
    QList<Box> boxes;
    QList<bool> answers;

    bool show(Icon icon, const QString &caption, const QString &text) override
    {
        boxes.append({icon, caption, text});
        if (icon != Icon::Question)
            return false;
        return answers.isEmpty() ? true : answers.takeFirst();
    }
    QString lastText() const { return boxes.isEmpty() ? QString() : boxes.last().text; }
};

// Installs a recorder for the lifetime of a test and puts the real dialogs back after.
class ScopedRecorder
{
public:
    ScopedRecorder() { Seams::install(&presenter); }
    ~ScopedRecorder() { Seams::install(nullptr); }
    RecordingPresenter presenter;
};
