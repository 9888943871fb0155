// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>
#include <map>

#include "evaluation.h"
#include "repetitionindex.h"
#include "testconditions.h"

// The index regroups only around a change; after any sequence of changes every result must
// carry the range a fresh grouping of the same results gives it.
class TTestRepetitionIndex : public QObject
{
    Q_OBJECT

private slots:
    void Changes_Leave_The_Ranges_Of_A_Fresh_Grouping_data();
    void Changes_Leave_The_Ranges_Of_A_Fresh_Grouping();
};

namespace
{
// One of a few gauges, so that many results repeat one; offsets below and about the grouping
// tolerance (1e-9 mm) make groups that end or split where a neighbour joins or leaves.
TEvaluation::TResult Random_Result(QRandomGenerator *random, int id, int gauges,
                                   const double &offset)
{
    TEvaluation::TResult result{};
    const int gauge = int(random->bounded(gauges));
    result.id = id;
    result.nominal_length = 100.0 + 100.0 * (gauge % 3) + offset * random->bounded(4);
    // Three lengths at each position.
    const int place = gauge / 3;
    result.position = TVector3(0.0, 10.0 * place + offset * random->bounded(3), 0.0);
    result.axis = TVector3(0.0, 0.0, 1.0);
    result.has_measured_length = random->bounded(8) != 0;
    result.corrected_length = result.nominal_length + random->bounded(0.004);
    result.retest_of = random->bounded(10) == 0 ? 1 : 0;
    return result;
}

bool Same_Range(const TEvaluation::TResult &a, const TEvaluation::TResult &b)
{
    return a.has_range == b.has_range && a.repeatability_range == b.repeatability_range &&
           a.range_verdict == b.range_verdict && a.range_group == b.range_group;
}
} // namespace

void TTestRepetitionIndex::Changes_Leave_The_Ranges_Of_A_Fresh_Grouping_data()
{
    QTest::addColumn<int>("seed");
    QTest::addColumn<int>("gauges");
    QTest::addColumn<double>("offset");
    QTest::addColumn<bool>("has_r0");
    QTest::newRow("few gauges, repeated often") << 1 << 3 << 0.0 << true;
    QTest::newRow("many gauges, few repetitions") << 2 << 40 << 0.0 << false;
    QTest::newRow("lengths and positions apart within the tolerance") << 3 << 6 << 0.4e-9 << true;
    QTest::newRow("apart by about the tolerance, chains split") << 4 << 6 << 0.6e-9 << true;
    QTest::newRow("apart by more than the tolerance") << 5 << 6 << 2e-9 << false;
    QTest::newRow("a single gauge") << 6 << 1 << 0.6e-9 << true;
}

void TTestRepetitionIndex::Changes_Leave_The_Ranges_Of_A_Fresh_Grouping()
{
    QFETCH(int, seed);
    QFETCH(int, gauges);
    QFETCH(double, offset);
    QFETCH(bool, has_r0);
    TTestConditions conditions;
    conditions.has_r0 = has_r0;
    conditions.r0 = 2.0;
    QRandomGenerator random{quint32(seed)};

    std::map<int, TEvaluation::TResult> shown; // as the index's answers leave them
    std::vector<TEvaluation::TResult> start;
    start.reserve(30);
    int next_id = 1;
    for (int i = 0; i < 30; ++i) {
        start.push_back(Random_Result(&random, next_id++, gauges, offset));
    }
    TRepetitionIndex index;
    index.Reset(&start, conditions);
    for (const TEvaluation::TResult &result : start) {
        shown[result.id] = result;
    }
    const auto take = [&shown](const std::vector<TRepetitionIndex::TRange> &ranges) {
        for (const TRepetitionIndex::TRange &range : ranges) {
            QVERIFY2(shown.count(range.id), "a range for a result not held");
            TRepetitionIndex::Apply(range, &shown[range.id]);
        }
    };
    for (int step = 0; step < 400; ++step) {
        const int kind = int(random.bounded(3));
        auto victim = shown.begin();
        std::advance(victim, random.bounded(int(shown.size())));
        if (kind == 0 || shown.size() < 5) {
            const TEvaluation::TResult added = Random_Result(&random, next_id++, gauges, offset);
            shown[added.id] = added;
            take(index.Add(added));
        } else if (kind == 1) {
            const TEvaluation::TResult removed = victim->second;
            shown.erase(victim);
            take(index.Remove(removed));
        } else {
            // An edit: the result leaves as it was and comes back as it became.
            std::vector<TRepetitionIndex::TRange> ranges = index.Remove(victim->second);
            const TEvaluation::TResult edited =
                Random_Result(&random, victim->first, gauges, offset);
            shown[edited.id] = edited;
            const std::vector<TRepetitionIndex::TRange> joined = index.Add(edited);
            ranges.insert(ranges.end(), joined.begin(), joined.end());
            take(ranges);
        }
        std::vector<TEvaluation::TResult> fresh;
        fresh.reserve(shown.size());
        for (const auto &held : shown) {
            fresh.push_back(held.second);
        }
        TEvaluation::Set_Ranges(&fresh, conditions);
        for (const TEvaluation::TResult &expected : fresh) {
            if (!Same_Range(shown[expected.id], expected)) {
                QFAIL(qPrintable(QStringLiteral("step %1: result %2 has range %3 of group %4, "
                                                "a fresh grouping %5 of group %6")
                                     .arg(step)
                                     .arg(expected.id)
                                     .arg(shown[expected.id].repeatability_range)
                                     .arg(shown[expected.id].range_group)
                                     .arg(expected.repeatability_range)
                                     .arg(expected.range_group)));
            }
        }
    }
}

QTEST_GUILESS_MAIN(TTestRepetitionIndex)
#include "tst_repetitionindex.moc"
