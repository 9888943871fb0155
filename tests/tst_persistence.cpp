// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <memory>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "filesizelimit.h"
#include "measurementdata.h"
#include "persistence.h"
#include "testfiles.h"

namespace
{

QByteArray Nested(int depth)
{
    return "<Curvalo_Measurement_Data File_Version=\"1\">" + QByteArray("<a>").repeated(depth) +
           QByteArray("</a>").repeated(depth) + "</Curvalo_Measurement_Data>";
}
} // namespace

// ~/.curvalo on disk: the lock, what is read, what is kept, and what a save writes.
class TTestPersistence : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void Second_Program_Reads_And_Writes_Nothing();
    void Stale_Lock_Is_Taken_Over();
    void Lock_That_Is_No_File_Is_Named();
    void Loading_Again_Reads_The_File_Anew();
    void Save_Writes_Only_What_Changed();
    void Every_Change_Of_The_Records_Is_Saved_data();
    void Every_Change_Of_The_Records_Is_Saved();
    void Save_Begun_Writes_The_Records_As_They_Were_data();
    void Save_Begun_Writes_The_Records_As_They_Were();
    void Save_Job_Writes_What_Begin_Found_data();
    void Save_Job_Writes_What_Begin_Found();
    void Incomplete_File_Is_Kept_And_Told_data();
    void Incomplete_File_Is_Kept_And_Told();
    void Fifo_Does_Not_Hang();
    void Complete_File_Is_Not_Kept();
    void Failed_Save_Names_The_Reason();
    void Damaged_Settings_Give_No_False_Failure();
    void Dangling_Link_Is_Never_Written_Through();
    void Linked_Settings_Are_Written_Only_Into_Settings_data();
    void Linked_Settings_Are_Written_Only_Into_Settings();
    void No_Home_Writes_Nothing();
    void Read_Only_Folder_Is_Still_Read();

private:
    QString Directory() const { return home->path() + "/.curvalo"; }
    QString Measurement_File() const { return Directory() + "/measurements.xml"; }
    QString Settings_File() const { return Directory() + "/settings.ini"; }
    // A persistence that has read the folder as the window does at start.
    std::unique_ptr<TPersistence> Open_And_Load(TMeasurementData *data,
                                                TPersistence::TSettings *settings = nullptr);
    // Two records on disk, opened, loaded and saved once, as after a start.
    std::unique_ptr<TPersistence> Open_Saved_Two_Records(TMeasurementData *data,
                                                         TPersistence::TSettings *settings);

    std::unique_ptr<QTemporaryDir> home;
};

void TTestPersistence::init()
{
    home = std::make_unique<QTemporaryDir>();
    QVERIFY(home->isValid());
    QVERIFY(QDir(home->path()).mkpath(".curvalo"));
}

