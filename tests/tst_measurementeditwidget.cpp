// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>
#include <cmath>
#include <limits>

#include "measurementeditwidget.h"

// The form for one measurement: parsing with fallbacks, formatting, and which edits emit.
class TTestMeasurementEditWidget : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void Form_Layout();
    void Nominal_Length_data();
    void Nominal_Length();
    void Actual_Length_data();
    void Actual_Length();
    void Position_data();
    void Position();
    void Axis_data();
    void Axis();
    void Formatting();
    void Clear_Display();
    void Only_Typing_Emits_data();
    void Only_Typing_Emits();
    void Tab_Order();
    void Gauge_Temperature_data();
    void Gauge_Temperature();

private:
    QLineEdit *Field(const char *name) const { return editor->findChild<QLineEdit *>(name); }
    TMeasurementEditWidget *editor = nullptr;
};

void TTestMeasurementEditWidget::init()
{
    editor = new TMeasurementEditWidget;
}

void TTestMeasurementEditWidget::cleanup()
{
    delete editor;
    editor = nullptr;
}

void TTestMeasurementEditWidget::Form_Layout()
{
    QStringList labels;
    for (const QLabel *label : editor->findChildren<QLabel *>()) {
        labels << label->text();
    }
    QCOMPARE(labels, (QStringList{"Nominal:", "mm", "Actual:", "mm", "Measured:", "mm",
                                  "Temperature:", "°C", "X:", "mm", "Y:", "mm", "Z:", "mm",
                                  "I:", "J:", "k:"}));
    QCOMPARE(editor->measurement_id, 0);

    const QStringList read_only{"actual_length_edit", "position_x_edit", "axis_i_edit"};
    const QList<QLineEdit *> fields = editor->findChildren<QLineEdit *>();
    QCOMPARE(fields.size(), 10);
    for (const QLineEdit *field : fields) {
        QCOMPARE(field->isReadOnly(), read_only.contains(field->objectName()));
        QCOMPARE(field->alignment(), Qt::AlignCenter);
        QVERIFY(field->text().isEmpty());
    }
}

void TTestMeasurementEditWidget::Nominal_Length_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("empty") << "" << 1000.0;
    QTest::newRow("letters") << "abc" << 1000.0;
    QTest::newRow("decimal comma") << "2,5" << 2.5;
    QTest::newRow("half") << "0.5" << 1.0;
    QTest::newRow("zero") << "0" << 1.0;
    QTest::newRow("negative") << "-20" << 1.0;
    QTest::newRow("one") << "1" << 1.0;
    QTest::newRow("plain") << "250" << 250.0;
    QTest::newRow("exponent") << "2.5e2" << 250.0;
    QTest::newRow("blanks") << " 12.5 " << 12.5;
    QTest::newRow("overflow") << "1e999" << 1000.0;
    QTest::newRow("minus infinity") << "-inf" << 1000.0;
    QTest::newRow("nan") << "nan" << 1000.0;
}

void TTestMeasurementEditWidget::Nominal_Length()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    Field("nominal_length_edit")->setText(text);
    QCOMPARE(editor->Nominal_Length(), expected);
}

void TTestMeasurementEditWidget::Actual_Length_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("letters") << "abc" << 1000.0;
    QTest::newRow("empty") << "" << 1000.0;
    QTest::newRow("negative") << "-3" << -3.0;
    QTest::newRow("small") << "0.25" << 0.25;
}

void TTestMeasurementEditWidget::Actual_Length()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    Field("actual_length_edit")->setText(text);
    QCOMPARE(editor->Actual_Length(), expected);
}

void TTestMeasurementEditWidget::Position_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("z");
    QTest::newRow("all numbers") << QStringList{"1", "-12.5", "100"} << 1.0 << -12.5 << 100.0;
    QTest::newRow("letters in y only") << QStringList{"1", "abc", "100"} << 1.0 << 0.0 << 100.0;
    QTest::newRow("all empty") << QStringList{"", "", ""} << 0.0 << 0.0 << 0.0;
}

void TTestMeasurementEditWidget::Position()
{
    QFETCH(QStringList, texts);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(double, z);
    Field("position_x_edit")->setText(texts[0]);
    Field("position_y_edit")->setText(texts[1]);
    Field("position_z_edit")->setText(texts[2]);
    const TVector3 position = editor->Position();
    QCOMPARE(position.x, x);
    QCOMPARE(position.y, y);
    QCOMPARE(position.z, z);
}

