// SPDX-License-Identifier: GPL-3.0-or-later

#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QtTest>

#include "ui/FrameCoolBar.h"
#include "ui/FrameImage.h"
#include "ui/TMenuBar.h"
#include "ui/Tfrm_qelNeoForm.h"

Q_DECLARE_METATYPE(TFormBorderStyle)

namespace {

constexpr TBorderIcons kAllIcons = biSystemMenu | biMinimize | biMaximize;

FrameImage *part(QWidget *form, const char *name) {
    auto *image = form->findChild<FrameImage *>(QLatin1String(name));
    if (!image)
        qFatal("no frame part %s", name);
    return image;
}

QWidget *zone(QWidget *form, const char *name) {
    return form->findChild<QWidget *>(QLatin1String(name));
}

void sendMouse(QWidget *target, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, const QPoint &pos) {
    QMouseEvent event(type, QPointF(pos), QPointF(target->mapToGlobal(pos)), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void sendActivation(QWidget *form, QEvent::Type type) {
    QEvent event(type);
    QApplication::sendEvent(form, &event);
}

} // namespace

// The skinned frame: sizing around the panel, the window buttons, the layout, resize zones, the activation look,
// the caption drag and the double-clicks.
class TestFrame : public QObject {
    Q_OBJECT
private slots:
    void screensAreSizedAroundTheirPanel_data();
    void screensAreSizedAroundTheirPanel();
    void borderStyleAndIconsChooseTheButtons_data();
    void borderStyleAndIconsChooseTheButtons();
    void buttonsStandFromTheRightAndSwapWhenMaximised();
    void canResizeClampsAndStretches_data();
    void canResizeClampsAndStretches();
    void resizingKeepsTheMinimumAndStretchesTheBorders();
    void everyPartFollowsTheWindow();
    void zonesFollowResizabilityAndState();
    void zoneDragResizesTheWindow();
    void activationSwapsTheCaptionPictures();
    void captionDragMovesTheWindow();
    void onlyTheLeftButtonStartsADrag();
    void doubleClicks();
    void firstShowCentresLaterShowsKeepThePlace();
    void captionReachesTheBandOnShow();
    void minimisingTheMainWindowMinimisesAll();
    void mainMenuFillsTheMenuBand();
};

void TestFrame::screensAreSizedAroundTheirPanel_data() {
    QTest::addColumn<QSize>("panel");
    QTest::addColumn<TFormBorderStyle>("style");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<bool>("zones");

    QTest::newRow("start screen") << QSize(377, 233) << TFormBorderStyle::bsSingle << QSize(397, 293) << false;
    QTest::newRow("choice screen") << QSize(581, 429) << TFormBorderStyle::bsSizeable << QSize(601, 489) << true;
    QTest::newRow("fill-in screen") << QSize(576, 448) << TFormBorderStyle::bsSizeable << QSize(596, 508) << true;
    QTest::newRow("grading screen") << QSize(544, 352) << TFormBorderStyle::bsSizeable << QSize(564, 412) << true;
}

void TestFrame::screensAreSizedAroundTheirPanel() {
    QFETCH(QSize, panel);
    QFETCH(TFormBorderStyle, style);
    QFETCH(QSize, window);
    QFETCH(bool, zones);

    // Every screen offers only the system menu: the sizeable style would bring minimise and maximise, the
    // missing icons take them away again.
    Tfrm_qelNeoForm form(panel, style, biSystemMenu);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.size(), window);
    QCOMPARE(form.PanelBkGnd->geometry(), QRect(QPoint(10, 50), panel));
    QCOMPARE(form.GetcanResize(), zones);
    QCOMPARE(form.borderStyle(), TFormBorderStyle::bsNone);
    QVERIFY(form.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(form.PanelBkGnd->palette().color(QPalette::Window), QColor(207, 207, 207));

    QVERIFY(part(&form, "ImageIcon")->isVisible());
    QVERIFY(part(&form, "ImageClose")->isVisible());
    QVERIFY(!part(&form, "ImageMin")->isVisible());
    QVERIFY(!part(&form, "ImageMax")->isVisible());
    QVERIFY(!part(&form, "ImageNormal")->isVisible());
    QVERIFY(!form.findChild<QWidget *>(QStringLiteral("CoolBar"))->isVisible());
    QCOMPARE(part(&form, "ImageClose")->geometry(), QRect(window.width() - 22, 6, 17, 19));
    QCOMPARE(zone(&form, "ResizeZoneRight")->isVisible(), zones);
}

void TestFrame::borderStyleAndIconsChooseTheButtons_data() {
    QTest::addColumn<TFormBorderStyle>("style");
    QTest::addColumn<int>("icons");
    QTest::addColumn<bool>("close");
    QTest::addColumn<bool>("max");
    QTest::addColumn<bool>("min");
    QTest::addColumn<bool>("icon");

    using S = TFormBorderStyle;
    QTest::newRow("none") << S::bsNone << kAllIcons << false << false << false << false;
    QTest::newRow("single, all") << S::bsSingle << kAllIcons << true << true << true << true;
    QTest::newRow("sizeable, all") << S::bsSizeable << kAllIcons << true << true << true << true;
    QTest::newRow("sizeable, help adds nothing")
        << S::bsSizeable << (kAllIcons | biHelp) << true << true << true << true;
    QTest::newRow("sizeable, no minimise")
        << S::bsSizeable << (biSystemMenu | biMaximize) << true << true << false << true;
    QTest::newRow("sizeable, no system menu")
        << S::bsSizeable << (biMinimize | biMaximize) << false << false << false << false;
    QTest::newRow("dialog") << S::bsDialog << kAllIcons << true << false << false << false;
    QTest::newRow("tool window") << S::bsToolWindow << kAllIcons << true << false << false << false;
    QTest::newRow("sizeable tool window") << S::bsSizeToolWin << kAllIcons << true << false << false << false;
}

void TestFrame::borderStyleAndIconsChooseTheButtons() {
    QFETCH(TFormBorderStyle, style);
    QFETCH(int, icons);
    QFETCH(bool, close);
    QFETCH(bool, max);
    QFETCH(bool, min);
    QFETCH(bool, icon);

    Tfrm_qelNeoForm form(QSize(400, 300), style, icons);
    QCOMPARE(form.closeButtonOffered(), close);
    QCOMPARE(form.maxButtonOffered(), max);
    QCOMPARE(form.minButtonOffered(), min);
    const auto shown = [&](const char *name) {
        FrameImage *image = part(&form, name);
        return !image->isHidden() && image->isEnabled();
    };
    QCOMPARE(shown("ImageClose"), close);
    QCOMPARE(shown("ImageMax"), max);
    QCOMPARE(shown("ImageMin"), min);
    QCOMPARE(shown("ImageIcon"), icon);
    QVERIFY(part(&form, "ImageNormal")->isHidden());
}

void TestFrame::buttonsStandFromTheRightAndSwapWhenMaximised() {
    Tfrm_qelNeoForm form(QSize(500, 400), TFormBorderStyle::bsSizeable, kAllIcons);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    FrameImage *close = part(&form, "ImageClose");
    FrameImage *max = part(&form, "ImageMax");
    FrameImage *normal = part(&form, "ImageNormal");
    FrameImage *min = part(&form, "ImageMin");
    const int W = form.width();
    QCOMPARE(close->geometry(), QRect(W - 22, 6, 17, 19));
    QCOMPARE(max->geometry(), QRect(W - 39, 6, 17, 19));
    QCOMPARE(normal->pos(), QPoint(W - 39, 6));
    QCOMPARE(min->geometry(), QRect(W - 56, 6, 17, 19));
    QVERIFY(max->isVisible() && max->isEnabled());
    QVERIFY(!normal->isVisible() && !normal->isEnabled());

    QTest::mouseClick(max, Qt::LeftButton);
    QTRY_VERIFY(form.isMaximized());
    QTRY_VERIFY(normal->isVisible());
    QVERIFY(normal->isEnabled());
    QVERIFY(!max->isVisible() && !max->isEnabled());
    QTRY_COMPARE(normal->x(), form.width() - 39);
    QCOMPARE(close->x(), form.width() - 22);
    QCOMPARE(form.PanelBkGnd->size(), form.size() - QSize(20, 60));

    QTest::mouseClick(normal, Qt::LeftButton);
    QTRY_VERIFY(!form.isMaximized());
    QTRY_VERIFY(max->isVisible());
    QVERIFY(!normal->isVisible());
}

void TestFrame::canResizeClampsAndStretches_data() {
    QTest::addColumn<QSize>("proposed");
    QTest::addColumn<QSize>("result");
    QTest::addColumn<bool>("wide");
    QTest::addColumn<bool>("tall");

    QTest::newRow("minimum stays") << QSize(300, 200) << QSize(300, 200) << false << false;
    QTest::newRow("below the minimum is raised") << QSize(299, 150) << QSize(300, 200) << false << false;
    QTest::newRow("zero and negative") << QSize(0, -5) << QSize(300, 200) << false << false;
    QTest::newRow("800 wide stretches top and bottom") << QSize(800, 599) << QSize(800, 599) << true << false;
    QTest::newRow("799 wide does not") << QSize(799, 599) << QSize(799, 599) << false << false;
    QTest::newRow("600 high stretches the sides") << QSize(799, 600) << QSize(799, 600) << false << true;
    QTest::newRow("both") << QSize(1024, 768) << QSize(1024, 768) << true << true;
}

void TestFrame::canResizeClampsAndStretches() {
    QFETCH(QSize, proposed);
    QFETCH(QSize, result);
    QFETCH(bool, wide);
    QFETCH(bool, tall);

    Tfrm_qelNeoForm form(QSize(581, 429));
    int width = proposed.width();
    int height = proposed.height();
    bool resize = false;
    form.FormCanResize(&form, width, height, resize);
    QVERIFY(resize);
    QCOMPARE(QSize(width, height), result);
    QCOMPARE(part(&form, "ImageTop")->stretch(), wide);
    QCOMPARE(part(&form, "ImageBottom")->stretch(), wide);
    QCOMPARE(part(&form, "ImageLeft")->stretch(), tall);
    QCOMPARE(part(&form, "ImageRight")->stretch(), tall);
}

void TestFrame::resizingKeepsTheMinimumAndStretchesTheBorders() {
    Tfrm_qelNeoForm form(QSize(581, 429));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.resize(120, 90);
    QTRY_COMPARE(form.size(), QSize(300, 200));
    QCOMPARE(form.PanelBkGnd->geometry(), QRect(10, 50, 280, 140));

    form.resize(800, 600);
    QTRY_COMPARE(form.size(), QSize(800, 600));
    QVERIFY(part(&form, "ImageTop")->stretch());
    QVERIFY(part(&form, "ImageLeft")->stretch());
    QCOMPARE(part(&form, "ImageRightTop")->geometry(), QRect(703, 0, 100, 50));
    QCOMPARE(part(&form, "ImageBottom")->geometry(), QRect(8, 588, 800, 12));
    QCOMPARE(part(&form, "ImageRight")->geometry(), QRect(790, 48, 13, 600));

    form.resize(799, 599);
    QTRY_COMPARE(form.size(), QSize(799, 599));
    QVERIFY(!part(&form, "ImageTop")->stretch());
    QVERIFY(!part(&form, "ImageLeft")->stretch());
}

void TestFrame::everyPartFollowsTheWindow() {
    // Before its first show too: a screen measures its parts in its constructor.
    Tfrm_qelNeoForm form(QSize(581, 429), TFormBorderStyle::bsSizeable, kAllIcons);
    form.resize(700, 500);
    form.FormResize(&form);
    const QList<QPair<const char *, QRect>> expected = {
        {"ImageTop", QRect(0, 0, 700, 50)},         {"ImageLeft", QRect(0, 40, 12, 500)},
        {"ImageRight", QRect(690, 48, 13, 500)},    {"ImageBottom", QRect(8, 488, 700, 12)},
        {"ImageLeftBottom", QRect(0, 488, 10, 12)}, {"ImageLeftTop", QRect(0, 0, 85, 50)},
        {"ImageRightTop", QRect(603, 0, 100, 50)},  {"ImageClose", QRect(678, 6, 17, 19)},
        {"ImageMax", QRect(661, 6, 17, 19)},        {"ImageNormal", QRect(661, 6, 17, 19)},
        {"ImageMin", QRect(644, 6, 17, 19)},
    };
    for (const auto &[name, bounds] : expected)
        QCOMPARE(part(&form, name)->geometry(), bounds);
    QCOMPARE(part(&form, "ImageRightBottom")->pos(), QPoint(690, 488));
    QCOMPARE(form.LabelCaption->geometry(), QRect(0, 8, 700, 12));
    QCOMPARE(form.PanelBkGnd->geometry(), QRect(10, 50, 680, 440));
    // The menu band reaches the caption band's right end.
    QCOMPARE(form.findChild<QWidget *>(QStringLiteral("MenuBar"))->geometry(), QRect(9, 0, 594, 17));
}

void TestFrame::zonesFollowResizabilityAndState() {
    Tfrm_qelNeoForm fixed(QSize(377, 233), TFormBorderStyle::bsSingle, biSystemMenu);
    fixed.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fixed));
    for (const char *name : {"ResizeZoneLeft", "ResizeZoneTop", "ResizeZoneRight", "ResizeZoneBottom"})
        QVERIFY2(!zone(&fixed, name)->isVisible(), name);

