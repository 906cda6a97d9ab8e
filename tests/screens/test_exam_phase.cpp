// SPDX-License-Identifier: GPL-3.0-or-later

#include <QPushButton>
#include <QtTest>

#include "screens/ExamPhase.h"
#include "screens/ReviewMode.h"
#include "screens/ScreenGlobals.h"
#include "screens/TFrm_Ks_Choose.h"
#include "screens/TFrm_Ks_Fill.h"
#include "screens/TFrm_Ping.h"
#include "tests/screens/HandMadeExam.h"
#include "tests/support/SheetDriver.h"
#include "ui/TdxButton.h"

using namespace HandMadeExam;

namespace {

// The three answers at once, as "drawn review sheet" with a dash for each no.
QString phase() {
    return QStringLiteral("%1 %2 %3")
        .arg(ExamPhase::paperDrawn() ? QStringLiteral("drawn") : QStringLiteral("-"),
             ExamPhase::inReview() ? QStringLiteral("review") : QStringLiteral("-"),
             ExamPhase::sheetShowing() ? QStringLiteral("sheet") : QStringLiteral("-"));
}

} // namespace

// The exam's phases as the screens show them, along the whole road of one paper and with screens missing.
class TestExamPhase : public QObject {
    Q_OBJECT
private slots:
    void init() {
        writePaper();
        createScreens();
    }
    void cleanup() { destroyScreens(); }

    // No paper, running, review with the sheet up, left with a screen still open in review look, and the next
    // start's switch back to exam mode; only the running exam counts as running.
    void phasesAlongOnePaper() {
        Frm_Ks_Choose->Tag = 0;
        QCOMPARE(phase(), QStringLiteral("- - -"));
        QVERIFY(!ExamPhase::examRunning());

        Frm_Ks_Choose->Tag = 1; // the paper is drawn: createScreens wrote one
        SetReviewMode(false);
        Frm_Ks_Choose->show();
        QVERIFY(QTest::qWaitForWindowExposed(Frm_Ks_Choose));
        QCOMPARE(phase(), QStringLiteral("drawn - -"));
        QVERIFY(ExamPhase::examRunning());

        SheetDriver driver;
        QString during;
        bool runningDuring = true;
        driver.whileSheetUp([&] {
            during = phase();
            runningDuring = ExamPhase::examRunning();
            // Back to the fill-in screen, which stays open after the sheet's quit.
            Frm_Ping->BitBtn56Click(Frm_Ping->findChild<QPushButton *>(QStringLiteral("BitBtn62")));
            Frm_Ping->Button2->click();
        });
        QTest::mouseClick(Frm_Ks_Choose->Btn_ping, Qt::LeftButton);
        QVERIFY(driver.ran());
        QCOMPARE(during, QStringLiteral("drawn review sheet"));
        QVERIFY(!runningDuring);

        QVERIFY(Frm_Ks_Fill->isVisible());
        QCOMPARE(phase(), QStringLiteral("- review -"));
        QVERIFY(!ExamPhase::examRunning());

        SetReviewMode(false);
        QCOMPARE(phase(), QStringLiteral("- - -"));
    }

    // Each answer needs only the screens it reads: without the choice screen there is no paper, and the review look
    // of either screen is review.
    void missingScreensAnswerNo() {
        TFrm_Ks_Choose *choice = Frm_Ks_Choose;
        Frm_Ks_Choose = nullptr;
        Frm_Ks_Fill->setReviewLook(true);
        const QString fillOnly = phase();
        Frm_Ks_Fill->setReviewLook(false);
        const QString fillOnlyExam = phase();
        TFrm_Ks_Fill *fill = Frm_Ks_Fill;
        Frm_Ks_Fill = nullptr;
        const QString none = phase();
        Frm_Ks_Choose = choice;
        Frm_Ks_Fill = fill;
        QCOMPARE(fillOnly, QStringLiteral("- review -"));
        QCOMPARE(fillOnlyExam, QStringLiteral("- - -"));
        QCOMPARE(none, QStringLiteral("- - -"));

        // The fill-in screen's own review look counts beside a choice screen in exam mode, as its hints need.
        Frm_Ks_Fill->setReviewLook(true);
        QCOMPARE(phase(), QStringLiteral("drawn review -"));
        Frm_Ks_Fill->setReviewLook(false);
    }
};

QTEST_MAIN(TestExamPhase)
#include "test_exam_phase.moc"
