#pragma once

#include <QString>
#include <QStringList>

// The files last opened (data files, tables and workspaces), newest first, kept in a file of
// their own in the settings directory: "VELO2_recent.txt", one absolute path a line in UTF-8.
class RecentFiles
{
public:
    static constexpr int kMaxFiles = 10;

    explicit RecentFiles(const QString &path = filePath());
    // "VELO2_recent.txt" in the settings directory.
    static QString filePath();

    // As the file holds them; a missing or unreadable file holds none.
    QStringList paths() const;
    // Puts path first (once), keeping the newest kMaxFiles; false when the file could not be
    // written.
    bool add(const QString &path);
    bool remove(const QString &path);

private:
    bool write(const QStringList &paths) const;
    QString m_path;
};
