// SPDX-License-Identifier: GPL-3.0-or-later

#include "tools/JetMdbReader.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

// libmdb's header needs glib's declarations first when it is compiled as C++.
#include <glib.h>

#include <mdbtools.h>

#include <QCborValue>
#include <QFile>

#include "engine/BankError.h"

namespace {

// libmdb copies a value into its bound buffer up to the bind size; below 4096 it overruns the buffer, and memo
// fields need room for their whole text.
constexpr size_t kTextBindSize = 16 * 1024;
constexpr size_t kMemoBindSize = 1024 * 1024;
// Spare bytes after each bound buffer, for the terminating NUL and any off-by-one in the library.
constexpr size_t kBindSlack = 64;
// OLE objects are kept whole up to this size; a damaged length field could otherwise ask for gigabytes.
constexpr size_t kMaxOleSize = 64 * 1024 * 1024;
// Data-page row offsets keep flags in their top bits.
constexpr int kRowOffsetMask = 0x1fff;

struct HandleCloser {
    void operator()(MdbHandle *mdb) const { mdb_close(mdb); }
};
using Handle = std::unique_ptr<MdbHandle, HandleCloser>;

struct TableFreer {
    void operator()(MdbTableDef *table) const { mdb_free_tabledef(table); }
};
using Table = std::unique_ptr<MdbTableDef, TableFreer>;

struct BufferFreer {
    void operator()(char *buffer) const { std::free(buffer); }
};
using Buffer = std::unique_ptr<char, BufferFreer>;

QString nameOf(const char *name) {
    return QString::fromUtf8(name, int(strnlen(name, MDB_MAX_OBJ_NAME + 1)));
}

QList<MdbCatalogEntry *> tableEntries(MdbHandle *mdb) {
    QList<MdbCatalogEntry *> entries;
    if (!mdb->catalog)
        return entries;
    for (guint i = 0; i < mdb->catalog->len; ++i) {
        auto *entry = static_cast<MdbCatalogEntry *>(g_ptr_array_index(mdb->catalog, i));
        if (entry && entry->object_type == MDB_TABLE)
            entries.append(entry);
    }
    return entries;
}

QStringList tableNames(MdbHandle *mdb, const QStringList &wanted) {
    QStringList names;
    for (MdbCatalogEntry *entry : tableEntries(mdb)) {
        const QString name = nameOf(entry->object_name);
        const bool chosen =
            wanted.isEmpty() ? mdb_is_user_table(entry) != 0 : wanted.contains(name, Qt::CaseInsensitive);
        if (chosen && !name.isEmpty() && !names.contains(name, Qt::CaseInsensitive))
            names.append(name);
    }
    return names;
}

// Reading a table may read the catalogue again, which frees the entries found before: look each one up afresh.
MdbCatalogEntry *entryNamed(MdbHandle *mdb, const QString &name) {
    for (MdbCatalogEntry *entry : tableEntries(mdb))
        if (nameOf(entry->object_name) == name)
            return entry;
    return nullptr;
}

JetColumn::Type typeOf(const MdbColumn *column) {
    switch (column->col_type) {
    case MDB_BOOL:
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
        return JetColumn::Integer;
    case MDB_MONEY:
    case MDB_FLOAT:
    case MDB_DOUBLE:
    case MDB_NUMERIC:
        return JetColumn::Real;
    case MDB_BINARY:
    case MDB_OLE:
        return JetColumn::Blob;
    default:
        return JetColumn::Text;
    }
}

// Whether the column is NULL in the row just fetched, from the row's null mask: libmdb hands NULL and an empty text
// over alike. -1 when the row cannot be examined.
int nullInMask(MdbHandle *mdb, const MdbTableDef *table, const MdbColumn *column, bool rowColumnsKnown) {
    if (mdb->f->jet_version != MDB_VER_JET4 || table->cur_row == 0 || mdb->cur_pg != table->cur_phys_pg)
        return -1;
    int start = 0;
    size_t length = 0;
    if (mdb_find_row(mdb, int(table->cur_row) - 1, &start, &length) != 0)
        return -1;
    start &= kRowOffsetMask;
    if (length < 2 || size_t(start) + length > size_t(mdb->fmt->pg_size))
        return -1;
    const unsigned char *row = mdb->pg_buf + start;
    const unsigned columns = row[0] | unsigned(row[1]) << 8;
    const size_t maskSize = (columns + 7) / 8;
    // The mask has one bit per column of the row, deleted columns included. This libmdb fills row_col_num (the
    // position counting deleted columns) only in some versions; where it is left at zero, col_num is the position.
    const int position = rowColumnsKnown ? column->row_col_num : column->col_num;
    if (maskSize + 2 > length || position < 0)
        return -1;
    const unsigned bit = unsigned(position);
    // A column added to the table after the row was written has no value in it.
    if (bit >= columns)
        return 1;
    const unsigned char *mask = row + length - maskSize;
    return (mask[bit / 8] >> (bit % 8) & 1) ? 0 : 1;
}

QCborValue numberOrText(const QByteArray &text, JetColumn::Type type) {
    bool ok = false;
    if (type == JetColumn::Integer) {
        const qint64 number = text.toLongLong(&ok);
        if (ok)
            return QCborValue(number);
    } else {
        const double number = text.toDouble(&ok);
        if (ok)
            return QCborValue(number);
    }
    return QCborValue(QString::fromUtf8(text));
}

struct Reader {
    MdbHandle *mdb;
    const JetTable *table;
    MdbTableDef *def;
    size_t bindSize;
    bool rowColumnsKnown; // whether libmdb gave each column's position in the row

