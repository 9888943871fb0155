// SPDX-License-Identifier: GPL-3.0-or-later
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <memory>
#include <unistd.h>

#include "deflectionmodel.h"
#include "displaywidget.h"
#include "fieldmark.h"
#include "testfiles.h"
#include "windowfixture.h"

namespace
{
// Collects the program's own warnings ("Curvalo: ...") while it lives.
class TWarnings
{
public:
    TWarnings()
    {
        messages().clear();
        previous = qInstallMessageHandler(&TWarnings::Handler);
    }
    ~TWarnings() { qInstallMessageHandler(previous); }
    TWarnings(const TWarnings &) = delete;
    TWarnings &operator=(const TWarnings &) = delete;

    static QStringList &messages()
    {
        static QStringList list;
        return list;
    }

private:
    static void Handler(QtMsgType type, const QMessageLogContext &, const QString &message)
    {
        if (type == QtWarningMsg && message.startsWith("Curvalo: ")) {
            messages() << message;
        }
    }
    QtMessageHandler previous;
};

} // namespace

// What survives a restart in ~/.curvalo, and what happens when the files are not as expected.
class TTestSettings : public QObject, protected TWindowFixture
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void First_Start_Defaults();
    void Restart_Restores_Everything();
    void Geometry_Restore_data();
    void Geometry_Restore();
    void Small_Range_Comes_Back_As_1000();
    void Model_Index_Out_Of_Range();
    void Hidden_Fourth_Parameter_Is_Stored();
    void Init_Presets_Survive_Restart_data();
    void Init_Presets_Survive_Restart();
    void Unreadable_Measurement_File_Is_Kept_data();
    void Unreadable_Measurement_File_Is_Kept();
    void Missing_Measurement_File_Keeps_Nothing();
    void Unusable_Settings_Directory_data();
    void Unusable_Settings_Directory();
    void Failed_Writes_Are_Reported();
    void Exaggeration_Is_Remembered_data();
    void Exaggeration_Is_Remembered();
    void Garbage_Settings_data();
    void Garbage_Settings();
    void Many_Problems_Fit_The_Screen();
    void Unusable_Values_Are_Kept_data();
    void Unusable_Values_Are_Kept();

private:
    // The window's geometry as it is stored: its position with the frame, its size without.
    QRect Stored_Geometry() const { return QRect(window->pos(), window->size()); }
    // The layout does not let the window become smaller than its minimum size.
    QSize At_Least_Minimum(const QSize &size) const
    {
        return size.expandedTo(window->minimumSize());
    }
    QString Settings_File() const { return Directory() + "/settings.ini"; }
    QString Measurement_File() const { return Directory() + "/measurements.xml"; }
    void Prepare_Settings(const QVariantMap &values);
};

void TTestSettings::init()
{
    New_Home();
}

void TTestSettings::cleanup()
{
    window.reset();
    home.reset();
}

void TTestSettings::Prepare_Settings(const QVariantMap &values)
{
    QDir(Home()).mkpath(".curvalo");
    QSettings settings(Settings_File(), QSettings::IniFormat);
    for (auto it = values.begin(); it != values.end(); ++it) {
        settings.setValue(it.key(), it.value());
    }
}

