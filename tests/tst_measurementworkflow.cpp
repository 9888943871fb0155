// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <cmath>
#include <memory>
#include <vector>

#include "deflectionmodel.h"
#include "displaywidget.h"
#include "fieldmark.h"
#include "measurementeditwidget.h"
#include "messagebox.h"
#include "testfiles.h"
#include "windowfixture.h"

// The measurement list, the editor, the store and the display's gauges working together.
class TTestMeasurementWorkflow : public QObject, protected TWindowFixture
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void Add_With_Nothing_Selected();
    void Add_While_Shown_Duplicates();
    void Select_Two_And_Remove_Both();
    void Editing_Moves_Gauge_And_Actual_Length();
    void Worked_Example();
    void No_Model_Actual_Equals_Nominal();
    void Parameter_Change_Without_Measurement();
    void Strange_Editor_Input_data();
    void Strange_Editor_Input();
    void New_Answered_No();
    void New_Answered_Yes();
    void Init_Presets_data();
    void Init_Presets();
    void Three_Views_Stay_In_Step();
    void Editing_One_Field_Changes_Only_It_data();
    void Editing_One_Field_Changes_Only_It();

private:
    QToolButton *Button(const char *name) const { return window->findChild<QToolButton *>(name); }
    QLineEdit *Field(const char *name) const { return Editor()->findChild<QLineEdit *>(name); }
    void Click_Row(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void Answer_Next_Box(QMessageBox::StandardButton answer);
    QStringList Editor_Texts() const;
    void Check_In_Step();
};

void TTestMeasurementWorkflow::initTestCase()
{
    New_Home();
}

void TTestMeasurementWorkflow::init()
{
    Start();
}

void TTestMeasurementWorkflow::cleanup()
{
    window.reset();
}

void TTestMeasurementWorkflow::Click_Row(int row, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex index = List()->model()->index(row, 0);
    List()->scrollTo(index);
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, modifiers,
                      List()->visualRect(index).center());
}

