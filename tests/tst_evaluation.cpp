// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>
#include <cmath>
#include <limits>
#include <memory>

#include "evaluation.h"
#include "gaugecorrections.h"
#include "genericdeflectionmodel.h"
#include "measurementdata.h"
#include "mpe.h"
#include "testconditions.h"

Q_DECLARE_METATYPE(TVector3)

namespace
{
// The Generic model with its Init presets on a 1000 mm cube.
std::unique_ptr<TGenericDeflectionModel> Generic_Presets()
{
    auto model = std::make_unique<TGenericDeflectionModel>();
    model->Set_Parameter1(-0.05);
    model->Set_Parameter2(-0.01);
    model->Set_Parameter3(-0.01);
    return model;
}

TMeasurementData::TMeasurement Along_Y(int id, const double &nominal, bool measured = false,
                                       const double &measured_length = 0.0)
{
    TMeasurementData::TMeasurement measurement{id, TVector3(0, 500, 500), TVector3(0, 1, 0),
                                               nominal};
    measurement.has_measured_length = measured;
    measurement.measured_length = measured_length;
    return measurement;
}
} // namespace

// The judgement of one measurement and of a whole test, against worked values.
class TTestEvaluation : public QObject
{
    Q_OBJECT

private slots:
    void Worked_Example();
    void Without_Model_Actual_Is_Nominal();
    void Mpe_Value_data();
    void Mpe_Value();
    void Verdict_At_The_Boundary_data();
    void Verdict_At_The_Boundary();
    void Mpe_Text_data();
    void Mpe_Text();
    void Measured_Length_Errors();
    void Summary();
    void Direction_Names_data();
    void Direction_Names();
    void Another_Model_As_Evaluated_data();
    void Another_Model_As_Evaluated();
};

void TTestEvaluation::Worked_Example()
{
    const auto model = Generic_Presets();
    const TEvaluation::TResult result =
        TEvaluation::Evaluate(model.get(), Along_Y(7, 1000.0), TMpe(1.5, 333.0));
    QCOMPARE(result.id, 7);
    QVERIFY(std::fabs(result.actual_length - 999.982501751972) < 1e-9);
    QVERIFY(std::fabs(result.error - -17.498248028) < 1e-6);
    QVERIFY(!result.has_measured_length);
    QCOMPARE(result.mpe, 1.5 + 1000.0 / 333.0);
    QCOMPARE(result.verdict, TEvaluation::FAIL);
    QCOMPARE(result.measured_verdict, TEvaluation::NO_VERDICT);
}

void TTestEvaluation::Without_Model_Actual_Is_Nominal()
{
    const TEvaluation::TResult result =
        TEvaluation::Evaluate(nullptr, Along_Y(1, 250.0, true, 250.002), TMpe());
    QCOMPARE(result.actual_length, 250.0);
    QCOMPARE(result.error, 0.0);
    QVERIFY(std::fabs(result.residual - 2.0) < 1e-9);
    QCOMPARE(result.verdict, TEvaluation::NO_VERDICT);
    QCOMPARE(result.measured_verdict, TEvaluation::NO_VERDICT);
}

void TTestEvaluation::Mpe_Value_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("length");
    QTest::addColumn<double>("expected");
    QTest::newRow("linear") << "1.5,333" << 333.0 << 2.5;
    QTest::newRow("at zero length") << "1.5,333" << 0.0 << 1.5;
    QTest::newRow("below the cap") << "1,100,5" << 300.0 << 4.0;
    QTest::newRow("capped") << "1,100,5" << 1000.0 << 5.0;
    QTest::newRow("length sign ignored") << "2,250" << -500.0 << 4.0;
}

void TTestEvaluation::Mpe_Value()
{
    QFETCH(QString, text);
    QFETCH(double, length);
    QFETCH(double, expected);
    TMpe mpe;
    QString error;
    QVERIFY2(TMpe::Parse(text, &mpe, &error), qPrintable(error));
    QCOMPARE(mpe.Value(length), expected);
}

void TTestEvaluation::Verdict_At_The_Boundary_data()
{
    QTest::addColumn<double>("measured");
    QTest::addColumn<int>("verdict");
    // MPE(500) = 1.5 + 500 / 250 = 3.5 µm, exactly.
    QTest::newRow("exactly +MPE") << 500.0035 << int(TEvaluation::PASS);
    QTest::newRow("exactly -MPE") << 499.9965 << int(TEvaluation::PASS);
    QTest::newRow("just over") << 500.0035001 << int(TEvaluation::FAIL);
    QTest::newRow("just under -MPE") << 499.9964999 << int(TEvaluation::FAIL);
    QTest::newRow("no error") << 500.0 << int(TEvaluation::PASS);
}

