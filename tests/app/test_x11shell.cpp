// SPDX-License-Identifier: GPL-3.0-or-later

#include <QElapsedTimer>
#include <QSet>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <thread>
#include <vector>
#include <xcb/xcb.h>

#include "app/BusyMessage.h"
#include "app/TAnimate.h"
#include "app/Tx_printmessage.h"
#include "ui/ModalLayer.h"

// The parts of the shell that only a real display shows: the busy clip moving while the user-interface thread is
// busy, and a window behind a modal one refusing the window system's close request. Runs under xvfb-run.
namespace {

// A display connection of the test's own, as a window manager or a screen grabber would have.
class XConnection {
public:
    XConnection() : m_xcb(xcb_connect(nullptr, nullptr)) {}
    ~XConnection() { xcb_disconnect(m_xcb); }
    bool ok() const { return !xcb_connection_has_error(m_xcb); }

    QByteArray grab(xcb_window_t window, const QRect &area) {
        const auto cookie = xcb_get_image(m_xcb, XCB_IMAGE_FORMAT_Z_PIXMAP, window, qint16(area.x()), qint16(area.y()),
                                          quint16(area.width()), quint16(area.height()), ~0u);
        xcb_get_image_reply_t *reply = xcb_get_image_reply(m_xcb, cookie, nullptr);
        if (!reply)
            return {};
        const QByteArray pixels(reinterpret_cast<const char *>(xcb_get_image_data(reply)),
                                xcb_get_image_data_length(reply));
        std::free(reply);
        return pixels;
    }

    // What a window manager sends when the user closes a window from its frame.
    void requestClose(xcb_window_t window) {
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = atom("WM_PROTOCOLS");
        message.data.data32[0] = atom("WM_DELETE_WINDOW");
        message.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(m_xcb, false, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&message));
        xcb_flush(m_xcb);
    }

private:
    xcb_atom_t atom(const char *name) {
        auto *reply = xcb_intern_atom_reply(m_xcb, xcb_intern_atom(m_xcb, 0, quint16(strlen(name)), name), nullptr);
        const xcb_atom_t value = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        return value;
    }

    xcb_connection_t *m_xcb;
};

class CloseCounter : public QObject {
public:
    int closes = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Close)
            ++closes;
        return false;
    }
};

void busyFor(int ms) {
    QElapsedTimer clock;
    clock.start();
    volatile double sink = 0;
    while (clock.elapsed() < ms)
        sink = sink + 1.0;
}
} // namespace

class TestX11Shell : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void busyClipMovesWhileTheInterfaceThreadIsBusy();
    void windowBehindAModalOneRefusesTheWindowSystemsClose();
};

void TestX11Shell::initTestCase() {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs an X display");
    QVERIFY(XConnection().ok());
}

void TestX11Shell::busyClipMovesWhileTheInterfaceThreadIsBusy() {
    Tx_printmessage window;
    x_printmessage = &window;
    ShowBusyMessage(QStringLiteral("正在随机抽题请等待...."), 3);
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const xcb_window_t id = xcb_window_t(window.winId());
    const QRect area(window.Animate1->mapTo(&window, QPoint(0, 0)), window.Animate1->size());

    // Grab the clip's spot from another thread while this one works without looking at any event.
    std::vector<QByteArray> samples;
    std::thread grabber([&samples, id, area] {
        XConnection display;
        for (int i = 0; i < 6; ++i) {
            samples.push_back(display.grab(id, area));
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
        }
    });
    busyFor(1200);
    grabber.join();
    CloseBusyMessage();
    x_printmessage = nullptr;

    QSet<QByteArray> distinct;
    for (const QByteArray &sample : samples) {
        QVERIFY(!sample.isEmpty());
        distinct.insert(sample);
    }
    QVERIFY2(distinct.size() >= 3, qPrintable(QString::number(distinct.size())));
}

void TestX11Shell::windowBehindAModalOneRefusesTheWindowSystemsClose() {
    QWidget start;
    start.resize(200, 100);
    start.show();
    QVERIFY(QTest::qWaitForWindowExposed(&start));
    QWidget modal;
    modal.resize(150, 80);
    XConnection display;
    CloseCounter counter;

    int closesSeen = 0;
    bool stillVisible = false;
    QTimer::singleShot(0, [&] {
        // Installed after the modal layer's own filter, so it sees the request first.
        start.installEventFilter(&counter);
        display.requestClose(xcb_window_t(start.winId()));
        QElapsedTimer clock;
        clock.start();
        while (counter.closes == 0 && clock.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        closesSeen = counter.closes;
        stillVisible = start.isVisible();
        modal.close();
    });
    showModal(&modal);
    QCOMPARE(closesSeen, 1);
    QVERIFY(stillVisible);

    // Without the modal window the same request closes it.
    display.requestClose(xcb_window_t(start.winId()));
    QTRY_VERIFY(!start.isVisible());
}

QTEST_MAIN(TestX11Shell)
#include "test_x11shell.moc"
