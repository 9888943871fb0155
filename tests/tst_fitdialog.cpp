// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>
#include <QUndoStack>
#include <QtTest>
#include <array>
#include <cmath>
#include <functional>
#include <vector>

#include "comparemodelsdialog.h"
#include "fitdialog.h"
#include "testdocument.h"
#include "testfiles.h"
#include "windowfixture.h"

// Tools > Fit Parameters in the window: the dialog, Apply and Cancel.
class TTestFitDialog : public QObject, protected TWindowFixture
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void Apply_Puts_Exact_Values_In_The_Fields();
    void Cancel_Changes_Nothing();
    void Without_Measured_Lengths_Says_So();
    void Controller_Values_data();
    void Controller_Values();
    void Compare_Models_And_Apply_The_Best();
    void Lk_From_Zeros_Starts_From_The_Presets();
    void Poorly_Determined_Is_Held_data();
    void Poorly_Determined_Is_Held();

private:
    // Measurements measured on a machine with known parameters: made by fitting's inverse,
    // i.e. through the window's own actual lengths with those parameters.
    void Prepare_Measured(const QString &p1, const QString &p2, const QString &p3,
                          bool through_the_centre = false);
    void Run_Dialog(const std::function<void(TFitDialog *)> &steps);
};

void TTestFitDialog::init()
{
    New_Home();
    Start();
}

void TTestFitDialog::cleanup()
{
    window.reset();
}

void TTestFitDialog::Prepare_Measured(const QString &p1, const QString &p2, const QString &p3,
                                      bool through_the_centre)
{
    // The machine's parameters give the actual lengths, which become the measured ones.
    Type(Edit("parameter1_edit"), p1);
    Type(Edit("parameter2_edit"), p2);
    Type(Edit("parameter3_edit"), p3);
    const double places[][4] = {{500, 200, 1, 0}, {500, 800, 1, 0},     {200, 500, 0, 1},
                                {800, 500, 0, 1}, {500, 500, 0.6, 0.8}, {500, 500, 0.6, -0.8},
                                {300, 300, 1, 0}, {700, 700, 0, 1}};
    // Lines through the centre, as the default plan lays them: along Y, Z and both diagonals.
    const double centred[][4] = {{500, 500, 1, 0},      {500, 500, 0, 1}, {500, 500, 0.6, 0.8},
                                 {500, 500, 0.6, -0.8}, {500, 500, 1, 0}, {500, 500, 0, 1}};
    std::vector<std::array<double, 4>> chosen;
    for (const auto &place : places) {
        chosen.push_back({place[0], place[1], place[2], place[3]});
    }
    if (through_the_centre) {
        chosen.clear();
        for (const auto &place : centred) {
            chosen.push_back({place[0], place[1], place[2], place[3]});
        }
    }
    for (const auto &place : chosen) {
        QTest::mouseClick(window->findChild<QToolButton *>("add_button"), Qt::LeftButton);
        Type(Editor()->findChild<QLineEdit *>("position_y_edit"), QString::number(place[0]));
        Type(Editor()->findChild<QLineEdit *>("position_z_edit"), QString::number(place[1]));
        Type(Editor()->findChild<QLineEdit *>("axis_j_edit"), QString::number(place[2]));
        Type(Editor()->findChild<QLineEdit *>("axis_k_edit"), QString::number(place[3]));
        Type(Editor()->findChild<QLineEdit *>("nominal_length_edit"), "300");
        Type(Editor()->findChild<QLineEdit *>("measured_length_edit"),
             Editor()->findChild<QLineEdit *>("actual_length_edit")->text());
    }
    // The model starts from other parameters.
    Action("Init")->trigger();
}

void TTestFitDialog::Run_Dialog(const std::function<void(TFitDialog *)> &steps)
{
    bool ran = false;
    QTimer::singleShot(0, [&]() {
        TFitDialog *dialog = qobject_cast<TFitDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        ran = true;
        steps(dialog);
    });
    Action("Fit Parameters\u2026", "Tools")->trigger();
    QVERIFY(ran);
}

