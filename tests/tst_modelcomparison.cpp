// SPDX-License-Identifier: GPL-3.0-or-later
#include <QRandomGenerator>
#include <QtTest>
#include <cmath>
#include <memory>

#include "deflectionmodel.h"
#include "evaluation.h"
#include "modelcatalog.h"
#include "modelcomparison.h"
#include "testdocument.h"
#include "testplan.h"

namespace
{
// A plan that determines every model: the four lines through the centre and Y and Z lines at
// a fifth and four fifths of the volume, each gauge measured three times.
std::vector<TMeasurementData::TMeasurement> Determining_Plan()
{
    std::vector<TMeasurementData::TMeasurement> plan =
        TTestPlan(1000.0, 1000.0).Measurements({}, 3, nullptr);
    for (const double offset : {200.0, 800.0}) {
        for (TMeasurementData::TMeasurement m :
             TTestPlan(1000.0, 1000.0).Measurements({300, 700}, 3, nullptr)) {
            if (m.axis.y == 1.0) {
                m.position.z = offset;
                plan.push_back(m);
            } else if (m.axis.z == 1.0) {
                m.position.y = offset;
                plan.push_back(m);
            }
        }
    }
    return plan;
}

// The test of a machine that follows the model with these parameters, measured with normal
// noise (µm); the test's own model is Generic at its presets.
void Measure(int model_type, const QVector<double> &truth, const double &noise,
             TTestDocument *document)
{
    const std::unique_ptr<TDeflectionModel> model(TModelCatalog::Create(model_type));
    model->Set_Parameter1(truth[0]);
    model->Set_Parameter2(truth[1]);
    model->Set_Parameter3(truth[2]);
    model->Set_Parameter4(truth[3]);
    QRandomGenerator random(20261208);
    TMeasurementData data;
    TTestPlan::Append(Determining_Plan(), &data);
    std::vector<TMeasurementData::TMeasurement> records = data.Measurements();
    for (TMeasurementData::TMeasurement &m : records) {
        m.has_measured_length = true;
        m.measured_length =
            TEvaluation::Actual_Length(model.get(), m.position, m.axis, m.nominal_length);
        if (noise > 0.0) {
            const double u1 = 1.0 - random.generateDouble();
            const double u2 = random.generateDouble();
            m.measured_length +=
                noise * 1e-3 * std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * M_PI * u2);
        }
    }
    document->Set_Model_Index(0);
    document->Set_Measurements(records);
}
} // namespace

// Which model explains a machine.
class TTestModelComparison : public QObject
{
    Q_OBJECT

private slots:
    void Picks_The_Generating_Model_data();
    void Picks_The_Generating_Model();
    void Repeatability_Floor_data();
    void Repeatability_Floor();
};

void TTestModelComparison::Picks_The_Generating_Model_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QVector<double>>("truth");
    QTest::addColumn<double>("noise");
    const QVector<double> generic{-0.02, 0.005, 0.004, 0};
    const QVector<double> renishaw{0.01, 0.003, -0.002, 0};
    const QVector<double> lk{0.00002, 0.002, -0.0103, 0.0015};
    QTest::newRow("generic, exact") << int(TModelCatalog::GENERIC) << generic << 0.0;
    QTest::newRow("generic, 0.5 um noise") << int(TModelCatalog::GENERIC) << generic << 0.5;
    QTest::newRow("renishaw, exact") << int(TModelCatalog::RENISHAW) << renishaw << 0.0;
    QTest::newRow("renishaw, 0.5 um noise") << int(TModelCatalog::RENISHAW) << renishaw << 0.5;
    QTest::newRow("lk, exact") << int(TModelCatalog::LK) << lk << 0.0;
    QTest::newRow("lk, 0.5 um noise") << int(TModelCatalog::LK) << lk << 0.5;
}

void TTestModelComparison::Picks_The_Generating_Model()
{
    QFETCH(int, model);
    QFETCH(QVector<double>, truth);
    QFETCH(double, noise);
    TTestDocument document;
    Measure(model, truth, noise, &document);
    const TModelComparison::TComparison comparison = TModelComparison::Compare(document);
    QCOMPARE(int(comparison.entries.size()), TModelCatalog::Model_Count());
    QString figures;
    for (const TModelComparison::TEntry &entry : comparison.entries) {
        figures += QString(" %1: rms %2 bic %3 floor %4;")
                       .arg(TModelCatalog::Model_At(entry.model_index).key)
                       .arg(entry.fit.rms_after)
                       .arg(entry.bic)
                       .arg(entry.reaches_floor);
    }
    QVERIFY2(comparison.best >= 0, qPrintable(figures));
    const TModelComparison::TEntry &best = comparison.entries[size_t(comparison.best)];
    QVERIFY2(TModelCatalog::Model_At(best.model_index).type == model, qPrintable(figures));
    QVERIFY(comparison.has_floor);
    if (noise > 0.0) {
        // The generating model explains the data down to the noise (Generic and LK can both
        // do so for each other's machines; the criterion still tells them apart).
        QVERIFY2(best.reaches_floor, qPrintable(figures));
        QVERIFY2(std::fabs(comparison.floor - noise) < 0.15, qPrintable(figures));
    } else {
        QVERIFY2(best.fit.rms_after < 1e-6, qPrintable(figures));
    }
}

void TTestModelComparison::Repeatability_Floor_data()
{
    QTest::addColumn<QVector<double>>("lengths");
    QTest::addColumn<bool>("has_floor");
    QTest::addColumn<double>("floor");
    // Two groups: (100.001, 100.003) and (200.000, 200.004, 200.002): squares 2 + 8 µm² over
    // 1 + 2 degrees of freedom.
    QTest::newRow("two groups") << QVector<double>{100.001, 100.003, 200.0, 200.004, 200.002}
                                << true << std::sqrt(10.0 / 3.0);
    QTest::newRow("no repetition") << QVector<double>{100.001} << false << 0.0;
}

void TTestModelComparison::Repeatability_Floor()
{
    QFETCH(QVector<double>, lengths);
    QFETCH(bool, has_floor);
    QFETCH(double, floor);
    TMeasurementData data;
    int id = 0;
    for (const double &length : lengths) {
        TMeasurementData::TMeasurement m{++id, TVector3(0, 500, 500), TVector3(0, 1, 0),
                                         length < 150.0 ? 100.0 : 200.0};
        m.has_measured_length = true;
        m.measured_length = length;
        data.Add_Measurement(m);
    }
    // One more at another place, which repeats nothing.
    TMeasurementData::TMeasurement alone{++id, TVector3(0, 400, 500), TVector3(0, 1, 0), 100.0};
    alone.has_measured_length = true;
    alone.measured_length = 150.0;
    data.Add_Measurement(alone);
    double found = 0.0;
    QCOMPARE(TModelComparison::Repeatability_Floor(data, &found), has_floor);
    if (has_floor) {
        QVERIFY2(std::fabs(found - floor) < 1e-9, qPrintable(QString::number(found, 'g', 17)));
    }
}

QTEST_MAIN(TTestModelComparison)
#include "tst_modelcomparison.moc"
