// SPDX-License-Identifier: GPL-3.0-or-later

#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolTip>
#include <QWheelEvent>
#include <QtTest>

#include <cmath>

#include "rules/ExamState.h"
#include "screens/ReviewMode.h"
#include "screens/ScreenGlobals.h"
#include "screens/TFrm_Ks_Choose.h"
#include "screens/TFrm_Ks_Fill.h"
#include "screens/TFrm_Ping.h"
#include "tests/screens/HandMadeExam.h"
#include "tests/support/SheetDriver.h"
#include "ui/Fonts.h"
#include "ui/TdxButton.h"

using namespace HandMadeExam;

namespace {

constexpr double kReadableContrast = 4.5;

// Relative luminance and contrast ratio as the web's accessibility guidelines define them.
double luminance(const QColor &color) {
    const auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(color.red()) + 0.7152 * channel(color.green()) + 0.0722 * channel(color.blue());
}

double contrast(const QColor &a, const QColor &b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QPalette::ColorGroup groupOf(const QWidget *widget) {
    return widget->isEnabled() ? QPalette::Active : QPalette::Disabled;
}

// The colour a label's text is drawn on: that of the nearest widget below it that paints its own background.
QColor labelGround(const QWidget *label) {
    const QWidget *w = label;
    while (w->parentWidget() && !w->autoFillBackground() && !w->isWindow())
        w = w->parentWidget();
    return w->palette().color(groupOf(label), QPalette::Window);
}

struct Colours {
    QColor text;
    QColor ground;
};

// The text and background colours of a component as its palette gives them for the state it is in.
Colours paletteColours(const QWidget *widget) {
    const QPalette &palette = widget->palette();
    const QPalette::ColorGroup group = groupOf(widget);
    if (qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QPlainTextEdit *>(widget))
        return {palette.color(group, QPalette::Text), palette.color(group, QPalette::Base)};
    if (qobject_cast<const QPushButton *>(widget))
        return {palette.color(group, QPalette::ButtonText), palette.color(group, QPalette::Button)};
    return {palette.color(group, QPalette::WindowText), labelGround(widget)};
}

// The same from the pixels drawn: the commonest colour inside the component is its ground, the pixel standing out
// most from it belongs to the text. The frame is left out, so that its lines cannot pass for text.
Colours drawnColours(QWidget *widget) {
    QWidget *face = widget;
    if (auto *memo = qobject_cast<QPlainTextEdit *>(widget))
        face = memo->viewport();
    const QImage image = face->grab().toImage().copy(face->rect().adjusted(4, 4, -4, -4));
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb ground = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most) {
            most = it.value();
            ground = it.key();
        }
    QColor text(ground);
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (contrast(QColor(it.key()), QColor(ground)) > contrast(text, QColor(ground)))
            text = QColor(it.key());
    return {text, QColor(ground)};
}

QWidget *screenNamed(const QString &name) {
    if (name == QLatin1String("choice"))
        return Frm_Ks_Choose;
    if (name == QLatin1String("fill"))
        return Frm_Ks_Fill;
    return Frm_Ping;
}

QPushButton *sheetButton(int n) {
    return Frm_Ping->findChild<QPushButton *>(QStringLiteral("BitBtn%1").arg(n));
}

// Asks for the tooltip at the middle of `box` as the pointer resting there would: the request goes to the widget
// under the pointer and travels up from there.
void restPointerOn(QWidget *box) {
    QWidget *window = box->window();
    const QPoint inWindow = box->mapTo(window, box->rect().center());
    QWidget *under = window->childAt(inWindow);
    QVERIFY(under);
    QHelpEvent help(QEvent::ToolTip, under->mapFrom(window, inWindow), box->mapToGlobal(box->rect().center()));
    QApplication::sendEvent(under, &help);
}

// Types Chinese text as an input method would deliver it, character by character.
void typeText(QWidget *box, const QString &text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

QString longText(const QString &line, int lines) {
    QStringList all;
    for (int i = 1; i <= lines; ++i)
        all << line.arg(i);
    return all.join(QLatin1Char('\n'));
}

} // namespace

// What the candidate must be able to read on the answering screens and the score sheet, in exam and in review mode:
// enough contrast for every text (the disabled answer boxes and key included), long texts that can be scrolled to
// their end, and boxes too small for their text that show it whole as a tooltip.
class TestReadability : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void textsReadAtEnoughContrast_data();
    void textsReadAtEnoughContrast();
    void longTextScrollsToItsEndInReview_data();
    void longTextScrollsToItsEndInReview();
    void cutTextShowsWholeAsToolTip_data();
    void cutTextShowsWholeAsToolTip();

private:
    void startExam();
    // Runs `step` in review mode, with both answering screens reopened beside the score sheet.
    void inReview(const std::function<void()> &step);

