// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Application.h"

#include <QTimer>
#include <QWidget>

#include <exception>

#include "app/AppInfo.h"
#include "app/BusyMessage.h"
#include "app/InputGate.h"
#include "app/QtTranslations.h"
#include "engine/BankError.h"
#include "formats/BankFormats.h"
#include "jet/JetChildReader.h"
#include "screens/ScreenGlobals.h"
#include "ui/Fonts.h"
#include "ui/HandlerGuard.h"
#include "ui/MessageBoxSeam.h"
#include "ui/ModalLayer.h"
#include "ui/Tfrm_qelNeoForm.h"

Application::Application(int &argc, char **argv) : QApplication(argc, argv) {
    installQtTranslations(this);
    installFontSubstitutions();
    setFont(songFont(12));
    // Not the application's display name: Qt would append that to the title of every window, and the titles are
    // the screens' captions, nothing more.
    MessageBoxSeam::setTitle(productTitle());
    HandlerGuard::setErrorHandler([this](const QString &message) { HandleException(message); });
    // Legacy Access/Jet banks open as well as our own.
    BankFormats::installAll();
    // A legacy bank's reading child may take up to its deadline; the windows stay alive meanwhile.
    JetChildReader::setReentryGuardFactory(
        []() -> std::unique_ptr<JetChildReader::ReentryGuard> { return InputGate::forTrainer(); });
}

Application::~Application() {
    HandlerGuard::setErrorHandler({});
}

bool Application::notify(QObject *receiver, QEvent *event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const BankError &error) {
        ++m_lastResortCatches;
        HandleException(error.message());
    } catch (const std::exception &error) {
        ++m_lastResortCatches;
        HandleException(QString::fromUtf8(error.what()));
    } catch (...) {
        ++m_lastResortCatches;
        HandleException(HandlerGuard::unknownErrorMessage());
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
    if (Frm_Ks_Sta && Frm_Ks_Sta->isVisible() && Frm_Ks_Sta->isEnabled() && !isBlockedByModal(Frm_Ks_Sta))
        parent = Frm_Ks_Sta;
    MessageBoxSeam::showError(parent, message);
}