void TTestMeasurementWorkflow::Answer_Next_Box(QMessageBox::StandardButton answer)
{
    QTimer::singleShot(0, [answer]() {
        TMessageBox *box = qobject_cast<TMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        QVERIFY(box->text().contains(">Delete Measurements</span>"));
        QVERIFY(box->informativeText().contains(
            ">Do you want to delete all measurements and reset settings?</span>"));
        QCOMPARE(box->icon(), QMessageBox::Warning);
        QCOMPARE(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(box->defaultButton(), box->button(QMessageBox::Yes));
        QTest::mouseClick(box->button(answer), Qt::LeftButton);
    });
}

QStringList TTestMeasurementWorkflow::Editor_Texts() const
{
    QStringList texts;
    for (const char *name :
         {"nominal_length_edit", "actual_length_edit", "position_x_edit", "position_y_edit",
          "position_z_edit", "axis_i_edit", "axis_j_edit", "axis_k_edit"}) {
        texts << Field(name)->text();
    }
    return texts;
}

// The store, the list and the display's gauges hold the same identifiers in the same order.
void TTestMeasurementWorkflow::Check_In_Step()
{
    const std::vector<int> store = window->Measurement_Data().Get_Measurement_Ids();
    std::vector<int> rows;
    for (int row = 0; row < Rows(); ++row) {
        rows.push_back(List()->model()->index(row, 0).data(Qt::UserRole).toInt());
        QCOMPARE(Row_Text(row), QString("Measurement %1").arg(rows.back()));
    }
    std::vector<int> gauges;
    for (const TDisplayWidget::TLengthMeasurement &gauge : Display()->Length_Measurements()) {
        gauges.push_back(gauge.id);
    }
    QCOMPARE(rows, store);
    QCOMPARE(gauges, store);
}

void TTestMeasurementWorkflow::Add_With_Nothing_Selected()
{
    QVERIFY(!Editor()->isEnabled());
    // An editor with nothing to show marks none of its empty fields.
    for (QLineEdit *field : Editor()->findChildren<QLineEdit *>()) {
        QVERIFY2(!TFieldMark::Is_Marked(field), qPrintable(field->objectName()));
    }
    QVERIFY(!Button("remove_button")->isEnabled());
    QCOMPARE(Button("add_button")->text(), QString("+"));
    QCOMPARE(Button("remove_button")->text(), QString("-"));
    QCOMPARE(Button("add_button")->size(), QSize(20, 20));

    QTest::mouseClick(Button("add_button"), Qt::LeftButton);
    QCOMPARE(Rows(), 1);
    QCOMPARE(Row_Text(0), QString("Measurement 1"));
    QVERIFY(Row_Selected(0));
    QCOMPARE(List()->currentIndex().row(), 0);
    QVERIFY(Editor()->isEnabled());
    QVERIFY(Button("remove_button")->isEnabled());
    QCOMPARE(Editor()->measurement_id, 1);
    QCOMPARE(Editor_Texts(), (QStringList{"1000.0000", "1000.0000", "0.0000", "0.0000", "0.0000",
                                          "0.000000", "0.000000", "1.000000"}));

    const TDisplayWidget::TLengthMeasurement gauge = Display()->Length_Measurements().front();
    QCOMPARE(gauge.id, 1);
    QCOMPARE(gauge.point1.z, 500.0);
    QCOMPARE(gauge.point2.z, -500.0);
    Check_In_Step();
}

void TTestMeasurementWorkflow::Add_While_Shown_Duplicates()
{
    QTest::mouseClick(Button("add_button"), Qt::LeftButton);
    Type(Field("position_y_edit"), "250");
    Type(Field("axis_j_edit"), "3");
    Type(Field("axis_k_edit"), "4");
    Type(Field("nominal_length_edit"), "100");
    const QStringList first = Editor_Texts();

    QTest::mouseClick(Button("add_button"), Qt::LeftButton);
    QCOMPARE(Rows(), 2);
    QCOMPARE(Row_Text(1), QString("Measurement 2"));
    QVERIFY(Row_Selected(1));
    QVERIFY(!Row_Selected(0));
    QCOMPARE(Editor()->measurement_id, 2);
    // The axis was normalised when it was stored.
    QCOMPARE(Editor_Texts(), (QStringList{"100.0000", first[1], "0.0000", "250.0000", "0.0000",
                                          "0.000000", "0.600000", "0.800000"}));
    Check_In_Step();
}

void TTestMeasurementWorkflow::Select_Two_And_Remove_Both()
{
    for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(Button("add_button"), Qt::LeftButton);
    }
    Click_Row(0);
    QVERIFY(Editor()->isEnabled());
    Click_Row(2, Qt::ControlModifier);
    QCOMPARE(Selected_Texts().size(), 2);
    QVERIFY(!Editor()->isEnabled());
    QVERIFY(Button("remove_button")->isEnabled());
    for (const QString &text : Editor_Texts()) {
        QVERIFY(text.isEmpty());
    }

    QTest::mouseClick(Button("remove_button"), Qt::LeftButton);
    QCOMPARE(Rows(), 1);
    QCOMPARE(Row_Text(0), QString("Measurement 2"));
    QCOMPARE(window->Measurement_Data().Get_Measurement_Ids(), std::vector<int>{2});
    QVERIFY(!Editor()->isEnabled());
    QVERIFY(!Button("remove_button")->isEnabled());
    Check_In_Step();

    // Identifiers freed by the removal come back, the smallest first.
    QTest::mouseClick(Button("add_button"), Qt::LeftButton);
    QCOMPARE(Row_Text(1), QString("Measurement 1"));
    Check_In_Step();
}

void TTestMeasurementWorkflow::Editing_Moves_Gauge_And_Actual_Length()
{
    Action("Init")->trigger();
    QTest::mouseClick(Button("add_button"), Qt::LeftButton);
    Type(Field("position_y_edit"), "500");
    Type(Field("position_z_edit"), "400");
    const QString before = Field("actual_length_edit")->text();

    Type(Field("nominal_length_edit"), "300");
    const TDisplayWidget::TLengthMeasurement gauge = Display()->Length_Measurements().front();
    QCOMPARE(gauge.point1.y, 500.0);
    QCOMPARE(gauge.point1.z, 550.0);
    QCOMPARE(gauge.point2.z, 250.0);
    QVERIFY(Field("actual_length_edit")->text() != before);
    QVERIFY(Field("actual_length_edit")->text().startsWith("300.0"));

    TMeasurementData::TMeasurement stored{};
    QVERIFY(window->Measurement_Data().Get_Measurement(1, &stored));
    QCOMPARE(stored.nominal_length, 300.0);
    QCOMPARE(stored.position.z, 400.0);
    // The list row keeps its text.
    QCOMPARE(Row_Text(0), QString("Measurement 1"));
}