void TTestEvaluation::Verdict_At_The_Boundary()
{
    QFETCH(double, measured);
    QFETCH(int, verdict);
    const TEvaluation::TResult result =
        TEvaluation::Evaluate(nullptr, Along_Y(1, 500.0, true, measured), TMpe(1.5, 250.0));
    QCOMPARE(result.mpe, 3.5);
    QCOMPARE(int(result.measured_verdict), verdict);
    const TMpe mpe(1.5, 250.0);
    QVERIFY(mpe.Passes(3.5, 500.0));
    QVERIFY(mpe.Passes(-3.5, 500.0));
    QVERIFY(!mpe.Passes(3.5001, 500.0));
    QVERIFY(!TMpe().Passes(0.0, 500.0));
}

void TTestEvaluation::Mpe_Text_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("canonical");
    QTest::newRow("two numbers") << "1.5,333" << true << "1.5,333";
    QTest::newRow("with a cap") << " 2 , 400 ,6" << true << "2,400,6";
    QTest::newRow("one number") << "1.5" << false << "";
    QTest::newRow("four numbers") << "1,2,3,4" << false << "";
    QTest::newRow("K zero") << "1.5,0" << false << "";
    QTest::newRow("K negative") << "1.5,-3" << false << "";
    QTest::newRow("A negative") << "-1,300" << false << "";
    QTest::newRow("B not a number") << "1,300,x" << false << "";
    QTest::newRow("infinite") << "inf,300" << false << "";
    QTest::newRow("nan K") << "1,nan" << false << "";
}

void TTestEvaluation::Mpe_Text()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(QString, canonical);
    TMpe mpe;
    QString error;
    QCOMPARE(TMpe::Parse(text, &mpe, &error), valid);
    QCOMPARE(error.isEmpty(), valid);
    QCOMPARE(mpe.Is_Set(), valid);
    QCOMPARE(mpe.Text(), canonical);
}

void TTestEvaluation::Measured_Length_Errors()
{
    const auto model = Generic_Presets();
    const TEvaluation::TResult result =
        TEvaluation::Evaluate(model.get(), Along_Y(3, 1000.0, true, 999.98), TMpe(1.5, 333.0));
    QVERIFY(std::fabs(result.measured_error - -20.0) < 1e-6);
    // measured - actual = 999.98 - 999.982501751972 mm
    QVERIFY(std::fabs(result.residual - -2.501751972) < 1e-6);
    QCOMPARE(result.measured_verdict, TEvaluation::FAIL);
}

void TTestEvaluation::Summary()
{
    TMeasurementData data;
    data.Add_Measurement(Along_Y(4, 100.0, true, 100.003));
    data.Add_Measurement(Along_Y(2, 1000.0));
    data.Add_Measurement(Along_Y(9, 300.0, true, 299.996));
    const std::vector<TEvaluation::TResult> results =
        TEvaluation::Evaluate_All(nullptr, data, TMpe(1.0, 100.0, 3.5));
    QCOMPARE(results.size(), size_t(3));
    QCOMPARE(results[0].id, 4);
    QCOMPARE(results[2].id, 9);

    const TEvaluation::TSummary summary = TEvaluation::Summarise(results);
    QCOMPARE(summary.count, 3);
    QCOMPARE(summary.measured_count, 2);
    // Without a model every simulated error is 0 and passes.
    QCOMPARE(summary.largest_error, 0.0);
    QCOMPARE(summary.largest_error_id, 4);
    QCOMPARE(summary.passed, 3);
    QCOMPARE(summary.failed, 0);
    // 3 µm against MPE(100) = 2 µm fails; -4 µm against MPE(300) = min(4, 3.5) fails.
    QCOMPARE(summary.measured_passed, 0);
    QCOMPARE(summary.measured_failed, 2);
    // sqrt((3² + 4²) / 2) µm
    QVERIFY(std::fabs(summary.residual_rms - std::sqrt(12.5)) < 1e-6);

    const TEvaluation::TSummary empty = TEvaluation::Summarise({});
    QCOMPARE(empty.count, 0);
    QCOMPARE(empty.residual_rms, 0.0);
}

void TTestEvaluation::Direction_Names_data()
{
    QTest::addColumn<TVector3>("axis");
    QTest::addColumn<QString>("name");
    QTest::newRow("Y") << TVector3(0, 1, 0) << "Y";
    QTest::newRow("minus Y") << TVector3(0, -1, 0) << "Y";
    QTest::newRow("Z") << TVector3(0, 0, 1) << "Z";
    QTest::newRow("diagonal +") << TVector3(0, 0.8, 0.6) << "Diagonal +";
    QTest::newRow("diagonal + reversed") << TVector3(0, -0.8, -0.6) << "Diagonal +";
    QTest::newRow("diagonal -") << TVector3(0, 0.8, -0.6) << QString("Diagonal \u2212");
    QTest::newRow("other") << TVector3(0, 0.6, 0.8) << "";
}

