// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>

#include "conformance.h"
#include "evaluation.h"
#include "measurementdata.h"
#include "mpe.h"
#include "numbertext.h"
#include "testconditions.h"

Q_DECLARE_METATYPE(TEvaluation::TVerdict)
Q_DECLARE_METATYPE(TConformance::TState)
Q_DECLARE_METATYPE(std::vector<double>)

namespace
{
// A gauge of 100 mm along Z at the origin, where no model is asked: the errors are the
// measured ones alone. MPE(100) = 2 + 100 / 100 = 3 µm.
const TMpe mpe(2.0, 100.0);

TMeasurementData::TMeasurement Gauge(int id, const double &measured, const double &y = 0.0,
                                     int retest_of = 0)
{
    TMeasurementData::TMeasurement record{id, TVector3(0, y, 0), TVector3(0, 0, 1), 100.0};
    record.has_measured_length = true;
    record.measured_length = measured;
    record.retest_of = retest_of;
    return record;
}

std::vector<TEvaluation::TResult> Evaluate(const std::vector<TMeasurementData::TMeasurement> &list,
                                           const TTestConditions &conditions)
{
    TMeasurementData data;
    for (const TMeasurementData::TMeasurement &record : list) {
        data.Add_Measurement(record);
    }
    return TEvaluation::Evaluate_All(nullptr, data, mpe, conditions);
}
} // namespace

// The standard's rules with worked values: the decision rule, repetitions and their range,
// the retest rule, and the correction to 20 °C.
class TTestConformance : public QObject
{
    Q_OBJECT

private slots:
    void Decision_Rule_data();
    void Decision_Rule();
    void Ranges_Of_Repetitions();
    void Range_Against_R0_data();
    void Range_Against_R0();
    void Retest_Rule_data();
    void Retest_Rule();
    void Temperature_Correction_data();
    void Temperature_Correction();
    void Uncertainty_Grows_With_Length();
    void Without_An_Mpe_data();
    void Without_An_Mpe();
    void Conditions_Refuse_What_They_Cannot_Use_data();
    void Conditions_Refuse_What_They_Cannot_Use();
    void Zero_Has_No_Sign_data();
    void Zero_Has_No_Sign();
};

void TTestConformance::Decision_Rule_data()
{
    QTest::addColumn<double>("error");
    QTest::addColumn<double>("uncertainty");
    QTest::addColumn<TEvaluation::TVerdict>("verdict");
    // MPE 3 µm throughout.
    QTest::newRow("no U, inside") << 2.9 << 0.0 << TEvaluation::PASS;
    QTest::newRow("no U, on the limit") << -3.0 << 0.0 << TEvaluation::PASS;
    QTest::newRow("no U, just outside") << 3.001 << 0.0 << TEvaluation::FAIL;
    QTest::newRow("U 0.5, |E| + U on the limit") << 2.5 << 0.5 << TEvaluation::PASS;
    QTest::newRow("U 0.5, just inside the zone") << -2.501 << 0.5 << TEvaluation::UNDECIDED;
    QTest::newRow("U 0.5, on the MPE") << 3.0 << 0.5 << TEvaluation::UNDECIDED;
    QTest::newRow("U 0.5, |E| - U on the limit") << 3.5 << 0.5 << TEvaluation::UNDECIDED;
    QTest::newRow("U 0.5, just beyond") << -3.501 << 0.5 << TEvaluation::FAIL;
    QTest::newRow("NaN fails") << std::nan("") << 0.5 << TEvaluation::FAIL;
}

void TTestConformance::Decision_Rule()
{
    QFETCH(double, error);
    QFETCH(double, uncertainty);
    QFETCH(TEvaluation::TVerdict, verdict);
    QCOMPARE(TEvaluation::Judge(error, 3.0, uncertainty), verdict);
    // The same through a whole evaluation with a constant test uncertainty.
    if (std::isfinite(error)) {
        TTestConditions conditions;
        if (uncertainty > 0.0) {
            QString reason;
            QVERIFY(conditions.Set("Uncertainty", TNumberText::Shortest(uncertainty), &reason));
        }
        const auto results = Evaluate({Gauge(1, 100.0 + error / 1000.0)}, conditions);
        QCOMPARE(results[0].measured_verdict, verdict);
    }
}

