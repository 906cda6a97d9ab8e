#include "MessageBoxSeam.h"

#include <QGuiApplication>
#include <QMessageBox>

namespace {
MessageBoxSeam::Handler &installedHandler() {
    static MessageBoxSeam::Handler handler;
    return handler;
}

QString &boxTitle() {
    static QString title;
    return title;
}
} // namespace

void MessageBoxSeam::showError(QWidget *parent, const QString &text) {
    const QString title = MessageBoxSeam::title();
    if (const Handler &handler = installedHandler()) {
        handler(parent, title, text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, parent);
    box.exec();
}

void MessageBoxSeam::showNotice(QWidget *parent, const QString &text) {
    const QString title = MessageBoxSeam::title();
    if (const Handler &handler = installedHandler()) {
        handler(parent, title, text);
        return;
    }
    auto *box = new QMessageBox(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void MessageBoxSeam::setHandler(Handler handler) {
    installedHandler() = std::move(handler);
}

void MessageBoxSeam::setTitle(const QString &title) {
    boxTitle() = title;
}

QString MessageBoxSeam::title() {
    return boxTitle().isEmpty() ? QGuiApplication::applicationDisplayName() : boxTitle();
}