    Tfrm_qelNeoForm form(QSize(581, 429), TFormBorderStyle::bsSizeable, biSystemMenu);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QWidget *right = zone(&form, "ResizeZoneRight");
    QVERIFY(right->isVisible());
    QCOMPARE(right->geometry(), QRect(597, 0, 4, 489));
    QCOMPARE(zone(&form, "ResizeZoneTop")->geometry(), QRect(0, 0, 601, 5));

    // The pointer shape follows the zone under it, corners included.
    QTest::mouseMove(&form, QPoint(598, 200));
    QTRY_COMPARE(form.childAt(598, 200)->cursor().shape(), Qt::SizeHorCursor);
    QTest::mouseMove(&form, QPoint(598, 487));
    QTRY_COMPARE(form.childAt(598, 487)->cursor().shape(), Qt::SizeFDiagCursor);
    QTest::mouseMove(&form, QPoint(2, 2));
    QTRY_COMPARE(form.childAt(2, 2)->cursor().shape(), Qt::SizeFDiagCursor);
    QTest::mouseMove(&form, QPoint(300, 2));
    QTRY_COMPARE(form.childAt(300, 2)->cursor().shape(), Qt::SizeVerCursor);

    form.setWindowState(Qt::WindowMaximized);
    QTRY_VERIFY(!right->isVisible());
    form.setWindowState(Qt::WindowNoState);
    QTRY_VERIFY(right->isVisible());
}