void TTestConformance::Ranges_Of_Repetitions()
{
    // Three repetitions at one place, two at another, one alone, and a retest of the first
    // place, which is not a repetition.
    const auto results = Evaluate({Gauge(1, 100.0010), Gauge(2, 100.0025), Gauge(3, 100.0018),
                                   Gauge(4, 100.0001, 250.0), Gauge(5, 100.0004, 250.0 + 1e-10),
                                   Gauge(6, 100.0, 500.0), Gauge(7, 100.0090, 0.0, 1)},
                                  TTestConditions());
    const double expected[] = {1.5, 1.5, 1.5, 0.3, 0.3};
    for (int i = 0; i < 5; ++i) {
        QVERIFY2(results[size_t(i)].has_range, qPrintable(QString::number(i + 1)));
        QVERIFY(std::fabs(results[size_t(i)].repeatability_range - expected[i]) < 1e-6);
        QCOMPARE(results[size_t(i)].range_verdict, TEvaluation::NO_VERDICT);
    }
    QVERIFY(!results[5].has_range);
    QVERIFY(!results[6].has_range);
    const TConformance::TStatement statement = TConformance::Judge(results, true, {});
    QCOMPARE(statement.ranges, 2);
    QVERIFY(std::fabs(statement.largest_range - 1.5) < 1e-6);
    QVERIFY(TConformance::Text(statement).contains("Largest range R 1.50 \u00b5m"));
}

void TTestConformance::Without_An_Mpe_data()
{
    QTest::addColumn<std::vector<double>>("measured"); // NaN: not measured
    QTest::addColumn<QString>("text");
    const double none = std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("nothing measured") << std::vector<double>{none, none} << QString();
    QTest::newRow("the largest is negative")
        << std::vector<double>{100.0031, 99.99360, none}
        << "Not judged: no MPE is set. Largest measured error -6.40 \u00b5m (Id 2).";
    QTest::newRow("a repetition gives a range")
        << std::vector<double>{100.0031, 100.0031, 100.0010}
        << "Not judged: no MPE is set. Largest measured error 3.10 \u00b5m (Id 1). "
           "Largest range R 2.10 \u00b5m (Id 1).";
}

// Without an MPE the statement judges nothing, and still names the largest measured error:
// the figure a user looks for first.
void TTestConformance::Without_An_Mpe()
{
    QFETCH(std::vector<double>, measured);
    QFETCH(QString, text);
    std::vector<TMeasurementData::TMeasurement> list;
    for (size_t i = 0; i < measured.size(); ++i) {
        // The third of the table with a range is a repetition of the first, at the same place.
        list.push_back(
            Gauge(int(i) + 1, measured[i], text.contains("range") ? 0.0 : 100.0 * double(i)));
        list.back().has_measured_length = !std::isnan(measured[i]);
        list.back().measured_length = list.back().has_measured_length ? measured[i] : 0.0;
    }
    const auto results = Evaluate(list, TTestConditions());
    const TConformance::TStatement statement = TConformance::Judge(results, false, {});
    QCOMPARE(statement.state, TConformance::NOT_JUDGED);
    QCOMPARE(TConformance::Text(statement), text);
}

void TTestConformance::Range_Against_R0_data()
{
    QTest::addColumn<double>("r0");
    QTest::addColumn<TEvaluation::TVerdict>("verdict");
    QTest::addColumn<TConformance::TState>("state");
    // The range of the two repetitions is 1.5 µm.
    QTest::newRow("R0 above") << 2.0 << TEvaluation::PASS << TConformance::CONFORMS;
    QTest::newRow("R0 equal") << 1.5 << TEvaluation::PASS << TConformance::CONFORMS;
    QTest::newRow("R0 below") << 1.4 << TEvaluation::FAIL << TConformance::DOES_NOT_CONFORM;
}

