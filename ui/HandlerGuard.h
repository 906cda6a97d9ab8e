// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <functional>

// The trainer's event handlers run their bodies through HandlerGuard::run, so that a failure stops at the handler
// that raised it: a bank failure in the drawing, or anything else thrown there, is handed to the error handler and
// never travels on through Qt's event dispatch, which does not support exceptions passing through it.
//
// The application registers its default error handler at start-up. Until it has, a failure is logged as critical,
// so that a test of a single screen sees it without a message box waiting for a click.
namespace HandlerGuard {

using ErrorHandler = std::function<void(const QString &message)>;

// Runs `body`; true when it ran to its end, false when it failed and the failure has been reported.
bool run(const std::function<void()> &body);

// Replaces the error handler; an empty one puts the default back.
void setErrorHandler(ErrorHandler handler);

// The text shown for a failure that carries no message of its own.
QString unknownErrorMessage();

} // namespace HandlerGuard
