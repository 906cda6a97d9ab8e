// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/JetFixtures.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include "engine/ConnectionString.h"
#include "jet/JetChildReader.h"
#include "tests/support/TestPaths.h"

namespace {

QByteArray ucs2(const QString &text, int units) {
    QByteArray bytes(units * 2, '\0');
    for (int i = 0; i < text.size() && i < units; ++i) {
        bytes[2 * i] = char(text[i].unicode() & 0xff);
        bytes[2 * i + 1] = char(text[i].unicode() >> 8);
    }
    return bytes;
}

struct Patch {
    qint64 offset;
    QString from;
    QString to;
};

// The catalogue row of MSysAccessStorage on page 17, and the Name of row 5 of that table on page 20.
const Patch kPatches[] = {
    {0x11a8b, QStringLiteral("MSysAccessStorage"), QStringLiteral("MSysAccounts")},
    {0x14f1f, QStringLiteral("VBA"), QStringLiteral("xyz")},
};

bool isIntegerColumn(const QString &name) {
    for (const char *column : {"mkid", "tid", "Score"})
        if (name.compare(QLatin1String(column), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace

QString jetFixture(const QString &name) {
    return QDir(sourceDir()).filePath(QStringLiteral("tests/data/jet4/") + name);
}

void writeJetWorkgroup(const QString &path) {
    QFile source(jetFixture(QStringLiteral("V2003_no-password.mdb")));
    QVERIFY(source.open(QIODevice::ReadOnly));
    QByteArray bytes = source.readAll();
    for (const Patch &patch : kPatches) {
        const int units = int(patch.from.size());
        QCOMPARE(bytes.mid(patch.offset, units * 2), ucs2(patch.from, units));
        bytes.replace(patch.offset, units * 2, ucs2(patch.to, units));
    }
    QFile::remove(path);
    QFile target(path);
    QVERIFY(target.open(QIODevice::WriteOnly));
    QCOMPARE(target.write(bytes), bytes.size());
}

QString makeJetBankDir(const QString &dir, const QString &fixture) {
    QDir().mkpath(dir);
    const QString bank = QDir(dir).filePath(QStringLiteral("Bs.mdb"));
    QFile::remove(bank);
    if (!QFile::copy(jetFixture(fixture), bank))
        qFatal("cannot copy %s", qPrintable(fixture));
    QFile::setPermissions(bank, QFile::ReadOwner | QFile::WriteOwner);
    writeJetWorkgroup(QDir(dir).filePath(QStringLiteral("Mq4100.mdw")));
    return dir;
}

QString jetConnectionString(const QString &dir, const QByteArray &databasePassword, const QByteArray &user) {
    const QDir d(dir);
    return buildConnectionString(d.filePath(QStringLiteral("Bs.mdb")), d.filePath(QStringLiteral("Mq4100.mdw")), user,
                                 "mvkpla.27.zqe", databasePassword);
}

void useBuiltBankTool() {
    JetChildReader::setToolPath(QDir(binDir()).filePath(QStringLiteral("mockexam-bank")));
}

QList<JetTable> jetTablesOf(const BankTables &tables) {
    QList<JetTable> result;
    for (const BankTable *source : {&tables.choose, &tables.fill, &tables.knowledge}) {
        JetTable table;
        table.name = source->name;
        for (const QString &column : source->columns)
            table.columns.append({column, isIntegerColumn(column) ? JetColumn::Integer : JetColumn::Text});
        for (const QList<QByteArray> &row : source->rows) {
            QCborArray values;
            for (int c = 0; c < table.columns.size(); ++c) {
                const QByteArray value = c < row.size() ? row[c] : QByteArray();
                if (value.isNull())
                    values.append(QCborValue(nullptr));
                else if (table.columns[c].type == JetColumn::Integer)
                    values.append(value.toLongLong());
                else
                    values.append(QString::fromUtf8(value));
            }
            table.rows.append(values);
        }
        result.append(table);
    }
    return result;
}
