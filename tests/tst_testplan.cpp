// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>
#include <cmath>
#include <map>

#include "evaluation.h"
#include "measurementdata.h"
#include "testplan.h"

Q_DECLARE_METATYPE(std::vector<double>)

namespace
{
bool Same(const TVector3 &a, const TVector3 &b)
{
    return a.x == b.x && a.y == b.y && a.z == b.z;
}
} // namespace

// The geometry of a length test plan.
class TTestTestPlan : public QObject
{
    Q_OBJECT

private slots:
    void Default_Plan_data();
    void Default_Plan();
    void Default_Lengths_On_A_Cube();
    void Given_Lengths_That_Do_Not_Fit();
    void Append_Gives_New_Identifiers();
    void Lines_Away_From_The_Centre_data();
    void Lines_Away_From_The_Centre();
};

void TTestTestPlan::Default_Plan_data()
{
    QTest::addColumn<double>("range_y");
    QTest::addColumn<double>("range_z");
    QTest::newRow("cube") << 1000.0 << 1000.0;
    QTest::newRow("wide and low") << 1500.0 << 600.0;
    QTest::newRow("narrow and tall") << 400.0 << 2000.0;
    QTest::newRow("fractional") << 1234.5 << 987.25;
}

void TTestTestPlan::Default_Plan()
{
    QFETCH(double, range_y);
    QFETCH(double, range_z);
    const TTestPlan plan(range_y, range_z);
    QStringList left_out;
    const std::vector<TMeasurementData::TMeasurement> measurements =
        plan.Measurements({}, 3, &left_out);
    QCOMPARE(measurements.size(), size_t(60));
    QVERIFY(left_out.isEmpty());

    std::map<QString, std::vector<double>> lengths_per_line;
    const double tolerance = 1e-9;
    for (const TMeasurementData::TMeasurement &measurement : measurements) {
        // Centred on the volume's centre, with both ends inside the volume.
        QCOMPARE(measurement.position.y, range_y / 2);
        QCOMPARE(measurement.position.z, range_z / 2);
        TVector3 end1;
        TVector3 end2;
        TEvaluation::Gauge_Ends(measurement.position, measurement.axis, measurement.nominal_length,
                                &end1, &end2);
        for (const TVector3 &end : {end1, end2}) {
            QVERIFY(end.y >= -tolerance && end.y <= range_y + tolerance);
            QVERIFY(end.z >= -tolerance && end.z <= range_z + tolerance);
        }
        QCOMPARE(measurement.nominal_length, std::round(measurement.nominal_length));
        QVERIFY(std::fabs(measurement.axis.Length() - 1.0) < 1e-12);
        const QString direction = TEvaluation::Direction_Name(measurement.axis, range_y, range_z);
        QVERIFY(!direction.isEmpty());
        lengths_per_line[direction].push_back(measurement.nominal_length);
    }

    // Four lines, five lengths each, three times each, from at most 20 % to at least 66 % of
    // the line's length inside the volume.
    QCOMPARE(lengths_per_line.size(), size_t(4));
    const double diagonal = std::sqrt(range_y * range_y + range_z * range_z);
    const std::map<QString, double> line_lengths{{"Y", range_y},
                                                 {"Z", range_z},
                                                 {"Diagonal +", diagonal},
                                                 {QString("Diagonal \u2212"), diagonal}};
    for (const auto &line : lengths_per_line) {
        const std::vector<double> &lengths = line.second;
        QCOMPARE(lengths.size(), size_t(15));
        const double line_length = line_lengths.at(line.first);
        QVERIFY(*std::min_element(lengths.begin(), lengths.end()) <= 0.2 * line_length);
        QVERIFY(*std::max_element(lengths.begin(), lengths.end()) >= 0.66 * line_length);
        QVERIFY(*std::max_element(lengths.begin(), lengths.end()) <= line_length);
        for (size_t i = 0; i < lengths.size(); i += 3) {
            QCOMPARE(lengths[i + 1], lengths[i]);
            QCOMPARE(lengths[i + 2], lengths[i]);
        }
    }
}

