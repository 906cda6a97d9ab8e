// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <QEnterEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "ui/Fonts.h"
#include "ui/TdxButton.h"

// The gradient button: its ring rule, what each state paints, and which keys and clicks make a click.
class TestDxButton : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void ringLit_data();
    void ringLit();
    void plainFace();
    void hoverLightsRingAndInsetsFace();
    void pressShowsClickedFaceAndShiftsCaption();
    void pressDraggedOutsideLightsRing();
    void focusRectangle_data();
    void focusRectangle();
    void clickCopiesModalResult();
    void releaseOutsideGivesNoClick();
    void spaceClicks();
    void dialogKeys();
    void accelerator_data();
    void accelerator();
    void gradientsRebuiltOnlyOnSizeColorQuality();

private:
    void hover(bool inside);
    QImage image() const { return m_button->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    QWidget *m_window = nullptr;
    TdxButton *m_button = nullptr;
    QLineEdit *m_edit = nullptr;
};

namespace {

constexpr int kWidth = 211;
constexpr int kHeight = 25;

// Bounding box of the dark caption pixels inside the outline.
QRect inkBox(const QImage &image) {
    QRect box;
    for (int y = 4; y < image.height() - 4; ++y)
        for (int x = 4; x < image.width() - 4; ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::max({c.red(), c.green(), c.blue()}) < 110)
                box |= QRect(x, y, 1, 1);
        }
    return box;
}

bool hasGreenInk(const QImage &image) {
    for (int y = 4; y < image.height() - 4; ++y)
        for (int x = 4; x < image.width() - 4; ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.green() > 90 && c.red() < 60 && c.blue() < 60)
                return true;
        }
    return false;
}

} // namespace

void TestDxButton::initTestCase() {
    installFontSubstitutions();
}

void TestDxButton::init() {
    // The start screen's first button as its window designs it.
    m_window = new QWidget;
    m_window->resize(320, 120);
    m_edit = new QLineEdit(m_window);
    m_edit->setObjectName(QStringLiteral("Edit1"));
    m_edit->setGeometry(10, 60, 100, 22);
    m_button = new TdxButton(m_window);
    m_button->setObjectName(QStringLiteral("Button1"));
    m_button->setGeometry(10, 10, kWidth, kHeight);
    m_button->setCaption(QStringLiteral("&S开始考试"));
    m_button->setFont(songFont(12));
    m_button->setFontColor(Colors::clMenuText);
    TdxColors colors;
    colors.BackgroundFrom = 13562879;
    colors.BackgroundTo = Colors::clWhite;
    colors.BorderLine = Colors::clGreen;
    colors.ClickedTo = 13562879;
    colors.FocusedTo = 9352301;
    colors.HotTrack = Colors::clGreen;
    m_button->setColors(colors);
    m_button->setHotTrack(true);
    m_button->setLayout(TdxLayout::blGlyphRight);
    m_button->setQuality(TdxQuality::bqHigh);
    m_button->setShowFocusRect(false);
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    m_edit->setFocus();
    QTRY_VERIFY(m_edit->hasFocus());
}

void TestDxButton::cleanup() {
    delete m_window;
    m_window = nullptr;
}

void TestDxButton::hover(bool inside) {
    if (inside) {
        QEnterEvent enter(QPointF(5, 5), QPointF(15, 15), m_button->mapToGlobal(QPointF(5, 5)));
        QApplication::sendEvent(m_button, &enter);
    } else {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(m_button, &leave);
    }
}

void TestDxButton::ringLit_data() {
    QTest::addColumn<bool>("pressed");
    QTest::addColumn<bool>("hot");
    QTest::addColumn<bool>("focused");
    QTest::addColumn<bool>("isDefault");
    QTest::addColumn<bool>("active");
    QTest::addColumn<bool>("ignoreDefault");
    QTest::addColumn<bool>("lit");
    QTest::newRow("idle") << false << false << false << false << false << false << false;
    QTest::newRow("hot") << false << true << false << false << false << false << true;
    QTest::newRow("focused") << false << false << true << false << false << false << true;
    QTest::newRow("pressed over the button") << true << true << true << false << false << false << false;
    QTest::newRow("pressed dragged outside") << true << false << true << false << false << false << true;
    QTest::newRow("default, no gradient control active") << false << false << false << true << false << false << true;
    QTest::newRow("default, a gradient control active") << false << false << false << true << true << false << false;
    QTest::newRow("default rule ignored") << false << false << false << true << false << true << false;
    QTest::newRow("pressed over a default button") << true << true << true << true << false << false << true;
}

