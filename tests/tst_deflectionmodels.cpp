// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>
#include <cmath>
#include <limits>
#include <memory>

#include "genericdeflectionmodel.h"
#include "lkdeflectionmodel.h"
#include "renishawdeflectionmodel.h"

namespace
{
enum TModel { GENERIC, RENISHAW, LK };

std::unique_ptr<TDeflectionModel> Make_Model(int model)
{
    switch (model) {
    case GENERIC:
        return std::make_unique<TGenericDeflectionModel>();
    case RENISHAW:
        return std::make_unique<TRenishawDeflectionModel>();
    default:
        return std::make_unique<TLKDeflectionModel>();
    }
}

// The worked examples are printed to 15 significant digits; a value printed exactly is
// compared exactly.
bool Matches(const double &actual, const double &expected)
{
    if (expected == 0.0 || expected == 0.005 || expected == -0.02 || expected == -0.01) {
        return actual == expected;
    }
    return std::fabs(actual - expected) <= 5e-15 * std::fabs(expected);
}
} // namespace

class TTestDeflectionModels : public QObject
{
    Q_OBJECT

private slots:
    void Worked_Examples_data();
    void Worked_Examples();
    void Helpers_data();
    void Helpers();
    void Range_Rule_data();
    void Range_Rule();
    void Zero_Parameters_Give_Zero();
    void X_Never_Matters();
    void Parameter4_Ignored_By_Generic_And_Renishaw();
    void LK_And_Renishaw_Ignore_Ranges();
    void Generic_Far_Corner();
    void Non_Finite_Parameters_Pass_Through();
};

void TTestDeflectionModels::Worked_Examples_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QVector<double>>("parameters");
    QTest::addColumn<double>("range_y");
    QTest::addColumn<double>("range_z");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("z");
    QTest::addColumn<double>("expected_y");
    QTest::addColumn<double>("expected_z");

    const QVector<double> generic{0.05, 0.02, -0.01, 0};
    const QVector<double> lk{0.00002, 0.00003, 1.5, 0.00004};
    const QVector<double> renishaw{0.01, 0.003, -0.002, 0};
    QTest::newRow("generic mid volume") << int(GENERIC) << generic << 1000.0 << 1000.0 << 500.0
                                        << 800.0 << -0.0239989333546665 << 0.00599933334666654;
    QTest::newRow("generic larger volume") << int(GENERIC) << generic << 2000.0 << 1600.0 << 500.0
                                           << 800.0 << -0.00749996744798024 << 0.00187497965498765;
    QTest::newRow("generic far corner, no rotation")
        << int(GENERIC) << QVector<double>{0, 0.02, -0.01, 0} << 1000.0 << 1000.0 << 1000.0
        << 1000.0 << -0.02 << -0.01;
    QTest::newRow("lk mid volume") << int(LK) << lk << 1000.0 << 1000.0 << 500.0 << 800.0
                                   << -0.0928421264108115 << 0.0581763290067572;
    QTest::newRow("lk negative y") << int(LK) << lk << 1000.0 << 1000.0 << -200.0 << 600.0
                                   << 0.0208719084912603 << 0.00698130283042012;
    QTest::newRow("renishaw mid volume")
        << int(RENISHAW) << renishaw << 1000.0 << 1000.0 << 500.0 << 800.0 << -0.003552 << 0.00524;
    QTest::newRow("renishaw negative y") << int(RENISHAW) << renishaw << 1000.0 << 1000.0 << -300.0
                                         << 1200.0 << 0.0033408 << -0.0031296;
    QTest::newRow("renishaw z zero")
        << int(RENISHAW) << renishaw << 1000.0 << 1000.0 << 500.0 << 0.0 << 0.0 << 0.005;
}

