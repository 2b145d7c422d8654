#include "platform/access/AccessReader.h"
#include "platform/database/DbError.h"
#include "tests/support/AccessFixture.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

namespace {

QJsonObject expectedTables(const QString &file)
{
    QFile json(accessFixture(file + QStringLiteral(".expected.json")));
    if (!json.open(QIODevice::ReadOnly))
        qFatal("no expected values for %s", qPrintable(file));
    return QJsonDocument::fromJson(json.readAll()).object().value(QStringLiteral("tables")).toObject();
}

QString keyOf(const QStringList &primaryKey, const std::function<QString(const QString &)> &valueText)
{
    QStringList parts;
    for (const QString &column : primaryKey)
        parts << valueText(column);
    return parts.join(QLatin1Char('|'));
}

bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// One read value against its JSON counterpart; empty text when they agree.
QString mismatch(const QVariant &read, const QJsonValue &expected)
{
    const QString shown = QStringLiteral("read %1 (%2), expected %3")
                              .arg(read.toString(), QString::fromLatin1(read.typeName() ? read.typeName() : "NULL"),
                                   QString::fromUtf8(QJsonDocument(QJsonArray{expected}).toJson(QJsonDocument::Compact)));
    switch (expected.type()) {
    case QJsonValue::Null:
        return read.isValid() ? shown : QString();
    case QJsonValue::Bool:
        return read.typeId() == QMetaType::LongLong && read.toLongLong() == (expected.toBool() ? 1 : 0) ? QString() : shown;
    case QJsonValue::String:
        return read.typeId() == QMetaType::QString && !read.toString().isNull() && read.toString() == expected.toString()
                   ? QString()
                   : shown;
    case QJsonValue::Double: {
        const double want = expected.toDouble();
        if (read.typeId() == QMetaType::LongLong)
            return double(read.toLongLong()) == want && want == std::trunc(want) ? QString() : shown;
        return read.typeId() == QMetaType::Double && sameBits(read.toDouble(), want) ? QString() : shown;
    }
    default:
        return shown;
    }
}

} // namespace

class TestAccessReader : public QObject
{
    Q_OBJECT

private slots:
    void readsEveryValueExactly_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("format");
        QTest::newRow("Jet 4") << QStringLiteral("catalogue-jet4.mdb") << QStringLiteral("Jet 4");
        QTest::newRow("ACE") << QStringLiteral("catalogue-ace.accdb") << QStringLiteral("ACE");
    }

    // Texts as stored (Chinese, CR LF, quotes, blanks; empty is not NULL),
    // reals to the bit, Yes/No as 1/0, whole numbers as whole numbers.
    void readsEveryValueExactly()
    {
        QFETCH(QString, file);
        QFETCH(QString, format);
        const QJsonObject tables = expectedTables(file);
        AccessReader reader(accessFixture(file));
        QCOMPARE(reader.formatName(), format);
        for (const QString &name : {QStringLiteral("picMain"), QStringLiteral("picType"), QStringLiteral("pData"),
                                    QStringLiteral("picLable")}) {
            const QJsonObject expected = tables.value(name).toObject();
            const AccessTable table = reader.read(name.toLower()); // found whatever the case
            QCOMPARE(table.name, name);

            QStringList columns, primaryKey;
            for (const QJsonValue &column : expected.value(QStringLiteral("columns")).toArray())
                columns << column.toObject().value(QStringLiteral("name")).toString();
            for (const QJsonValue &column : expected.value(QStringLiteral("primaryKey")).toArray())
                primaryKey << column.toString();
            QStringList readColumns;
            for (const AccessColumn &column : table.columns)
                readColumns << column.name;
            QCOMPARE(readColumns, columns);
            QCOMPARE(table.primaryKey, primaryKey);

            const QJsonArray rows = expected.value(QStringLiteral("rows")).toArray();
            QCOMPARE(int(table.rows.size()), rows.size());
            QHash<QString, QJsonObject> expectedByKey;
            for (const QJsonValue &row : rows) {
                const QJsonObject object = row.toObject();
                expectedByKey.insert(keyOf(primaryKey, [&](const QString &c) { return object.value(c).toVariant().toString(); }), object);
            }
            for (const QVector<QVariant> &row : table.rows) {
                const QString key = keyOf(primaryKey, [&](const QString &c) { return row[columns.indexOf(c)].toString(); });
                QVERIFY2(expectedByKey.contains(key), qPrintable(name + QStringLiteral(" has no row ") + key));
                const QJsonObject want = expectedByKey.take(key);
                for (int c = 0; c < columns.size(); ++c) {
                    const QString difference = mismatch(row[c], want.value(columns[c]));
                    QVERIFY2(difference.isEmpty(), qPrintable(QStringLiteral("%1 %2 %3: %4").arg(name, key, columns[c], difference)));
                }
            }
        }
    }

    void declaredTypesKeepTheKinds()
    {
        AccessReader reader(accessFixture(QStringLiteral("catalogue-jet4.mdb")));
        const AccessTable figures = reader.read(QStringLiteral("picMain"));
        QHash<QString, QString> typeOf;
        for (const AccessColumn &column : figures.columns)
            typeOf.insert(column.name, column.sqlType);
        QCOMPARE(typeOf.value(QStringLiteral("th")), QStringLiteral("TEXT"));
        QCOMPARE(typeOf.value(QStringLiteral("Comment")), QStringLiteral("TEXT"));
        QCOMPARE(typeOf.value(QStringLiteral("X1")), QStringLiteral("REAL"));
        QCOMPARE(typeOf.value(QStringLiteral("X7")), QStringLiteral("INTEGER"));
        QCOMPARE(typeOf.value(QStringLiteral("border")), QStringLiteral("BOOLEAN"));
    }

    void refusesWhatItCannotRead()
    {
        QVERIFY_THROWS_EXCEPTION(DbError, AccessReader(accessFixture(QStringLiteral("no-such.mdb"))));
        QTemporaryDir dir;
        QFile text(dir.filePath(QStringLiteral("text.mdb")));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write(QByteArray(8192, 'x'));
        text.close();
        QVERIFY_THROWS_EXCEPTION(DbError, AccessReader(text.fileName()));
        AccessReader reader(accessFixture(QStringLiteral("catalogue-jet4.mdb")));
        QVERIFY_THROWS_EXCEPTION(DbError, reader.read(QStringLiteral("picNone")));
    }
};

QTEST_GUILESS_MAIN(TestAccessReader)
#include "tst_access_reader.moc"
