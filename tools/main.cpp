// SPDX-License-Identifier: GPL-3.0-or-later

#include <QCoreApplication>
#include <QTextStream>

#include "tools/ToolRunner.h"
#if MOCKEXAM_JET_READER
#include "tools/JetDumpCommand.h"
#endif

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
#if MOCKEXAM_JET_READER
    // The hidden reading child of the engine: its standard output carries binary rows, never text.
    if (argc > 1 && qstrcmp(argv[1], jetDumpCommandName()) == 0)
        return runJetDumpCommand(app.arguments().mid(2));
#endif
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = runTool(app.arguments().mid(1), out, err);
    out.flush();
    err.flush();
    return status;
}
