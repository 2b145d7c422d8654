#include "ui/common/RowByRowSave.h"

#include "app/HostCatalogue.h"
#include "app/mQuillar.h"
#include "platform/database/DbError.h"
#include "platform/database/SqliteFailure.h"


namespace {

// Prepared once per connection: a save of many rows sends them for every row.
void runSavepointStatement(const QString &sql)
{
    Statement &q = gConn->prepared(sql);
    const bool ran = q.exec();
    q.finish();
    if (!ran)
        throw sqliteFailure(q.lastError(), QStringLiteral("图版数据库不接受这条语句"), gConn->path(), sql);
}

bool needsSavepoint(const RowWriter &writer, int row)
{
    return !writer.oneStatementPerRow && !(writer.writesOneStatement && writer.writesOneStatement(row));
}

// False when the database had already dropped the whole transaction (SQLite
// does so on a full disk, for one): then the rows before are gone too, and
// any further statement would run, and stay, outside a transaction.
bool undoRow(bool inSavepoint)
{
    if (!inSavepoint) // SQLite has undone the failing statement itself
        return gConn->inTransaction();
    try {
        runSavepointStatement(QStringLiteral("ROLLBACK TO SAVEPOINT row_save"));
        runSavepointStatement(QStringLiteral("RELEASE SAVEPOINT row_save"));
        return true;
    } catch (const DbError &) {
        return false;
    }
}

// Builds the failure text: every cause on the first line, for the message
// itself; the details after them.
struct FailureText
{
    QString causes, details;

    void add(const QString &cause, const QString &detail = QString())
    {
        causes += (causes.isEmpty() ? QString() : QStringLiteral("；")) + cause;
        if (!detail.isEmpty())
            details += (details.isEmpty() ? QString() : QStringLiteral("\n")) + detail;
    }
    QString text() const { return DbError(causes, details).reason(); }
};

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
        if (!writer.readFrom.isEmpty() && gConn->fileIdentity() != writer.readFrom)
            throw DbError(QStringLiteral("图版数据库文件已被另一个文件替换，这个列表是从原来的文件读出的，"
                                         "不能写入新的文件；请重新载入列表"),
                          gConn->path());
        gConn->beginTransaction();
        if (writer.start)
            writer.start();
    } catch (const DbError &e) {
        if (gConn)
            gConn->rollback(); // a failing start leaves nothing behind
        outcome.failure = e.reason();
        return outcome;
    }
    FailureText failure;
    std::vector<int> written;
    for (int row : rows) {
        const bool inSavepoint = needsSavepoint(writer, row);
        try {
            if (inSavepoint)
                runSavepointStatement(QStringLiteral("SAVEPOINT row_save"));
            writer.write(row);
            if (inSavepoint)
                runSavepointStatement(QStringLiteral("RELEASE SAVEPOINT row_save"));
            written.push_back(row);
        } catch (const WriteConflict &conflict) {
            if (!undoRow(inSavepoint)) {
                gConn->rollback();
                outcome.failure = QStringLiteral("数据库撤销了整个保存，没有保存任何一行。");
                return outcome;
            }
            outcome.conflict = conflict;
            break;
        } catch (const DbError &e) {
            failure.add(QStringLiteral("%1没有保存：%2").arg(writer.describe(row), e.cause()), e.details());
            if (!undoRow(inSavepoint)) {
                gConn->rollback();
                failure.add(QStringLiteral("数据库撤销了整个保存，没有保存任何一行。"));
                outcome.failure = failure.text();
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
        failure.add(QStringLiteral("没有保存任何一行：") + e.cause(), e.details());
        outcome.failure = failure.text();
        outcome.conflict.reset(); // the question is about rows that are no longer written
        return outcome;
    }
    outcome.failure = failure.text();
    outcome.written = std::move(written);
    outcome.committed = true;
    return outcome;
}
