// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <memory>

#include "deflectionmodel.h"
#include "displaywidget.h"
#include "numbertext.h"
#include "windowfixture.h"

// The model and view controls, driven as a user drives them.
class TTestModelControls : public QObject, protected TWindowFixture
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void Start_State();
    void Rows_Follow_Model_data();
    void Rows_Follow_Model();
    void Model_Switch_Hands_Fields_Over();
    void Typing_A_Parameter_Updates_Drawing_data();
    void Typing_A_Parameter_Updates_Drawing();
    void Unparsable_Text_Changes_Nothing_data();
    void Unparsable_Text_Changes_Nothing();
    void Small_Range_Leaves_Drawing();
    void Empty_Range_Gives_New_Model_Default();
    void Exaggeration_Slider();
    void Programmatic_Text_Runs_No_Slot();
    void Focus_Order();
    void Any_Text_In_Any_Field_data();
    void Any_Text_In_Any_Field();
    void Pasted_Line_Breaks();

private:
    QLabel *Label(const QString &name) const { return window->findChild<QLabel *>(name); }
    QImage Picture() const { return Display()->grab().toImage(); }
    void Paste(QLineEdit *edit, const QString &text);
};

void TTestModelControls::initTestCase()
{
    New_Home();
}

void TTestModelControls::init()
{
    Start();
}

void TTestModelControls::cleanup()
{
    window.reset();
}

// Replaces the field's text in one edit, as pasting over a selection does.
void TTestModelControls::Paste(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    if (text.isEmpty()) {
        QTest::keyClick(edit, Qt::Key_Delete);
        return;
    }
    QApplication::clipboard()->setText(text);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
}

void TTestModelControls::Start_State()
{
    QCOMPARE(Combo()->currentText(), QString("Generic Deflection"));
    QCOMPARE(Combo()->count(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(Combo()->itemData(i).toInt(), i + 1);
        QVERIFY(Combo()->itemIcon(i).isNull());
    }
    for (const char *name :
         {"parameter1_edit", "parameter2_edit", "parameter3_edit", "parameter4_edit"}) {
        QCOMPARE(Edit(name)->text(), QString("0.0000"));
        QCOMPARE(Edit(name)->alignment(), Qt::AlignCenter);
        QVERIFY(!Edit(name)->validator());
    }
    QCOMPARE(Edit("range_y_edit")->text(), QString("1000.000"));
    QCOMPARE(Edit("range_z_edit")->text(), QString("1000.000"));
    QVERIFY(Display()->Deflection_Model());
    QCOMPARE(Display()->Deflection_Model()->Range_Y(), 1000.0);
    QCOMPARE(Label("parameter1_label")->alignment(), Qt::AlignRight | Qt::AlignVCenter);

    QStringList fixed;
    for (const char *name :
         {"model_label", "range_y_label", "range_y_units", "range_z_label", "range_z_units"}) {
        fixed << Label(name)->text();
    }
    QCOMPARE(fixed, (QStringList{"Deflection Model:", "Y Range:", "mm", "Z Range:", "mm"}));
    QCOMPARE(Label("exaggeration_label")->text(), QString("Exaggeration:"));
}

void TTestModelControls::Rows_Follow_Model_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QStringList>("units");
    QTest::newRow("Generic") << 0
                             << QStringList{"Tower Rotation:", "Correction Y:", "Correction Z:"}
                             << QStringList{"mm/m", "mm", "mm"};
    QTest::newRow("Renishaw") << 1 << QStringList{"Tilt:", "Bend2:", "Bend3:"}
                              << QStringList{"mRad/m", "mm/m2/m", "mm/m3/m"};
    QTest::newRow("LK") << 2
                        << QStringList{"ZCRS.R1.C1:", "ZCRS.R2.C1:", "ZCRS.R3.C1:", "ZCRS.R4.C1:"}
                        << QStringList{"mm/mm", "mm/mm", "arcsec", "mm/mm"};
}