void TTestDeflectionModels::Worked_Examples()
{
    QFETCH(int, model);
    QFETCH(QVector<double>, parameters);
    QFETCH(double, range_y);
    QFETCH(double, range_z);
    QFETCH(double, y);
    QFETCH(double, z);
    QFETCH(double, expected_y);
    QFETCH(double, expected_z);

    std::unique_ptr<TDeflectionModel> deflection = Make_Model(model);
    deflection->Set_Parameter1(parameters[0]);
    deflection->Set_Parameter2(parameters[1]);
    deflection->Set_Parameter3(parameters[2]);
    deflection->Set_Parameter4(parameters[3]);
    deflection->Set_Range_Y(range_y);
    deflection->Set_Range_Z(range_z);

    const TVector3 correction = deflection->Calculate_Correction(TVector3(0, y, z));
    QVERIFY2(Matches(correction.y, expected_y), qPrintable(QString::number(correction.y, 'g', 17)));
    QVERIFY2(Matches(correction.z, expected_z), qPrintable(QString::number(correction.z, 'g', 17)));
    QCOMPARE(correction.x, 0.0);
}

void TTestDeflectionModels::Helpers_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QVector<double>>("parameters");
    QTest::addColumn<double>("range_y");
    QTest::addColumn<double>("range_z");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("z");
    QTest::addColumn<QVector<double>>("expected");

    QTest::newRow("generic") << int(GENERIC) << QVector<double>{0.05, 0.02, -0.01, 0} << 1000.0
                             << 1000.0 << 0.5 << 0.8 << QVector<double>{0.02, 0.008, -0.004};
    QTest::newRow("generic larger volume")
        << int(GENERIC) << QVector<double>{0.05, 0.02, -0.01, 0} << 2000.0 << 1600.0 << 0.5 << 0.8
        << QVector<double>{0.00625, 0.0025, -0.00125};
    QTest::newRow("lk") << int(LK) << QVector<double>{0.00002, 0.00003, 1.5, 0.00004} << 1000.0
                        << 1000.0 << 0.5 << 0.8 << QVector<double>{0.0116355283465833, 0.00024};
    QTest::newRow("lk negative y")
        << int(LK) << QVector<double>{0.00002, 0.00003, 1.5, 0.00004} << 1000.0 << 1000.0 << -0.2
        << 0.6 << QVector<double>{-0.00349065850397498, -0.000072};
    QTest::newRow("renishaw") << int(RENISHAW) << QVector<double>{0.01, 0.003, -0.002, 0} << 1000.0
                              << 1000.0 << 0.5 << 0.8 << QVector<double>{0.00048, 0.000448};
    QTest::newRow("renishaw negative y")
        << int(RENISHAW) << QVector<double>{0.01, 0.003, -0.002, 0} << 1000.0 << 1000.0 << -0.3
        << 1.2 << QVector<double>{0.000432, -0.0002592};
}

void TTestDeflectionModels::Helpers()
{
    QFETCH(int, model);
    QFETCH(QVector<double>, parameters);
    QFETCH(double, range_y);
    QFETCH(double, range_z);
    QFETCH(double, y);
    QFETCH(double, z);
    QFETCH(QVector<double>, expected);

    QVector<double> actual;
    if (model == GENERIC) {
        TGenericDeflectionModel generic;
        generic.Set_Parameter1(parameters[0]);
        generic.Set_Parameter2(parameters[1]);
        generic.Set_Parameter3(parameters[2]);
        generic.Set_Range_Y(range_y);
        generic.Set_Range_Z(range_z);
        actual = {generic.Rotation_YX(y, z), generic.Translation_Y(y, z),
                  generic.Translation_Z(y, z)};
    } else if (model == LK) {
        TLKDeflectionModel lk;
        lk.Set_Parameter1(parameters[0]);
        lk.Set_Parameter2(parameters[1]);
        lk.Set_Parameter3(parameters[2]);
        lk.Set_Parameter4(parameters[3]);
        actual = {lk.Rotation_YX(y, z), lk.Translation_Y(y, z)};
    } else {
        TRenishawDeflectionModel renishaw;
        renishaw.Set_Parameter1(parameters[0]);
        renishaw.Set_Parameter2(parameters[1]);
        renishaw.Set_Parameter3(parameters[2]);
        actual = {renishaw.RotationZ_Blend23(y, z), renishaw.RotationY_Blend11(y, z)};
    }
    QCOMPARE(actual.size(), expected.size());
    for (int i = 0; i < actual.size(); ++i) {
        QVERIFY2(std::fabs(actual[i] - expected[i]) <= 5e-15 * std::fabs(expected[i]),
                 qPrintable(QString("helper %1: %2").arg(i).arg(actual[i], 0, 'g', 17)));
    }
}

