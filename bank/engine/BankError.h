// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <stdexcept>

#include <QString>

// Every failure of the question-bank layer: a missing or damaged file, a refused credential, a failing statement or
// a column the result lacks. The message is the Chinese text shown to the candidate and names the file or the
// problem; nothing below the application's error handler catches it.
class BankError : public std::runtime_error {
public:
    explicit BankError(const QString &message) : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};