    SheetDriver *m_driver = nullptr;
};

// The faces the trainer really draws with: its 宋体 is mapped onto the installed CJK fonts, whose Latin letters are
// thinner at 12 pixels than those of the fall-back face.
void TestReadability::initTestCase() {
    installFontSubstitutions();
}

void TestReadability::init() {
    writePaper();
    createScreens();
    m_driver = new SheetDriver(this);
    QToolTip::hideText();
}

void TestReadability::cleanup() {
    delete m_driver;
    m_driver = nullptr;
    destroyScreens();
}

// Both answering screens up in exam mode on question 1, answered C through the screen; fill-in question 1 typed.
// C is the answer letter drawn lightest in the 12-pixel Song face: it has no upright stroke that fills a whole column
// of pixels, so its darkest pixel is well short of the text colour.
void TestReadability::startExam() {
    SetReviewMode(false);
    Frm_Ks_Choose->show();
    QVERIFY(QTest::qWaitForWindowExposed(Frm_Ks_Choose));
    auto *first = Frm_Ks_Choose->findChild<QPushButton *>(QStringLiteral("BitBtn1"));
    QTest::mouseClick(first, Qt::LeftButton);
    QTest::mouseClick(Frm_Ks_Choose->Btn_Ans_C, Qt::LeftButton);
    QCOMPARE(Frm_Ks_Choose->findChild<QLineEdit *>(QStringLiteral("Edit1"))->text(), QStringLiteral("C"));
    QTest::mouseClick(first, Qt::LeftButton);
    Frm_Ks_Fill->show();
    QVERIFY(QTest::qWaitForWindowExposed(Frm_Ks_Fill));
    typeText(Frm_Ks_Fill->findChild<QLineEdit *>(QStringLiteral("Edt_Fill_Da1")), QStringLiteral("栈"));
}

void TestReadability::inReview(const std::function<void()> &step) {
    m_driver->whileSheetUp([step] {
        QTest::mouseClick(sheetButton(1), Qt::LeftButton);
        QTest::mouseClick(sheetButton(Exam::kChoiceCount + 1), Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowExposed(Frm_Ks_Choose));
        QVERIFY(QTest::qWaitForWindowExposed(Frm_Ks_Fill));
        step();
        Frm_Ping->Button2->click();
    });
    SetReviewMode(true);
    QVERIFY(m_driver->ran());
}