void TestDxButton::ringLit() {
    QFETCH(bool, pressed);
    QFETCH(bool, hot);
    QFETCH(bool, focused);
    QFETCH(bool, isDefault);
    QFETCH(bool, active);
    QFETCH(bool, ignoreDefault);
    QFETCH(bool, lit);
    QCOMPARE(TdxButton::ringLitFor(pressed, hot, focused, isDefault, active, ignoreDefault), lit);
}

void TestDxButton::plainFace() {
    const QImage shot = image();
    const QImage &face = m_button->FaceBitmap();
    QCOMPARE(face.size(), QSize(kWidth - 2, kHeight - 2));
    QCOMPARE(shot.pixel(5, 1), face.pixel(4, 0));
    QCOMPARE(shot.pixel(5, kHeight - 2), face.pixel(4, kHeight - 3));
    QCOMPARE(shot.pixel(200, 12), face.pixel(199, 11));
    QCOMPARE(shot.pixelColor(100, 0), toQColor(Colors::clGreen));
    QCOMPARE(shot.pixelColor(0, 12), toQColor(Colors::clGreen));
    QCOMPARE(shot.pixelColor(1, 1), toQColor(Colors::clGreen));
    QCOMPARE(shot.pixelColor(0, 1), toQColor(11376251)); // corner mark
    QCOMPARE(shot.pixelColor(0, 0), m_button->palette().color(QPalette::Window));
    QVERIFY(!inkBox(shot).isEmpty());
}

void TestDxButton::hoverLightsRingAndInsetsFace() {
    hover(true);
    QVERIFY(m_button->Hot());
    const QImage shot = image();
    const QImage &ring = m_button->HighlightBitmap();
    const QImage &face = m_button->FaceBitmap();
    QCOMPARE(shot.pixel(5, 1), ring.pixel(4, 0));
    QCOMPARE(shot.pixel(5, 2), ring.pixel(4, 1));
    QCOMPARE(shot.pixel(5, kHeight - 2), ring.pixel(4, kHeight - 3));
    QCOMPARE(shot.pixel(3, 3), face.pixel(0, 0));
    QCOMPARE(shot.pixel(5, kHeight - 4), face.pixel(2, kHeight - 7));
    QVERIFY(shot.pixel(5, 2) != face.pixel(4, 1));
    // Hot tracking turns the caption green.
    QVERIFY(inkBox(shot).isEmpty());
    QVERIFY(hasGreenInk(shot));

    hover(false);
    QVERIFY(!m_button->Hot());
    QCOMPARE(image().pixel(5, 1), face.pixel(4, 0));
}

void TestDxButton::pressShowsClickedFaceAndShiftsCaption() {
    m_button->setHotTrack(false); // keep the caption dark so that its pixels can be found
    const QRect plain = inkBox(image());
    hover(true);
    QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(20, 12));
    QVERIFY(m_button->Pressed());
    QVERIFY(m_button->HasFocus());
    const QImage shot = image();
    const QImage &clicked = m_button->ClickedBitmap();
    QCOMPARE(shot.pixel(5, 1), clicked.pixel(4, 0));
    QCOMPARE(shot.pixel(3, 3), clicked.pixel(2, 2));
    QCOMPARE(shot.pixel(5, kHeight - 2), clicked.pixel(4, kHeight - 3));
    QCOMPARE(inkBox(shot), plain.translated(1, 1));
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(20, 12));
    QCOMPARE(inkBox(image()), plain);
}

