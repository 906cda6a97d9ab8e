// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QtGlobal>

// The few file-system questions the bank asks that Qt's own classes do not answer the same way everywhere: a
// file's identity (is it still the same version of the same file), a rename that replaces its target in one step,
// a second name for a file. Paths are Qt paths; each system's layer hands them to the system in its own form (UTF-16
// on Windows, so that a folder named in any script works, not only in the ANSI code page).
namespace FileSystem {

struct Status {
    bool exists = false;
    // Why it could not be looked at, as an errno value (ENOENT, EACCES, ENAMETOOLONG ...), when exists is false.
    int error = 0;
    bool directory = false;
    bool regular = false; // an ordinary file: not a folder, FIFO, device or socket
    // The file's identity: device and file number, length and time of last change. Equal values mean the same
    // version of the same file.
    quint64 device = 0;
    quint64 fileNumber = 0;
    qint64 size = 0;
    qint64 modifiedSeconds = 0;
    qint64 modifiedNanoseconds = 0;
};

// What the path names, following symbolic links; exists is false when it names nothing.
Status status(const QString &path);

// Whether the path names anything at all, a dangling symbolic link included.
bool existsNoFollow(const QString &path);

// Renames FROM to TO, replacing TO if it exists; a reader of TO sees either the old file or the new one.
bool renameReplacing(const QString &from, const QString &to);

// Gives the file at FROM the second name TO (a hard link); false where the file system has none.
bool hardLink(const QString &from, const QString &to);

// Whether a process with this id is running.
bool processIsRunning(qint64 pid);

// The running program's file, for code that runs before or without a QCoreApplication.
QString executablePath();

// The system's description of the last failed call above (in the system's language).
QString lastError();

} // namespace FileSystem