void TTestMeasurementWorkflow::Worked_Example()
{
    Action("Init")->trigger(); // Generic presets: -0.05, -0.01, -0.01
    QTest::mouseClick(Button("add_button"), Qt::LeftButton);
    Type(Field("position_y_edit"), "500");
    Type(Field("position_z_edit"), "500");
    Type(Field("axis_k_edit"), "0");
    Type(Field("axis_j_edit"), "1");
    QCOMPARE(Field("actual_length_edit")->text(), QString("999.9825"));

    // The same computation to the last digits given.
    const TVector3 difference = Display()->Get_Gauge_Point(TVector3(0, 1000, 500)) -
                                Display()->Get_Gauge_Point(TVector3(0, 0, 500));
    const double actual = std::sqrt(difference.x * difference.x + difference.y * difference.y +
                                    difference.z * difference.z);
    QVERIFY(std::fabs(actual - 999.982501751972) <= 5e-15 * 999.982501751972);

    // The exaggeration changes the drawing only.
    window->findChild<QSlider *>()->setValue(800);
    QCOMPARE(Field("actual_length_edit")->text(), QString("999.9825"));

    // A parameter typed by the user takes effect at once.
    Type(Edit("parameter1_edit"), "0");
    QVERIFY(Field("actual_length_edit")->text() != QString("999.9825"));
}

void TTestMeasurementWorkflow::No_Model_Actual_Equals_Nominal()
{
    Action("Init")->trigger();
    QTest::mouseClick(Button("add_button"), Qt::LeftButton);
    Type(Field("position_y_edit"), "700");
    Type(Field("position_z_edit"), "900");
    Type(Field("axis_j_edit"), "1");
    Type(Field("nominal_length_edit"), "750.5");
    QVERIFY(Field("actual_length_edit")->text() != QString("750.5000"));

    Combo()->setCurrentIndex(-1);
    QVERIFY(!Display()->Deflection_Model());
    QCOMPARE(Field("actual_length_edit")->text(), QString("750.5000"));
}

void TTestMeasurementWorkflow::Parameter_Change_Without_Measurement()
{
    Type(Edit("parameter1_edit"), "0.3");
    Type(Edit("range_y_edit"), "500");
    Combo()->setCurrentIndex(1);
    for (const QString &text : Editor_Texts()) {
        QVERIFY(text.isEmpty());
    }
}

void TTestMeasurementWorkflow::Strange_Editor_Input_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("nan") << "nan";
    QTest::newRow("inf") << "inf";
    QTest::newRow("minus inf") << "-inf";
    QTest::newRow("overflow") << "1e999";
    QTest::newRow("long digits") << QString(400, QLatin1Char('8'));
    QTest::newRow("letters") << "abc";
}

void TTestMeasurementWorkflow::Strange_Editor_Input()
{
    QFETCH(QString, text);
    Action("Init")->trigger();
    QTest::mouseClick(Button("add_button"), Qt::LeftButton);
    QTest::mouseClick(Button("add_button"), Qt::LeftButton);
    Click_Row(0);
    window->findChild<QSlider *>()->setValue(1000);
    for (const char *name : {"nominal_length_edit", "position_y_edit", "position_z_edit",
                             "axis_j_edit", "axis_k_edit"}) {
        Type(Field(name), text);
        Display()->grab();
    }
    // The other measurement is untouched.
    TMeasurementData::TMeasurement other{};
    QVERIFY(window->Measurement_Data().Get_Measurement(2, &other));
    QCOMPARE(other.nominal_length, 1000.0);
    QCOMPARE(other.axis.z, 1.0);
    QCOMPARE(other.position.y, 0.0);
    TMeasurementData::TMeasurement edited{};
    QVERIFY(window->Measurement_Data().Get_Measurement(1, &edited));
    QCOMPARE(std::sqrt(edited.axis ^ edited.axis), 1.0);
    Check_In_Step();
}

