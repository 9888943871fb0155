// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>
#include <cmath>
#include <memory>

#include "deflectionmodel.h"
#include "evaluation.h"
#include "measurementdata.h"
#include "modelcatalog.h"
#include "mpe.h"
#include "parameterfit.h"
#include "simulatedmachine.h"
#include "testplan.h"

Q_DECLARE_METATYPE(std::vector<int>)

namespace
{
std::vector<TMeasurementData::TMeasurement> Default_Plan()
{
    return TTestPlan(1000.0, 1000.0).Measurements({}, 3, nullptr);
}
} // namespace

// Fitting the parameters of each model to measured lengths.
class TTestParameterFit : public QObject
{
    Q_OBJECT

private slots:
    void Default_Free_Parameters();
    void Recovers_Known_Parameters_data();
    void Recovers_Known_Parameters();
    void Names_What_It_Cannot_Determine_data();
    void Names_What_It_Cannot_Determine();
    void Noise_And_Uncertainty_data();
    void Noise_And_Uncertainty();
    void Names_Poorly_Determined_Parameters_data();
    void Names_Poorly_Determined_Parameters();
    void Predicts_The_Verdicts_After_Compensation_data();
    void Predicts_The_Verdicts_After_Compensation();
    void Lk_From_Zeros_Says_Why();
    void Refuses_Without_Measured_Lengths();
    void Can_Be_Cancelled();
};

void TTestParameterFit::Default_Free_Parameters()
{
    QCOMPARE(TParameterFit::Default_Free(TModelCatalog::GENERIC), (std::vector<int>{1, 2, 3}));
    QCOMPARE(TParameterFit::Default_Free(TModelCatalog::RENISHAW), (std::vector<int>{1, 2, 3}));
    QCOMPARE(TParameterFit::Default_Free(TModelCatalog::LK), (std::vector<int>{2, 4}));
    QVERIFY(TParameterFit::Default_Free(0).empty());
}

void TTestParameterFit::Recovers_Known_Parameters_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QVector<double>>("truth");
    QTest::addColumn<QVector<double>>("start");
    QTest::newRow("generic from zero")
        << int(TModelCatalog::GENERIC) << QVector<double>{-0.05, -0.01, -0.01, 0}
        << QVector<double>{0, 0, 0, 0};
    QTest::newRow("generic from elsewhere")
        << int(TModelCatalog::GENERIC) << QVector<double>{0.031, -0.022, 0.017, 0}
        << QVector<double>{-0.05, -0.01, -0.01, 0};
    QTest::newRow("renishaw from zero")
        << int(TModelCatalog::RENISHAW) << QVector<double>{0.01, 0.003, -0.002, 0}
        << QVector<double>{0, 0, 0, 0};
    QTest::newRow("lk from zero, 1 and 3 given")
        << int(TModelCatalog::LK) << QVector<double>{0.00001, 0.001, -0.0103, 0.001}
        << QVector<double>{0.00001, 0, -0.0103, 0};
}

void TTestParameterFit::Recovers_Known_Parameters()
{
    QFETCH(int, model);
    QFETCH(QVector<double>, truth);
    QFETCH(QVector<double>, start);
    const TMeasurementData data = Measured_Plan(model, truth, Determining_Plan(3));
    const TParameterFit::TResult result = TParameterFit::Fit(
        model, start.constData(), 1000.0, 1000.0, data, TParameterFit::Default_Free(model));
    QVERIFY2(result.fitted, qPrintable(result.error));
    QVERIFY(result.undetermined.empty());
    QCOMPARE(result.measurements_used, int(data.Measurements().size()));
    for (int i = 0; i < 4; ++i) {
        const double tolerance = 1e-9 * std::max(std::fabs(truth[i]), 1e-300);
        QVERIFY2(std::fabs(result.parameters[i] - truth[i]) <= tolerance,
                 qPrintable(QString("parameter %1: %2 instead of %3")
                                .arg(i + 1)
                                .arg(result.parameters[i], 0, 'g', 17)
                                .arg(truth[i], 0, 'g', 17)));
    }
    QVERIFY2(result.rms_after < 1e-6, qPrintable(QString::number(result.rms_after)));
    QVERIFY(result.rms_before > 1.0 || start == truth);
    QVERIFY(result.iterations < 50);
    QCOMPARE(int(result.residuals.size()), result.measurements_used);
    QCOMPARE(result.residuals.front().id, 1);
}

