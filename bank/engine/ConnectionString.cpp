// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/ConnectionString.h"

#include "engine/BankError.h"

namespace {

const char kDefaultUser[] = "xyz";
const char kDefaultPassword[] = "mvkpla.27.zqe";

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

// A value that the plain form would misread is wrapped in double quotes, inner quotes doubled.
QString quotedIfNeeded(const QString &value) {
    const bool needs = value.contains(QLatin1Char(';')) ||
                       (!value.isEmpty() && (isBlank(value.front()) || isBlank(value.back()) ||
                                             value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')));
    if (!needs)
        return value;
    QString inner = value;
    inner.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

QString describe(const QString &connectionString) {
    return QStringLiteral("连接字符串有误：%1").arg(connectionString);
}

} // namespace

QString jetProviderName() {
    return QStringLiteral("Microsoft.Jet.OLEDB.4.0");
}

QList<QPair<QString, QString>> parseConnectionPairs(const QString &text) {
    QList<QPair<QString, QString>> pairs;
    int i = 0;
    const int n = int(text.size());
    while (i < n) {
        // Key: up to "=", where "==" stands for a literal "=" in the key.
        QString key;
        bool sawEquals = false;
        while (i < n) {
            const QChar c = text[i];
            if (c == QLatin1Char('=')) {
                if (i + 1 < n && text[i + 1] == QLatin1Char('=')) {
                    key += c;
                    i += 2;
                    continue;
                }
                sawEquals = true;
                ++i;
                break;
            }
            if (c == QLatin1Char(';'))
                break;
            key += c;
            ++i;
        }
        key = key.trimmed();
        if (!sawEquals) {
            if (!key.isEmpty())
                throw BankError(describe(text) + QStringLiteral("（“%1”缺少“=”）").arg(key));
            ++i; // an empty pair between two ";"
            continue;
        }
        if (key.isEmpty())
            throw BankError(describe(text) + QStringLiteral("（有一项缺少名称）"));

        while (i < n && isBlank(text[i]))
            ++i;
        QString value;
        if (i < n && (text[i] == QLatin1Char('"') || text[i] == QLatin1Char('\''))) {
            const QChar quote = text[i++];
            bool closed = false;
            while (i < n) {
                if (text[i] == quote) {
                    if (i + 1 < n && text[i + 1] == quote) {
                        value += quote;
                        i += 2;
                        continue;
                    }
                    closed = true;
                    ++i;
                    break;
                }
                value += text[i++];
            }
            if (!closed)
                throw BankError(describe(text) + QStringLiteral("（“%1”的引号没有结束）").arg(key));
            while (i < n && isBlank(text[i]))
                ++i;
            if (i < n && text[i] != QLatin1Char(';'))
                throw BankError(describe(text) + QStringLiteral("（“%1”的引号后还有多余的字符）").arg(key));
        } else {
            const int start = i;
            while (i < n && text[i] != QLatin1Char(';'))
                ++i;
            value = text.mid(start, i - start).trimmed();
        }
        ++i; // past ";"
        pairs.append({key, value});
    }
    return pairs;
}

ConnectionSettings parseConnectionString(const QString &connectionString) {
    ConnectionSettings settings;
    bool hasUser = false;
    for (const auto &[key, value] : parseConnectionPairs(connectionString)) {
        const QString k = key.simplified().toLower();
        if (k == QLatin1String("provider"))
            settings.provider = value;
        else if (k == QLatin1String("data source"))
            settings.dataSource = value;
        else if (k == QLatin1String("jet oledb:system database"))
            settings.systemDatabase = value;
        else if (k == QLatin1String("user id")) {
            settings.userId = value.toUtf8();
            hasUser = true;
        } else if (k == QLatin1String("password"))
            settings.password = value.toUtf8();
        else if (k == QLatin1String("jet oledb:database password"))
            settings.databasePassword = value.toUtf8();
        // Other elements (Persist Security Info, Mode, further Jet OLEDB properties) change nothing here: the bank
        // is always opened read-only and shared.
    }
    if (settings.provider.isEmpty())
        throw BankError(QStringLiteral("连接字符串没有指定数据提供程序（Provider）：%1").arg(connectionString));
    if (settings.provider.compare(jetProviderName(), Qt::CaseInsensitive) != 0)
        throw BankError(
            QStringLiteral("不支持数据提供程序“%1”，题库只能通过 %2 打开").arg(settings.provider, jetProviderName()));
    if (settings.dataSource.isEmpty())
        throw BankError(QStringLiteral("连接字符串没有指定题库文件（Data Source）：%1").arg(connectionString));
    if (settings.systemDatabase.isEmpty())
        throw BankError(
            QStringLiteral("连接字符串没有指定工作组文件（Jet OLEDB:System database）：%1").arg(connectionString));
    if (!hasUser || settings.userId.isEmpty())
        throw BankError(QStringLiteral("连接字符串没有指定工作组用户（User ID）：%1").arg(connectionString));
    return settings;
}

QString buildConnectionString(const QString &bankPath, const QString &workgroupPath) {
    return buildConnectionString(bankPath, workgroupPath, kDefaultUser, kDefaultPassword, kDefaultPassword);
}

QString buildConnectionString(const QString &bankPath, const QString &workgroupPath, const QByteArray &user,
                              const QByteArray &password, const QByteArray &databasePassword) {
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Password=") + quotedIfNeeded(QString::fromUtf8(password)) +
           QStringLiteral(";User ID=") + quotedIfNeeded(QString::fromUtf8(user)) + QStringLiteral(";Data Source=") +
           quotedIfNeeded(bankPath) + QStringLiteral(";Persist Security Info=True;Jet OLEDB:System database=") +
           quotedIfNeeded(workgroupPath) + QStringLiteral(";Jet OLEDB:Database Password=") +
           quotedIfNeeded(QString::fromUtf8(databasePassword));
}