void TTestEvaluation::Direction_Names()
{
    QFETCH(TVector3, axis);
    QFETCH(QString, name);
    // A volume of 1200 x 900 mm has its diagonals along (0.8, ±0.6).
    QCOMPARE(TEvaluation::Direction_Name(axis, 1200.0, 900.0), name);
}

void TTestEvaluation::Another_Model_As_Evaluated_data()
{
    QTest::addColumn<bool>("measured");
    QTest::addColumn<bool>("warm");
    QTest::addColumn<bool>("mpe_set");
    QTest::addColumn<bool>("uncertainty");

    QTest::newRow("simulated only") << false << false << true << false;
    QTest::newRow("measured") << true << false << true << false;
    QTest::newRow("measured warm, corrected to 20 degrees") << true << true << true << false;
    QTest::newRow("with a test uncertainty") << true << true << true << true;
    QTest::newRow("no MPE") << true << true << false << true;
}

// Following a new model in place gives, field for field and bit for bit, what evaluating the
// measurement under that model gives: for no model, and for a sweep of the first parameter
// that takes the error through every verdict, with the corrections worked out or shared.
void TTestEvaluation::Another_Model_As_Evaluated()
{
    QFETCH(bool, measured);
    QFETCH(bool, warm);
    QFETCH(bool, mpe_set);
    QFETCH(bool, uncertainty);

    TMeasurementData::TMeasurement measurement = Along_Y(5, 650.0, measured, 650.0021);
    measurement.position = TVector3(0, 310.5, 720.25);
    measurement.axis = TVector3(0, std::sqrt(0.5), -std::sqrt(0.5));
    measurement.has_temperature = warm;
    measurement.temperature = 23.5;
    measurement.retest_of = 2;
    TTestConditions conditions;
    conditions.has_cte = true;
    conditions.cte = 11.5;
    conditions.has_uncertainty = uncertainty;
    conditions.u0 = 1.2;
    const TMpe mpe = mpe_set ? TMpe(1.5, 333) : TMpe();
    const auto fields = [](const TEvaluation::TResult &r) {
        QByteArray bytes;
        for (const double value :
             {r.nominal_length, r.position.y, r.position.z, r.axis.y, r.axis.z, r.actual_length,
              r.error, r.measured_length, r.measured_error, r.residual, r.mpe, r.corrected_length,
              r.temperature, r.uncertainty, r.repeatability_range}) {
            bytes.append(reinterpret_cast<const char *>(&value), sizeof value);
        }
        for (const int value :
             {r.id, int(r.verdict), int(r.measured_verdict), r.retest_of, r.range_group,
              int(r.range_verdict), int(r.has_measured_length), int(r.has_mpe),
              int(r.has_correction), int(r.has_uncertainty), int(r.has_range)}) {
            bytes += QByteArray::number(value) + ' ';
        }
        return bytes;
    };
    const auto from = Generic_Presets();
    auto to = Generic_Presets();
    QSet<int> verdicts;
    TGaugeCorrections corrections;
    for (int step = -1; step <= 200; ++step) {
        to->Set_Parameter1(-0.5 + step * 0.005);
        const TDeflectionModel *to_model = step < 0 ? nullptr : to.get();
        TEvaluation::TResult followed =
            TEvaluation::Evaluate(from.get(), measurement, mpe, conditions);
        TEvaluation::Follow_Model(to_model, &followed);
        const TEvaluation::TResult evaluated =
            TEvaluation::Evaluate(to_model, measurement, mpe, conditions);
        QCOMPARE(fields(followed), fields(evaluated));
        // So does following it with the corrections shared with the display.
        if (to_model) {
            TEvaluation::TResult shared =
                TEvaluation::Evaluate(from.get(), measurement, mpe, conditions);
            corrections.Use(*to_model, 1);
            TEvaluation::Follow_Model(&corrections, 0, &shared);
            QCOMPARE(fields(shared), fields(evaluated));
        }
        verdicts << int(evaluated.verdict);
    }
    // The sweep reaches every verdict the row can give.
    if (!mpe_set) {
        QCOMPARE(verdicts, QSet<int>{TEvaluation::NO_VERDICT});
    } else if (uncertainty) {
        QCOMPARE(verdicts,
                 (QSet<int>{TEvaluation::PASS, TEvaluation::UNDECIDED, TEvaluation::FAIL}));
    } else {
        QCOMPARE(verdicts, (QSet<int>{TEvaluation::PASS, TEvaluation::FAIL}));
    }
}

QTEST_APPLESS_MAIN(TTestEvaluation)
#include "tst_evaluation.moc"
