#pragma once

#include <QApplication>

// The application object with the trainer's default error handler. No exception may travel on into Qt's event
// loop: whatever a handler throws is caught here, at the one place every event passes, and shown in a message box
// titled with the product title (a bank failure with its own Chinese message); the event loop then goes on. The
// busy window is closed at once, so a failed start leaves nothing announcing work that has stopped.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    // Reports a failure as the default error handler does.
    void HandleException(const QString &message);

private:
    void showErrorMessage(const QString &message);
};