void TTestSettings::First_Start_Defaults()
{
    QVERIFY(!QFileInfo::exists(Directory()));
    Start();
    QVERIFY(QFileInfo(Directory()).isDir());

    const QRect expected =
        QRect(30, 30, 801, 601).intersected(QGuiApplication::primaryScreen()->availableGeometry());
    const QSize expected_size = At_Least_Minimum(expected.size());
    QCOMPARE(window->pos(), expected.topLeft());
    QCOMPARE(window->size(), expected_size);
    for (const char *name :
         {"parameter1_edit", "parameter2_edit", "parameter3_edit", "parameter4_edit"}) {
        QCOMPARE(Edit(name)->text(), QString("0.0000"));
    }
    QCOMPARE(Edit("range_y_edit")->text(), QString("1000.000"));
    QCOMPARE(Edit("range_z_edit")->text(), QString("1000.000"));
    QCOMPARE(Combo()->currentText(), QString("Generic Deflection"));
    QCOMPARE(Rows(), 0);
    QVERIFY(!QFileInfo::exists(Settings_File()));

    Close();
    QSettings settings(Settings_File(), QSettings::IniFormat);
    QCOMPARE(settings.value("Mainwindow_Position").toPoint(), expected.topLeft());
    QCOMPARE(settings.value("Mainwindow_Size").toSize(), expected_size);
    QCOMPARE(settings.value("Model_Parameter1").toDouble(), 0.0);
    QCOMPARE(settings.value("Model_Parameter4").toDouble(), 0.0);
    QCOMPARE(settings.value("Range_Y").toDouble(), 1000.0);
    QCOMPARE(settings.value("Range_Z").toDouble(), 1000.0);
    QCOMPARE(settings.value("Deflection_Model").toInt(), 0);
    QCOMPARE(settings.allKeys().size(), 9);
    QCOMPARE(Read(Measurement_File()),
             QByteArray("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                        "<Curvalo_Measurement_Data File_Version=\"1\"/>\n"));
}

void TTestSettings::Restart_Restores_Everything()
{
    Start();
    window->move(40, 50);
    window->resize(At_Least_Minimum(QSize(760, 540)));
    Combo()->setCurrentIndex(2);
    for (const auto &field :
         {std::make_pair("parameter1_edit", "0.00002"),
          std::make_pair("parameter2_edit", "0.00003"), std::make_pair("parameter3_edit", "1.5"),
          std::make_pair("parameter4_edit", "0.00004"), std::make_pair("range_y_edit", "1500"),
          std::make_pair("range_z_edit", "800.25")}) {
        Edit(field.first)->selectAll();
        QTest::keyClicks(Edit(field.first), field.second);
    }
    QToolButton *add = window->findChild<QToolButton *>("add_button");
    QTest::mouseClick(add, Qt::LeftButton);
    QTest::mouseClick(add, Qt::LeftButton);
    const QPoint position = window->pos();
    const QSize size = window->size();
    Close();

    Start();
    const QRect visible =
        QRect(position, size).intersected(QGuiApplication::primaryScreen()->availableGeometry());
    QCOMPARE(window->pos(), position);
    QCOMPARE(window->size(), At_Least_Minimum(visible.size()));
    QCOMPARE(Combo()->currentIndex(), 2);
    QCOMPARE(Edit("parameter1_edit")->text(), QString("0.00002"));
    QCOMPARE(Edit("parameter3_edit")->text(), QString("1.5000"));
    QCOMPARE(Edit("parameter4_edit")->text(), QString("0.00004"));
    QCOMPARE(Edit("range_y_edit")->text(), QString("1500.000"));
    QCOMPARE(Edit("range_z_edit")->text(), QString("800.250"));
    QCOMPARE(Display()->Model_Parameter2(), 0.00003);
    QCOMPARE(Display()->Deflection_Model()->Range_Z(), 800.25);
    QCOMPARE(Rows(), 2);
    QCOMPARE(Row_Text(1), QString("Measurement 2"));
    QCOMPARE(int(Display()->Length_Measurements().size()), 2);
    QVERIFY(Selected_Texts().isEmpty());
    QVERIFY(!window->findChild<QToolButton *>("remove_button")->isEnabled());
}

void TTestSettings::Geometry_Restore_data()
{
    QTest::addColumn<QPoint>("position");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("expected"); // empty: clipped to the available area
    QTest::newRow("far off the screen")
        << QPoint(5000, 5000) << QSize(700, 500) << QRect(30, 30, 901, 901);
    QTest::newRow("just 100 pixels left on screen")
        << QPoint(-600, 40) << QSize(700, 500) << QRect(30, 30, 901, 901);
    QTest::newRow("partly off the screen") << QPoint(-100, 20) << QSize(1000, 500) << QRect();
    QTest::newRow("inside") << QPoint(10, 20) << QSize(700, 500) << QRect(10, 20, 700, 500);
}