void TestFrame::zoneDragResizesTheWindow() {
    Tfrm_qelNeoForm form(QSize(581, 429), TFormBorderStyle::bsSizeable, biSystemMenu);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QRect start = form.geometry();
    QWidget *left = zone(&form, "ResizeZoneLeft");

    // Dragging the left edge far inwards stops at the minimum width with the right edge held in place.
    sendMouse(left, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, QPoint(2, 200));
    sendMouse(left, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, QPoint(2 + 500, 200));
    QTRY_COMPARE(form.width(), 300);
    QCOMPARE(form.geometry().right(), start.right());
    sendMouse(left, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, QPoint(2, 200));
    QCOMPARE(form.PanelBkGnd->size(), QSize(280, 429));

    // A right-button press in a zone does nothing.
    QWidget *bottom = zone(&form, "ResizeZoneBottom");
    const QSize before = form.size();
    sendMouse(bottom, QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, QPoint(100, 1));
    sendMouse(bottom, QEvent::MouseMove, Qt::NoButton, Qt::RightButton, QPoint(100, 60));
    QCOMPARE(form.size(), before);
}

void TestFrame::activationSwapsTheCaptionPictures() {
    Tfrm_qelNeoForm form(QSize(581, 429), TFormBorderStyle::bsSizeable, biSystemMenu);
    FrameImage *leftTop = part(&form, "ImageLeftTop");
    FrameImage *top = part(&form, "ImageTop");
    // Until the first activation the caption has no pictures at all.
    QVERIFY(top->picture().isNull());
    QVERIFY(leftTop->picture().isNull());

    sendActivation(&form, QEvent::WindowDeactivate);
    QCOMPARE(leftTop->size(), QSize(81, 50));
    QCOMPARE(top->picture().toImage(), part(&form, "ImageDeactiveTop")->picture().toImage());
    QCOMPARE(part(&form, "ImageRightTop")->picture().toImage(),
             part(&form, "ImageDeactiveRightTop")->picture().toImage());

    sendActivation(&form, QEvent::WindowActivate);
    QCOMPARE(leftTop->size(), QSize(85, 50));
    QCOMPARE(top->picture().toImage(), part(&form, "ImageActiveTop")->picture().toImage());
    QVERIFY(top->picture().toImage() != part(&form, "ImageDeactiveTop")->picture().toImage());

    // The corner keeps its picture's size through a relayout as well.
    sendActivation(&form, QEvent::WindowDeactivate);
    form.resize(700, 500);
    form.FormResize(&form);
    QCOMPARE(leftTop->geometry(), QRect(0, 0, 81, 50));
}

