// SPDX-License-Identifier: GPL-3.0-or-later

#include <QCoreApplication>
#include <QTextStream>

#include "engine/FileSystem.h"
#include "tools/ToolRunner.h"
#if MOCKEXAM_JET_READER
#include "tools/JetDumpCommand.h"
#endif

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    // Bytes of a name that are not UTF-8 are kept, so that the commands open the very file the user named.
    const QStringList args = FileSystem::arguments(argc, argv);
#if MOCKEXAM_JET_READER
    // The hidden reading child of the engine: its standard output carries binary rows, never text.
    if (argc > 1 && qstrcmp(argv[1], jetDumpCommandName()) == 0)
        return runJetDumpCommand(args.mid(2));
#endif
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = runTool(args.mid(1), out, err);
    out.flush();
    err.flush();
    return status;
}
