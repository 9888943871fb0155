// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "testdocument.h"
#include "testfile.h"
#include "testfiles.h"

namespace
{
struct TRun {
    int exit_code;
    QByteArray out;
    QString err;
};

// A measurement record of the file format with these texts.
QByteArray Record(const QString &id, const QString &length, const QString &position)
{
    return QStringLiteral("    <Measurement>\n        <Id>%1</Id>\n"
                          "        <Nominal_Length>%2</Nominal_Length>\n"
                          "        <Position>%3</Position>\n"
                          "        <Axis>0.000000000000,1.000000000000,0.000000000000</Axis>\n"
                          "    </Measurement>\n")
        .arg(id, length, position)
        .toUtf8();
}

QByteArray Measurement_File(const QByteArray &records)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<Curvalo_Measurement_Data File_Version=\"1\">\n" +
           records + "</Curvalo_Measurement_Data>\n";
}

const QByteArray good_records = Record("1", "500.000000", "0.000000,500.000000,500.000000") +
                                Record("2", "300.000000", "0.000000,200.000000,700.000000");
} // namespace

// curvalo-batch under faults and hostile input: it never replaces what it read, never writes
// where a window works, never renames over a device, and never reports a failure as success.
class TTestBatchFaults : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void A_Window_s_Folder_Is_Refused_data();
    void A_Window_s_Folder_Is_Refused();
    void Outputs_That_Must_Not_Be_Written_data();
    void Outputs_That_Must_Not_Be_Written();
    void Devices_Are_Written_In_Place();
    void Standard_Output_Is_Checked_data();
    void Standard_Output_Is_Checked();
    void Fit_Stores_What_It_Used();
    void Damaged_Inputs_Are_Refused_data();
    void Damaged_Inputs_Are_Refused();
    void Csv_Measurements_data();
    void Csv_Measurements();
    void Fit_Writes_Back_Into_The_Test();
    void No_Home_Is_Refused();

private:
    TRun Run(const QStringList &arguments, const QString &shell = QString(), bool with_home = true);
    QString File(const QString &name) const { return folder->filePath(name); }
    QString Settings_Folder() const { return File("home/.curvalo"); }

    std::unique_ptr<QTemporaryDir> folder;
};

void TTestBatchFaults::init()
{
    folder = std::make_unique<QTemporaryDir>();
    QVERIFY(folder->isValid());
    QVERIFY(QDir(folder->path()).mkpath("home/.curvalo"));
    Write(File("measurements.xml"), Measurement_File(good_records));
    Write(File("settings.ini"), "[General]\nDeflection_Model=0\nModel_Parameter1=-0.05\n");
    Write(Settings_Folder() + "/settings.ini", "[General]\nDeflection_Model=0\n");
    Write(Settings_Folder() + "/measurements.xml", Measurement_File(good_records));
}

// The tool with these arguments; with a shell command, "$0" in it is the tool and "$@" the
// arguments.
TRun TTestBatchFaults::Run(const QStringList &arguments, const QString &shell, bool with_home)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (with_home) {
        environment.insert("HOME", File("home"));
    } else {
        environment.remove("HOME");
    }
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder->path());
    if (shell.isEmpty()) {
        process.start(CURVALO_BATCH, arguments);
    } else {
        process.start("/bin/sh", QStringList{"-c", shell, CURVALO_BATCH} + arguments);
    }
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return {-1000, QByteArray(), QString()};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), QString::fromUtf8(process.readAllStandardError())};
}

void TTestBatchFaults::A_Window_s_Folder_Is_Refused_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("target");
    QTest::newRow("fit into the settings")
        << QStringList{"fit", "--free", "2", "--write-settings"} << "settings.ini";
    QTest::newRow("a plan as the measurement file")
        << QStringList{"plan", "--output", "home/.curvalo/measurements.xml"} << "measurements.xml";
}