    QCborValue value(MdbColumn *column, const char *buffer, int length) {
        const size_t size = length < 0 ? 0 : qMin(size_t(length), bindSize);
        const QByteArray bytes(buffer, qsizetype(size));
        switch (column->col_type) {
        case MDB_BOOL: {
            bool number = false;
            const bool yes =
                bytes.toLongLong(&number) != 0 || (!number && bytes.compare("true", Qt::CaseInsensitive) == 0);
            return QCborValue(qint64(yes ? -1 : 0));
        }
        case MDB_BYTE:
        case MDB_INT:
        case MDB_LONGINT:
            return size == 0 ? QCborValue(nullptr) : numberOrText(bytes, JetColumn::Integer);
        case MDB_MONEY:
        case MDB_FLOAT:
        case MDB_DOUBLE:
        case MDB_NUMERIC:
            return size == 0 ? QCborValue(nullptr) : numberOrText(bytes, JetColumn::Real);
        case MDB_TEXT:
        case MDB_MEMO:
            if (column->col_type == MDB_MEMO && size + 1 >= bindSize)
                throw BankError(QStringLiteral("数据表“%1”的列“%2”中有超过 %3 字节的备注，无法完整读取")
                                    .arg(table->name, nameOf(column->name))
                                    .arg(bindSize - 1));
            if (size == 0)
                return nullInMask(mdb, def, column, rowColumnsKnown) == 0 ? QCborValue(QString()) : QCborValue(nullptr);
            return QCborValue(QString::fromUtf8(bytes));
        case MDB_BINARY:
            if (size == 0)
                return nullInMask(mdb, def, column, rowColumnsKnown) == 0 ? QCborValue(QByteArray())
                                                                          : QCborValue(nullptr);
            return QCborValue(bytes);
        case MDB_OLE:
            return size == 0 ? QCborValue(nullptr) : ole(column);
        default:
            return size == 0 ? QCborValue(nullptr) : QCborValue(QString::fromUtf8(bytes));
        }
    }

