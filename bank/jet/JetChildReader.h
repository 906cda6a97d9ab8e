// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <memory>

#include <QList>
#include <QString>
#include <QStringList>

#include "jet/JetDump.h"

// Reads tables of an Access/Jet file in a child process: the bank tool beside the running program
// (`mockexam-bank jet-dump FILE [TABLE...]`), which reads the file with libmdb and hands the rows back on its
// standard output.
//
// libmdb is C code that trusts its input, and a legacy file may be damaged: whatever the child does (crash, hang,
// run out of memory, print garbage) ends here as a BankError with a clear message naming the file, and the trainer
// goes on. The child gets a time limit, a cap on what it may send, no core dumps and, outside sanitizer builds, a
// cap on its memory.
namespace JetChildReader {

// The named tables (matched without regard to case; a name the file lacks is left out), or every user table when
// none is named. ROLE is how messages name the file: "题库文件" or "工作组文件". Throws BankError.
QList<JetTable> read(const QString &path, const QStringList &tables, const QString &role);

// The bank tool to run; empty means `mockexam-bank` beside the running executable.
void setToolPath(const QString &path);
QString toolPath();

// How long one read may take, in milliseconds (30 s unless set).
void setTimeout(int milliseconds);

// The wait for the child on the application's thread runs a local event loop, so that the program's windows paint
// and animate meanwhile; but the caller is in the middle of a piece of work (a paper half drawn), and whatever else
// that loop would deliver (a click on another button, a countdown's tick) would run inside it. A re-entry guard is
// what the program holds for the loop's run to keep those out; which events it lets pass is the program's to say
// (the trainer's lets only its quit through). Without a factory installed, and on every other thread, the wait
// blocks instead. When the program is told to quit during the wait, the child is ended and the read fails.
class ReentryGuard {
public:
    virtual ~ReentryGuard();
};
using ReentryGuardFactory = std::function<std::unique_ptr<ReentryGuard>()>;
void setReentryGuardFactory(ReentryGuardFactory factory);

// How many child processes have been started in this process.
int runCount();

} // namespace JetChildReader