void TTestBatchFaults::A_Window_s_Folder_Is_Refused()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, target);

    QSettings(Settings_Folder() + "/settings.ini", QSettings::IniFormat)
        .setValue("Model_Parameter2", 0.5);
    Write(
        Settings_Folder() + "/measurements.xml",
        Measurement_File(Record("1", "500.000000", "0.000000,500.000000,500.000000")
                             .replace("</Measurement>", "<Measured_Length>500.01</Measured_Length>"
                                                        "</Measurement>")));
    const QString file = Settings_Folder() + "/" + target;
    const QByteArray before = Read(file);
    {
        // A window works on the folder: a live process holds its lock.
        QLockFile window_lock(Settings_Folder() + "/curvalo.lock");
        QVERIFY(window_lock.tryLock(0));
        const TRun refused = Run(arguments);
        QCOMPARE(refused.exit_code, 1);
        QVERIFY2(refused.err.contains(Settings_Folder()), qPrintable(refused.err));
        QCOMPARE(Read(file), before);
    }
    // Without the window the tool takes the lock itself, and leaves none behind.
    const TRun written = Run(arguments);
    QVERIFY2(written.exit_code == 0, qPrintable(written.err));
    QVERIFY(Read(file) != before);
    QVERIFY(!QFileInfo::exists(Settings_Folder() + "/curvalo.lock"));
}

void TTestBatchFaults::Outputs_That_Must_Not_Be_Written_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exit_code");
    // A file that must still hold what it held before.
    QTest::addColumn<QString>("kept");

    const QStringList fit{
        "fit",    "--settings", "settings.ini",    "--measurements", "with_measured.xml",
        "--free", "2",          "--write-settings"};
    QTest::newRow("the measurements as the output")
        << QStringList{"evaluate", "--measurements", "measurements.xml", "--output",
                       "measurements.xml"}
        << 2 << "measurements.xml";
    QTest::newRow("the settings as the output of a fit that writes them")
        << fit + QStringList{"--output", "settings.ini"} << 2 << "settings.ini";
    QTest::newRow("the output a folder")
        << fit + QStringList{"--output", "."} << 1 << "settings.ini";
    QTest::newRow("the output a dangling link")
        << fit + QStringList{"--output", "dangling.json"} << 1 << "settings.ini";
    QTest::newRow("an empty output name")
        << QStringList{"evaluate", "--measurements", "measurements.xml", "--output", ""} << 2
        << "measurements.xml";
}

void TTestBatchFaults::Outputs_That_Must_Not_Be_Written()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exit_code);
    QFETCH(QString, kept);

    Write(
        File("with_measured.xml"),
        Measurement_File(Record("1", "500.000000", "0.000000,500.000000,500.000000")
                             .replace("</Measurement>", "<Measured_Length>500.01</Measured_Length>"
                                                        "</Measurement>")));
    QVERIFY(QFile::link(File("nowhere/fit.json"), File("dangling.json")));
    const QByteArray before = Read(File(kept));
    const TRun run = Run(arguments);
    QVERIFY2(run.exit_code == exit_code, qPrintable(run.err));
    QCOMPARE(Read(File(kept)), before);
}

void TTestBatchFaults::Devices_Are_Written_In_Place()
{
    const QStringList evaluate{"evaluate", "--measurements", "measurements.xml", "--output"};
    const TRun null = Run(evaluate + QStringList{"/dev/null"});
    QVERIFY2(null.exit_code == 0, qPrintable(null.err));
    QVERIFY(QFileInfo::exists("/dev/null") && !QFileInfo("/dev/null").isFile());

    const TRun full = Run(evaluate + QStringList{"/dev/full"});
    QCOMPARE(full.exit_code, 1);
    QVERIFY2(full.err.contains("No space left on device"), qPrintable(full.err));
    QVERIFY(!QFileInfo("/dev/full").isFile());
}

void TTestBatchFaults::Standard_Output_Is_Checked_data()
{
    QTest::addColumn<QString>("shell");
    QTest::addColumn<int>("exit_code");
    QTest::newRow("into a full device") << "exec \"$0\" \"$@\" > /dev/full" << 1;
    QTest::newRow("closed") << "exec \"$0\" \"$@\" >&-" << 1;
    QTest::newRow("beyond the file size limit") << "ulimit -f 1; exec \"$0\" \"$@\" > big.csv" << 1;
    QTest::newRow("into a pipe through /dev/stdout")
        << "exec \"$0\" \"$@\" --output /dev/stdout" << 0;
}