void TTestMeasurementWorkflow::New_Answered_No()
{
    QTest::mouseClick(Button("add_button"), Qt::LeftButton);
    Type(Edit("parameter2_edit"), "0.125");
    Answer_Next_Box(QMessageBox::No);
    Action("New")->trigger();
    QCOMPARE(Rows(), 1);
    QVERIFY(Editor()->isEnabled());
    QCOMPARE(Edit("parameter2_edit")->text(), QString("0.125"));
    QCOMPARE(Display()->Model_Parameter2(), 0.125);
    Check_In_Step();
}

void TTestMeasurementWorkflow::New_Answered_Yes()
{
    QTest::mouseClick(Button("add_button"), Qt::LeftButton);
    QTest::mouseClick(Button("add_button"), Qt::LeftButton);
    Type(Edit("range_y_edit"), "1500");
    Type(Edit("parameter2_edit"), "0.125");
    Answer_Next_Box(QMessageBox::Yes);
    Action("New")->trigger();

    QCOMPARE(Rows(), 0);
    QVERIFY(window->Measurement_Data().Get_Measurement_Ids().empty());
    QVERIFY(Display()->Length_Measurements().empty());
    QVERIFY(!Editor()->isEnabled());
    for (const QString &text : Editor_Texts()) {
        QVERIFY(text.isEmpty());
    }
    QCOMPARE(Edit("parameter1_edit")->text(), QString("-0.0500"));
    QCOMPARE(Edit("parameter2_edit")->text(), QString("-0.0100"));
    QCOMPARE(Display()->Model_Parameter2(), -0.01);
    QCOMPARE(Edit("range_y_edit")->text(), QString("1500"));
    QCOMPARE(Display()->Deflection_Model()->Range_Y(), 1500.0);
    QCOMPARE(Combo()->currentIndex(), 0);
    Check_In_Step();

    // About after New shows nothing left over from New.
    QTimer::singleShot(0, []() {
        TMessageBox *box = qobject_cast<TMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        QCOMPARE(box->icon(), QMessageBox::Information);
        QCOMPARE(box->buttons().size(), 1);
        box->Send_Key(Qt::Key_Return);
    });
    window->menuBar()->actions().last()->menu()->actions().first()->trigger();
}

void TTestMeasurementWorkflow::Init_Presets_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QVector<double>>("values");
    const QStringList unchanged{"0.1", "0.2", "0.3", "0.4"};
    QTest::newRow("Generic") << 0 << QStringList{"-0.0500", "-0.0100", "-0.0100", "0.0000"}
                             << QVector<double>{-0.05, -0.01, -0.01, 0.0};
    QTest::newRow("Renishaw") << 1 << QStringList{"-0.0500", "-0.0100", "-0.0100", "0.0000"}
                              << QVector<double>{-0.05, -0.01, -0.01, 0.0};
    QTest::newRow("LK") << 2 << QStringList{"0.00001", "0.0010", "-0.0103", "0.0010"}
                        << QVector<double>{0.00001, 0.001, -0.0103, 0.001};
    QTest::newRow("no model") << -1 << unchanged << QVector<double>{0.0, 0.0, 0.0, 0.0};
}

void TTestMeasurementWorkflow::Init_Presets()
{
    QFETCH(int, index);
    QFETCH(QStringList, texts);
    QFETCH(QVector<double>, values);

    Combo()->setCurrentIndex(index);
    Type(Edit("parameter1_edit"), "0.1");
    Type(Edit("parameter2_edit"), "0.2");
    Type(Edit("parameter3_edit"), "0.3");
    Type(Edit("parameter4_edit"), "0.4");
    QTest::mouseClick(Button("add_button"), Qt::LeftButton);
    Action("Init")->trigger();

    QCOMPARE(Edit("parameter1_edit")->text(), texts[0]);
    QCOMPARE(Edit("parameter2_edit")->text(), texts[1]);
    QCOMPARE(Edit("parameter3_edit")->text(), texts[2]);
    QCOMPARE(Edit("parameter4_edit")->text(), texts[3]);
    if (index >= 0) {
        QCOMPARE(Display()->Model_Parameter1(), values[0]);
        QCOMPARE(Display()->Model_Parameter2(), values[1]);
        QCOMPARE(Display()->Model_Parameter3(), values[2]);
        QCOMPARE(Display()->Model_Parameter4(), values[3]);
    }
    // The actual length follows the new parameters: on the line Y = 0 every model's
    // corrections vanish, so the default gauge keeps its length exactly.
    QCOMPARE(Field("actual_length_edit")->text(), QString("1000.0000"));
}

