// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>
#include <cmath>

#include "modelcatalog.h"
#include "modelcomparison.h"
#include "simulatedmachine.h"
#include "testdocument.h"

namespace
{
// The test of a machine that follows the model with these parameters, measured with normal
// noise (µm); the test's own model is Generic at its presets.
void Measure(int model_type, const QVector<double> &truth, const double &noise,
             TTestDocument *document)
{
    document->Set_Model_Index(0);
    document->Set_Measurements(
        Measured_Plan(model_type, truth, Determining_Plan(3), noise).Measurements());
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
