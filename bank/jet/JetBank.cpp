// SPDX-License-Identifier: GPL-3.0-or-later

#include "jet/JetBank.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include "engine/BankError.h"
#include "engine/BankFile.h"
#include "engine/BankFormat.h"
#include "engine/SqliteDatabase.h"
#include "jet/JetChildReader.h"
#include "jet/JetFileVersion.h"
#include "jet/JetHeader.h"
#include "jet/JetSnapshot.h"
#include "jet/JetWorkgroup.h"

namespace {

JetHeader readHeader(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw BankError(QStringLiteral("无法读取题库文件（没有读取权限）：%1").arg(path));
    JetHeader header;
    if (!JetHeader::decode(file.read(JetHeader::kSize), &header))
        throw BankError(QStringLiteral("题库文件已损坏（Access/Jet 文件头无法识别）：%1").arg(path));
    return header;
}

void requireJet4(const JetHeader &header, const QString &path) {
    if (header.version == JetHeader::Jet4)
        return;
    if (header.version == JetHeader::Jet3)
        throw BankError(QStringLiteral("题库文件是 Jet 3（Access 97）格式的 Access/Jet 数据库，"
                                       "练习程序只能读取 Jet 4（Access 2000–2003）格式：%1")
                            .arg(path));
    throw BankError(QStringLiteral("题库文件是 Access 2007 或更新版本格式的数据库，"
                                   "练习程序只能读取 Access/Jet 4（Access 2000–2003）格式：%1")
                        .arg(path));
}

class JetFormat final : public BankFormat {
public:
    bool recognises(const QString &path) const override { return JetBank::recognises(path); }

    void verifyLogon(const ConnectionSettings &settings) const override {
        const QString &path = settings.dataSource;
        const JetHeader header = readHeader(path);
        requireJet4(header, path);
        if (!header.accepts(QString::fromUtf8(settings.databasePassword)))
            throw BankError(BankFile::wrongPasswordMessage(path));
        JetWorkgroup::verify(settings.systemDatabase, settings.userId);
    }

    void open(SqliteDatabase &db, const ConnectionSettings &settings) const override {
        const QString &path = settings.dataSource;
        const QByteArray version = JetFileVersion::of(path);
        if (version.isEmpty())
            throw BankError(QStringLiteral("无法读取题库文件：%1").arg(path));
        QByteArray name = JetSnapshot::find(version);
        if (name.isEmpty())
            name = JetSnapshot::build(version, JetChildReader::read(path, {}, QStringLiteral("题库文件")), path);
        if (db.openSharedMemory(name, SqliteDatabase::Mode::ReadOnly) != SQLITE_OK)
            throw BankError(QStringLiteral("无法打开题库文件：%1（%2）").arg(path, db.errorMessage()));
    }
};

} // namespace

namespace JetBank {

bool recognises(const QString &path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    return JetHeader::recognises(file.read(JetHeader::kSize));
}

const BankFormat &format() {
    static const JetFormat jet;
    return jet;
}

} // namespace JetBank
