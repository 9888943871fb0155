// SPDX-License-Identifier: GPL-3.0-or-later
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <vector>

#include "measurementdata.h"
#include "testfiles.h"

using TMeasurement = TMeasurementData::TMeasurement;

// The in-memory store of measurements.
class TTestMeasurementData : public QObject
{
    Q_OBJECT

private slots:
    void Identifiers_Smallest_Free_First_data();
    void Identifiers_Smallest_Free_First();
    void New_Record_Defaults();
    void Records_That_Break_Invariants_Are_Ignored_data();
    void Records_That_Break_Invariants_Are_Ignored();
    void Update_Never_Adds();
    void Removal_Keeps_Order();
    void Lookup_Of_Absent_Identifier();
    void Removing_Many_Keeps_Order_And_Lookups_data();
    void Removing_Many_Keeps_Order_And_Lookups();
    void Unshared_Copy_Is_The_Same_Store_data();
    void Unshared_Copy_Is_The_Same_Store();
};

void TTestMeasurementData::Identifiers_Smallest_Free_First_data()
{
    QTest::addColumn<int>("adds");
    QTest::addColumn<QVector<int>>("removals");
    QTest::addColumn<int>("expected_next");
    QTest::addColumn<QVector<int>>("expected_ids");
    QTest::newRow("empty store") << 0 << QVector<int>{} << 1 << QVector<int>{1};
    QTest::newRow("three in a row") << 2 << QVector<int>{} << 3 << QVector<int>{1, 2, 3};
    QTest::newRow("middle freed") << 3 << QVector<int>{2} << 2 << QVector<int>{1, 3, 2};
    QTest::newRow("two freed, smallest first")
        << 4 << QVector<int>{3, 1} << 1 << QVector<int>{2, 4, 1};
    QTest::newRow("all freed") << 2 << QVector<int>{1, 2} << 1 << QVector<int>{1};
    QTest::newRow("one freed among many") << 500 << QVector<int>{250} << 250 << QVector<int>();
    QTest::newRow("freed below and above")
        << 6 << QVector<int>{5, 2} << 2 << QVector<int>{1, 3, 4, 6, 2};
}

void TTestMeasurementData::Identifiers_Smallest_Free_First()
{
    QFETCH(int, adds);
    QFETCH(QVector<int>, removals);
    QFETCH(int, expected_next);
    QFETCH(QVector<int>, expected_ids);

    TMeasurementData store;
    for (int i = 1; i <= adds; ++i) {
        QCOMPARE(store.Add_Measurement(), i);
    }
    for (int id : removals) {
        QVERIFY(store.Remove_Measurement(id));
    }
    QCOMPARE(store.Free_Id(), expected_next);
    QCOMPARE(store.Add_Measurement(), expected_next);
    const std::vector<int> ids = store.Get_Measurement_Ids();
    if (!expected_ids.isEmpty()) {
        QCOMPARE(QVector<int>(ids.begin(), ids.end()), expected_ids);
    }
    // The next one after that is the next free one, wherever the search left off.
    const int next = store.Add_Measurement();
    QVERIFY(next > 0);
    for (int id = 1; id < next; ++id) {
        QVERIFY(store.Measurement_Id_Exists(id));
    }
}

void TTestMeasurementData::New_Record_Defaults()
{
    TMeasurementData store;
    QVERIFY(store.Last_Error().isEmpty());
    const int id = store.Add_Measurement();
    TMeasurement record{};
    QVERIFY(store.Get_Measurement(id, &record));
    QCOMPARE(record.id, id);
    QCOMPARE(record.position.x, 0.0);
    QCOMPARE(record.position.y, 0.0);
    QCOMPARE(record.position.z, 0.0);
    QCOMPARE(record.axis.x, 0.0);
    QCOMPARE(record.axis.y, 0.0);
    QCOMPARE(record.axis.z, 1.0);
    QCOMPARE(record.nominal_length, 1000.0);
}

void TTestMeasurementData::Records_That_Break_Invariants_Are_Ignored_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<bool>("added");
    QTest::newRow("zero") << 0 << false;
    QTest::newRow("negative") << -5 << false;
    QTest::newRow("already present") << 1 << false;
    QTest::newRow("new and positive") << 7 << true;
}

