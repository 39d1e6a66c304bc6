#pragma once

#include <QByteArray>
#include <QString>
#include <map>

// Each unit's Re typed in a two-column text: "file,Re" a line (a first line that is not a
// number is a header; blank lines and '#' comments are skipped; a semicolon or tab also
// separates). Units are matched by their file name without the folder.
struct ReList {
    std::map<QString, double> byName;
    int badLine = 0; // first line that is neither a pair nor the header; 0 when all read
    bool ok() const { return badLine == 0; }
    // NaN when the list does not name the file.
    double reFor(const QString &path) const;
};

ReList parseReList(const QByteArray &bytes);
