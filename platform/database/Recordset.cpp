#include "platform/database/Recordset.h"

#include "platform/database/DbError.h"
#include "platform/database/SqliteFailure.h"
#include "platform/database/StatementForm.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

const QString kRowIdField = QStringLiteral("__row_id__");

QString quotedIdentifier(const QString &name)
{
    QString s = name;
    s.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + s + QLatin1Char('"');
}

// A select up to and including its table name ("select * from picMain"): it
// alone decides the fields of the result. Empty for anything else.
QString headOfSelect(const QString &sql)
{
    static const QRegularExpression re(QStringLiteral("^\\s*select\\s.+?\\sfrom\\s+([A-Za-z_][A-Za-z0-9_]*)"),
                                       QRegularExpression::CaseInsensitiveOption
                                           | QRegularExpression::DotMatchesEverythingOption);
    const auto m = re.match(sql);
    return m.hasMatch() ? sql.left(m.capturedEnd(1)) : QString();
}

QString tableOfHead(const QString &head)
{
    const qsizetype blank = head.lastIndexOf(QRegularExpression(QStringLiteral("\\s")));
    return head.mid(blank + 1);
}

// The same select with each row's identity in front, so update() can find it.
QString withRowId(const QString &sql)
{
    const qsizetype select = sql.indexOf(QLatin1String("select"), 0, Qt::CaseInsensitive);
    return QString(sql).insert(select + 6, QStringLiteral(" _rowid_ AS %1,").arg(kRowIdField));
}

std::shared_ptr<const ResultLayout> layoutOf(const QString &table, const QSqlRecord &record, Connection &connection)
{
    auto layout = std::make_shared<ResultLayout>();
    layout->table = table;
    layout->tableColumns = connection.columnsOf(table);
    QHash<QString, int> columnByLowerName;
    for (int c = 0; c < layout->tableColumns.size(); ++c)
        columnByLowerName.insert(layout->tableColumns[c].name.toLower(), c);
    for (int f = 0; f + 1 < record.count(); ++f) {
        const QString name = record.fieldName(f + 1);
        const int column = columnByLowerName.value(name.toLower(), -1);
        layout->fieldNames << name;
        layout->fieldByName.insert(name, f);
        layout->fieldByLowerName.insert(name.toLower(), f);
        layout->tableColumnOfField << column;
        layout->quotedColumnOfField << (column < 0 ? QString() : quotedIdentifier(layout->tableColumns[column].name));
    }
    return layout;
}

} // namespace

void Recordset::open(const QString &sql, std::shared_ptr<Connection> connection)
{
    close();
    if (!connection)
        throw DbError(QStringLiteral("图版数据库没有打开"));
    const QString head = headOfSelect(sql);
    if (head.isEmpty())
        throw DbError(QStringLiteral("不是对一张表的查询：%1").arg(sql));
    const StatementForm form = statementForm(withRowId(sql), withRowId(head).size());
    QSqlQuery &q = connection->prepared(form.sql, sql);
    q.setForwardOnly(true);
    for (int i = 0; i < form.values.size(); ++i)
        q.bindValue(i, form.values[i]);
    if (!q.exec()) {
        const QSqlError error = q.lastError();
        q.finish();
        throw sqliteFailure(error, QStringLiteral("图版数据库不接受这条查询"), connection->path(), sql);
    }

    std::shared_ptr<const ResultLayout> layout = connection->layoutOf(head);
    if (!layout) {
        layout = layoutOf(tableOfHead(head), q.record(), *connection);
        connection->recordLayout(head, layout);
    }
    const int fieldCount = layout->fieldNames.size();
    while (q.next()) {
        Row row;
        row.rowId = q.value(0).toLongLong();
        row.values.reserve(fieldCount);
        for (int f = 0; f < fieldCount; ++f) {
            const int column = layout->tableColumnOfField[f];
            const QVariant stored = q.value(f + 1);
            row.values << (column < 0 ? stored : toReadValue(layout->tableColumns[column].kind, stored));
        }
        m_rows.push_back(std::move(row));
    }
    q.finish(); // the prepared query is kept: let go of the file until its next run
    m_connection = std::move(connection);
    m_layout = std::move(layout);
    m_position = m_rows.empty() ? 0 : 1;
    m_open = true;
}

void Recordset::close()
{
    m_open = false;
    m_connection.reset();
    m_layout.reset();
    m_rows.clear();
    m_position = 0;
    m_adding = false;
    m_pending.clear();
}

void Recordset::setAbsolutePosition(int position)
{
    if (!m_open)
        throw DbError(QStringLiteral("记录集没有打开"));
    if (position < 1 || position > recordCount())
        throw DbError(QStringLiteral("没有第 %1 条记录（共 %2 条）").arg(position).arg(recordCount()));
    m_position = position;
    m_adding = false;
    m_pending.clear();
}

int Recordset::fieldIndex(const QString &field) const
{
    if (!m_open)
        throw DbError(QStringLiteral("记录集没有打开"));
    const auto exact = m_layout->fieldByName.constFind(field);
    if (exact != m_layout->fieldByName.constEnd())
        return *exact;
    const auto it = m_layout->fieldByLowerName.constFind(field.toLower());
    if (it == m_layout->fieldByLowerName.constEnd())
        throw DbError(QStringLiteral("数据表 %1 的查询里没有字段 %2").arg(m_layout->table, field));
    return *it;
}

