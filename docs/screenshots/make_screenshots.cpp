// SPDX-License-Identifier: GPL-3.0-or-later

// Takes the pictures of the trainer's screens shown in the README: runs the real windows on a display (a virtual
// X display in scripts/screenshots.sh) through one exam on the sample bank and saves start.png, choice.png,
// fill.png, grading.png and review.png into the folder given as the first argument.
//
// Usage: make_screenshots OUTPUT_DIR [PROGRAM_DIR]   (PROGRAM_DIR holds Dat/; default: beside this program)

#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <functional>

#include "app/AppShell.h"
#include "app/Application.h"
#include "app/ExecutableDir.h"
#include "app/TFrm_Ks_Sta.h"
#include "app/Tfrm_logo.h"
#include "rules/ExamState.h"
#include "rules/FillKey.h"
#include "rules/Grading.h"
#include "screens/ScreenGlobals.h"
#include "screens/TFrm_Ks_Choose.h"
#include "screens/TFrm_Ks_Fill.h"
#include "screens/TFrm_Ping.h"
#include "ui/ModalLayer.h"
#include "ui/TdxButton.h"

namespace {

QString g_outputDir;
bool g_failed = false;

void fail(const char *what) {
    std::fprintf(stderr, "make_screenshots: %s\n", what);
    g_failed = true;
}

// A picture that is one colour throughout: what grabbing the screen gives when the window is not really on it.
bool isBlank(const QImage &image) {
    if (image.isNull())
        return true;
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7)
            if (image.pixel(x, y) != first)
                return false;
    return true;
}

// Saves what the display shows of the window, frame included; falls back to the widget's own rendering when the
// display gives nothing.
void shoot(QWidget *window, const char *name) {
    if (!window || !QTest::qWaitForWindowExposed(window)) {
        fail("window not shown");
        return;
    }
    window->raise();
    window->activateWindow();
    // Let pending paints and the window system's mapping settle before reading the screen back.
    QTest::qWait(400);
    const QRect frame = window->frameGeometry();
    QPixmap picture = window->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    if (isBlank(picture.toImage()))
        picture = window->grab();
    const QString path = QDir(g_outputDir).filePath(QString::fromLatin1(name));
    if (!picture.save(path, "PNG"))
        fail("could not save a picture");
    else
        std::printf("%s\n", qPrintable(path));
}

QPushButton *button(QWidget *window, const QString &name) {
    return window->findChild<QPushButton *>(name);
}

// Answers choice questions 1..7: most right, some wrong, so the score sheet has both colours.
void answerChoices() {
    for (int n = 1; n <= 7; ++n) {
        QByteArray letter = ChoiceQuestions[n].Key;
        if (n == 3 || n == 6)
            letter = letter == "A" ? "B" : "A";
        Frm_Ks_Choose->Btn_Ans_AClick(button(Frm_Ks_Choose, QStringLiteral("Btn_Ans_") + QLatin1String(letter)));
    }
    Frm_Ks_Choose->BitBtn1Click(button(Frm_Ks_Choose, QStringLiteral("BitBtn9")));
}

// Types fill-in answers: right ones, a wrong one and, for a two-blank question, one blank only (half the points).
void answerFills() {
    bool halfGiven = false;
    bool wrongGiven = false;
    for (int i = 1; i <= Exam::kFillCount; ++i) {
        const FillKey key = FillKey::parse(FillQuestions[i].Key);
        if (key.blank1.isEmpty())
            continue;
        QByteArray answer = key.blank1.first();
        if (key.blanks == 2) {
            if (halfGiven && !key.blank2.isEmpty())
                answer += "##" + key.blank2.first();
            halfGiven = true;
        } else if (!wrongGiven && i > 1) {
            answer = "不知道";
            wrongGiven = true;
        }
        auto *box = Frm_Ks_Fill->findChild<QLineEdit *>(QStringLiteral("Edt_Fill_Da%1").arg(i));
        box->setFocus();
        box->setText(QString::fromUtf8(answer));
    }
    Frm_Ks_Fill->BitBtn1Click(button(Frm_Ks_Fill, QStringLiteral("BitBtn4")));
}

// Runs inside the score sheet's modal showing: the sheet, then a question reopened in review, then quit.
void onScoreSheet() {
    TFrm_Ping *sheet = Frm_Ping;
    // Tells on the console which verdicts the picture shows: a picture without an olive button misses a case.
    const GradedPaper graded = gradePaper();
    QByteArray verdicts;
    for (int i = 1; i <= Exam::kFillCount; ++i)
        verdicts += "RWP"[int(graded.FillVerdicts[i])];
    std::printf("fill-in verdicts (Right, Wrong, Partial): %s\n", verdicts.constData());
    shoot(sheet, "grading.png");
    sheet->BitBtn1Click(button(sheet, QStringLiteral("BitBtn1")));
    if (!QTest::qWaitFor([] { return Frm_Ks_Choose->isVisible(); }, 5000))
        fail("choice screen not reopened");
    Frm_Ks_Choose->Btn_ZhiShiDianClick();
    shoot(Frm_Ks_Choose, "review.png");
    sheet->Button2Click(sheet->Button2);
}

void run() {
    Tfrm_logo::setDisplayTime(300);
    createInstances();
    showMainWindow();
    if (!QTest::qWaitFor([] { return Frm_Ks_Sta->isVisible() && !isBlockedByModal(Frm_Ks_Sta); }, 10000))
        return fail("start screen not up");
    shoot(Frm_Ks_Sta, "start.png");

    static_cast<TFrm_Ks_Sta *>(Frm_Ks_Sta)->Button1Click();
    if (!QTest::qWaitFor([] { return Frm_Ks_Choose->isVisible() && Frm_Ks_Choose->Tag == 1; }, 10000))
        return fail("no paper drawn");
    answerChoices();
    shoot(Frm_Ks_Choose, "choice.png");

    Frm_Ks_Choose->Btn_FillClick();
    if (!QTest::qWaitFor([] { return Frm_Ks_Fill->isVisible(); }, 5000))
        return fail("fill-in screen not up");
    answerFills();
    shoot(Frm_Ks_Fill, "fill.png");

    // The hand-in returns only when the score sheet has closed, so its pictures are taken from within.
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&poll] {
        if (!Frm_Ping || !Frm_Ping->isVisible())
            return;
        poll.stop();
        onScoreSheet();
    });
    poll.start();
    Frm_Ks_Fill->btn_pingClick(Frm_Ks_Fill->btn_ping);
    if (poll.isActive())
        fail("no score sheet came up");
}

} // namespace

int main(int argc, char *argv[]) {
    Application app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_screenshots OUTPUT_DIR [PROGRAM_DIR]\n");
        return 2;
    }
    g_outputDir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(g_outputDir);
    if (argc > 2)
        setExecutableDirOverride(QString::fromLocal8Bit(argv[2]));
    run();
    destroyInstances();
    return g_failed ? 1 : 0;
}
