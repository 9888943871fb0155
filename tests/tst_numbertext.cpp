// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>
#include <cmath>
#include <limits>

#include "numbertext.h"

// Numbers as fields and files show them: the text must read back as the number in use.
class TTestNumberText : public QObject
{
    Q_OBJECT

private slots:
    void Parameter_data();
    void Parameter();
    void Shortest_data();
    void Shortest();
    void Value_data();
    void Value();
    void Read_Typed_data();
    void Read_Typed();
};

void TTestNumberText::Parameter_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("four decimals suffice") << -0.05 << "-0.0500";
    QTest::newRow("zero") << 0.0 << "0.0000";
    QTest::newRow("LK preset") << 0.00001 << "0.00001";
    QTest::newRow("many digits") << 0.123456789 << "0.123456789";
    QTest::newRow("large") << 1234567.5 << "1234567.5000";
    QTest::newRow("tiny") << 1e-12 << "0.000000000001";
    QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << "inf";
}

void TTestNumberText::Parameter()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(TNumberText::Parameter(value), text);
    QCOMPARE(text.toDouble(), value);
}

void TTestNumberText::Shortest_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("tenth") << 0.1 << "0.1";
    QTest::newRow("whole") << 1000.0 << "1000";
    QTest::newRow("no group separator") << 1234567.25 << "1234567.25";
    QTest::newRow("negative") << -17.498248028 << "-17.498248028";
    QTest::newRow("small") << 1e-05 << "1e-05";
    QTest::newRow("third") << 1.0 / 3.0 << "0.3333333333333333";
}

void TTestNumberText::Shortest()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(TNumberText::Shortest(value), text);
    QCOMPARE(text.toDouble(), value);
}

void TTestNumberText::Value_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("plain") << "12.5" << 12.5;
    QTest::newRow("blanks") << "  -3 " << -3.0;
    QTest::newRow("not a number") << "abc" << 99.0;
    QTest::newRow("empty") << "" << 99.0;
    QTest::newRow("too large") << "1e999" << 99.0;
}

void TTestNumberText::Value()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(TNumberText::Value(text, 99.0), expected);
}

void TTestNumberText::Read_Typed_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("expected");
    QTest::newRow("point") << "0.002" << true << 0.002;
    QTest::newRow("decimal comma") << "0,002" << true << 0.002;
    QTest::newRow("comma and blanks") << " -500,5 " << true << -500.5;
    QTest::newRow("two commas") << "1,000,5" << false << 0.0;
    QTest::newRow("comma and point") << "1,000.5" << false << 0.0;
    QTest::newRow("exponent with comma") << "2,5e2" << true << 250.0;
    QTest::newRow("nan") << "nan" << false << 0.0;
    QTest::newRow("inf") << "inf" << false << 0.0;
    QTest::newRow("minus inf") << "-inf" << false << 0.0;
    QTest::newRow("overflow") << "1e400" << false << 0.0;
    QTest::newRow("too large to be meant") << "1e308" << false << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
}

void TTestNumberText::Read_Typed()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(double, expected);
    double value = 0.0;
    QCOMPARE(TNumberText::Read_Typed(text, &value), ok);
    QCOMPARE(value, expected);
}

QTEST_APPLESS_MAIN(TTestNumberText)
#include "tst_numbertext.moc"
