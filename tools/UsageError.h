// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <stdexcept>

#include <QString>

// A mockexam-bank command called with arguments it cannot use. The runner prints the Chinese message with the
// command's usage line and ends with exit status 2.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const QString &message) : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};
