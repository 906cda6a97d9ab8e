#include <QCoreApplication>
#include <QTextStream>

#include "ToolRunner.h"

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = runTool(app.arguments().mid(1), out, err);
    out.flush();
    err.flush();
    return status;
}