void TTestBatchFaults::Standard_Output_Is_Checked()
{
    QFETCH(QString, shell);
    QFETCH(int, exit_code);

    // Enough rows to pass the 512 bytes of a one-block file size limit.
    QByteArray records;
    for (int id = 1; id <= 40; ++id) {
        records += Record(QString::number(id), "500.000000", "0.000000,500.000000,500.000000");
    }
    Write(File("many.xml"), Measurement_File(records));
    const TRun run = Run({"evaluate", "--measurements", "many.xml"}, shell);
    QVERIFY2(run.exit_code == exit_code, qPrintable(run.err));
    if (exit_code == 0) {
        QVERIFY(run.out.startsWith("id,nominal_length_mm"));
        QCOMPARE(run.out.count('\n'), 41);
    } else {
        QVERIFY2(run.err.contains("standard output"), qPrintable(run.err));
    }
}

void TTestBatchFaults::Fit_Stores_What_It_Used()
{
    Write(
        File("with_measured.xml"),
        Measurement_File(Record("1", "500.000000", "0.000000,500.000000,500.000000")
                             .replace("</Measurement>", "<Measured_Length>500.01</Measured_Length>"
                                                        "</Measurement>")));
    const TRun run =
        Run({"fit", "--settings", "settings.ini", "--measurements", "with_measured.xml", "--model",
             "renishaw", "--free", "2", "--range-y", "800", "--write-settings"});
    QVERIFY2(run.exit_code == 0, qPrintable(run.err));
    const QSettings settings(File("settings.ini"), QSettings::IniFormat);
    QCOMPARE(settings.value("Deflection_Model").toInt(), 1);
    QCOMPARE(settings.value("Range_Y").toDouble(), 800.0);
    QVERIFY(!settings.contains("Range_Z"));
}

void TTestBatchFaults::Damaged_Inputs_Are_Refused_data()
{
    QTest::addColumn<QByteArray>("records");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exit_code");
    QTest::addColumn<QString>("message");

    const QString position = "0.000000,500.000000,500.000000";
    QTest::newRow("a decimal comma") << Record("1", "1,5", position) << QStringList() << 1
                                     << "\"Nominal_Length\" is not a number: \"1,5\"";
    QTest::newRow("a hexadecimal position")
        << Record("1", "10", "0,0x10,0") << QStringList() << 1 << "\"Position\" is not a number";
    QTest::newRow("a negative id") << Record("-1", "10", position) << QStringList() << 1
                                   << "identifiers must be positive and unique";
    QTest::newRow("id 0") << Record("0", "10", position) << QStringList() << 1
                          << "identifiers must be positive and unique";
    QTest::newRow("a repeated id") << Record("1", "10", position) + Record("1", "20", position)
                                   << QStringList() << 1 << "identifiers must be positive";
    QTest::newRow("a length nan") << Record("1", "nan", position) << QStringList() << 1
                                  << "\"Nominal_Length\" is not a number: \"nan\"";
    QTest::newRow("a position inf")
        << Record("1", "10", "0,inf,0") << QStringList() << 1 << "\"Position\" is not a number";
    QTest::newRow("parameters beyond any field")
        << good_records << QStringList{"--parameters", "1e308,0,0,0"} << 2 << "--parameters";
    QTest::newRow("an MPE that would be infinite")
        << good_records << QStringList{"--mpe", "1,1e-320"} << 2 << "K of the MPE is too small";
}

void TTestBatchFaults::Damaged_Inputs_Are_Refused()
{
    QFETCH(QByteArray, records);
    QFETCH(QStringList, options);
    QFETCH(int, exit_code);
    QFETCH(QString, message);

    Write(File("damaged.xml"), Measurement_File(records));
    const TRun run = Run(QStringList{"evaluate", "--measurements", "damaged.xml"} + options);
    QCOMPARE(run.exit_code, exit_code);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
}

