#include "ui/common/RowByRowSave.h"

#include "app/HostCatalogue.h"
#include "app/mQuillar.h"
#include "platform/database/DbError.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

// Prepared once per connection: a save of many rows sends them for every row.
void runSavepointStatement(const char *sql)
{
    QSqlQuery &q = gConn->prepared(QLatin1String(sql));
    if (!q.exec())
        throw DbError(q.lastError().text());
    q.finish();
}

// False when the database had already dropped the whole transaction (SQLite
// does so on a full disk, for one): then the rows before are gone too, and
// any further statement would run, and stay, outside a transaction.
bool undoRow()
{
    try {
        runSavepointStatement("ROLLBACK TO SAVEPOINT row_save");
        runSavepointStatement("RELEASE SAVEPOINT row_save");
        return true;
    } catch (const DbError &) {
        return false;
    }
}

QString joined(const QString &first, const QString &second)
{
    return first.isEmpty() ? second : first + QLatin1Char('\n') + second;
}

} // namespace

SaveOutcome saveRowByRow(const std::vector<int> &rows, const RowWriter &writer)
{
    SaveOutcome outcome;
    if (rows.empty() && !writer.finish)
        return outcome;
    if (HostCatalogue::isReadOnly()) {
        outcome.failure = HostCatalogue::saveRefusal();
        return outcome;
    }
    try {
        if (!gConn)
            throw DbError(QStringLiteral("图版数据库没有打开"));
        gConn->requireFileInPlace();
        gConn->beginTransaction();
    } catch (const DbError &e) {
        outcome.failure = e.reason();
        return outcome;
    }
    std::vector<int> written;
    for (int row : rows) {
        try {
            runSavepointStatement("SAVEPOINT row_save");
            writer.write(row);
            runSavepointStatement("RELEASE SAVEPOINT row_save");
            written.push_back(row);
        } catch (const DbError &e) {
            outcome.failure = QStringLiteral("%1没有保存：%2").arg(writer.describe(row), e.reason());
            if (!undoRow()) {
                gConn->rollback();
                outcome.failure = joined(outcome.failure, QStringLiteral("数据库撤销了整个保存，没有保存任何一行。"));
                return outcome;
            }
            break;
        }
    }
    try {
        if (writer.finish)
            writer.finish(written);
        gConn->commit();
    } catch (const DbError &e) {
        gConn->rollback();
        outcome.failure = joined(outcome.failure, QStringLiteral("没有保存任何一行：") + e.reason());
        return outcome;
    }
    outcome.written = std::move(written);
    outcome.committed = true;
    return outcome;
}
