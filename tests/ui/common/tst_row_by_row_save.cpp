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
        gConn->execute(QStringLiteral("INSERT INTO picLable (th, ID) VALUES ('F', %1)").arg(row * 10));
        if (row == failing)
            throw DbError(QStringLiteral("第二次写入失败"));
        gConn->execute(QStringLiteral("INSERT INTO picLable (th, ID) VALUES ('F', %1)").arg(row * 10 + 1));
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
