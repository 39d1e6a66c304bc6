#pragma once

#include "core/document/WorkspaceState.h"

#include <QByteArray>
#include <QString>
#include <QVector>

// The workspace file (".velo2ws"): a document with its view, colours and worksheet inputs,
// in UTF-8 text with CR LF line ends.
//
//   VELO2 workspace 1                  the version; a newer one is refused
//   [view]                             view=zphase legend= logz= diffpct= refslot=1..5
//                                      ronly= wide= averaging=   (flags 0 or 1)
//   [colours]                          r= theta= ref1.r= ref1.theta= … ref5.theta=
//                                      (six hex digits, 0xBBGGRR as in the settings file)
//   [worksheet]                        <field's object name>=<its text>
//   [references]                       count=0..5
//   [measurement], [reference 1] … [reference count]   one section per curve held:
//     path=      the file it came from (empty for an unsaved run)
//     sha256=    the hex SHA-256 of that file's bytes when the workspace was written
//     phase=     1, or 0 for a table without a phase column
//     valid=     1 for a complete record     band=  1..9     date=  base64 of its date bytes
//     points=    base64 of the record's 600 slots of 20 bytes, the point texts exactly as
//                the document holds them
//     raw=, avg= base64 of the curve blocks: a 32-bit valid word, then r, theta and freq,
//                600 little-endian 32-bit floats each
//     (the measurement only) serial= (base64) comport= saved= imported= oldformat=
//
// Texts (paths, worksheet fields) are written as they are, with "%", CR and LF as %25, %0D
// and %0A. Unknown keys and sections are skipped, so a later version may add some.
// The curves are embedded, so a workspace opens whatever became of the files it names: the
// embedded copy is always what is loaded, and a file that moved or no longer matches is only
// said. An embedded copy that does not decode is loaded from its file instead, if it can be.

inline constexpr char kWorkspaceExtension[] = ".velo2ws";

// What became of one curve's file.
struct WorkspaceNote {
    enum Kind {
        Moved,    // no file at its path: the embedded copy is used
        Changed,  // the file differs from when the workspace was written: the copy is used
        FromFile, // the embedded copy is damaged: the curve was read from its file
        Lost      // neither the copy nor the file could be read: the curve is left out
    };
    int slot = -1; // -1 the measurement, else the reference slot it was written from (0-4)
    QString path;
    Kind kind = Moved;
};

struct WorkspaceRead {
    enum Status {
        Read,
        Unreadable,   // missing, not a regular file, too large or unreadable
        NotWorkspace, // the first line is not a workspace's
        NewerVersion, // written by a newer program
        Damaged       // a line that does not read (line says which)
    };
    Status status = Read;
    int line = 0;
    QVector<WorkspaceNote> notes;
    bool ok() const { return status == Read; }
};

// The file's bytes; each curve's file is read for its fingerprint.
QByteArray workspaceBytes(const WorkspaceState &state);
// Writes them through a safe write; false when the write failed (lastSafeWriteError says why).
bool writeWorkspace(const QString &path, const WorkspaceState &state);
// Reads a workspace into state; on failure state is untouched.
WorkspaceRead readWorkspace(const QString &path, WorkspaceState &state);
WorkspaceRead readWorkspaceBytes(const QByteArray &bytes, WorkspaceState &state);

bool isWorkspacePath(const QString &path);
