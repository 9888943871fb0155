// SPDX-License-Identifier: GPL-3.0-or-later
#include <QSignalSpy>
#include <QtTest>
#include <memory>

#include "genericdeflectionmodel.h"
#include "measurementdata.h"
#include "resultsmodel.h"
#include "testdocument.h"

// The table of results as a view reads it: texts, sort values, the editable measured length.
class TTestResultsModel : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void Worked_Example_Texts_data();
    void Worked_Example_Texts();
    void Measured_Length_Edits_data();
    void Measured_Length_Edits();
    void Sort_Values_Put_Empty_Cells_First();
    void Follows_Model_And_Store();
    void Tab_Separated_Rows();
    void Ranges_Follow_Each_Change_data();
    void Ranges_Follow_Each_Change();
    void Long_List_Follows_As_Evaluated_Afresh_data();
    void Long_List_Follows_As_Evaluated_Afresh();

private:
    QString Text(int row, int column) const { return model->index(row, column).data().toString(); }

    std::unique_ptr<TGenericDeflectionModel> deflection;
    std::unique_ptr<TMeasurementData> data;
    std::unique_ptr<TResultsModel> model;
};

void TTestResultsModel::init()
{
    deflection = std::make_unique<TGenericDeflectionModel>();
    deflection->Set_Parameter1(-0.05);
    deflection->Set_Parameter2(-0.01);
    deflection->Set_Parameter3(-0.01);
    data = std::make_unique<TMeasurementData>();
    data->Add_Measurement(
        TMeasurementData::TMeasurement{4, TVector3(0, 500, 500), TVector3(0, 1, 0), 1000.0});
    TMeasurementData::TMeasurement measured{2, TVector3(0, 0, 0), TVector3(0, 0, 1), 100.0};
    measured.has_measured_length = true;
    measured.measured_length = 100.0031;
    data->Add_Measurement(measured);
    model = std::make_unique<TResultsModel>(data.get());
    model->Set_Deflection_Model(deflection.get());
    model->Set_Mpe(TMpe(1.5, 333.0));
    model->Refresh();
}

void TTestResultsModel::Worked_Example_Texts_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::newRow("id") << 0 << int(TResultsModel::COLUMN_ID) << "4";
    QTest::newRow("nominal") << 0 << int(TResultsModel::COLUMN_NOMINAL) << "1000.0000";
    QTest::newRow("position y") << 0 << int(TResultsModel::COLUMN_POSITION_Y) << "500.0000";
    QTest::newRow("axis y") << 0 << int(TResultsModel::COLUMN_AXIS_Y) << "1.000000";
    QTest::newRow("direction") << 0 << int(TResultsModel::COLUMN_DIRECTION) << "Y";
    QTest::newRow("actual") << 0 << int(TResultsModel::COLUMN_ACTUAL) << "999.9825";
    QTest::newRow("error") << 0 << int(TResultsModel::COLUMN_ERROR) << "-17.50";
    QTest::newRow("not measured") << 0 << int(TResultsModel::COLUMN_MEASURED) << "";
    QTest::newRow("no residual") << 0 << int(TResultsModel::COLUMN_RESIDUAL) << "";
    QTest::newRow("mpe") << 0 << int(TResultsModel::COLUMN_MPE) << "4.50";
    QTest::newRow("verdict") << 0 << int(TResultsModel::COLUMN_VERDICT) << "fail";
    QTest::newRow("no measured verdict") << 0 << int(TResultsModel::COLUMN_MEASURED_VERDICT) << "";
    QTest::newRow("Z direction") << 1 << int(TResultsModel::COLUMN_DIRECTION) << "Z";
    QTest::newRow("on Y = 0 no error") << 1 << int(TResultsModel::COLUMN_ERROR) << "0.00";
    QTest::newRow("measured") << 1 << int(TResultsModel::COLUMN_MEASURED) << "100.0031";
    QTest::newRow("measured error") << 1 << int(TResultsModel::COLUMN_MEASURED_ERROR) << "3.10";
    QTest::newRow("residual") << 1 << int(TResultsModel::COLUMN_RESIDUAL) << "3.10";
    // MPE(100) = 1.5 + 100 / 333 = 1.80 µm
    QTest::newRow("measured fails") << 1 << int(TResultsModel::COLUMN_MEASURED_VERDICT) << "fail";
    QTest::newRow("simulated passes") << 1 << int(TResultsModel::COLUMN_VERDICT) << "pass";
}

