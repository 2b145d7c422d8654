// Record sets over real catalogue files: positions, fields by name, conversions
// by declared type, write-back by row identity, and failures that leave the
// file as it was.

#include "platform/database/Recordset.h"
#include "tests/support/DbFailure.h"
#include "tests/support/TestInstallRoot.h"

#include <QTest>
#include <memory>

class RecordsetTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestInstallRoot> root;
    std::shared_ptr<Connection> conn;

    void reopen()
    {
        conn = std::make_shared<Connection>();
        conn->open(root->cataloguePath());
    }
    // Rows as "a|b; c|d" with NULL spelled out, for readable comparisons.
    QString rows(const QString &sql) const
    {
        QStringList out;
        for (const QVariantList &row : root->rows(sql)) {
            QStringList cells;
            for (const QVariant &v : row)
                cells << (v.isNull() ? QStringLiteral("NULL") : v.toString());
            out << cells.join(QLatin1Char('|'));
        }
        return out.join(QStringLiteral("; "));
    }
    QString picMain() const { return rows(QStringLiteral("select * from picMain order by th")); }
    static void set(Recordset &rs, std::initializer_list<std::pair<QString, QVariant>> values)
    {
        for (const auto &[field, value] : values)
            rs.setValue(field, value);
    }

private slots:
    void init()
    {
        root = std::make_unique<TestInstallRoot>();
        root->insertFigure({{"th", "B002"}, {"LB", "B"}, {"figName", "Zr-Ti"}});
        root->insertFigure({{"th", "B001"}, {"LB", "B"}, {"figName", "AFM"}, {"Vector", 1}, {"Bitmap", 1}});
        root->insertFigure({{"th", "B003"}, {"LB", "B"}, {"figName", "TAS"}});
        root->insertFigure({{"th", "S001"}, {"LB", "S"}, {"figName", "Ab"}});
        reopen();
    }

    void cleanup()
    {
        conn.reset();
        root.reset();
    }

    void positionsAndFieldNames()
    {
        Recordset rs;
        rs.open(QStringLiteral("select * from picMain where LB = 'B' order by figName"), conn);
        QCOMPARE(rs.recordCount(), 3);
        QCOMPARE(rs.absolutePosition(), 1);
        QStringList order;
        for (int p = 1; p <= rs.recordCount(); ++p) {
            rs.setAbsolutePosition(p);
            order << rs.text(QStringLiteral("figName"));
            QCOMPARE(rs.value(QStringLiteral("Th")), rs.value(QStringLiteral("th")));
            QCOMPARE(rs.text(QStringLiteral("TH")), rs.text(QStringLiteral("tH")));
        }
        QCOMPARE(order, (QStringList{"AFM", "TAS", "Zr-Ti"}));
        QVERIFY_DB_FAILS(rs.setAbsolutePosition(0));
        QVERIFY_DB_FAILS(rs.setAbsolutePosition(4));
        QVERIFY_DB_FAILS(rs.value(QStringLiteral("nosuch")));

        rs.close();
        QVERIFY_DB_FAILS(rs.value(QStringLiteral("th")));

        // A select that found nothing has no current record to read or write.
        rs.open(QStringLiteral("select * from picMain where th= 'B999'"), conn);
        QCOMPARE(rs.recordCount(), 0);
        QVERIFY_DB_FAILS(rs.value(QStringLiteral("th")));
        QVERIFY_DB_FAILS(rs.setValue(QStringLiteral("tm"), QStringLiteral("x")));
        QVERIFY_DB_FAILS(rs.update());
        QVERIFY_DB_FAILS(rs.setAbsolutePosition(1));
    }

    void writesConvertByDeclaredType_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QVariant>("input");
        QTest::addColumn<QString>("storedType");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("readText");
        QTest::newRow("real, blanks trimmed") << "X1" << QVariant(" 2.5 ") << "real" << QVariant(2.5) << "2.5";
        QTest::newRow("real 0.1") << "X2" << QVariant("0.1") << "real" << QVariant(0.1) << "0.1";
        QTest::newRow("real from a number") << "X3" << QVariant(-2.5) << "real" << QVariant(-2.5) << "-2.5";
        QTest::newRow("real, whole") << "X4" << QVariant("100") << "real" << QVariant(100.0) << "100";
        QTest::newRow("real, large") << "X5" << QVariant("1e20") << "real" << QVariant(1e20) << "1E+20";
        QTest::newRow("integer 2.5 to even") << "X7" << QVariant("2.5") << "integer" << QVariant(2) << "2";
        QTest::newRow("integer 3.5 to even") << "Y7" << QVariant(3.5) << "integer" << QVariant(4) << "4";
        QTest::newRow("integer -2.5 to even") << "grp" << QVariant(" -2.5") << "integer" << QVariant(-2) << "-2";
        QTest::newRow("integer 2.6") << "specialCase" << QVariant("2.6") << "integer" << QVariant(3) << "3";
        QTest::newRow("boolean True") << "X6" << QVariant("True") << "integer" << QVariant(1) << "True";
        QTest::newRow("boolean TRUE") << "Y6" << QVariant("TRUE") << "integer" << QVariant(1) << "True";
        QTest::newRow("boolean -1") << "border" << QVariant(-1) << "integer" << QVariant(1) << "True";
        QTest::newRow("boolean fAlSe") << "Vector" << QVariant("fAlSe") << "integer" << QVariant(0) << "False";
        QTest::newRow("boolean \"0\"") << "Bitmap" << QVariant("0") << "integer" << QVariant(0) << "False";
        QTest::newRow("text as is") << "tm" << QVariant(" 12 abc ") << "text" << QVariant(" 12 abc ") << " 12 abc ";
        QTest::newRow("text of digits") << "Comment" << QVariant("007") << "text" << QVariant("007") << "007";
    }

    void writesConvertByDeclaredType()
    {
        QFETCH(QString, column);
        QFETCH(QVariant, input);
        QFETCH(QString, storedType);
        QFETCH(QVariant, stored);
        QFETCH(QString, readText);
        const QString select = QStringLiteral("select * from picMain where th= 'B001'");
        const QString others = QStringLiteral("select * from picMain where th <> 'B001' order by th");
        const QString othersBefore = rows(others);
        Recordset rs;
        rs.open(select, conn);
        rs.setValue(column, input);
        QCOMPARE(rs.text(column), readText); // before the update, too
        rs.update();
        QCOMPARE(rs.text(column), readText);

        const QString where = QStringLiteral(" from picMain where th='B001'");
        QCOMPARE(root->scalar(QStringLiteral("select typeof(%1)").arg(column) + where).toString(), storedType);
        QCOMPARE(root->scalar(QStringLiteral("select %1").arg(column) + where), stored);
        Recordset again;
        again.open(select, conn);
        QCOMPARE(again.text(column), readText);
        QCOMPARE(rows(others), othersBefore);
    }

    void failedWriteChangesNothing_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QVariant>("input");
        QTest::newRow("real, empty") << "X1" << QVariant("");
        QTest::newRow("real, blanks") << "X1" << QVariant("  ");
        QTest::newRow("real, letters") << "X1" << QVariant("abc");
        QTest::newRow("real, trailing letters") << "X2" << QVariant("2.5x");
        QTest::newRow("integer, empty") << "X7" << QVariant("");
        QTest::newRow("integer, letters") << "X7" << QVariant("abc");
        QTest::newRow("boolean, empty") << "X6" << QVariant("");
        QTest::newRow("boolean, other text") << "X6" << QVariant("yes");
        QTest::newRow("no such column") << "nosuch" << QVariant("1");
        QTest::newRow("expression") << "twice" << QVariant("1");
    }

    void failedWriteChangesNothing()
    {
        QFETCH(QString, column);
        QFETCH(QVariant, input);
        const auto before = picMain();
        Recordset rs;
        rs.open(QStringLiteral("select *, X1*2 as twice from picMain where th= 'B001'"), conn);
        QVERIFY_DB_FAILS(rs.setValue(column, input));
        rs.update(); // the refused value must not be waiting to be written
        QCOMPARE(picMain(), before);
    }

    void failedUpdateLeavesNoHalfRecord()
    {
        const auto before = picMain();
        Recordset rs;
        rs.open(QStringLiteral("select * from picMain where th= 'B009'"), conn);
        rs.addNew();
        set(rs, {{"th", "B009"}, {"X1", 1.5}});
        QVERIFY_DB_FAILS(rs.update()); // LB may not be NULL
        set(rs, {{"th", "B001"}, {"LB", "B"}});
        QVERIFY_DB_FAILS(rs.update()); // th is taken
        QCOMPARE(picMain(), before);
        // The same statement runs again once the values are right.
        set(rs, {{"th", "B009"}});
        rs.update();
        set(rs, {{"th", "B002"}, {"tm", "lost"}});
        QVERIFY_DB_FAILS(rs.update()); // th is taken: neither field lands
        QCOMPARE(rows(QStringLiteral("select th, tm, X1 from picMain where X1 <> 0")), QStringLiteral("B009||1.5"));
        set(rs, {{"th", "B010"}});
        rs.update();
        QCOMPARE(rows(QStringLiteral("select th, tm, X1 from picMain where X1 <> 0")), QStringLiteral("B010|lost|1.5"));
    }

    void readsStoredValues()
    {
        root->exec(QStringLiteral("update picMain set X1=0.1, X2=100, X3=-2.5, X4=-0.0, X6=1, Y6=0, X7=100, "
                                  "specialCase=NULL, Comment=NULL where th='B001'"));
        Recordset rs;
        rs.open(QStringLiteral("select * from picMain where th= 'B001'"), conn);
        const QStringList names{"X1", "X2", "X3", "X4", "X6", "Y6", "X7", "specialCase", "Comment"};
        QStringList texts;
        for (const QString &name : names)
            texts << rs.text(name);
        QCOMPARE(texts, (QStringList{"0.1", "100", "-2.5", "0", "True", "False", "100", "", ""}));
        QVERIFY(rs.value(QStringLiteral("specialCase")).isNull());
        QVERIFY(rs.value(QStringLiteral("Comment")).isNull());
    }

    void statementsOfLaterWindows()
    {
        root->exec(QStringLiteral("insert into picType values (3, 'Old'), (5, 'Five')"));
        Recordset rs;
        rs.open(QStringLiteral("select grp,grpName from picType order by grp"), conn);
        QCOMPARE(rs.recordCount(), 2);
        QCOMPARE(rs.text(QStringLiteral("GRP")), QStringLiteral("3"));

        rs.open(QStringLiteral("select grpName from picType where grp = 3"), conn);
        rs.setValue(QStringLiteral("grpName"), QStringLiteral("New"));
        rs.update();
        rs.open(QStringLiteral("select * from picType where grp = 4"), conn);
        QCOMPARE(rs.recordCount(), 0);
        rs.addNew();
        set(rs, {{"grp", 4}, {"grpName", "Four"}});
        rs.update();
        set(rs, {{"grp", 6}}); // the key is the row's identity: it moves with it
        rs.update();
        set(rs, {{"grpName", "Six"}});
        rs.update();
        conn->execute(QStringLiteral("DELETE from picType where grp = 5"));
        QCOMPARE(rows(QStringLiteral("select grp, typeof(grp), grpName from picType order by grp")),
                 QStringLiteral("3|integer|New; 6|integer|Six"));
        conn->execute(QStringLiteral("DELETE from picType where grp = 3"));
        QCOMPARE(root->scalar(QStringLiteral("select count(*) from picType")).toInt(), 1);

        root->exec(QStringLiteral("insert into pData (th, ID, X) values ('B001', 2, 0.5), ('B001', 1, 0.25), "
                                  "('B002', 1, 9)"));
        rs.open(QStringLiteral("select * from pData where Th = 'B001' order by ID"), conn);
        QCOMPARE(rs.recordCount(), 2);
        QCOMPARE(rs.text(QStringLiteral("x")), QStringLiteral("0.25"));
        rs.open(QStringLiteral("select * from pData where th= 'B001' and ID=3"), conn);
        rs.addNew();
        set(rs, {{"th", "B001"}, {"ID", "3"}, {"Series", "1"}, {"curve", "True"}, {"X", "1.5"}, {"Y", "-2"}, {"L", "0"}});
        rs.update();
        rs.open(QStringLiteral("select * from pData where th= 'B001' and ID=3"), conn);
        QCOMPARE(rs.recordCount(), 1);
        rs.setValue(QStringLiteral("Y"), QStringLiteral("7"));
        rs.update();
        QCOMPARE(rows(QStringLiteral("select ID, Series, curve, X, typeof(Y), Y, L from pData where th='B001' order by ID")),
                 QStringLiteral("1|NULL|NULL|0.25|null|NULL|NULL; 2|NULL|NULL|0.5|null|NULL|NULL; 3|1|1|1.5|real|7|0"));

        root->exec(QStringLiteral("insert into picLable (th, ID, Lbl) values ('B001', 1, 'a'), ('B001', 2, 'b')"));
        rs.open(QStringLiteral("select * from picLable where Th = 'B001' order by ID"), conn);
        QCOMPARE(rs.recordCount(), 2);
        conn->execute(QStringLiteral("DELETE from picLable where th= 'B001' and ID=2"));
        rs.open(QStringLiteral("select * from picLable where th= 'B001' and ID=2"), conn);
        QCOMPARE(rs.recordCount(), 0);
        rs.addNew();
        set(rs, {{"th", "B001"}, {"id", 2}, {"Lbl", "c"}});
        rs.update();
        QCOMPARE(rows(QStringLiteral("select ID, Lbl from picLable order by ID")), QStringLiteral("1|a; 2|c"));
    }

    void catalogueWithoutConstraints()
    {
        conn->close();
        for (const char *sql : {"DROP TABLE picMain", "DROP TABLE picType", "DROP TABLE pData", "DROP TABLE picLable",
                                "CREATE TABLE picMain (th TEXT, LB TEXT, figName TEXT, X1 REAL, X6 BOOLEAN)",
                                "CREATE TABLE picType (grp, grpName)", // no declared types at all
                                "CREATE TABLE pData (th TEXT, ID INTEGER, curve BOOLEAN, X REAL)",
                                "CREATE TABLE picLable (th TEXT, ID INTEGER, Lbl TEXT)",
                                "insert into pData values ('B001', NULL, NULL, NULL), ('B001', NULL, NULL, NULL)"})
            root->exec(QString::fromLatin1(sql));
        reopen();

        Recordset rs;
        rs.open(QStringLiteral("select * from pData where th= 'B001'"), conn);
        QCOMPARE(rs.recordCount(), 2);
        for (const char *field : {"ID", "curve", "X"}) {
            QVERIFY(rs.value(QLatin1String(field)).isNull());
            QCOMPARE(rs.text(QLatin1String(field)), QString());
        }
        // Two identical rows: the update finds the second by its identity alone.
        rs.setAbsolutePosition(2);
        set(rs, {{"X", "1.5"}, {"curve", "false"}});
        rs.update();
        QCOMPARE(rows(QStringLiteral("select X, curve from pData order by rowid")), QStringLiteral("NULL|NULL; 1.5|0"));

        rs.open(QStringLiteral("select * from picType where grp = 4"), conn);
        rs.addNew();
        set(rs, {{"grp", 4}});
        rs.update();
        set(rs, {{"grpName", "Four"}}); // the added record is now the current one
        rs.update();
        QCOMPARE(rows(QStringLiteral("select typeof(grp), grp, grpName from picType")), QStringLiteral("integer|4|Four"));

        rs.open(QStringLiteral("select * from picMain where th= 'B001'"), conn);
        rs.addNew();
        rs.update(); // a record of NULLs only
        QCOMPARE(rows(QStringLiteral("select * from picMain")), QStringLiteral("NULL|NULL|NULL|NULL|NULL"));
    }

    void updateAfterItsConnectionClosedFails()
    {
        Recordset rs;
        rs.open(QStringLiteral("select * from picMain where th= 'B001'"), conn);
        const auto before = picMain();
        conn->close();
        rs.setValue(QStringLiteral("tm"), QStringLiteral("late"));
        QVERIFY_DB_FAILS(rs.update());
        rs.addNew();
        set(rs, {{"th", "B100"}, {"LB", "B"}});
        QVERIFY_DB_FAILS(rs.update());
        QCOMPARE(picMain(), before);
        QVERIFY_DB_FAILS(rs.open(QStringLiteral("select * from picMain"), conn));
    }
};

QTEST_GUILESS_MAIN(RecordsetTest)
#include "tst_recordset.moc"
