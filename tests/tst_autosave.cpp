// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QLabel>
#include <QSettings>
#include <QStatusBar>
#include <QTextDocumentFragment>
#include <QtTest>

#include "autosave.h"
#include "filesizelimit.h"
#include "measurementdata.h"
#include "messagebox.h"
#include "persistence.h"
#include "testdocument.h"
#include "testfiles.h"
#include "windowfixture.h"

namespace
{
// The second record of two_records alone.
const QByteArray one_record = QByteArray(two_records)
                                  .remove(two_records.indexOf("    <Measurement>"),
                                          two_records.indexOf("    <Measurement>\n        <Id>1") -
                                              two_records.indexOf("    <Measurement>"));

// The text and informative text of the notice boxes the window has open, as the user reads
// them.
QStringList Open_Notices(const QWidget *window)
{
    QStringList notices;
    for (const TMessageBox *box : window->findChildren<TMessageBox *>()) {
        if (box->isVisible()) {
            notices << QTextDocumentFragment::fromHtml(box->text() + "<br>" +
                                                       box->informativeText())
                           .toPlainText();
        }
    }
    return notices;
}
} // namespace

// The window keeps the disk up to date while it runs, and tells the user what went wrong.
class TTestAutosave : public QObject, protected TWindowFixture
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void Change_Reaches_Disk_Soon();
    void Nothing_Changed_Writes_Nothing();
    void Failed_Autosave_Is_Told_Once_And_Cleared();
    void Damaged_File_Is_Told_At_Start();
    void Second_Window_On_The_Folder();
    void No_Home_Is_Told();
    void Closing_While_The_Worker_Writes_data();
    void Closing_While_The_Worker_Writes();
    void Failure_On_The_Worker_Is_Told();

private:
    QString Settings_File() const { return Directory() + "/settings.ini"; }
    QString Measurement_File() const { return Directory() + "/measurements.xml"; }
    // Both files as a previous run left them, so that a start knows what is on disk.
    void Prepare_Files();
    int Files_Written() const { return window->Persistence().Files_Written(); }
    bool Unsaved_Notice_Shown() const
    {
        const QLabel *label = window->findChild<QLabel *>("unsaved_label");
        return label && label->isVisible();
    }
};

void TTestAutosave::init()
{
    New_Home();
}

void TTestAutosave::cleanup()
{
    window.reset();
}

void TTestAutosave::Prepare_Files()
{
    Start();
    Close();
    Write(Measurement_File(), one_record);
    Start();
    QCOMPARE(Rows(), 1);
}

void TTestAutosave::Change_Reaches_Disk_Soon()
{
    Prepare_Files();
    const int before = Files_Written();
    QElapsedTimer since_last_key;
    Type(Edit("parameter1_edit"), "0.125");
    since_last_key.start();
    QTRY_COMPARE_WITH_TIMEOUT(
        QSettings(Settings_File(), QSettings::IniFormat).value("Model_Parameter1").toDouble(),
        0.125, 2000);
    QVERIFY(since_last_key.elapsed() <= 2000);
    // Five keys, one write; the measurements did not change and were not written. The write
    // is counted once its worker is done.
    QTRY_COMPARE(Files_Written(), before + 1);
    QCOMPARE(Read(Measurement_File()), one_record);

    // Editing a measurement writes the measurement file.
    Set_Current_Row(0);
    Type(Editor()->findChild<QLineEdit *>("nominal_length_edit"), "250");
    QTRY_VERIFY_WITH_TIMEOUT(Read(Measurement_File()).contains("250.000000"), 2000);
    // The worker has written it; the window counts it once it has taken the outcome back.
    QTRY_COMPARE(Files_Written(), before + 2);
}

void TTestAutosave::Nothing_Changed_Writes_Nothing()
{
    Prepare_Files();
    const int before = Files_Written();
    // New, answered No, changes nothing.
    Answer_Next_Box("&No");
    Action("New")->trigger();
    QTest::qWait(1500);
    QCOMPARE(Files_Written(), before);
    QVERIFY(!Unsaved_Notice_Shown());
}

void TTestAutosave::Failed_Autosave_Is_Told_Once_And_Cleared()
{
    Prepare_Files();
    {
        // The disk is as good as full: no file may grow beyond 64 bytes.
        const TFileSizeLimit limit(64);
        Type(Edit("range_y_edit"), "1200");
        QTRY_VERIFY_WITH_TIMEOUT(Unsaved_Notice_Shown(), 3000);
        // Autosave keeps trying, but tells only once.
        QTest::qWait(2500);
    }
    const QStringList notices = Open_Notices(window.get());
    QCOMPARE(notices.size(), 1);
    QVERIFY(notices[0].contains("Changes are not saved"));
    QVERIFY2(notices[0].contains(Settings_File()), qPrintable(notices[0]));
    QCOMPARE(Read(Measurement_File()), one_record);

    // With room again, the next attempt saves and the notice goes.
    QTRY_VERIFY_WITH_TIMEOUT(!Unsaved_Notice_Shown(), 5000);
    QCOMPARE(QSettings(Settings_File(), QSettings::IniFormat).value("Range_Y").toDouble(), 1200.0);
}

