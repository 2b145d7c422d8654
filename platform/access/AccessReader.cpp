#include "platform/access/AccessReader.h"

#include "platform/database/DbError.h"

#include <QFile>
#include <cstring>
#include <memory>

// mdbtools.h wraps glib in extern "C"; glib must come first for C++.
#include <glib.h>
#include <mdbtools.h>

namespace {

MdbHandle *handle(void *mdb)
{
    return static_cast<MdbHandle *>(mdb);
}

QString nameOf(const char *name)
{
    return QString::fromUtf8(name);
}

// How a column is kept in SQLite: the declared type decides how the program
// converts its values, so Yes/No stays a boolean and a Text "1" a text.
AccessColumn describe(const MdbColumn &col)
{
    const QString name = nameOf(col.name);
    switch (col.col_type) {
    case MDB_BOOL: return {name, QStringLiteral("BOOLEAN"), QStringLiteral("Yes/No")};
    case MDB_BYTE: return {name, QStringLiteral("INTEGER"), QStringLiteral("Byte")};
    case MDB_INT: return {name, QStringLiteral("INTEGER"), QStringLiteral("Integer")};
    case MDB_LONGINT: return {name, QStringLiteral("INTEGER"), QStringLiteral("Long Integer")};
    case MDB_MONEY: return {name, QStringLiteral("REAL"), QStringLiteral("Currency")};
    case MDB_FLOAT: return {name, QStringLiteral("REAL"), QStringLiteral("Single")};
    case MDB_DOUBLE: return {name, QStringLiteral("REAL"), QStringLiteral("Double")};
    case MDB_DATETIME: return {name, QStringLiteral("DATETIME"), QStringLiteral("Date/Time")};
    case MDB_TEXT: return {name, QStringLiteral("TEXT"), QStringLiteral("Text")};
    case MDB_MEMO: return {name, QStringLiteral("TEXT"), QStringLiteral("Memo")};
    case MDB_NUMERIC: return {name, QStringLiteral("NUMERIC"), QStringLiteral("Decimal")};
    case MDB_REPID: return {name, QStringLiteral("TEXT"), QStringLiteral("Replication ID")};
    default: return {name, QStringLiteral("BLOB"), QStringLiteral("Binary")};
    }
}

template <typename T>
T fixed(const MdbField &field, const AccessTable &table, const AccessColumn &column)
{
    if (field.siz != int(sizeof(T)))
        throw DbError(QStringLiteral("数据表 %1 的字段 %2 长度不对（%3 字节），文件可能已损坏")
                          .arg(table.name, column.name)
                          .arg(field.siz));
    T value;
    std::memcpy(&value, field.value, sizeof value); // little-endian on disk, as on every target we build for
    return value;
}

// libmdb's own text of a value (texts, memos, dates, decimals), with a
// buffer large enough for the whole value: it truncates silently otherwise.
QString libmdbText(MdbHandle *mdb, const MdbField &field, int type)
{
    size_t rawLength = size_t(field.siz);
    if (type == MDB_MEMO && field.siz >= 4)
        rawLength = size_t(mdb_get_int32(field.value, 0)) & 0x3fffffffu;
    // UCS-2 becomes at most three UTF-8 bytes per two; compressed text two per one.
    mdb_set_bind_size(mdb, rawLength * 2 + 64);
    const int start = int(static_cast<const unsigned char *>(field.value) - mdb->pg_buf);
    char *text = mdb_col_to_string(mdb, mdb->pg_buf, start, type, field.siz);
    QString result = text ? QString::fromUtf8(text) : QString();
    g_free(text);
    if (result.isNull())
        result = QStringLiteral(""); // an empty text is not NULL
    return result;
}

QVariant valueOf(MdbHandle *mdb, const MdbField &field, int type, const AccessTable &table, const AccessColumn &column)
{
    if (type == MDB_BOOL) // kept in the null mask: a set bit is Yes
        return qlonglong(field.is_null ? 0 : 1);
    if (field.is_null)
        return QVariant();
    switch (type) {
    case MDB_BYTE: return qlonglong(fixed<quint8>(field, table, column));
    case MDB_INT: return qlonglong(fixed<qint16>(field, table, column));
    case MDB_LONGINT: return qlonglong(fixed<qint32>(field, table, column));
    case MDB_MONEY: return double(fixed<qint64>(field, table, column)) / 10000.0;
    case MDB_FLOAT: return double(fixed<float>(field, table, column));
    case MDB_DOUBLE: return fixed<double>(field, table, column);
    case MDB_TEXT:
    case MDB_MEMO:
    case MDB_DATETIME:
    case MDB_NUMERIC:
    case MDB_REPID:
        return libmdbText(mdb, field, type);
    default:
        return QByteArray(static_cast<const char *>(field.value), field.siz);
    }
}

QStringList primaryKeyOf(MdbTableDef *table)
{
    QStringList key;
    mdb_read_indices(table); // fills table->indices; its result says nothing
    if (!table->indices)
        return key;
    for (guint i = 0; i < table->indices->len; ++i) {
        const auto *index = static_cast<MdbIndex *>(g_ptr_array_index(table->indices, i));
        if (index->index_type != 1) // 1: the primary key
            continue;
        for (guint k = 0; k < index->num_keys; ++k) {
            const int column = index->key_col_num[k] - 1;
            if (column >= 0 && guint(column) < table->columns->len)
                key << nameOf(static_cast<MdbColumn *>(g_ptr_array_index(table->columns, column))->name);
        }
    }
    return key;
}

} // namespace