void Recordset::requireCurrentRecord() const
{
    if (!m_open)
        throw DbError(QStringLiteral("记录集没有打开"));
    if (!m_adding && m_position == 0)
        throw DbError(QStringLiteral("没有当前记录：数据表 %1 里找不到这条记录").arg(m_layout->table));
}

QVariant Recordset::value(const QString &field) const
{
    return value(fieldIndex(field));
}

QVariant Recordset::value(int f) const
{
    requireCurrentRecord();
    if (f < 0 || f >= m_layout->fieldNames.size())
        throw DbError(QStringLiteral("数据表 %1 的查询里没有第 %2 个字段").arg(m_layout->table).arg(f + 1));
    const auto pending = m_pending.constFind(f);
    if (pending != m_pending.constEnd()) {
        const int column = m_layout->tableColumnOfField[f];
        return toReadValue(m_layout->tableColumns[column].kind, *pending);
    }
    if (m_adding)
        return QVariant();
    return m_rows[m_position - 1].values[f];
}

QString Recordset::text(const QString &field) const
{
    return valueText(value(field));
}

const TableColumn &Recordset::writableColumn(int fieldIndex) const
{
    const int column = m_layout->tableColumnOfField[fieldIndex];
    if (column < 0)
        throw DbError(QStringLiteral("字段 %1 不是数据表 %2 的列，不能写入").arg(m_layout->fieldNames[fieldIndex], m_layout->table));
    return m_layout->tableColumns[column];
}

void Recordset::setValue(const QString &field, const QVariant &value)
{
    const int f = fieldIndex(field);
    requireCurrentRecord();
    const TableColumn &column = writableColumn(f);
    m_pending.insert(f, toStoredValue(column.kind, value, column.name));
}

void Recordset::addNew()
{
    if (!m_open)
        throw DbError(QStringLiteral("记录集没有打开"));
    m_adding = true;
    m_pending.clear();
}

void Recordset::update()
{
    requireCurrentRecord();
    m_connection->database(); // fails on a closed connection even with nothing to write
    if (m_adding)
        insertPending();
    else
        updatePending();
    m_pending.clear();
}

void Recordset::insertPending()
{
    QList<int> fields = m_pending.keys();
    std::sort(fields.begin(), fields.end());
    QString names, marks;
    for (int f : fields) { // only writable fields are pending
        names += (names.isEmpty() ? QString() : QStringLiteral(",")) + m_layout->quotedColumnOfField[f];
        marks += marks.isEmpty() ? QStringLiteral("?") : QStringLiteral(",?");
    }
    const QString table = quotedIdentifier(m_layout->table);
    const QString sql = names.isEmpty() ? QStringLiteral("INSERT INTO ") + table + QStringLiteral(" DEFAULT VALUES")
                                        : QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (") + names
                                              + QStringLiteral(") VALUES (") + marks + QLatin1Char(')');
    QSqlQuery &q = m_connection->prepared(sql);
    for (int i = 0; i < fields.size(); ++i)
        q.bindValue(i, m_pending.value(fields[i]));
    if (!q.exec())
        throw sqliteFailure(q.lastError(), QStringLiteral("数据表 %1 不接受这条新记录").arg(m_layout->table),
                            m_connection->path());

    Row row;
    row.rowId = q.lastInsertId().toLongLong();
    row.values.resize(m_layout->fieldNames.size());
    for (int f : fields)
        row.values[f] = toReadValue(writableColumn(f).kind, m_pending.value(f));
    q.finish();
    m_rows.push_back(std::move(row));
    m_position = recordCount();
    m_adding = false;
}

void Recordset::updatePending()
{
    if (m_pending.isEmpty())
        return;
    QList<int> fields = m_pending.keys();
    std::sort(fields.begin(), fields.end());
    QString sql = QStringLiteral("UPDATE ") + quotedIdentifier(m_layout->table) + QStringLiteral(" SET ");
    for (int f : fields) // only writable fields are pending
        sql += m_layout->quotedColumnOfField[f] + (f == fields.back() ? QStringLiteral("=?") : QStringLiteral("=?,"));
    sql += QStringLiteral(" WHERE _rowid_=?");
    QSqlQuery &q = m_connection->prepared(sql);
    Row &row = m_rows[m_position - 1];
    int i = 0;
    for (int f : fields)
        q.bindValue(i++, m_pending.value(f));
    q.bindValue(i, row.rowId);
    if (!q.exec())
        throw sqliteFailure(q.lastError(), QStringLiteral("数据表 %1 不接受这次修改").arg(m_layout->table),
                            m_connection->path());
    const int changed = q.numRowsAffected();
    q.finish();
    if (changed == 0)
        throw DbError(QStringLiteral("数据表 %1 里已经没有这条记录").arg(m_layout->table));
    for (int f : fields) {
        row.values[f] = toReadValue(writableColumn(f).kind, m_pending.value(f));
        if (writableColumn(f).isRowId)
            row.rowId = m_pending.value(f).toLongLong();
    }
}
