// SPDX-License-Identifier: GPL-3.0-or-later

#include <QCoreApplication>
#include <QTextStream>

#include "tools/JetDumpCommand.h"
#include "tools/ToolRunner.h"

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    // The hidden reading child of the engine: its standard output carries binary rows, never text.
    if (argc > 1 && qstrcmp(argv[1], jetDumpCommandName()) == 0)
        return runJetDumpCommand(app.arguments().mid(2));
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = runTool(app.arguments().mid(1), out, err);
    out.flush();
    err.flush();
    return status;
}
