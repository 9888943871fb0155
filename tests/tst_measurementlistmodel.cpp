// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>
#include <vector>

#include "measurementchange.h"
#include "measurementlistmodel.h"
#include "testdocument.h"

class TTestMeasurementListModel : public QObject
{
    Q_OBJECT

private slots:
    void Rows_Follow_The_Document_data();
    void Rows_Follow_The_Document();

private:
    static TMeasurementData::TMeasurement Record(int id);
    // Carries out one step, written as a word and the ids it concerns (see the table).
    static void Do(TTestDocument *document, const QString &step);
};

TMeasurementData::TMeasurement TTestMeasurementListModel::Record(int id)
{
    return TMeasurementData::TMeasurement{id, TVector3(0, 10.0 * id, 20.0), TVector3(0, 0, 1),
                                          100.0};
}

void TTestMeasurementListModel::Do(TTestDocument *document, const QString &step)
{
    QStringList words = step.split(QLatin1Char(' '));
    const QString verb = words.takeFirst();
    std::vector<int> ids;
    for (const QString &word : words) {
        ids.push_back(word.toInt());
    }
    std::vector<TMeasurementData::TMeasurement> records;
    for (const int id : ids) {
        records.push_back(Record(id));
    }
    if (verb == "add") {
        for (const auto &record : records) {
            QVERIFY(document->Add_Measurement(record));
        }
    } else if (verb == "remove") {
        document->Remove_Measurements(ids);
    } else if (verb == "insert") {
        // The first number is the position every record is put at, one after the other.
        std::vector<std::pair<size_t, TMeasurementData::TMeasurement>> placed;
        for (size_t i = 1; i < records.size(); ++i) {
            placed.emplace_back(size_t(ids.front()) + i - 1, records[i]);
        }
        document->Insert_Measurements(placed);
    } else if (verb == "list") {
        document->Set_Measurements(records);
    } else if (verb == "undo-remove" || verb == "redo-remove") {
        // Removes the ids through a step, then takes the step back and, for redo, again.
        const auto before = document->Measurements();
        auto after = before;
        after.erase(std::remove_if(after.begin(), after.end(),
                                   [&ids](const TMeasurementData::TMeasurement &record) {
                                       return std::find(ids.begin(), ids.end(), record.id) !=
                                              ids.end();
                                   }),
                    after.end());
        const TMeasurementChange change = TMeasurementChange::Between(before, after);
        document->Apply_Change(change, false);
        document->Apply_Change(change, true);
        if (verb == "redo-remove") {
            document->Apply_Change(change, false);
        }
    } else if (verb == "edit") {
        for (auto record : records) {
            record.nominal_length = 250.0;
            QVERIFY(document->Update_Measurement(record));
        }
    } else {
        QFAIL(qPrintable("no such step: " + step));
    }
}

void TTestMeasurementListModel::Rows_Follow_The_Document_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("resets");

    // Every row starts from the measurements 4, 2, 9, 1, 6, in that order. A step that
    // rewrites records between others (2 and 1 removed take 9 with them) resets the list.
    QTest::newRow("nothing") << QStringList() << 0;
    QTest::newRow("added") << QStringList{"add 3", "add 5 7"} << 0;
    QTest::newRow("removed last") << QStringList{"remove 6"} << 0;
    QTest::newRow("removed first") << QStringList{"remove 4"} << 0;
    QTest::newRow("removed in the middle") << QStringList{"remove 9"} << 0;
    QTest::newRow("removed several") << QStringList{"remove 2 1", "remove 6 4"} << 0;
    QTest::newRow("removed all") << QStringList{"remove 4 2 9 1 6", "add 2"} << 0;
    QTest::newRow("an id that is not there") << QStringList{"remove 5"} << 0;
    QTest::newRow("edited") << QStringList{"edit 9 4"} << 0;
    QTest::newRow("put back at the end") << QStringList{"insert 5 8 3"} << 0;
    QTest::newRow("put back in the middle") << QStringList{"insert 1 8 3"} << 1;
    QTest::newRow("undo of a removal") << QStringList{"undo-remove 2 1"} << 2;
    QTest::newRow("undo of removing the last") << QStringList{"undo-remove 6"} << 0;
    QTest::newRow("redo of a removal") << QStringList{"redo-remove 9 1"} << 1;
    QTest::newRow("a new list") << QStringList{"list 7 3", "add 1", "remove 7"} << 1;
    QTest::newRow("an empty list") << QStringList{"list", "add 5"} << 1;
}

void TTestMeasurementListModel::Rows_Follow_The_Document()
{
    QFETCH(QStringList, steps);
    QFETCH(int, resets);

    TTestDocument document;
    document.Set_Measurements({Record(4), Record(2), Record(9), Record(1), Record(6)});
    TMeasurementListModel model(&document);
    // Fails the test on any row the model reports out of turn with what it holds.
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    for (const QString &step : steps) {
        Do(&document, step);
        if (QTest::currentTestFailed()) {
            return;
        }
    }

    std::vector<int> listed;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QModelIndex index = model.index(row);
        listed.push_back(index.data(TMeasurementListModel::ID_ROLE).toInt());
        QCOMPARE(index.data().toString(), QString("Measurement %1").arg(listed.back()));
        QCOMPARE(model.Id_At_Row(row), listed.back());
        QCOMPARE(model.Row_Of_Id(listed.back()), row);
    }
    QCOMPARE(listed, document.Measurement_Data().Get_Measurement_Ids());
    for (const int gone : {2, 4, 5, 6, 9}) {
        if (std::find(listed.begin(), listed.end(), gone) == listed.end()) {
            QCOMPARE(model.Row_Of_Id(gone), -1);
        }
    }
    QCOMPARE(model.Id_At_Row(model.rowCount()), 0);
    QCOMPARE(model.Id_At_Row(-1), 0);
    // A measurement that comes or goes changes its row, not the whole list.
    QCOMPARE(reset.count(), resets);
}

QTEST_GUILESS_MAIN(TTestMeasurementListModel)
#include "tst_measurementlistmodel.moc"
