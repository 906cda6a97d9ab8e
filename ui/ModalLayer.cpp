// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/ModalLayer.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QList>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include "ui/UserInput.h"

namespace {

bool isAncestorWindow(const QWidget *candidate, const QWidget *window) {
    for (const QWidget *w = window->parentWidget(); w; w = w->parentWidget()) {
        if (w == candidate)
            return true;
    }
    return false;
}

class ModalRun;
QList<ModalRun *> s_runs;

// Input reaches a window first as an event of its native window, then as an event of one of its widgets (or of a
// widget's shortcut); only a filter on the application sees both.
class InputBlocker : public QObject {
public:
    explicit InputBlocker(const ModalRun *run) : m_run(run) { qApp->installEventFilter(this); }
    ~InputBlocker() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    const ModalRun *m_run;
};

// One modal showing: blocks the visible windows on construction and gives them back on destruction, also when the
// showing ends early.
class ModalRun : public QObject {
public:
    explicit ModalRun(QWidget *window) : m_window(window) {
        const QList<QWidget *> windows = QApplication::topLevelWidgets();
        for (QWidget *w : windows) {
            const Qt::WindowType type = w->windowType();
            if (w == window || !w->isVisible() || !w->isEnabled() || type == Qt::ToolTip || type == Qt::Popup ||
                isAncestorWindow(w, window))
                continue;
            w->installEventFilter(this);
            m_blocked.append(w);
        }
        window->installEventFilter(this);
        connect(window, &QObject::destroyed, &m_loop, &QEventLoop::quit);
        s_runs.append(this);
    }

    ~ModalRun() override {
        s_runs.removeOne(this);
        for (const QPointer<QWidget> &w : qAsConst(m_blocked))
            if (w)
                w->removeEventFilter(this);
        if (m_window)
            m_window->removeEventFilter(this);
    }

    void exec() {
        m_window->show();
        m_window->raise();
        m_window->activateWindow();
        // The window may already be gone again: its show handling can hide it.
        if (m_window && m_window->isVisible())
            m_loop.exec(QEventLoop::DialogExec);
    }

    bool blocks(const QWidget *window) const {
        for (const QPointer<QWidget> &w : m_blocked)
            if (w == window)
                return true;
        return false;
    }

    // The top-level window that an event's receiver belongs to: a widget's window, the widget of a native window,
    // or the window of the widget that owns a shortcut.
    static const QWidget *windowOf(const QObject *receiver) {
        if (const auto *native = qobject_cast<const QWindow *>(receiver)) {
            for (ModalRun *run : qAsConst(s_runs))
                for (const QPointer<QWidget> &w : qAsConst(run->m_blocked))
                    if (w && w->windowHandle() == native)
                        return w;
            return nullptr;
        }
        for (const QObject *o = receiver; o; o = o->parent())
            if (o->isWidgetType())
                return static_cast<const QWidget *>(o)->window();
        return nullptr;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (watched == m_window) {
            // A minimised window gets a hide event of the window system's but stays visible: that does not end it.
            if (event->type() == QEvent::Hide && !m_window->isVisible())
                m_loop.quit();
            return false;
        }
        // A blocked window cannot be closed by the user; the program itself still may.
        if (event->type() == QEvent::Close && event->spontaneous()) {
            event->ignore();
            return true;
        }
        return false;
    }

private:
    QPointer<QWidget> m_window;
    QList<QPointer<QWidget>> m_blocked;
    QEventLoop m_loop;
    InputBlocker m_input{this};
};

bool InputBlocker::eventFilter(QObject *watched, QEvent *event) {
    return isUserInputEvent(event->type()) && m_run->blocks(ModalRun::windowOf(watched));
}

} // namespace

void showModal(QWidget *window) {
    if (!window)
        return;
    ModalRun run(window);
    run.exec();
}

bool isBlockedByModal(const QWidget *window) {
    for (const ModalRun *run : qAsConst(s_runs))
        if (run->blocks(window))
            return true;
    return false;
}