void TTestTestPlan::Default_Lengths_On_A_Cube()
{
    const TTestPlan plan(1000.0, 1000.0);
    QCOMPARE(plan.Default_Lengths(TTestPlan::LINE_Y),
             (std::vector<double>{100, 300, 500, 700, 900}));
    // The diagonal is 1414.21 mm long.
    QCOMPARE(plan.Default_Lengths(TTestPlan::LINE_DIAGONAL_MINUS),
             (std::vector<double>{141, 424, 707, 990, 1273}));
    const TVector3 axis = plan.Line_Axis(TTestPlan::LINE_DIAGONAL_MINUS);
    QVERIFY(std::fabs(axis.y - std::sqrt(0.5)) < 1e-15);
    QVERIFY(std::fabs(axis.z + std::sqrt(0.5)) < 1e-15);
}

void TTestTestPlan::Given_Lengths_That_Do_Not_Fit()
{
    const TTestPlan plan(1200.0, 500.0);
    QStringList left_out;
    const std::vector<TMeasurementData::TMeasurement> measurements =
        plan.Measurements({100, 600, 1300}, 2, &left_out);
    // 100 fits everywhere; 600 not along Z; 1300 only on the diagonals (1300 mm long).
    QCOMPARE(measurements.size(), size_t(2 * (4 + 3 + 2)));
    QCOMPARE(left_out.size(), 3);
    QVERIFY(left_out[0].startsWith("1300 mm does not fit the Y line"));
    QVERIFY(left_out[1].startsWith("600 mm does not fit the Z line"));
    QVERIFY(left_out[2].startsWith("1300 mm does not fit the Z line"));
}

void TTestTestPlan::Append_Gives_New_Identifiers()
{
    TMeasurementData data;
    data.Add_Measurement(TMeasurementData::TMeasurement{2, TVector3(), TVector3(0, 0, 1), 10});
    const TTestPlan plan(1000.0, 1000.0);
    TTestPlan::Append(plan.Measurements({500}, 1, nullptr), &data);
    // As "+" gives them: the smallest free identifiers, in order.
    QCOMPARE(data.Get_Measurement_Ids(), (std::vector<int>{2, 1, 3, 4, 5}));
    TMeasurementData::TMeasurement last;
    QVERIFY(data.Get_Measurement(5, &last));
    QCOMPARE(last.nominal_length, 500.0);
    QCOMPARE(last.position.y, 500.0);
}

void TTestTestPlan::Lines_Away_From_The_Centre_data()
{
    QTest::addColumn<std::vector<double>>("at_z");
    QTest::addColumn<std::vector<double>>("at_y");
    QTest::addColumn<int>("extra");
    QTest::addColumn<int>("outside");
    QTest::newRow("none") << std::vector<double>{} << std::vector<double>{} << 0 << 0;
    QTest::newRow("a Y line and two Z lines")
        << std::vector<double>{100.0} << std::vector<double>{0.0, 1200.0} << 3 << 0;
    QTest::newRow("one outside the volume")
        << std::vector<double>{900.0, 1000.5} << std::vector<double>{} << 1 << 1;
}

// Each further line carries its centred twin's lengths, centred on itself.
void TTestTestPlan::Lines_Away_From_The_Centre()
{
    QFETCH(std::vector<double>, at_z);
    QFETCH(std::vector<double>, at_y);
    QFETCH(int, extra);
    QFETCH(int, outside);
    TTestPlan plan(1200.0, 1000.0);
    const size_t centred = plan.Measurements({}, 1, nullptr).size();
    plan.Set_Off_Centre_Lines(at_z, at_y);
    QStringList left_out;
    const std::vector<TMeasurementData::TMeasurement> measurements =
        plan.Measurements({}, 2, &left_out);
    QCOMPARE(int(measurements.size()), 2 * (int(centred) + 5 * extra));
    QCOMPARE(left_out.size(), outside);
    std::vector<TMeasurementData::TMeasurement> further(
        measurements.begin() + std::ptrdiff_t(2 * centred), measurements.end());
    size_t at = 0;
    for (const double z : at_z) {
        if (z > 1000.0) {
            continue;
        }
        for (int k = 0; k < 10; ++k, ++at) {
            QVERIFY(Same(further[at].position, TVector3(0, 600, z)));
            QVERIFY(Same(further[at].axis, TVector3(0, 1, 0)));
        }
        QCOMPARE(further[at - 10].nominal_length, 120.0);
    }
    for (const double y : at_y) {
        for (int k = 0; k < 10; ++k, ++at) {
            QVERIFY(Same(further[at].position, TVector3(0, y, 500)));
            QVERIFY(Same(further[at].axis, TVector3(0, 0, 1)));
        }
    }
    QCOMPARE(at, further.size());
}

QTEST_APPLESS_MAIN(TTestTestPlan)
#include "tst_testplan.moc"