void TestReadability::textsReadAtEnoughContrast_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("component");
    QTest::addColumn<bool>("review");
    QTest::addColumn<bool>("drawn");
    const struct {
        const char *screen;
        const char *component;
        bool drawn;
    } rows[] = {
        // The answer sheet overview, disabled in both modes.
        {"choice", "Edit1", true},
        {"choice", "Edt_Tm", false},
        {"choice", "Edt_Ans_B", false},
        {"choice", "Btn_Ans_B", true},
        {"choice", "Btn_ping", false},
        {"choice", "Lbl_Minute", false},
        {"choice", "Label2", false},
        // Enabled in the exam, disabled in review.
        {"fill", "Edt_Fill_Da1", true},
        {"fill", "Mem_Tm", false},
        {"fill", "btn_ping", false},
        {"fill", "Lbl_fill_minute", false},
        {"sheet", "Edit_choose", false},
        {"sheet", "Edit_sum", false},
        {"sheet", "Label5", false},
    };
    for (const auto &row : rows)
        for (const bool review : {false, true}) {
            if (!review && QLatin1String(row.screen) == QLatin1String("sheet"))
                continue;
            QTest::addRow("%s %s %s", review ? "review" : "exam", row.screen, row.component)
                << row.screen << row.component << review << row.drawn;
        }
    // Shown in review only: the analysis box and the key or knowledge text, which the design keeps disabled.
    QTest::newRow("review choice Mem_Analysis") << "choice"
                                                << "Mem_Analysis" << true << false;
    QTest::newRow("review fill Memo1") << "fill"
                                       << "Memo1" << true << true;
}

void TestReadability::textsReadAtEnoughContrast() {
    QFETCH(QString, screen);
    QFETCH(QString, component);
    QFETCH(bool, review);
    QFETCH(bool, drawn);

    const auto check = [&] {
        auto *widget = screenNamed(screen)->findChild<QWidget *>(component);
        QVERIFY(widget);
        QVERIFY(widget->isVisible());
        const Colours byPalette = paletteColours(widget);
        const double ratio = contrast(byPalette.text, byPalette.ground);
        QVERIFY2(ratio >= kReadableContrast,
                 qPrintable(QStringLiteral("%1 on %2: %3 : 1 (%4)")
                                .arg(byPalette.text.name(), byPalette.ground.name())
                                .arg(ratio, 0, 'f', 2)
                                .arg(widget->isEnabled() ? QStringLiteral("enabled") : QStringLiteral("disabled"))));
        if (!drawn)
            return;
        const Colours byPixels = drawnColours(widget);
        const double drawnRatio = contrast(byPixels.text, byPixels.ground);
        QVERIFY2(drawnRatio >= kReadableContrast, qPrintable(QStringLiteral("drawn %1 on %2: %3 : 1")
                                                                 .arg(byPixels.text.name(), byPixels.ground.name())
                                                                 .arg(drawnRatio, 0, 'f', 2)));
    };

    startExam();
    if (!review) {
        check();
        return;
    }
    inReview(check);
}

void TestReadability::longTextScrollsToItsEndInReview_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("component");
    QTest::newRow("knowledge text in the disabled Memo1") << "fill"
                                                          << "Memo1";
    QTest::newRow("analysis") << "choice"
                              << "Mem_Analysis";
}