void TestFrame::captionDragMovesTheWindow() {
    Tfrm_qelNeoForm form(QSize(581, 429), TFormBorderStyle::bsSizeable, biSystemMenu);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QPoint origin = form.pos();
    FrameImage *top = part(&form, "ImageTop");

    sendMouse(top, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, QPoint(200, 30));
    QVERIFY(form.isDragging());
    QCOMPARE(form.dragOrigin(), origin);
    QCOMPARE(form.dragDownPoint(), form.mapToGlobal(QPoint(200, 30)));
    sendMouse(top, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, QPoint(230, 45));
    QTRY_COMPARE(form.pos(), origin + QPoint(30, 15));
    sendMouse(top, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, QPoint(230, 45));
    QVERIFY(!form.isDragging());

    // Once released, moving the mouse over the band moves nothing.
    sendMouse(top, QEvent::MouseMove, Qt::NoButton, Qt::NoButton, QPoint(300, 40));
    QCOMPARE(form.pos(), origin + QPoint(30, 15));
}

void TestFrame::onlyTheLeftButtonStartsADrag() {
    Tfrm_qelNeoForm form(QSize(581, 429), TFormBorderStyle::bsSizeable, biSystemMenu);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QPoint origin = form.pos();
    FrameImage *top = part(&form, "ImageTop");

    sendMouse(top, QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, QPoint(200, 30));
    QVERIFY(!form.isDragging());
    sendMouse(top, QEvent::MouseMove, Qt::NoButton, Qt::RightButton, QPoint(260, 40));
    QCOMPARE(form.pos(), origin);
    sendMouse(top, QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, QPoint(260, 40));

    // A right-button release ends a drag that the left button started.
    sendMouse(top, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, QPoint(200, 30));
    QVERIFY(form.isDragging());
    sendMouse(top, QEvent::MouseButtonRelease, Qt::RightButton, Qt::LeftButton, QPoint(200, 30));
    QVERIFY(!form.isDragging());
}

