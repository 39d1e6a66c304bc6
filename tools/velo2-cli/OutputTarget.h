#pragma once

#include <QByteArray>
#include <QString>

// Where a command writes its file: standard output for no -o or "-"; into a folder under the
// name the program proposes for the input ("spk.DTA" -> "spk.txt"); else the path as given.
class OutputTarget
{
public:
    OutputTarget(const QString &option, const QString &inputPath, const QString &extension);

    bool isStdout() const { return m_path.isEmpty(); }
    QString path() const { return m_path; }
    // The name used in messages: the path, or "standard output".
    QString name() const;

    // Writes the whole content: to standard output, or to the file so that it is either
    // complete or not there (an older file stays as it was). False after any failure.
    bool write(const QByteArray &bytes) const;

    // The one-line reason why the file at path could not be written.
    static QString writeProblem(const QString &path);

private:
    QString m_path;
};
