// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/TADOQuery.h"

#include <memory>

#include <QHash>

#include "engine/BankError.h"
#include "engine/BankFile.h"
#include "engine/ResultSet.h"
#include "engine/TADOConnectionPrivate.h"

struct TADOQuery::Private {
    TADOConnection *connection = nullptr;
    std::unique_ptr<ResultSet> result;
    QHash<QString, int> columnIndex; // lower-case name → first column of that name
    QString statement;
    QString bankPath;
    int current = -1; // 0-based current row; -1 for an empty result
    bool eof = true;
    StatementObserver observer;

    void requireActive() const {
        if (!result)
            throw BankError(QStringLiteral("查询没有打开，不能读取数据"));
    }
};

TADOQuery::TADOQuery(TADOConnection *connection, QObject *parent) : QObject(parent), m_d(std::make_unique<Private>()) {
    m_d->connection = connection;
    if (connection)
        connection->m_d->queries.append(this);
}

TADOQuery::~TADOQuery() {
    Close();
    if (m_d->connection)
        m_d->connection->m_d->queries.removeAll(this);
}

void TADOQuery::detachConnection() {
    m_d->connection = nullptr;
}

void TADOQuery::Open() {
    if (Active())
        return;
    const QString statement = m_sql.Text();
    if (m_d->observer)
        m_d->observer(statement);
    if (!m_d->connection)
        throw BankError(QStringLiteral("查询没有连接到题库"));
    TADOConnection::Private *connection = m_d->connection->m_d.get();
    connection->ensureOpen();
    ++connection->activeQueries;
    try {
        m_d->result = ResultSet::run(connection->db.handle(), statement, connection->bankPath);
    } catch (...) {
        // A statement that fails leaves the query closed and, keep-connection being off, the connection too.
        connection->queryClosed();
        throw;
    }
    m_d->statement = statement;
    m_d->bankPath = connection->bankPath;
    m_d->columnIndex.clear();
    const QStringList &columns = m_d->result->columnNames();
    for (int c = int(columns.size()) - 1; c >= 0; --c)
        m_d->columnIndex.insert(columns[c].toLower(), c);
    First();
}

void TADOQuery::Close() {
    if (!Active())
        return;
    m_d->result.reset();
    m_d->current = -1;
    m_d->eof = true;
    if (m_d->connection)
        m_d->connection->m_d->queryClosed();
}

bool TADOQuery::Active() const {
    return m_d->result != nullptr;
}

int TADOQuery::RecordCount() const {
    m_d->requireActive();
    return m_d->result->rowCount();
}

void TADOQuery::First() {
    m_d->requireActive();
    const bool empty = m_d->result->rowCount() == 0;
    m_d->current = empty ? -1 : 0;
    m_d->eof = empty;
}

void TADOQuery::Next() {
    MoveBy(1);
}

void TADOQuery::MoveBy(int n) {
    m_d->requireActive();
    const int count = m_d->result->rowCount();
    if (count == 0) {
        m_d->eof = true;
        return;
    }
    if (n == 0)
        return;
    // Moving past either end stops on the last or first row; only running off the end sets Eof.
    const qint64 target = qint64(m_d->current) + n;
    if (target >= count) {
        m_d->current = count - 1;
        m_d->eof = true;
    } else {
        m_d->current = int(qMax<qint64>(target, 0));
        m_d->eof = false;
    }
}

bool TADOQuery::Eof() const {
    return !Active() || m_d->eof;
}

int TADOQuery::RecNo() const {
    return Active() ? m_d->current + 1 : 0;
}

int TADOQuery::fieldIndex(const QString &name) const {
    m_d->requireActive();
    const auto it = m_d->columnIndex.constFind(name.toLower());
    if (it == m_d->columnIndex.constEnd())
        throw BankError(QStringLiteral("查询结果中没有列“%1”（语句：%2；题库文件：%3）")
                            .arg(name, BankFile::quotedStatement(m_d->statement), m_d->bankPath));
    return it.value();
}

QByteArray TADOQuery::FieldAsString(const QString &name) const {
    const int column = fieldIndex(name);
    if (m_d->current < 0)
        return QByteArray();
    return m_d->result->row(m_d->current)[column].toText();
}

qint32 TADOQuery::FieldAsInteger(const QString &name) const {
    const int column = fieldIndex(name);
    if (m_d->current < 0)
        return 0;
    const FieldValue &value = m_d->result->row(m_d->current)[column];
    qint32 number = 0;
    if (!value.toInt32(&number))
        throw BankError(QStringLiteral("列“%1”的值“%2”不是整数（题库文件：%3）")
                            .arg(name, QString::fromUtf8(value.toText()), m_d->bankPath));
    return number;
}

bool TADOQuery::FieldIsNull(const QString &name) const {
    const int column = fieldIndex(name);
    return m_d->current < 0 || m_d->result->row(m_d->current)[column].kind == FieldValue::Null;
}

QStringList TADOQuery::FieldNames() const {
    m_d->requireActive();
    return m_d->result->columnNames();
}

void TADOQuery::setStatementObserver(StatementObserver observer) {
    m_d->observer = std::move(observer);
}

void runStatement(TADOQuery &query, const QString &statement) {
    query.Close();
    query.SQL().Clear();
    query.SQL().Add(statement);
    query.Open();
    query.First();
}
