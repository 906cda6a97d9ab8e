// SPDX-License-Identifier: GPL-3.0-or-later

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "drawing/PaperDrawing.h"
#include "engine/ConnectionString.h"
#include "engine/TADOConnection.h"
#include "engine/TADOQuery.h"
#include "engine/TDm.h"
#include "formats/BankFormats.h"
#include "jet/JetChildReader.h"
#include "jet/JetDump.h"
#include "jet/JetFileVersion.h"
#include "jet/JetSnapshot.h"
#include "tools/BankIo.h"
#include "tools/JetMdbReader.h"
#include "tools/SyntheticBank.h"

// What a legacy Access/Jet bank costs. No genuine Jet file with the trainer's tables, let alone one of a few
// thousand questions, is at hand, so the first load is measured on the genuine test files and in its parts: the
// child process, libmdb's reading per row (on the files' system tables, the most rows they hold), and the stream
// and snapshot at the size of a large bank, built from a generated one. A drawing after the first load is measured
// on a snapshot of a generated bank, against the same bank in our own format.

namespace {

const QStringList kFixtures = {QStringLiteral("V2003_no-password.mdb"), QStringLiteral("V2003_with-password.mdb"),
                               QStringLiteral("db-enc.mdb"), QStringLiteral("testUnicodeCompV2003.mdb")};
const QStringList kFixtureTables = {QStringLiteral("Table1"), QStringLiteral("Table1"), QStringLiteral("Table1"),
                                    QStringLiteral("[Table]")};
const QByteArray kFixturePasswords[] = {"", "password", "", ""};
// Every table of the test files with rows in it: 200 to 250 rows a file.
const QStringList kSystemTables = {QStringLiteral("MSysObjects"),
                                   QStringLiteral("MSysACEs"),
                                   QStringLiteral("MSysRelationships"),
                                   QStringLiteral("MSysAccessStorage"),
                                   QStringLiteral("MSysNameMap"),
                                   QStringLiteral("MSysNavPaneGroups"),
                                   QStringLiteral("MSysNavPaneGroupCategories"),
                                   QStringLiteral("MSysNavPaneGroupToObjects"),
                                   QStringLiteral("MSysNavPaneObjectIDs"),
                                   QStringLiteral("MSysAccessObjects"),
                                   QStringLiteral("Table1"),
                                   QStringLiteral("Table")};

QTemporaryDir &scratch() {
    static QTemporaryDir dir;
    return dir;
}

QString fixture(const QString &name) {
    return QStringLiteral(MOCKEXAM_SOURCE_DIR "/tests/data/jet4/") + name;
}

// The workgroup stand-in of the tests: a genuine file whose MSysAccessStorage is renamed MSysAccounts and lists
// "xyz".
void writeWorkgroup(const QString &path) {
    QFile source(fixture(QStringLiteral("V2003_no-password.mdb")));
    source.open(QIODevice::ReadOnly);
    QByteArray bytes = source.readAll();
    const auto patch = [&](qint64 offset, const QString &from, const QString &to) {
        QByteArray old(reinterpret_cast<const char *>(from.utf16()), from.size() * 2);
        QByteArray replacement(reinterpret_cast<const char *>(to.utf16()), to.size() * 2);
        replacement.resize(old.size(), '\0');
        if (bytes.mid(offset, old.size()) != old)
            qFatal("the workgroup fixture is not as expected");
        bytes.replace(offset, old.size(), replacement);
    };
    patch(0x11a8b, QStringLiteral("MSysAccessStorage"), QStringLiteral("MSysAccounts"));
    patch(0x14f1f, QStringLiteral("VBA"), QStringLiteral("xyz"));
    QFile target(path);
    target.open(QIODevice::WriteOnly);
    target.write(bytes);
}

// A legacy folder: a copy of FIXTURE as Bs.mdb beside the workgroup stand-in.
QString legacyDir(const QString &name, const QString &fixtureName) {
    const QString dir = scratch().filePath(name);
    QDir().mkpath(dir);
    QFile::copy(fixture(fixtureName), QDir(dir).filePath(QStringLiteral("Bs.mdb")));
    writeWorkgroup(QDir(dir).filePath(QStringLiteral("Mq4100.mdw")));
    return dir;
}

QString connectionStringFor(const QString &dir, const QByteArray &databasePassword) {
    const QDir d(dir);
    return buildConnectionString(d.filePath(QStringLiteral("Bs.mdb")), d.filePath(QStringLiteral("Mq4100.mdw")), "xyz",
                                 "mvkpla.27.zqe", databasePassword);
}

bool isInteger(const QString &column) {
    for (const char *name : {"mkid", "tid", "Score"})
        if (column.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QList<JetTable> jetTablesOf(const BankTables &tables) {
    QList<JetTable> result;
    for (const BankTable *source : {&tables.choose, &tables.fill, &tables.knowledge}) {
        JetTable table;
        table.name = source->name;
        for (const QString &column : source->columns)
            table.columns.append({column, isInteger(column) ? JetColumn::Integer : JetColumn::Text});
        for (const QList<QByteArray> &row : source->rows) {
            QCborArray values;
            for (int c = 0; c < table.columns.size(); ++c) {
                if (table.columns[c].type == JetColumn::Integer)
                    values.append(row[c].toLongLong());
                else
                    values.append(QString::fromUtf8(row[c]));
            }
            table.rows.append(values);
        }
        result.append(table);
    }
    return result;
}

qint64 rowCount(const QList<JetTable> &tables) {
    qint64 rows = 0;
    for (const JetTable &table : tables)
        rows += table.rows.size();
    return rows;
}

// First load of a genuine file: header and password, the bank read by the child, the snapshot built, one statement.
// The workgroup logon is remembered after the first iteration, as it is in the trainer after the first drawing.
void BM_JetFirstLoad(benchmark::State &state) {
    const int f = int(state.range(0));
    const QString dir = legacyDir(QStringLiteral("first-load-%1").arg(f), kFixtures[f]);
    TADOConnection connection;
    connection.setConnectionString(connectionStringFor(dir, kFixturePasswords[f]));
    TADOQuery query(&connection);
    for (auto _ : state) {
        JetSnapshot::clear();
        query.SQL().Clear();
        query.SQL().Add(QStringLiteral("select * from ") + kFixtureTables[f]);
        query.Open();
        benchmark::DoNotOptimize(query.RecordCount());
        query.Close();
    }
    state.SetLabel(kFixtures[f].toStdString());
}
BENCHMARK(BM_JetFirstLoad)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The child alone, on every table with rows: process start, libmdb, stream, decoding.
void BM_JetChildReadsEveryTable(benchmark::State &state) {
    const QString file = fixture(kFixtures[int(state.range(0))]);
    qint64 rows = 0;
    for (auto _ : state)
        rows = rowCount(JetChildReader::read(file, kSystemTables, QStringLiteral("题库文件")));
    state.counters["rows"] = double(rows);
    state.SetLabel(kFixtures[int(state.range(0))].toStdString());
}
BENCHMARK(BM_JetChildReadsEveryTable)
    ->DenseRange(0, 3)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// libmdb's reading in this process, without the child: the per-row cost that grows with a bank.
void BM_MdbReadsEveryTable(benchmark::State &state) {
    const QString file = fixture(kFixtures[int(state.range(0))]);
    qint64 rows = 0;
    for (auto _ : state)
        rows = rowCount(JetMdbReader::readFile(file, kSystemTables));
    state.counters["rows"] = double(rows);
    state.counters["us_per_row"] = benchmark::Counter(
        double(rows) * 1e-6, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.SetLabel(kFixtures[int(state.range(0))].toStdString());
}
BENCHMARK(BM_MdbReadsEveryTable)
    ->DenseRange(0, 3)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The parent's share at scale: decoding the stream of a generated bank and building its snapshot. The argument is
// the number of choice questions per module (a fifth as many fill-in questions).
void BM_StreamAndSnapshot(benchmark::State &state) {
    const int perModule = int(state.range(0));
    const QByteArray stream = encodeJetTables(jetTablesOf(generateBank(perModule, qMax(2, perModule / 5))));
    const QByteArray version = "17:/bench/generated|" + QByteArray::number(perModule);
    for (auto _ : state) {
        const JetDump dump = decodeJetDump(stream);
        benchmark::DoNotOptimize(JetSnapshot::build(version, dump.tables, QStringLiteral("generated")));
    }
    state.counters["questions"] = double(perModule * 5 + qMax(2, perModule / 5) * 5);
    state.counters["stream_kB"] = double(stream.size()) / 1024;
}
BENCHMARK(BM_StreamAndSnapshot)
    ->Arg(11)
    ->Arg(200)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// A whole drawing once the bank is loaded: Jet snapshot against our own format, on the same generated bank. The
// argument is the number of choice questions per module.
void drawFrom(benchmark::State &state, const QString &connectionString) {
    TDm dataModule;
    dataModule.ADOConnection1->setConnectionString(connectionString);
    drawPaper(*dataModule.ADOQuery1, nullptr);
    for (auto _ : state)
        benchmark::DoNotOptimize(drawPaper(*dataModule.ADOQuery1, nullptr));
}

void BM_DrawJetAfterFirstLoad(benchmark::State &state) {
    const int perModule = int(state.range(0));
    const QString dir = legacyDir(QStringLiteral("draw-jet-%1").arg(perModule), kFixtures[0]);
    const QString bank = QDir(dir).filePath(QStringLiteral("Bs.mdb"));
    JetSnapshot::build(JetFileVersion::of(bank), jetTablesOf(generateBank(perModule, 2)), bank);
    drawFrom(state, connectionStringFor(dir, "mvkpla.27.zqe"));
}
BENCHMARK(BM_DrawJetAfterFirstLoad)
    ->Arg(11)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_DrawOwnFormat(benchmark::State &state) {
    const int perModule = int(state.range(0));
    const QString dir = scratch().filePath(QStringLiteral("draw-own-%1").arg(perModule));
    writeBank(generateBank(perModule, 2), dir);
    drawFrom(state, buildConnectionString(QDir(dir).filePath(QStringLiteral("Bs.mdb")),
                                          QDir(dir).filePath(QStringLiteral("Mq4100.mdw"))));
}
BENCHMARK(BM_DrawOwnFormat)
    ->Arg(11)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    BankFormats::installAll();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