void TTestMeasurementEditWidget::Axis_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<double>("i");
    QTest::addColumn<double>("j");
    QTest::addColumn<double>("k");
    QTest::newRow("all empty") << QStringList{"", "", ""} << 0.0 << 0.0 << 1.0;
    QTest::newRow("3-4-5") << QStringList{"0", "3", "4"} << 0.0 << 0.6 << 0.8;
    QTest::newRow("too short") << QStringList{"0", "0.0000001", "0"} << 0.0 << 0.0 << 1.0;
    QTest::newRow("negative y") << QStringList{"0", "-2", "0"} << 0.0 << -1.0 << 0.0;
    QTest::newRow("letters") << QStringList{"x", "y", "z"} << 0.0 << 0.0 << 1.0;
    QTest::newRow("nan in j") << QStringList{"0", "nan", "1"} << 0.0 << 0.0 << 1.0;
    QTest::newRow("infinity in k") << QStringList{"0", "1", "inf"} << 0.0 << 1.0 << 0.0;
    QTest::newRow("decimal commas") << QStringList{"0", "0,6", "0,8"} << 0.0 << 0.6 << 0.8;
    QTest::newRow("minus infinity") << QStringList{"0", "-inf", "0"} << 0.0 << 0.0 << 1.0;
    QTest::newRow("i read as given") << QStringList{"3", "0", "4"} << 0.6 << 0.0 << 0.8;
}

void TTestMeasurementEditWidget::Axis()
{
    QFETCH(QStringList, texts);
    QFETCH(double, i);
    QFETCH(double, j);
    QFETCH(double, k);
    Field("axis_i_edit")->setText(texts[0]);
    Field("axis_j_edit")->setText(texts[1]);
    Field("axis_k_edit")->setText(texts[2]);
    const TVector3 axis = editor->Axis();
    QCOMPARE(axis.x, i);
    QCOMPARE(axis.y, j);
    QCOMPARE(axis.z, k);
}

void TTestMeasurementEditWidget::Formatting()
{
    editor->Set_Nominal_Length(250);
    editor->Set_Actual_Length(999.982501751972);
    editor->Set_Position(TVector3(0, -12.5, 100));
    editor->Set_Axis(TVector3(0, 0.6, 0.8));
    QCOMPARE(Field("nominal_length_edit")->text(), QString("250.0000"));
    QCOMPARE(Field("actual_length_edit")->text(), QString("999.9825"));
    QCOMPARE(Field("position_x_edit")->text(), QString("0.0000"));
    QCOMPARE(Field("position_y_edit")->text(), QString("-12.5000"));
    QCOMPARE(Field("position_z_edit")->text(), QString("100.0000"));
    QCOMPARE(Field("axis_i_edit")->text(), QString("0.000000"));
    QCOMPARE(Field("axis_j_edit")->text(), QString("0.600000"));
    QCOMPARE(Field("axis_k_edit")->text(), QString("0.800000"));

    // No normalising and no thousands separator, whatever the locale.
    QLocale::setDefault(QLocale(QLocale::German));
    editor->Set_Axis(TVector3(0, 3, 4));
    editor->Set_Nominal_Length(12345.678);
    QLocale::setDefault(QLocale::c());
    QCOMPARE(Field("axis_j_edit")->text(), QString("3.000000"));
    QCOMPARE(Field("nominal_length_edit")->text(), QString("12345.6780"));
}

void TTestMeasurementEditWidget::Clear_Display()
{
    editor->measurement_id = 17;
    editor->Set_Nominal_Length(250);
    editor->Set_Actual_Length(249);
    editor->Set_Position(TVector3(1, 2, 3));
    editor->Set_Axis(TVector3(0, 1, 0));
    editor->Clear_Display();
    for (const QLineEdit *field : editor->findChildren<QLineEdit *>()) {
        QVERIFY(field->text().isEmpty());
    }
    QCOMPARE(editor->measurement_id, 17);
    QCOMPARE(editor->Nominal_Length(), 1000.0);
    QCOMPARE(editor->Position().y, 0.0);
    QCOMPARE(editor->Axis().z, 1.0);
}