void TTestMeasurementData::Records_That_Break_Invariants_Are_Ignored()
{
    QFETCH(int, id);
    QFETCH(bool, added);

    TMeasurementData store;
    store.Add_Measurement(TMeasurement{1, TVector3(0, 1, 2), TVector3(0, 1, 0), 250.0});
    store.Add_Measurement(TMeasurement{id, TVector3(0, 9, 9), TVector3(0, 0, 1), 9.0});

    QCOMPARE(store.Get_Measurement_Ids().size(), size_t(added ? 2 : 1));
    TMeasurement first{};
    QVERIFY(store.Get_Measurement(1, &first));
    QCOMPARE(first.position.y, 1.0);
    QCOMPARE(first.nominal_length, 250.0);
    QCOMPARE(store.Measurement_Id_Exists(id), added || id == 1);
    // A record added with its own identifier does not disturb the choice of the next one.
    QCOMPARE(store.Add_Measurement(), 2);
}

void TTestMeasurementData::Update_Never_Adds()
{
    TMeasurementData store;
    store.Add_Measurement();
    store.Add_Measurement();
    QVERIFY(!store.Update_Measurement(TMeasurement{5, TVector3(), TVector3(0, 1, 0), 3.0}));
    QCOMPARE(store.Get_Measurement_Ids(), (std::vector<int>{1, 2}));

    QVERIFY(store.Update_Measurement(TMeasurement{1, TVector3(0, 5, 6), TVector3(0, 1, 0), 3.0}));
    QCOMPARE(store.Get_Measurement_Ids(), (std::vector<int>{1, 2}));
    TMeasurement record{};
    QVERIFY(store.Get_Measurement(1, &record));
    QCOMPARE(record.position.z, 6.0);
    QCOMPARE(record.axis.y, 1.0);
    QCOMPARE(record.nominal_length, 3.0);
}

void TTestMeasurementData::Removal_Keeps_Order()
{
    TMeasurementData store;
    for (int i = 0; i < 5; ++i) {
        store.Add_Measurement();
    }
    QVERIFY(store.Remove_Measurement(3));
    QVERIFY(!store.Remove_Measurement(3));
    QCOMPARE(store.Get_Measurement_Ids(), (std::vector<int>{1, 2, 4, 5}));
    QVERIFY(store.Remove_Measurement(1));
    QCOMPARE(store.Get_Measurement_Ids(), (std::vector<int>{2, 4, 5}));

    for (int id : {2, 4, 5}) {
        QVERIFY(store.Remove_Measurement(id));
    }
    QVERIFY(store.Get_Measurement_Ids().empty());

    store.Add_Measurement();
    store.Clear_Measurements();
    QVERIFY(store.Get_Measurement_Ids().empty());
    QVERIFY(!store.Measurement_Id_Exists(1));
}

void TTestMeasurementData::Lookup_Of_Absent_Identifier()
{
    TMeasurementData store;
    store.Add_Measurement();
    TMeasurement untouched{42, TVector3(1, 2, 3), TVector3(0, 1, 0), 77.0};
    QVERIFY(!store.Get_Measurement(2, &untouched));
    QCOMPARE(untouched.id, 42);
    QCOMPARE(untouched.position.z, 3.0);
    QCOMPARE(untouched.nominal_length, 77.0);
}

void TTestMeasurementData::Removing_Many_Keeps_Order_And_Lookups_data()
{
    QTest::addColumn<std::vector<int>>("removed");
    QTest::addColumn<std::vector<int>>("kept");
    QTest::addColumn<int>("next_id");
    QTest::newRow("scattered") << std::vector<int>{2, 5, 7} << std::vector<int>{1, 3, 4, 6, 8} << 2;
    QTest::newRow("first") << std::vector<int>{1} << std::vector<int>{2, 3, 4, 5, 6, 7, 8} << 1;
    QTest::newRow("unknown ids skipped")
        << std::vector<int>{9, 8, 0} << std::vector<int>{1, 2, 3, 4, 5, 6, 7} << 8;
    QTest::newRow("all") << std::vector<int>{8, 7, 6, 5, 4, 3, 2, 1} << std::vector<int>{} << 1;
}

