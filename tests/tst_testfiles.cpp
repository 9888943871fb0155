// SPDX-License-Identifier: GPL-3.0-or-later
#include <QClipboard>
#include <QDialog>
#include <QFileInfo>
#include <QMenu>
#include <QProcess>
#include <QTableView>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>

#include "deflectionmodel.h"
#include "measurementsetactions.h"
#include "resultsdock.h"
#include "resultsmodel.h"
#include "testdocument.h"
#include "testfiles.h"
#include "windowfixture.h"

// Every machine's test a file of its own, in the window: saved, it reopens as it was; the
// title names it and marks changes not yet saved into it; the next start comes back to it.
class TTestTestFiles : public QObject, public TWindowFixture
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void Saved_Test_Reopens_As_It_Was();
    void Title_Names_The_File_And_Its_Changes();
    void Restart_Keeps_The_File_And_Its_Unsaved_Changes();
    void Save_Asks_When_Another_Program_Changed_The_File_data();
    void Save_Asks_When_Another_Program_Changed_The_File();
    void Unreadable_File_Leaves_The_Test_As_It_Was();
    void Batch_Tool_Reads_The_Same_Test();
    void Test_Details_Go_Into_The_File();
    void Recent_Tests_Survive_A_Restart();
    void Paste_A_Column_Of_Measured_Lengths();
    void Update_Measured_Lengths_From_A_File();

private:
    QString Test_File() const { return Home_File("machine A.curvalo"); }
    // A test with a model, odd parameters, an MPE and two measured measurements.
    void Make_A_Test();
};

void TTestTestFiles::init()
{
    New_Home();
    Start();
}

void TTestTestFiles::cleanup()
{
    window.reset();
}

void TTestTestFiles::Make_A_Test()
{
    Combo()->setCurrentIndex(1);
    Type(Edit("parameter2_edit"), "0.0123456789");
    Type(Edit("range_y_edit"), "1234.5");
    Type(window->findChild<QLineEdit *>("mpe_a_edit"), "1.8");
    Type(window->findChild<QLineEdit *>("mpe_k_edit"), "300");
    const QString csv = Home_File("set.csv");
    Write(csv, "id,nominal_length_mm,position_y_mm,position_z_mm,axis_y,axis_z,"
               "measured_length_mm\n"
               "4,100.123456,250.987654,300.5,1,2,100.1299\n"
               "9,500,500,500,1,0,\n");
    QStringList errors;
    QVERIFY(window->Import_Measurements(csv, true, &errors));
}

void TTestTestFiles::Saved_Test_Reopens_As_It_Was()
{
    Make_A_Test();
    const QTemporaryDir elsewhere;
    const QString file = elsewhere.filePath("machine A.curvalo");
    QString error;
    QVERIFY2(window->Save_Test(file, &error), qPrintable(error));
    const TTestDocument::TFields fields = window->Document().Fields();
    const TTestDocument::TReportDetails details = window->Document().Report_Details();
    const std::vector<TMeasurementData::TMeasurement> records = window->Document().Measurements();
    Close();

    // Another home, another working state: the file brings the test back, every number to
    // the bit.
    New_Home();
    Start();
    QVERIFY(window->Document().Measurements().empty());
    QVERIFY2(window->Open_Test(file, &error), qPrintable(error));
    QCOMPARE(window->Document().Model_Index(), fields.model_index);
    for (int field = 0; field < TTestDocument::FIELD_COUNT; ++field) {
        QCOMPARE(window->Document().Field_Value(field), fields.values[size_t(field)]);
    }
    QVERIFY(window->Document().Mpe() == fields.mpe);
    QVERIFY(window->Document().Report_Details() == details);
    QVERIFY(window->Document().Measurements() == records);
    QCOMPARE(Rows(), 2);
    QCOMPARE(int(Display()->Length_Measurements().size()), 2);
}

void TTestTestFiles::Title_Names_The_File_And_Its_Changes()
{
    QCOMPARE(window->windowTitle(), QString("Curvalo"));
    Make_A_Test();
    QString error;
    QVERIFY(window->Save_Test(Test_File(), &error));
    QCOMPARE(window->windowTitle(), QString("machine A.curvalo[*] \u2014 Curvalo"));
    QVERIFY(!window->isWindowModified());
    Type(Edit("parameter2_edit"), "0.5");
    QVERIFY(window->isWindowModified());
    QVERIFY(window->Save_Test(Test_File(), &error));
    QVERIFY(!window->isWindowModified());
}

void TTestTestFiles::Save_Asks_When_Another_Program_Changed_The_File_data()
{
    QTest::addColumn<bool>("changed_elsewhere");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("unchanged: no question") << false << QString() << true;
    QTest::newRow("changed, kept") << true << "Cancel" << false;
    QTest::newRow("changed, replaced") << true << "Replace" << true;
}

