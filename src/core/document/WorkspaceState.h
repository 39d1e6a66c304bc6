#pragma once

#include "core/document/DocumentState.h"
#include "core/model/Settings.h"

#include <QMap>
#include <QString>
#include <array>

// The graph options a workspace keeps: the view and its options, and the graph menu's marks.
struct WorkspaceView {
    QString view = QStringLiteral("zphase"); // a view's command-line name
    bool legend = false;
    bool logZ = false;
    bool diffPercent = false;
    int referenceSlot = 0; // the reference compared against, 0 to 4
    bool rOnly = false;
    bool wide = false;
    bool averaging = true;
    bool operator==(const WorkspaceView &) const = default;
};

// The curves' colours (0x00BBGGRR), the measurement's and each reference slot's.
struct WorkspaceColours {
    ColorRef r = 0;
    ColorRef theta = 0;
    std::array<ColorRef, kReferenceSlots> refR{};
    std::array<ColorRef, kReferenceSlots> refTheta{};
    bool operator==(const WorkspaceColours &) const = default;
};

// Everything a workspace file holds and the undo history steps through: the document, the
// view, the colours and the worksheet's inputs (each field's text by its object name).
struct WorkspaceState {
    DocumentState document;
    WorkspaceView view;
    WorkspaceColours colours;
    QMap<QString, QString> worksheet;
};
bool operator==(const WorkspaceState &a, const WorkspaceState &b);

WorkspaceColours coloursOf(const Settings &settings);
void applyColours(const WorkspaceColours &colours, Settings &settings);