void TTestFitDialog::Apply_Puts_Exact_Values_In_The_Fields()
{
    Prepare_Measured("-0.03", "0.02", "-0.015");
    QString summary;
    int parameter_rows = 0;
    Run_Dialog([&](TFitDialog *dialog) {
        QVERIFY(dialog->findChild<QCheckBox *>("free1_box")->isChecked());
        QCOMPARE(dialog->findChild<QCheckBox *>("free1_box")->text(),
                 QString("1 Tower Rotation (mm/m)"));
        QVERIFY(dialog->findChild<QCheckBox *>("free4_box")->isHidden());
        QTest::mouseClick(dialog->findChild<QPushButton *>("fit_button"), Qt::LeftButton);
        QCOMPARE(dialog->findChild<QTableWidget *>("parameter_table")->item(1, 0)->text(),
                 QString("2 Correction Y (mm)"));
        summary = dialog->findChild<QLabel *>("fit_summary_label")->text();
        parameter_rows = dialog->findChild<QTableWidget *>("parameter_table")->rowCount();
        QCOMPARE(dialog->findChild<QTableWidget *>("residual_table")->rowCount(), 8);
        // Y lines at Z 200, 800 and 300, Z lines at Y 200, 800 and 700, and both diagonals.
        QCOMPARE(dialog->findChild<QTableWidget *>("line_table")->rowCount(), 8);
        QTest::mouseClick(dialog->findChild<QPushButton *>("apply_button"), Qt::LeftButton);
    });
    QVERIFY2(summary.startsWith("8 measured lengths used"), qPrintable(summary));
    QCOMPARE(parameter_rows, 3);
    // The fields show exactly the numbers in use, and they are close to the machine's (the
    // measured lengths carry the 4 decimals the editor shows).
    const double expected[3] = {-0.03, 0.02, -0.015};
    const double in_use[3] = {Display()->Model_Parameter1(), Display()->Model_Parameter2(),
                              Display()->Model_Parameter3()};
    for (int i = 0; i < 3; ++i) {
        const QString text = Edit(QString("parameter%1_edit").arg(i + 1))->text();
        QCOMPARE(text.toDouble(), in_use[i]);
        QVERIFY2(qAbs(in_use[i] - expected[i]) < 0.003, qPrintable(text));
    }
}

void TTestFitDialog::Cancel_Changes_Nothing()
{
    Prepare_Measured("-0.03", "0.02", "-0.015");
    Run_Dialog([](TFitDialog *dialog) {
        QTest::mouseClick(dialog->findChild<QPushButton *>("fit_button"), Qt::LeftButton);
        QVERIFY(dialog->findChild<QPushButton *>("apply_button")->isEnabled());
        dialog->reject();
    });
    QCOMPARE(Edit("parameter1_edit")->text(), QString("-0.0500"));
    QCOMPARE(Display()->Model_Parameter1(), -0.05);
}

void TTestFitDialog::Without_Measured_Lengths_Says_So()
{
    QTest::mouseClick(window->findChild<QToolButton *>("add_button"), Qt::LeftButton);
    Run_Dialog([](TFitDialog *dialog) {
        QTest::mouseClick(dialog->findChild<QPushButton *>("fit_button"), Qt::LeftButton);
        QCOMPARE(dialog->findChild<QLabel *>("fit_summary_label")->text(),
                 QString("No measurement has a measured length."));
        QVERIFY(!dialog->findChild<QPushButton *>("apply_button")->isEnabled());
        dialog->reject();
    });
}

void TTestFitDialog::Controller_Values_data()
{
    QTest::addColumn<int>("decimals");
    QTest::newRow("the catalog's 4 decimals") << -1;
    QTest::newRow("a coarse controller, 2 decimals") << 2;
    QTest::newRow("a fine one, 9 decimals") << 9;
}

// Apply writes what the controller takes: each parameter rounded to its decimals, and the
// field shows exactly that number, from its beginning.
void TTestFitDialog::Controller_Values()
{
    QFETCH(int, decimals);
    Prepare_Measured("-0.03", "0.02", "-0.015");
    double fitted[4] = {};
    QString controller;
    QString copied;
    Run_Dialog([&](TFitDialog *dialog) {
        QTest::mouseClick(dialog->findChild<QPushButton *>("fit_button"), Qt::LeftButton);
        std::copy(dialog->Result().parameters, dialog->Result().parameters + 4, fitted);
        QSpinBox *places = dialog->findChild<QSpinBox *>("decimals2_spin");
        QVERIFY(places);
        QCOMPARE(places->value(), 4);
        if (decimals >= 0) {
            places->setValue(decimals);
        }
        controller = dialog->findChild<QLabel *>("controller_label")->text();
        QTest::mouseClick(dialog->findChild<QPushButton *>("copy_values_button"), Qt::LeftButton);
        copied = QApplication::clipboard()->text();
        QTest::mouseClick(dialog->findChild<QPushButton *>("apply_button"), Qt::LeftButton);
    });
    const int places = decimals >= 0 ? decimals : 4;
    QVERIFY2(controller.startsWith("With the controller values: residual RMS "),
             qPrintable(controller));
    const double expected[3] = {TParameterFit::Controller_Value(fitted[0], 5),
                                TParameterFit::Controller_Value(fitted[1], places),
                                TParameterFit::Controller_Value(fitted[2], 4)};
    QCOMPARE(Display()->Model_Parameter1(), expected[0]);
    QCOMPARE(Display()->Model_Parameter2(), expected[1]);
    QCOMPARE(Display()->Model_Parameter3(), expected[2]);
    QCOMPARE(Edit("parameter2_edit")->text().toDouble(), expected[1]);
    QCOMPARE(Edit("parameter2_edit")->cursorPosition(), 0);
    const QStringList lines = copied.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[1], "2 Correction Y (mm)\t" + QString::number(expected[1], 'f', places));
}

