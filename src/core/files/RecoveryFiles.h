#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// A measurement that was not saved when the program had to end without the user (a logout,
// a closed terminal) is kept as a data file in the settings folder, and a note beside it
// tells the next start where.
class RecoveryFiles
{
public:
    explicit RecoveryFiles(const QString &settingsDir) : m_dir(settingsDir) {}

    // A new data file named after the moment: "VELO2_recovery_20240501_090507.DTA".
    QString newPath(const QDateTime &now) const;
    // Remembers path for the next start; false when the note cannot be written.
    bool note(const QString &path) const;
    // The files noted so far, oldest first; the note is removed.
    QStringList takeNoted() const;

private:
    QString notePath() const;
    QString m_dir;
};
