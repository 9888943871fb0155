// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

// The built program as a separate process on a virtual X display, with its own home directory:
// closed by the quit shortcut sent through the window system, and by SIGTERM.
class TTestEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void Quit_Shortcut_Saves_Defaults();
    void Prepared_Files_Are_Restored();
    void Terminate_After_A_Change();
    void Unknown_Option_Is_Harmless();
    void Killed_After_A_Change_Loses_Nothing();
    void Second_Start_Says_So_And_Ends();

private:
    QString Window_Id();
    int Visible_Windows();
    bool Run_Tool(const QStringList &arguments, QByteArray *output = nullptr);
    std::unique_ptr<QProcess> Launch(const QStringList &arguments = {});
    void Start(const QStringList &arguments = {});
    int Visible_Windows_Of(const QProcess &process);
    int Wait_For_Exit();
    QString Directory() const { return home->path() + "/.curvalo"; }

    QProcess xvfb;
    QString display;
    QString xdotool;
    std::unique_ptr<QTemporaryDir> home;
    std::unique_ptr<QProcess> program;
};

void TTestEndToEnd::initTestCase()
{
    const QString xvfb_path = QStandardPaths::findExecutable("Xvfb");
    xdotool = QStandardPaths::findExecutable("xdotool");
    if (xvfb_path.isEmpty() || xdotool.isEmpty()) {
        QSKIP("Xvfb and xdotool are needed (the test command installs them)");
    }
    // Xvfb picks a free display and writes its number to standard output.
    xvfb.start(xvfb_path, {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    QVERIFY(xvfb.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(xvfb.canReadLine(), 20000);
    display = ":" + QString::fromLatin1(xvfb.readLine()).trimmed();
}

void TTestEndToEnd::cleanupTestCase()
{
    if (xvfb.state() != QProcess::NotRunning) {
        xvfb.terminate();
        xvfb.waitForFinished(5000);
    }
}

void TTestEndToEnd::init()
{
    home = std::make_unique<QTemporaryDir>();
    QVERIFY(home->isValid());
}

void TTestEndToEnd::cleanup()
{
    if (program && program->state() != QProcess::NotRunning) {
        program->kill();
        program->waitForFinished(5000);
    }
    program.reset();
    home.reset();
}

bool TTestEndToEnd::Run_Tool(const QStringList &arguments, QByteArray *output)
{
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", display);
    tool.setProcessEnvironment(environment);
    tool.start(xdotool, arguments);
    if (!tool.waitForFinished(60000)) {
        tool.kill();
        tool.waitForFinished();
        return false;
    }
    if (output) {
        *output = tool.readAllStandardOutput();
    }
    return tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

// Waits until the program's window is visible; by then it also listens for SIGTERM.
QString TTestEndToEnd::Window_Id()
{
    QByteArray output;
    if (!Run_Tool({"search", "--sync", "--onlyvisible", "--name", "^Curvalo$"}, &output)) {
        return QString();
    }
    return QString::fromLatin1(output).split('\n').value(0).trimmed();
}

// The program's windows that are on screen: the main window, and the message box while open.
int TTestEndToEnd::Visible_Windows()
{
    return Visible_Windows_Of(*program);
}

int TTestEndToEnd::Visible_Windows_Of(const QProcess &process)
{
    QByteArray output;
    Run_Tool({"search", "--onlyvisible", "--pid", QString::number(process.processId())}, &output);
    return output.trimmed().isEmpty() ? 0 : output.trimmed().split('\n').size();
}

std::unique_ptr<QProcess> TTestEndToEnd::Launch(const QStringList &arguments)
{
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", home->path());
    environment.insert("DISPLAY", display);
    environment.insert("QT_QPA_PLATFORM", "xcb");
    process->setProcessEnvironment(environment);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(CURVALO_EXECUTABLE, arguments);
    return process;
}

void TTestEndToEnd::Start(const QStringList &arguments)
{
    program = Launch(arguments);
    QVERIFY(program->waitForStarted());
}

int TTestEndToEnd::Wait_For_Exit()
{
    if (!program->waitForFinished(60000)) {
        return -1000;
    }
    return program->exitStatus() == QProcess::NormalExit ? program->exitCode() : -1;
}

void TTestEndToEnd::Quit_Shortcut_Saves_Defaults()
{
    Start();
    const QString window = Window_Id();
    QVERIFY(!window.isEmpty());
    QVERIFY(Run_Tool({"windowfocus", "--sync", window}));
    QVERIFY(Run_Tool({"key", "ctrl+q"}));
    QCOMPARE(Wait_For_Exit(), 0);

    QSettings settings(Directory() + "/settings.ini", QSettings::IniFormat);
    QCOMPARE(settings.value("Deflection_Model").toInt(), 0);
    QCOMPARE(settings.value("Range_Y").toDouble(), 1000.0);
    QCOMPARE(settings.value("Model_Parameter1").toDouble(), 0.0);
    QCOMPARE(settings.value("Mainwindow_Position").toPoint(), QPoint(30, 30));
    QFile measurements(Directory() + "/measurements.xml");
    QVERIFY(measurements.open(QIODevice::ReadOnly));
    QCOMPARE(measurements.readAll(),
             QByteArray("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                        "<Curvalo_Measurement_Data File_Version=\"1\"/>\n"));
}

void TTestEndToEnd::Prepared_Files_Are_Restored()
{
    QVERIFY(QDir(home->path()).mkpath(".curvalo"));
    {
        QSettings settings(Directory() + "/settings.ini", QSettings::IniFormat);
        settings.setValue("Deflection_Model", 2);
        settings.setValue("Model_Parameter1", 0.00001);
        settings.setValue("Model_Parameter3", -0.0103);
        settings.setValue("Range_Y", 1500.5);
        settings.setValue("Mainwindow_Position", QPoint(50, 60));
        settings.setValue("Mainwindow_Size", QSize(1100, 800));
    }
    const QByteArray measurements =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        "<Curvalo_Measurement_Data File_Version=\"1\">\n"
        "    <Measurement>\n"
        "        <Id>4</Id>\n"
        "        <Nominal_Length>500.000000</Nominal_Length>\n"
        "        <Position>0.000000,250.000000,400.000000</Position>\n"
        "        <Axis>0.000000000000,1.000000000000,0.000000000000</Axis>\n"
        "    </Measurement>\n"
        "</Curvalo_Measurement_Data>\n";
    {
        QFile file(Directory() + "/measurements.xml");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(measurements);
    }

    Start();
    QVERIFY(!Window_Id().isEmpty());
    ::kill(program->processId(), SIGTERM);
    QCOMPARE(Wait_For_Exit(), 0);

    // What was restored is what the close saved again.
    QSettings settings(Directory() + "/settings.ini", QSettings::IniFormat);
    QCOMPARE(settings.value("Deflection_Model").toInt(), 2);
    QCOMPARE(settings.value("Model_Parameter1").toDouble(), 0.00001);
    QCOMPARE(settings.value("Model_Parameter3").toDouble(), -0.0103);
    QCOMPARE(settings.value("Range_Y").toDouble(), 1500.5);
    QCOMPARE(settings.value("Mainwindow_Position").toPoint(), QPoint(50, 60));
    QCOMPARE(settings.value("Mainwindow_Size").toSize(), QSize(1100, 800));
    QFile file(Directory() + "/measurements.xml");
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), measurements);
}

void TTestEndToEnd::Terminate_After_A_Change()
{
    Start();
    const QString window = Window_Id();
    QVERIFY(!window.isEmpty());
    QVERIFY(Run_Tool({"windowmove", "--sync", window, "123", "77"}));
    // New, answered with the default button (Yes), resets the parameters to the presets.
    QVERIFY(Run_Tool({"windowfocus", "--sync", window}));
    QVERIFY(Run_Tool({"key", "ctrl+n"}));
    QTRY_COMPARE_WITH_TIMEOUT(Visible_Windows(), 2, 30000);
    QVERIFY(Run_Tool({"key", "Return"}));
    QTRY_COMPARE_WITH_TIMEOUT(Visible_Windows(), 1, 30000);
    ::kill(program->processId(), SIGTERM);
    QCOMPARE(Wait_For_Exit(), 0);

    QSettings settings(Directory() + "/settings.ini", QSettings::IniFormat);
    QCOMPARE(settings.value("Mainwindow_Position").toPoint(), QPoint(123, 77));
    QCOMPARE(settings.value("Model_Parameter1").toDouble(), -0.05);
    QCOMPARE(settings.value("Model_Parameter2").toDouble(), -0.01);
}

void TTestEndToEnd::Unknown_Option_Is_Harmless()
{
    Start({"--no-such-option", "-platform", "xcb", "stray"});
    QVERIFY(!Window_Id().isEmpty());
    ::kill(program->processId(), SIGINT);
    QCOMPARE(Wait_For_Exit(), 0);
    QVERIFY(QFile::exists(Directory() + "/settings.ini"));
}

// A change reaches the disk without a close; after SIGKILL the next start finds it, and the
// lock the killed program left behind does not stand in the way.
void TTestEndToEnd::Killed_After_A_Change_Loses_Nothing()
{
    Start();
    const QString window = Window_Id();
    QVERIFY(!window.isEmpty());
    QVERIFY(Run_Tool({"windowfocus", "--sync", window}));
    QVERIFY(Run_Tool({"key", "ctrl+n"}));
    QTRY_COMPARE_WITH_TIMEOUT(Visible_Windows(), 2, 30000);
    QVERIFY(Run_Tool({"key", "Return"}));
    QTRY_COMPARE_WITH_TIMEOUT(Visible_Windows(), 1, 30000);
    const QString settings_file = Directory() + "/settings.ini";
    // Autosave writes a second after the last change; the margin is for loaded test machines.
    QTRY_VERIFY_WITH_TIMEOUT(
        QSettings(settings_file, QSettings::IniFormat).value("Model_Parameter1").toDouble() ==
            -0.05,
        20000);
    ::kill(program->processId(), SIGKILL);
    QVERIFY(program->waitForFinished(10000));
    QVERIFY(QFile::exists(Directory() + "/curvalo.lock"));

    Start();
    const QString again = Window_Id();
    QVERIFY(!again.isEmpty());
    QVERIFY(Run_Tool({"windowfocus", "--sync", again}));
    QVERIFY(Run_Tool({"key", "ctrl+q"}));
    QCOMPARE(Wait_For_Exit(), 0);
    QSettings settings(settings_file, QSettings::IniFormat);
    QCOMPARE(settings.value("Model_Parameter1").toDouble(), -0.05);
    QCOMPARE(settings.value("Model_Parameter2").toDouble(), -0.01);
}

// A second program on the same folder says so, ends with a non-zero code and writes nothing;
// the first one keeps working and saves.
void TTestEndToEnd::Second_Start_Says_So_And_Ends()
{
    Start();
    const QString window = Window_Id();
    QVERIFY(!window.isEmpty());
    QVERIFY(Run_Tool({"windowmove", "--sync", window, "140", "90"}));
    // Once the program has seen the move, autosave writes it.
    QTRY_COMPARE_WITH_TIMEOUT(QSettings(Directory() + "/settings.ini", QSettings::IniFormat)
                                  .value("Mainwindow_Position")
                                  .toPoint(),
                              QPoint(140, 90), 20000);
    ::kill(program->processId(), SIGTERM);
    QCOMPARE(Wait_For_Exit(), 0);
    Start();
    const QString first = Window_Id();
    QVERIFY(!first.isEmpty());
    QFile settings_file(Directory() + "/settings.ini");
    QVERIFY(settings_file.open(QIODevice::ReadOnly));
    const QByteArray settings_before = settings_file.readAll();
    settings_file.close();

    std::unique_ptr<QProcess> second = Launch();
    QVERIFY(second->waitForStarted());
    QTRY_COMPARE_WITH_TIMEOUT(Visible_Windows_Of(*second), 1, 30000);
    QByteArray box;
    QVERIFY(
        Run_Tool({"search", "--onlyvisible", "--pid", QString::number(second->processId())}, &box));
    QVERIFY(Run_Tool({"windowfocus", "--sync", QString::fromLatin1(box.trimmed())}));
    QVERIFY(Run_Tool({"key", "Return"}));
    QVERIFY(second->waitForFinished(30000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 1);
    QVERIFY(settings_file.open(QIODevice::ReadOnly));
    QCOMPARE(settings_file.readAll(), settings_before);
    settings_file.close();

    QVERIFY(Run_Tool({"windowfocus", "--sync", first}));
    QVERIFY(Run_Tool({"key", "ctrl+q"}));
    QCOMPARE(Wait_For_Exit(), 0);
    QSettings settings(Directory() + "/settings.ini", QSettings::IniFormat);
    QCOMPARE(settings.value("Mainwindow_Position").toPoint(), QPoint(140, 90));
}

QTEST_GUILESS_MAIN(TTestEndToEnd)
#include "tst_endtoend.moc"
