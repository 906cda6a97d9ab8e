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

// What keeps a program's windows alive while it waits for the child on the application's thread. With a guard
// factory installed, that wait runs a local event loop, for as long as the object the factory makes is held: the
// object decides which events may pass (the trainer's lets only its quit through). Without one, and on every other
// thread, the wait blocks. When the program is told to quit during the wait, the child is ended and the read fails.
using WaitGuardFactory = std::function<std::shared_ptr<void>()>;
void setWaitGuardFactory(WaitGuardFactory factory);

// How many child processes have been started in this process.
int runCount();

} // namespace JetChildReader
