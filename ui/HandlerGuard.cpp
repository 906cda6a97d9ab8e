// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/HandlerGuard.h"

#include <QtGlobal>

#include <exception>

namespace HandlerGuard {

namespace {

ErrorHandler &installedHandler() {
    static ErrorHandler handler;
    return handler;
}

void report(const QString &message) {
    if (const ErrorHandler &handler = installedHandler()) {
        handler(message);
        return;
    }
    qCritical("%s", qUtf8Printable(message));
}

} // namespace

bool run(const std::function<void()> &body) {
    // The bank's failures derive from std::exception and carry their Chinese message as UTF-8.
    try {
        body();
        return true;
    } catch (const std::exception &error) {
        report(QString::fromUtf8(error.what()));
    } catch (...) {
        report(unknownErrorMessage());
    }
    return false;
}

void setErrorHandler(ErrorHandler handler) {
    installedHandler() = std::move(handler);
}

QString unknownErrorMessage() {
    return QStringLiteral("程序发生了未知的错误。");
}

} // namespace HandlerGuard
