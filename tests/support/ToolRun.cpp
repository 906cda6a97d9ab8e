// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/ToolRun.h"

#include <QFile>
#include <QTextStream>

#include "tools/ToolRunner.h"

ToolRun runToolCapturing(const QStringList &args) {
    ToolRun run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    run.status = runTool(args, out, err);
    out.flush();
    err.flush();
    return run;
}

QByteArray fileBytes(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