void TestFrame::doubleClicks() {
    // No maximise button: double-clicking the caption text does nothing.
    Tfrm_qelNeoForm plain(QSize(581, 429), TFormBorderStyle::bsSizeable, biSystemMenu);
    plain.show();
    QVERIFY(QTest::qWaitForWindowExposed(&plain));
    QTest::mouseDClick(plain.LabelCaption, Qt::LeftButton, {}, QPoint(100, 6));
    QTest::mouseDClick(part(&plain, "ImageTop"), Qt::LeftButton, {}, QPoint(150, 30));
    QCoreApplication::processEvents();
    QVERIFY(!plain.isMaximized());
    QVERIFY(plain.isVisible());

    // With one it maximises, and again restores.
    Tfrm_qelNeoForm full(QSize(581, 429), TFormBorderStyle::bsSizeable, kAllIcons);
    full.show();
    QVERIFY(QTest::qWaitForWindowExposed(&full));
    QTest::mouseDClick(full.LabelCaption, Qt::LeftButton, {}, QPoint(100, 6));
    QTRY_VERIFY(full.isMaximized());
    QTest::mouseDClick(full.LabelCaption, Qt::LeftButton, {}, QPoint(100, 6));
    QTRY_VERIFY(!full.isMaximized());

    // The icon closes the window on a double-click, the close button on a click.
    QTest::mouseDClick(part(&plain, "ImageIcon"), Qt::LeftButton, {}, QPoint(9, 10));
    QTRY_VERIFY(!plain.isVisible());
    QTest::mouseClick(part(&full, "ImageClose"), Qt::LeftButton);
    QTRY_VERIFY(!full.isVisible());
}

