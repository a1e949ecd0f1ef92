// Files written whole or not at all: the bytes go to a temporary file of
// Kanoby's own beside the target, are synced to disk, and only then take the
// target's name. A crash, a kill or a full disk leaves the old file (or no
// file) and at most a temporary, never half a file under the real name.
#pragma once

#include <QByteArray>
#include <QString>

namespace kanoby {

// What happens when the target already exists.
enum class Placement {
    Replace,       // the new bytes take its place (the settings)
    KeepExisting,  // it stays, and that counts as done (a first copy another
                   // instance may have made meanwhile)
};

struct WriteFailure {
    int errorNumber = 0;  // as LastFileError() gives it
    QString systemText;
};

// Writes `bytes` to `path` as described above. A symbolic link at `path` is
// followed: its target is what gets written. On failure `failure` says why.
bool WriteWholeFile(const QString& path, const QByteArray& bytes, Placement placement,
                    WriteFailure* failure);

// The name of Kanoby's temporaries for the file `finalName`:
// ".<finalName>.kanoby-XXXXXX.tmp", which no person would choose.
bool IsOwnTemporary(const QString& name, const QString& finalName);

// Removes, in `dir`, the temporaries for `finalName` that a write cut short
// left behind: those older than a minute, so that another instance's write
// in progress is left alone. No other file is touched.
void RemoveStaleTemporaries(const QString& dir, const QString& finalName);

}  // namespace kanoby