void TTestSettings::Geometry_Restore()
{
    QFETCH(QPoint, position);
    QFETCH(QSize, size);
    QFETCH(QRect, expected);

    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    if (expected.isNull()) {
        expected = QRect(position, size).intersected(available);
    }
    Prepare_Settings({{"Mainwindow_Position", position}, {"Mainwindow_Size", size}});
    Start();
    expected.setSize(At_Least_Minimum(expected.size()));
    QCOMPARE(Stored_Geometry(), expected);
}

void TTestSettings::Small_Range_Comes_Back_As_1000()
{
    Prepare_Settings({{"Range_Y", 0.5}, {"Range_Z", 250.0}});
    Start();
    QCOMPARE(Edit("range_y_edit")->text(), QString("1000.000"));
    QCOMPARE(Edit("range_z_edit")->text(), QString("250.000"));
    QCOMPARE(Display()->Deflection_Model()->Range_Y(), 1000.0);
    QCOMPARE(Display()->Deflection_Model()->Range_Z(), 250.0);
}

void TTestSettings::Model_Index_Out_Of_Range()
{
    Prepare_Settings({{"Deflection_Model", 7}, {"Model_Parameter1", 0.5}});
    Start();
    QCOMPARE(Combo()->currentIndex(), -1);
    for (const char *name :
         {"parameter1_edit", "parameter2_edit", "parameter3_edit", "parameter4_edit"}) {
        QVERIFY(!Edit(name)->isVisible());
    }
    QVERIFY(!Display()->Deflection_Model());
    QImage picture(Display()->size(), QImage::Format_ARGB32);
    picture.fill(Qt::white);
    Display()->render(&picture, QPoint(), QRegion(), QWidget::RenderFlags());
    QCOMPARE(picture.pixelColor(picture.width() / 2, picture.height() / 2), QColor(Qt::white));
    Close();

    {
        const QSettings settings(Settings_File(), QSettings::IniFormat);
        // The number that names no model is kept as it was written, not saved as -1.
        QCOMPARE(settings.value("Deflection_Model").toInt(), 7);
        // Without a model to ask, the parameters that were read are kept, not wiped.
        QCOMPARE(settings.value("Model_Parameter1").toDouble(), 0.5);
    }

    // The start says so; a model the user chooses replaces the number.
    Start();
    const auto told = [this]() {
        QString text;
        for (const QMessageBox *box : window->findChildren<QMessageBox *>()) {
            text += box->informativeText();
        }
        return text;
    };
    QTRY_VERIFY2(told().contains("Deflection_Model=7"), qPrintable(told()));
    Combo()->setCurrentIndex(1);
    Close();
    QCOMPARE(QSettings(Settings_File(), QSettings::IniFormat).value("Deflection_Model").toInt(), 1);
}

void TTestSettings::Hidden_Fourth_Parameter_Is_Stored()
{
    Start();
    Combo()->setCurrentIndex(2);
    Edit("parameter4_edit")->selectAll();
    QTest::keyClicks(Edit("parameter4_edit"), "0.25");
    Combo()->setCurrentIndex(0);
    QVERIFY(!Edit("parameter4_edit")->isVisible());
    Close();
    // The four keys hold the model in use; LK's numbers wait in a group of their own.
    {
        const QSettings settings(Settings_File(), QSettings::IniFormat);
        QCOMPARE(settings.value("Model_Parameter4").toDouble(), 0.0);
        QCOMPARE(settings.value("Model_Parameters/lk").toString(),
                 QString("0.00001 0.001 -0.0103 0.25"));
        QVERIFY(!settings.contains("Model_Parameters/generic"));
    }
    // They survive a restart.
    Start();
    Combo()->setCurrentIndex(2);
    QCOMPARE(Edit("parameter4_edit")->text(), QString("0.2500"));
    QCOMPARE(Display()->Model_Parameter4(), 0.25);
    Close();
    const QSettings settings(Settings_File(), QSettings::IniFormat);
    QCOMPARE(settings.value("Model_Parameter4").toDouble(), 0.25);
    QCOMPARE(settings.value("Model_Parameters/generic").toString(), QString("0 0 0 0"));
    QVERIFY(!settings.contains("Model_Parameters/lk"));
}

