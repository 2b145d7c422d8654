// Numbers read from and written into the windows' text cells.

#include "ui/common/NumberText.h"

#include <QTest>
#include <tuple>

class NumberTextTest : public QObject
{
    Q_OBJECT

private slots:
    void conversions_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("number");
        QTest::addColumn<bool>("written"); // numberText(number) gives the text back, too
        const std::tuple<const char *, double, bool> cases[] = {
            {"7", 7, true},        {"7.5", 7.5, true},     {"0.1", 0.1, true},      {"-2.5", -2.5, true},
            {"1E+20", 1e20, true}, {"12*", 12, false},     {"12★", 12, false},      {"12#", 12, false},
            {"1 2", 12, false},    {" 7.5abc", 7.5, false}, {"-3e2x", -300, false}, {"1e", 1, false},
            {"#", 0, false},       {"", 0, false},         {"1234567890123456789", 1234567890123456789.0, false}};
        for (const auto &[text, number, written] : cases)
            QTest::addRow("'%s'", text) << QString::fromUtf8(text) << number << written;
    }

    void conversions()
    {
        QFETCH(QString, text);
        QFETCH(double, number);
        QFETCH(bool, written);
        QCOMPARE(leadingNumber(text), number);
        if (written)
            QCOMPARE(numberText(number), text);
    }
};

QTEST_GUILESS_MAIN(NumberTextTest)
#include "tst_numbertext.moc"