    QCborValue ole(MdbColumn *column) {
        size_t size = 0;
        void *data = mdb_ole_read_full(mdb, column, &size);
        if (!data)
            return QCborValue(nullptr);
        if (size > kMaxOleSize) {
            g_free(data);
            throw BankError(QStringLiteral("数据表“%1”的列“%2”中有过大的对象").arg(table->name, nameOf(column->name)));
        }
        const QByteArray bytes(static_cast<const char *>(data), qsizetype(size));
        g_free(data);
        return QCborValue(bytes);
    }
};

JetTable readTable(MdbHandle *mdb, const QString &name) {
    const auto unreadable = [&] { return BankError(QStringLiteral("无法读取数据表“%1”").arg(name)); };
    MdbCatalogEntry *entry = entryNamed(mdb, name);
    if (!entry)
        throw unreadable();
    Table def(mdb_read_table(entry));
    if (!def || !mdb_read_columns(def.get()) || !def->columns || def->columns->len != def->num_cols ||
        def->num_cols == 0 || def->num_cols > MDB_MAX_COLS)
        throw unreadable();

    JetTable table;
    table.name = name;
    bool memo = false;
    QList<MdbColumn *> columns;
    for (guint c = 0; c < def->num_cols; ++c) {
        auto *column = static_cast<MdbColumn *>(g_ptr_array_index(def->columns, c));
        if (!column)
            throw unreadable();
        columns.append(column);
        table.columns.append({nameOf(column->name), typeOf(column)});
        memo = memo || column->col_type == MDB_MEMO;
    }

    const size_t bindSize = memo ? kMemoBindSize : kTextBindSize;
    mdb_set_bind_size(mdb, bindSize);
    std::vector<Buffer> buffers;
    std::vector<int> lengths(columns.size(), 0);
    for (int c = 0; c < columns.size(); ++c) {
        buffers.emplace_back(static_cast<char *>(std::calloc(1, bindSize + kBindSlack)));
        if (!buffers.back())
            throw BankError(QStringLiteral("内存不足，无法读取数据表“%1”").arg(name));
        mdb_bind_column(def.get(), c + 1, buffers.back().get(), &lengths[c]);
    }

    bool rowColumnsKnown = false;
    for (const MdbColumn *column : std::as_const(columns))
        rowColumnsKnown = rowColumnsKnown || column->row_col_num != 0;
    Reader reader{mdb, &table, def.get(), bindSize, rowColumnsKnown};
    mdb_rewind_table(def.get());
    while (mdb_fetch_row(def.get())) {
        QCborArray row;
        for (int c = 0; c < columns.size(); ++c)
            row.append(reader.value(columns[c], buffers[c].get(), lengths[c]));
        table.rows.append(row);
    }
    return table;
}

QList<JetTable> readHandle(MdbHandle *mdb, const QStringList &wanted) {
    if (mdb->f->jet_version != MDB_VER_JET3 && mdb->f->jet_version != MDB_VER_JET4)
        throw BankError(QStringLiteral("不是 Jet 3 或 Jet 4 格式的 Access 数据库"));
    mdb_set_date_fmt(mdb, "%Y-%m-%d %H:%M:%S");
    mdb_set_shortdate_fmt(mdb, "%Y-%m-%d");
    mdb_set_boolean_fmt_numbers(mdb);
    if (!mdb_read_catalog(mdb, MDB_TABLE))
        throw BankError(QStringLiteral("无法读取文件中的数据表目录"));
    QList<JetTable> tables;
    for (const QString &name : tableNames(mdb, wanted))
        tables.append(readTable(mdb, name));
    // A damaged catalogue gives names that no Jet table can have; such a file is refused here, with the reason.
    const QString problem = jetTablesProblem(tables);
    if (!problem.isEmpty())
        throw BankError(QStringLiteral("文件已损坏：%1").arg(problem));
    return tables;
}

} // namespace

namespace JetMdbReader {

QList<JetTable> readFile(const QString &path, const QStringList &tables) {
    Handle mdb(mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS));
    if (!mdb)
        throw BankError(QStringLiteral("不是 Access/Jet 数据库，或文件已损坏"));
    return readHandle(mdb.get(), tables);
}

QList<JetTable> readBuffer(const QByteArray &bytes, const QStringList &tables) {
    // libmdb reads the buffer in place; it must stay alive, unchanged, until the handle closes.
    QByteArray copy = bytes;
    Handle mdb(mdb_open_buffer(copy.data(), size_t(copy.size()), MDB_NOFLAGS));
    if (!mdb)
        throw BankError(QStringLiteral("不是 Access/Jet 数据库，或文件已损坏"));
    return readHandle(mdb.get(), tables);
}

} // namespace JetMdbReader
