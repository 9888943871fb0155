// SPDX-License-Identifier: GPL-3.0-or-later
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

#include "displaywidget.h"
#include "measurementdata.h"
#include "scenepainter.h"
#include "testfiles.h"

namespace
{
const QByteArray measured_records =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<Curvalo_Measurement_Data File_Version=\"1\">\n"
    "    <Measurement>\n"
    "        <Id>5</Id>\n"
    "        <Nominal_Length>1000.000000</Nominal_Length>\n"
    "        <Position>0.000000,500.000000,500.000000</Position>\n"
    "        <Axis>0.000000000000,1.000000000000,0.000000000000</Axis>\n"
    "        <Measured_Length>999.980000</Measured_Length>\n"
    "    </Measurement>\n"
    "    <Measurement>\n"
    "        <Id>2</Id>\n"
    "        <Nominal_Length>100.000000</Nominal_Length>\n"
    "        <Position>0.000000,0.000000,0.000000</Position>\n"
    "        <Axis>0.000000000000,0.000000000000,1.000000000000</Axis>\n"
    "    </Measurement>\n"
    "</Curvalo_Measurement_Data>\n";

const QString header = "id,nominal_length_mm,position_y_mm,position_z_mm,axis_y,axis_z,"
                       "actual_length_mm,error_um,measured_length_mm,measured_error_um,"
                       "residual_um,mpe_um,verdict,measured_verdict";

struct TRun {
    int exit_code;
    QString out;
    QString err;
};
} // namespace

// curvalo-batch as a script runs it: its output, its exit codes, and what it leaves on disk.
class TTestBatchTool : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void Evaluate_Csv();
    void Evaluate_Json_File();
    void Evaluate_Reads_Home_By_Default();
    void Evaluate_With_Conditions_data();
    void Evaluate_With_Conditions();
    void Another_Model_Brings_Its_Own_Parameters_data();
    void Another_Model_Brings_Its_Own_Parameters();
    void Plan_File();
    void Usage_Errors_data();
    void Usage_Errors();
    void Unreadable_Input();
    void Unusable_Stored_Values_data();
    void Unusable_Stored_Values();
    void Help_And_Version();
    void Fit_Json_And_Settings();
    void Fit_Refuses_Without_Measured_Lengths();
    void Fit_Holds_Poorly_Determined_Parameters_data();
    void Fit_Holds_Poorly_Determined_Parameters();
    void Fit_Compares_The_Models();
    void Fit_Explains_Lengths_At_20_Degrees_data();
    void Fit_Explains_Lengths_At_20_Degrees();
    void Render_Is_The_Display();
    void Report_Files();

private:
    TRun Run(const QStringList &arguments);
    // scale multiplies each measured length: a gauge warmer or colder than 20 °C.
    void Write_Measured_Plan(const QString &file, const double &scale = 1.0);
    QString File(const QString &name) const { return folder->filePath(name); }

    std::unique_ptr<QTemporaryDir> folder;
};

void TTestBatchTool::init()
{
    folder = std::make_unique<QTemporaryDir>();
    QVERIFY(folder->isValid());
    Write(File("measurements.xml"), measured_records);
    QSettings settings(File("settings.ini"), QSettings::IniFormat);
    settings.setValue("Deflection_Model", 0);
    settings.setValue("Model_Parameter1", -0.05);
    settings.setValue("Model_Parameter2", -0.01);
    settings.setValue("Model_Parameter3", -0.01);
    settings.setValue("MPE/A", "1.5");
    settings.setValue("MPE/K", "333");
}

