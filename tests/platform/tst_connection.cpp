// A connection against real files: what it refuses to open, awkward folder
// names, closing, and transactions.

#include "platform/database/Connection.h"
#include "platform/database/Recordset.h"
#include "tests/support/DbFailure.h"
#include "tests/support/TestInstallRoot.h"
#include "tools/CatalogueSchema.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Runs one statement on the file without the storage layer, so the layer is
// not its own witness; gives the first value of the result.
QVariant plainScalar(const QString &path, const QString &sql)
{
    const QString name = QStringLiteral("plain");
    QVariant result;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(sql) && q.next())
                result = q.value(0);
        }
    }
    QSqlDatabase::removeDatabase(name);
    return result;
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class ConnectionTest : public QObject
{
    Q_OBJECT

private slots:
    void refusesWhatIsNoCatalogue_data()
    {
        QTest::addColumn<QByteArray>("content"); // null: no file at all
        const QByteArray jet("\x00\x01\x00\x00Standard Jet DB", 19);
        QTemporaryDir dir;
        const QString sqlite = dir.path() + QStringLiteral("/three.db");
        QCOMPARE(createCatalogueFile(sqlite), QString());
        plainScalar(sqlite, QStringLiteral("DROP TABLE picLable"));
        QCOMPARE(plainScalar(sqlite, QStringLiteral("select count(*) from sqlite_master where type = 'table'")).toInt(), 3);

        QTest::newRow("missing file") << QByteArray();
        QTest::newRow("Access file") << jet + QByteArray(4096 - jet.size(), '\0');
        QTest::newRow("text file") << QByteArray("th,figName\nB001,Granite\n");
        QTest::newRow("empty file") << QByteArray("");
        QTest::newRow("SQLite without picLable") << fileBytes(sqlite);
    }

    void refusesWhatIsNoCatalogue()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/system.mdb");
        QFile file(path);
        if (!content.isNull())
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.flush());
        file.close();

        Connection connection;
        QVERIFY_DB_FAILS(connection.open(path));
        QVERIFY(!connection.isOpen());
        QVERIFY_DB_FAILS(connection.execute(QStringLiteral("select 1")));
        // Refusing a file leaves it as it was, and never creates one.
        QCOMPARE(QFileInfo::exists(path), !content.isNull());
        QCOMPARE(fileBytes(path), content.isNull() ? QByteArray() : content);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), content.isNull() ? 0 : 1);
    }

    void opensAwkwardFolderNames_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::newRow("blank") << "with blank";
        QTest::newRow("Chinese") << "图版 数据库";
        QTest::newRow("hash and percent") << "a#b100%20";
        QTest::newRow("question mark") << "why?mode=ro";
        QTest::newRow("all at once") << "安装 目录#%?x";
    }

    void opensAwkwardFolderNames()
    {
        QFETCH(QString, folder);
        QTemporaryDir dir;
        const QString path = dir.path() + QLatin1Char('/') + folder + QStringLiteral("/dbase/system.mdb");
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QCOMPARE(createCatalogueFile(path), QString());

        auto connection = std::make_shared<Connection>();
        connection->open(path);
        connection->execute(QStringLiteral("insert into picType (grp, grpName) values (1, 'Cartesian')"));
        Recordset rs;
        rs.open(QStringLiteral("select grpName from picType where grp = 1"), connection);
        QCOMPARE(rs.recordCount(), 1);
        QCOMPARE(rs.text(QStringLiteral("grpName")), QStringLiteral("Cartesian"));
        rs.setValue(QStringLiteral("grpName"), QStringLiteral("直角"));
        rs.update();
        rs.close();
        connection->close();

        QCOMPARE(plainScalar(path, QStringLiteral("select grpName from picType where grp = 1")).toString(),
                 QStringLiteral("直角"));
        // The name reached the file system as written: nothing else appeared.
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{folder});
    }

    void closingIsHarmless()
    {
        Connection never;
        never.close();
        never.close();
        QVERIFY(!never.isOpen());
        QVERIFY_DB_FAILS(never.execute(QStringLiteral("select 1")));

        TestInstallRoot root;
        Connection connection;
        connection.open(root.cataloguePath());
        QVERIFY(connection.isOpen());
        connection.close();
        connection.close();
        QVERIFY(!connection.isOpen());
        QVERIFY_DB_FAILS(connection.execute(QStringLiteral("select 1")));
        connection.open(root.cataloguePath()); // the same object opens again
        QVERIFY(connection.isOpen());
    }

    void transactions_data()
    {
        QTest::addColumn<bool>("commit");
        QTest::newRow("rolled back") << false;
        QTest::newRow("committed") << true;
    }

    void transactions()
    {
        QFETCH(bool, commit);
        TestInstallRoot root;
        root.insertFigure({{"th", "B001"}, {"LB", "B"}, {"tm", "old"}});
        root.insertFigure({{"th", "B002"}, {"LB", "B"}});
        auto connection = std::make_shared<Connection>();
        connection->open(root.cataloguePath());

        connection->beginTransaction();
        connection->execute(QStringLiteral("DELETE from picMain where th= 'B002'"));
        Recordset rs;
        rs.open(QStringLiteral("select * from picMain where th= 'B001'"), connection);
        rs.setValue(QStringLiteral("tm"), QStringLiteral("new"));
        rs.update();
        commit ? connection->commit() : connection->rollback();
        // Checked through another connection: the outcome is in the file.
        QCOMPARE(root.scalar(QStringLiteral("select group_concat(th || tm) from (select * from picMain order by th)")).toString(),
                 commit ? QStringLiteral("B001new") : QStringLiteral("B001old,B002"));
        QVERIFY_DB_FAILS(connection->commit()); // no transaction open
        connection->rollback();                 // harmless without one
    }
};

QTEST_GUILESS_MAIN(ConnectionTest)
#include "tst_connection.moc"