void TTestModelControls::Rows_Follow_Model()
{
    QFETCH(int, index);
    QFETCH(QStringList, labels);
    QFETCH(QStringList, units);

    // Start from LK, so that the fourth row carries a text and a number before it is hidden.
    Combo()->setCurrentIndex(2);
    Type(Edit("parameter4_edit"), "0.25");
    Combo()->setCurrentIndex(index);

    for (int row = 1; row <= 4; ++row) {
        const QString number = QString::number(row);
        const bool shown = row <= labels.size();
        QCOMPARE(Label("parameter" + number + "_label")->isVisible(), shown);
        QCOMPARE(Edit("parameter" + number + "_edit")->isVisible(), shown);
        QCOMPARE(Label("parameter" + number + "_units")->isVisible(), shown);
        if (shown) {
            QCOMPARE(Label("parameter" + number + "_label")->text(), labels[row - 1]);
            QCOMPARE(Label("parameter" + number + "_units")->text(), units[row - 1]);
        }
    }
    // A hidden fourth row keeps its label; its number is the new model's own, never LK's.
    QCOMPARE(Label("parameter4_label")->text(), QString("ZCRS.R4.C1:"));
    QCOMPARE(Edit("parameter4_edit")->text(), index == 2 ? QString("0.25") : QString("0.0000"));
    QCOMPARE(Display()->Model_Parameter4(), index == 2 ? 0.25 : 0.0);
}

void TTestModelControls::Model_Switch_Hands_Fields_Over()
{
    Type(Edit("parameter1_edit"), "0.00002");
    Type(Edit("parameter2_edit"), "0.00003");
    Type(Edit("parameter3_edit"), "1.5");
    Type(Edit("range_y_edit"), "1500");
    // LK shows its own presets, in its own units; the ranges are the machine's and stay.
    Combo()->setCurrentIndex(2);
    const QStringList presets{"0.00001", "0.0010", "-0.0103", "0.0010"};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(Edit(QString("parameter%1_edit").arg(i + 1))->text(), presets[i]);
    }
    QCOMPARE(Display()->Model_Parameter1(), 0.00001);
    Type(Edit("parameter1_edit"), "0.00002");
    Type(Edit("parameter2_edit"), "0.00003");
    Type(Edit("parameter3_edit"), "1.5");
    Type(Edit("parameter4_edit"), "0.00004");
    QCOMPARE(Display()->Model_Parameter2(), 0.00003);
    QCOMPARE(Display()->Model_Parameter3(), 1.5);
    QCOMPARE(Display()->Model_Parameter4(), 0.00004);
    QCOMPARE(Display()->Deflection_Model()->Range_Y(), 1500.0);
    QCOMPARE(Display()->Deflection_Model()->Range_Z(), 1000.0);
    const TVector3 correction = Display()->Calculate_Correction(TVector3(0, 500, 800));
    QVERIFY(std::fabs(correction.y + 0.0928421264108115) <= 5e-15 * 0.0928421264108115);
    // Back to Generic: its numbers as they were typed.
    Combo()->setCurrentIndex(0);
    QCOMPARE(Edit("parameter3_edit")->text(), QString("1.5000"));
    QCOMPARE(Display()->Model_Parameter1(), 0.00002);
    QCOMPARE(Display()->Model_Parameter3(), 1.5);
}

void TTestModelControls::Typing_A_Parameter_Updates_Drawing_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("parameter");
    QTest::newRow("first") << "parameter1_edit" << 1;
    QTest::newRow("second") << "parameter2_edit" << 2;
    QTest::newRow("third") << "parameter3_edit" << 3;
    QTest::newRow("fourth, LK") << "parameter4_edit" << 4;
}

