// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>

#include "vector2.h"
#include "vector3.h"

Q_DECLARE_METATYPE(TVector2)
Q_DECLARE_METATYPE(TVector3)

class TTestVectors : public QObject
{
    Q_OBJECT

private slots:
    void Defaults_And_Components();
    void Normal_data();
    void Normal();
    void Dot_And_Cross_data();
    void Dot_And_Cross();
    void Scalar_Operators();
    void Point_In_Triangle_data();
    void Point_In_Triangle();
};

void TTestVectors::Defaults_And_Components()
{
    const TVector2 v2;
    const TVector3 v3;
    QCOMPARE(v2.x, 0.0);
    QCOMPARE(v2.y, 0.0);
    QCOMPARE(v3.x, 0.0);
    QCOMPARE(v3.y, 0.0);
    QCOMPARE(v3.z, 0.0);

    TVector3 v(1, 2, 3);
    QCOMPARE(v(0), 1.0);
    QCOMPARE(v(1), 2.0);
    QCOMPARE(v(2), 3.0);
    v(2) = 7.5;
    QCOMPARE(v.z, 7.5);

    TVector2 w(4, 5);
    w(0) = -1;
    QCOMPARE(w(0), -1.0);
    QCOMPARE(w(1), 5.0);

    const TVector3 copy(v);
    QCOMPARE(copy.z, 7.5);
}

void TTestVectors::Normal_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("z");
    QTest::addColumn<double>("expected_x");
    QTest::addColumn<double>("expected_y");
    QTest::addColumn<double>("expected_z");
    QTest::newRow("3-4 in the plane") << 0.0 << 3.0 << 4.0 << 0.0 << 0.6 << 0.8;
    QTest::newRow("along z") << 0.0 << 0.0 << 2.0 << 0.0 << 0.0 << 1.0;
    QTest::newRow("negative y") << 0.0 << -2.0 << 0.0 << 0.0 << -1.0 << 0.0;
}

void TTestVectors::Normal()
{
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(double, z);
    QFETCH(double, expected_x);
    QFETCH(double, expected_y);
    QFETCH(double, expected_z);

    TVector3 v(x, y, z);
    TVector3 &result = v.Normal();
    QCOMPARE(&result, &v);
    QCOMPARE(v.x, expected_x);
    QCOMPARE(v.y, expected_y);
    QCOMPARE(v.z, expected_z);

    TVector2 v2(y, z);
    TVector2 &result2 = v2.Normal();
    QCOMPARE(&result2, &v2);
    QCOMPARE(v2.x, expected_y);
    QCOMPARE(v2.y, expected_z);
}

void TTestVectors::Dot_And_Cross_data()
{
    QTest::addColumn<TVector3>("v");
    QTest::addColumn<TVector3>("w");
    QTest::addColumn<double>("dot");
    QTest::addColumn<TVector3>("cross");
    QTest::newRow("general") << TVector3(1, 2, 3) << TVector3(4, 5, 6) << 32.0
                             << TVector3(-3, 6, -3);
    QTest::newRow("x cross y") << TVector3(1, 0, 0) << TVector3(0, 1, 0) << 0.0
                               << TVector3(0, 0, 1);
    QTest::newRow("y cross x") << TVector3(0, 1, 0) << TVector3(1, 0, 0) << 0.0
                               << TVector3(0, 0, -1);
}

void TTestVectors::Dot_And_Cross()
{
    QFETCH(TVector3, v);
    QFETCH(TVector3, w);
    QFETCH(double, dot);
    QFETCH(TVector3, cross);

    QCOMPARE(v ^ w, dot);
    const TVector3 product = v * w;
    QCOMPARE(product.x, cross.x);
    QCOMPARE(product.y, cross.y);
    QCOMPARE(product.z, cross.z);

    TVector3 in_place(v);
    TVector3 &result = (in_place *= w);
    QCOMPARE(&result, &in_place);
    QCOMPARE(in_place.x, cross.x);
    QCOMPARE(in_place.y, cross.y);
    QCOMPARE(in_place.z, cross.z);

    QCOMPARE(TVector2(1, 2) ^ TVector2(3, 4), 11.0);
}

void TTestVectors::Scalar_Operators()
{
    const TVector2 a(1, 2);
    QCOMPARE((a + 10.0).x, 11.0);
    QCOMPARE((a + 10.0).y, 12.0);
    QCOMPARE((10.0 + a).x, 11.0);
    QCOMPARE((10.0 + a).y, 12.0);
    QCOMPARE((a - 10.0).x, -9.0);
    QCOMPARE((a - 10.0).y, -8.0);
    QCOMPARE((10.0 - a).x, 9.0);
    QCOMPARE((10.0 - a).y, 8.0);
    QCOMPARE((TVector2(2, 4) / 2.0).x, 1.0);
    QCOMPARE((TVector2(2, 4) / 2.0).y, 2.0);
    QCOMPARE((a * 3.0).y, 6.0);
    QCOMPARE((3.0 * a).x, 3.0);
    QCOMPARE((a + TVector2(1, 1)).y, 3.0);
    QCOMPARE((a - TVector2(1, 1)).x, 0.0);

    const TVector3 b(1, 2, 3);
    for (const TVector3 &doubled : {2.0 * b, b * 2.0}) {
        QCOMPARE(doubled.x, 2.0);
        QCOMPARE(doubled.y, 4.0);
        QCOMPARE(doubled.z, 6.0);
    }
    QCOMPARE((b + 1.0).z, 4.0);
    QCOMPARE((1.0 + b).x, 2.0);
    QCOMPARE((b - 1.0).y, 1.0);
    QCOMPARE((10.0 - b).z, 7.0);
    QCOMPARE((b / 4.0).z, 0.75);
    QCOMPARE((b - TVector3(1, 1, 1)).z, 2.0);

    TVector3 c(3, 6, 9);
    TVector3 &result = (c /= 3.0);
    QCOMPARE(&result, &c);
    QCOMPARE(c.y, 2.0);
}

void TTestVectors::Point_In_Triangle_data()
{
    QTest::addColumn<TVector2>("point");
    QTest::addColumn<bool>("inside");
    QTest::newRow("interior") << TVector2(0.25, 0.25) << true;
    QTest::newRow("on edge b-c") << TVector2(0.5, 0.5) << true;
    QTest::newRow("on edge a-b") << TVector2(0.5, 0) << false;
    QTest::newRow("on edge a-c") << TVector2(0, 0.5) << false;
    QTest::newRow("corner a") << TVector2(0, 0) << false;
    QTest::newRow("corner b") << TVector2(1, 0) << false;
    QTest::newRow("corner c") << TVector2(0, 1) << false;
    QTest::newRow("far outside") << TVector2(2, 2) << false;
    QTest::newRow("just beyond b-c") << TVector2(0.5, 0.5000001) << false;
    QTest::newRow("negative side") << TVector2(-0.1, 0.5) << false;
}

void TTestVectors::Point_In_Triangle()
{
    QFETCH(TVector2, point);
    QFETCH(bool, inside);

    const TVector2 a(0, 0);
    const TVector2 b(1, 0);
    const TVector2 c(0, 1);
    QCOMPARE(TVector2::Is_Point_In_Triangle(point, a, b, c), inside);
    QCOMPARE(TVector2::Is_Point_In_Triangle(point, a, c, b), inside);

    // A degenerate triangle holds nothing.
    QVERIFY(!TVector2::Is_Point_In_Triangle(point, a, b, TVector2(2, 0)));
}

QTEST_APPLESS_MAIN(TTestVectors)
#include "tst_vectors.moc"