void TTestAutosave::Damaged_File_Is_Told_At_Start()
{
    QVERIFY(QDir(Home()).mkpath(".curvalo"));
    const QByteArray damaged = QByteArray(one_record).replace("300.000000", "3OO");
    Write(Measurement_File(), damaged);
    Start();
    QTRY_COMPARE(Open_Notices(window.get()).size(), 1);
    const QString notice = Open_Notices(window.get()).first();
    QVERIFY(notice.contains("The measurement file could not be read completely"));
    QVERIFY2(notice.contains("\"Nominal_Length\" is not a number: \"3OO\""), qPrintable(notice));
    QVERIFY(notice.contains("The original file is kept as '" + Measurement_File() + ".bak'"));
    QVERIFY(notice.contains("The list shows what could be read."));
    QCOMPARE(Rows(), 1);
    QCOMPARE(Read(Measurement_File() + ".bak"), damaged);
}

void TTestAutosave::Second_Window_On_The_Folder()
{
    Prepare_Files();
    TCurvalo second;
    QVERIFY(second.Settings_Folder_In_Use());
    QVERIFY(!window->Settings_Folder_In_Use());
    // It read nothing.
    QCOMPARE(second.findChild<QListView *>("measurement_list")->model()->rowCount(), 0);

    QString told;
    Answer_Next_Box("OK", &told);
    second.Tell_Settings_Folder_In_Use();
    QVERIFY(told.contains("Curvalo is already running with this settings folder"));
    QVERIFY(told.contains(Directory()));
}

void TTestAutosave::No_Home_Is_Told()
{
    const bool root_folder_existed = QFileInfo::exists("/.curvalo");
    const QByteArray saved_home = qgetenv("HOME");
    qunsetenv("HOME");
    Start();
    qputenv("HOME", saved_home);
    QCOMPARE(QFileInfo::exists("/.curvalo"), root_folder_existed);
    QTRY_VERIFY(Unsaved_Notice_Shown());
    QTRY_COMPARE(Open_Notices(window.get()).size(), 1);
    QVERIFY(Open_Notices(window.get()).first().contains("No home folder is set"));
    Close();
    QCOMPARE(QFileInfo::exists("/.curvalo"), root_folder_existed);
}

void TTestAutosave::Closing_While_The_Worker_Writes_data()
{
    QTest::addColumn<bool>("edit_after");
    QTest::newRow("nothing changed since") << false;
    QTest::newRow("changed while it writes") << true;
}

// The scheduled save writes a copy of a long list on its worker; a save asked for directly
// (closing, SIGTERM) then waits for it and writes what the list holds now, completely.
void TTestAutosave::Closing_While_The_Worker_Writes()
{
    QFETCH(bool, edit_after);
    TPersistence persistence;
    persistence.Open(Home());
    QVERIFY(persistence.Writable());
    TTestDocument document;
    std::vector<TMeasurementData::TMeasurement> records;
    for (int id = 1; id <= 2000; ++id) {
        records.push_back({id, TVector3(0, 500, 500), TVector3(0, 0, 1), 100.0 + id % 900});
    }
    document.Set_Measurements(records);
    TAutosave autosave(&document, &persistence, TAutosave::TWindowSettings());
    autosave.Stop();
    // As the timer runs it: the worker starts, and is known to be writing until the event
    // loop has taken its outcome back.
    QVERIFY(QMetaObject::invokeMethod(&autosave, "Save_Scheduled"));
    QVERIFY(autosave.Writing());
    if (edit_after) {
        TMeasurementData::TMeasurement first = records.front();
        first.nominal_length = 4321.0;
        QVERIFY(document.Update_Measurement(first));
    }
    QVERIFY(autosave.Save(true, false));
    QVERIFY(!autosave.Writing());
    const int written = persistence.Files_Written();
    TMeasurementData saved;
    QVERIFY(saved.Load_Data(Measurement_File()));
    QCOMPARE(saved.Measurements().size(), size_t(2000));
    QCOMPARE(saved.Measurements().front().nominal_length, edit_after ? 4321.0 : 101.0);
    QCOMPARE(saved.Measurements().back().nominal_length, 100.0 + 2000 % 900);
    // The worker's news, when it comes, changes nothing.
    QTest::qWait(50);
    QCOMPARE(persistence.Files_Written(), written);
}

// A measurement file the worker cannot write is told as the window's own save would tell it,
// and the file on disk stays as it was.
void TTestAutosave::Failure_On_The_Worker_Is_Told()
{
    Prepare_Files();
    {
        const TFileSizeLimit limit(64);
        Set_Current_Row(0);
        Type(Editor()->findChild<QLineEdit *>("nominal_length_edit"), "250");
        QTRY_VERIFY_WITH_TIMEOUT(Unsaved_Notice_Shown(), 3000);
    }
    const QStringList notices = Open_Notices(window.get());
    QCOMPARE(notices.size(), 1);
    QVERIFY2(notices[0].contains("the measurements were not saved"), qPrintable(notices[0]));
    QCOMPARE(Read(Measurement_File()), one_record);
    QTRY_VERIFY_WITH_TIMEOUT(!Unsaved_Notice_Shown(), 5000);
    QVERIFY(Read(Measurement_File()).contains("250.000000"));
}

QTEST_MAIN(TTestAutosave)
#include "tst_autosave.moc"