void TTestResultsModel::Worked_Example_Texts()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, text);
    QCOMPARE(Text(row, column), text);
    // Row 0 fails only as simulated, row 1 as measured: only the machine's own failure tints
    // the row; the model's alone gets the lighter mark.
    QCOMPARE(model->index(row, column).data(TResultsModel::FAILED_ROLE).toBool(), row == 1);
    QCOMPARE(model->index(row, column).data(TResultsModel::SIMULATED_FAILED_ROLE).toBool(),
             row == 0);
}

void TTestResultsModel::Measured_Length_Edits_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<bool>("has_length");
    QTest::addColumn<double>("length");
    QTest::newRow("a length") << "999.9861" << true << true << 999.9861;
    QTest::newRow("blanks around") << " 1000.002 " << true << true << 1000.002;
    QTest::newRow("cleared") << "" << true << false << 0.0;
    QTest::newRow("letters") << "abc" << false << false << 0.0;
    QTest::newRow("not finite") << "inf" << false << false << 0.0;
    QTest::newRow("nan") << "nan" << false << false << 0.0;
}

void TTestResultsModel::Measured_Length_Edits()
{
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(bool, has_length);
    QFETCH(double, length);
    QSignalSpy edited(model.get(), &TResultsModel::Measured_Length_Edited);
    const QModelIndex cell = model->index(0, TResultsModel::COLUMN_MEASURED);
    QVERIFY(model->flags(cell) & Qt::ItemIsEditable);
    QVERIFY(!(model->flags(model->index(0, TResultsModel::COLUMN_NOMINAL)) & Qt::ItemIsEditable));
    QCOMPARE(model->setData(cell, typed), accepted);
    QCOMPARE(edited.count(), accepted ? 1 : 0);

    TMeasurementData::TMeasurement stored;
    QVERIFY(data->Get_Measurement(4, &stored));
    QCOMPARE(stored.has_measured_length, has_length);
    if (has_length) {
        QCOMPARE(stored.measured_length, length);
        QCOMPARE(model->index(0, TResultsModel::COLUMN_MEASURED).data(Qt::EditRole).toString(),
                 typed.trimmed());
        QVERIFY(!Text(0, TResultsModel::COLUMN_RESIDUAL).isEmpty());
        QCOMPARE(model->Summary().measured_count, 2);
    }
}

void TTestResultsModel::Sort_Values_Put_Empty_Cells_First()
{
    const QVariant empty =
        model->index(0, TResultsModel::COLUMN_MEASURED).data(TResultsModel::SORT_ROLE);
    const QVariant value =
        model->index(1, TResultsModel::COLUMN_MEASURED).data(TResultsModel::SORT_ROLE);
    QVERIFY(empty.toDouble() < value.toDouble());
    // Numbers sort as numbers: 1000 after 100, though "1000.0000" < "100.0031" as text.
    QVERIFY(
        model->index(0, TResultsModel::COLUMN_NOMINAL).data(TResultsModel::SORT_ROLE).toDouble() >
        model->index(1, TResultsModel::COLUMN_NOMINAL).data(TResultsModel::SORT_ROLE).toDouble());
}

void TTestResultsModel::Follows_Model_And_Store()
{
    QSignalSpy changed(model.get(), &TResultsModel::Results_Changed);
    deflection->Set_Parameter1(0.0);
    deflection->Set_Parameter2(0.0);
    deflection->Set_Parameter3(0.0);
    model->Refresh();
    QCOMPARE(Text(0, TResultsModel::COLUMN_ACTUAL), QString("1000.0000"));
    QCOMPARE(Text(0, TResultsModel::COLUMN_VERDICT), QString("pass"));

    data->Remove_Measurement(4);
    model->Refresh();
    QCOMPARE(model->rowCount(), 1);
    QCOMPARE(model->Row_Of_Id(2), 0);
    QCOMPARE(model->Row_Of_Id(4), -1);
    QCOMPARE(changed.count(), 2);

    model->Set_Mpe(TMpe());
    model->Refresh();
    QCOMPARE(Text(0, TResultsModel::COLUMN_MPE), QString());
    QCOMPARE(Text(0, TResultsModel::COLUMN_MEASURED_VERDICT), QString());
}

void TTestResultsModel::Tab_Separated_Rows()
{
    const QString text = model->Tab_Separated({1});
    const QStringList lines = text.split('\n');
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines[0].startsWith("Id\tNominal (mm)\tPosition Y (mm)"));
    QCOMPARE(lines[0].count(QLatin1Char('\t')), int(TResultsModel::COLUMN_MEASURED_VERDICT));
    QVERIFY(lines[1].startsWith("2\t100.0000\t"));
    QVERIFY(lines[1].endsWith("\tpass\tfail"));
    QCOMPARE(lines[2], QString());
}

