// A built statement's two texts must agree: the prepared one with its values
// bound finds exactly the rows the shown one (the text of gSql and of error
// details) finds, and the shown one reads as the literals say.

#include "platform/database/SqlStatement.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <limits>

using namespace Qt::StringLiterals;

class SqlStatementTest : public QObject
{
    Q_OBJECT

    QSqlDatabase db;

    // Rows as "a|b; c|d", or "error" when SQLite refused the statement.
    static QString rows(QSqlQuery &q)
    {
        if (!q.exec())
            return u"error"_s;
        QStringList out;
        while (q.next()) {
            QStringList row;
            for (int c = 0; c < q.record().count(); ++c)
                row << q.value(c).toString();
            out << row.join(u'|');
        }
        return out.join(u"; "_s);
    }

private slots:
    void initTestCase()
    {
        db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"statements"_s);
        db.setDatabaseName(u":memory:"_s);
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec(u"CREATE TABLE t (th TEXT, ID REAL, grp INTEGER)"_s));
        QVERIFY(q.exec(u"INSERT INTO t VALUES ('B001', 1, 1), ('B001', 2.5, 2), ('O''Hara', -3, 3), "
                       "('5', 0.30000000000000004, 5), ('x'' or ''1''=''1', 7, 9)"_s));
    }

    void bothTextsFindTheSameRows_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("value"); // a key; a QString one goes in as a text value
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("found");
        QTest::newRow("doubled quote") << "th" << QVariant(u"O'Hara"_s) << "select th from t where th= 'O''Hara'" << "O'Hara";
        QTest::newRow("a quote that would end the text") << "th" << QVariant(u"x' or '1'='1"_s)
                                                        << "select th from t where th= 'x'' or ''1''=''1'" << "x' or '1'='1";
        QTest::newRow("whole real as integer") << "ID" << QVariant(1.0) << "select th from t where ID= 1" << "B001";
        QTest::newRow("real") << "ID" << QVariant(2.5) << "select th from t where ID= 2.5" << "B001";
        QTest::newRow("negative integer") << "ID" << QVariant(-3) << "select th from t where ID= -3" << "O'Hara";
        QTest::newRow("shortest round trip") << "ID" << QVariant(0.1 + 0.2)
                                             << "select th from t where ID= 0.30000000000000004" << "5";
        QTest::newRow("a number kept as text") << "th" << QVariant(u"5"_s) << "select th from t where th= '5'" << "5";
        QTest::newRow("no number") << "ID" << QVariant(std::numeric_limits<double>::quiet_NaN())
                                   << "select th from t where ID= NULL" << "";
    }
    void bothTextsFindTheSameRows()
    {
        QFETCH(QString, field);
        QFETCH(QVariant, value);
        QFETCH(QString, shown);
        QFETCH(QString, found);
        SqlStatement statement = SqlStatement::select(u"th"_s, u"t"_s).fixed(u" where "_s + field + u"= "_s);
        if (value.typeId() == QMetaType::QString)
            statement.text(value.toString());
        else
            statement.key(value);
        QCOMPARE(statement.shown(), shown);
        QCOMPARE(statement.prepared(), u"select th from t where "_s + field + u"= ?"_s);
        QSqlQuery asShown(db), asPrepared(db);
        QVERIFY(asShown.prepare(shown));
        QVERIFY(asPrepared.prepare(statement.prepared()));
        for (int i = 0; i < statement.values().size(); ++i)
            asPrepared.bindValue(i, statement.values()[i]);
        QCOMPARE(rows(asShown), found);
        QCOMPARE(rows(asPrepared), found);
    }

    // The parts a record set and the figure list read instead of the text.
    void aSelectKeepsItsParts()
    {
        const SqlStatement select = SqlStatement::select(u"*"_s, u"t"_s)
                                        .fixed(u" where th= "_s).text(u"B001"_s)
                                        .fixed(u" and grp="_s).key(2).fixed(u" order by ID"_s);
        QVERIFY(select.isSelect());
        QCOMPARE(select.table(), u"t"_s);
        QCOMPARE(select.head(), u"select * from t"_s);
        const SqlStatement narrowed = select.withFields(u"th,grp"_s);
        QCOMPARE(narrowed.shown(), u"select th,grp from t where th= 'B001' and grp=2 order by ID"_s);
        QCOMPARE(narrowed.prepared(), u"select th,grp from t where th= ? and grp=? order by ID"_s);
        QCOMPARE(narrowed.values(), (QVariantList{u"B001"_s, qlonglong(2)}));
        const SqlStatement deletion = SqlStatement(u"DELETE from t where th= "_s).text(u"B001"_s);
        QVERIFY(!deletion.isSelect());
        QCOMPARE(deletion.shown(), u"DELETE from t where th= 'B001'"_s);
    }
};

QTEST_MAIN(SqlStatementTest)
#include "tst_sql_statement.moc"