TRun TTestBatchTool::Run(const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", folder->path() + "/home");
    process.setProcessEnvironment(environment);
    process.start(CURVALO_BATCH, arguments);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return {-1000, QString(), QString()};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

void TTestBatchTool::Evaluate_Csv()
{
    const TRun run = Run({"evaluate", "--settings", File("settings.ini"), "--measurements",
                          File("measurements.xml")});
    QCOMPARE(run.exit_code, 0);
    QVERIFY(run.err.isEmpty());
    const QStringList lines = run.out.split('\n');
    QCOMPARE(lines.size(), 4); // the header, two rows in store order, the final line break
    QCOMPARE(lines[0], header);
    QCOMPARE(lines[3], QString());

    const QStringList first = lines[1].split(',');
    QCOMPARE(first.size(), 14);
    QCOMPARE(first.mid(0, 6), (QStringList{"5", "1000", "500", "500", "1", "0"}));
    // The worked example, in the shortest text that reads back as the same number.
    QVERIFY(std::fabs(first[6].toDouble() - 999.982501751972) < 1e-9);
    QVERIFY(std::fabs(first[7].toDouble() - -17.498248028) < 1e-6);
    QCOMPARE(QString::number(first[6].toDouble(), 'g', 17).toDouble(), first[6].toDouble());
    QVERIFY(first[6].size() <= 17);
    QCOMPARE(first[8], QString("999.98"));
    QVERIFY(std::fabs(first[9].toDouble() - -20.0) < 1e-6);
    QVERIFY(std::fabs(first[10].toDouble() - -2.501751972) < 1e-6);
    // MPE(1000) = 1.5 + 1000 / 333
    QCOMPARE(first[11].toDouble(), 1.5 + 1000.0 / 333.0);
    QCOMPARE(first.mid(12), (QStringList{"fail", "fail"}));

    const QStringList second = lines[2].split(',');
    QCOMPARE(second[0], QString("2"));
    // On Y = 0 the Generic corrections vanish.
    QCOMPARE(second[6], QString("100"));
    QCOMPARE(second[7], QString("0"));
    QCOMPARE(second.mid(8, 3), (QStringList{"", "", ""}));
    QCOMPARE(second.mid(12), (QStringList{"pass", ""}));

    // The command line overrides the settings.
    const TRun overridden = Run({"evaluate", "--settings", File("settings.ini"), "--measurements",
                                 File("measurements.xml"), "--model", "lk", "--parameters",
                                 "0,0,0,0", "--mpe", "1,100,1.2"});
    QCOMPARE(overridden.exit_code, 0);
    const QStringList row = overridden.out.split('\n')[1].split(',');
    QCOMPARE(row[6], QString("1000"));
    QCOMPARE(row[11], QString("1.2"));
    QCOMPARE(row[12], QString("pass"));
}

void TTestBatchTool::Evaluate_Json_File()
{
    const TRun run = Run({"evaluate", "--settings", File("settings.ini"), "--measurements",
                          File("measurements.xml"), "--output", File("results.json")});
    QCOMPARE(run.exit_code, 0);
    QVERIFY(run.out.isEmpty());
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(Read(File("results.json")), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    const QJsonArray rows = document.array();
    QCOMPARE(rows.size(), 2);
    const QJsonObject first = rows[0].toObject();
    QCOMPARE(first.keys().size(), 14);
    for (const QString &key : header.split(',')) {
        QVERIFY2(first.contains(key), qPrintable(key));
    }
    QCOMPARE(first["id"].toInt(), 5);
    QVERIFY(std::fabs(first["actual_length_mm"].toDouble() - 999.982501751972) < 1e-9);
    QCOMPARE(first["verdict"].toString(), QString("fail"));
    const QJsonObject second = rows[1].toObject();
    QVERIFY(second["measured_length_mm"].isNull());
    QVERIFY(second["residual_um"].isNull());
    QVERIFY(second["measured_verdict"].isNull());
    QCOMPARE(second["verdict"].toString(), QString("pass"));
}

void TTestBatchTool::Evaluate_With_Conditions_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("verdicts");
    QTest::addColumn<QString>("conforms");
    // Measured error of Id 5: -20 µm against an MPE of 4.50 µm; the simulated -17.50 µm.
    // With U = 14 µm: the simulated |E| - U = 3.5 µm is inside, the measured 6 µm outside.
    QTest::newRow("uncertainty") << QStringList{"--uncertainty", "14"} << "undecided,fail"
                                 << "\"needing_retests\": [5]";
    QTest::newRow("uncertainty with KU")
        << QStringList{"--uncertainty", "14,100"} << "undecided,undecided"
        << "\"conforms\": null";
    // 20 µm short at 1000 mm is what a gauge 1.739 K too cold shows with 11.5 · 10⁻⁶/K.
    QTest::newRow("temperature") << QStringList{"--gauge-temperature", "18.26087", "--gauge-cte",
                                                "11.5"}
                                 << "fail,pass"
                                 << "\"conforms\": null";
}

void TTestBatchTool::Evaluate_With_Conditions()
{
    QFETCH(QStringList, options);
    QFETCH(QString, verdicts);
    QFETCH(QString, conforms);
    const QStringList common{"evaluate", "--settings", File("settings.ini"), "--measurements",
                             File("measurements.xml")};
    const TRun csv = Run(common + options);
    QCOMPARE(csv.exit_code, 0);
    const QStringList lines = csv.out.split('\n');
    QCOMPARE(lines[0], header + ",corrected_length_mm,repeatability_range_um,uncertainty_um,"
                                "retest_of");
    const QStringList first = lines[1].split(',');
    QCOMPARE(first.size(), 18);
    QCOMPARE(first.mid(12, 2).join(','), verdicts);
    const TRun json = Run(common + options + QStringList{"--output", File("results.json")});
    QCOMPARE(json.exit_code, 0);
    QFile file(File("results.json"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray data = file.readAll();
    QJsonParseError error;
    const QJsonObject object = QJsonDocument::fromJson(data, &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(object.value("results").toArray().size(), 2);
    const QJsonObject conformance =
        object.value("summary").toObject().value("conformance").toObject();
    QCOMPARE(conformance.value("largest_measured_error_id").toInt(), 5);
    QVERIFY2(data.contains(conforms.toUtf8()), data.constData());
}

void TTestBatchTool::Evaluate_Reads_Home_By_Default()
{
    QVERIFY(QDir(folder->path()).mkpath("home/.curvalo"));
    QVERIFY(QFile::copy(File("settings.ini"), File("home/.curvalo/settings.ini")));
    QVERIFY(QFile::copy(File("measurements.xml"), File("home/.curvalo/measurements.xml")));
    const TRun run = Run({"evaluate"});
    QCOMPARE(run.exit_code, 0);
    QCOMPARE(run.out.split('\n').size(), 4);
    QVERIFY(run.out.split('\n')[1].startsWith("5,1000,"));
}

void TTestBatchTool::Another_Model_Brings_Its_Own_Parameters_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("presets");
    QTest::newRow("renishaw") << "renishaw"
                              << "-0.05,-0.01,-0.01,0";
    QTest::newRow("lk") << "lk"
                        << "0.00001,0.001,-0.0103,0.001";
}

// The settings hold Generic's numbers; another model named on the command line computes with
// its own presets, never with Generic's numbers in its units.
void TTestBatchTool::Another_Model_Brings_Its_Own_Parameters()
{
    QFETCH(QString, model);
    QFETCH(QString, presets);
    const QStringList common{
        "evaluate", "--settings", File("settings.ini"), "--measurements", File("measurements.xml"),
        "--model",  model};
    const TRun own = Run(common);
    const TRun given = Run(common + QStringList{"--parameters", presets});
    QVERIFY2(own.exit_code == 0, qPrintable(own.err));
    QCOMPARE(own.out, given.out);
}

void TTestBatchTool::Plan_File()
{
    const TRun run = Run({"plan", "--settings", File("settings.ini"), "--range-z", "500",
                          "--output", File("plan.xml")});
    QCOMPARE(run.exit_code, 0);
    QVERIFY(run.err.isEmpty());
    const QByteArray plan = Read(File("plan.xml"));
    QVERIFY(plan.startsWith("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                            "<Curvalo_Measurement_Data File_Version=\"1\">\n"));
    QCOMPARE(plan.count("<Measurement>"), 60);
    QVERIFY(plan.contains("<Position>0.000000,500.000000,250.000000</Position>"));

    const TRun given = Run({"plan", "--settings", File("settings.ini"), "--lengths", "200,1200",
                            "--repeats", "2", "--output", File("plan.xml")});
    QCOMPARE(given.exit_code, 0);
    // 1200 mm fits only the diagonals of the 1000 mm cube.
    QCOMPARE(Read(File("plan.xml")).count("<Measurement>"), 2 * (4 + 2));
    QVERIFY(given.err.contains("1200 mm does not fit the Y line"));
    QVERIFY(given.err.contains("1200 mm does not fit the Z line"));

    // Lines away from the centre, as the window's plan dialog offers them.
    const TRun off =
        Run({"plan", "--settings", File("settings.ini"), "--lengths", "200", "--repeats", "1",
             "--y-lines-at", "250,750", "--z-lines-at", "100", "--output", File("plan.xml")});
    QVERIFY2(off.exit_code == 0, qPrintable(off.err));
    const QByteArray off_plan = Read(File("plan.xml"));
    QCOMPARE(off_plan.count("<Measurement>"), 4 + 3);
    QVERIFY(off_plan.contains("<Position>0.000000,500.000000,750.000000</Position>"));
    QVERIFY(off_plan.contains("<Position>0.000000,100.000000,500.000000</Position>"));
    const TRun bad = Run({"plan", "--settings", File("settings.ini"), "--y-lines-at", "-5",
                          "--output", File("plan.xml")});
    QCOMPARE(bad.exit_code, 2);
    QVERIFY2(bad.err.contains("--y-lines-at must be positions"), qPrintable(bad.err));
}

void TTestBatchTool::Usage_Errors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("no command") << QStringList{} << "a command is missing";
    QTest::newRow("unknown command") << QStringList{"fit2"} << "unknown command \"fit2\"";
    QTest::newRow("unknown option") << QStringList{"evaluate", "--colour"} << "colour";
    QTest::newRow("negative uncertainty")
        << QStringList{"evaluate", "--uncertainty", "-1"} << "--uncertainty: U0 must not be";
    QTest::newRow("R0 not a number")
        << QStringList{"evaluate", "--mpe-r0", "x"} << "--mpe-r0: \"x\" is not a number";
    QTest::newRow("bad model") << QStringList{"evaluate", "--model", "cubic"} << "--model";
    QTest::newRow("three parameters")
        << QStringList{"evaluate", "--parameters", "1,2,3"} << "--parameters";
    QTest::newRow("bad MPE") << QStringList{"evaluate", "--mpe", "1.5"} << "--mpe";
    QTest::newRow("small range") << QStringList{"evaluate", "--range-y", "0.5"} << "--range-y";
    QTest::newRow("stray argument") << QStringList{"evaluate", "extra"} << "extra";
    QTest::newRow("plan without output") << QStringList{"plan"} << "--output";
    QTest::newRow("plan with bad lengths")
        << QStringList{"plan", "--lengths", "100,-5", "--output", "x.xml"} << "--lengths";
    QTest::newRow("plan with no repeats")
        << QStringList{"plan", "--repeats", "0", "--output", "x.xml"} << "--repeats";
}

void TTestBatchTool::Usage_Errors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    Write(File("x.xml"), "untouched");
    for (QString &argument : arguments) {
        if (argument == "x.xml") {
            argument = File("x.xml");
        }
    }
    const TRun run = Run(arguments);
    QCOMPARE(run.exit_code, 2);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY2(run.err.contains("Usage:"), qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
    QCOMPARE(Read(File("x.xml")), QByteArray("untouched"));
}

void TTestBatchTool::Unreadable_Input()
{
    Write(File("damaged.xml"), "<Curvalo_Measurement_Data File_Version=\"1\"><Measurement>");
    Write(File("out.csv"), "untouched");
    const TRun damaged =
        Run({"evaluate", "--measurements", File("damaged.xml"), "--output", File("out.csv")});
    QCOMPARE(damaged.exit_code, 1);
    QVERIFY2(damaged.err.contains("XML parse error"), qPrintable(damaged.err));
    QCOMPARE(Read(File("out.csv")), QByteArray("untouched"));

    const TRun missing = Run({"evaluate", "--measurements", File("missing.xml")});
    QCOMPARE(missing.exit_code, 1);
    QVERIFY(missing.err.contains(File("missing.xml")));

    const TRun no_settings = Run({"evaluate", "--settings", File("missing.ini")});
    QCOMPARE(no_settings.exit_code, 1);

    const TRun unwritable = Run({"plan", "--output", File("no/such/folder/plan.xml")});
    QCOMPARE(unwritable.exit_code, 1);
    QVERIFY(unwritable.err.contains("cannot write"));
}

void TTestBatchTool::Unusable_Stored_Values_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QStringList>("arguments");
    // The value named in the refusal; empty where the command runs.
    QTest::addColumn<QString>("refused");

    const QStringList evaluate{"evaluate"};
    QTest::newRow("parameter beyond the fields")
        << QByteArray("Model_Parameter1=1e13\n") << evaluate << "Model_Parameter1=1e13";
    QTest::newRow("parameter nan")
        << QByteArray("Model_Parameter2=nan\n") << QStringList{"fit"} << "Model_Parameter2=nan";
    QTest::newRow("range for a plan")
        << QByteArray("Range_Z=inf\n") << QStringList{"plan", "--output", "plan.xml"}
        << "Range_Z=inf";
    QTest::newRow("range not a number") << QByteArray("Range_Y=xyz\n") << evaluate << "Range_Y=xyz";
    QTest::newRow("damaged MPE") << QByteArray("\n[MPE]\nA=abc\nK=333\n") << evaluate
                                 << "MPE/A=abc";
    QTest::newRow("damaged MPE, not needed to draw")
        << QByteArray("\n[MPE]\nA=abc\nK=333\n") << QStringList{"render", "--output", "p.png"}
        << "";
    QTest::newRow("given on the command line")
        << QByteArray("Model_Parameter1=1e13\nRange_Y=nan\n")
        << QStringList{"evaluate", "--parameters", "0,0,0,0", "--range-y", "500"} << "";
    QTest::newRow("a parameter the model does not read")
        << QByteArray("Model_Parameter4=nan\n") << evaluate << "";
}

// The batch tool computes with what the window would use, never with a stored value the
// window shows marked and does not use: it refuses it, naming the key and the value.
void TTestBatchTool::Unusable_Stored_Values()
{
    QFETCH(QByteArray, stored);
    QFETCH(QStringList, arguments);
    QFETCH(QString, refused);

    Write(File("stored.ini"), "[General]\nDeflection_Model=0\n" + stored);
    QStringList command = arguments;
    for (QString &argument : command) {
        if (argument.endsWith(".xml") || argument.endsWith(".png")) {
            argument = File(argument);
        }
    }
    command << "--settings" << File("stored.ini");
    if (command.first() != "plan") {
        command << "--measurements" << File("measurements.xml");
    }
    const TRun run = Run(command);
    if (refused.isEmpty()) {
        QVERIFY2(run.exit_code == 0, qPrintable(run.err));
        return;
    }
    QCOMPARE(run.exit_code, 1);
    QVERIFY2(run.err.contains(refused) && run.err.contains(File("stored.ini")),
             qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
    QVERIFY(!QFile::exists(File("plan.xml")));
}

void TTestBatchTool::Help_And_Version()
{
    for (const QStringList &arguments :
         {QStringList{"--help"}, QStringList{"evaluate", "--help"}, QStringList{"plan", "-h"}}) {
        const TRun run = Run(arguments);
        QCOMPARE(run.exit_code, 0);
        QVERIFY(run.out.contains("Usage:"));
    }
    const TRun version = Run({"--version"});
    QCOMPARE(version.exit_code, 0);
    QCOMPARE(version.out, QString("curvalo-batch 2.0\n"));
}

void TTestBatchTool::Fit_Json_And_Settings()
{
    // The worked example's measured length and one more, at the default parameters of the
    // settings: the Generic presets.
    const TRun run = Run({"fit", "--settings", File("settings.ini"), "--measurements",
                          File("measurements.xml"), "--free", "2"});
    QCOMPARE(run.exit_code, 0);
    QJsonParseError error;
    const QJsonObject fit = QJsonDocument::fromJson(run.out.toUtf8(), &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    for (const char *key :
         {"model", "free", "initial", "fitted", "controller", "uncertainty", "undetermined",
          "poorly_determined", "correlation", "condition_number", "measurements_used",
          "rms_before_um", "rms_after_um", "rms_controller_um", "iterations", "residuals"}) {
        QVERIFY2(fit.contains(key), key);
    }
    QCOMPARE(fit["model"].toString(), QString("generic"));
    QCOMPARE(fit["free"].toArray(), QJsonArray{2});
    QCOMPARE(fit["measurements_used"].toInt(), 1);
    QCOMPARE(fit["initial"].toArray()[1].toDouble(), -0.01);
    // Held parameters stay as they were, and have no uncertainty.
    QCOMPARE(fit["fitted"].toArray()[0].toDouble(), -0.05);
    QVERIFY(fit["uncertainty"].toArray()[0].isNull());
    // One measurement, one free parameter: explained exactly, no uncertainty to state.
    QVERIFY(fit["rms_after_um"].toDouble() < 1e-6);
    QVERIFY(fit["uncertainty"].toArray()[1].isNull());
    const QJsonArray residuals = fit["residuals"].toArray();
    QCOMPARE(residuals.size(), 1);
    QCOMPARE(residuals[0].toObject()["id"].toInt(), 5);
    QVERIFY(std::fabs(residuals[0].toObject()["before_um"].toDouble() - -2.501751972) < 1e-6);

    // Written as the window's Apply writes it: at the 4 decimals the controller takes.
    const double fitted = fit["controller"].toArray()[1].toDouble();
    QCOMPARE(QString::number(fitted, 'f', 4).toDouble(), fitted);
    QVERIFY(std::fabs(fitted - fit["fitted"].toArray()[1].toDouble()) <= 0.5e-4);
    QVERIFY(fit["rms_controller_um"].toDouble() >= fit["rms_after_um"].toDouble());
    // Judged against the settings' MPE after compensation: one residual, explained exactly.
    const QJsonObject prediction = fit["prediction"].toObject();
    QCOMPARE(prediction["pass"].toInt() + prediction["fail"].toInt(), 1);
    QCOMPARE(prediction["largest_id"].toInt(), 5);
    const QJsonArray lines = fit["lines"].toArray();
    QCOMPARE(lines.size(), 1);
    QCOMPARE(lines[0].toObject()["count"].toInt(), 1);
    const TRun stored =
        Run({"fit", "--settings", File("settings.ini"), "--measurements", File("measurements.xml"),
             "--free", "2", "--write-settings", "--output", File("fit.json")});
    QVERIFY2(stored.exit_code == 0, qPrintable(stored.err));
    QVERIFY(Read(File("fit.json")).contains("\"model\": \"generic\""));
    const QSettings settings(File("settings.ini"), QSettings::IniFormat);
    QCOMPARE(settings.value("Model_Parameter2").toDouble(), fitted);
    QCOMPARE(settings.value("Model_Parameter1").toDouble(), -0.05);
    QCOMPARE(settings.value("MPE/K").toString(), QString("333"));
}

void TTestBatchTool::Fit_Refuses_Without_Measured_Lengths()
{
    Write(File("unmeasured.xml"),
          QByteArray(measured_records)
              .replace("        <Measured_Length>999.980000</Measured_Length>\n", ""));
    const QByteArray settings_before = Read(File("settings.ini"));
    const TRun run = Run({"fit", "--settings", File("settings.ini"), "--measurements",
                          File("unmeasured.xml"), "--write-settings", "--output", File("f.json")});
    QCOMPARE(run.exit_code, 1);
    QVERIFY2(run.err.contains("No measurement has a measured length."), qPrintable(run.err));
    QVERIFY(!QFile::exists(File("f.json")));
    QCOMPARE(Read(File("settings.ini")), settings_before);

    const TRun bad_free = Run({"fit", "--settings", File("settings.ini"), "--free", "4"});
    QCOMPARE(bad_free.exit_code, 2);
    QVERIFY(bad_free.err.contains("--free"));
}

void TTestBatchTool::Fit_Holds_Poorly_Determined_Parameters_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QJsonArray>("free");
    QTest::newRow("by default held") << QStringList() << QJsonArray{2, 3};
    QTest::newRow("fitted when asked for") << QStringList{"--free", "1,2,3"} << QJsonArray{1, 2, 3};
}

// On the default plan, lines through the centre, the Generic tower rotation acts like the
// two translations.
void TTestBatchTool::Fit_Holds_Poorly_Determined_Parameters()
{
    QFETCH(QStringList, options);
    QFETCH(QJsonArray, free);
    Write_Measured_Plan(File("measured.xml"));
    const TRun run = Run(QStringList{"fit", "--settings", File("settings.ini"), "--measurements",
                                     File("measured.xml")} +
                         options);
    QVERIFY2(run.exit_code == 0, qPrintable(run.err));
    const QJsonObject fit = QJsonDocument::fromJson(run.out.toUtf8()).object();
    QCOMPARE(fit["free"].toArray(), free);
    QCOMPARE(fit["poorly_determined"].toArray(), QJsonArray{1});
    QCOMPARE(fit["correlation"].toArray().size(), free.size());
    QCOMPARE(fit["correlation"].toArray()[0].toArray().size(), free.size());
    QVERIFY(fit["condition_number"].toDouble() >= 1.0);
    // Held, the rotation keeps its preset.
    if (free.size() == 2) {
        QCOMPARE(fit["fitted"].toArray()[0].toDouble(), -0.05);
        QVERIFY(fit["condition_number"].toDouble() < 100.0);
    } else {
        QVERIFY(fit["condition_number"].toDouble() > 1000.0);
    }
}

// The default plan as a machine with other parameters than the settings' measures it.
void TTestBatchTool::Write_Measured_Plan(const QString &file, const double &scale)
{
    const TRun plan =
        Run({"plan", "--settings", File("settings.ini"), "--output", File("plan.xml")});
    QVERIFY2(plan.exit_code == 0, qPrintable(plan.err));
    // Measured as a machine with other parameters would measure it.
    TMeasurementData data;
    QVERIFY(data.Load_Data(File("plan.xml")));
    const TRun simulated = Run({"evaluate", "--settings", File("settings.ini"), "--measurements",
                                File("plan.xml"), "--parameters", "-0.02,0.005,0.004,0"});
    QVERIFY2(simulated.exit_code == 0, qPrintable(simulated.err));
    const QStringList lines = simulated.out.split('\n', Qt::SkipEmptyParts);
    const int actual = lines[0].split(',').indexOf("actual_length_mm");
    QVERIFY(actual > 0);
    for (int row = 1; row < lines.size(); ++row) {
        const QStringList cells = lines[row].split(',');
        TMeasurementData::TMeasurement record;
        QVERIFY(data.Get_Measurement(cells[0].toInt(), &record));
        record.has_measured_length = true;
        record.measured_length = cells[actual].toDouble() * scale;
        data.Update_Measurement(record);
    }
    QVERIFY(data.Save_Data(file));
}

void TTestBatchTool::Fit_Compares_The_Models()
{
    Write_Measured_Plan(File("measured.xml"));
    const TRun run = Run({"fit", "--settings", File("settings.ini"), "--measurements",
                          File("measured.xml"), "--model", "all"});
    QVERIFY2(run.exit_code == 0, qPrintable(run.err));
    QJsonParseError error;
    const QJsonObject comparison = QJsonDocument::fromJson(run.out.toUtf8(), &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    const QJsonArray models = comparison["models"].toArray();
    QCOMPARE(models.size(), 3);
    QStringList keys;
    for (const QJsonValue &value : models) {
        const QJsonObject model = value.toObject();
        keys << model["model"].toString();
        for (const char *key :
             {"fitted", "free", "rms_after_um", "max_residual_um", "free_parameters", "bic",
              "poorly_determined", "reaches_repeatability"}) {
            QVERIFY2(model.contains(key), key);
        }
    }
    QCOMPARE(keys, (QStringList{"generic", "renishaw", "lk"}));
    // The best is the one with the lowest BIC. (On lines through the centre Generic holds its
    // tower rotation, so it need not win on its own machine here.)
    int lowest = 0;
    for (int i = 1; i < models.size(); ++i) {
        if (models[i].toObject()["bic"].toDouble() < models[lowest].toObject()["bic"].toDouble()) {
            lowest = i;
        }
    }
    QCOMPARE(comparison["best"].toString(), keys[lowest]);
    QVERIFY(comparison["repeatability_um"].isDouble());
    QCOMPARE(models[0].toObject()["poorly_determined"].toArray(), QJsonArray{1});

    const TRun refused = Run({"fit", "--settings", File("settings.ini"), "--measurements",
                              File("measured.xml"), "--model", "all", "--write-settings"});
    QCOMPARE(refused.exit_code, 2);
    QVERIFY2(refused.err.contains("--write-settings"), qPrintable(refused.err));
}

void TTestBatchTool::Fit_Explains_Lengths_At_20_Degrees_data()
{
    QTest::addColumn<double>("temperature");
    QTest::addColumn<double>("cte");
    QTest::newRow("warm steel gauges") << 22.5 << 11.5;
    QTest::newRow("cold steel gauges") << 18.0 << 11.5;
    QTest::newRow("warm ceramic gauges") << 21.0 << 9.3;
}

// Gauges measured away from 20 °C are longer or shorter by α · Δt; the fit explains the
// lengths corrected to 20 °C, so it finds the machine it would find at 20 °C.
void TTestBatchTool::Fit_Explains_Lengths_At_20_Degrees()
{
    QFETCH(double, temperature);
    QFETCH(double, cte);
    Write_Measured_Plan(File("at20.xml"));
    Write_Measured_Plan(File("expanded.xml"), 1.0 / (1.0 - cte * 1e-6 * (temperature - 20.0)));
    const QStringList fit{"fit", "--settings", File("settings.ini"), "--free", "2,3"};
    const TRun at20 = Run(fit + QStringList{"--measurements", File("at20.xml")});
    const TRun corrected =
        Run(fit + QStringList{"--measurements", File("expanded.xml"), "--gauge-temperature",
                              QString::number(temperature), "--gauge-cte", QString::number(cte)});
    const TRun uncorrected = Run(fit + QStringList{"--measurements", File("expanded.xml")});
    QVERIFY2(at20.exit_code == 0, qPrintable(at20.err));
    QVERIFY2(corrected.exit_code == 0, qPrintable(corrected.err));
    const QJsonObject expected = QJsonDocument::fromJson(at20.out.toUtf8()).object();
    const QJsonObject actual = QJsonDocument::fromJson(corrected.out.toUtf8()).object();
    const QJsonObject plain = QJsonDocument::fromJson(uncorrected.out.toUtf8()).object();
    // The file holds lengths to the nanometre; that rounding is all that differs.
    QVERIFY(std::fabs(actual["rms_before_um"].toDouble() - expected["rms_before_um"].toDouble()) <
            1e-3);
    QVERIFY(std::fabs(actual["rms_after_um"].toDouble() - expected["rms_after_um"].toDouble()) <
            1e-3);
    for (const int number : {1, 2}) {
        QVERIFY(std::fabs(actual["fitted"].toArray()[number].toDouble() -
                          expected["fitted"].toArray()[number].toDouble()) < 1e-5);
    }
    // Left uncorrected, the expansion of up to 29 µm over a metre is taken for the machine's.
    QVERIFY(std::fabs(plain["rms_before_um"].toDouble() - expected["rms_before_um"].toDouble()) >
            1.0);
}

// The PNG is what the display widget paints over white in the same state.
void TTestBatchTool::Render_Is_The_Display()
{
    const TRun run = Run({"render", "--settings", File("settings.ini"), "--measurements",
                          File("measurements.xml"), "--size", "600x500", "--exaggeration", "300",
                          "--output", File("picture.png")});
    QCOMPARE(run.exit_code, 0);
    const QImage rendered = QImage(File("picture.png")).convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(rendered.size(), QSize(600, 500));

    TMeasurementData data;
    QVERIFY(data.Load_Data(File("measurements.xml")));
    TDisplayWidget widget;
    widget.Set_Deflection_Model(TDisplayWidget::DEFLECTION_MODEL_GENERIC);
    widget.Set_Range(1000.0, 1000.0);
    widget.Set_Model_Parameters(-0.05, -0.01, -0.01, 0.0);
    for (const TScenePainter::TLengthMeasurement &gauge : TScenePainter::Gauges_Of(data)) {
        widget.Add_Length_Measurement(gauge.id, gauge.point1, gauge.point2);
    }
    widget.Set_Exaggeration(300);
    widget.resize(600, 500);
    QImage shown(widget.size(), QImage::Format_ARGB32);
    shown.fill(Qt::white);
    widget.render(&shown, QPoint(), QRegion(), QWidget::RenderFlags());
    QVERIFY(rendered == shown);

    for (const char *name : {"picture.svg", "picture.pdf"}) {
        const TRun vector = Run({"render", "--settings", File("settings.ini"), "--measurements",
                                 File("measurements.xml"), "--output", File(name)});
        QCOMPARE(vector.exit_code, 0);
        QVERIFY(Read(File(name)).size() > 1000);
    }
    const TRun wrong = Run({"render", "--output", File("picture.gif")});
    QCOMPARE(wrong.exit_code, 2);
    const TRun bad_size = Run({"render", "--size", "0x10", "--output", File("p.png")});
    QCOMPARE(bad_size.exit_code, 2);
    QVERIFY(!QFile::exists(File("p.png")));
}

void TTestBatchTool::Report_Files()
{
    const QStringList inputs{
        "--settings", File("settings.ini"), "--measurements", File("measurements.xml"),
        "--machine",  "CMM 4711",           "--operator",     "A. Meyer"};
    QCOMPARE(Run(QStringList{"report"} + inputs + QStringList{"--output", File("r.pdf")}).exit_code,
             0);
    QVERIFY(Read(File("r.pdf")).startsWith("%PDF"));
    QCOMPARE(
        Run(QStringList{"report"} + inputs + QStringList{"--output", File("r.html")}).exit_code, 0);
    const QByteArray html = Read(File("r.html"));
    QVERIFY(html.contains("CMM 4711"));
    QVERIFY(html.contains("A. Meyer"));
    QCOMPARE(html.count("data:image/png;base64,"), 2);
    QCOMPARE(Run(QStringList{"report"} + inputs + QStringList{"--output", File("r.csv")}).exit_code,
             0);
    QVERIFY(Read(File("r.csv")).startsWith(header.toUtf8()));
    QCOMPARE(Run({"report", "--output", File("r.doc")}).exit_code, 2);
}

QTEST_MAIN(TTestBatchTool)
#include "tst_batchtool.moc"