namespace
{
// Three measured repetitions of one gauge (ids 1-3), a pair of another (4, 5) and one alone (6).
std::vector<TMeasurementData::TMeasurement> Repetitions()
{
    std::vector<TMeasurementData::TMeasurement> records;
    const double lengths[] = {100.0010, 100.0025, 100.0018, 200.0001, 200.0004, 300.0};
    for (int id = 1; id <= 6; ++id) {
        const double nominal = id <= 3 ? 100.0 : id <= 5 ? 200.0 : 300.0;
        TMeasurementData::TMeasurement record{id, TVector3(0, 10.0 * nominal, 0), TVector3(0, 0, 1),
                                              nominal};
        record.has_measured_length = true;
        record.measured_length = lengths[id - 1];
        records.push_back(record);
    }
    return records;
}
} // namespace

void TTestResultsModel::Ranges_Follow_Each_Change_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<int>("id");
    QTest::newRow("a repetition added") << "add" << 7;
    QTest::newRow("a repetition removed") << "remove" << 2;
    QTest::newRow("the first of a group removed") << "remove" << 1;
    QTest::newRow("a pair loses one") << "remove" << 4;
    QTest::newRow("a measured length edited") << "measure" << 3;
    QTest::newRow("a member moved to the gauge alone") << "move" << 5;
    QTest::newRow("a member made a retest") << "retest" << 2;
    QTest::newRow("the last of a pair removed") << "remove pair" << 4;
    QTest::newRow("a member no longer measured") << "unmeasure" << 1;
    QTest::newRow("a removed member put back") << "reinsert" << 2;
    QTest::newRow("the model's parameter") << "parameter" << 0;
    QTest::newRow("R0 set") << "r0" << 0;
}

void TTestResultsModel::Ranges_Follow_Each_Change()
{
    QFETCH(QString, change);
    QFETCH(int, id);
    TTestDocument document;
    document.Set_Model_Index(0);
    document.Set_Measurements(Repetitions());
    TResultsModel results(&document);
    std::vector<TEvaluation::TResult> before = results.Results();
    QSignalSpy changed(&results, &QAbstractItemModel::dataChanged);
    QSignalSpy reset(&results, &QAbstractItemModel::modelReset);

    TMeasurementData::TMeasurement record;
    document.Measurement_Data().Get_Measurement(id, &record);
    if (change == "add") {
        record = Repetitions()[0];
        record.id = id;
        record.measured_length = 100.0040;
        QVERIFY(document.Add_Measurement(record));
    } else if (change == "remove") {
        document.Remove_Measurements({id});
    } else if (change == "remove pair") {
        document.Remove_Measurements({1, 2, 4});
    } else if (change == "parameter") {
        document.Set_Field(TTestDocument::FIELD_PARAMETER1, "-0.05", -0.05);
    } else if (change == "r0") {
        TTestConditions conditions;
        conditions.has_r0 = true;
        conditions.r0 = 1.4;
        document.Set_Conditions(conditions);
    } else if (change == "reinsert") {
        document.Remove_Measurements({id});
        before = results.Results();
        changed.clear();
        document.Insert_Measurements({{size_t(id - 1), record}});
    } else {
        record.measured_length = change == "measure" ? 100.0100 : record.measured_length;
        record.position = change == "move" ? TVector3(0, 3000, 0) : record.position;
        record.nominal_length = change == "move" ? 300.0 : record.nominal_length;
        record.retest_of = change == "retest" ? 1 : 0;
        record.has_measured_length = change != "unmeasure";
        QVERIFY(document.Update_Measurement(record));
    }

    // Every row as a fresh evaluation has it, and every range cell that changed told.
    const std::vector<TEvaluation::TResult> fresh = TEvaluation::Evaluate_All(
        document.Model(), document.Measurement_Data(), document.Mpe(), document.Conditions());
    QCOMPARE(results.Results().size(), fresh.size());
    // The optional columns show where any row has a value.
    QCOMPARE(results.Column_Has_Values(TResultsModel::COLUMN_RANGE),
             std::any_of(fresh.begin(), fresh.end(),
                         [](const TEvaluation::TResult &result) { return result.has_range; }));
    QCOMPARE(results.Column_Has_Values(TResultsModel::COLUMN_RETEST_OF),
             std::any_of(fresh.begin(), fresh.end(),
                         [](const TEvaluation::TResult &result) { return result.retest_of > 0; }));
    for (size_t row = 0; row < fresh.size(); ++row) {
        const TEvaluation::TResult &shown = results.Results()[row];
        QCOMPARE(shown.has_range, fresh[row].has_range);
        QCOMPARE(shown.repeatability_range, fresh[row].repeatability_range);
        QCOMPARE(shown.range_group, fresh[row].range_group);
        QCOMPARE(shown.range_verdict, fresh[row].range_verdict);
        QCOMPARE(shown.actual_length, fresh[row].actual_length);
        const auto was = std::find_if(
            before.begin(), before.end(),
            [&shown](const TEvaluation::TResult &result) { return result.id == shown.id; });
        if (was != before.end() && (was->has_range == shown.has_range &&
                                    was->repeatability_range == shown.repeatability_range &&
                                    was->range_verdict == shown.range_verdict)) {
            continue;
        }
        const bool told =
            std::any_of(changed.begin(), changed.end(), [row](const QList<QVariant> &args) {
                const QModelIndex from = args[0].toModelIndex();
                const QModelIndex to = args[1].toModelIndex();
                return from.row() <= int(row) && int(row) <= to.row() &&
                       from.column() <= TResultsModel::COLUMN_RANGE &&
                       TResultsModel::COLUMN_RANGE <= to.column();
            });
        QVERIFY2(told || !reset.isEmpty() || was == before.end(),
                 qPrintable(QString("row %1").arg(row)));
    }
}

