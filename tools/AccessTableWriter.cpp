#include "tools/AccessTableWriter.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <atomic>

namespace {

QString quoted(QString name)
{
    return QLatin1Char('"') + name.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

QString createStatement(const AccessTable &table)
{
    QStringList parts;
    for (const AccessColumn &column : table.columns)
        parts << quoted(column.name) + QLatin1Char(' ') + column.sqlType;
    if (!table.primaryKey.isEmpty()) {
        QStringList key;
        for (const QString &name : table.primaryKey)
            key << quoted(name);
        parts << QStringLiteral("UNIQUE (%1)").arg(key.join(QStringLiteral(", ")));
    }
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(quoted(table.name), parts.join(QStringLiteral(", ")));
}

QString insertStatement(const AccessTable &table)
{
    QStringList names, marks;
    for (const AccessColumn &column : table.columns) {
        names << quoted(column.name);
        marks << QStringLiteral("?");
    }
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(quoted(table.name), names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
}

QString failure(const QSqlQuery &query, const QString &table)
{
    return QStringLiteral("无法写入数据表 %1：%2").arg(table, query.lastError().text());
}

QString writeAll(QSqlDatabase &db, const std::vector<AccessTable> &tables,
                 const std::function<void(const AccessTable &)> &progress)
{
    if (!db.transaction())
        return QStringLiteral("无法开始写入：%1").arg(db.lastError().text());
    for (const AccessTable &table : tables) {
        QSqlQuery query(db);
        if (!query.exec(createStatement(table)))
            return failure(query, table.name);
        if (!query.prepare(insertStatement(table)))
            return failure(query, table.name);
        for (const QVector<QVariant> &row : table.rows) {
            for (int i = 0; i < row.size(); ++i)
                query.bindValue(i, row[i]);
            if (!query.exec())
                return failure(query, table.name);
        }
        if (progress)
            progress(table);
    }
    if (!db.commit())
        return QStringLiteral("无法完成写入：%1").arg(db.lastError().text());
    return {};
}

} // namespace

QString writeAccessTables(const QString &sqlitePath, const std::vector<AccessTable> &tables,
                          const std::function<void(const AccessTable &)> &progress)
{
    static std::atomic<int> counter{0};
    const QString name = QStringLiteral("access-import-%1").arg(++counter);
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(sqlitePath);
        if (!db.open())
            error = QStringLiteral("无法创建图版库 %1：%2").arg(sqlitePath, db.lastError().text());
        else
            error = writeAll(db, tables, progress);
        if (!error.isEmpty() && db.isOpen())
            db.rollback();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return error;
}