void TTestConformance::Range_Against_R0()
{
    QFETCH(double, r0);
    QFETCH(TEvaluation::TVerdict, verdict);
    QFETCH(TConformance::TState, state);
    TTestConditions conditions;
    QString reason;
    QVERIFY(conditions.Set("MPE_R0", TNumberText::Shortest(r0), &reason));
    const auto results = Evaluate({Gauge(1, 100.0010), Gauge(2, 100.0025)}, conditions);
    QCOMPARE(results[0].range_verdict, verdict);
    QCOMPARE(results[1].range_verdict, verdict);
    const TConformance::TStatement statement = TConformance::Judge(results, true, conditions);
    QCOMPARE(statement.state, state);
    QVERIFY(TConformance::Text(statement).contains("the MPE and R0"));
}

void TTestConformance::Retest_Rule_data()
{
    QTest::addColumn<int>("failing");
    // Retests per failing result, and how many of them fail.
    QTest::addColumn<int>("retests");
    QTest::addColumn<int>("failing_retests");
    QTest::addColumn<TConformance::TState>("state");
    QTest::addColumn<QString>("says");
    QTest::newRow("0 failing") << 0 << 0 << 0 << TConformance::CONFORMS
                               << "The test shows conformance with the MPE.";
    QTest::newRow("1 failing, no retests")
        << 1 << 0 << 0 << TConformance::NOT_DECIDED << "1 result(s) need retests (Id 1)";
    QTest::newRow("1 failing, 9 retests")
        << 1 << 9 << 0 << TConformance::NOT_DECIDED << "1 result(s) need retests";
    QTest::newRow("1 failing, 10 passing retests")
        << 1 << 10 << 0 << TConformance::CONFORMS << "Retests passed (1 result(s), 10 retests).";
    QTest::newRow("1 failing, a failing retest")
        << 1 << 10 << 1 << TConformance::DOES_NOT_CONFORM << "1 result(s) failed a retest";
    QTest::newRow("5 failing, retests due")
        << 5 << 0 << 0 << TConformance::NOT_DECIDED << "5 result(s) need retests (Id 1, 2, 3";
    QTest::newRow("5 failing, all retested")
        << 5 << 10 << 0 << TConformance::CONFORMS << "Retests passed (5 result(s), 50 retests).";
    QTest::newRow("6 failing") << 6 << 10 << 0 << TConformance::DOES_NOT_CONFORM
                               << "6 result(s) fail, more than 5 may be retested";
}

void TTestConformance::Retest_Rule()
{
    QFETCH(int, failing);
    QFETCH(int, retests);
    QFETCH(int, failing_retests);
    QFETCH(TConformance::TState, state);
    QFETCH(QString, says);
    // Ten results at ten places; the first ones fail by 4 µm against the MPE of 3 µm.
    std::vector<TMeasurementData::TMeasurement> list;
    for (int id = 1; id <= 10; ++id) {
        list.push_back(Gauge(id, id <= failing ? 100.004 : 100.001, 100.0 * id));
    }
    int next = 11;
    for (int id = 1; id <= failing; ++id) {
        for (int retest = 0; retest < retests; ++retest) {
            list.push_back(
                Gauge(next++, retest < failing_retests ? 100.0035 : 100.002, 100.0 * id, id));
        }
    }
    const auto results = Evaluate(list, TTestConditions());
    const TConformance::TStatement statement = TConformance::Judge(results, true, {});
    QCOMPARE(statement.state, state);
    QCOMPARE(statement.failed, failing);
    QCOMPARE(statement.passed, 10 - failing);
    QVERIFY2(TConformance::Text(statement).contains(says),
             qPrintable(TConformance::Text(statement)));
}

void TTestConformance::Temperature_Correction_data()
{
    QTest::addColumn<double>("test_temperature");
    QTest::addColumn<bool>("own_temperature");
    QTest::addColumn<double>("cte");
    QTest::addColumn<double>("corrected");
    // 1000 mm measured on a steel gauge (11.5 · 10⁻⁶/K): 1 K warmer shows it 11.5 µm long.
    QTest::newRow("21 °C") << 21.0 << false << 11.5 << 1000.0 * (1.0 - 11.5e-6 * 1.0);
    QTest::newRow("18 °C") << 18.0 << false << 11.5 << 1000.0 * (1.0 - 11.5e-6 * -2.0);
    QTest::newRow("20 °C: no change") << 20.0 << false << 11.5 << 1000.0;
    QTest::newRow("own 22.5 °C over the test's")
        << 21.0 << true << 11.5 << 1000.0 * (1.0 - 11.5e-6 * 2.5);
    QTest::newRow("no expansion given") << 21.0 << false << std::nan("") << 1000.0;
}