void TestDxButton::pressDraggedOutsideLightsRing() {
    hover(true);
    QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(20, 12));
    QMouseEvent move(QEvent::MouseMove, QPointF(20, 60), QPointF(30, 70), m_button->mapToGlobal(QPointF(20, 60)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_button, &move);
    QVERIFY(!m_button->Hot());
    QVERIFY(m_button->Pressed());
    const QImage shot = image();
    QCOMPARE(shot.pixel(5, 1), m_button->FocusedBitmap().pixel(4, 0));
    QCOMPARE(shot.pixel(3, 3), m_button->FaceBitmap().pixel(0, 0));
}

void TestDxButton::focusRectangle_data() {
    QTest::addColumn<bool>("showFocusRect");
    QTest::newRow("off: only the ring") << false;
    QTest::newRow("on: dotted rectangle") << true;
}

void TestDxButton::focusRectangle() {
    QFETCH(bool, showFocusRect);
    m_button->setShowFocusRect(showFocusRect);
    m_button->setFocus();
    QTRY_VERIFY(m_button->HasFocus());
    const QImage shot = image();
    const QImage &face = m_button->FaceBitmap();
    QCOMPARE(shot.pixel(5, 1), m_button->FocusedBitmap().pixel(4, 0));
    // Every other pixel of the rectangle's edge is inverted; its neighbours are left alone.
    const QRgb corner = showFocusRect ? face.pixel(0, 0) ^ 0x00FFFFFFu : face.pixel(0, 0);
    QCOMPARE(shot.pixel(3, 3), corner);
    QCOMPARE(shot.pixel(4, 3), face.pixel(1, 0));
    QCOMPARE(shot.pixel(5, 4), face.pixel(2, 1));
}

void TestDxButton::clickCopiesModalResult() {
    QSignalSpy clicks(m_button, &TdxButton::clicked);
    m_button->setModalResult(2);
    QTest::mouseClick(m_button, Qt::LeftButton, {}, QPoint(20, 12));
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(m_window->property("ModalResult").toInt(), 2);
    QVERIFY(m_button->HasFocus());
    QVERIFY(!m_button->Pressed());
}

void TestDxButton::releaseOutsideGivesNoClick() {
    QSignalSpy clicks(m_button, &TdxButton::clicked);
    QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(20, 12));
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(20, 60));
    QVERIFY(!m_button->Pressed());
    QCOMPARE(clicks.count(), 0);
    // A right-button release does not finish a left press either.
    QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(20, 12));
    QTest::mouseRelease(m_button, Qt::RightButton, {}, QPoint(20, 12));
    QCOMPARE(clicks.count(), 0);
}

void TestDxButton::spaceClicks() {
    QSignalSpy clicks(m_button, &TdxButton::clicked);
    m_button->setFocus();
    QTRY_VERIFY(m_button->HasFocus());
    QTest::keyPress(m_button, Qt::Key_Space);
    QVERIFY(m_button->Pressed());
    QVERIFY(m_button->Hot());
    QCOMPARE(clicks.count(), 0);
    QTest::keyRelease(m_button, Qt::Key_Space);
    QVERIFY(!m_button->Pressed());
    QCOMPARE(clicks.count(), 1);
    // With a modifier Space is not a press.
    QTest::keyClick(m_button, Qt::Key_Space, Qt::ControlModifier);
    QCOMPARE(clicks.count(), 1);
}

