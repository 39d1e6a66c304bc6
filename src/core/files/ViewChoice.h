#pragma once

#include <QString>

// The graph view the window shows and its options, kept in a small file of its own in the
// settings directory (the settings file keeps its fixed layout): one "key=value" line each,
// "view=nyquist", "legend=1", "logz=0", "diffpct=0", "refslot=1" (the reference compared
// against, 1 to 5).
struct StoredViewChoice {
    QString view = QStringLiteral("zphase"); // a view's command-line name
    bool legend = false;
    bool logZ = false;
    bool diffPercent = false;
    int referenceSlot = 0; // 0 to 4
};

// "VELO2_view.txt" in the settings directory.
QString viewChoiceFilePath();
// A missing or unreadable file, or an unknown line, keeps the defaults for what it lacks.
StoredViewChoice readViewChoice(const QString &path);
bool writeViewChoice(const QString &path, const StoredViewChoice &choice);