void TTestPersistence::cleanup()
{
    QFile::setPermissions(Directory(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    home.reset();
}

std::unique_ptr<TPersistence> TTestPersistence::Open_And_Load(TMeasurementData *data,
                                                              TPersistence::TSettings *settings)
{
    auto persistence = std::make_unique<TPersistence>();
    persistence->Open(home->path());
    const TPersistence::TSettings loaded = persistence->Load_Settings();
    if (settings) {
        *settings = loaded;
    }
    persistence->Load_Measurements(data);
    return persistence;
}

std::unique_ptr<TPersistence>
TTestPersistence::Open_Saved_Two_Records(TMeasurementData *data, TPersistence::TSettings *settings)
{
    Write(Measurement_File(), two_records);
    std::unique_ptr<TPersistence> persistence = Open_And_Load(data, settings);
    if (!persistence->Save(*settings, *data, true)) {
        qWarning() << "the first save failed:" << persistence->Last_Error();
        return nullptr;
    }
    return persistence;
}

void TTestPersistence::Second_Program_Reads_And_Writes_Nothing()
{
    Write(Measurement_File(), two_records);
    TMeasurementData first_data;
    TPersistence::TSettings settings;
    std::unique_ptr<TPersistence> first = Open_And_Load(&first_data, &settings);
    QCOMPARE(first->Lock_State(), TPersistence::LOCK_TAKEN);
    QCOMPARE(first_data.Get_Measurement_Ids().size(), size_t(2));

    TMeasurementData second_data;
    std::unique_ptr<TPersistence> second = Open_And_Load(&second_data);
    QCOMPARE(second->Lock_State(), TPersistence::LOCK_HELD_ELSEWHERE);
    QVERIFY(!second->Readable());
    QVERIFY(second->Unsaved_Reason().contains("already running"));
    QVERIFY(second_data.Get_Measurement_Ids().empty());
    QVERIFY(!second->Save(settings, second_data, true));
    QCOMPARE(Read(Measurement_File()), two_records);
    QVERIFY(!QFileInfo::exists(Settings_File()));

    // Once the first is gone, the folder is free again.
    first.reset();
    second.reset();
    TMeasurementData third_data;
    QCOMPARE(Open_And_Load(&third_data)->Lock_State(), TPersistence::LOCK_TAKEN);
}

void TTestPersistence::Stale_Lock_Is_Taken_Over()
{
    // A lock whose program has ended, as a killed program leaves it.
    QProcess ended;
    ended.start("true", QStringList());
    QVERIFY(ended.waitForFinished());
    const qint64 dead = ended.processId() > 0 ? ended.processId() : 999999;
    Write(Directory() + "/curvalo.lock",
          QByteArray::number(dead) + "\ncurvalo\n" + QSysInfo::machineHostName().toUtf8() + "\n");

    TMeasurementData data;
    std::unique_ptr<TPersistence> persistence = Open_And_Load(&data);
    QCOMPARE(persistence->Lock_State(), TPersistence::LOCK_TAKEN);
    QVERIFY(persistence->Unsaved_Reason().isEmpty());
}

void TTestPersistence::Loading_Again_Reads_The_File_Anew()
{
    // The file is read on a thread that then tidies its memory; a second load waits for that
    // thread, replaces what the store held, and what it read is saved over as any store is.
    Write(Measurement_File(), two_records);
    TMeasurementData data;
    std::unique_ptr<TPersistence> persistence = Open_And_Load(&data);
    QCOMPARE(data.Get_Measurement_Ids(), (std::vector<int>{2, 1}));
    QVERIFY(persistence->Load_Problem().isEmpty());

    Write(Measurement_File(), QByteArray(two_records).replace("<Id>1</Id>", "<Id>7</Id>"));
    persistence->Load_Measurements(&data);
    QCOMPARE(data.Get_Measurement_Ids(), (std::vector<int>{2, 7}));
    QVERIFY(persistence->Load_Problem().isEmpty());
    QVERIFY(data.Remove_Measurement(2));
    QVERIFY(persistence->Save(persistence->Load_Settings(), data, false));
    TMeasurementData reread;
    QVERIFY(reread.Load_Data(Measurement_File()));
    QCOMPARE(reread.Get_Measurement_Ids(), std::vector<int>{7});
}

void TTestPersistence::Lock_That_Is_No_File_Is_Named()
{
    QVERIFY(QDir(Directory()).mkdir("curvalo.lock"));
    Write(Measurement_File(), two_records);
    TMeasurementData data;
    std::unique_ptr<TPersistence> persistence = Open_And_Load(&data);
    // Not "already running": the folder is read, nothing is written, and the reason names the
    // lock and what is wrong with it.
    QVERIFY(persistence->Lock_State() != TPersistence::LOCK_HELD_ELSEWHERE);
    QCOMPARE(data.Get_Measurement_Ids().size(), size_t(2));
    QVERIFY(!persistence->Writable());
    QVERIFY2(persistence->Unsaved_Reason().contains(Directory() + "/curvalo.lock") &&
                 persistence->Unsaved_Reason().contains("folder"),
             qPrintable(persistence->Unsaved_Reason()));
}

void TTestPersistence::Save_Writes_Only_What_Changed()
{
    Write(Measurement_File(), two_records);
    TMeasurementData data;
    TPersistence::TSettings settings;
    std::unique_ptr<TPersistence> persistence = Open_And_Load(&data, &settings);

    // The first save of a start writes both files, even unchanged ones.
    QVERIFY(persistence->Save(settings, data, true));
    QCOMPARE(persistence->Files_Written(), 2);
    QCOMPARE(Read(Measurement_File()), two_records);

    // Nothing changed: nothing is written, as a marker left in the file shows.
    Write(Settings_File(), "[General]\nmarker=1\n");
    QVERIFY(persistence->Save(settings, data, false));
    QCOMPARE(persistence->Files_Written(), 2);
    QCOMPARE(Read(Settings_File()), QByteArray("[General]\nmarker=1\n"));

    // One setting changed: only the settings are written, keeping keys we do not know.
    settings.range_y = 1500.0;
    QVERIFY(persistence->Save(settings, data, false));
    QCOMPARE(persistence->Files_Written(), 3);
    const QSettings written(Settings_File(), QSettings::IniFormat);
    QCOMPARE(written.value("Range_Y").toDouble(), 1500.0);
    QCOMPARE(written.value("marker").toInt(), 1);

    // A removed measurement: only the measurements are written.
    QVERIFY(data.Remove_Measurement(2));
    QVERIFY(persistence->Save(settings, data, false));
    QCOMPARE(persistence->Files_Written(), 4);
    QCOMPARE(Read(Measurement_File()).count("<Measurement>"), 1);
}

using TRecordsChange = std::function<void(TMeasurementData *)>;
Q_DECLARE_METATYPE(TRecordsChange)

void TTestPersistence::Every_Change_Of_The_Records_Is_Saved_data()
{
    QTest::addColumn<TRecordsChange>("change");
    QTest::addColumn<int>("records"); // in the file written after it
    const auto moved = [](TMeasurementData *data) {
        TMeasurementData::TMeasurement record;
        QVERIFY(data->Get_Measurement(1, &record));
        record.nominal_length += 0.001;
        QVERIFY(data->Update_Measurement(record));
    };
    QTest::newRow("added, with a free id")
        << TRecordsChange([](TMeasurementData *data) { data->Add_Measurement(); }) << 3;
    QTest::newRow("added as given") << TRecordsChange([](TMeasurementData *data) {
        data->Add_Measurement({7, TVector3(0, 1, 2), TVector3(0, 1, 0), 50.0});
    }) << 3;
    QTest::newRow("edited") << TRecordsChange(moved) << 2;
    QTest::newRow("removed") << TRecordsChange([](TMeasurementData *data) {
        QVERIFY(data->Remove_Measurement(1));
    }) << 1;
    QTest::newRow("several removed") << TRecordsChange([](TMeasurementData *data) {
        data->Remove_Measurements({1, 2});
    }) << 0;
    QTest::newRow("cleared") << TRecordsChange([](TMeasurementData *data) {
        data->Clear_Measurements();
    }) << 0;
    QTest::newRow("set anew") << TRecordsChange([](TMeasurementData *data) {
        const std::vector<TMeasurementData::TMeasurement> one(data->Measurements().begin(),
                                                              data->Measurements().begin() + 1);
        data->Set_Measurements(one);
    }) << 1;
    QTest::newRow("a stretch replaced") << TRecordsChange([](TMeasurementData *data) {
        TMeasurementData::TMeasurement record = data->Measurements()[1];
        record.has_measured_length = !record.has_measured_length;
        data->Replace_Records(1, 1, {record});
    }) << 2;
    QTest::newRow("replaced by a copy of a changed list")
        << TRecordsChange([moved](TMeasurementData *data) {
               TMeasurementData copy = *data;
               moved(&copy);
               *data = copy;
           })
        << 2;
}

// A save writes the measurement file after any change of the records, whichever way they
// changed, and the file then holds the changed records; a copy of unchanged records is not
// written again.
void TTestPersistence::Every_Change_Of_The_Records_Is_Saved()
{
    QFETCH(TRecordsChange, change);
    QFETCH(int, records);
    TMeasurementData data;
    TPersistence::TSettings settings;
    const std::unique_ptr<TPersistence> persistence = Open_Saved_Two_Records(&data, &settings);
    QVERIFY(persistence);
    const int written = persistence->Files_Written();
    const TMeasurementData unchanged = data;
    QVERIFY(persistence->Save(settings, unchanged, false));
    QCOMPARE(persistence->Files_Written(), written);

    change(&data);
    QVERIFY(persistence->Save(settings, data, false));
    QCOMPARE(persistence->Files_Written(), written + 1);
    TMeasurementData read;
    QVERIFY(read.Load_Data(Measurement_File()));
    QCOMPARE(int(read.Measurements().size()), records);
    QVERIFY(read.Measurements() == data.Measurements());
    // Saved, and not changed since: not written again.
    QVERIFY(persistence->Save(settings, data, false));
    QCOMPARE(persistence->Files_Written(), written + 1);
}

void TTestPersistence::Save_Begun_Writes_The_Records_As_They_Were_data()
{
    Every_Change_Of_The_Records_Is_Saved_data();
}

// The autosave writes on a worker thread while the window goes on changing the store: the
// file holds the records as they were when the save began, and a copy of the store taken
// then still holds them too, whichever way the store changed since.
void TTestPersistence::Save_Begun_Writes_The_Records_As_They_Were()
{
    QFETCH(TRecordsChange, change);
    QFETCH(int, records);
    Write(Measurement_File(), two_records);
    TMeasurementData data;
    TPersistence::TSettings settings;
    std::unique_ptr<TPersistence> persistence = Open_And_Load(&data, &settings);
    const std::vector<TMeasurementData::TMeasurement> before = data.Measurements();
    const TMeasurementData copy = data;
    TPersistence::TSaveJob job;
    persistence->Begin_Save(settings, data, true, &job);

    change(&data);
    job.Write();
    QVERIFY(persistence->Finish_Save(&job));
    TMeasurementData read;
    QVERIFY(read.Load_Data(Measurement_File()));
    QVERIFY(read.Measurements() == before);
    QVERIFY(copy.Measurements() == before);
    QCOMPARE(int(data.Measurements().size()), records);
}

void TTestPersistence::Save_Job_Writes_What_Begin_Found_data()
{
    QTest::addColumn<bool>("settings_changed");
    QTest::addColumn<bool>("records_changed");
    QTest::newRow("nothing") << false << false;
    QTest::newRow("a setting") << true << false;
    QTest::newRow("the records") << false << true;
    QTest::newRow("both") << true << true;
}

// Beginning a save only finds out what to write: neither file changes before the job writes
// it, on a thread of its own as the autosave's worker does, and only finishing counts what
// was written and remembers it, so that the same again writes nothing.
void TTestPersistence::Save_Job_Writes_What_Begin_Found()
{
    QFETCH(bool, settings_changed);
    QFETCH(bool, records_changed);
    TMeasurementData data;
    TPersistence::TSettings settings;
    const std::unique_ptr<TPersistence> persistence = Open_Saved_Two_Records(&data, &settings);
    QVERIFY(persistence);
    const QByteArray settings_before = Read(Settings_File());
    const QByteArray records_before = Read(Measurement_File());
    const int written = persistence->Files_Written();
    if (settings_changed) {
        settings.range_y = 1500.0;
    }
    if (records_changed) {
        QVERIFY(data.Remove_Measurement(2));
    }

    TPersistence::TSaveJob job;
    persistence->Begin_Save(settings, data, false, &job);
    QCOMPARE(job.settings_needed, settings_changed);
    QCOMPARE(job.needed, records_changed);
    QCOMPARE(Read(Settings_File()), settings_before);
    QCOMPARE(Read(Measurement_File()), records_before);
    std::thread worker([&job]() { job.Write(); });
    worker.join();
    QCOMPARE(Read(Settings_File()) != settings_before, settings_changed);
    QCOMPARE(Read(Measurement_File()) != records_before, records_changed);
    QCOMPARE(persistence->Files_Written(), written);
    QVERIFY2(persistence->Finish_Save(&job), qPrintable(persistence->Last_Error()));
    QCOMPARE(persistence->Files_Written(), written + int(settings_changed) + int(records_changed));
    QCOMPARE(QSettings(Settings_File(), QSettings::IniFormat).value("Range_Y").toDouble(),
             settings_changed ? 1500.0 : 1000.0);

    persistence->Begin_Save(settings, data, false, &job);
    QVERIFY(!job.settings_needed && !job.needed);
    QVERIFY(persistence->Finish_Save(&job));
}

void TTestPersistence::Incomplete_File_Is_Kept_And_Told_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("loaded");
    QTest::addColumn<QString>("told");
    QTest::newRow("nested 100000 deep") << Nested(100000) << 0 << "nested deeper than";
    QTest::newRow("nested just too deep") << Nested(32) << 0 << "nested deeper than 32 levels";
    QTest::newRow("not a number")
        << QByteArray(two_records).replace("<Nominal_Length>500.000000", "<Nominal_Length>5OO") << 2
        << "line 3: \"Nominal_Length\" is not a number: \"5OO\"";
    QTest::newRow("position not a number")
        << QByteArray(two_records).replace("250.000000,400", "250.000000,abc") << 2
        << "\"Position\" is not a number: \"0.000000,250.000000,abc.000000\"";
    QTest::newRow("identifier not a number")
        << QByteArray(two_records).replace("<Id>1</Id>", "<Id>one</Id>") << 1
        << "\"Id\" is not a number: \"one\"";
    QTest::newRow("unknown element in a record")
        << QByteArray(two_records).replace("<Id>2</Id>", "<Id>2</Id><Comment>probe A</Comment>")
        << 2 << "line 4: element \"Comment\" is not part of a measurement";
    QTest::newRow("unknown element in the file")
        << QByteArray(two_records)
               .replace("</Curvalo_Measurement_Data>",
                        "<Machine>X-42</Machine></Curvalo_Measurement_Data>")
        << 2 << "element \"Machine\" is not part of the format";
    QTest::newRow("comment")
        << QByteArray(two_records).replace("<Measurement>", "<!-- checked --><Measurement>") << 2
        << "a comment is not part of the format";
    QTest::newRow("repeated identifier")
        << QByteArray(two_records).replace("<Id>1</Id>", "<Id>2</Id>") << 1
        << "\"Id\" 2 was left out";
    QTest::newRow("not XML") << QByteArray("\x01\x02 not xml") << 0 << "XML parse error";
    QTest::newRow("newer version")
        << QByteArray(two_records).replace("File_Version=\"1\"", "File_Version=\"2\"") << 0
        << "File version not recognized";
}

void TTestPersistence::Incomplete_File_Is_Kept_And_Told()
{
    QFETCH(QByteArray, content);
    QFETCH(int, loaded);
    QFETCH(QString, told);

    Write(Measurement_File(), content);
    TMeasurementData data;
    TPersistence::TSettings settings;
    std::unique_ptr<TPersistence> persistence = Open_And_Load(&data, &settings);
    QCOMPARE(int(data.Get_Measurement_Ids().size()), loaded);
    QVERIFY2(persistence->Load_Problem().contains(told), qPrintable(persistence->Load_Problem()));

    // The original is kept before anything is written.
    QCOMPARE(persistence->Kept_File(), Measurement_File() + ".bak");
    QCOMPARE(Read(Measurement_File() + ".bak"), content);
    QVERIFY(!QFileInfo::exists(Measurement_File()));
    QVERIFY(persistence->Save(settings, data, true));
    QCOMPARE(Read(Measurement_File() + ".bak"), content);
    QCOMPARE(Read(Measurement_File()).count("<Measurement>"), loaded);
}

void TTestPersistence::Fifo_Does_Not_Hang()
{
    QCOMPARE(mkfifo(QFile::encodeName(Measurement_File()).constData(), 0600), 0);
    TMeasurementData data;
    std::unique_ptr<TPersistence> persistence = Open_And_Load(&data);
    QVERIFY(persistence->Load_Problem().contains("not a regular file"));
    QCOMPARE(persistence->Kept_File(), Measurement_File() + ".bak");
    QVERIFY(QFileInfo(Measurement_File() + ".bak").exists());
}

void TTestPersistence::Complete_File_Is_Not_Kept()
{
    Write(Measurement_File(), two_records);
    TMeasurementData data;
    std::unique_ptr<TPersistence> persistence = Open_And_Load(&data);
    QVERIFY(persistence->Load_Problem().isEmpty());
    QVERIFY(persistence->Kept_File().isEmpty());
    QCOMPARE(QDir(Directory()).entryList(QDir::Files),
             (QStringList{"curvalo.lock", "measurements.xml"}));
}

void TTestPersistence::Failed_Save_Names_The_Reason()
{
    TMeasurementData data;
    TPersistence::TSettings settings;
    const std::unique_ptr<TPersistence> persistence = Open_Saved_Two_Records(&data, &settings);
    QVERIFY(persistence);
    const QByteArray settings_before = Read(Settings_File());
    data.Remove_Measurement(1);
    settings.range_z = 700.0;
    bool saved = true;
    {
        const TFileSizeLimit limit(64);
        saved = persistence->Save(settings, data, false);
    }
    QVERIFY(!saved);
    // Neither file was cut short or replaced.
    QCOMPARE(Read(Settings_File()), settings_before);
    QVERIFY2(persistence->Last_Error().contains("File too large"),
             qPrintable(persistence->Last_Error()));
    // Each file named, the settings first, as they are written first.
    QVERIFY(persistence->Last_Error().contains(Settings_File()));
    QVERIFY(persistence->Last_Error().contains(Measurement_File()));
    QVERIFY(persistence->Last_Error().indexOf(Settings_File()) <
            persistence->Last_Error().indexOf(Measurement_File()));
    QCOMPARE(Read(Measurement_File()), two_records);

    // The next attempt, with room again, goes through.
    QVERIFY(persistence->Save(settings, data, false));
    QCOMPARE(Read(Measurement_File()).count("<Measurement>"), 1);
    QCOMPARE(QSettings(Settings_File(), QSettings::IniFormat).value("Range_Z").toDouble(), 700.0);
}

void TTestPersistence::Damaged_Settings_Give_No_False_Failure()
{
    Write(Settings_File(), QByteArray("[General\n\x01\x02=\xff\n", 15));
    TMeasurementData data;
    TPersistence::TSettings settings;
    std::unique_ptr<TPersistence> persistence = Open_And_Load(&data, &settings);
    QVERIFY2(persistence->Save(settings, data, true), qPrintable(persistence->Last_Error()));
    QVERIFY(persistence->Last_Error().isEmpty());
    QCOMPARE(QSettings(Settings_File(), QSettings::IniFormat).value("Range_Y").toDouble(), 1000.0);
}

void TTestPersistence::Dangling_Link_Is_Never_Written_Through()
{
    const QString outside = home->path() + "/elsewhere.xml";
    QVERIFY(QFile::link(outside, Measurement_File()));
    TMeasurementData data;
    TPersistence::TSettings settings;
    std::unique_ptr<TPersistence> persistence = Open_And_Load(&data, &settings);
    data.Add_Measurement();
    QVERIFY(!persistence->Save(settings, data, true));
    QVERIFY2(persistence->Last_Error().contains("does not exist"),
             qPrintable(persistence->Last_Error()));
    QVERIFY(!QFileInfo::exists(outside));
}

void TTestPersistence::Linked_Settings_Are_Written_Only_Into_Settings_data()
{
    QTest::addColumn<QByteArray>("target");
    QTest::addColumn<bool>("written");
    QTest::newRow("another program's file") << QByteArray("[core]\neditor=vi\n") << false;
    QTest::newRow("plain text") << QByteArray("my notes\n") << false;
    QTest::newRow("a Curvalo settings file kept elsewhere")
        << QByteArray("[General]\nDeflection_Model=1\nRange_Y=500\n\n[MPE]\nA=1\nK=2\n") << true;
}

// settings.ini may be a link into a folder the user keeps elsewhere; a link to a file that is
// not a settings file is never rewritten as one.
void TTestPersistence::Linked_Settings_Are_Written_Only_Into_Settings()
{
    QFETCH(QByteArray, target);
    QFETCH(bool, written);

    const QString elsewhere = home->filePath("elsewhere.conf");
    Write(elsewhere, target);
    QVERIFY(QFile::link(elsewhere, Settings_File()));
    TMeasurementData data;
    TPersistence::TSettings settings;
    std::unique_ptr<TPersistence> persistence = Open_And_Load(&data, &settings);
    settings.range_z = 750.0;
    QCOMPARE(persistence->Save(settings, data, true), written);
    QVERIFY(QFileInfo(Settings_File()).isSymLink());
    if (written) {
        QVERIFY(Read(elsewhere).contains("Range_Z=750"));
    } else {
        QCOMPARE(Read(elsewhere), target);
        QVERIFY2(persistence->Last_Error().contains(elsewhere),
                 qPrintable(persistence->Last_Error()));
    }
}

void TTestPersistence::No_Home_Writes_Nothing()
{
    TPersistence persistence;
    persistence.Open(QString());
    QVERIFY(!persistence.Writable());
    QVERIFY(persistence.Unsaved_Reason().contains("HOME"));
    const TPersistence::TSettings settings = persistence.Load_Settings();
    QCOMPARE(settings.window_size, QSize(801, 601));
    TMeasurementData data;
    QVERIFY(!persistence.Save(settings, data, true));
    QVERIFY(persistence.Directory().isEmpty());
}

void TTestPersistence::Read_Only_Folder_Is_Still_Read()
{
    if (geteuid() == 0) {
        QSKIP("root can write into any directory, so a read-only folder cannot be made");
    }
    Write(Measurement_File(), two_records);
    QVERIFY(QFile::setPermissions(Directory(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    TMeasurementData data;
    TPersistence::TSettings settings;
    std::unique_ptr<TPersistence> persistence = Open_And_Load(&data, &settings);
    QCOMPARE(data.Get_Measurement_Ids().size(), size_t(2));
    QVERIFY(!persistence->Writable());
    QVERIFY(persistence->Unsaved_Reason().contains("cannot be written"));
    QVERIFY(!persistence->Save(settings, data, true));
    QCOMPARE(Read(Measurement_File()), two_records);
}

QTEST_GUILESS_MAIN(TTestPersistence)
#include "tst_persistence.moc"
