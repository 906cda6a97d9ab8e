// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QCborArray>
#include <QList>
#include <QString>

// The rows of an Access/Jet file as the bank tool's reading child hands them to the engine: one CBOR document on
// the child's standard output. The child encodes, the engine decodes; decoding takes any bytes and either gives
// well-formed tables or says the stream is not one, so a child that went wrong cannot hand the trainer garbage.
//
// The document is a map: "format" "mockexam-jet-dump", "version" 1, then either "tables" (an array of tables) or
// "error" (the child's Chinese message). A table is a map of "name", "columns" (maps of "name" and "type") and
// "rows" (arrays as long as the column list, each value null, a whole number, a double, a text or bytes).
struct JetColumn {
    // The stored kind of a column, which becomes its affinity in the snapshot.
    enum Type { Integer = 0, Real = 1, Text = 2, Blob = 3 };
    QString name;
    Type type = Text;
};

struct JetTable {
    QString name;
    QList<JetColumn> columns;
    QList<QCborArray> rows;
};

struct JetDump {
    enum Status { Tables, Failure, Garbage };
    Status status = Garbage;
    QList<JetTable> tables; // Tables
    QString message;        // Failure: the child's message; Garbage: what is wrong with the stream
};

// What makes TABLES unfit to be sent, or empty when they are fine: every table and column needs a name without
// control characters, unique without regard to case, and a table has 1 to 255 columns. The reading child checks
// its tables with it before sending, so that a damaged file is refused there with a reason.
QString jetTablesProblem(const QList<JetTable> &tables);

QByteArray encodeJetTables(const QList<JetTable> &tables);
QByteArray encodeJetFailure(const QString &message);

JetDump decodeJetDump(const QByteArray &bytes);
