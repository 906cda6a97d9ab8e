// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>
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

// Names the system gives. On Linux a file name is bytes, and Qt decodes it as UTF-8, turning bytes that are not
// (a folder named in GBK, unpacked from a zip made on Windows) into U+FFFD: such a path no longer opens the file.
// On Windows names are UTF-16 and arrive whole, and these calls change nothing.

// The program's arguments (ARGC and ARGV as the application object left them). Bytes that are not UTF-8 are kept
// as the lone surrogates U+DC80 to U+DCFF, so that pathFromArgument can give them back; any other argument is as
// QCoreApplication::arguments() has it.
QStringList arguments(int argc, char **argv);

// A path that Qt's classes, SQLCipher and the system calls above open as the file or folder ARGUMENT names. An
// argument whose bytes are all UTF-8 is returned as it is; otherwise its folder is opened by its bytes and the path
// goes through the open folder (/proc/self/fd/N/...), shown() turning it back into the name for the user. A folder
// that does not exist yet is made by makePath().
QString pathFromArgument(const QString &argument);

// The running program's folder, as a path that opens it (see pathFromArgument).
QString executableDir();

// QDir::mkpath, which also makes the folders still missing of a path from pathFromArgument.
bool makePath(const QString &path);

// PATH as a message names it: native separators, and a folder opened by pathFromArgument under its own name
// (bytes that are not UTF-8 as U+FFFD).
QString shown(const QString &path);

// TEXT with every path from pathFromArgument in it as shown() gives it.
QString shownText(const QString &text);

// PATH as a program started by this one opens it.
QString pathForChild(const QString &path);

} // namespace FileSystem
