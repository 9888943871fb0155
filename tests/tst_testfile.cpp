// SPDX-License-Identifier: GPL-3.0-or-later
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

#include "deflectionmodel.h"
#include "numbertext.h"
#include "testdocument.h"
#include "testfile.h"
#include "testfiles.h"

namespace
{
// A test with numbers that no field shows whole, details that need escaping, and records
// with and without measured lengths.
void Fill(TTestDocument *document, int model_index, bool with_b)
{
    document->Set_Model_Index(model_index);
    const double parameters[4] = {-0.0123456789012345, 1.0 / 3.0, 2.5e-7, -4.0};
    for (int i = 0; i < 4; ++i) {
        document->Set_Field(i, TNumberText::Shortest(parameters[i]), parameters[i]);
    }
    document->Set_Field(TTestDocument::FIELD_RANGE_Y, "1234.56789012", 1234.56789012);
    document->Set_Field(TTestDocument::FIELD_RANGE_Z, "800", 800.0);
    document->Set_Mpe(with_b ? TMpe(1.8, 300.0, 6.5) : TMpe(1.5, 333.0),
                      {"1.8", "300", with_b ? "6.5" : ""});
    TTestDocument::TReportDetails details;
    details.title = "Acceptance <2026> & \"re-verification\"";
    details.machine = "CMM 7";
    details.serial_number = "SN-0042";
    details.manufacturer = "Maker, Type X";
    details.location = "Hall 3\nBay 2";
    details.customer = "Customer Ltd.";
    details.operator_name = "A. Operator";
    details.test_date = "2026-11-30";
    details.procedure = "ISO 10360-2";
    details.notes = "first line\nsecond line";
    document->Set_Report_Details(details);
    const TVector3 axis = TVector3(0.0, 1.0, 2.0).Normal();
    document->Add_Measurement({7, TVector3(0.0, 250.987654321, 400.5), axis, 100.123456789});
    TMeasurementData::TMeasurement measured{3, TVector3(1e-9, 0.0, 999.999999999),
                                            TVector3(0.0, 1.0, 0.0), 10.0};
    measured.has_measured_length = true;
    measured.measured_length = 10.000123456789;
    document->Add_Measurement(measured);
}
} // namespace

// The test file: a test saved reopens exactly, every number to the bit; a file that is not
// wholly readable opens nothing and says where.
class TTestTestFile : public QObject
{
    Q_OBJECT

private slots:
    void Round_Trip_data();
    void Round_Trip();
    void Unreadable_Files_Open_Nothing_data();
    void Unreadable_Files_Open_Nothing();
};

void TTestTestFile::Round_Trip_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<bool>("with_b");
    QTest::addColumn<bool>("with_conditions");
    QTest::newRow("Generic, MPE without B") << 0 << false << false;
    QTest::newRow("Renishaw, MPE with B") << 1 << true << false;
    QTest::newRow("LK") << 2 << true << false;
    QTest::newRow("no model") << -1 << false << false;
    QTest::newRow("conditions, a gauge's own temperature, a retest") << 0 << true << true;
}

void TTestTestFile::Round_Trip()
{
    QFETCH(int, model);
    QFETCH(bool, with_b);

    QFETCH(bool, with_conditions);
    TTestDocument saved;
    Fill(&saved, model, with_b);
    if (with_conditions) {
        TTestConditions conditions;
        QString reason;
        QVERIFY(conditions.Set("Uncertainty", "0.3,1234.5678", &reason));
        QVERIFY(conditions.Set("MPE_R0", "1.25", &reason));
        QVERIFY(conditions.Set("Gauge_Temperature", "20.4321", &reason));
        QVERIFY(conditions.Set("Gauge_CTE", "11.5", &reason));
        saved.Set_Conditions(conditions);
        TMeasurementData::TMeasurement retest = saved.Measurements().back();
        retest.id = 9;
        retest.retest_of = 3;
        retest.has_temperature = true;
        retest.temperature = 21.123456789;
        saved.Add_Measurement(retest);
    }
    QTemporaryDir folder;
    const QString file = folder.filePath("machine.curvalo");
    Write(file, TTestFile::Data(saved));
    QVERIFY(TTestFile::Is_Test_File(Read(file)));

    TTestDocument opened;
    QString error;
    QVERIFY2(TTestFile::Read(file, &opened, &error), qPrintable(error));
    QCOMPARE(opened.Model_Index(), saved.Model_Index());
    for (int field = 0; field < TTestDocument::FIELD_COUNT; ++field) {
        QCOMPARE(opened.Field_Value(field), saved.Field_Value(field));
    }
    QVERIFY(opened.Mpe() == saved.Mpe());
    QVERIFY(opened.Report_Details() == saved.Report_Details());
    QVERIFY(opened.Conditions() == saved.Conditions());
    // Without conditions the file has none of their elements, as before they existed.
    QCOMPARE(Read(file).contains("Conditions"), with_conditions);
    QCOMPARE(Read(file).contains("Retest_Of"), with_conditions);
    QVERIFY(opened.Measurements() == saved.Measurements());
    // The parameters of the models left on the way (the document starts with Generic).
    QCOMPARE(opened.Fields().other_models, saved.Fields().other_models);
    QCOMPARE(saved.Fields().other_models.isEmpty(), model == 0);
    if (saved.Model()) {
        QCOMPARE(opened.Model()->Range_Y(), 1234.56789012);
        QCOMPARE(opened.Model()->Parameter2(), 1.0 / 3.0);
    }
    // And once more: the same bytes.
    QCOMPARE(TTestFile::Data(opened), TTestFile::Data(saved));
}