void TestDxButton::dialogKeys() {
    auto *quit = new TdxButton(m_window);
    quit->setObjectName(QStringLiteral("Button2"));
    quit->setGeometry(10, 90, 73, 25);
    quit->setCaption(QStringLiteral("&Q退出"));
    quit->show();
    QSignalSpy starts(m_button, &TdxButton::clicked);
    QSignalSpy quits(quit, &TdxButton::clicked);

    // Enter on a focused gradient button clicks it.
    m_button->setFocus();
    QTRY_VERIFY(m_button->HasFocus());
    QTest::keyClick(m_button, Qt::Key_Return);
    QCOMPARE(starts.count(), 1);

    // Enter in an edit box: nothing, until a button is Default; then that one answers.
    m_edit->setFocus();
    QTRY_VERIFY(m_edit->hasFocus());
    QTest::keyClick(m_edit, Qt::Key_Return);
    QCOMPARE(starts.count(), 1);
    QCOMPARE(quits.count(), 0);
    quit->setDefault(true);
    QVERIFY(!quit->ActiveIsGradientControl());
    QTest::keyClick(m_edit, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(quits.count(), 1);
    QCOMPARE(starts.count(), 1);

    // While another gradient button has the focus, the Default one stands back and the focused one answers.
    m_button->setFocus();
    QTRY_VERIFY(quit->ActiveIsGradientControl());
    QTest::keyClick(m_button, Qt::Key_Return);
    QCOMPARE(starts.count(), 2);
    QCOMPARE(quits.count(), 1);

    // Escape clicks a Cancel button from anywhere, but not with a modifier held.
    m_edit->setFocus();
    QTRY_VERIFY(m_edit->hasFocus());
    QTest::keyClick(m_edit, Qt::Key_Escape);
    QCOMPARE(quits.count(), 1);
    quit->setCancel(true);
    QTest::keyClick(m_edit, Qt::Key_Escape, Qt::ShiftModifier);
    QCOMPARE(quits.count(), 1);
    QTest::keyClick(m_edit, Qt::Key_Escape);
    QCOMPARE(quits.count(), 2);
}

void TestDxButton::accelerator_data() {
    QTest::addColumn<bool>("buttonFocused");
    QTest::addColumn<bool>("alt");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("clicked");
    QTest::addColumn<QString>("typed");
    QTest::newRow("Alt+S from the edit box") << false << true << true << true << QString();
    QTest::newRow("bare S goes on to the edit box") << false << false << true << false << QStringLiteral("s");
    QTest::newRow("bare S on the focused button") << true << false << true << true << QString();
    QTest::newRow("Alt+S on the focused button") << true << true << true << true << QString();
    QTest::newRow("disabled button passes Alt+S on") << false << true << false << false << QStringLiteral("s");
}

void TestDxButton::accelerator() {
    QFETCH(bool, buttonFocused);
    QFETCH(bool, alt);
    QFETCH(bool, enabled);
    QFETCH(bool, clicked);
    QFETCH(QString, typed);
    QSignalSpy clicks(m_button, &TdxButton::clicked);
    m_button->setEnabled(enabled);
    QWidget *target = buttonFocused ? static_cast<QWidget *>(m_button) : m_edit;
    target->setFocus();
    QTRY_VERIFY(target->hasFocus());
    QTest::keyClick(target, Qt::Key_S, alt ? Qt::AltModifier : Qt::NoModifier);
    QCOMPARE(clicks.count(), clicked ? 1 : 0);
    QCOMPARE(m_edit->text(), typed);
}

void TestDxButton::gradientsRebuiltOnlyOnSizeColorQuality() {
    const int before = m_button->gradientBuildCount();
    hover(true);
    QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(20, 12));
    (void)image();
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(20, 12));
    hover(false);
    m_button->setDefault(true);
    m_edit->setFocus();
    QTRY_VERIFY(!m_button->HasFocus());
    (void)image();
    QCOMPARE(m_button->gradientBuildCount(), before);

    m_button->setColors(m_button->Colors()); // same colours: nothing to do
    QCOMPARE(m_button->gradientBuildCount(), before);
    TdxColors colors = m_button->Colors();
    colors.ClickedFrom = Colors::clYellow;
    m_button->setColors(colors);
    QCOMPARE(m_button->gradientBuildCount(), before + 1);
    QCOMPARE(m_button->ClickedBitmap().pixelColor(0, 0), toQColor(Colors::clYellow));
    m_button->setQuality(TdxQuality::bqLow);
    QCOMPARE(m_button->gradientBuildCount(), before + 2);
    m_button->resize(84, 25);
    QTRY_COMPARE(m_button->FaceBitmap().size(), QSize(82, 23));
    QCOMPARE(m_button->gradientBuildCount(), before + 3);
}

QTEST_MAIN(TestDxButton)
#include "test_dxbutton.moc"