void TTestSettings::Init_Presets_Survive_Restart_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QVector<double>>("values");
    QTest::newRow("Generic") << 0 << QStringList{"-0.0500", "-0.0100", "-0.0100", "0.0000"}
                             << QVector<double>{-0.05, -0.01, -0.01, 0.0};
    QTest::newRow("Renishaw") << 1 << QStringList{"-0.0500", "-0.0100", "-0.0100", "0.0000"}
                              << QVector<double>{-0.05, -0.01, -0.01, 0.0};
    QTest::newRow("LK") << 2 << QStringList{"0.00001", "0.0010", "-0.0103", "0.0010"}
                        << QVector<double>{0.00001, 0.001, -0.0103, 0.001};
}

void TTestSettings::Init_Presets_Survive_Restart()
{
    QFETCH(int, index);
    QFETCH(QStringList, texts);
    QFETCH(QVector<double>, values);

    Start();
    Combo()->setCurrentIndex(index);
    Action("Init")->trigger();
    Close();

    for (int restart = 0; restart < 2; ++restart) {
        Start();
        QCOMPARE(Edit("parameter1_edit")->text(), texts[0]);
        QCOMPARE(Edit("parameter2_edit")->text(), texts[1]);
        QCOMPARE(Edit("parameter3_edit")->text(), texts[2]);
        QCOMPARE(Edit("parameter4_edit")->text(), texts[3]);
        QCOMPARE(Display()->Model_Parameter1(), values[0]);
        QCOMPARE(Display()->Model_Parameter2(), values[1]);
        QCOMPARE(Display()->Model_Parameter3(), values[2]);
        QCOMPARE(Display()->Model_Parameter4(), values[3]);
        Close();
    }
}

void TTestSettings::Unreadable_Measurement_File_Is_Kept_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("old_backup");
    QTest::addColumn<int>("loaded");
    QTest::newRow("not XML") << QByteArray("\x01\x02 not xml at all") << false << 0;
    QTest::newRow("other root") << QByteArray("<Other File_Version=\"1\"/>") << false << 0;
    QTest::newRow("other version")
        << QByteArray(two_records).replace("File_Version=\"1\"", "File_Version=\"2\"") << false
        << 0;
    QTest::newRow("bad record, older backup present")
        << QByteArray(two_records).replace("0.000000000000,1.000000000000</Axis>", "0,0</Axis>")
        << true << 1;
    QTest::newRow("repeated identifier")
        << QByteArray(two_records).replace("<Id>1</Id>", "<Id>2</Id>") << false << 1;
    QTest::newRow("non-positive identifier")
        << QByteArray(two_records).replace("<Id>1</Id>", "<Id>-1</Id>") << false << 1;
}

void TTestSettings::Unreadable_Measurement_File_Is_Kept()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, old_backup);
    QFETCH(int, loaded);

    QDir(Home()).mkpath(".curvalo");
    Write(Measurement_File(), content);
    const QString kept = Measurement_File() + (old_backup ? ".bak.1" : ".bak");
    if (old_backup) {
        Write(Measurement_File() + ".bak", "older");
    }

    TWarnings warnings;
    Start();
    QCOMPARE(Rows(), loaded);
    Close();

    QCOMPARE(Read(kept), content);
    if (old_backup) {
        QCOMPARE(Read(Measurement_File() + ".bak"), QByteArray("older"));
    }
    QCOMPARE(TWarnings::messages(),
             QStringList{QString("Curvalo: '%1' could not be read completely; it was kept as "
                                 "'%2' before saving the measurements.")
                             .arg(Measurement_File(), kept)});
    // The close still saved what the store held.
    QVERIFY(Read(Measurement_File()).startsWith("<?xml"));
    QCOMPARE(Read(Measurement_File()).count("<Measurement>"), loaded);

    // The next start reads the new file, and keeps nothing more.
    Start();
    Close();
    QCOMPARE(QDir(Directory()).entryList(QDir::Files).size(), old_backup ? 4 : 3);
}

