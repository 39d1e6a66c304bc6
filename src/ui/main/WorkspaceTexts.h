#pragma once

#include "core/document/WorkspaceFile.h"

#include <QString>
#include <QVector>

// The texts of workspaces, recent files, undo and drops in the main window.
namespace WorkspaceTexts {
QString undo();
QString redo();
QString openWorkspace();
QString saveWorkspace();
QString recentMenu();
QString recentEmpty();
QString openTitle();
QString saveTitle();
QString filter();

// Status line.
QString saved(const QString &path);
QString opened(const QString &path);

// Boxes.
QString notRead(const QString &path, const WorkspaceRead &read);
QString notSaved(const QString &path, const QString &reason);
// What became of the files the workspace names, one line each.
QString notes(const QVector<WorkspaceNote> &notes);
QString recentMissing(const QString &path);
QString droppedFolder(const QString &path);
QString droppedUnknown(const QString &path);
QString droppedMany();
} // namespace WorkspaceTexts
