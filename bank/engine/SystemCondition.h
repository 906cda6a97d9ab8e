// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The conditions that the system and the database engine report in English (or in the locale's words), worded in
// Chinese for messages that quote them: a folder where a file was expected, a full disk, a read-only file system,
// a file locked by another program, a file that is no database, one that cannot be opened. A condition with no
// Chinese wording here is quoted as the engine gave it.
namespace SystemCondition {

// The system's error number ERRNOVALUE, as from errno.
QString text(int errnoValue);

// A result of the engine: its primary result code, the system's error number behind it (sqlite3_system_errno, 0
// when none) and its English text.
QString engineText(int resultCode, int systemErrno, const QString &engineMessage);

// Why the file at PATH cannot be reached when stat() or open() failed with ERRNOVALUE, as a whole message naming
// what is at fault: a path too long, or the folder (PATH's or one above it) that this user may not enter. Empty
// when the file is simply not there, which the caller words itself.
QString unreachable(const QString &path, int errnoValue);

// A file at PATH that Qt failed to open, read or write: ERRNOVALUE as errno stood right after the failure and
// QTTEXT the file's errorString(). A folder is said as such (Qt reports it in English with no error number).
QString fileText(const QString &path, int errnoValue, const QString &qtText);

} // namespace SystemCondition
