// SPDX-License-Identifier: GPL-3.0-or-later

// The first paper of a run against the later ones, through the real windows: from the click on "&S开始考试" to the
// choice screen painted on the display. Each run is a fresh process, since the first paper is a matter of the
// process (key derivations, the engine's first use, the choice screen's first showing).
//
// Usage, on an X display (xvfb-run -a bench_firstpaper [RUNS]): builds the sample bank in a temporary folder, runs
// itself RUNS times (default 15) and prints each run's figures and the medians. The splash stays its full three
// seconds, as in the trainer, so that the key derivation it covers is the trainer's own.
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QWindow>

#include <algorithm>
#include <cstdio>

#include "app/AppShell.h"
#include "app/Application.h"
#include "app/ExecutableDir.h"
#include "rules/ExamState.h"
#include "screens/ScreenGlobals.h"
#include "screens/TFrm_Ks_Choose.h"
#include "screens/TFrm_Ks_Fill.h"
#include "tools/BankCsv.h"
#include "tools/BankIo.h"

namespace {

// Notes the first paint of a window after it has been exposed on the display.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget *window) : m_window(window) { window->installEventFilter(this); }
    bool painted() const { return m_painted; }
    void reset() { m_painted = false; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (watched == m_window && event->type() == QEvent::Paint && m_window->windowHandle() &&
            m_window->windowHandle()->isExposed())
            m_painted = true;
        return false;
    }

private:
    QWidget *m_window;
    bool m_painted = false;
};

// Milliseconds from a click on the start button to the choice screen painted on the display.
double clickToDrawnScreen(PaintWatch &watch) {
    watch.reset();
    auto *start = Frm_Ks_Sta->findChild<QWidget *>(QStringLiteral("Button1"));
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(start, Qt::LeftButton, {}, start->rect().center());
    while (!watch.painted() && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    return double(clock.nsecsElapsed()) / 1e6;
}

// What the score sheet's quit leaves: no paper, both answering screens down.
void endExam() {
    Frm_Ks_Choose->Tag = 0;
    Frm_Ks_Fill->hide();
    Frm_Ks_Choose->hide();
    QTest::qWait(300);
}

int measureOnce(int argc, char **argv, const QString &dir) {
    Application app(argc, argv);
    setExecutableDirOverride(dir);
    createInstances();
    PaintWatch watch(Frm_Ks_Choose);
    showMainWindow(); // returns when the splash has closed
    if (!QTest::qWaitForWindowExposed(Frm_Ks_Sta))
        return 1;
    QTest::qWait(300); // the start screen settles, as a candidate would look at it before clicking
    const double first = clickToDrawnScreen(watch);
    endExam();
    const double second = clickToDrawnScreen(watch);
    endExam();
    const double third = clickToDrawnScreen(watch);
    std::printf("first %.1f later %.1f %.1f tag %d\n", first, second, third, Frm_Ks_Choose->Tag);
    destroyInstances();
    return 0;
}

double median(QList<double> values) {
    std::sort(values.begin(), values.end());
    const qsizetype middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

int measureMany(int runs) {
    QTemporaryDir dir;
    writeBank(readCsvSources(QStringLiteral(MOCKEXAM_SOURCE_DIR "/data/sample")), dir.filePath(QStringLiteral("Dat")));
    QList<double> firsts;
    QList<double> laters;
    const QRegularExpression figures(QStringLiteral(R"(^first ([0-9.]+) later ([0-9.]+) ([0-9.]+) tag 1)"));
    for (int i = 1; i <= runs; ++i) {
        QProcess run;
        run.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--one"), dir.path()});
        run.waitForFinished(60000);
        const QString line = QString::fromUtf8(run.readAllStandardOutput()).trimmed();
        const QRegularExpressionMatch match = figures.match(line);
        if (!match.hasMatch()) {
            std::printf("run %d failed: %s\n", i, qPrintable(line));
            return 1;
        }
        firsts.append(match.captured(1).toDouble());
        laters.append(match.captured(2).toDouble());
        laters.append(match.captured(3).toDouble());
        std::printf("run %2d: first paper %.1f ms, later papers %s ms and %s ms\n", i, firsts.last(),
                    qPrintable(match.captured(2)), qPrintable(match.captured(3)));
    }
    std::printf("median over %d runs: first paper %.1f ms, later papers %.1f ms\n", runs, median(firsts),
                median(laters));
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    if (argc >= 3 && qstrcmp(argv[1], "--one") == 0)
        return measureOnce(argc, argv, QString::fromLocal8Bit(argv[2]));
    QCoreApplication app(argc, argv);
    const int runs = argc >= 2 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : 15;
    return measureMany(runs);
}
