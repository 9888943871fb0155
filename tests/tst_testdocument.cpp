// SPDX-License-Identifier: GPL-3.0-or-later
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "deflectionmodel.h"
#include "persistence.h"
#include "testdocument.h"
#include "testfiles.h"

namespace
{
TMeasurementData::TMeasurement Record(int id, double y)
{
    return TMeasurementData::TMeasurement{id, TVector3(0.0, y, 500.0), TVector3(0.0, 1.0, 0.0),
                                          200.0};
}

// The document of a settings file with this content, read as the window and the batch tool
// read it.
void Load(const QByteArray &content, TTestDocument *document, QTemporaryDir *folder)
{
    const QString file = folder->filePath(QStringLiteral("settings.ini"));
    Write(file, content);
    document->Load_Settings(TPersistence::Read_Settings_File(file));
}
} // namespace

// The test document: the rules that turn stored settings into the test, what it writes back,
// and the signals by which its views follow it.
class TTestTestDocument : public QObject
{
    Q_OBJECT

private slots:
    void Stored_Fields_data();
    void Stored_Fields();
    void Unused_Values_Are_Written_Back();
    void Damaged_Mpe_Is_Kept();
    void Stored_Conditions_data();
    void Stored_Conditions();
    void New_Model_Takes_The_Field_Texts();
    void Signals_Say_What_Changed_data();
    void Signals_Say_What_Changed();
    void Changes_Undo_Exactly();
};

void TTestTestDocument::Stored_Fields_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("in_use");
    QTest::addColumn<bool>("unused");

    const int p1 = TTestDocument::FIELD_PARAMETER1;
    const int y = TTestDocument::FIELD_RANGE_Y;
    QTest::newRow("parameter") << QByteArray("Model_Parameter1=-0.05") << p1 << "-0.0500" << -0.05
                               << false;
    QTest::newRow("small parameter")
        << QByteArray("Model_Parameter1=0.00001") << p1 << "0.00001" << 0.00001 << false;
    QTest::newRow("parameter beyond the fields")
        << QByteArray("Model_Parameter1=1e13") << p1 << "1e13" << 0.0 << true;
    QTest::newRow("parameter nan")
        << QByteArray("Model_Parameter1=nan") << p1 << "nan" << 0.0 << true;
    QTest::newRow("parameter text")
        << QByteArray("Model_Parameter1=abc") << p1 << "abc" << 0.0 << true;
    QTest::newRow("range") << QByteArray("Range_Y=500") << y << "500.000" << 500.0 << false;
    QTest::newRow("range below 1 mm")
        << QByteArray("Range_Y=0.5") << y << "1000.000" << 1000.0 << false;
    QTest::newRow("range inf") << QByteArray("Range_Y=inf") << y << "inf" << 1000.0 << true;
    QTest::newRow("range 1e308") << QByteArray("Range_Y=1e308") << y << "1e308" << 1000.0 << true;
    QTest::newRow("range text") << QByteArray("Range_Y=xyz") << y << "xyz" << 1000.0 << true;
}

void TTestTestDocument::Stored_Fields()
{
    QFETCH(QByteArray, line);
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(double, in_use);
    QFETCH(bool, unused);

    QTemporaryDir folder;
    TTestDocument document;
    Load("[General]\nDeflection_Model=0\n" + line + "\n", &document, &folder);
    QCOMPARE(document.Field_Text(field), text);
    QCOMPARE(document.Field_Value(field), in_use);
    QCOMPARE(!document.Unused_Stored_Value(field).isEmpty(), unused);
    if (unused) {
        QCOMPARE(document.Unused_Stored_Value(field), QString::fromLatin1(line));
        // The field says which value the model uses instead.
        QVERIFY(document.Field_Problem(field).contains(field == TTestDocument::FIELD_RANGE_Y
                                                           ? QStringLiteral("1000.0000")
                                                           : QStringLiteral("0.0000")));
    }
    const TDeflectionModel *model = document.Model();
    QVERIFY(model);
    QCOMPARE(field == TTestDocument::FIELD_RANGE_Y ? model->Range_Y() : model->Parameter1(),
             in_use);
}

