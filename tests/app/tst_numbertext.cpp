// Numbers read from and written into the windows' text cells.

#include "ui/common/NumberText.h"

#include <QTest>

class NumberTextTest : public QObject
{
    Q_OBJECT

private slots:
    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("number");
        QTest::newRow("star mark") << "12*" << 12.0;
        QTest::newRow("black star") << "12★" << 12.0;
        QTest::newRow("hash mark") << "12#" << 12.0;
        QTest::newRow("leading blank, trailing letters") << " 7.5abc" << 7.5;
        QTest::newRow("blank inside") << "1 2" << 12.0;
        QTest::newRow("exponent") << "-3e2x" << -300.0;
        QTest::newRow("dangling exponent") << "1e" << 1.0;
        QTest::newRow("no digits") << "#" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
    }

    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, number);
        QCOMPARE(::leadingNumber(text), number);
    }

    void numberText_data()
    {
        QTest::addColumn<double>("number");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 7.0 << "7";
        QTest::newRow("half") << 7.5 << "7.5";
        QTest::newRow("tenth") << 0.1 << "0.1";
        QTest::newRow("negative") << -2.5 << "-2.5";
        QTest::newRow("large") << 1e20 << "1E+20";
    }

    void numberText()
    {
        QFETCH(double, number);
        QFETCH(QString, text);
        QCOMPARE(::numberText(number), text);
    }
};

QTEST_GUILESS_MAIN(NumberTextTest)
#include "tst_numbertext.moc"