// After a removal every record behind it moved: updates and lookups must still find the
// right one, and a new record takes the smallest free id.
void TTestMeasurementData::Removing_Many_Keeps_Order_And_Lookups()
{
    QFETCH(std::vector<int>, removed);
    QFETCH(std::vector<int>, kept);
    TMeasurementData store;
    for (int i = 0; i < 8; ++i) {
        store.Add_Measurement();
    }
    store.Remove_Measurements(removed);
    QCOMPARE(store.Get_Measurement_Ids(), kept);
    for (const int id : kept) {
        QVERIFY(store.Update_Measurement(
            TMeasurement{id, TVector3(0, id, 0), TVector3(0, 0, 1), 1.0 * id}));
    }
    for (const int id : kept) {
        TMeasurement found{};
        QVERIFY(store.Get_Measurement(id, &found));
        QCOMPARE(found.nominal_length, 1.0 * id);
        QCOMPARE(found.position.y, 1.0 * id);
    }
    QFETCH(int, next_id);
    QCOMPARE(store.Add_Measurement(), next_id);

    // Set_Measurements rebuilds the same store from its records.
    TMeasurementData copy;
    copy.Set_Measurements(store.Measurements());
    QCOMPARE(copy.Get_Measurement_Ids(), store.Get_Measurement_Ids());
    QVERIFY(copy.Measurements() == store.Measurements());
}

void TTestMeasurementData::Unshared_Copy_Is_The_Same_Store_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("removed");
    QTest::addColumn<int>("notes");
    QTest::newRow("read completely") << two_records << 0 << 0;
    QTest::newRow("read, then one removed") << two_records << 2 << 0;
    QTest::newRow("a number that is none")
        << QByteArray(two_records).replace("<Nominal_Length>500", "<Nominal_Length>x500") << 0 << 1;
    QTest::newRow("an id twice, left out")
        << QByteArray(two_records).replace("<Id>2</Id>", "<Id>1</Id>") << 0 << 1;
    QTest::newRow("not read at all") << QByteArray("<Curvalo_Measurement_Data") << 0 << 0;
}

void TTestMeasurementData::Unshared_Copy_Is_The_Same_Store()
{
    // The window takes the store read on another thread as such a copy, and that thread then
    // frees the original: everything must come across, and nothing may stay shared.
    QFETCH(QByteArray, file);
    QFETCH(int, removed);
    QFETCH(int, notes);
    QTemporaryDir directory;
    Write(directory.filePath("measurements.xml"), file);
    auto original = std::make_unique<TMeasurementData>();
    const bool loaded = original->Load_Data(directory.filePath("measurements.xml"));
    QCOMPARE(loaded, !file.endsWith("Data"));
    if (removed) {
        QVERIFY(original->Remove_Measurement(removed));
    }
    const std::vector<TMeasurement> records = original->Measurements();
    const quint64 revision = original->Revision();
    const QString error = original->Last_Error();
    const QStringList load_notes = original->Load_Notes();
    QCOMPARE(load_notes.size(), notes);
    const int dropped = original->Dropped_Records();

    const TMeasurementData copy = original->Unshared_Copy();
    QVERIFY(copy.Snapshot() != original->Snapshot());
    QCOMPARE(copy.Last_Error().isEmpty() ||
                 copy.Last_Error().constData() != original->Last_Error().constData(),
             true);
    for (int i = 0; i < notes; ++i) {
        QVERIFY(copy.Load_Notes().at(i).constData() != original->Load_Notes().at(i).constData());
    }
    const int free_id = original->Free_Id();
    original.reset();

    QVERIFY(copy.Measurements() == records);
    QCOMPARE(copy.Revision(), revision);
    QCOMPARE(copy.Last_Error(), error);
    QCOMPARE(copy.Load_Notes(), load_notes);
    QCOMPARE(copy.Free_Id(), free_id);
    QCOMPARE(copy.Dropped_Records(), dropped);
    for (size_t position = 0; position < records.size(); ++position) {
        QCOMPARE(copy.Position_Of(records[position].id), position);
    }
}

QTEST_APPLESS_MAIN(TTestMeasurementData)
#include "tst_measurementdata.moc"
