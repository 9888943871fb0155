// SPDX-License-Identifier: GPL-3.0-or-later
#include <QRandomGenerator>
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
    void Append_Fixed_data();
    void Append_Fixed();
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

// The measurement file's numbers are Qt's texts; the quick way of writing them must give the
// same bytes for every double, above all where the two ways of rounding could part.
void TTestNumberText::Append_Fixed_data()
{
    QTest::addColumn<QVector<double>>("values");
    QTest::addColumn<int>("decimals");
    const double infinity = std::numeric_limits<double>::infinity();
    const QVector<double> edges = {0.0,
                                   -0.0,
                                   1.0,
                                   -1.0,
                                   0.1,
                                   -0.7071067811865476,
                                   299.9999995,
                                   -299.9999995,
                                   0.0078125, // ties at six decimals: odd multiples of 2^-7
                                   -0.0078125,
                                   0.0234375,
                                   1.0 / 8192, // and at twelve: of 2^-13
                                   -3.0 / 8192,
                                   2.5,
                                   -0.5,
                                   -4e-7, // negatives that round to zero
                                   -5e-7,
                                   -1e-13,
                                   5e-7,
                                   std::numeric_limits<double>::denorm_min(),
                                   -std::numeric_limits<double>::denorm_min(),
                                   std::numeric_limits<double>::min(),
                                   999999999999999.9,
                                   1e15,
                                   -1e15,
                                   1e21,
                                   1e300,
                                   std::numeric_limits<double>::max(),
                                   -std::numeric_limits<double>::max(),
                                   infinity,
                                   -infinity,
                                   std::numeric_limits<double>::quiet_NaN()};
    for (int decimals : {0, 1, 6, 12, 17}) {
        QTest::addRow("edges, %d decimals", decimals) << edges << decimals;
    }

    // Doubles of every size a file holds, any bits, and the ties near them.
    QRandomGenerator random(20261209);
    for (int decimals : {6, 12}) {
        QVector<double> values;
        for (int i = 0; i < 20000; ++i) {
            const double magnitude = std::ldexp(random.generateDouble(), random.bounded(-30, 50));
            const double value = random.bounded(2) ? magnitude : -magnitude;
            values << value << std::nextafter(value, 0.0) << std::nextafter(value, infinity);
            const double odd = 2.0 * double(random.bounded(1u << 30)) + 1.0;
            values << std::ldexp(value < 0 ? -odd : odd, -(decimals + 1));
        }
        QTest::addRow("random, %d decimals", decimals) << values << decimals;
    }
}

void TTestNumberText::Append_Fixed()
{
    QFETCH(QVector<double>, values);
    QFETCH(int, decimals);
    for (const double &value : values) {
        QByteArray text("<");
        TNumberText::Append_Fixed(&text, value, decimals);
        const QByteArray expected = '<' + QByteArray::number(value, 'f', decimals);
        if (text != expected) {
            QFAIL(qPrintable(QStringLiteral("%1 with %2 decimals: \"%3\", Qt writes \"%4\"")
                                 .arg(QString::number(value, 'g', 17))
                                 .arg(decimals)
                                 .arg(QString::fromLatin1(text), QString::fromLatin1(expected))));
        }
    }
}

QTEST_APPLESS_MAIN(TTestNumberText)
#include "tst_numbertext.moc"