void TTestModelControls::Typing_A_Parameter_Updates_Drawing()
{
    QFETCH(QString, field);
    QFETCH(int, parameter);

    Combo()->setCurrentIndex(parameter == 4 ? 2 : 0);
    if (parameter == 4) {
        Type(Edit("parameter3_edit"), "3");
    }
    window->findChild<QSlider *>()->setValue(1000);
    const QImage before = Picture();
    Type(Edit(field), "-0.05");

    const double values[] = {Display()->Model_Parameter1(), Display()->Model_Parameter2(),
                             Display()->Model_Parameter3(), Display()->Model_Parameter4()};
    QCOMPARE(values[parameter - 1], -0.05);
    QVERIFY(Picture() != before);
}

void TTestModelControls::Unparsable_Text_Changes_Nothing_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::newRow("parameter cleared") << "parameter2_edit"
                                       << "";
    QTest::newRow("parameter letters") << "parameter2_edit"
                                       << "abc";
    QTest::newRow("parameter infinity") << "parameter2_edit"
                                        << "inf";
    QTest::newRow("parameter nan") << "parameter2_edit"
                                   << "nan";
    QTest::newRow("range infinity") << "range_y_edit"
                                    << "inf";
    QTest::newRow("parameter overflow") << "parameter2_edit"
                                        << "1e999";
    QTest::newRow("range cleared") << "range_y_edit"
                                   << "";
    QTest::newRow("range letters") << "range_z_edit"
                                   << "mm";
}

void TTestModelControls::Unparsable_Text_Changes_Nothing()
{
    QFETCH(QString, field);
    QFETCH(QString, text);

    Type(Edit("parameter2_edit"), "-0.02");
    window->findChild<QSlider *>()->setValue(500);
    const QImage before = Picture();
    Paste(Edit(field), text);
    QCOMPARE(Edit(field)->text(), text);
    QCOMPARE(Display()->Model_Parameter2(), -0.02);
    QCOMPARE(Display()->Deflection_Model()->Range_Y(), 1000.0);
    QCOMPARE(Display()->Deflection_Model()->Range_Z(), 1000.0);
    QCOMPARE(Picture(), before);

    // Typing a number again takes effect at once.
    Type(Edit("parameter2_edit"), "-0.03");
    QCOMPARE(Display()->Model_Parameter2(), -0.03);
}

void TTestModelControls::Small_Range_Leaves_Drawing()
{
    Type(Edit("parameter2_edit"), "-0.02");
    const QImage before = Picture();
    Type(Edit("range_y_edit"), "0.5");
    QCOMPARE(Edit("range_y_edit")->text(), QString("0.5"));
    QCOMPARE(Display()->Deflection_Model()->Range_Y(), 1000.0);
    QCOMPARE(Picture(), before);

    // A new model gets 0.5 too and keeps its own 1000 mm.
    Combo()->setCurrentIndex(1);
    QCOMPARE(Display()->Deflection_Model()->Range_Y(), 1000.0);

    Type(Edit("range_y_edit"), "1.5");
    QCOMPARE(Display()->Deflection_Model()->Range_Y(), 1.5);
}

void TTestModelControls::Empty_Range_Gives_New_Model_Default()
{
    Type(Edit("range_z_edit"), "700");
    QCOMPARE(Display()->Deflection_Model()->Range_Z(), 700.0);
    Type(Edit("range_z_edit"), "");
    Combo()->setCurrentIndex(2);
    QCOMPARE(Display()->Deflection_Model()->Range_Z(), 1000.0);
    QCOMPARE(Edit("range_z_edit")->text(), QString());
}

