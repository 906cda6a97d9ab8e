// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <QEnterEvent>
#include <QTest>

#include "ui/Fonts.h"
#include "ui/TKvLabel.h"

// The effect label: where its white copy falls for each draw type, and the link look on hover.
class TestKvLabel : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void whiteCopy_data();
    void whiteCopy();
    void disabledDrawsGreyOnly();
    void vCenterCentresOneLine();
    void linkTypeHover();

private:
    QImage image() const { return m_label->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    QWidget *m_window = nullptr;
    TKvLabel *m_label = nullptr;
};

namespace {

const QColor kGround(128, 128, 128);

QSet<QPoint> pixelsOf(const QImage &image, const QColor &color) {
    QSet<QPoint> found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == color)
                found.insert(QPoint(x, y));
    return found;
}

QSet<QPoint> shifted(const QSet<QPoint> &points, const QPoint &by) {
    QSet<QPoint> moved;
    for (const QPoint &p : points)
        moved.insert(p + by);
    return moved;
}

QRect bounds(const QSet<QPoint> &points) {
    QRect box;
    for (const QPoint &p : points)
        box |= QRect(p, QSize(1, 1));
    return box;
}

} // namespace

void TestKvLabel::initTestCase() {
    installFontSubstitutions();
}

void TestKvLabel::init() {
    // The start screen's title, on a grey ground so that both the white copy and the ink stand out.
    m_window = new QWidget;
    QPalette palette = m_window->palette();
    palette.setColor(QPalette::Window, kGround);
    m_window->setPalette(palette);
    m_window->resize(400, 100);
    m_label = new TKvLabel(m_window);
    m_label->setObjectName(QStringLiteral("Label6"));
    m_label->setGeometry(20, 20, 264, 28);
    QFont font = songFont(21);
    font.setStyleStrategy(QFont::NoAntialias); // whole pixels only, so each copy can be told apart
    m_label->setFont(font);
    m_label->setFontColor(Colors::clWindowText);
    m_label->setCaption(QStringLiteral("笔试 V1.1"));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestKvLabel::cleanup() {
    delete m_window;
    m_window = nullptr;
}

void TestKvLabel::whiteCopy_data() {
    QTest::addColumn<TDrawType>("drawType");
    QTest::addColumn<QPoint>("inkAt");
    QTest::addColumn<QPoint>("whiteAt");
    QTest::newRow("lowered (default)") << TDrawType::dtLowered << QPoint(0, 0) << QPoint(1, 1);
    QTest::newRow("raised") << TDrawType::dtRaised << QPoint(1, 1) << QPoint(-1, -1);
}

void TestKvLabel::whiteCopy() {
    QFETCH(TDrawType, drawType);
    QFETCH(QPoint, inkAt);
    QFETCH(QPoint, whiteAt);
    QCOMPARE(m_label->DrawType(), TDrawType::dtLowered);

    m_label->setDrawType(TDrawType::dtNone);
    const QImage plain = image();
    const QSet<QPoint> ink = pixelsOf(plain, Qt::black);
    QVERIFY(ink.size() > 50);
    QVERIFY(pixelsOf(plain, Qt::white).isEmpty());

    m_label->setDrawType(drawType);
    const QImage shot = image();
    const QSet<QPoint> expectedInk = shifted(ink, inkAt);
    for (const QPoint &p : expectedInk)
        if (shot.rect().contains(p))
            QCOMPARE(shot.pixelColor(p), QColor(Qt::black));
    int whites = 0;
    for (const QPoint &p : shifted(ink, whiteAt)) {
        if (!shot.rect().contains(p) || expectedInk.contains(p))
            continue;
        QCOMPARE(shot.pixelColor(p), QColor(Qt::white));
        ++whites;
    }
    QVERIFY(whites > 10);
    // Nothing else is drawn: every other pixel is the ground.
    QCOMPARE(pixelsOf(shot, Qt::white).size() + pixelsOf(shot, Qt::black).size() + pixelsOf(shot, kGround).size(),
             qsizetype(shot.width()) * shot.height());
}

void TestKvLabel::disabledDrawsGreyOnly() {
    m_label->setEnabled(false);
    const QImage shot = image();
    QVERIFY(pixelsOf(shot, Qt::white).isEmpty());
    QVERIFY(pixelsOf(shot, Qt::black).isEmpty());
    QVERIFY(!pixelsOf(shot, toQColor(Colors::clGrayText)).isEmpty());
}

void TestKvLabel::vCenterCentresOneLine() {
    m_label->setGeometry(20, 10, 264, 80);
    m_label->setDrawType(TDrawType::dtNone);
    QVERIFY(m_label->wordWrap());
    const QRect top = bounds(pixelsOf(image(), Qt::black));
    QVERIFY(top.top() < 10);

    m_label->setVCenter(true);
    QVERIFY(!m_label->wordWrap());
    const QRect centred = bounds(pixelsOf(image(), Qt::black));
    QVERIFY(qAbs((centred.top() + centred.bottom()) / 2 - 40) <= 4);
    QCOMPARE(centred.left(), top.left());
}

void TestKvLabel::linkTypeHover() {
    m_label->setDrawType(TDrawType::dtNone);
    QEnterEvent enter(QPointF(5, 5), QPointF(25, 25), m_label->mapToGlobal(QPointF(5, 5)));
    QEvent leave(QEvent::Leave);

    // Without LinkType hovering changes nothing.
    QApplication::sendEvent(m_label, &enter);
    QVERIFY(!pixelsOf(image(), Qt::black).isEmpty());
    QApplication::sendEvent(m_label, &leave);

    m_label->setLinkType(true);
    QApplication::sendEvent(m_label, &enter);
    QCOMPARE(m_label->cursor().shape(), Qt::PointingHandCursor);
    QImage shot = image();
    QVERIFY(pixelsOf(shot, Qt::black).isEmpty());
    const QSet<QPoint> blue = pixelsOf(shot, toQColor(Colors::clBlue));
    QVERIFY(!blue.isEmpty());
    // The underline runs unbroken under the whole caption.
    const QRect box = bounds(blue);
    int underlined = 0;
    for (int x = box.left(); x <= box.right(); ++x)
        underlined += blue.contains(QPoint(x, box.bottom())) ? 1 : 0;
    QVERIFY(underlined > box.width() * 9 / 10);

    m_label->setFontColor(Colors::clRed); // a colour set while hovered is the one that stays
    QApplication::sendEvent(m_label, &leave);
    QCOMPARE(m_label->cursor().shape(), Qt::ArrowCursor);
    shot = image();
    QVERIFY(pixelsOf(shot, toQColor(Colors::clBlue)).isEmpty());
    QVERIFY(!pixelsOf(shot, toQColor(Colors::clRed)).isEmpty());
}

QTEST_MAIN(TestKvLabel)
#include "test_kvlabel.moc"
