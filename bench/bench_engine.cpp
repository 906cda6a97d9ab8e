// SPDX-License-Identifier: GPL-3.0-or-later

#include <memory>
#include <random>

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "engine/ConnectionString.h"
#include "engine/TADOConnection.h"
#include "engine/TADOQuery.h"
#include "tools/BankCsv.h"
#include "tools/BankIo.h"
#include "tools/SyntheticBank.h"

// Two banks: the sample bank built from its CSV sources, and a synthetic one whose modules hold 10,000 choice
// questions each, to show that picking a row costs the same however far down the module it lies.
namespace {

struct Banks {
    QTemporaryDir dir;
    QString sample;
    QString large;
};

Banks *g_banks = nullptr;

QString connectionStringFor(const QString &dat) {
    const QDir d(dat);
    return buildConnectionString(d.filePath(QStringLiteral("Bs.mdb")), d.filePath(QStringLiteral("Mq4100.mdw")));
}

// What the drawing does per module: one statement on a fresh connection, eleven positional picks, then close.
void BM_ModuleStatementAndElevenPicks(benchmark::State &state) {
    TADOConnection connection;
    connection.setConnectionString(connectionStringFor(state.range(0) == 0 ? g_banks->sample : g_banks->large));
    TADOQuery query(&connection);
    std::mt19937 random(42);
    int module = 0;
    for (auto _ : state) {
        module = module % 5 + 1;
        runStatement(query, QStringLiteral("select * from choose where mkid=") + QString::number(module));
        const int rows = query.RecordCount();
        for (int pick = 0; pick < 11; ++pick) {
            query.First();
            query.MoveBy(int(random() % unsigned(rows)));
            benchmark::DoNotOptimize(query.FieldAsString(QStringLiteral("tid")));
            benchmark::DoNotOptimize(query.FieldAsString(QStringLiteral("Timu")));
        }
        query.Close();
    }
    state.SetLabel(state.range(0) == 0 ? "sample bank" : "10000 rows per module");
}
BENCHMARK(BM_ModuleStatementAndElevenPicks)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->Repetitions(7);

// One knowledge lookup with two codes, on a fresh connection.
void BM_KnowledgeStatement(benchmark::State &state) {
    TADOConnection connection;
    connection.setConnectionString(connectionStringFor(g_banks->sample));
    TADOQuery query(&connection);
    for (auto _ : state) {
        runStatement(query, QStringLiteral(
                                "SELECT Keyword,knowladge FROM tzhishidian  WHERE  recno ='01001' or recno ='01002'"));
        benchmark::DoNotOptimize(query.FieldAsString(QStringLiteral("knowladge")));
        query.Close();
    }
}
BENCHMARK(BM_KnowledgeStatement)->Unit(benchmark::kMicrosecond)->Repetitions(7);

// Moving to row r of an open 10,000-row result and reading it; two neighbouring rows alternate so that every
// read fetches.
void BM_MoveToRow(benchmark::State &state) {
    TADOConnection connection;
    connection.setConnectionString(connectionStringFor(g_banks->large));
    TADOQuery query(&connection);
    runStatement(query, QStringLiteral("select * from choose where mkid=3"));
    const int row = int(state.range(0));
    bool other = false;
    for (auto _ : state) {
        query.First();
        query.MoveBy(other ? row - 1 : row);
        other = !other;
        benchmark::DoNotOptimize(query.FieldAsString(QStringLiteral("Timu")));
    }
}
BENCHMARK(BM_MoveToRow)->Arg(1)->Arg(5000)->Arg(9999)->Unit(benchmark::kMicrosecond)->Repetitions(7);

} // namespace

int main(int argc, char **argv) {
    benchmark::Initialize(&argc, argv);
    Banks banks;
    g_banks = &banks;
    const QDir root(banks.dir.path());
    banks.sample = root.filePath(QStringLiteral("sample"));
    banks.large = root.filePath(QStringLiteral("large"));
    writeBank(readCsvSources(QStringLiteral(MOCKEXAM_SAMPLE_DIR)), banks.sample);
    writeBank(generateBank(10000, 2), banks.large);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
