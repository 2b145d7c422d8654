// The one save of every window: rows one by one in one transaction, each row
// all or nothing, the rows before a failure committed.
#include "app/mQuillar.h"
#include "platform/database/DbError.h"
#include "tests/support/TestInstallRoot.h"
#include "ui/common/RowByRowSave.h"

#include <QFile>
#include <QTest>

namespace {

// Each row writes two labels of figure F: ID row*10 and row*10+1. Row `failing`
// fails after its first write.
RowWriter twoWritesPerRow(int failing)
{
    RowWriter writer;
    writer.write = [failing](int row) {
        gConn->execute(SqlStatement(QStringLiteral("INSERT INTO picLable (th, ID) VALUES ('F', %1)").arg(row * 10)));
        if (row == failing)
            throw DbError(QStringLiteral("第二次写入失败"));
        gConn->execute(SqlStatement(QStringLiteral("INSERT INTO picLable (th, ID) VALUES ('F', %1)").arg(row * 10 + 1)));
    };
    writer.describe = [](int row) { return QStringLiteral("第 %1 行").arg(row); };
    return writer;
}

QString storedIds(const TestInstallRoot &root)
{
    QStringList ids;
    for (const QVariantList &row : root.rows("SELECT ID FROM picLable ORDER BY ID"))
        ids << row[0].toString();
    return ids.join(' ');
}

} // namespace

class RowByRowSaveTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { gConn.reset(); }

    void failingRowLeavesNothingAndStopsTheSave()
    {
        TestInstallRoot root;
        OpenDatabase();
        const SaveOutcome outcome = saveRowByRow({1, 2, 3, 4}, twoWritesPerRow(3));
        QCOMPARE(outcome.written, (std::vector<int>{1, 2}));
        QVERIFY(outcome.failure.startsWith("第 3 行没有保存：") && outcome.failure.contains("第二次写入失败"));
        QCOMPARE(storedIds(root), QStringLiteral("10 11 20 21"));

        // The connection is usable again: a retry from the failing row goes through.
        const SaveOutcome retry = saveRowByRow({3, 4}, twoWritesPerRow(0));
        QVERIFY2(retry.failure.isEmpty(), qPrintable(retry.failure));
        QCOMPARE(storedIds(root), QStringLiteral("10 11 20 21 30 31 40 41"));
    }

    // Without a savepoint a row's one statement is undone whole by SQLite,
    // what its triggers wrote included; the rows before stay written.
    void failingSingleStatementRowLeavesNothing()
    {
        TestInstallRoot root;
        root.exec("CREATE TRIGGER refuse AFTER INSERT ON picLable WHEN NEW.ID = 30 BEGIN "
                  "INSERT INTO picLable (th, ID) VALUES ('F', 99); SELECT RAISE(ABORT, 'refused'); END");
        OpenDatabase();
        RowWriter writer;
        writer.oneStatementPerRow = true;
        writer.write = [](int row) {
            gConn->execute(SqlStatement(QStringLiteral("INSERT INTO picLable (th, ID) VALUES ('F', %1)").arg(row * 10)));
        };
        writer.describe = [](int row) { return QStringLiteral("第 %1 行").arg(row); };
        const SaveOutcome outcome = saveRowByRow({1, 2, 3, 4}, writer);
        QCOMPARE(outcome.written, (std::vector<int>{1, 2}));
        QVERIFY2(outcome.failure.startsWith("第 3 行没有保存：") && outcome.committed, qPrintable(outcome.failure));
        QCOMPARE(storedIds(root), QStringLiteral("10 20"));
    }

    void failingFinishCommitsNothing()
    {
        TestInstallRoot root;
        OpenDatabase();
        RowWriter writer = twoWritesPerRow(0);
        std::vector<int> seen;
        writer.finish = [&seen](const std::vector<int> &written) {
            seen = written;
            throw DbError(QStringLiteral("重新编号失败"));
        };
        const SaveOutcome outcome = saveRowByRow({1, 2}, writer);
        QCOMPARE(seen, (std::vector<int>{1, 2}));
        QVERIFY(outcome.written.empty());
        QVERIFY(outcome.failure.contains("重新编号失败"));
        QCOMPARE(storedIds(root), QString());
    }

    // A file replaced under the connection tst_save_faults covers.
    void fileGoneIsNoSave()
    {
        TestInstallRoot root;
        OpenDatabase();
        const QString path = root.cataloguePath();
        QVERIFY(QFile::rename(path, path + ".moved"));
        const SaveOutcome outcome = saveRowByRow({1}, twoWritesPerRow(0));
        QVERIFY2(outcome.failure.contains("不在原处"), qPrintable(outcome.failure));
        QVERIFY(outcome.written.empty());

        // Back in place, a list load reopens the connection; saving works again.
        QVERIFY(QFile::rename(path + ".moved", path));
        OpenDatabase();
        QCOMPARE(saveRowByRow({1}, twoWritesPerRow(0)).failure, QString());
        QCOMPARE(storedIds(root), QStringLiteral("10 11"));
    }

    // A conflict is no failure: the rows before it are committed, it and the
    // rows after it are not written, and the outcome says which row to ask about.
    void conflictStopsBeforeItsRowAndCommitsTheRest()
    {
        TestInstallRoot root;
        OpenDatabase();
        RowWriter writer = twoWritesPerRow(0);
        const auto write = writer.write;
        writer.write = [write](int row) {
            write(row);
            if (row == 2)
                throw WriteConflict{row, {QStringLiteral("他们的")}, {1}, QStringLiteral("已被另一个程序修改")};
        };
        std::vector<int> finished;
        writer.finish = [&finished](const std::vector<int> &written) { finished = written; };
        const SaveOutcome outcome = saveRowByRow({1, 2, 3}, writer);
        QVERIFY2(outcome.failure.isEmpty(), qPrintable(outcome.failure));
        QVERIFY(outcome.committed);
        QVERIFY(outcome.conflict && outcome.conflict->row == 2);
        QCOMPARE(outcome.written, (std::vector<int>{1}));
        QCOMPARE(finished, (std::vector<int>{1}));
        QCOMPARE(storedIds(root), QStringLiteral("10 11"));
    }

    // Rows read from one file are never written into a file that replaced
    // it, and a failing start (the edited figure gone) writes nothing.
    void wrongFileOrFailingStartWritesNothing()
    {
        TestInstallRoot root;
        OpenDatabase();
        RowWriter writer = twoWritesPerRow(0);
        writer.readFrom = gConn->fileIdentity();
        const QString path = root.cataloguePath();
        QVERIFY(QFile::copy(path, path + ".new") && QFile::remove(path) && QFile::rename(path + ".new", path));
        OpenDatabase(); // another window's reload opens the new file
        SaveOutcome outcome = saveRowByRow({1}, writer);
        QVERIFY2(outcome.failure.contains("替换"), qPrintable(outcome.failure));
        QCOMPARE(storedIds(root), QString());

        writer.readFrom = gConn->fileIdentity(); // as a list read from the new file has it
        writer.start = [] { throw DbError(QStringLiteral("图版 B001 已被删除或改号")); };
        outcome = saveRowByRow({1}, writer);
        QVERIFY(outcome.failure.contains("已被删除或改号") && outcome.written.empty());
        QCOMPARE(storedIds(root), QString());
        writer.start = {};
        QCOMPARE(saveRowByRow({1}, writer).failure, QString());
        QCOMPARE(storedIds(root), QStringLiteral("10 11"));
    }

    void nothingToWriteNeedsNoCatalogue()
    {
        TestInstallRoot root;
        TestInstallRoot::clearSettings();
        OpenDatabase(); // fails: no install root
        QCOMPARE(saveRowByRow({}, twoWritesPerRow(0)).failure, QString());
        const SaveOutcome outcome = saveRowByRow({1}, twoWritesPerRow(0));
        QVERIFY(outcome.written.empty());
        QVERIFY(!outcome.failure.isEmpty());
    }
};

QTEST_GUILESS_MAIN(RowByRowSaveTest)
#include "tst_row_by_row_save.moc"
