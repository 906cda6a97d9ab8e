// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTest>

#include "ui/Fonts.h"
#include "ui/MessageBoxSeam.h"

namespace {

// A failing knowledge statement of a question with some thousand codes, quoted in full: about 18 KB.
QString hugeFailure() {
    QString statement = QStringLiteral("SELECT Keyword,knowladge FROM tzhishidian  WHERE  recno ='01001'");
    for (int i = 0; i < 1000; ++i)
        statement += QStringLiteral(" or recno ='01001'");
    return QStringLiteral("题库语句执行失败：Expression tree is too large (maximum depth 1000)（语句：%1；题库文件："
                          "/home/考生/模拟考试/Dat/Bs.mdb）\n")
               .arg(statement) +
           QStringLiteral("第二行\n").repeated(40) + QStringLiteral("末行");
}

} // namespace

// Message boxes as the trainer shows them: within the screen, and with the whole of their text visible.
class TestMessageBox : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void longMessageIsCutToAFewLines();
    void boxFitsTheScreen();
    void lastLineIsShownWhole_data();
    void lastLineIsShownWhole();
};

void TestMessageBox::initTestCase() {
    installFontSubstitutions();
    QApplication::setFont(songFont(12));
}

void TestMessageBox::cleanup() {
    MessageBoxSeam::setHandler({});
}

// The text that reaches the box keeps the message's beginning and end, around "…", in a few short lines.
void TestMessageBox::longMessageIsCutToAFewLines() {
    QString shown;
    MessageBoxSeam::setHandler([&shown](QWidget *, const QString &, const QString &text) { shown = text; });
    const QString message = hugeFailure();
    QVERIFY(message.size() > 18000);
    MessageBoxSeam::showError(nullptr, message);

    const QStringList lines = shown.split(QLatin1Char('\n'));
    QVERIFY2(lines.size() <= MessageBoxSeam::kMaxLines, qPrintable(shown));
    for (const QString &line : lines)
        QVERIFY2(line.size() <= MessageBoxSeam::kMaxLineLength, qPrintable(line));
    QVERIFY(lines.first().startsWith(QStringLiteral("题库语句执行失败：Expression tree is too large")));
    QVERIFY(lines.first().endsWith(QStringLiteral("Dat/Bs.mdb）")));
    QVERIFY(lines.first().contains(QStringLiteral("…")));
    QCOMPARE(lines.last(), QStringLiteral("…"));

    // A short message goes through unchanged.
    MessageBoxSeam::showError(nullptr, QStringLiteral("题库文件不存在：/无处/Dat/Bs.mdb"));
    QCOMPARE(shown, QStringLiteral("题库文件不存在：/无处/Dat/Bs.mdb"));
}

void TestMessageBox::boxFitsTheScreen() {
    const auto box = MessageBoxSeam::errorBox(nullptr, QStringLiteral("标题"), MessageBoxSeam::fitted(hugeFailure()));
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box.get()));
    const QRect screen = box->screen()->availableGeometry();
    QVERIFY2(box->frameGeometry().width() <= screen.width() && box->frameGeometry().height() <= screen.height(),
             qPrintable(QStringLiteral("%1×%2 on %3×%4")
                            .arg(box->frameGeometry().width())
                            .arg(box->frameGeometry().height())
                            .arg(screen.width())
                            .arg(screen.height())));
}

// The label is tall enough for the lowest ink of its last line, and shows it: underscores, which the CJK fonts draw
// below their descent, and letters that hang down.
void TestMessageBox::lastLineIsShownWhole_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("one line") << QStringLiteral("无法读取题库文件：/home/user_name/Dat_backup/Bs_1.mdb");
    QTest::newRow("wrapped") << QStringLiteral(
        "题库文件旁有一个修改中断后留下的日志文件。练习程序只读取题库，不能用它把题库恢复原状。"
        "请确认没有程序正在修改题库，然后重新生成题库：/home/user_name/my_bank/Dat/Bs_copy__.mdb");
    QTest::newRow("several lines") << QStringLiteral("第一行\n第二行 jpg\n末行 ____ gy_qp");
}

void TestMessageBox::lastLineIsShownWhole() {
    QFETCH(QString, text);
    const auto box = MessageBoxSeam::errorBox(nullptr, QStringLiteral("标题"), text);
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box.get()));
    auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    QVERIFY(label);
    QCOMPARE(label->text(), text);

    // Where the label lays out its text: its lines from the top of the contents (or centred in them), each a
    // font's line apart; the ink of the last line reaches down to its baseline plus the lowest glyph's depth.
    const QFontMetrics metrics(label->font());
    const QRect contents = label->contentsRect();
    const QRect block = metrics.boundingRect(QRect(0, 0, contents.width(), 100000), Qt::TextWordWrap, text);
    const int lines = (block.height() + metrics.leading()) / metrics.lineSpacing();
    QVERIFY(lines >= 1);
    int depth = 0;
    for (const QChar ch : text)
        depth = qMax(depth, metrics.boundingRect(ch).bottom());
    const int top = contents.top() + qMax(0, (contents.height() - block.height()) / 2);
    const int lastBaseline = top + (lines - 1) * metrics.lineSpacing() + metrics.ascent();
    // And the underscores of the last line are there to see.
    const int underscoreRow = lastBaseline + metrics.boundingRect(QLatin1Char('_')).bottom();
    const QImage picture = label->grab().toImage();
    int ink = 0;
    for (int x = 0; underscoreRow < picture.height() && x < picture.width(); ++x)
        ink += qGray(picture.pixel(x, underscoreRow)) < 128 ? 1 : 0;
    QVERIFY2(ink >= 2, qPrintable(QStringLiteral("%1 dark pixels in row %2").arg(ink).arg(underscoreRow)));
    QVERIFY2(lastBaseline + depth < label->height(),
             qPrintable(QStringLiteral("ink down to %1, label %2 high (%3 lines, descent %4, depth %5)")
                            .arg(lastBaseline + depth)
                            .arg(label->height())
                            .arg(lines)
                            .arg(metrics.descent())
                            .arg(depth)));
}

QTEST_MAIN(TestMessageBox)
#include "test_messagebox.moc"