void TTestMeasurementWorkflow::Three_Views_Stay_In_Step()
{
    QRandomGenerator random(20261207);
    const char *fields[] = {"nominal_length_edit", "position_y_edit", "position_z_edit",
                            "axis_j_edit", "axis_k_edit"};
    for (int step = 0; step < 300; ++step) {
        const int action = random.bounded(100);
        const int rows = Rows();
        if (action < 35 || rows == 0) {
            QTest::mouseClick(Button("add_button"), Qt::LeftButton);
        } else if (action < 50) {
            Click_Row(random.bounded(rows));
            if (rows > 1 && random.bounded(2)) {
                Click_Row(random.bounded(rows), Qt::ControlModifier);
            }
            if (Button("remove_button")->isEnabled()) {
                QTest::mouseClick(Button("remove_button"), Qt::LeftButton);
            }
        } else if (action < 70) {
            Click_Row(random.bounded(rows),
                      random.bounded(3) == 0 ? Qt::ControlModifier : Qt::NoModifier);
        } else if (action < 92) {
            if (Editor()->isEnabled()) {
                Type(Field(fields[random.bounded(5)]),
                     QString::number(random.bounded(2000.0) - 500.0, 'f', 3));
            }
        } else if (action < 96) {
            Answer_Next_Box(random.bounded(2) ? QMessageBox::Yes : QMessageBox::No);
            Action("New")->trigger();
        } else {
            Combo()->setCurrentIndex(random.bounded(3));
            Action("Init")->trigger();
        }
        Check_In_Step();
        if (QTest::currentTestFailed()) {
            qWarning("views out of step after step %d", step);
            return;
        }
        // An enabled editor always shows a stored measurement.
        if (Editor()->isEnabled()) {
            QVERIFY(window->Measurement_Data().Measurement_Id_Exists(Editor()->measurement_id));
        }
    }
}

void TTestMeasurementWorkflow::Editing_One_Field_Changes_Only_It_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::newRow("Z") << "position_z_edit"
                       << "400.5";
    QTest::newRow("Y") << "position_y_edit"
                       << "12";
    QTest::newRow("nominal") << "nominal_length_edit"
                             << "250";
    QTest::newRow("measured") << "measured_length_edit"
                              << "100.2";
    QTest::newRow("axis") << "axis_k_edit"
                          << "0";
    QTest::newRow("gauge temperature") << "temperature_edit"
                                       << "21.5";
}

// A record with more digits than the editor shows keeps them in every field the user did not
// touch.
void TTestMeasurementWorkflow::Editing_One_Field_Changes_Only_It()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);

    const QString file = Home_File("precise.csv");
    Write(file, "id,nominal_length_mm,position_y_mm,position_z_mm,axis_y,axis_z,"
                "measured_length_mm\n"
                "7,100.123456,250.987654,300.123456,1,2,100.123789\n");
    QStringList errors;
    QVERIFY(window->Import_Measurements(file, true, &errors));
    TMeasurementData::TMeasurement before;
    QVERIFY(window->Measurement_Data().Get_Measurement(7, &before));
    Click_Row(0);
    Type(Field(qPrintable(field)), typed);

    TMeasurementData::TMeasurement after;
    QVERIFY(window->Measurement_Data().Get_Measurement(7, &after));
    const double value = typed.toDouble();
    QCOMPARE(after.nominal_length, field == "nominal_length_edit" ? value : before.nominal_length);
    QCOMPARE(after.position.x, before.position.x);
    QCOMPARE(after.position.y, field == "position_y_edit" ? value : before.position.y);
    QCOMPARE(after.position.z, field == "position_z_edit" ? value : before.position.z);
    QCOMPARE(after.measured_length,
             field == "measured_length_edit" ? value : before.measured_length);
    QCOMPARE(after.has_temperature, field == "temperature_edit");
    QCOMPARE(after.temperature, field == "temperature_edit" ? value : before.temperature);
    if (field == "axis_k_edit") {
        QCOMPARE(after.axis.y, 1.0);
        QCOMPARE(after.axis.z, 0.0);
    } else {
        QCOMPARE(after.axis.y, before.axis.y);
        QCOMPARE(after.axis.z, before.axis.z);
    }
}

QTEST_MAIN(TTestMeasurementWorkflow)
#include "tst_measurementworkflow.moc"