void TTestDeflectionModels::Range_Rule_data()
{
    QTest::addColumn<double>("range");
    QTest::addColumn<double>("expected");
    QTest::newRow("exactly 1 ignored") << 1.0 << 1000.0;
    QTest::newRow("half ignored") << 0.5 << 1000.0;
    QTest::newRow("negative ignored") << -100.0 << 1000.0;
    QTest::newRow("zero ignored") << 0.0 << 1000.0;
    QTest::newRow("nan ignored") << std::numeric_limits<double>::quiet_NaN() << 1000.0;
    QTest::newRow("1.5 taken") << 1.5 << 1.5;
    QTest::newRow("2000 taken") << 2000.0 << 2000.0;
}

void TTestDeflectionModels::Range_Rule()
{
    QFETCH(double, range);
    QFETCH(double, expected);

    for (int model : {GENERIC, RENISHAW, LK}) {
        std::unique_ptr<TDeflectionModel> deflection = Make_Model(model);
        QCOMPARE(deflection->Range_Y(), 1000.0);
        QCOMPARE(deflection->Range_Z(), 1000.0);
        deflection->Set_Range_Y(range);
        deflection->Set_Range_Z(range);
        QCOMPARE(deflection->Range_Y(), expected);
        QCOMPARE(deflection->Range_Z(), expected);
    }
}

void TTestDeflectionModels::Zero_Parameters_Give_Zero()
{
    for (int model : {GENERIC, RENISHAW, LK}) {
        std::unique_ptr<TDeflectionModel> deflection = Make_Model(model);
        QCOMPARE(deflection->Parameter1(), 0.0);
        QCOMPARE(deflection->Parameter4(), 0.0);
        for (const TVector3 &position :
             {TVector3(0, 500, 800), TVector3(12, -300, 1200), TVector3(0, 1000, 1000)}) {
            const TVector3 correction = deflection->Calculate_Correction(position);
            QCOMPARE(correction.x, 0.0);
            QCOMPARE(correction.y, 0.0);
            QCOMPARE(correction.z, 0.0);
        }
    }
}

void TTestDeflectionModels::X_Never_Matters()
{
    for (int model : {GENERIC, RENISHAW, LK}) {
        std::unique_ptr<TDeflectionModel> deflection = Make_Model(model);
        deflection->Set_Parameter1(0.03);
        deflection->Set_Parameter2(0.00002);
        deflection->Set_Parameter3(1.2);
        deflection->Set_Parameter4(0.00001);
        const TVector3 reference = deflection->Calculate_Correction(TVector3(0, 400, 700));
        for (double x : {-1000.0, 1.0, 1e9, std::numeric_limits<double>::quiet_NaN()}) {
            const TVector3 correction = deflection->Calculate_Correction(TVector3(x, 400, 700));
            QCOMPARE(correction.x, 0.0);
            QCOMPARE(correction.y, reference.y);
            QCOMPARE(correction.z, reference.z);
        }
    }
}

