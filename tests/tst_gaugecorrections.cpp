// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "gaugecorrections.h"
#include "genericdeflectionmodel.h"
#include "lkdeflectionmodel.h"

namespace
{
// A model that counts how often it is asked, to tell a correction worked out from one kept.
template<class TModel>
class TCounted : public TModel
{
public:
    TVector3 Calculate_Correction(const TVector3 &position) const override
    {
        ++calls;
        return TModel::Calculate_Correction(position);
    }
    mutable int calls = 0;
};

template<class TModel>
void Set_Up(TModel *model)
{
    model->Set_Range_Y(1200);
    model->Set_Range_Z(900);
    model->Set_Parameter1(-0.05);
    model->Set_Parameter2(-0.01);
    model->Set_Parameter3(-0.01);
    model->Set_Parameter4(0.0);
}

struct TGauge {
    TVector3 end1;
    TVector3 end2;
};

// Long gauges along Y, Z and both diagonals, as a length test lays them.
std::vector<TGauge> Length_Test_Gauges()
{
    return {{TVector3(0, 100, 450), TVector3(0, 1100, 450)},
            {TVector3(0, 600, 50), TVector3(0, 600, 850)},
            {TVector3(0, 150, 100), TVector3(0, 1050, 800)},
            {TVector3(0, 150, 800), TVector3(0, 1050, 100)},
            {TVector3(0, 0, 0), TVector3(0, 1200, 900)},
            {TVector3(0, 333.3, 12.5), TVector3(0, 987.6, 876.5)}};
}

quint64 Bits(const double &value)
{
    quint64 bits = 0;
    std::memcpy(&bits, &value, sizeof value);
    return bits;
}

bool Same_Bits(const TVector3 &a, const TVector3 &b)
{
    return Bits(a.x) == Bits(b.x) && Bits(a.y) == Bits(b.y) && Bits(a.z) == Bits(b.z);
}

enum TChange {
    NOTHING,
    ANOTHER_OBJECT,
    PARAMETER,
    SIGN_OF_ZERO,
    RANGE,
    ANOTHER_KIND,
    END_MOVED,
    END_X_MOVED,
    REMOVED_FROM_THE_MIDDLE,
    APPENDED,
    PAST_THE_COUNT,
    NOT_A_NUMBER
};
} // namespace

Q_DECLARE_METATYPE(TChange)

// Whoever asks, under whichever model, gets what the model says, to the bit; only what was
// worked out for the very same model values and ends is given out again.
class TTestGaugeCorrections : public QObject
{
    Q_OBJECT

private slots:
    void Same_As_The_Model_data();
    void Same_As_The_Model();
};

void TTestGaugeCorrections::Same_As_The_Model_data()
{
    QTest::addColumn<TChange>("change");
    QTest::addColumn<int>("worked_out"); // corrections worked out when asked again

    QTest::newRow("nothing changed") << NOTHING << 0;
    QTest::newRow("another model with the same values") << ANOTHER_OBJECT << 0;
    QTest::newRow("a parameter") << PARAMETER << 12;
    QTest::newRow("the sign of a zero parameter") << SIGN_OF_ZERO << 12;
    QTest::newRow("a range") << RANGE << 12;
    QTest::newRow("another kind with the same values") << ANOTHER_KIND << 12;
    QTest::newRow("one end moved") << END_MOVED << 2;
    QTest::newRow("an end's X, which no model reads") << END_X_MOVED << 0;
    QTest::newRow("a gauge removed from the middle") << REMOVED_FROM_THE_MIDDLE << 6;
    QTest::newRow("a gauge appended") << APPENDED << 2;
    QTest::newRow("asked past the count") << PAST_THE_COUNT << 6;
    QTest::newRow("an end not a number") << NOT_A_NUMBER << 0;
}

void TTestGaugeCorrections::Same_As_The_Model()
{
    QFETCH(TChange, change);
    QFETCH(int, worked_out);

    TCounted<TGenericDeflectionModel> first;
    TCounted<TGenericDeflectionModel> same;
    TCounted<TLKDeflectionModel> other_kind;
    for (TDeflectionModel *model :
         std::initializer_list<TDeflectionModel *>{&first, &same, &other_kind}) {
        Set_Up(model);
    }
    std::vector<TGauge> gauges = Length_Test_Gauges();
    if (change == NOT_A_NUMBER) {
        gauges[3].end2.z = std::numeric_limits<double>::quiet_NaN();
    }
    TGaugeCorrections corrections;
    const auto ask = [&corrections](const TDeflectionModel &model, const std::vector<TGauge> &asked,
                                    size_t count) {
        corrections.Use(model, count);
        for (size_t i = 0; i < asked.size(); ++i) {
            TVector3 correction1;
            TVector3 correction2;
            corrections.At(i, asked[i].end1, asked[i].end2, &correction1, &correction2);
            if (!Same_Bits(correction1, model.Calculate_Correction(asked[i].end1)) ||
                !Same_Bits(correction2, model.Calculate_Correction(asked[i].end2))) {
                return false;
            }
        }
        return true;
    };
    QVERIFY(ask(first, gauges, gauges.size()));

    const TDeflectionModel *model = &first;
    size_t count = gauges.size();
    switch (change) {
    case ANOTHER_OBJECT:
        model = &same;
        break;
    case PARAMETER:
        first.Set_Parameter1(-0.0501);
        break;
    case SIGN_OF_ZERO:
        first.Set_Parameter4(-0.0);
        break;
    case RANGE:
        first.Set_Range_Z(901);
        break;
    case ANOTHER_KIND:
        model = &other_kind;
        break;
    case END_MOVED:
        gauges[2].end1.y += 1e-9;
        break;
    case END_X_MOVED:
        gauges[2].end1.x = 250.0;
        break;
    case REMOVED_FROM_THE_MIDDLE:
        gauges.erase(gauges.begin() + 2);
        count = gauges.size();
        break;
    case APPENDED:
        gauges.push_back({TVector3(0, 10, 20), TVector3(0, 1190, 880)});
        count = gauges.size();
        break;
    case PAST_THE_COUNT:
        count = 3;
        break;
    default:
        break;
    }
    const int before = first.calls + same.calls + other_kind.calls;
    // Each ask checks itself against the model, so every correction counts twice over.
    const int checks = 2 * int(gauges.size());
    QVERIFY(ask(*model, gauges, count));
    QCOMPARE(first.calls + same.calls + other_kind.calls - before - checks, worked_out);
    // Asked once more, nothing is worked out but what is not kept.
    const int again = first.calls + same.calls + other_kind.calls;
    QVERIFY(ask(*model, gauges, count));
    QCOMPARE(first.calls + same.calls + other_kind.calls - again - checks,
             change == PAST_THE_COUNT ? worked_out : 0);
}

QTEST_APPLESS_MAIN(TTestGaugeCorrections)
#include "tst_gaugecorrections.moc"