void TTestParameterFit::Names_What_It_Cannot_Determine_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QVector<double>>("truth");
    QTest::addColumn<QString>("plan");
    QTest::addColumn<std::vector<int>>("free");
    QTest::addColumn<std::vector<int>>("undetermined");
    // Lines along Y at several heights tell the tower rotation from the Y translation, but the
    // Z translation moves their ends across them only, alike at both ends.
    QTest::newRow("generic, lines along Y only")
        << int(TModelCatalog::GENERIC) << QVector<double>{-0.05, -0.01, -0.01, 0} << "Y"
        << std::vector<int>{1, 2, 3} << std::vector<int>{3};
    // Parameters that act only as products cannot be told apart.
    QTest::newRow("lk, all four free")
        << int(TModelCatalog::LK) << QVector<double>{0.00001, 0.001, -0.0103, 0.001} << "all"
        << std::vector<int>{1, 2, 3, 4} << std::vector<int>{1, 2, 3, 4};
    QTest::newRow("two measurements, three parameters")
        << int(TModelCatalog::GENERIC) << QVector<double>{-0.05, -0.01, -0.01, 0} << "two"
        << std::vector<int>{1, 2, 3} << std::vector<int>{1, 2, 3};
}

void TTestParameterFit::Names_What_It_Cannot_Determine()
{
    QFETCH(int, model);
    QFETCH(QVector<double>, truth);
    QFETCH(QString, plan);
    QFETCH(std::vector<int>, free);
    QFETCH(std::vector<int>, undetermined);
    std::vector<TMeasurementData::TMeasurement> measurements = Default_Plan();
    if (plan == "Y") {
        measurements.erase(std::remove_if(measurements.begin(), measurements.end(),
                                          [](const TMeasurementData::TMeasurement &m) {
                                              return std::fabs(m.axis.y - 1.0) > 1e-12;
                                          }),
                           measurements.end());
        // Lines along Y at several heights, not only through the centre.
        for (const double z : {100.0, 900.0}) {
            for (TMeasurementData::TMeasurement m :
                 TTestPlan(1000, 1000).Measurements({800}, 1, nullptr)) {
                if (m.axis.y == 1.0) {
                    m.position.z = z;
                    measurements.push_back(m);
                }
            }
        }
    } else if (plan == "two") {
        measurements.resize(2);
    } else if (plan != "all") {
        QFAIL(qPrintable("unknown plan " + plan));
    }
    const TMeasurementData data = Measured_Plan(model, truth, measurements);
    const double start[4] = {truth[0] * 0.5, truth[1] * 0.5, truth[2] * 0.5, truth[3] * 0.5};
    const TParameterFit::TResult result =
        TParameterFit::Fit(model, start, 1000.0, 1000.0, data, free);
    QVERIFY2(result.fitted, qPrintable(result.error));
    QString found;
    for (const int number : result.undetermined) {
        found += QString::number(number);
    }
    QVERIFY2(result.undetermined == undetermined, qPrintable(found));
    for (const int number : undetermined) {
        QVERIFY(!result.has_uncertainty[number - 1]);
    }
    QVERIFY(!TParameterFit::Undetermined_Reason(result).isEmpty());
    // What can be explained still is.
    QVERIFY2(result.rms_after <= result.rms_before, qPrintable(QString::number(result.rms_after)));
    QVERIFY(std::isfinite(result.parameters[0]) && std::isfinite(result.parameters[3]));
}

void TTestParameterFit::Noise_And_Uncertainty_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QVector<double>>("truth");
    QTest::newRow("generic") << int(TModelCatalog::GENERIC)
                             << QVector<double>{-0.05, -0.01, -0.01, 0};
    QTest::newRow("renishaw") << int(TModelCatalog::RENISHAW)
                              << QVector<double>{0.01, 0.003, -0.002, 0};
    QTest::newRow("lk") << int(TModelCatalog::LK)
                        << QVector<double>{0.00001, 0.001, -0.0103, 0.001};
}

void TTestParameterFit::Noise_And_Uncertainty()
{
    QFETCH(int, model);
    QFETCH(QVector<double>, truth);
    const double noise = 0.5; // µm
    const TMeasurementData data = Measured_Plan(model, truth, Determining_Plan(5), noise);
    const double start[4] = {model == TModelCatalog::LK ? truth[0] : 0.0, 0.0,
                             model == TModelCatalog::LK ? truth[2] : 0.0, 0.0};
    const TParameterFit::TResult result =
        TParameterFit::Fit(model, start, 1000.0, 1000.0, data, TParameterFit::Default_Free(model));
    QVERIFY2(result.fitted, qPrintable(result.error));
    QVERIFY2(result.rms_after > 0.8 * noise && result.rms_after < 1.2 * noise,
             qPrintable(QString::number(result.rms_after)));
    for (const int number : TParameterFit::Default_Free(model)) {
        QVERIFY(result.has_uncertainty[number - 1]);
        const double deviation = std::fabs(result.parameters[number - 1] - truth[number - 1]);
        QVERIFY2(deviation <= 3.5 * result.uncertainty[number - 1],
                 qPrintable(QString("parameter %1 off by %2, uncertainty %3")
                                .arg(number)
                                .arg(deviation)
                                .arg(result.uncertainty[number - 1])));
        // An uncertainty that says something: well below the value itself.
        QVERIFY(result.uncertainty[number - 1] < 0.2 * std::fabs(truth[number - 1]));
    }
}

