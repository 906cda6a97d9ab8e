#include "ModalLayer.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QList>
#include <QPointer>
#include <QWidget>

namespace {

bool isAncestorWindow(const QWidget *candidate, const QWidget *window) {
    for (const QWidget *w = window->parentWidget(); w; w = w->parentWidget()) {
        if (w == candidate)
            return true;
    }
    return false;
}

// One modal showing: disables the visible windows on construction and gives them back on destruction, also when
// the showing ends early.
class ModalRun : public QObject {
public:
    explicit ModalRun(QWidget *window) : m_window(window) {
        const QList<QWidget *> windows = QApplication::topLevelWidgets();
        for (QWidget *w : windows) {
            const Qt::WindowType type = w->windowType();
            if (w == window || !w->isVisible() || !w->isEnabled() || type == Qt::ToolTip || type == Qt::Popup ||
                isAncestorWindow(w, window))
                continue;
            w->setEnabled(false);
            w->installEventFilter(this);
            m_disabled.append(w);
        }
        window->installEventFilter(this);
        connect(window, &QObject::destroyed, &m_loop, &QEventLoop::quit);
    }

    ~ModalRun() override {
        for (const QPointer<QWidget> &w : qAsConst(m_disabled)) {
            if (!w)
                continue;
            w->removeEventFilter(this);
            w->setEnabled(true);
        }
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

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (watched == m_window) {
            // A minimised window gets a hide event of the window system's but stays visible: that does not end it.
            if (event->type() == QEvent::Hide && !m_window->isVisible())
                m_loop.quit();
            return false;
        }
        // A disabled window cannot be closed by the user; the program itself still may.
        if (event->type() == QEvent::Close && event->spontaneous()) {
            event->ignore();
            return true;
        }
        return false;
    }

private:
    QPointer<QWidget> m_window;
    QList<QPointer<QWidget>> m_disabled;
    QEventLoop m_loop;
};

} // namespace

void showModal(QWidget *window) {
    if (!window)
        return;
    ModalRun run(window);
    run.exec();
}