void TestReadability::longTextScrollsToItsEndInReview() {
    QFETCH(QString, screen);
    QFETCH(QString, component);
    FillQuestions[1].Key = longText(QStringLiteral("答案第%1行"), 30).toUtf8();
    ChoiceQuestions[1].Analysis = longText(QStringLiteral("解析第%1行"), 40).toUtf8();
    startExam();

    inReview([&] {
        QWidget *window = screenNamed(screen);
        auto *memo = window->findChild<QPlainTextEdit *>(component);
        QVERIFY(memo && memo->isVisible());
        QVERIFY(memo->toPlainText().endsWith(QStringLiteral("第30行")) ||
                memo->toPlainText().endsWith(QStringLiteral("第40行")));
        QScrollBar *own = memo->verticalScrollBar();
        QTRY_VERIFY(own->maximum() > 0);
        QCOMPARE(own->value(), 0);

        // The candidate clicks the down arrow of the bar seen at the box's right edge, again and again.
        const QPoint arrow = memo->mapTo(window, QPoint(memo->width() - 6, memo->height() - 6));
        for (int clicks = 0; clicks < 200 && own->value() < own->maximum(); ++clicks) {
            QWidget *under = window->childAt(arrow);
            QVERIFY(under);
            QTest::mouseClick(under, Qt::LeftButton, {}, under->mapFrom(window, arrow));
        }
        QCOMPARE(own->value(), own->maximum());
        const QTextCursor end(memo->document()->lastBlock());
        QVERIFY(memo->viewport()->rect().contains(memo->cursorRect(end).center()));

        // And the wheel over the text takes it back to the top.
        const QPoint middle = memo->viewport()->rect().center();
        for (int turns = 0; turns < 100 && own->value() > 0; ++turns) {
            QWheelEvent wheel(middle, memo->viewport()->mapToGlobal(middle), QPoint(), QPoint(0, 120), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(memo->viewport(), &wheel);
        }
        QCOMPARE(own->value(), 0);
    });
}

void TestReadability::cutTextShowsWholeAsToolTip_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("component");
    QTest::addColumn<bool>("review");
    QTest::addColumn<QString>("whole");
    const QString option =
        QStringLiteral("一个很长的选项，") + QString(40, QChar(u'长')) + QStringLiteral("，到此为止");
    const QString question = longText(QStringLiteral("题目第%1行，内容不少"), 8);
    const QString answer = QStringLiteral("很长的答案") + QString(30, QChar(u'答'));
    for (const bool review : {false, true}) {
        const char *mode = review ? "review" : "exam";
        QTest::addRow("%s long option", mode) << "choice"
                                              << "Edt_Ans_C" << review << option;
        QTest::addRow("%s long choice question", mode) << "choice"
                                                       << "Edt_Tm" << review << question;
        QTest::addRow("%s long fill-in question", mode) << "fill"
                                                        << "Mem_Tm" << review << question;
        QTest::addRow("%s long answer in its box", mode) << "fill"
                                                         << "Edt_Fill_Da2" << review << answer;
        QTest::addRow("%s short option", mode) << "choice"
                                               << "Edt_Ans_A" << review << QString();
    }
}

void TestReadability::cutTextShowsWholeAsToolTip() {
    QFETCH(QString, screen);
    QFETCH(QString, component);
    QFETCH(bool, review);
    QFETCH(QString, whole);
    ChoiceQuestions[1].OptionC = QStringLiteral("一个很长的选项，").toUtf8() + QString(40, QChar(u'长')).toUtf8() +
                                 QStringLiteral("，到此为止").toUtf8();
    ChoiceQuestions[1].QuestionText = longText(QStringLiteral("题目第%1行，内容不少"), 8).toUtf8();
    FillQuestions[1].QuestionText = ChoiceQuestions[1].QuestionText;
    startExam();
    if (component == QLatin1String("Edt_Fill_Da2")) {
        QTest::mouseClick(Frm_Ks_Fill->findChild<QPushButton *>(QStringLiteral("BitBtn2")), Qt::LeftButton);
        typeText(Frm_Ks_Fill->findChild<QLineEdit *>(component), whole);
    }
    // The fill-in screen shows question 1 again after the visit to question 2.
    QTest::mouseClick(Frm_Ks_Fill->findChild<QPushButton *>(QStringLiteral("BitBtn1")), Qt::LeftButton);

    const auto check = [&] {
        auto *box = screenNamed(screen)->findChild<QWidget *>(component);
        QVERIFY(box && box->isVisible());
        QCOMPARE(box->isEnabled(), !(review && component == QLatin1String("Edt_Fill_Da2")));
        box->window()->raise();
        box->window()->activateWindow();
        QToolTip::hideText();
        restPointerOn(box);
        if (whole.isEmpty()) {
            QVERIFY(!QToolTip::isVisible());
            return;
        }
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), whole);
        QToolTip::hideText();
    };
    if (!review) {
        check();
        return;
    }
    inReview(check);
}

QTEST_MAIN(TestReadability)
#include "test_readability.moc"
