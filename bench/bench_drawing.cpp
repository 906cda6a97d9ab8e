// SPDX-License-Identifier: GPL-3.0-or-later

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include "drawing/PaperDrawing.h"
#include "engine/ConnectionString.h"
#include "engine/TDm.h"
#include "tools/BankCsv.h"
#include "tools/BankIo.h"
#include "tools/SyntheticBank.h"

// A whole drawing as the trainer makes it: 65 statements, each on a freshly opened connection, 65 clock-reseeded
// picks and the knowledge lookups. The banks are built once in a temporary folder; the first drawing of each pays
// the one-off key derivation outside the measured loop.

namespace {

QTemporaryDir &scratch() {
    static QTemporaryDir dir;
    return dir;
}

QString buildBank(const QString &name, const BankTables &tables) {
    const QString dir = scratch().filePath(name);
    writeBank(tables, dir);
    return dir;
}

void drawFrom(benchmark::State &state, const QString &dir) {
    TDm dataModule;
    dataModule.ADOConnection1->setConnectionString(buildConnectionString(
        QDir(dir).filePath(QStringLiteral("Bs.mdb")), QDir(dir).filePath(QStringLiteral("Mq4100.mdw"))));
    drawPaper(*dataModule.ADOQuery1, nullptr);
    for (auto _ : state)
        benchmark::DoNotOptimize(drawPaper(*dataModule.ADOQuery1, nullptr));
}

void BM_DrawSampleBank(benchmark::State &state) {
    static const QString dir =
        buildBank(QStringLiteral("sample"), readCsvSources(QStringLiteral(MOCKEXAM_SOURCE_DIR "/data/sample")));
    drawFrom(state, dir);
}

void BM_DrawLargeBank(benchmark::State &state) {
    static const QString dir = buildBank(QStringLiteral("large"), generateBank(10000, 1000));
    drawFrom(state, dir);
}

} // namespace

BENCHMARK(BM_DrawSampleBank)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_DrawLargeBank)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
