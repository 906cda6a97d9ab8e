// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// A program run with its name and arguments as bytes, as a shell hands them over: QProcess passes them through a
// QString, which loses the bytes of a name that is not UTF-8.
struct ByteRun {
    int status = -1; // the exit status; -1 when the program could not start or did not exit by itself
    QString out;
    QString err;

    // The whole run, for a failing test's message.
    QString report() const;
};

// Runs PROGRAM with ARGS, standard input from /dev/null, its output kept in files in SCRATCH (an existing folder);
// EXTRAENVIRONMENT ("NAME=value" entries) is added to this process's environment.
ByteRun runBytes(const QByteArray &program, const QList<QByteArray> &args, const QByteArray &scratch,
                 const QList<QByteArray> &extraEnvironment = {});
