// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <functional>
#include <memory>

class QMessageBox;
class QWidget;

// Every message box of the trainer goes through here, titled with the product title that the application sets
// (until it has, with the application's name). A test installs a handler and reads the message instead of a person
// clicking a real box.
//
// A box never outgrows the screen: a message is cut to a few short lines before it is shown (a failing statement
// of many kilobytes would otherwise make a box taller than any screen), and its last line is shown whole, down to
// the underscores that some fonts draw below their own descent.
class MessageBoxSeam {
public:
    using Handler = std::function<void(QWidget *parent, const QString &title, const QString &text)>;

    // An error message; returns when the box has been closed (or the handler has returned). The handler gets the
    // text as the box would show it.
    static void showError(QWidget *parent, const QString &text);
    // A notice that needs no answer, over `parent`: it blocks that window until it is acknowledged but returns at
    // once, so that no further event loop runs inside the caller's; it goes when acknowledged or with its parent.
    static void showNotice(QWidget *parent, const QString &text);

    // Replaces the real message box; an empty handler puts it back.
    static void setHandler(Handler handler);

    // The title of every box; an empty one puts the application's name back.
    static void setTitle(const QString &title);
    static QString title();

    // TEXT as a box shows it: at most kMaxLines lines of at most kMaxLineLength characters; a longer line keeps its
    // beginning and its end around "…", and lines past the last are left out behind a line "…".
    static QString fitted(const QString &text);
    static constexpr int kMaxLines = 8;
    static constexpr int kMaxLineLength = 200;

    // The real box for TEXT (already fitted), made but not shown.
    static std::unique_ptr<QMessageBox> errorBox(QWidget *parent, const QString &title, const QString &text);
};
