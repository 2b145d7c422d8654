// The storage layer against real catalogue files: what a connection refuses
// to open, a folder named like URI options, the table writer's conversions by
// declared type and the texts values read back as, writes by row identity,
// and failures that leave the file as it was. The windows' statements as such the random
// sequences prove through it.

#include "platform/database/Recordset.h"
#include "platform/database/StoredRows.h"
#include "platform/database/TableWriter.h"
#include "tests/support/DbFailure.h"
#include "tests/support/TestInstallRoot.h"
#include "tools/CatalogueSchema.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>

using namespace Qt::StringLiterals;

static QByteArray fileBytes(const QString &path) // null when there is no file
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class DatabaseTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestInstallRoot> root;
    std::shared_ptr<Connection> conn;
    Recordset rs;

    // Rows as "a|b; c|d", for readable comparisons; quote() in the select spells NULL out.
    QString rows(const QString &sql) const
    {
        QStringList out;
        for (const QVariantList &row : root->rows(sql))
            out << QVariant(row).toStringList().join(u'|');
        return out.join(u"; "_s);
    }
    QString picMain() const { return rows(u"select * from picMain order by th"_s); }
    // A select of picMain: its field list, then its condition.
    void open(const QString &fields, const QString &condition) { rs.open(SqlStatement::select(fields, u"picMain"_s).fixed(condition), conn); }
    // A text as a text, anything else as a number, the way the saves hand them over.
    static void set(TableWriter &writer, const QString &column, const QVariant &value)
    {
        const int c = writer.column(column);
        if (value.typeId() == QMetaType::QString)
            writer.setText(c, value.toString());
        else
            writer.setNumber(c, value.toDouble());
    }

