// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>
#include <vector>

#include "measurementchange.h"

using TRecords = TMeasurementChange::TRecords;
Q_DECLARE_METATYPE(TRecords)

// The difference between two lists of measurements, as the undo stack keeps it.
class TTestMeasurementChange : public QObject
{
    Q_OBJECT

private slots:
    void Undo_And_Redo_Give_Back_Each_List_data();
    void Undo_And_Redo_Give_Back_Each_List();
    void Merge_data();
    void Merge();
};

namespace
{
// Records with these ids; the nominal length tells versions of one record apart.
TRecords Records(const std::vector<int> &ids, const double &length = 100.0)
{
    TRecords records;
    for (const int id : ids) {
        records.push_back({id, TVector3(0, id, 0), TVector3(0, 0, 1), length});
    }
    return records;
}

TRecords Edited(TRecords records, size_t position, const double &length)
{
    records[position].nominal_length = length;
    return records;
}
} // namespace

void TTestMeasurementChange::Undo_And_Redo_Give_Back_Each_List_data()
{
    QTest::addColumn<TRecords>("before");
    QTest::addColumn<TRecords>("after");
    QTest::addColumn<int>("kept");
    QTest::addColumn<bool>("in_place");
    const TRecords five = Records({1, 2, 3, 4, 5});
    QTest::newRow("nothing") << five << five << 0 << true;
    QTest::newRow("edit in the middle") << five << Edited(five, 2, 7.0) << 1 << true;
    QTest::newRow("edit of the last") << five << Edited(five, 4, 7.0) << 1 << true;
    QTest::newRow("added at the end") << five << Records({1, 2, 3, 4, 5, 6}) << 0 << false;
    QTest::newRow("removed scattered") << five << Records({1, 3, 5}) << 3 << false;
    QTest::newRow("removed all") << five << TRecords() << 5 << false;
    QTest::newRow("from empty") << TRecords() << five << 0 << false;
    QTest::newRow("replaced") << five << Records({1, 2, 3, 4, 5}, 9.0) << 5 << true;
    QTest::newRow("same ids, other order") << five << Records({1, 4, 3, 2, 5}) << 3 << false;
}

// Only the records between the common head and tail are kept, and both directions give back
// the lists exactly.
void TTestMeasurementChange::Undo_And_Redo_Give_Back_Each_List()
{
    QFETCH(TRecords, before);
    QFETCH(TRecords, after);
    QFETCH(int, kept);
    QFETCH(bool, in_place);
    const TMeasurementChange change = TMeasurementChange::Between(before, after);
    QCOMPARE(int(change.Removed().size()), kept);
    QCOMPARE(change.Is_In_Place(), in_place);
    QCOMPARE(change.Is_Empty(), before == after);
    TRecords list = before;
    change.Redo(&list);
    QVERIFY(list == after);
    change.Undo(&list);
    QVERIFY(list == before);
}

void TTestMeasurementChange::Merge_data()
{
    QTest::addColumn<TRecords>("first");
    QTest::addColumn<TRecords>("second");
    QTest::addColumn<TRecords>("third");
    QTest::addColumn<bool>("merges");
    const TRecords five = Records({1, 2, 3, 4, 5});
    QTest::newRow("typing into one record")
        << five << Edited(five, 2, 7.0) << Edited(five, 2, 8.0) << true;
    QTest::newRow("nothing, then an edit") << five << five << Edited(five, 1, 8.0) << true;
    QTest::newRow("another record")
        << five << Edited(five, 2, 7.0) << Edited(Edited(five, 2, 7.0), 3, 8.0) << false;
    QTest::newRow("edit, then a removal")
        << five << Edited(five, 2, 7.0) << Records({1, 2, 4, 5}) << false;
}

// A merged change goes from the first list to the third in one step; one that cannot merge
// stays as it was.
void TTestMeasurementChange::Merge()
{
    QFETCH(TRecords, first);
    QFETCH(TRecords, second);
    QFETCH(TRecords, third);
    QFETCH(bool, merges);
    TMeasurementChange change = TMeasurementChange::Between(first, second);
    const TMeasurementChange unmerged = change;
    QCOMPARE(change.Merge(TMeasurementChange::Between(second, third)), merges);
    TRecords list = first;
    change.Redo(&list);
    QVERIFY(list == (merges ? third : second));
    change.Undo(&list);
    QVERIFY(list == first);
    if (!merges) {
        QVERIFY(change.Removed() == unmerged.Removed());
        QVERIFY(change.Inserted() == unmerged.Inserted());
    }
}

QTEST_APPLESS_MAIN(TTestMeasurementChange)
#include "tst_measurementchange.moc"
