// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <stdexcept>

#include <QString>

#include "engine/FileSystem.h"

// Every failure of the question-bank layer: a missing or damaged file, a refused credential, a failing statement or
// a column the result lacks. The message is the Chinese text shown to the candidate and names the file or the
// problem; nothing below the application's error handler catches it. A path in it is given as the user knows it,
// never as the open folder a name that is not UTF-8 is reached through (see FileSystem::pathFromArgument).
class BankError : public std::runtime_error {
public:
    explicit BankError(const QString &message)
        : std::runtime_error(FileSystem::shownText(message).toStdString()), m_message(FileSystem::shownText(message)) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};