void TTestTestFiles::Save_Asks_When_Another_Program_Changed_The_File()
{
    QFETCH(bool, changed_elsewhere);
    QFETCH(QString, answer);
    QFETCH(bool, replaced);
    Make_A_Test();
    QString error;
    QVERIFY(window->Save_Test(Test_File(), &error));
    const QByteArray other = "<?xml version=\"1.0\"?>\n<!-- written on another computer -->\n";
    if (changed_elsewhere) {
        Write(Test_File(), other);
    }
    Type(Edit("parameter2_edit"), "0.25");
    QString question;
    if (!answer.isEmpty()) {
        Answer_Next_Box(answer, &question);
    }
    Action("Save Test")->trigger();
    QCOMPARE(question.contains("machine A.curvalo has changed on disk"), changed_elsewhere);
    QFile file(Test_File());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    QCOMPARE(content == other, !replaced);
    QCOMPARE(window->isWindowModified(), !replaced);
    if (replaced) {
        QVERIFY(content.contains("0.25"));
    }
}

void TTestTestFiles::Restart_Keeps_The_File_And_Its_Unsaved_Changes()
{
    Make_A_Test();
    QString error;
    QVERIFY(window->Save_Test(Test_File(), &error));
    Type(Edit("parameter2_edit"), "0.75");
    Close();
    QVERIFY(Read(Directory() + "/settings.ini").contains("[Test]\nFile="));

    // Closing asked nothing; the next start is back on the file, changes and mark included.
    Start();
    QCOMPARE(window->windowTitle(), QString("machine A.curvalo[*] \u2014 Curvalo"));
    QVERIFY(window->isWindowModified());
    QCOMPARE(Display()->Model_Parameter2(), 0.75);
    QCOMPARE(window->Document().Measurements().size(), size_t(2));

    // Opening the file again brings back what it holds.
    QVERIFY2(window->Open_Test(Test_File(), &error), qPrintable(error));
    QCOMPARE(Display()->Model_Parameter2(), 0.0123456789);
    QCOMPARE(Display()->Deflection_Model()->Range_Y(), 1234.5);
    QVERIFY(!window->isWindowModified());
    QCOMPARE(window->Undo_Stack()->count(), 0);
    TMeasurementData::TMeasurement record;
    QVERIFY(window->Document().Measurement_Data().Get_Measurement(4, &record));
    QCOMPARE(record.nominal_length, 100.123456);
    QCOMPARE(record.measured_length, 100.1299);
    QCOMPARE(window->Document().Mpe().K(), 300.0);
}

void TTestTestFiles::Unreadable_File_Leaves_The_Test_As_It_Was()
{
    Make_A_Test();
    Write(Test_File(), "<?xml version=\"1.0\"?>\n<Curvalo_Test File_Version=\"1\">\n"
                       "    <Tolerances/>\n</Curvalo_Test>\n");
    const std::vector<TMeasurementData::TMeasurement> before = window->Document().Measurements();
    QString error;
    QVERIFY(!window->Open_Test(Test_File(), &error));
    QVERIFY2(error.contains("machine A.curvalo: line 3: <Tolerances>"), qPrintable(error));
    QVERIFY(window->Document().Measurements() == before);
    QCOMPARE(Rows(), 2);
    QCOMPARE(window->windowTitle(), QString("Curvalo"));
}

// The window's export of a test and the batch tool's evaluation of its file are the same.
void TTestTestFiles::Batch_Tool_Reads_The_Same_Test()
{
    Make_A_Test();
    QString error;
    QVERIFY(window->Save_Test(Test_File(), &error));
    QVERIFY(window->Export_Measurements(Home_File("window.csv"), &error));

    QProcess batch;
    batch.start(CURVALO_BATCH, {"evaluate", "--test", Test_File()});
    QVERIFY(batch.waitForFinished(30000));
    QCOMPARE(batch.exitCode(), 0);
    QCOMPARE(batch.readAllStandardOutput(), Read(Home_File("window.csv")));

    // A plan written as a test is a test the window opens.
    batch.start(CURVALO_BATCH, {"plan", "--test", Test_File(), "--lengths", "100,200", "--repeats",
                                "2", "--output", Home_File("plan.curvalo")});
    QVERIFY(batch.waitForFinished(30000));
    QVERIFY2(batch.exitCode() == 0, batch.readAllStandardError().constData());
    QVERIFY2(window->Open_Test(Home_File("plan.curvalo"), &error), qPrintable(error));
    QCOMPARE(Rows(), 16);
    QCOMPARE(window->Document().Mpe().K(), 300.0);
    QCOMPARE(Display()->Deflection_Model()->Range_Y(), 1234.5);
}

void TTestTestFiles::Test_Details_Go_Into_The_File()
{
    QTimer::singleShot(0, []() {
        QDialog *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QTest::keyClicks(dialog->findChild<QLineEdit *>("serial_number_edit"), "SN-0042");
        QTest::keyClicks(dialog->findChild<QLineEdit *>("customer_edit"), "Customer <Ltd> & Co");
        QTest::keyClicks(dialog->findChild<QLineEdit *>("test_date_edit"), "2026-11-30");
        dialog->accept();
    });
    QAction *details = Action("Test Details\u2026");
    QVERIFY(details);
    details->trigger();
    QCOMPARE(window->Document().Report_Details().serial_number, QString("SN-0042"));
    QString error;
    QVERIFY(window->Save_Test(Test_File(), &error));
    const QByteArray saved = Read(Test_File());
    QVERIFY(saved.contains("<Serial_Number>SN-0042</Serial_Number>"));
    QVERIFY(saved.contains("<Customer>Customer &lt;Ltd> &amp; Co</Customer>"));
    QVERIFY(saved.contains("<Date>2026-11-30</Date>"));
}