void TTestDeflectionModels::Parameter4_Ignored_By_Generic_And_Renishaw()
{
    for (int model : {GENERIC, RENISHAW}) {
        std::unique_ptr<TDeflectionModel> deflection = Make_Model(model);
        deflection->Set_Parameter1(0.05);
        deflection->Set_Parameter2(0.02);
        deflection->Set_Parameter3(-0.01);
        const TVector3 before = deflection->Calculate_Correction(TVector3(0, 500, 800));
        deflection->Set_Parameter4(123.0);
        QCOMPARE(deflection->Parameter4(), 123.0);
        const TVector3 after = deflection->Calculate_Correction(TVector3(0, 500, 800));
        QCOMPARE(after.y, before.y);
        QCOMPARE(after.z, before.z);
    }

    // LK does read it: with parameter 4 at 0 the angle vanishes and only ty is left.
    TLKDeflectionModel lk;
    lk.Set_Parameter1(0.00002);
    lk.Set_Parameter2(0.00003);
    lk.Set_Parameter3(1.5);
    const TVector3 no_angle = lk.Calculate_Correction(TVector3(0, 500, 800));
    QCOMPARE(no_angle.z, 0.0);
    QVERIFY(std::fabs(no_angle.y - 0.00024) <= 5e-15 * 0.00024);
}

void TTestDeflectionModels::LK_And_Renishaw_Ignore_Ranges()
{
    for (int model : {RENISHAW, LK}) {
        std::unique_ptr<TDeflectionModel> deflection = Make_Model(model);
        deflection->Set_Parameter1(0.00002);
        deflection->Set_Parameter2(0.003);
        deflection->Set_Parameter3(1.5);
        deflection->Set_Parameter4(0.00004);
        const TVector3 before = deflection->Calculate_Correction(TVector3(0, 500, 800));
        deflection->Set_Range_Y(2000);
        deflection->Set_Range_Z(37.5);
        const TVector3 after = deflection->Calculate_Correction(TVector3(0, 500, 800));
        QCOMPARE(after.y, before.y);
        QCOMPARE(after.z, before.z);
    }

    // The generic model does: doubling the Y range halves every term here.
    TGenericDeflectionModel generic;
    generic.Set_Parameter2(0.02);
    const double before = generic.Translation_Y(0.5, 0.8);
    generic.Set_Range_Y(2000);
    QCOMPARE(generic.Translation_Y(0.5, 0.8), before / 2);
}

void TTestDeflectionModels::Generic_Far_Corner()
{
    TGenericDeflectionModel generic;
    generic.Set_Parameter2(0.02);
    generic.Set_Parameter3(-0.01);
    generic.Set_Range_Y(1500);
    generic.Set_Range_Z(800);
    const TVector3 corner = generic.Calculate_Correction(TVector3(0, 1500, 800));
    QCOMPARE(corner.y, -0.02);
    QCOMPARE(corner.z, -0.01);

    generic.Set_Parameter1(0.05);
    for (const TVector3 &on_axis : {TVector3(0, 0, 800), TVector3(0, 700, 0)}) {
        const TVector3 correction = generic.Calculate_Correction(on_axis);
        QCOMPARE(correction.y, 0.0);
        QCOMPARE(correction.z, 0.0);
    }
}

void TTestDeflectionModels::Non_Finite_Parameters_Pass_Through()
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (int model : {GENERIC, RENISHAW, LK}) {
        for (double value : {inf, -inf, nan}) {
            std::unique_ptr<TDeflectionModel> deflection = Make_Model(model);
            deflection->Set_Parameter1(value);
            deflection->Set_Parameter2(value);
            deflection->Set_Parameter3(value);
            deflection->Set_Parameter4(value);
            QCOMPARE(deflection->Parameter1(), value);
            const TVector3 correction = deflection->Calculate_Correction(TVector3(0, 500, 800));
            QCOMPARE(correction.x, 0.0);
            QVERIFY(!std::isfinite(correction.y) || !std::isfinite(correction.z));
        }
    }
}

QTEST_APPLESS_MAIN(TTestDeflectionModels)
#include "tst_deflectionmodels.moc"
