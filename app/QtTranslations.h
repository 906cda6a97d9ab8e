// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QCoreApplication;

// Qt's own texts (the buttons of message boxes and other standard dialogs: "确定" rather than "OK") in Chinese, as
// every text of the program is, whatever language the desktop is set to. Qt's translations are installed by the
// system (Debian's qt6-translations-l10n); without them Qt's English texts remain. Returns whether they were loaded.
bool installQtTranslations(QCoreApplication *app);
