// SPDX-License-Identifier: GPL-3.0-or-later

#include <QTimer>

#include <exception>

#include "app/AppShell.h"
#include "app/Application.h"
#include "engine/BankError.h"
#include "screens/ScreenGlobals.h"
#include "ui/MessageBoxSeam.h"
#include "ui/Tfrm_qelNeoForm.h"

namespace {
#ifdef MOCKEXAM_SMOKE_HOOK
// For the headless smoke run: close the main window through its ordinary close path after the given time.
void scheduleSmokeQuit() {
    bool ok = false;
    const int afterMs = qEnvironmentVariableIntValue("MOCKEXAM_SMOKE_QUIT_AFTER_MS", &ok);
    if (ok && afterMs >= 0)
        QTimer::singleShot(afterMs, Frm_Ks_Sta, [] { Frm_Ks_Sta->close(); });
}
#else
void scheduleSmokeQuit() {}
#endif
} // namespace

int main(int argc, char *argv[]) {
    Application app(argc, argv);
    try {
        createInstances();
    } catch (const BankError &error) {
        MessageBoxSeam::showError(nullptr, error.message());
        return 1;
    } catch (const std::exception &error) {
        MessageBoxSeam::showError(nullptr, QString::fromUtf8(error.what()));
        return 1;
    }
    // Showing the main window is the message loop's first piece of work, so that its splash runs inside the loop
    // and a request to end the program during the splash is heard.
    QTimer::singleShot(0, &app, showMainWindow);
    scheduleSmokeQuit();
    const int result = app.exec();
    destroyInstances();
    return result;
}