// --measurements also reads the CSV form of a measurement set.
void TTestBatchFaults::Csv_Measurements_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("exit_code");
    QTest::newRow("commas") << QByteArray("nominal_length_mm,position_y_mm,position_z_mm,axis_y,"
                                          "axis_z,measured_length_mm\n500,500,500,1,0,500.01\n")
                            << 0;
    QTest::newRow("semicolons") << QByteArray("nominal_length_mm;position_y_mm;position_z_mm;"
                                              "axis_y;axis_z\n500,5;500;500;1;0\n")
                                << 0;
    QTest::newRow("an error") << QByteArray("nominal_length_mm,position_y_mm,position_z_mm,axis_y,"
                                            "axis_z\n-5,500,500,1,0\n")
                              << 1;
}

void TTestBatchFaults::Csv_Measurements()
{
    QFETCH(QByteArray, content);
    QFETCH(int, exit_code);
    Write(File("set.csv"), content);
    const TRun run = Run({"evaluate", "--measurements", "set.csv"});
    QVERIFY2(run.exit_code == exit_code, qPrintable(run.err));
    if (exit_code == 0) {
        QCOMPARE(run.out.count('\n'), 2);
        QVERIFY(run.out.contains("\n1,500"));
    } else {
        QVERIFY2(run.err.contains("line 2"), qPrintable(run.err));
    }
}

// fit --write-test stores the fit in the test file, whole; never into a test a window has open.
void TTestBatchFaults::Fit_Writes_Back_Into_The_Test()
{
    TTestDocument test;
    test.Set_Model_Index(0);
    TMeasurementData::TMeasurement measured{1, TVector3(0, 500, 500), TVector3(0, 1, 0), 500.0};
    measured.has_measured_length = true;
    measured.measured_length = 500.01;
    test.Add_Measurement(measured);
    const QString file = File("machine.curvalo");
    Write(file, TTestFile::Data(test));
    const QByteArray before = Read(file);

    {
        // A window works on this test: its settings name the file, and it holds the lock.
        Write(Settings_Folder() + "/settings.ini",
              "[General]\nDeflection_Model=0\n\n[Test]\nFile=" + file.toUtf8() + "\n");
        QLockFile window_lock(Settings_Folder() + "/curvalo.lock");
        QVERIFY(window_lock.tryLock(0));
        const TRun refused = Run({"fit", "--test", file, "--free", "2", "--write-test"});
        QCOMPARE(refused.exit_code, 1);
        QVERIFY2(refused.err.contains("is open in a Curvalo window"), qPrintable(refused.err));
        QCOMPARE(Read(file), before);
    }
    const TRun run = Run({"fit", "--test", file, "--free", "2", "--write-test"});
    QVERIFY2(run.exit_code == 0, qPrintable(run.err));
    TTestDocument fitted;
    QString error;
    QVERIFY2(TTestFile::Read(file, &fitted, &error), qPrintable(error));
    QVERIFY(fitted.Field_Value(TTestDocument::FIELD_PARAMETER2) != 0.0);
    QVERIFY(fitted.Measurements() == test.Measurements());
    QCOMPARE(Run({"fit", "--free", "2", "--write-test"}).exit_code, 2);
}

void TTestBatchFaults::No_Home_Is_Refused()
{
    const TRun run = Run({"evaluate"}, QString(), false);
    QCOMPARE(run.exit_code, 1);
    QVERIFY2(run.err.contains("HOME"), qPrintable(run.err));
    QVERIFY(!QFileInfo::exists("//.curvalo/settings.ini"));

    const TRun plan = Run({"plan", "--lengths", "1e-9", "--output", "plan.xml"});
    QCOMPARE(plan.exit_code, 2);
    QVERIFY(!QFileInfo::exists(File("plan.xml")));
}

QTEST_GUILESS_MAIN(TTestBatchFaults)
#include "tst_batchfaults.moc"