void TTestTestDocument::Unused_Values_Are_Written_Back()
{
    QTemporaryDir home;
    TPersistence persistence;
    persistence.Open(home.path());
    Write(persistence.Settings_File(),
          "[General]\nDeflection_Model=0\nModel_Parameter1=nan\nModel_Parameter2=0.25\n"
          "Range_Y=1e308\n");
    TTestDocument document;
    document.Load_Settings(persistence.Load_Settings());
    TPersistence::TSettings settings;
    document.Store_Settings(&settings);
    QVERIFY(persistence.Save(settings, document.Measurement_Data(), true));
    const QByteArray saved = Read(persistence.Settings_File());
    QVERIFY2(saved.contains("Model_Parameter1=nan\n"), saved.constData());
    QVERIFY2(saved.contains("Model_Parameter2=0.25\n"), saved.constData());
    QVERIFY2(saved.contains("Range_Y=1e308\n"), saved.constData());

    // Once the user types a number, that is what is stored.
    document.Set_Field(TTestDocument::FIELD_PARAMETER1, QStringLiteral("0.1"), 0.1);
    document.Store_Settings(&settings);
    QVERIFY(persistence.Save(settings, document.Measurement_Data(), false));
    QVERIFY(Read(persistence.Settings_File()).contains("Model_Parameter1=0.1\n"));
    QVERIFY(Read(persistence.Settings_File()).contains("Range_Y=1e308\n"));
}

void TTestTestDocument::Stored_Conditions_data()
{
    QTest::addColumn<QByteArray>("group");
    QTest::addColumn<QString>("uncertainty");
    QTest::addColumn<QStringList>("unused");
    QTest::newRow("all usable") << QByteArray("Uncertainty=\"0.3,1000\"\nMPE_R0=1.5\n"
                                              "Gauge_Temperature=20.6\nGauge_CTE=11.5\n")
                                << "0.3,1000" << QStringList();
    QTest::newRow("a damaged one is kept, the others used")
        << QByteArray("Uncertainty=0.4\nGauge_CTE=steel\n") << "0.4"
        << QStringList{"Conditions/Gauge_CTE: \"steel\" is not a number"};
}

void TTestTestDocument::Stored_Conditions()
{
    QFETCH(QByteArray, group);
    QFETCH(QString, uncertainty);
    QFETCH(QStringList, unused);
    QTemporaryDir home;
    TPersistence persistence;
    persistence.Open(home.path());
    Write(persistence.Settings_File(), "[General]\nDeflection_Model=0\n\n[Conditions]\n" + group);
    TTestDocument document;
    document.Load_Settings(persistence.Load_Settings());
    QCOMPARE(document.Conditions().Uncertainty_Text(), uncertainty);
    QCOMPARE(document.Unused_Stored_Conditions(), unused);
    QVERIFY(document.Unused_Stored_Values().contains(unused.value(0)) || unused.isEmpty());

    // Written back as they were, the damaged one included, until the conditions are set.
    TPersistence::TSettings settings;
    document.Store_Settings(&settings);
    QVERIFY(persistence.Save(settings, document.Measurement_Data(), true));
    TTestDocument reread;
    reread.Load_Settings(persistence.Load_Settings());
    QVERIFY(reread.Conditions() == document.Conditions());
    QCOMPARE(reread.Unused_Stored_Conditions(), unused);

    QSignalSpy changed(&document, &TTestDocument::Conditions_Changed);
    document.Set_Conditions(TTestConditions());
    QCOMPARE(changed.count(), 1);
    document.Store_Settings(&settings);
    QVERIFY(persistence.Save(settings, document.Measurement_Data(), false));
    QVERIFY(!Read(persistence.Settings_File()).contains("Conditions"));
}