AccessReader::AccessReader(const QString &path) : m_path(path)
{
    if (!QFile::exists(path))
        throw DbError(QStringLiteral("文件不存在：%1").arg(path));
    MdbHandle *mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
    if (!mdb)
        throw DbError(QStringLiteral("不是能读取的 Access 数据库：%1").arg(path));
    m_mdb = mdb;
    mdb_set_date_fmt(mdb, "%Y-%m-%d %H:%M:%S");
    if (!mdb_read_catalog(mdb, MDB_TABLE)) {
        mdb_close(mdb);
        m_mdb = nullptr;
        throw DbError(QStringLiteral("读不出 Access 数据库的目录，文件可能已损坏：%1").arg(path));
    }
}

AccessReader::~AccessReader()
{
    if (m_mdb)
        mdb_close(handle(m_mdb));
}

QString AccessReader::formatName() const
{
    switch (handle(m_mdb)->f->jet_version) {
    case MDB_VER_JET3: return QStringLiteral("Jet 3");
    case MDB_VER_JET4: return QStringLiteral("Jet 4");
    default: return QStringLiteral("ACE");
    }
}

QStringList AccessReader::tableNames() const
{
    MdbHandle *mdb = handle(m_mdb);
    QStringList names;
    for (guint i = 0; i < mdb->num_catalog; ++i) {
        auto *entry = static_cast<MdbCatalogEntry *>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type == MDB_TABLE && mdb_is_user_table(entry))
            names << nameOf(entry->object_name);
    }
    return names;
}

AccessTable AccessReader::read(const QString &name)
{
    MdbHandle *mdb = handle(m_mdb);
    QString stored;
    for (const QString &candidate : tableNames()) {
        if (candidate.compare(name, Qt::CaseInsensitive) == 0)
            stored = candidate;
    }
    if (stored.isEmpty())
        throw DbError(QStringLiteral("Access 数据库里没有数据表 %1：%2").arg(name, m_path));
    QByteArray storedName = stored.toUtf8();
    MdbTableDef *def = mdb_read_table_by_name(mdb, storedName.data(), MDB_TABLE);
    if (!def)
        throw DbError(QStringLiteral("读不出数据表 %1 的定义，文件可能已损坏").arg(stored));
    const std::unique_ptr<MdbTableDef, void (*)(MdbTableDef *)> owner(def, mdb_free_tabledef);
    if (!mdb_read_columns(def))
        throw DbError(QStringLiteral("读不出数据表 %1 的定义，文件可能已损坏").arg(stored));

    AccessTable table;
    table.name = stored;
    QVector<int> types;
    for (guint i = 0; i < def->columns->len; ++i) {
        const auto *col = static_cast<MdbColumn *>(g_ptr_array_index(def->columns, i));
        table.columns << describe(*col);
        types << col->col_type;
    }
    table.primaryKey = primaryKeyOf(def);

    table.rows.reserve(def->num_rows);
    QVector<MdbField> fields(qMax(256, int(def->num_cols)));
    mdb_rewind_table(def);
    while (mdb_fetch_row(def)) {
        int rowStart = 0;
        size_t rowSize = 0;
        if (mdb_find_row(mdb, int(def->cur_row) - 1, &rowStart, &rowSize) != 0)
            throw DbError(QStringLiteral("数据表 %1 的第 %2 行读不出，文件可能已损坏").arg(stored).arg(table.rows.size() + 1));
        const int count = mdb_crack_row(def, rowStart, rowSize, fields.data());
        if (count != int(def->num_cols))
            throw DbError(QStringLiteral("数据表 %1 的第 %2 行读不出，文件可能已损坏").arg(stored).arg(table.rows.size() + 1));
        QVector<QVariant> row(count);
        for (int i = 0; i < count; ++i) {
            const int column = fields[i].colnum;
            if (column < 0 || column >= count)
                throw DbError(QStringLiteral("数据表 %1 的列号不对，文件可能已损坏").arg(stored));
            row[column] = valueOf(mdb, fields[i], types[column], table, table.columns[column]);
        }
        table.rows.push_back(std::move(row));
    }
    const size_t expected = def->num_rows;
    if (table.rows.size() != expected)
        throw DbError(QStringLiteral("数据表 %1 只读出 %2 行，文件目录记有 %3 行；文件可能已损坏")
                          .arg(stored)
                          .arg(table.rows.size())
                          .arg(expected));
    return table;
}
