// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/TADOConnection.h"

#include <QDir>
#include <QFileInfo>

#include "engine/BankError.h"
#include "engine/BankFormat.h"
#include "engine/FileSystem.h"
#include "engine/TADOConnectionPrivate.h"
#include "engine/TADOQuery.h"

void TADOConnection::Private::ensureOpen() {
    if (db.isOpen())
        return;
    // The string is read only now, as the provider would: assigning a faulty one is not yet an error.
    const ConnectionSettings settings = parseConnectionString(connectionString);
    // Without its folder there is nothing to open; said as such, rather than as the first file found missing.
    const QFileInfo bankFile(settings.dataSource);
    if (!bankFile.dir().exists())
        throw BankError(QStringLiteral("找不到题库文件夹：%1").arg(FileSystem::shown(bankFile.absolutePath())));
    const BankFormat &format = BankFormats::chooser().logOn(settings);
    try {
        format.open(db, settings);
    } catch (...) {
        // A bank that opened but was then refused (wrong key, foreign file) must not leave the connection open.
        db.close();
        throw;
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

TADOConnection::TADOConnection(QObject *parent) : QObject(parent), m_d(std::make_unique<Private>()) {}

TADOConnection::~TADOConnection() {
    // A query may outlive its connection (the data module destroys its children in creation order): it is closed
    // and let go here, so that it never reaches a connection that is gone.
    for (TADOQuery *query : m_d->queries) {
        query->Close();
        query->detachConnection();
    }
    m_d->db.close();
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