void TTestConformance::Temperature_Correction()
{
    QFETCH(double, test_temperature);
    QFETCH(bool, own_temperature);
    QFETCH(double, cte);
    QFETCH(double, corrected);
    TTestConditions conditions;
    QString reason;
    QVERIFY(conditions.Set("Gauge_Temperature", TNumberText::Shortest(test_temperature), &reason));
    if (std::isfinite(cte)) {
        QVERIFY(conditions.Set("Gauge_CTE", TNumberText::Shortest(cte), &reason));
    }
    TMeasurementData::TMeasurement record{1, TVector3(0, 0, 0), TVector3(0, 0, 1), 1000.0};
    record.has_measured_length = true;
    record.measured_length = 1000.0;
    if (own_temperature) {
        record.has_temperature = true;
        record.temperature = 22.5;
    }
    const TEvaluation::TResult result = TEvaluation::Evaluate(nullptr, record, mpe, conditions);
    QCOMPARE(result.has_correction, std::isfinite(cte));
    QCOMPARE(result.corrected_length, corrected);
    // Every error is formed from the corrected length.
    QCOMPARE(result.measured_error, (corrected - 1000.0) * 1000.0);
    QCOMPARE(result.residual, (corrected - 1000.0) * 1000.0);
    QCOMPARE(result.measured_length, 1000.0);
}

void TTestConformance::Uncertainty_Grows_With_Length()
{
    TTestConditions conditions;
    QString reason;
    QVERIFY(conditions.Set("Uncertainty", "0.3,1000", &reason));
    QCOMPARE(conditions.Uncertainty(500.0), 0.8);
    QCOMPARE(conditions.Uncertainty(-500.0), 0.8);
    QCOMPARE(conditions.Uncertainty_Text(), QString("0.3,1000"));
    QVERIFY(conditions.Set("Uncertainty", "0.4", &reason));
    QCOMPARE(conditions.Uncertainty(500.0), 0.4);
    // The texts read back as the same conditions.
    QVERIFY(conditions.Set("Gauge_CTE", "11.5", &reason));
    TTestConditions read;
    QStringList problems;
    QVERIFY(TTestConditions::From_Texts(conditions.Texts(), &read, &problems));
    QCOMPARE(read, conditions);
}

void TTestConformance::Conditions_Refuse_What_They_Cannot_Use_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reason");
    QTest::newRow("U0 negative") << "Uncertainty"
                                 << "-1"
                                 << "U0 must not be negative";
    QTest::newRow("KU zero") << "Uncertainty"
                             << "1,0"
                             << "KU must be greater than 0";
    QTest::newRow("three parts") << "Uncertainty"
                                 << "1,2,3"
                                 << "U0 or U0,KU";
    QTest::newRow("R0 zero") << "MPE_R0"
                             << "0"
                             << "R0 must be greater than 0";
    QTest::newRow("below absolute zero") << "Gauge_Temperature"
                                         << "-300"
                                         << "between";
    QTest::newRow("no number") << "Gauge_CTE"
                               << "steel"
                               << "is not a number";
    QTest::newRow("infinite") << "Gauge_CTE"
                              << "inf"
                              << "is not a number";
}

void TTestConformance::Conditions_Refuse_What_They_Cannot_Use()
{
    QFETCH(QString, key);
    QFETCH(QString, text);
    QFETCH(QString, reason);
    TTestConditions conditions;
    QString why;
    QVERIFY(!conditions.Set(key, text, &why));
    QVERIFY2(why.contains(reason), qPrintable(why));
    QVERIFY(conditions.Is_Empty());
}

void TTestConformance::Zero_Has_No_Sign_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("rounds to zero") << -0.004 << "0.00";
    QTest::newRow("negative zero") << -0.0 << "0.00";
    QTest::newRow("rounds away from zero") << -0.005001 << "-0.01";
    QTest::newRow("positive") << 1.234 << "1.23";
}

void TTestConformance::Zero_Has_No_Sign()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(TNumberText::Shown(value, 2), text);
}

QTEST_GUILESS_MAIN(TTestConformance)
#include "tst_conformance.moc"
