// Statements taken apart into a prepared form and bound values must find
// exactly the rows their text finds; the literals a form must not take (a
// pragma's value, an ORDER BY position, blobs, hex, comments) stay in place.

#include "platform/database/StatementForm.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

class StatementFormTest : public QObject
{
    Q_OBJECT

    QSqlDatabase db;

    // Rows as "a|b; c|d", or "error" when SQLite refused the statement.
    QString rows(QSqlQuery &q) const
    {
        if (!q.exec())
            return QStringLiteral("error");
        QStringList out;
        while (q.next()) {
            QStringList row;
            for (int c = 0; c < q.record().count(); ++c)
                row << q.value(c).toString();
            out << row.join(u'|');
        }
        return out.join(QStringLiteral("; "));
    }

private slots:
    void initTestCase()
    {
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("forms"));
        db.setDatabaseName(QStringLiteral(":memory:"));
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec("CREATE TABLE t (th TEXT, ID REAL, grp INTEGER, name TEXT)"));
        QVERIFY(q.exec("INSERT INTO t VALUES ('B001', 1, 1, 'a -- b'), ('B001', 2.5, 2, '%a%'), "
                       "('O''Hara', -3, 3, 'x'), ('B002', 1E20, 9, 'B0'), ('B0', 16, 4, 'y')"));
    }

    void sameRowsAsTheText_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<int>("bound"); // literals the form takes out
        QTest::newRow("doubled quote") << "select * from t where th= 'O''Hara'" << 1;
        QTest::newRow("text and real") << "select * from t where th= 'B001' and ID=2.5" << 2;
        QTest::newRow("negative") << "select * from t where ID=-3" << 1;
        QTest::newRow("past 64 bits") << "select * from t where ID < 9223372036854775808 order by ID" << 1;
        QTest::newRow("dashes inside a text") << "select * from t where name = 'a -- b'" << 1;
        QTest::newRow("order by position") << "select th, ID from t where grp >= 2 order by 2" << 1;
        QTest::newRow("quoted column") << "select * from t where \"th\"='B001' and [grp]<>1" << 2;
        QTest::newRow("like") << "select * from t where name like '%a%'" << 0;
        QTest::newRow("blob") << "select * from t where th= X'4230'" << 0;
        QTest::newRow("hex") << "select * from t where ID=0x10" << 0;
        QTest::newRow("a comment") << "select * from t where th = 'B002' -- note" << 0;
        QTest::newRow("unterminated") << "select * from t where th = 'B001" << 0;
        QTest::newRow("pragma") << "PRAGMA max_page_count = 1000000" << 0;
    }
    void sameRowsAsTheText()
    {
        QFETCH(QString, sql);
        QFETCH(int, bound);
        const StatementForm form = statementForm(sql);
        QCOMPARE(form.values.size(), bound);
        QCOMPARE(form.sql.count(u'?'), bound);
        QSqlQuery text(db), prepared(db);
        QVERIFY(text.prepare(sql) || bound == 0);
        prepared.prepare(form.sql);
        for (int i = 0; i < form.values.size(); ++i)
            prepared.bindValue(i, form.values[i]);
        QCOMPARE(rows(prepared), rows(text));
    }

    // A select's field list names its fields: literals there stay.
    void fieldListStaysInPlace()
    {
        const QString sql = QStringLiteral("select grp=2, 'a' from t where grp=2");
        const StatementForm form = statementForm(sql, sql.indexOf(QLatin1String(" where")));
        QCOMPARE(form.sql, QStringLiteral("select grp=2, 'a' from t where grp=?"));
        QCOMPARE(form.values, QVariantList{qlonglong(2)});
    }
};

QTEST_MAIN(StatementFormTest)
#include "tst_statement_form.moc"
