// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

// The arguments of one mockexam-bank command: positional ones in order, "--name value" options and "--name" flags
// from fixed sets. Anything else is a UsageError, so a mistyped option is never taken for a path.
class ToolArguments {
public:
    ToolArguments(const QStringList &args, const QStringList &optionNames, const QStringList &flagNames = {});

    // The positional arguments, one for each of `names` (used in messages); a UsageError for too few or too many.
    QStringList positional(const QStringList &names) const;
    // The same, each as a path that opens the file or folder it names (see FileSystem::pathFromArgument).
    QStringList paths(const QStringList &names) const;

    bool has(const QString &option) const { return m_options.contains(option) || m_flags.contains(option); }
    QString value(const QString &option, const QString &fallback = QString()) const;
    // A whole number in [minimum, maximum]; a UsageError for anything else.
    int intValue(const QString &option, int fallback, int minimum, int maximum) const;

private:
    QStringList m_positional;
    QHash<QString, QString> m_options;
    QSet<QString> m_flags;
};