void TTestParameterFit::Names_Poorly_Determined_Parameters_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QVector<double>>("truth");
    QTest::addColumn<bool>("centred");
    QTest::addColumn<std::vector<int>>("poor");
    // Along lines through the centre the tower rotation acts like the two translations.
    QTest::newRow("generic, centred plan")
        << int(TModelCatalog::GENERIC) << QVector<double>{-0.02, 0.005, 0.004, 0} << true
        << std::vector<int>{1};
    QTest::newRow("generic, lines away from the centre")
        << int(TModelCatalog::GENERIC) << QVector<double>{-0.02, 0.005, 0.004, 0} << false
        << std::vector<int>{};
    QTest::newRow("renishaw, centred plan")
        << int(TModelCatalog::RENISHAW) << QVector<double>{0.01, 0.003, -0.002, 0} << true
        << std::vector<int>{};
    QTest::newRow("renishaw, lines away from the centre")
        << int(TModelCatalog::RENISHAW) << QVector<double>{0.01, 0.003, -0.002, 0} << false
        << std::vector<int>{};
    QTest::newRow("lk, lines away from the centre")
        << int(TModelCatalog::LK) << QVector<double>{0.00001, 0.001, -0.0103, 0.001} << false
        << std::vector<int>{};
}

void TTestParameterFit::Names_Poorly_Determined_Parameters()
{
    QFETCH(int, model);
    QFETCH(QVector<double>, truth);
    QFETCH(bool, centred);
    QFETCH(std::vector<int>, poor);
    const TMeasurementData data =
        Measured_Plan(model, truth, centred ? Default_Plan() : Determining_Plan(1));
    const std::vector<int> free = TParameterFit::Default_Free(model);
    const TParameterFit::TIdentifiability before =
        TParameterFit::Identifiability(model, truth.constData(), 1000.0, 1000.0, data, free);
    std::vector<int> found;
    QString figures;
    for (const TParameterFit::TPoorlyDetermined &entry : before.poorly_determined) {
        found.push_back(entry.number);
        figures += QString(" %1: %2").arg(entry.number).arg(entry.correlation, 0, 'f', 6);
    }
    for (size_t i = 0; i < before.correlation.size(); ++i) {
        for (size_t j = 0; j < before.correlation.size(); ++j) {
            figures += QString(" %1").arg(before.correlation[i][j], 0, 'f', 6);
        }
    }
    figures += QString(" condition %1").arg(before.condition_number);
    for (const double multiple : before.multiple_correlation) {
        figures += QString(" multiple %1").arg(multiple, 0, 'f', 6);
    }
    QVERIFY2(found == poor, qPrintable(figures));
    // The figures the documentation quotes.
    if (QByteArray(QTest::currentDataTag()) == "generic, centred plan") {
        QVERIFY2(before.poorly_determined.front().correlation > 0.99999, qPrintable(figures));
    }
    QCOMPARE(TParameterFit::Poorly_Determined_Reasons(model, before).size(), int(poor.size()));
    QCOMPARE(TParameterFit::Without_Poorly_Determined(free, before).size(),
             free.size() - poor.size());
    // The correlations are those of a correlation matrix: 1 on the diagonal, symmetric.
    QCOMPARE(before.correlation.size(), free.size());
    for (size_t i = 0; i < free.size(); ++i) {
        QVERIFY(std::fabs(before.correlation[i][i] - 1.0) < 1e-12);
        for (size_t j = 0; j < free.size(); ++j) {
            QVERIFY(std::fabs(before.correlation[i][j] - before.correlation[j][i]) < 1e-12);
            QVERIFY(std::fabs(before.correlation[i][j]) <= 1.0 + 1e-12);
        }
    }
    QVERIFY(before.condition_number >= 1.0);
    // A fit reports the same at its end.
    const TParameterFit::TResult result =
        TParameterFit::Fit(model, truth.constData(), 1000.0, 1000.0, data, free);
    QCOMPARE(result.identifiability.poorly_determined.size(), poor.size());
    // Its residuals line by line: the centred plan's four lines, or those and the four more.
    const std::vector<TParameterFit::TLine> lines =
        TParameterFit::Lines(result, data, 1000.0, 1000.0);
    QCOMPARE(int(lines.size()), centred ? 4 : 8);
    int gauges = 0;
    for (const TParameterFit::TLine &line : lines) {
        gauges += line.count;
        QVERIFY(line.rms < 1e-6);
    }
    QCOMPARE(gauges, result.measurements_used);
    QCOMPARE(lines[0].direction, QString("Y"));
    QCOMPARE(lines[0].at, 500.0);
}