void TTestTestDocument::Damaged_Mpe_Is_Kept()
{
    QTemporaryDir home;
    TPersistence persistence;
    persistence.Open(home.path());
    Write(persistence.Settings_File(), "[General]\nDeflection_Model=0\n\n[MPE]\nA=abc\nK=333\n");
    TTestDocument document;
    document.Load_Settings(persistence.Load_Settings());
    QVERIFY(!document.Mpe().Is_Set());
    QCOMPARE(document.Mpe_Texts(), (QStringList{"abc", "333", ""}));
    QCOMPARE(document.Unused_Stored_Mpe(), QStringLiteral("MPE/A=abc, MPE/K=333"));

    TPersistence::TSettings settings;
    document.Store_Settings(&settings);
    QVERIFY(persistence.Save(settings, document.Measurement_Data(), true));
    const QByteArray saved = Read(persistence.Settings_File());
    QVERIFY2(saved.contains("[MPE]\nA=abc\nK=333\n"), saved.constData());

    document.Set_Mpe(TMpe(1.5, 333.0), {"1.5", "333", ""});
    QVERIFY(document.Unused_Stored_Mpe().isEmpty());
    document.Store_Settings(&settings);
    QVERIFY(persistence.Save(settings, document.Measurement_Data(), false));
    QVERIFY(Read(persistence.Settings_File()).contains("[MPE]\nA=1.5\nK=333\n"));
}

void TTestTestDocument::New_Model_Takes_The_Field_Texts()
{
    TTestDocument document;
    document.Set_Model_Index(0);
    document.Set_Field(TTestDocument::FIELD_PARAMETER1, QStringLiteral("0.05"), 0.05);
    // Text that is no number keeps the last valid value while the model stays...
    document.Set_Field(TTestDocument::FIELD_PARAMETER1, QStringLiteral("abc"), 0.05);
    QCOMPARE(document.Model()->Parameter1(), 0.05);
    QVERIFY(!document.Field_Problem(TTestDocument::FIELD_PARAMETER1).isEmpty());
    // ...another model shows its own parameters, its presets the first time, never the
    // numbers of the model before in other units...
    document.Set_Model_Index(1);
    QCOMPARE(document.Model()->Parameter1(), -0.05);
    QCOMPARE(document.Field_Text(TTestDocument::FIELD_PARAMETER1), QStringLiteral("-0.0500"));
    document.Set_Field(TTestDocument::FIELD_PARAMETER2, QStringLiteral("0.123456789"), 0.123456789);
    // ...and each model comes back with the numbers it had, to the bit.
    document.Set_Model_Index(0);
    QCOMPARE(document.Model()->Parameter1(), 0.05);
    QCOMPARE(document.Model()->Parameter2(), 0.0);
    document.Set_Model_Index(1);
    QCOMPARE(document.Model()->Parameter2(), 0.123456789);
    QCOMPARE(document.Field_Text(TTestDocument::FIELD_PARAMETER2), QStringLiteral("0.123456789"));
    document.Set_Model_Index(7);
    QVERIFY(!document.Model());
    QCOMPARE(document.Model_Index(), -1);
    QVERIFY(document.Field_Problem(TTestDocument::FIELD_PARAMETER1).isEmpty());
}

void TTestTestDocument::Signals_Say_What_Changed_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("expected");
    // What each view hears: M model, F field (its number), P MPE, A added, C changed,
    // R removed, X the list as a whole; every change is also Modified.
    QTest::newRow("a parameter") << 0 << "F0";
    QTest::newRow("a range") << 1 << "F5";
    QTest::newRow("the model") << 2 << "M";
    QTest::newRow("the MPE") << 3 << "P";
    QTest::newRow("a measurement added") << 4 << "A4";
    QTest::newRow("a measurement edited") << 5 << "C2";
    QTest::newRow("a measurement removed") << 6 << "R1";
    QTest::newRow("many removed") << 7 << "X";
    QTest::newRow("an edit that changes nothing") << 8 << "";
}

