#pragma once

#include <QString>

#include <functional>

class QWidget;

// Every message box of the trainer goes through here, titled with the product title that the application sets
// (until it has, with the application's name). A test installs a handler and reads the message instead of a person
// clicking a real box.
class MessageBoxSeam {
public:
    using Handler = std::function<void(QWidget *parent, const QString &title, const QString &text)>;

    // An error message; returns when the box has been closed (or the handler has returned).
    static void showError(QWidget *parent, const QString &text);
    // A notice that needs no answer, over `parent`: it blocks that window until it is acknowledged but returns at
    // once, so that no further event loop runs inside the caller's; it goes when acknowledged or with its parent.
    static void showNotice(QWidget *parent, const QString &text);

    // Replaces the real message box; an empty handler puts it back.
    static void setHandler(Handler handler);

    // The title of every box; an empty one puts the application's name back.
    static void setTitle(const QString &title);
    static QString title();
};