void TTestParameterFit::Predicts_The_Verdicts_After_Compensation_data()
{
    QTest::addColumn<QVector<double>>("residuals"); // µm, for lengths 100, 200 and 300 mm
    QTest::addColumn<int>("pass");
    QTest::addColumn<int>("largest_id");
    // MPE(L) = 1 + L/100 µm: 2, 3 and 4 µm; a residual on the limit passes.
    QTest::newRow("all within") << QVector<double>{1.5, -2.0, 3.9} << 3 << 3;
    QTest::newRow("on the limit") << QVector<double>{2.0, 0.0, 0.0} << 3 << 1;
    QTest::newRow("one beyond") << QVector<double>{0.5, -3.1, 1.0} << 2 << 2;
}

void TTestParameterFit::Predicts_The_Verdicts_After_Compensation()
{
    QFETCH(QVector<double>, residuals);
    QFETCH(int, pass);
    QFETCH(int, largest_id);
    TMeasurementData data;
    TParameterFit::TResult result = {};
    result.fitted = true;
    for (int i = 0; i < 3; ++i) {
        data.Add_Measurement({i + 1, TVector3(0, 500, 500), TVector3(0, 1, 0), 100.0 * (i + 1)});
        result.residuals.push_back({i + 1, 10.0, residuals[i]});
    }
    const TParameterFit::TPrediction prediction =
        TParameterFit::Predict(result, data, TMpe(1.0, 100.0));
    QCOMPARE(prediction.pass, pass);
    QCOMPARE(prediction.fail, 3 - pass);
    QCOMPARE(prediction.largest_id, largest_id);
    QCOMPARE(prediction.largest, residuals[largest_id - 1]);
    // Without an MPE nothing is judged.
    QCOMPARE(TParameterFit::Predict(result, data, TMpe()).pass, 0);
}

void TTestParameterFit::Lk_From_Zeros_Says_Why()
{
    // LK from zeros: 2 and 4 act only through products with 1 and 3, and the fit says so.
    const TMeasurementData data =
        Measured_Plan(TModelCatalog::LK, {0.00001, 0.001, -0.0103, 0.001}, Determining_Plan(1));
    const double zeros[4] = {0, 0, 0, 0};
    const TParameterFit::TResult result =
        TParameterFit::Fit(TModelCatalog::LK, zeros, 1000.0, 1000.0, data, {2, 4});
    QVERIFY(result.fitted);
    QCOMPARE(result.undetermined, (std::vector<int>{2, 4}));
    QVERIFY2(TParameterFit::Undetermined_Reason(result).contains("which are 0 here"),
             qPrintable(TParameterFit::Undetermined_Reason(result)));
}

void TTestParameterFit::Refuses_Without_Measured_Lengths()
{
    TMeasurementData data;
    TTestPlan::Append(Default_Plan(), &data);
    const double start[4] = {0, 0, 0, 0};
    const TParameterFit::TResult result =
        TParameterFit::Fit(TModelCatalog::GENERIC, start, 1000.0, 1000.0, data, {1, 2, 3});
    QVERIFY(!result.fitted);
    QCOMPARE(result.error, QString("No measurement has a measured length."));
    QCOMPARE(result.measurements_used, 0);

    const TParameterFit::TResult no_model = TParameterFit::Fit(0, start, 1000.0, 1000.0, data, {1});
    QVERIFY(!no_model.fitted);
}

void TTestParameterFit::Can_Be_Cancelled()
{
    const TMeasurementData data =
        Measured_Plan(TModelCatalog::GENERIC, {-0.05, -0.01, -0.01, 0}, Default_Plan());
    const double start[4] = {0, 0, 0, 0};
    int calls = 0;
    const TParameterFit::TResult result =
        TParameterFit::Fit(TModelCatalog::GENERIC, start, 1000.0, 1000.0, data, {1, 2, 3},
                           [&calls](int) { return ++calls < 2; });
    QVERIFY(!result.fitted);
    QCOMPARE(calls, 2);
    QCOMPARE(result.parameters[0], 0.0);
}

QTEST_APPLESS_MAIN(TTestParameterFit)
#include "tst_parameterfit.moc"
