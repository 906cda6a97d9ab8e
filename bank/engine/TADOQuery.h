// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <memory>

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

class TADOConnection;

// The reusable query of the data module. Every statement goes through the same five steps: Close, SQL().Clear(),
// SQL().Add(statement), Open, First. Results are read with RecordCount, First, MoveBy, Next and the column readers;
// column names match without regard to case, NULL reads as an empty text or 0, a number read as text gives its
// decimal digits.
class TADOQuery : public QObject {
    Q_OBJECT
public:
    // The statement text, one line per Add.
    class Strings {
    public:
        void Clear() { m_lines.clear(); }
        void Add(const QString &line) { m_lines.append(line); }
        QString Text() const { return m_lines.join(QLatin1Char('\n')); }
        int Count() const { return int(m_lines.size()); }

    private:
        QStringList m_lines;
    };

    explicit TADOQuery(TADOConnection *connection, QObject *parent = nullptr);
    ~TADOQuery() override;

    Strings &SQL() { return m_sql; }

    void Open();  // opens the connection when it is closed; throws BankError
    void Close(); // a no-op when closed; closes the connection with it
    bool Active() const;

    int RecordCount() const;
    void First();
    void Next();
    void MoveBy(int n);
    bool Eof() const;
    int RecNo() const; // 1-based current row, 0 when there is none

    // Column readers of the current row; throw BankError for a column the result lacks.
    // NULL reads as a null QByteArray, which compares equal to an empty text.
    QByteArray FieldAsString(const QString &name) const;
    // Throws BankError also for a value that is not a whole number within 32 bits.
    qint32 FieldAsInteger(const QString &name) const;
    bool FieldIsNull(const QString &name) const;
    // The result's column names in their stored order.
    QStringList FieldNames() const;

    // Sees every statement text as it is opened (tests capture the drawing's statements with it).
    using StatementObserver = std::function<void(const QString &)>;
    void setStatementObserver(StatementObserver observer);

private:
    friend class TADOConnection;
    struct Private;
    void detachConnection();
    int fieldIndex(const QString &name) const;

    Strings m_sql;
    std::unique_ptr<Private> m_d;
};

// One statement through the query's five steps: close, clear, add, open, first.
void runStatement(TADOQuery &query, const QString &statement);
