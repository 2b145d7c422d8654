// The texts values are shown and saved as, and the numbers texts are read as:
// the quick paths must agree with Qt's general conversions everywhere.

#include "platform/database/ColumnKind.h"
#include "platform/database/DbError.h"

#include <QTest>
#include <limits>

class ColumnKindTest : public QObject
{
    Q_OBJECT

private slots:
    void valueTexts_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("NULL integer column") << QVariant(QMetaType::fromType<qlonglong>()) << "";
        QTest::newRow("NULL real column") << QVariant(QMetaType::fromType<double>()) << "";
        QTest::newRow("text") << QVariant("玄武岩 'B'") << "玄武岩 'B'";
        QTest::newRow("lowest integer") << QVariant(std::numeric_limits<qlonglong>::min()) << "-9223372036854775808";
        QTest::newRow("whole real") << QVariant(45.0) << "45";
        QTest::newRow("minus zero") << QVariant(-0.0) << "0";
        QTest::newRow("fraction") << QVariant(0.1) << "0.1";
        QTest::newRow("exponent") << QVariant(1e20) << "1E+20";
        QTest::newRow("small") << QVariant(-2.5e-5) << "-2.5E-05";
        // 16 digits and more: rounded to 15 the way Qt rounds an exact tie.
        QTest::newRow("tie") << QVariant(2.092315673828125) << "2.09231567382813";
        QTest::newRow("shortest has 17 digits") << QVariant(0.1 + 0.2) << "0.3";
        QTest::newRow("boolean") << QVariant(true) << "True";
    }
    void valueTexts()
    {
        QFETCH(QVariant, value);
        QFETCH(QString, text);
        QCOMPARE(valueText(value), text);
    }

    void numbersReadFromTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariant>("stored"); // invalid: refused
        QTest::newRow("plain") << "12.5" << QVariant(12.5);
        QTest::newRow("blanks") << " 7 " << QVariant(7.0);
        QTest::newRow("plus sign") << "+3" << QVariant(3.0);
        QTest::newRow("exponent") << "1E-3" << QVariant(0.001);
        QTest::newRow("full-width digits") << "１２" << QVariant();
        QTest::newRow("trailing letters") << "12abc" << QVariant();
        QTest::newRow("group separator") << "1,000" << QVariant();
        QTest::newRow("hex") << "0x10" << QVariant();
        QTest::newRow("infinite") << "inf" << QVariant();
        QTest::newRow("beyond double") << "1e999" << QVariant();
    }
    void numbersReadFromTexts()
    {
        QFETCH(QString, text);
        QFETCH(QVariant, stored);
        try {
            const QVariant read = toStoredValue(ColumnKind::Real, text, QStringLiteral("X"));
            QVERIFY2(stored.isValid(), qPrintable("stored " + read.toString()));
            QCOMPARE(read.toDouble(), stored.toDouble());
        } catch (const DbError &e) {
            QVERIFY2(!stored.isValid(), qPrintable(e.reason()));
            QVERIFY(e.reason().contains(text));
        }
    }
};

QTEST_MAIN(ColumnKindTest)
#include "tst_column_kind.moc"