void TTestModelControls::Exaggeration_Slider()
{
    QSlider *slider = window->findChild<QSlider *>("exaggeration_slider");
    QVERIFY(slider);
    QCOMPARE(slider->minimum(), 1);
    QCOMPARE(slider->maximum(), 1000);
    QCOMPARE(slider->singleStep(), 10);
    QCOMPARE(slider->pageStep(), 100);
    QCOMPARE(slider->orientation(), Qt::Horizontal);
    QCOMPARE(slider->tickPosition(), QSlider::TicksBelow);
    QCOMPARE(slider->minimumWidth(), 200);
    QCOMPARE(slider->value(), 1);
    QCOMPARE(Display()->Exaggeration(), 1.0);

    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Right);
    QCOMPARE(Display()->Exaggeration(), 11.0);
    QTest::keyClick(slider, Qt::Key_PageUp);
    QCOMPARE(Display()->Exaggeration(), 111.0);
    QTest::keyClick(slider, Qt::Key_End);
    QCOMPARE(Display()->Exaggeration(), 1000.0);
    QTest::keyClick(slider, Qt::Key_PageUp);
    QCOMPARE(slider->value(), 1000);
    QTest::keyClick(slider, Qt::Key_Home);
    QCOMPARE(Display()->Exaggeration(), 1.0);
    QTest::keyClick(slider, Qt::Key_Left);
    QCOMPARE(slider->value(), 1);
}

void TTestModelControls::Programmatic_Text_Runs_No_Slot()
{
    Edit("parameter1_edit")->setText("0.7");
    Edit("range_y_edit")->setText("2000");
    QCOMPARE(Display()->Model_Parameter1(), 0.0);
    QCOMPARE(Display()->Deflection_Model()->Range_Y(), 1000.0);
}

void TTestModelControls::Focus_Order()
{
    QApplication::setActiveWindow(window.get());
    Combo()->setFocus();
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(Combo()));
    const QStringList order{"range_y_edit",    "range_z_edit",    "parameter1_edit",
                            "parameter2_edit", "parameter3_edit", "parameter4_edit"};
    Combo()->setCurrentIndex(2); // LK shows all four rows
    for (const QString &name : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), name);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("exaggeration_slider"));
}

void TTestModelControls::Any_Text_In_Any_Field_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("letters") << "abc";
    QTest::newRow("decimal comma") << "1,5";
    QTest::newRow("overflow") << "1e999";
    QTest::newRow("nan") << "nan";
    QTest::newRow("minus infinity") << "-inf";
    QTest::newRow("infinity") << "inf";
    QTest::newRow("a thousand digits") << QString(1000, QLatin1Char('9'));
    QTest::newRow("a thousand decimals") << "0." + QString(1000, QLatin1Char('7'));
    QTest::newRow("huge") << "1e300";
    QTest::newRow("blanks around") << "  12.5  ";
}

void TTestModelControls::Any_Text_In_Any_Field()
{
    QFETCH(QString, text);
    for (int model = 0; model < 3; ++model) {
        Combo()->setCurrentIndex(model);
        window->findChild<QSlider *>()->setValue(1000);
        for (const char *name : {"parameter1_edit", "parameter2_edit", "parameter3_edit",
                                 "parameter4_edit", "range_y_edit", "range_z_edit"}) {
            Type(Edit(name), text);
            QCOMPARE(Edit(name)->text(), text);
            Picture();
        }
        Combo()->setCurrentIndex((model + 1) % 3);
        Picture();
    }
    // Only a finite number (the decimal comma counts) reaches the model.
    double value = 0.0;
    if (TNumberText::Read_Typed(text, &value) && value > 1.0) {
        QCOMPARE(Display()->Deflection_Model()->Range_Y(), value);
    } else {
        QVERIFY(std::isfinite(Display()->Deflection_Model()->Range_Y()));
    }
}

void TTestModelControls::Pasted_Line_Breaks()
{
    QLineEdit *edit = Edit("parameter1_edit");
    Paste(edit, "0.5\n0.6\r\n");
    Picture();
    bool ok = false;
    const double value = edit->text().toDouble(&ok);
    QCOMPARE(Display()->Model_Parameter1(), ok ? value : 0.0);
}

QTEST_MAIN(TTestModelControls)
#include "tst_modelcontrols.moc"
