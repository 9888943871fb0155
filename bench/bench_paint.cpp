// SPDX-License-Identifier: GPL-3.0-or-later
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QtTest>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "displaywidget.h"
#include "paintrecorder.h"

// Times one full paint of the display into a 1000 x 1000 image, with 0, 100 and 1000 gauges,
// against a baseline that draws only the 2,400 grid segments of the same picture with the same
// pens. Run by hand from a release build:
//     cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DCURVALO_BUILD_BENCH=ON
//     cmake --build build/bench --target bench_paint
//     QT_QPA_PLATFORM=offscreen build/bench/bench/bench_paint Ratios
class TBenchPaint : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void Paint_data();
    void Paint();
    void Ratios();

private:
    void Prepare(int gauges);
    // Gauges as a length test has them: 650 to 700 px long on the 1000 x 1000 image, along Y,
    // Z and both diagonals, at exaggeration 500, where every band is slanted.
    void Prepare_Length_Test(int gauges);
    void Paint_Once();
    void Baseline_Once();
    qint64 Median_Nanoseconds(void (TBenchPaint::*run)(), int repetitions);

    TDisplayWidget widget;
    QImage image{1000, 1000, QImage::Format_ARGB32_Premultiplied};
    std::vector<TPaintRecorder::TLine> grid;
};

void TBenchPaint::initTestCase()
{
    widget.Set_Deflection_Model(TDisplayWidget::DEFLECTION_MODEL_GENERIC);
    widget.Set_Range(1000, 1000);
    widget.Set_Model_Parameters(-0.05, -0.01, -0.01, 0);
    widget.Set_Exaggeration(100);
    widget.resize(1000, 1000);

    TPaintRecorder recorder(widget.size());
    recorder.Render(&widget);
    for (const TPaintRecorder::TLine &line : recorder.lines) {
        if (line.colour == QColor(164, 164, 164) || line.colour == QColor(196, 0, 0)) {
            grid.push_back(line);
        }
    }
    QCOMPARE(int(grid.size()), 2400);
}

void TBenchPaint::Prepare(int gauges)
{
    widget.Clear_Length_Measurements();
    QRandomGenerator random(7);
    for (int id = 1; id <= gauges; ++id) {
        const TVector3 centre(0, random.bounded(1000.0), random.bounded(1000.0));
        const TVector3 half = random.bounded(2) ? TVector3(0, 150, 0) : TVector3(0, 0, 150);
        widget.Add_Length_Measurement(id, centre + half, centre - half);
    }
    Paint_Once(); // the fit, once
}

void TBenchPaint::Prepare_Length_Test(int gauges)
{
    widget.Clear_Length_Measurements();
    widget.Set_Exaggeration(500);
    const double s = std::sqrt(0.5);
    const TVector3 axes[] = {TVector3(0, 1, 0), TVector3(0, 0, 1), TVector3(0, s, s),
                             TVector3(0, s, -s)};
    QRandomGenerator random(13);
    for (int id = 1; id <= gauges; ++id) {
        const TVector3 centre(0, 350.0 + random.bounded(300.0), 350.0 + random.bounded(300.0));
        const TVector3 half = axes[id % 4] * ((650.0 + random.bounded(50.0)) / 2.0);
        widget.Add_Length_Measurement(id, centre + half, centre - half);
    }
    Paint_Once();
}

void TBenchPaint::Paint_Once()
{
    // One more or one less each time: every figure is a full paint with every line moved, not
    // the display's kept picture.
    const int exaggeration = int(widget.Exaggeration());
    widget.Set_Exaggeration(exaggeration % 2 == 0 ? exaggeration + 1 : exaggeration - 1);
    image.fill(Qt::white);
    widget.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
}

void TBenchPaint::Baseline_Once()
{
    image.fill(Qt::white);
    QPainter painter(&image);
    const QPen nominal_pen(QColor(164, 164, 164));
    const QPen deflected_pen(QColor(196, 0, 0));
    for (const TPaintRecorder::TLine &line : grid) {
        painter.setPen(line.colour == nominal_pen.color() ? nominal_pen : deflected_pen);
        painter.drawLine(line.line);
    }
}

