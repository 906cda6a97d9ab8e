// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/TADOConnection.h"

#include <QDir>
#include <QFileInfo>

#include "engine/BankError.h"
#include "engine/BankFile.h"
#include "engine/TADOConnectionPrivate.h"
#include "engine/TADOQuery.h"
#include "engine/WorkgroupFile.h"
#include "jet/JetBank.h"

namespace {

// The workgroup logon before our bank opens; returns the identity of the bank the workgroup file belongs with.
QByteArray logOn(const ConnectionSettings &settings) {
    try {
        return WorkgroupFile::verify(settings.systemDatabase, settings.userId, settings.password);
    } catch (const BankError &) {
        // A genuine Access/Jet workgroup file belongs to a legacy bank: beside it, a bank file that is no
        // Access/Jet file is the one at fault (damaged or replaced), and the message must name it.
        if (!JetBank::recognises(settings.systemDatabase))
            throw;
        BankFile::requirePlainBank(settings.dataSource);
        throw BankError(QStringLiteral("题库文件已损坏或不是题库文件：%1（工作组文件 %2 是 Access/Jet 格式，"
                                       "题库文件却不是；若题库文件无误，则是放错了工作组文件）")
                            .arg(settings.dataSource, settings.systemDatabase));
    }
}

} // namespace

void TADOConnection::Private::ensureOpen() {
    if (db.isOpen())
        return;
    // The string is read only now, as the provider would: assigning a faulty one is not yet an error.
    const ConnectionSettings settings = parseConnectionString(connectionString);
    // Without its folder there is nothing to open; said as such, rather than as the first file found missing.
    const QFileInfo bankFile(settings.dataSource);
    if (!bankFile.dir().exists())
        throw BankError(QStringLiteral("找不到题库文件夹：%1").arg(QDir::toNativeSeparators(bankFile.absolutePath())));
    const bool legacy = JetBank::recognises(settings.dataSource);
    // A build replaces the workgroup file a moment before the bank; a logon that falls between the two renames
    // meets the new workgroup file beside the old bank and simply tries the pair once more.
    for (int attempt = 1;; ++attempt) {
        const QByteArray bankIdentity = legacy ? QByteArray() : logOn(settings);
        try {
            if (legacy)
                JetBank::open(db, settings);
            else
                BankFile::open(db, settings.dataSource, settings.databasePassword);
            if (bankIdentity.isEmpty() || BankFile::identityOfOpen(db) == bankIdentity)
                break;
            if (attempt >= 2)
                throw BankError(BankFile::mismatchMessage(settings.dataSource, settings.systemDatabase));
        } catch (...) {
            // A bank that opened but was then refused (wrong key, foreign file) must not leave the connection open.
            db.close();
            throw;
        }
        db.close();
    }
    bankPath = settings.dataSource;
    ++opens;
}

void TADOConnection::Private::queryClosed() {
    if (activeQueries > 0)
        --activeQueries;
    if (activeQueries == 0)
        db.close();
}

TADOConnection::TADOConnection(QObject *parent) : QObject(parent), m_d(new Private) {}

TADOConnection::~TADOConnection() {
    // A query may outlive its connection (the data module destroys its children in creation order): it is closed
    // and let go here, so that it never reaches a connection that is gone.
    for (TADOQuery *query : m_d->queries) {
        query->Close();
        query->detachConnection();
    }
    m_d->db.close();
    delete m_d;
}

void TADOConnection::setConnectionString(const QString &connectionString) {
    if (Connected())
        throw BankError(QStringLiteral("题库连接打开时不能更改连接字符串，请先关闭连接"));
    m_d->connectionString = connectionString;
}

QString TADOConnection::connectionString() const {
    return m_d->connectionString;
}

bool TADOConnection::Connected() const {
    return m_d->db.isOpen();
}

void TADOConnection::Close() {
    // Closing the connection closes its open queries first, as they read from it.
    const QList<TADOQuery *> queries = m_d->queries;
    for (TADOQuery *query : queries)
        query->Close();
    m_d->activeQueries = 0;
    m_d->db.close();
}

int TADOConnection::openCount() const {
    return m_d->opens;
}