void TestFrame::firstShowCentresLaterShowsKeepThePlace() {
    Tfrm_qelNeoForm form(QSize(581, 429), TFormBorderStyle::bsSizeable, biSystemMenu);
    form.move(76, 83); // a designed place, which the first show ignores
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QTRY_COMPARE(form.pos(), QPoint(screen.x() + (screen.width() - 601) / 2, screen.y() + (screen.height() - 489) / 2));

    form.move(40, 30);
    QTRY_COMPARE(form.pos(), QPoint(40, 30));
    form.hide();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTRY_COMPARE(form.pos(), QPoint(40, 30));
}

// A screen that runs its own show handling after the frame's.
class CaptionScreen : public Tfrm_qelNeoForm {
public:
    CaptionScreen() : Tfrm_qelNeoForm(QSize(377, 233), TFormBorderStyle::bsSingle, biSystemMenu) {}
    void FormShow(QObject *Sender) override {
        Tfrm_qelNeoForm::FormShow(Sender);
        seenByScreen = LabelCaption->text();
        ++shows;
    }
    QString seenByScreen;
    int shows = 0;
};

void TestFrame::captionReachesTheBandOnShow() {
    CaptionScreen form;
    form.setCaption(QStringLiteral("考试系统"));
    QVERIFY(form.LabelCaption->text().isEmpty());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.seenByScreen, QStringLiteral("考试系统"));
    QCOMPARE(form.LabelCaption->geometry(), QRect(0, 8, 397, 12));

    // A caption changed while shown reaches the band at the next show only.
    form.setCaption(QStringLiteral("新标题"));
    QCOMPARE(form.LabelCaption->text(), QStringLiteral("考试系统"));
    form.hide();
    form.show();
    QCOMPARE(form.LabelCaption->text(), QStringLiteral("新标题"));
    QCOMPARE(form.shows, 2);
}

void TestFrame::minimisingTheMainWindowMinimisesAll() {
    Tfrm_qelNeoForm main(QSize(377, 233), TFormBorderStyle::bsSingle, kAllIcons);
    Tfrm_qelNeoForm other(QSize(581, 429), TFormBorderStyle::bsSizeable, kAllIcons);
    Tfrm_qelNeoForm::setMainWindow(&main);
    main.show();
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QVERIFY(QTest::qWaitForWindowExposed(&other));

    QTest::mouseClick(part(&other, "ImageMin"), Qt::LeftButton);
    QTRY_VERIFY(other.isMinimized());
    QVERIFY(!main.isMinimized());

    other.setWindowState(Qt::WindowNoState);
    QTRY_VERIFY(!other.isMinimized());
    QTest::mouseClick(part(&main, "ImageMin"), Qt::LeftButton);
    QTRY_VERIFY(main.isMinimized());
    QTRY_VERIFY(other.isMinimized());
    Tfrm_qelNeoForm::setMainWindow(nullptr);
}

void TestFrame::mainMenuFillsTheMenuBand() {
    Tfrm_qelNeoForm form(QSize(581, 429), TFormBorderStyle::bsSizeable, biSystemMenu);
    auto *coolBar = form.findChild<FrameCoolBar *>(QStringLiteral("CoolBar"));
    auto *menuBar = form.findChild<TMenuBar *>(QStringLiteral("MenuBar"));
    QVERIFY(coolBar && menuBar);
    QVERIFY(coolBar->isHidden());
    // The bar reaches to the right caption corner, measured from inside the band.
    QCOMPARE(menuBar->geometry(), QRect(9, 0, 601 - 97 - 9, 17));

    QMenu menu;
    menu.addMenu(QStringLiteral("文件"))->addAction(QStringLiteral("退出"));
    menu.addMenu(QStringLiteral("帮助"));
    form.setMainMenu(&menu);
    QVERIFY(!coolBar->isHidden());
    QCOMPARE(menuBar->Menu(), &menu);
    QCOMPARE(menuBar->buttons().size(), 2);

    sendActivation(&form, QEvent::WindowActivate);
    QCOMPARE(coolBar->background().toImage(), part(&form, "ImageActiveMenubar")->picture().toImage());
    sendActivation(&form, QEvent::WindowDeactivate);
    QCOMPARE(coolBar->background().height(), 17);
}

QTEST_MAIN(TestFrame)
#include "test_frame.moc"
