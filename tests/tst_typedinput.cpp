// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QClipboard>
#include <QSettings>
#include <QToolButton>
#include <QtTest>

#include "deflectionmodel.h"
#include "fieldmark.h"
#include "testfiles.h"
#include "windowfixture.h"

// Numbers as a user types them: the decimal comma counts, and text that is no number never
// reaches the model, the store or the files, and is marked.
class TTestTypedInput : public QObject, protected TWindowFixture
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void Decimal_Comma_Reaches_The_Model_And_Survives_A_Restart();
    void Not_A_Number_Never_Reaches_The_Model_data();
    void Not_A_Number_Never_Reaches_The_Model();
    void Editor_Marks_What_It_Replaces();
};

void TTestTypedInput::init()
{
    New_Home();
    Start();
}

void TTestTypedInput::cleanup()
{
    window.reset();
}

void TTestTypedInput::Decimal_Comma_Reaches_The_Model_And_Survives_A_Restart()
{
    Type(Edit("parameter1_edit"), "0,002");
    QCOMPARE(Display()->Model_Parameter1(), 0.002);
    QVERIFY(!TFieldMark::Is_Marked(Edit("parameter1_edit")));
    Type(Edit("range_y_edit"), "1200,5");
    QCOMPARE(Display()->Deflection_Model()->Range_Y(), 1200.5);
    Close();
    QCOMPARE(QSettings(Directory() + "/settings.ini", QSettings::IniFormat)
                 .value("Model_Parameter1")
                 .toDouble(),
             0.002);
    Start();
    QCOMPARE(Edit("parameter1_edit")->text(), QString("0.0020"));
    QCOMPARE(Display()->Model_Parameter1(), 0.002);
    QCOMPARE(Edit("range_y_edit")->text(), QString("1200.500"));
}

void TTestTypedInput::Not_A_Number_Never_Reaches_The_Model_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("tip");
    QTest::newRow("inf parameter") << "parameter1_edit"
                                   << "inf"
                                   << "Not a number: using 0.0300";
    QTest::newRow("nan parameter") << "parameter1_edit"
                                   << "nan"
                                   << "Not a number: using 0.0300";
    QTest::newRow("huge parameter") << "parameter1_edit"
                                    << "1e308"
                                    << "Not a number: using 0.0300";
    QTest::newRow("inf range") << "range_y_edit"
                               << "inf"
                               << "Not a number: using 1000.0000";
    QTest::newRow("small range") << "range_y_edit"
                                 << "0,5"
                                 << "A range of 1 mm or less is ignored: using 1000.000 mm";
}

void TTestTypedInput::Not_A_Number_Never_Reaches_The_Model()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, tip);
    Type(Edit("parameter1_edit"), "0.03");
    // Pasted, so that no part of the text is a number on its way.
    Edit(field)->setFocus();
    Edit(field)->selectAll();
    QApplication::clipboard()->setText(text);
    QTest::keyClick(Edit(field), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(Edit(field)->text(), text);
    QCOMPARE(Display()->Model_Parameter1(), 0.03);
    QCOMPARE(Display()->Deflection_Model()->Range_Y(), 1000.0);
    QVERIFY(TFieldMark::Is_Marked(Edit(field)));
    QCOMPARE(Edit(field)->toolTip(), tip);
    Close();
    const QByteArray settings = Read(Directory() + "/settings.ini");
    QVERIFY(!settings.contains("nan") && !settings.contains("inf") && !settings.contains("e+308"));
    QCOMPARE(QSettings(Directory() + "/settings.ini", QSettings::IniFormat)
                 .value("Model_Parameter1")
                 .toDouble(),
             0.03);

    // The mark goes when the text is a number again.
    Start();
    Type(Edit(field), text);
    QVERIFY(TFieldMark::Is_Marked(Edit(field)));
    Type(Edit(field), "1500");
    QVERIFY(!TFieldMark::Is_Marked(Edit(field)));
}

void TTestTypedInput::Editor_Marks_What_It_Replaces()
{
    QTest::mouseClick(window->findChild<QToolButton *>("add_button"), Qt::LeftButton);
    QLineEdit *nominal = Editor()->findChild<QLineEdit *>("nominal_length_edit");
    Type(nominal, "nan");
    QVERIFY(TFieldMark::Is_Marked(nominal));
    QCOMPARE(nominal->toolTip(), QString("Not a number: using 1000.0000 mm"));
    TMeasurementData::TMeasurement stored;
    QVERIFY(window->Measurement_Data().Get_Measurement(1, &stored));
    QCOMPARE(stored.nominal_length, 1000.0);

    Type(nominal, "0,5");
    QCOMPARE(nominal->toolTip(), QString("Lengths below 1 mm are not used: using 1.0000 mm"));
    Type(nominal, "500,5");
    QVERIFY(!TFieldMark::Is_Marked(nominal));
    QVERIFY(window->Measurement_Data().Get_Measurement(1, &stored));
    QCOMPARE(stored.nominal_length, 500.5);

    QLineEdit *axis_k = Editor()->findChild<QLineEdit *>("axis_k_edit");
    Type(Editor()->findChild<QLineEdit *>("axis_j_edit"), "0");
    Type(axis_k, "inf");
    QVERIFY(TFieldMark::Is_Marked(axis_k));
    QVERIFY(window->Measurement_Data().Get_Measurement(1, &stored));
    QCOMPARE(stored.axis.z, 1.0);
    Close();
    QVERIFY(!Read(Directory() + "/measurements.xml").contains("nan"));
    QVERIFY(Read(Directory() + "/measurements.xml").contains("<Nominal_Length>500.500000"));
}

QTEST_MAIN(TTestTypedInput)
#include "tst_typedinput.moc"