// A Generic machine, looked at while Renishaw is chosen: the comparison marks Generic best,
// and applying it chooses Generic with its fit, as one step.
void TTestFitDialog::Compare_Models_And_Apply_The_Best()
{
    Prepare_Measured("-0.03", "0.02", "-0.015");
    Combo()->setCurrentIndex(1);
    const TTestDocument::TFields before = window->Document().Fields();
    const int steps = window->Undo_Stack()->count();
    QStringList models;
    QString best;
    bool ran = false;
    QTimer::singleShot(0, [&]() {
        TCompareModelsDialog *dialog =
            qobject_cast<TCompareModelsDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        ran = true;
        QTableWidget *table = dialog->findChild<QTableWidget *>("comparison_table");
        for (int row = 0; row < table->rowCount(); ++row) {
            models << table->item(row, 0)->text();
            if (table->item(row, 7) && table->item(row, 7)->text() == "best") {
                best = table->item(row, 0)->text();
            }
        }
        QTest::mouseClick(dialog->findChild<QPushButton *>("apply_model_button"), Qt::LeftButton);
    });
    Action("Compare Models\u2026", "Tools")->trigger();
    QVERIFY(ran);
    QCOMPARE(models, (QStringList{"Generic Deflection", "Renishaw Deflection", "LK Deflection"}));
    QCOMPARE(best, QString("Generic Deflection"));
    QCOMPARE(Combo()->currentIndex(), 0);
    QVERIFY2(qAbs(Display()->Model_Parameter2() - 0.02) < 0.003,
             qPrintable(Edit("parameter2_edit")->text()));
    QCOMPARE(window->Undo_Stack()->count(), steps + 1);
    window->Undo_Stack()->undo();
    QVERIFY(window->Document().Fields() == before);
    QCOMPARE(Combo()->currentIndex(), 1);
}

// LK's 2 and 4 act only through products with 1 and 3: from 1 and 3 at zero the fit offers
// their presets, and Apply writes them with the fit.
void TTestFitDialog::Lk_From_Zeros_Starts_From_The_Presets()
{
    Combo()->setCurrentIndex(2);
    Prepare_Measured("0.00002", "0.002", "-0.0103");
    Type(Edit("parameter1_edit"), "0");
    Type(Edit("parameter3_edit"), "0");
    QString question;
    QString summary;
    Run_Dialog([&](TFitDialog *dialog) {
        Answer_Next_Box("&Yes", &question);
        QTest::mouseClick(dialog->findChild<QPushButton *>("fit_button"), Qt::LeftButton);
        summary = dialog->findChild<QLabel *>("fit_summary_label")->text();
        QVERIFY(dialog->Result().undetermined.empty());
        QTest::mouseClick(dialog->findChild<QPushButton *>("apply_button"), Qt::LeftButton);
    });
    QVERIFY2(question.contains("Start parameters 1 and 3 from their presets?"),
             qPrintable(question));
    QVERIFY2(summary.contains("Parameter 1 started from its preset"), qPrintable(summary));
    QCOMPARE(Display()->Model_Parameter1(), 0.00001);
    QCOMPARE(Display()->Model_Parameter3(), -0.0103);
    // What the lengths determine is the product: the machine's 0.00002 times 0.002.
    const double product = Display()->Model_Parameter1() * Display()->Model_Parameter2();
    QVERIFY2(std::fabs(product - 0.00002 * 0.002) < 0.1 * 0.00002 * 0.002,
             qPrintable(Edit("parameter2_edit")->text()));
}

void TTestFitDialog::Poorly_Determined_Is_Held_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("applied");
    QTest::newRow("kept out of the controller") << "Cancel" << false;
    QTest::newRow("applied all the same") << "Apply" << true;
}

// Along lines through the centre the tower rotation acts like the translations: it is left
// out of the fit at first, and applying it anyway takes a second word.
void TTestFitDialog::Poorly_Determined_Is_Held()
{
    QFETCH(QString, answer);
    QFETCH(bool, applied);
    Prepare_Measured("-0.02", "0.005", "0.004", true);
    QString summary;
    QString question;
    Run_Dialog([&](TFitDialog *dialog) {
        QCheckBox *rotation = dialog->findChild<QCheckBox *>("free1_box");
        QVERIFY(!rotation->isChecked());
        QVERIFY(dialog->findChild<QCheckBox *>("free2_box")->isChecked());
        summary = dialog->findChild<QLabel *>("fit_summary_label")->text();
        rotation->setChecked(true);
        QTest::mouseClick(dialog->findChild<QPushButton *>("fit_button"), Qt::LeftButton);
        QVERIFY(
            dialog->findChild<QLabel *>("fit_summary_label")->text().contains("Condition number"));
        Answer_Next_Box(answer, &question);
        QTest::mouseClick(dialog->findChild<QPushButton *>("apply_button"), Qt::LeftButton);
        if (dialog->isVisible()) {
            dialog->reject();
        }
    });
    QVERIFY2(summary.contains("Parameter 1 (Tower Rotation) is poorly determined"),
             qPrintable(summary));
    QVERIFY2(question.contains("determine only poorly"), qPrintable(question));
    QCOMPARE(Edit("parameter1_edit")->text() != "-0.0500", applied);
}

QTEST_MAIN(TTestFitDialog)
#include "tst_fitdialog.moc"