void TBenchPaint::Paint_data()
{
    QTest::addColumn<int>("gauges");
    QTest::addColumn<bool>("baseline");
    QTest::newRow("baseline: grid segments only") << 0 << true;
    QTest::newRow("paint, no gauges") << 0 << false;
    QTest::newRow("paint, 100 gauges") << 100 << false;
    QTest::newRow("paint, 1000 gauges") << 1000 << false;
}

void TBenchPaint::Paint()
{
    QFETCH(int, gauges);
    QFETCH(bool, baseline);
    Prepare(gauges);
    if (baseline) {
        QBENCHMARK
        {
            Baseline_Once();
        }
    } else {
        QBENCHMARK
        {
            Paint_Once();
        }
    }
}

qint64 TBenchPaint::Median_Nanoseconds(void (TBenchPaint::*run)(), int repetitions)
{
    for (int i = 0; i < 5; ++i) {
        (this->*run)();
    }
    std::vector<qint64> times;
    QElapsedTimer timer;
    for (int i = 0; i < repetitions; ++i) {
        timer.start();
        (this->*run)();
        times.push_back(timer.nsecsElapsed());
    }
    std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
    return times[times.size() / 2];
}

void TBenchPaint::Ratios()
{
    // The machine's pace drifts over seconds: every figure is taken in each of five rounds,
    // and is the median of its five, so that a ratio's two sides share the drift.
    enum { BASELINE, NONE, HUNDRED, THOUSAND, NONE_500, SLANTED_100, SLANTED_1000, FIGURES };
    std::array<std::vector<qint64>, FIGURES> rounds;
    for (int round = 0; round < 5; ++round) {
        Prepare(0);
        rounds[BASELINE].push_back(Median_Nanoseconds(&TBenchPaint::Baseline_Once, 101));
        rounds[NONE].push_back(Median_Nanoseconds(&TBenchPaint::Paint_Once, 101));
        Prepare(100);
        rounds[HUNDRED].push_back(Median_Nanoseconds(&TBenchPaint::Paint_Once, 101));
        Prepare(1000);
        rounds[THOUSAND].push_back(Median_Nanoseconds(&TBenchPaint::Paint_Once, 31));

        Prepare_Length_Test(0);
        rounds[NONE_500].push_back(Median_Nanoseconds(&TBenchPaint::Paint_Once, 101));
        Prepare_Length_Test(100);
        rounds[SLANTED_100].push_back(Median_Nanoseconds(&TBenchPaint::Paint_Once, 51));
        Prepare_Length_Test(1000);
        rounds[SLANTED_1000].push_back(Median_Nanoseconds(&TBenchPaint::Paint_Once, 11));
        widget.Set_Exaggeration(100);
    }
    const auto median = [&rounds](int figure) {
        std::vector<qint64> &values = rounds[size_t(figure)];
        std::nth_element(values.begin(), values.begin() + std::ptrdiff_t(values.size() / 2),
                         values.end());
        return values[values.size() / 2];
    };
    const qint64 baseline = median(BASELINE);
    const qint64 none = median(NONE);
    const qint64 hundred = median(HUNDRED);
    const qint64 thousand = median(THOUSAND);
    const qint64 none_500 = median(NONE_500);
    const qint64 slanted_100 = median(SLANTED_100);
    const qint64 slanted_1000 = median(SLANTED_1000);

    const auto ms = [](qint64 ns) { return QString::number(ns / 1e6, 'f', 3); };
    const auto ratio = [](qint64 a, qint64 b) { return QString::number(double(a) / b, 'f', 2); };
    qInfo().noquote() << "median ms: baseline" << ms(baseline) << "| paint, 0 gauges" << ms(none)
                      << "| 100 gauges" << ms(hundred) << "| 1000 gauges" << ms(thousand);
    qInfo().noquote() << "paint(0) / baseline =" << ratio(none, baseline)
                      << "| paint(100) / paint(0) =" << ratio(hundred, none)
                      << "| paint(1000) / paint(0) =" << ratio(thousand, none);
    qInfo().noquote() << "median ms, long slanted bands at exaggeration 500: 0 bands"
                      << ms(none_500) << "| 100 bands" << ms(slanted_100) << "| 1000 bands"
                      << ms(slanted_1000);
    qInfo().noquote() << "slanted(100) / paint(0) =" << ratio(slanted_100, none_500)
                      << "| slanted(1000) / paint(0) =" << ratio(slanted_1000, none_500);
}

QTEST_MAIN(TBenchPaint)
#include "bench_paint.moc"
