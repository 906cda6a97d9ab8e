// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QApplication>

// The application object with the trainer's default error handler. Handlers catch their own failures where they
// start and hand them to HandleException (see HandlerGuard), which shows the message in a message box titled with
// the product title (a bank failure with its own Chinese message); the event loop then goes on. The busy window is
// closed at once, so a failed start leaves nothing announcing work that has stopped.
//
// notify is the last resort for a failure that a handler let through: it is caught at the one place every event
// passes and reported the same way. Each such catch is counted, so a test can show that the known roads never get
// that far.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int &argc, char **argv);
    ~Application() override;

    bool notify(QObject *receiver, QEvent *event) override;

    // Reports a failure as the default error handler does.
    void HandleException(const QString &message);

    // How many failures have reached notify since the application was made.
    int lastResortCatches() const { return m_lastResortCatches; }

private:
    void showErrorMessage(const QString &message);

    int m_lastResortCatches = 0;
};
