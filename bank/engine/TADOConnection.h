// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>

#include <QObject>
#include <QString>

// The question-bank connection. It stands where the Jet/ADO connection stood: a connection string in the Jet OLE DB
// form, set only while the connection is closed, naming the bank, its workgroup file and the credentials.
//
// Keep-connection is off: nothing opens the connection explicitly; opening a query opens it and closing the last
// open query closes it, so every statement runs on a freshly opened connection.
class TADOConnection : public QObject {
    Q_OBJECT
public:
    explicit TADOConnection(QObject *parent = nullptr);
    ~TADOConnection() override;

    // Throws BankError while the connection is open.
    void setConnectionString(const QString &connectionString);
    QString connectionString() const;

    bool Connected() const;
    void Close();

    // How many times a connection has been opened, for tests and benchmarks that check freshness.
    int openCount() const;

private:
    // The open bank and the queries bound to it. The queries reach it to open the connection on demand and to give
    // it back when they close.
    friend class TADOQuery;
    struct Private;
    std::unique_ptr<Private> m_d;
};