void TTestTestFiles::Recent_Tests_Survive_A_Restart()
{
    Make_A_Test();
    QString error;
    for (int i = 1; i <= 10; ++i) {
        QVERIFY(window->Save_Test(Home_File(QString("test %1.curvalo").arg(i)), &error));
    }
    QVERIFY(window->Open_Test(Home_File("test 3.curvalo"), &error));
    Close();
    Start();
    QMenu *recent = nullptr;
    for (QAction *action : Menu("File")->actions()) {
        if (action->menu() && action->text() == "Open Recent") {
            recent = action->menu();
        }
    }
    QVERIFY(recent);
    QStringList names;
    for (const QAction *action : recent->actions()) {
        names << action->text();
    }
    // The newest first, eight at most, each once.
    QCOMPARE(names,
             (QStringList{"test 3.curvalo", "test 10.curvalo", "test 9.curvalo", "test 8.curvalo",
                          "test 7.curvalo", "test 6.curvalo", "test 5.curvalo", "test 4.curvalo"}));
    // A modified test asks before another replaces it; discarded, the other one opens.
    Type(Edit("parameter2_edit"), "0.9");
    QString asked;
    Answer_Next_Box("Discard", &asked);
    recent->actions().at(2)->trigger();
    QVERIFY2(asked.contains("test 3.curvalo"), qPrintable(asked));
    QCOMPARE(window->windowTitle(), QString("test 9.curvalo[*] \u2014 Curvalo"));
    QCOMPARE(Display()->Model_Parameter2(), 0.0123456789);
}

void TTestTestFiles::Paste_A_Column_Of_Measured_Lengths()
{
    Make_A_Test();
    TResultsDock *dock = window->findChild<TResultsDock *>();
    QTableView *table = dock->Table();
    table->setCurrentIndex(table->model()->index(0, TResultsModel::COLUMN_MEASURED));
    QAction *paste = nullptr;
    for (QAction *action : table->actions()) {
        if (action->shortcut() == QKeySequence(QKeySequence::Paste)) {
            paste = action;
        }
    }
    QVERIFY(paste);

    // A line that is no length pastes nothing and is named.
    QApplication::clipboard()->setText("100,5\nabc\n");
    paste->trigger();
    TMeasurementData::TMeasurement record;
    QVERIFY(window->Document().Measurement_Data().Get_Measurement(4, &record));
    QCOMPARE(record.measured_length, 100.1299);
    QTRY_VERIFY(!window->findChildren<QMessageBox *>().isEmpty());

    // A spreadsheet's column, decimal comma and all, is one step.
    const int steps = window->Undo_Stack()->count();
    QApplication::clipboard()->setText("100,5\n500.25\n");
    paste->trigger();
    QCOMPARE(window->Undo_Stack()->count(), steps + 1);
    QVERIFY(window->Document().Measurement_Data().Get_Measurement(4, &record));
    QCOMPARE(record.measured_length, 100.5);
    QVERIFY(window->Document().Measurement_Data().Get_Measurement(9, &record));
    QCOMPARE(record.measured_length, 500.25);
    window->Undo_Stack()->undo();
    QVERIFY(window->Document().Measurement_Data().Get_Measurement(9, &record));
    QVERIFY(!record.has_measured_length);
}

void TTestTestFiles::Update_Measured_Lengths_From_A_File()
{
    Make_A_Test();
    TMeasurementSetActions *actions = window->findChild<TMeasurementSetActions *>();
    QVERIFY(actions);
    QStringList errors;
    Write(Home_File("unknown.csv"), "id;measured_length_mm\n4;100,2\n12;5\n");
    QVERIFY(!actions->Update_File(Home_File("unknown.csv"), &errors));
    QCOMPARE(errors, QStringList{"there is no measurement with the id 12"});
    TMeasurementData::TMeasurement record;
    QVERIFY(window->Document().Measurement_Data().Get_Measurement(4, &record));
    QCOMPARE(record.measured_length, 100.1299);

    Write(Home_File("update.csv"), "id;measured_length_mm\n9;500,002\n4;\n");
    const int steps = window->Undo_Stack()->count();
    QVERIFY2(actions->Update_File(Home_File("update.csv"), &errors), qPrintable(errors.join('\n')));
    QCOMPARE(window->Undo_Stack()->count(), steps + 1);
    QVERIFY(window->Document().Measurement_Data().Get_Measurement(9, &record));
    QCOMPARE(record.measured_length, 500.002);
    QCOMPARE(record.nominal_length, 500.0);
    QVERIFY(window->Document().Measurement_Data().Get_Measurement(4, &record));
    QVERIFY(!record.has_measured_length);
}

QTEST_MAIN(TTestTestFiles)
#include "tst_testfiles.moc"