void TTestMeasurementEditWidget::Only_Typing_Emits_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("signals_for_one_key");
    QTest::newRow("nominal") << "nominal_length_edit" << 1;
    QTest::newRow("y") << "position_y_edit" << 1;
    QTest::newRow("z") << "position_z_edit" << 1;
    QTest::newRow("j") << "axis_j_edit" << 1;
    QTest::newRow("k") << "axis_k_edit" << 1;
    QTest::newRow("x is read-only") << "position_x_edit" << 0;
    QTest::newRow("i is read-only") << "axis_i_edit" << 0;
    QTest::newRow("actual is read-only") << "actual_length_edit" << 0;
}

void TTestMeasurementEditWidget::Only_Typing_Emits()
{
    QFETCH(QString, field);
    QFETCH(int, signals_for_one_key);

    QSignalSpy spy(editor, &TMeasurementEditWidget::Data_Changed);
    editor->Set_Nominal_Length(250);
    editor->Set_Actual_Length(250);
    editor->Set_Position(TVector3(1, 2, 3));
    editor->Set_Axis(TVector3(0, 1, 0));
    editor->Clear_Display();
    QCOMPARE(spy.count(), 0);

    QLineEdit *edit = Field(qPrintable(field));
    QTest::keyClick(edit, Qt::Key_5);
    QCOMPARE(spy.count(), signals_for_one_key);
    QCOMPARE(edit->text(), signals_for_one_key ? QString("5") : QString());
}

void TTestMeasurementEditWidget::Tab_Order()
{
    // The labels in between take no focus.
    QStringList order;
    QWidget *widget = Field("nominal_length_edit");
    while (order.size() < 10) {
        if (qobject_cast<QLineEdit *>(widget)) {
            order << widget->objectName();
        }
        widget = widget->nextInFocusChain();
    }
    QCOMPARE(order,
             (QStringList{"nominal_length_edit", "actual_length_edit", "measured_length_edit",
                          "temperature_edit", "position_x_edit", "position_y_edit",
                          "position_z_edit", "axis_i_edit", "axis_j_edit", "axis_k_edit"}));
}

void TTestMeasurementEditWidget::Gauge_Temperature_data()
{
    QTest::addColumn<bool>("had"); // the record had a temperature of its own, 22 °C
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("has");
    QTest::addColumn<double>("temperature");
    QTest::addColumn<bool>("marked");
    QTest::newRow("given") << false << "21.5" << true << 21.5 << false;
    QTest::newRow("decimal comma") << false << "19,25" << true << 19.25 << false;
    QTest::newRow("emptied: the test's again") << true << "" << false << 20.0 << false;
    QTest::newRow("not a number, kept") << true << "warm" << true << 22.0 << true;
    QTest::newRow("below absolute zero, kept") << true << "-300" << true << 22.0 << true;
    QTest::newRow("infinite, kept") << false << "inf" << false << 20.0 << true;
}

// A gauge's own temperature: empty leaves the test's, and text that is no usable temperature
// is marked and never stored.
void TTestMeasurementEditWidget::Gauge_Temperature()
{
    QFETCH(bool, had);
    QFETCH(QString, typed);
    QFETCH(bool, has);
    QFETCH(double, temperature);
    QFETCH(bool, marked);
    TMeasurementData::TMeasurement shown{3, TVector3(0, 0, 0), TVector3(0, 0, 1), 100.0};
    shown.has_temperature = had;
    shown.temperature = had ? 22.0 : 20.0;
    editor->Set_Nominal_Length(shown.nominal_length);
    editor->Set_Position(shown.position);
    editor->Set_Axis(shown.axis);
    editor->Set_Gauge_Temperature(shown.has_temperature, shown.temperature);
    QCOMPARE(Field("temperature_edit")->text(), had ? QString("22") : QString());

    QSignalSpy spy(editor, &TMeasurementEditWidget::Data_Changed);
    Field("temperature_edit")->selectAll();
    QTest::keyClick(Field("temperature_edit"), Qt::Key_Delete);
    QTest::keyClicks(Field("temperature_edit"), typed);
    QVERIFY(spy.count() > 0);
    const TMeasurementData::TMeasurement edited = editor->Edited(shown);
    QCOMPARE(edited.has_temperature, has);
    QCOMPARE(edited.temperature, temperature);
    QCOMPARE(Field("temperature_edit")->styleSheet().contains("border"), marked);
    QCOMPARE(edited.nominal_length, shown.nominal_length);
}

QTEST_MAIN(TTestMeasurementEditWidget)
#include "tst_measurementeditwidget.moc"