private slots:
    void init()
    {
        root = std::make_unique<TestInstallRoot>();
        root->exec(u"insert into picMain (th, LB, figName, Vector, Bitmap) values ('B002', 'B', 'Zr-Ti', 1, 1), "
                   "('B001', 'B', 'AFM', 1, 1), ('B003', 'B', 'TAS', 1, 1), ('S001', 'S', 'Ab', 1, 1)"_s);
        conn = std::make_shared<Connection>();
        conn->open(root->cataloguePath());
    }

    void cleanup() { rs.close(); conn.reset(); root.reset(); } // the connection goes before the root's folder

    void refusesWhatIsNoCatalogue_data()
    {
        QTest::addColumn<QByteArray>("content"); // null: no file at all
        TestInstallRoot incomplete;
        incomplete.exec(u"DROP TABLE picLable"_s);
        QTest::newRow("missing file") << QByteArray();
        QTest::newRow("Access file") << QByteArray("\x00\x01\x00\x00Standard Jet DB", 19).leftJustified(4096, '\0');
        QTest::newRow("text file") << QByteArray("th,figName\nB001,Granite\n");
        QTest::newRow("empty file") << QByteArray("");
        QTest::newRow("SQLite without picLable") << fileBytes(incomplete.cataloguePath());
    }

    void refusesWhatIsNoCatalogue()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"system.mdb"_s);
        if (QFile file(path); !content.isNull())
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        Connection refusing;
        QVERIFY_DB_FAILS(refusing.open(path));
        QVERIFY_DB_FAILS(refusing.execute(SqlStatement(u"select 1"_s)));
        // Refusing a file leaves it as it was, and never creates one.
        QCOMPARE(fileBytes(path), content);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), content.isNull() ? QStringList() : QStringList{"system.mdb"});
    }

    // Blanks, Chinese, '#' and '%' every test's install root has; a '?' must
    // not be read as the start of URI options.
    void opensAFolderNamedLikeURIOptions()
    {
        QTemporaryDir dir;
        const QString folder = u"why?mode=ro"_s, path = dir.filePath(folder + u"/system.mdb"_s);
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QCOMPARE(createCatalogueFile(path), QString());
        Connection awkward;
        awkward.open(path);
        awkward.execute(SqlStatement(u"insert into picType (grp, grpName) values (1, '直角')"_s));
        // The write reached that very file, and nothing else appeared.
        QVERIFY(fileBytes(path).contains("直角"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{folder});
    }

    void writesConvertByDeclaredType_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QVariant>("input");
        QTest::addColumn<QString>("stored");   // quote() of what the file holds; empty: the write is refused
        QTest::addColumn<QString>("readText"); // what a read gives back
        QTest::newRow("real, whole") << "X4" << QVariant("100") << "100.0" << "100";
        QTest::newRow("integer 2.5 to even") << "X7" << QVariant("2.5") << "2" << "2";
        QTest::newRow("integer 3.5 to even") << "Y7" << QVariant(3.5) << "4" << "4";
        QTest::newRow("integer -2.5 to even") << "grp" << QVariant(" -2.5") << "-2" << "-2";
        QTest::newRow("boolean -1") << "border" << QVariant(-1) << "1" << "True";
        QTest::newRow("boolean fAlSe") << "Vector" << QVariant("fAlSe") << "0" << "False";
        QTest::newRow("text as is") << "Comment" << QVariant(" 007 ") << "' 007 '" << " 007 ";
        // Empty and plain text in each kind of column tst_bad_input refuses through the windows.
        const std::pair<const char *, const char *> refused[] = {
            {"X1", "  "}, {"X2", "2.5x"}, {"X3", "0x10"}, {"X4", "１２"}, {"X5", "1,000"}, {"X6", "yes"},
            {"nosuch", "1"}, {"twice", "1"}}; // twice: an expression
        for (const auto &[column, input] : refused)
            QTest::addRow("%s '%s' refused", column, input) << column << QVariant(input) << QString() << QString();
    }

    void writesConvertByDeclaredType()
    {
        QFETCH(QString, column);
        QFETCH(QVariant, input);
        QFETCH(QString, stored);
        QFETCH(QString, readText);
        const QString before = picMain();
        open(u"*, X1*2 as twice"_s, u" where th= 'B001'"_s);
        // What a save shows in the row it wrote, before it writes.
        QCOMPARE(rs.storedText(column, input), stored.isEmpty() ? std::nullopt : std::optional(readText));
        TableWriter writer(conn, u"picMain"_s);
        if (stored.isEmpty()) {
            if (column == u"nosuch"_s || column == u"twice"_s) { // no column of the table
                QVERIFY_DB_FAILS(writer.column(column));
                return;
            }
            writer.setText(writer.column(u"tm"_s), u"lost"_s);
            QVERIFY_DB_FAILS(set(writer, column, input));
            writer.update(rs.recordIdAt(1)); // neither the refused value nor the one before it is waiting
            QCOMPARE(picMain(), before);
            return;
        }
        set(writer, column, input);
        writer.update(rs.recordIdAt(1));
        QCOMPARE(root->scalar(u"select quote(%1) from picMain where th='B001'"_s.arg(column)).toString(), stored);
        open(u"*"_s, u" where th= 'B001'"_s); // read back
        QCOMPARE(rs.text(column), readText);
    }

    void failedWriteLeavesNoHalfRecord()
    {
        const auto before = picMain();
        TableWriter writer(conn, u"picMain"_s);
        const auto write = [&](std::initializer_list<std::pair<QString, QVariant>> values, qint64 rowId = 0) {
            for (const auto &[column, value] : values)
                set(writer, column, value);
            return rowId == 0 ? writer.insert() : (writer.update(rowId), rowId);
        };
        QVERIFY_DB_FAILS(write({{"th", "B009"}, {"X1", 1.5}})); // LB may not be NULL
        QVERIFY_DB_FAILS(write({{"th", "B001"}, {"LB", "B"}, {"X1", 1.5}})); // th is taken
        open(u"*"_s, u" where th= 'B001'"_s);
        writer.update(rs.recordIdAt(1)); // the failed writes left nothing waiting
        QCOMPARE(picMain(), before);
        // The same statement runs once the values are right.
        const qint64 added = write({{"th", "B009"}, {"LB", "B"}, {"X1", 1.5}});
        const QString addedRow = u"select th, tm, X1 from picMain where _rowid_ = %1"_s.arg(added);
        QCOMPARE(rows(addedRow), u"B009||1.5"_s);
        QVERIFY_DB_FAILS(write({{"th", "B002"}, {"tm", "lost"}}, added)); // th is taken: neither field lands
        QCOMPARE(rows(addedRow), u"B009||1.5"_s);
        write({{"th", "B010"}, {"tm", "kept"}}, added);
        QCOMPARE(rows(addedRow), u"B010|kept|1.5"_s);
        // A record gone since it was read is a failure, not a write of nothing.
        root->exec(u"delete from picMain where th = 'B010'"_s);
        QVERIFY_DB_FAILS(write({{"tm", "gone"}}, added));
    }

    // Texts are bound as UTF-8 written in place: characters of every width
    // reach the file as they are, and a bound text found by a select finds
    // its own record.
    void boundTextsKeepEveryCharacter()
    {
        TableWriter writer(conn, u"picMain"_s);
        const QStringList texts = {u""_s, u"plain"_s, u"Ånäs ß ü"_s, u"Ελλάς"_s, u"改过的图名 7"_s,
                                   u"𝄞 and 😀 mixed with 图 and é"_s, u"x"_s.repeated(300) + u"图"_s};
        for (int i = 0; i < texts.size(); ++i) {
            const QString number = u"U%1"_s.arg(i);
            writer.setText(writer.column(u"th"_s), number);
            writer.setText(writer.column(u"LB"_s), u"B"_s);
            writer.setText(writer.column(u"tm"_s), texts[i]);
            writer.insert();
            QCOMPARE(root->scalar(u"select tm from picMain where th = '%1'"_s.arg(number)).toString(), texts[i]);
        }
        for (int i = 0; i < texts.size(); ++i) {
            rs.open(SqlStatement::select(u"th"_s, u"picMain"_s).fixed(u" where th like 'U%' and tm = "_s).text(texts[i]), conn);
            QCOMPARE(rs.recordCount(), 1);
            QCOMPARE(rs.text(u"th"_s), u"U%1"_s.arg(i));
        }
    }

    // The connection keeps a bounded number of prepared statements and finds
    // the recent ones by their text: texts of one length that differ in one
    // character are told apart, one used all along stays through the
    // evictions, and a statement evicted is prepared again when next asked.
    void keptStatementsRunTheirOwnText()
    {
        for (int round = 0; round < 3; ++round) {
            for (int i = 100; i < 300; ++i) {
                Statement &q = conn->prepared(u"select %1"_s.arg(i));
                QVERIFY(q.exec());
                QCOMPARE(q.value(0).toInt(), i);
                q.finish();
                Statement &often = conn->prepared(u"select 'often'"_s);
                QVERIFY(often.exec());
                QCOMPARE(often.value(0).toString(), u"often"_s);
                often.finish();
            }
        }
    }

    // A table damaged midway fails the read with the cause, instead of
    // listing the rows before the damage as if they were all.
    void aTableDamagedMidwayIsNotReadAsAShortList()
    {
        root->exec(u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
                   "INSERT INTO picMain (th, LB, tm, Vector, Bitmap) "
                   "SELECT 'C' || i, 'B', printf('%.300c', 'x'), 1, 1 FROM n"_s);
        const int pageSize = root->scalar(u"pragma page_size"_s).toInt();
        conn->close();
        QFile file(root->cataloguePath());
        QVERIFY(file.open(QIODevice::ReadWrite));
        QByteArray bytes = file.readAll();
        QList<qsizetype> leaves; // table leaf pages holding the long names
        for (qsizetype page = pageSize; page + pageSize <= bytes.size(); page += pageSize) {
            if (bytes[page] == 0x0D && bytes.mid(page, pageSize).contains(QByteArray(300, 'x')))
                leaves << page;
        }
        QVERIFY(leaves.size() > 100);
        const qsizetype damaged = leaves[leaves.size() / 2];
        bytes.replace(damaged + 3, 2, "\xff\xff"); // a cell count the page cannot hold
        QVERIFY(file.seek(0) && file.write(bytes) == bytes.size());
        file.close();

        conn->open(root->cataloguePath());
        try {
            open(u"*"_s, QString());
            QFAIL(qPrintable(u"read %1 rows of a damaged table"_s.arg(rs.recordCount())));
        } catch (const DbError &e) {
            QVERIFY2(e.cause().contains(u"损坏"_s), qPrintable(e.reason()));
        }
        QVERIFY(!rs.isOpen());
    }

    // The quick paths of the value-to-text conversion must agree with Qt's.
    void valueTexts_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("NULL integer column") << QVariant(QMetaType::fromType<qlonglong>()) << "";
        QTest::newRow("NULL real column") << QVariant(QMetaType::fromType<double>()) << "";
        QTest::newRow("lowest integer") << QVariant(std::numeric_limits<qlonglong>::min()) << "-9223372036854775808";
        QTest::newRow("minus zero") << QVariant(-0.0) << "0";
        QTest::newRow("small") << QVariant(-2.5e-5) << "-2.5E-05";
        QTest::newRow("exponent") << QVariant(1e20) << "1E+20";
        QTest::newRow("tie at 16 digits, rounded up") << QVariant(2.092315673828125) << "2.09231567382813";
        QTest::newRow("17 digits") << QVariant(0.1 + 0.2) << "0.3";
    }
    void valueTexts()
    {
        QFETCH(QVariant, value);
        QFETCH(QString, text);
        QCOMPARE(valueText(value), text);
    }

    // Texts of every length, long ones among short ones, and values
    // overwritten later: every value reads back as it was stored.
    void storedRowsKeepEveryValue()
    {
        QRandomGenerator random(7);
        StoredRows rows;
        rows.clear(3);
        QList<QVariant> expected;
        for (int r = 0; r < 3000; ++r) {
            rows.appendRow(r + 1);
            const int length = r % 500 == 7 ? 3'000'000 : r % 97 == 3 ? 5000 : random.bounded(0, 40);
            const QString text = QString(length, QChar(u'岩' + r % 50)) + QString::number(r);
            rows.setText(r, 0, text.toUtf8().constData(), size_t(text.toUtf8().size()));
            rows.setReal(r, 1, r / 7.0);
            if (r % 3 == 0)
                rows.setValue(r, 2, QVariant(QByteArray(r % 11, 'x')));
            expected << text << r / 7.0 << (r % 3 == 0 ? QVariant(QByteArray(r % 11, 'x')) : QVariant());
        }
        for (int r = 0; r < 3000; r += 10) {
            rows.setValue(r, 0, QStringLiteral("改 %1").arg(r));
            rows.setValue(r, 1, r % 20 == 0);
            expected[r * 3] = QStringLiteral("改 %1").arg(r);
            expected[r * 3 + 1] = r % 20 == 0;
        }
        QCOMPARE(rows.rowCount(), 3000);
        for (int r = 0; r < 3000; ++r) {
            QCOMPARE(rows.rowId(r), r + 1);
            for (int f = 0; f < 3; ++f) {
                QCOMPARE(rows.value(r, f), expected[r * 3 + f]);
                QCOMPARE(rows.text(r, f), valueText(expected[r * 3 + f]));
            }
        }
    }

    // Shortest texts, bit patterns of every kind and 15-digit ties: each
    // number reads as Qt's 15-digit general form would write it.
    void realTextsAgreeWithQt()
    {
        QRandomGenerator random(20261207);
        const auto qtText = [](double d) {
            return QString::number(d, 'g', 15).replace(QLatin1Char('e'), QLatin1Char('E'));
        };
        for (int i = 0; i < 200000; ++i) {
            double d = 0;
            switch (i % 3) {
            case 0: { // any bit pattern
                const quint64 bits = random.generate64();
                std::memcpy(&d, &bits, sizeof d);
                break;
            }
            case 1: // a short decimal, as catalogues hold them
                d = double(random.bounded(-100000, 100000)) / std::pow(10.0, random.bounded(0, 12));
                break;
            default: // a 16-digit decimal, many of them ties
                d = (1.0 + double(random.bounded(1000000000)) / 1e9) * std::pow(10.0, random.bounded(-20, 20))
                    + 5e-16 * std::pow(10.0, random.bounded(-20, 20));
                break;
            }
            if (!std::isfinite(d) || d == 0.0)
                continue;
            QCOMPARE(realValueText(d), qtText(d));
        }
    }
};

QTEST_GUILESS_MAIN(DatabaseTest)
#include "tst_database.moc"