void TTestSettings::Missing_Measurement_File_Keeps_Nothing()
{
    Prepare_Settings({{"Range_Y", 1200.0}});
    TWarnings warnings;
    Start();
    Close();
    QVERIFY(TWarnings::messages().isEmpty());
    QCOMPARE(QDir(Directory()).entryList(QDir::Files),
             (QStringList{"measurements.xml", "settings.ini"}));

    // A good file is simply loaded and saved again.
    Write(Measurement_File(), two_records);
    Start();
    QCOMPARE(Rows(), 2);
    QCOMPARE(Row_Text(0), QString("Measurement 2"));
    Close();
    QCOMPARE(Read(Measurement_File()), two_records);
    QVERIFY(TWarnings::messages().isEmpty());
}

void TTestSettings::Unusable_Settings_Directory_data()
{
    QTest::addColumn<bool>("plain_file");
    QTest::newRow("a plain file named .curvalo") << true;
    QTest::newRow("a home that cannot be written") << false;
}

void TTestSettings::Unusable_Settings_Directory()
{
    QFETCH(bool, plain_file);
    if (plain_file) {
        Write(Directory(), "not a directory");
    } else {
        if (geteuid() == 0) {
            QSKIP("root can write into any directory, so an unwritable home cannot be made");
        }
        QVERIFY(QFile::setPermissions(Home(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    }

    TWarnings warnings;
    Start();
    QCOMPARE(TWarnings::messages().size(), 1);
    QVERIFY(TWarnings::messages().first().contains(Directory()));
    // The program works all the same.
    QTest::mouseClick(window->findChild<QToolButton *>("add_button"), Qt::LeftButton);
    QCOMPARE(Rows(), 1);
    Close();
    QCOMPARE(TWarnings::messages().size(), 1);

    QFile::setPermissions(Home(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(QDir(Home()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             plain_file ? QStringList{".curvalo"} : QStringList{});
    if (plain_file) {
        QCOMPARE(Read(Directory()), QByteArray("not a directory"));
    }
}

void TTestSettings::Exaggeration_Is_Remembered_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("shown");
    QTest::newRow("none") << QVariant() << 1;
    QTest::newRow("250") << QVariant("250") << 250;
    QTest::newRow("largest") << QVariant("1000") << 1000;
    QTest::newRow("beyond the slider") << QVariant("5000") << 1;
    QTest::newRow("zero") << QVariant("0") << 1;
    QTest::newRow("not a number") << QVariant("lots") << 1;
}

// The number beside the slider shows what the drawing uses, takes what is typed, and the
// value comes back at the next start; a stored value the slider cannot hold is not used.
void TTestSettings::Exaggeration_Is_Remembered()
{
    QFETCH(QVariant, stored);
    QFETCH(int, shown);
    if (stored.isValid()) {
        Prepare_Settings({{"View/Exaggeration", stored}});
    }
    Start();
    QSpinBox *spin = window->findChild<QSpinBox *>("exaggeration_spin");
    QSlider *slider = window->findChild<QSlider *>("exaggeration_slider");
    QCOMPARE(spin->value(), shown);
    QCOMPARE(slider->value(), shown);
    QCOMPARE(Display()->Exaggeration(), double(shown));

    spin->setFocus();
    spin->selectAll();
    QTest::keyClicks(spin, "420");
    QTest::keyClick(spin, Qt::Key_Return);
    QCOMPARE(slider->value(), 420);
    QCOMPARE(Display()->Exaggeration(), 420.0);
    Close();
    QCOMPARE(QSettings(Settings_File(), QSettings::IniFormat).value("View/Exaggeration").toInt(),
             420);
    Start();
    QCOMPARE(window->findChild<QSpinBox *>("exaggeration_spin")->value(), 420);
    QCOMPARE(Display()->Exaggeration(), 420.0);

    // Back to 1, the key goes: the file holds only what it always had.
    window->findChild<QSlider *>("exaggeration_slider")->setValue(1);
    Close();
    QVERIFY(!QSettings(Settings_File(), QSettings::IniFormat).contains("View/Exaggeration"));
}

void TTestSettings::Failed_Writes_Are_Reported()
{
    Start();
    // While the program runs, both files turn into directories that no file can replace.
    QVERIFY(QDir(Directory()).mkpath("settings.ini/x"));
    QVERIFY(QDir(Directory()).mkpath("measurements.xml/x"));
    TWarnings warnings;
    QString question;
    Answer_Next_Box("Cancel", &question);
    QVERIFY(!window->close());
    QVERIFY(window->isVisible());
    QVERIFY(question.contains("Your changes could not be saved"));
    QVERIFY2(question.contains(Settings_File()), qPrintable(question));
    QVERIFY(window->findChild<QLabel *>("unsaved_label")->isVisible());

    QCOMPARE(TWarnings::messages().size(), 2);
    QVERIFY2(
        TWarnings::messages()[0].startsWith(
            QString("Curvalo: the settings could not be written to '%1': ").arg(Settings_File())),
        qPrintable(TWarnings::messages()[0]));
    QVERIFY2(TWarnings::messages()[1].startsWith(
                 QString("Curvalo: the measurements were not saved: ERR:  Cannot write file '%1'")
                     .arg(Measurement_File())),
             qPrintable(TWarnings::messages()[1]));

    // Once the user has made room, the close saves and the notice is gone.
    QVERIFY(QDir(Directory() + "/settings.ini").removeRecursively());
    QVERIFY(QDir(Directory() + "/measurements.xml").removeRecursively());
    Close();
    QVERIFY(QFileInfo(Settings_File()).isFile());
    QVERIFY(Read(Measurement_File()).startsWith("<?xml"));
}

void TTestSettings::Garbage_Settings_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("parameter1");
    QTest::addColumn<QString>("range_y");
    QTest::addColumn<int>("model");
    QTest::addColumn<QRect>("geometry");
    // What settings.ini still says after the window closed: a stored value the program could
    // not use stays as it was written.
    QTest::addColumn<QStringList>("kept");

    QByteArray junk(4096, '\0');
    for (int i = 0; i < junk.size(); ++i) {
        junk[i] = char((i * 7919) % 256);
    }
    QTest::newRow("binary junk") << junk << "0.0000"
                                 << "1000.000" << 0 << QRect() << QStringList();
    QTest::newRow("wrong types") << QByteArray("[General]\nMainwindow_Position=abc\n"
                                               "Mainwindow_Size=@Point(3 4)\n"
                                               "Model_Parameter1=@Size(1 2)\nRange_Y=xyz\n"
                                               "Deflection_Model=two\n")
                                 << "0.0000"
                                 << "xyz" << 0 << QRect(30, 30, 901, 901)
                                 << QStringList{"Range_Y=xyz"};
    QTest::newRow("not a number") << QByteArray("[General]\nModel_Parameter1=nan\nRange_Y=inf\n"
                                                "Deflection_Model=2\n")
                                  << "nan"
                                  << "inf" << 2 << QRect()
                                  << QStringList{"Model_Parameter1=nan", "Range_Y=inf"};
    QTest::newRow("broken variants")
        << QByteArray("[General]\nMainwindow_Size=@Size(\n"
                      "Model_Parameter1=@Variant(\\0\\0\\0\\x7f)\n"
                      "Range_Y=-5\nDeflection_Model=-1\n")
        << "0.0000"
        << "1000.000" << -1 << QRect(30, 30, 901, 901) << QStringList();
}

void TTestSettings::Garbage_Settings()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, parameter1);
    QFETCH(QString, range_y);
    QFETCH(int, model);
    QFETCH(QRect, geometry);
    QFETCH(QStringList, kept);

    QDir(Home()).mkpath(".curvalo");
    Write(Settings_File(), content);
    Write(Measurement_File(), two_records);
    Start();
    QCOMPARE(Edit("parameter1_edit")->text(), parameter1);
    QCOMPARE(Edit("range_y_edit")->text(), range_y);
    QCOMPARE(Combo()->currentIndex(), model);
    if (!geometry.isNull()) {
        QCOMPARE(Stored_Geometry(), QRect(geometry.topLeft(), At_Least_Minimum(geometry.size())));
    }
    Display()->grab();
    Close();
    // No measurement the user had on disk is gone.
    QCOMPARE(Read(Measurement_File()), two_records);
    const QStringList lines = QString::fromUtf8(Read(Settings_File())).split('\n');
    for (const QString &line : kept) {
        QVERIFY2(lines.contains(line), qPrintable(line));
    }
}

// Twenty thousand bad records with long texts: the start tells the first twenty, each value
// quoted short, counts the rest, and the box fits on the screen.
void TTestSettings::Many_Problems_Fit_The_Screen()
{
    QByteArray records;
    const QByteArray long_text(100000, 'x');
    for (int i = 0; i < 20000; ++i) {
        records += "    <Measurement>\n        <Id>1</Id>\n"
                   "        <Nominal_Length>" +
                   (i < 30 ? long_text : QByteArray("10")) +
                   "</Nominal_Length>\n        <Position>0,0,0</Position>\n"
                   "        <Axis>0,1,0</Axis>\n    </Measurement>\n";
    }
    QDir(Home()).mkpath(".curvalo");
    Write(Measurement_File(), "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                              "<Curvalo_Measurement_Data File_Version=\"1\">\n" +
                                  records + "</Curvalo_Measurement_Data>\n");
    Start();
    const auto notice = [this]() -> QMessageBox * {
        for (QMessageBox *candidate : window->findChildren<QMessageBox *>()) {
            if (candidate->isVisible() && candidate->detailedText().contains("more")) {
                return candidate;
            }
        }
        return nullptr;
    };
    QTRY_VERIFY(notice());
    QMessageBox *box = notice();
    const QString told = box->detailedText();
    QVERIFY2(told.size() < 6000, qPrintable(QString::number(told.size())));
    QVERIFY(box->informativeText().contains("Show Details"));
    QVERIFY2(told.contains("and 20009 more"), qPrintable(told.right(300)));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY2(
        box->frameGeometry().height() <= screen.height(),
        qPrintable(
            QStringLiteral("%1 > %2").arg(box->frameGeometry().height()).arg(screen.height())));
    Close();
}

void TTestSettings::Unusable_Values_Are_Kept_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("typed");

    QTest::newRow("parameter beyond the fields")
        << QByteArray("Model_Parameter1=1e13\n") << "parameter1_edit"
        << "1e13"
        << "0.25";
    QTest::newRow("parameter not a number")
        << QByteArray("Model_Parameter3=abc\n") << "parameter3_edit"
        << "abc"
        << "0.25";
    QTest::newRow("range not finite") << QByteArray("Range_Z=inf\n") << "range_z_edit"
                                      << "inf"
                                      << "800";
    QTest::newRow("damaged MPE") << QByteArray("\n[MPE]\nA=abc\nK=333\n") << "mpe_a_edit"
                                 << "abc"
                                 << "1.5";
}

// A stored value the window cannot use is shown as written and marked, the model does not
// get it, and it stays in settings.ini as written until the user types into its field.
void TTestSettings::Unusable_Values_Are_Kept()
{
    QFETCH(QByteArray, stored);
    QFETCH(QString, field);
    QFETCH(QString, shown);
    QFETCH(QString, typed);

    QDir(Home()).mkpath(".curvalo");
    Write(Settings_File(), "[General]\nDeflection_Model=0\n" + stored);
    Start();
    QLineEdit *edit = Edit(field);
    QCOMPARE(edit->text(), shown);
    const bool mpe = field.startsWith("mpe");
    QVERIFY(mpe ? !edit->styleSheet().isEmpty() : TFieldMark::Is_Marked(edit));
    const TDeflectionModel *model = Display()->Deflection_Model();
    QCOMPARE(model->Parameter1(), 0.0);
    QCOMPARE(model->Parameter3(), 0.0);
    QCOMPARE(model->Range_Z(), 1000.0);
    Close();
    const QByteArray kept = Read(Settings_File());
    for (const QByteArray &line : stored.trimmed().split('\n')) {
        QVERIFY2(kept.contains(line), kept.constData());
    }

    Start();
    QCOMPARE(Edit(field)->text(), shown);
    Type(Edit(field), typed);
    Close();
    const QByteArray replaced = Read(Settings_File());
    QVERIFY2(!replaced.contains("=" + shown.toUtf8() + "\n"), replaced.constData());
}

QTEST_MAIN(TTestSettings)
#include "tst_settings.moc"