void TTestTestFile::Unreadable_Files_Open_Nothing_data()
{
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<QString>("message");
    QTest::newRow("an element of a newer version")
        << QByteArray("    <Measurements>") << QByteArray("    <Uncertainty/>\n    <Measurements>")
        << "line 32: <Uncertainty> is not part of a test file of version 1";
    QTest::newRow("a newer version")
        << QByteArray("File_Version=\"1\"") << QByteArray("File_Version=\"2\"") << "version 2";
    QTest::newRow("a parameter that is no number")
        << QByteArray("<Parameter1>") << QByteArray("<Parameter1>x")
        << "<Parameter1> is not a number";
    QTest::newRow("an unknown model") << QByteArray("<Type>generic") << QByteArray("<Type>cubic")
                                      << "<Type> names no model: \"cubic\"";
    QTest::newRow("a repeated id") << QByteArray("<Id>3</Id>") << QByteArray("<Id>7</Id>")
                                   << "is not a positive number of its own: \"7\"";
    QTest::newRow("a damaged MPE") << QByteArray("<K>333</K>") << QByteArray("<K>0</K>")
                                   << "K of the MPE must be greater than 0";
    QTest::newRow("another model's parameters that are not four numbers")
        << QByteArray("    <Measurements>")
        << QByteArray("    <Other_Models>\n        <lk>1 2 x</lk>\n    </Other_Models>\n"
                      "    <Measurements>")
        << "line 33: <lk> must hold four numbers: \"1 2 x\"";
    QTest::newRow("a condition that cannot be used")
        << QByteArray("    <Measurements>")
        << QByteArray("    <Conditions>\n        <MPE_R0>0</MPE_R0>\n    </Conditions>\n"
                      "    <Measurements>")
        << "line 33: <MPE_R0>: R0 must be greater than 0";
    QTest::newRow("a retest of no id") << QByteArray("<Measured_Length>")
                                       << QByteArray("<Retest_Of>-2</Retest_Of><Measured_Length>")
                                       << "<Retest_Of> is not the id of a measurement";
    QTest::newRow("not XML") << QByteArray("<Curvalo_Test") << QByteArray("<<Curvalo_Test")
                             << "machine.curvalo: ERR:";
}

void TTestTestFile::Unreadable_Files_Open_Nothing()
{
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(QString, message);

    TTestDocument saved;
    Fill(&saved, 0, false);
    QByteArray data = TTestFile::Data(saved);
    QVERIFY2(data.contains(from), data.constData());
    data.replace(data.indexOf(from), from.size(), to);
    QTemporaryDir folder;
    const QString file = folder.filePath("machine.curvalo");
    Write(file, data);

    TTestDocument current;
    current.Set_Model_Index(2);
    current.Add_Measurement({1, TVector3(0, 1, 2), TVector3(0, 0, 1), 5.0});
    const TTestDocument::TFields fields = current.Fields();
    QString error;
    QVERIFY(!TTestFile::Read(file, &current, &error));
    QVERIFY2(error.contains(message), qPrintable(error));
    QVERIFY(current.Fields() == fields);
    QCOMPARE(current.Measurements().size(), size_t(1));
}

QTEST_GUILESS_MAIN(TTestTestFile)
#include "tst_testfile.moc"
