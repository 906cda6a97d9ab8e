#include "Application.h"

#include <QTimer>
#include <QWidget>

#include <exception>

#include "AppInfo.h"
#include "BankError.h"
#include "BusyMessage.h"
#include "Fonts.h"
#include "InputGate.h"
#include "JetChildReader.h"
#include "MessageBoxSeam.h"
#include "ScreenGlobals.h"
#include "Tfrm_qelNeoForm.h"

Application::Application(int &argc, char **argv) : QApplication(argc, argv) {
    installFontSubstitutions();
    setFont(songFont(12));
    setApplicationDisplayName(productTitle());
    // A legacy bank's reading child may take up to its deadline; the windows stay alive meanwhile.
    JetChildReader::setWaitGuardFactory(&InputGate::forTrainer);
}

bool Application::notify(QObject *receiver, QEvent *event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const BankError &error) {
        HandleException(error.message());
    } catch (const std::exception &error) {
        HandleException(QString::fromUtf8(error.what()));
    } catch (...) {
        HandleException(QStringLiteral("程序发生了未知的错误。"));
    }
    return false;
}

void Application::HandleException(const QString &message) {
    CloseBusyMessage();
    // The failure may have been thrown from inside a show or paint of some window, in the middle of Qt's own
    // bookkeeping for it; the box, with its nested event loop, waits until that event has been delivered.
    QTimer::singleShot(0, this, [this, message] { showErrorMessage(message); });
}

void Application::showErrorMessage(const QString &message) {
    QWidget *parent = nullptr;
    if (Frm_Ks_Sta && Frm_Ks_Sta->isVisible() && Frm_Ks_Sta->isEnabled())
        parent = Frm_Ks_Sta;
    MessageBoxSeam::showError(parent, message);
}
