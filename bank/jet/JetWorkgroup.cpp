// SPDX-License-Identifier: GPL-3.0-or-later

#include "jet/JetWorkgroup.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

#include "engine/BankError.h"
#include "jet/JetChildReader.h"
#include "jet/JetFileVersion.h"
#include "jet/JetHeader.h"

namespace {

const QString kRole = QStringLiteral("工作组文件");
const QString kAccounts = QStringLiteral("MSysAccounts");

QSet<QByteArray> &verified() {
    static QSet<QByteArray> logons;
    return logons;
}

} // namespace

namespace JetWorkgroup {

void verify(const QString &path, const QByteArray &user) {
    const QFileInfo info(path);
    if (!info.exists())
        throw BankError(QStringLiteral("工作组文件不存在：%1").arg(path));
    if (!info.isFile())
        throw BankError(QStringLiteral("不是工作组文件：%1").arg(path));
    const QByteArray version = JetFileVersion::of(path);
    const QByteArray logon = version + '|' + user.toLower();
    if (!version.isEmpty() && verified().contains(logon))
        return;

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw BankError(QStringLiteral("无法读取工作组文件（没有读取权限）：%1").arg(path));
    if (!JetHeader::recognises(file.read(JetHeader::kSize)))
        throw BankError(
            QStringLiteral("不是工作组文件（题库是 Access/Jet 格式，工作组文件也必须是 Access/Jet 格式）：%1")
                .arg(path));
    file.close();

    const QList<JetTable> tables = JetChildReader::read(path, {kAccounts}, kRole);
    const JetTable *accounts = nullptr;
    for (const JetTable &table : tables)
        if (table.name.compare(kAccounts, Qt::CaseInsensitive) == 0)
            accounts = &table;
    if (!accounts)
        throw BankError(QStringLiteral("不是工作组文件（其中没有账户表 MSysAccounts）：%1").arg(path));
    int nameColumn = -1;
    for (int c = 0; c < accounts->columns.size(); ++c)
        if (accounts->columns[c].name.compare(QLatin1String("Name"), Qt::CaseInsensitive) == 0)
            nameColumn = c;
    if (nameColumn < 0)
        throw BankError(QStringLiteral("工作组文件已损坏（账户表 MSysAccounts 没有 Name 列）：%1").arg(path));

    const QString wanted = QString::fromUtf8(user);
    for (const QCborArray &row : accounts->rows) {
        const QCborValue name = row.at(nameColumn);
        if (name.isString() && name.toString().compare(wanted, Qt::CaseInsensitive) == 0) {
            if (!version.isEmpty())
                verified().insert(logon);
            return;
        }
    }
    throw BankError(QStringLiteral("工作组文件中没有用户“%1”：%2").arg(wanted, path));
}

} // namespace JetWorkgroup