void TTestResultsModel::Long_List_Follows_As_Evaluated_Afresh_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("change");
    // A long list is followed in two halves at once; a short one in one.
    QTest::newRow("short list, parameter") << 1999 << "parameter";
    QTest::newRow("long list, parameter") << 4001 << "parameter";
    QTest::newRow("long list, range") << 4001 << "range";
    QTest::newRow("long list, MPE") << 4001 << "mpe";
    QTest::newRow("long list, another model") << 4001 << "model";
}

void TTestResultsModel::Long_List_Follows_As_Evaluated_Afresh()
{
    QFETCH(int, count);
    QFETCH(QString, change);
    TTestDocument document;
    document.Set_Model_Index(0);
    document.Set_Field(TTestDocument::FIELD_PARAMETER1, "-0.05", -0.05);
    document.Set_Mpe(TMpe(1.5, 333.0), {"1.5", "333", ""});
    std::vector<TMeasurementData::TMeasurement> records;
    QRandomGenerator random(7);
    for (int id = 1; id <= count; ++id) {
        TMeasurementData::TMeasurement record{
            id, TVector3(0, random.bounded(1000.0), random.bounded(1000.0)),
            id % 2 ? TVector3(0, 1, 0) : TVector3(0, std::sqrt(0.5), std::sqrt(0.5)),
            100.0 + random.bounded(600.0)};
        record.has_measured_length = id % 3 != 0;
        record.measured_length = record.nominal_length + random.bounded(0.004) - 0.002;
        records.push_back(record);
    }
    document.Set_Measurements(records);
    TResultsModel results(&document);
    if (change == "parameter") {
        document.Set_Field(TTestDocument::FIELD_PARAMETER1, "-0.0512", -0.0512);
    } else if (change == "range") {
        document.Set_Field(TTestDocument::FIELD_RANGE_Y, "1200", 1200.0);
    } else if (change == "mpe") {
        document.Set_Mpe(TMpe(0.8, 500.0), {"0.8", "500", ""});
    } else {
        document.Set_Model_Index(1);
    }

    const std::vector<TEvaluation::TResult> fresh = TEvaluation::Evaluate_All(
        document.Model(), document.Measurement_Data(), document.Mpe(), document.Conditions());
    QCOMPARE(results.Results().size(), fresh.size());
    for (size_t row = 0; row < fresh.size(); ++row) {
        const TEvaluation::TResult &shown = results.Results()[row];
        const QString where = QString("row %1").arg(row);
        QVERIFY2(shown.id == fresh[row].id, qPrintable(where));
        QVERIFY2(shown.actual_length == fresh[row].actual_length, qPrintable(where));
        QVERIFY2(shown.error == fresh[row].error, qPrintable(where));
        QVERIFY2(shown.residual == fresh[row].residual, qPrintable(where));
        QVERIFY2(shown.verdict == fresh[row].verdict, qPrintable(where));
        QVERIFY2(shown.mpe == fresh[row].mpe, qPrintable(where));
        QVERIFY2(shown.measured_verdict == fresh[row].measured_verdict, qPrintable(where));
    }
}

QTEST_GUILESS_MAIN(TTestResultsModel)
#include "tst_resultsmodel.moc"
