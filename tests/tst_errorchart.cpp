// SPDX-License-Identifier: GPL-3.0-or-later
#include <QImage>
#include <QPainter>
#include <QtTest>

#include "errorchartpainter.h"
#include "testimages.h"

namespace
{

TEvaluation::TResult Result(const double &nominal, const double &error, bool measured,
                            const double &measured_error)
{
    TEvaluation::TResult result = {};
    result.nominal_length = nominal;
    result.error = error;
    result.has_measured_length = measured;
    result.measured_error = measured_error;
    return result;
}

QImage Render(const std::vector<TEvaluation::TResult> &results,
              const std::vector<QString> &directions, const TMpe &mpe,
              TErrorChartPainter::TView view = TErrorChartPainter::VIEW_ERRORS)
{
    QImage image(600, 400, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TErrorChartPainter chart;
    chart.Set_View(view);
    chart.Paint(&painter, image.size(), results, directions, mpe);
    return image;
}
} // namespace

// The error-versus-length chart, drawn into an image.
class TTestErrorChart : public QObject
{
    Q_OBJECT

private slots:
    void Ticks_data();
    void Ticks();
    void Simulated_And_Measured_Told_Apart();
    void Mpe_Lines_Only_With_An_Mpe();
    void Nothing_Finite_Draws_Safely();
    void Residual_View_data();
    void Residual_View();
};

void TTestErrorChart::Ticks_data()
{
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::addColumn<int>("count");
    QTest::addColumn<QVector<double>>("ticks");
    QTest::newRow("millimetres") << 0.0 << 1050.0 << 5
                                 << QVector<double>{0, 200, 400, 600, 800, 1000};
    QTest::newRow("micrometres around zero")
        << -3.7 << 2.2 << 6 << QVector<double>{-3, -2, -1, 0, 1, 2};
    QTest::newRow("fractions") << 0.0 << 0.5 << 5 << QVector<double>{0, 0.1, 0.2, 0.3, 0.4, 0.5};
    QTest::newRow("steps of five") << 0.0 << 30.0 << 6 << QVector<double>{0, 5, 10, 15, 20, 25, 30};
    QTest::newRow("empty range") << 1.0 << 1.0 << 5 << QVector<double>{};
    QTest::newRow("not finite") << 0.0 << qInf() << 5 << QVector<double>{};
}

void TTestErrorChart::Ticks()
{
    QFETCH(double, low);
    QFETCH(double, high);
    QFETCH(int, count);
    QFETCH(QVector<double>, ticks);
    const std::vector<double> computed = TErrorChartPainter::Ticks(low, high, count);
    QCOMPARE(int(computed.size()), ticks.size());
    for (int i = 0; i < ticks.size(); ++i) {
        QVERIFY2(qAbs(computed[size_t(i)] - ticks[i]) < 1e-12,
                 qPrintable(QString::number(computed[size_t(i)])));
    }
}

void TTestErrorChart::Simulated_And_Measured_Told_Apart()
{
    const QColor simulated(30, 70, 160);
    const QColor measured(190, 40, 30);
    const QImage only_simulated = Render({Result(500, 4, false, 0)}, {"Y"}, TMpe());
    const QImage both = Render({Result(500, 4, true, -6)}, {"Y"}, TMpe());
    QVERIFY(Count_Colour(only_simulated, simulated) > Count_Colour(only_simulated, measured));
    // The measured marker is open: its outline in its colour, white inside.
    QVERIFY(Count_Colour(both, measured) > Count_Colour(only_simulated, measured));

    // Each direction has its own shape.
    const QImage circle = Render({Result(500, 4, false, 0)}, {"Y"}, TMpe());
    const QImage square = Render({Result(500, 4, false, 0)}, {"Z"}, TMpe());
    QVERIFY(circle != square);
}

void TTestErrorChart::Residual_View_data()
{
    QTest::addColumn<bool>("measured");
    QTest::addColumn<double>("residual");
    QTest::newRow("a measured result") << true << 1.5;
    QTest::newRow("nothing measured") << false << 0.0;
}

// The residual view draws the residuals as open markers and no simulated error, and it is a
// picture of its own: the same results give another image.
void TTestErrorChart::Residual_View()
{
    QFETCH(bool, measured);
    QFETCH(double, residual);
    const QColor simulated(30, 70, 160);
    const QColor measured_colour(190, 40, 30);
    TEvaluation::TResult result = Result(500, 4, measured, -6);
    result.residual = residual;
    const QImage errors = Render({result}, {"Y"}, TMpe());
    const QImage residuals = Render({result}, {"Y"}, TMpe(), TErrorChartPainter::VIEW_RESIDUALS);
    QVERIFY(errors != residuals);
    QVERIFY(Count_Colour(errors, simulated) > 0);
    QCOMPARE(Count_Colour(residuals, simulated), 0);
    // The legend's open marker is there either way; a measured result adds its own.
    const QImage empty = Render({}, {}, TMpe(), TErrorChartPainter::VIEW_RESIDUALS);
    QCOMPARE(Count_Colour(residuals, measured_colour) > Count_Colour(empty, measured_colour),
             measured);
}

void TTestErrorChart::Mpe_Lines_Only_With_An_Mpe()
{
    const QColor limit(200, 120, 0);
    const std::vector<TEvaluation::TResult> results{Result(1000, 2, false, 0)};
    QCOMPARE(Count_Colour(Render(results, {"Y"}, TMpe()), limit), 0);
    QVERIFY(Count_Colour(Render(results, {"Y"}, TMpe(1.5, 333, 4)), limit) > 50);
}

void TTestErrorChart::Nothing_Finite_Draws_Safely()
{
    const QImage image =
        Render({Result(qQNaN(), qInf(), true, qQNaN()), Result(100, -qInf(), false, 0)},
               {"Y", "other"}, TMpe(1, 100));
    QVERIFY(Count_Colour(image, Qt::black) > 0);
    // Too small to draw: nothing at all.
    QImage tiny(40, 40, QImage::Format_ARGB32);
    tiny.fill(Qt::white);
    QPainter painter(&tiny);
    TErrorChartPainter().Paint(&painter, tiny.size(), {}, {}, TMpe());
    painter.end();
    QCOMPARE(Count_Colour(tiny, Qt::white), 40 * 40);
}

QTEST_MAIN(TTestErrorChart)
#include "tst_errorchart.moc"
