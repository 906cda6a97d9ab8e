// SPDX-License-Identifier: GPL-3.0-or-later

#include "tools/ToolArguments.h"

#include "engine/FileSystem.h"
#include "tools/UsageError.h"

ToolArguments::ToolArguments(const QStringList &args, const QStringList &optionNames, const QStringList &flagNames) {
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (!arg.startsWith(QStringLiteral("--")) || arg == QStringLiteral("--")) {
            m_positional.append(arg);
            continue;
        }
        const QString name = arg.mid(2);
        if (flagNames.contains(name)) {
            if (m_flags.contains(name))
                throw UsageError(QStringLiteral("选项 %1 给了两次").arg(arg));
            m_flags.insert(name);
            continue;
        }
        if (!optionNames.contains(name))
            throw UsageError(QStringLiteral("未知选项 %1").arg(arg));
        if (i + 1 >= args.size())
            throw UsageError(QStringLiteral("选项 %1 缺少取值").arg(arg));
        if (m_options.contains(name))
            throw UsageError(QStringLiteral("选项 %1 给了两次").arg(arg));
        m_options.insert(name, args[++i]);
    }
}

QStringList ToolArguments::positional(const QStringList &names) const {
    if (m_positional.size() < names.size())
        throw UsageError(QStringLiteral("缺少参数 %1").arg(names[m_positional.size()]));
    if (m_positional.size() > names.size())
        throw UsageError(QStringLiteral("多余的参数 %1").arg(m_positional[names.size()]));
    return m_positional;
}

QStringList ToolArguments::paths(const QStringList &names) const {
    QStringList list = positional(names);
    for (QString &path : list)
        path = FileSystem::pathFromArgument(path);
    return list;
}

QString ToolArguments::value(const QString &option, const QString &fallback) const {
    return m_options.value(option, fallback);
}

int ToolArguments::intValue(const QString &option, int fallback, int minimum, int maximum) const {
    if (!m_options.contains(option))
        return fallback;
    bool ok = false;
    const int number = m_options.value(option).toInt(&ok);
    if (!ok || number < minimum || number > maximum)
        throw UsageError(QStringLiteral("选项 --%1 须是 %2 到 %3 之间的整数，而不是 %4")
                             .arg(option)
                             .arg(minimum)
                             .arg(maximum)
                             .arg(m_options.value(option)));
    return number;
}