void TTestTestDocument::Signals_Say_What_Changed()
{
    QFETCH(int, action);
    QFETCH(QString, expected);

    TTestDocument document;
    document.Set_Model_Index(0);
    for (int id = 1; id <= 3; ++id) {
        document.Add_Measurement(Record(id, 100.0 * id));
    }
    QString heard;
    connect(&document, &TTestDocument::Model_Changed, this, [&heard]() { heard += "M"; });
    connect(&document, &TTestDocument::Field_Changed, this,
            [&heard](int field) { heard += QStringLiteral("F%1").arg(field); });
    connect(&document, &TTestDocument::Mpe_Changed, this, [&heard]() { heard += "P"; });
    connect(&document, &TTestDocument::Measurement_Added, this,
            [&heard](int id) { heard += QStringLiteral("A%1").arg(id); });
    connect(&document, &TTestDocument::Measurement_Changed, this,
            [&heard](int id) { heard += QStringLiteral("C%1").arg(id); });
    connect(&document, &TTestDocument::Measurement_Removed, this,
            [&heard](int id) { heard += QStringLiteral("R%1").arg(id); });
    connect(&document, &TTestDocument::Measurements_Reset, this, [&heard]() { heard += "X"; });
    QSignalSpy modified(&document, &TTestDocument::Modified);

    std::vector<int> many;
    switch (action) {
    case 0:
        document.Set_Field(TTestDocument::FIELD_PARAMETER1, QStringLiteral("0.1"), 0.1);
        break;
    case 1:
        document.Set_Field(TTestDocument::FIELD_RANGE_Z, QStringLiteral("800"), 800.0);
        break;
    case 2:
        document.Set_Model_Index(2);
        break;
    case 3:
        document.Set_Mpe(TMpe(1.5, 333.0), {"1.5", "333", ""});
        break;
    case 4:
        document.Add_Measurement(Record(document.Free_Id(), 50.0));
        break;
    case 5:
        document.Update_Measurement(Record(2, 75.0));
        break;
    case 6:
        document.Remove_Measurements({1});
        break;
    case 7:
        for (int id = 4; id <= 200; ++id) {
            document.Add_Measurement(Record(id, 1.0));
            many.push_back(id);
        }
        heard.clear();
        modified.clear();
        document.Remove_Measurements(many);
        break;
    default:
        document.Update_Measurement(Record(2, 200.0));
        break;
    }
    QCOMPARE(heard, expected);
    QCOMPARE(modified.count(), expected.isEmpty() ? 0 : 1);
}

void TTestTestDocument::Changes_Undo_Exactly()
{
    TTestDocument document;
    for (int id = 1; id <= 6; ++id) {
        document.Add_Measurement(Record(id, 10.0 * id));
    }
    const std::vector<TMeasurementData::TMeasurement> before = document.Measurements();
    std::vector<TMeasurementData::TMeasurement> after = before;
    after.erase(after.begin() + 1, after.begin() + 3);
    after.insert(after.begin() + 2, Record(9, 5.0));
    const TMeasurementChange change = TMeasurementChange::Between(before, after);

    QSignalSpy reset(&document, &TTestDocument::Measurements_Reset);
    document.Apply_Change(change, false);
    QVERIFY(document.Measurements() == after);
    QCOMPARE(document.Measurement_Data().Position_Of(9), size_t(2));
    document.Apply_Change(change, true);
    QVERIFY(document.Measurements() == before);
    QCOMPARE(document.Measurement_Data().Position_Of(6), size_t(5));
    QCOMPARE(reset.count(), 2);

    // Records put back in the middle land where they were.
    document.Remove_Measurements({2, 5});
    document.Insert_Measurements({{1, Record(2, 20.0)}, {4, Record(5, 50.0)}});
    QVERIFY(document.Measurements() == before);
}

QTEST_GUILESS_MAIN(TTestTestDocument)
#include "tst_testdocument.moc"
