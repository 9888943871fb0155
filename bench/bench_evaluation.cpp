// SPDX-License-Identifier: GPL-3.0-or-later
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QtTest>
#include <algorithm>
#include <memory>
#include <vector>

#include "genericdeflectionmodel.h"
#include "measurementdata.h"
#include "resultsmodel.h"

// Times what the Results table does after a parameter keystroke: evaluating every measurement
// again, with 1,000 and with 10,000 measurements. The goal is one frame (16 ms) at 10,000, and a
// cost that grows linearly (the ratio to 1,000 close to 10). Run by hand from a release build:
//     cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DCURVALO_BUILD_BENCH=ON
//     cmake --build build/bench --target bench_evaluation
//     build/bench/bench/bench_evaluation Ratios
class TBenchEvaluation : public QObject
{
    Q_OBJECT

private slots:
    void Ratios();

private:
    // The median time of a refresh of the table over count measurements (ns).
    qint64 Median_Refresh(int count, int repetitions);
};

qint64 TBenchEvaluation::Median_Refresh(int count, int repetitions)
{
    TGenericDeflectionModel model;
    TMeasurementData data;
    QRandomGenerator random(11);
    for (int id = 1; id <= count; ++id) {
        TMeasurementData::TMeasurement measurement{
            id, TVector3(0, random.bounded(1000.0), random.bounded(1000.0)), TVector3(0, 0.6, 0.8),
            10.0 + random.bounded(900.0)};
        measurement.has_measured_length = id % 2 == 0;
        measurement.measured_length = measurement.nominal_length + 0.001;
        data.Add_Measurement(measurement);
    }
    TResultsModel results(&data);
    results.Set_Deflection_Model(&model);
    results.Set_Mpe(TMpe(1.5, 333.0, 8.0));
    results.Refresh();

    std::vector<qint64> times;
    QElapsedTimer timer;
    for (int i = 0; i < repetitions; ++i) {
        // A keystroke in a parameter field changes the model, then the table is refreshed.
        model.Set_Parameter1(-0.05 + i * 1e-6);
        timer.start();
        results.Refresh();
        times.push_back(timer.nsecsElapsed());
    }
    std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
    return times[times.size() / 2];
}

void TBenchEvaluation::Ratios()
{
    const qint64 thousand = Median_Refresh(1000, 101);
    const qint64 ten_thousand = Median_Refresh(10000, 31);
    const auto ms = [](qint64 ns) { return QString::number(ns / 1e6, 'f', 3); };
    qInfo().noquote() << "median ms: refresh of 1000" << ms(thousand) << "| refresh of 10000"
                      << ms(ten_thousand);
    qInfo().noquote() << "refresh(10000) / refresh(1000) ="
                      << QString::number(double(ten_thousand) / thousand, 'f', 2)
                      << "| refresh(10000) within 16 ms:" << (ten_thousand <= 16000000);
}

QTEST_GUILESS_MAIN(TBenchEvaluation)
#include "bench_evaluation.moc"
