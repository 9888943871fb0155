// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QBrush>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

#include "resultsdock.h"
#include "resultsmodel.h"
#include "testfiles.h"
#include "testplandialog.h"
#include <QUndoStack>

#include "errorchartwidget.h"
#include "measurementdata.h"
#include "testdocument.h"
#include "userguidedialog.h"
#include "windowfixture.h"

// The Results dock and the test plan, wired into the window.
class TTestResults : public QObject, protected TWindowFixture
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void Dock_Beside_The_Editor();
    void Table_Follows_The_Editor_And_The_Model();
    void Measured_Length_From_Editor_And_Table();
    void Selection_In_Step();
    void Copy_Selected_Rows();
    void Mpe_Judges_And_Survives_A_Restart();
    void Mpe_Marks_The_Wrong_Field_data();
    void Mpe_Marks_The_Wrong_Field();
    void Test_Plan_Dialog_data();
    void Test_Plan_Dialog();
    void Retests_For_A_Failing_Result();
    void Chart_Points_Name_And_Select();
    void Table_Filled_When_First_Shown_data();
    void Table_Filled_When_First_Shown();
    void Filled_Late_Looks_As_Filled_At_Once_data();
    void Filled_Late_Looks_As_Filled_At_Once();
    void Test_Plan_Says_What_It_Determines_data();
    void Test_Plan_Says_What_It_Determines();

private:
    TResultsDock *Dock() const { return window->findChild<TResultsDock *>(); }
    QTableView *Table() const { return Dock()->Table(); }
    QString Cell(int row, int column) const
    {
        return Table()->model()->index(row, column).data().toString();
    }
    QLineEdit *Field(const char *name) const { return Editor()->findChild<QLineEdit *>(name); }
    void Add_Worked_Example();
    void Click_Table_Row(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Clicks the tab of the docks tabbed together that has this title.
    void Click_Dock_Tab(const QString &title) const;
    static std::vector<TMeasurementData::TMeasurement> Records(int count, int with_retest);
};

void TTestResults::init()
{
    New_Home();
    Start();
}

void TTestResults::cleanup()
{
    window.reset();
}

// The Generic Init presets and a 1000 mm gauge along Y at (500, 500).
void TTestResults::Add_Worked_Example()
{
    Action("Init")->trigger();
    QTest::mouseClick(window->findChild<QToolButton *>("add_button"), Qt::LeftButton);
    Type(Field("position_y_edit"), "500");
    Type(Field("position_z_edit"), "500");
    Type(Field("axis_k_edit"), "0");
    Type(Field("axis_j_edit"), "1");
}

void TTestResults::Click_Table_Row(int row, Qt::KeyboardModifiers modifiers)
{
    Dock()->show();
    Dock()->raise();
    Dock()->Tabs()->setCurrentIndex(0);
    const QModelIndex index = Table()->model()->index(row, TResultsModel::COLUMN_ID);
    Table()->scrollTo(index);
    QTest::mouseClick(Table()->viewport(), Qt::LeftButton, modifiers,
                      Table()->visualRect(index).center());
}

void TTestResults::Click_Dock_Tab(const QString &title) const
{
    for (QTabBar *bar : window->findChildren<QTabBar *>()) {
        for (int tab = 0; tab < bar->count(); ++tab) {
            if (bar->tabText(tab) == title && bar->isVisible()) {
                QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(tab).center());
                return;
            }
        }
    }
    QFAIL(qPrintable("no tab " + title));
}

// Gauges along Y and Z, each with a measured length; the one with this id (if any) measures
// the first one again.
std::vector<TMeasurementData::TMeasurement> TTestResults::Records(int count, int with_retest)
{
    std::vector<TMeasurementData::TMeasurement> records;
    for (int id = 1; id <= count; ++id) {
        TMeasurementData::TMeasurement record{id, TVector3(0, 100 + id % 800, 100 + id % 700),
                                              id % 2 ? TVector3(0, 1, 0) : TVector3(0, 0, 1),
                                              100.0 + id % 5};
        record.has_measured_length = true;
        record.measured_length = record.nominal_length + 0.001 * (id % 7);
        record.retest_of = id == with_retest ? 1 : 0;
        records.push_back(record);
    }
    return records;
}

void TTestResults::Dock_Beside_The_Editor()
{
    QCOMPARE(Dock()->windowTitle(), QString("Results"));
    QCOMPARE(window->dockWidgetArea(Dock()), Qt::LeftDockWidgetArea);
    QVERIFY(window->tabifiedDockWidgets(Dock()).contains(
        window->findChild<QDockWidget *>("measurement_dock")));
    // The editor stays in front, and the window keeps its first size.
    QVERIFY(Editor()->isVisible());
    // Tabbed beside the editor, it asks for no more width than the editor does.
    const int results_width = Dock()->minimumSizeHint().width();
    const int editor_width =
        window->findChild<QDockWidget *>("measurement_dock")->minimumSizeHint().width();
    QVERIFY2(results_width <= editor_width,
             qPrintable(QString("%1 > %2").arg(results_width).arg(editor_width)));
    QCOMPARE(Dock()->Tabs()->tabText(1), QString("Chart"));
}

void TTestResults::Table_Follows_The_Editor_And_The_Model()
{
    Add_Worked_Example();
    QCOMPARE(Table()->model()->rowCount(), 1);
    // The table shows the digits the editor shows.
    QCOMPARE(Cell(0, TResultsModel::COLUMN_ACTUAL), Field("actual_length_edit")->text());
    QCOMPARE(Cell(0, TResultsModel::COLUMN_ACTUAL), QString("999.9825"));
    QCOMPARE(Cell(0, TResultsModel::COLUMN_ERROR), QString("-17.50"));
    QCOMPARE(Cell(0, TResultsModel::COLUMN_DIRECTION), QString("Y"));

    Type(Edit("parameter1_edit"), "0");
    Type(Edit("parameter2_edit"), "0");
    Type(Edit("parameter3_edit"), "0");
    QCOMPARE(Cell(0, TResultsModel::COLUMN_ACTUAL), QString("1000.0000"));
    Type(Field("nominal_length_edit"), "250");
    QCOMPARE(Cell(0, TResultsModel::COLUMN_NOMINAL), QString("250.0000"));
    Combo()->setCurrentIndex(2);
    QCOMPARE(Cell(0, TResultsModel::COLUMN_ACTUAL), Field("actual_length_edit")->text());

    QTest::mouseClick(window->findChild<QToolButton *>("remove_button"), Qt::LeftButton);
    QCOMPARE(Table()->model()->rowCount(), 0);
}

void TTestResults::Measured_Length_From_Editor_And_Table()
{
    Add_Worked_Example();
    Type(Field("measured_length_edit"), "999.98");
    QCOMPARE(Cell(0, TResultsModel::COLUMN_MEASURED), QString("999.9800"));
    QCOMPARE(Cell(0, TResultsModel::COLUMN_MEASURED_ERROR), QString("-20.00"));
    QCOMPARE(Cell(0, TResultsModel::COLUMN_RESIDUAL), QString("-2.50"));
    TMeasurementData::TMeasurement stored;
    QVERIFY(window->Measurement_Data().Get_Measurement(1, &stored));
    QCOMPARE(stored.measured_length, 999.98);

    // Text that is no length is marked and not stored.
    Field("measured_length_edit")->setFocus();
    Field("measured_length_edit")->selectAll();
    QApplication::clipboard()->setText("99x");
    QTest::keyClick(Field("measured_length_edit"), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(Field("measured_length_edit")->text(), QString("99x"));
    QVERIFY(Field("measured_length_edit")->styleSheet().contains("border"));
    QVERIFY(window->Measurement_Data().Get_Measurement(1, &stored));
    QVERIFY(stored.has_measured_length);
    QCOMPARE(stored.measured_length, 999.98);

    // Typed into the table, it reaches the store and the editor.
    Click_Table_Row(0);
    const QModelIndex cell = Table()->model()->index(0, TResultsModel::COLUMN_MEASURED);
    Table()->setCurrentIndex(cell);
    Table()->setFocus();
    QTest::keyClick(Table(), Qt::Key_F2);
    QWidget *editor = QApplication::focusWidget();
    QVERIFY(qobject_cast<QLineEdit *>(editor));
    qobject_cast<QLineEdit *>(editor)->selectAll();
    QTest::keyClicks(editor, "1000.0015");
    QTest::keyClick(editor, Qt::Key_Return);
    // The view commits the edit on its next turn of the event loop.
    QTRY_COMPARE(Cell(0, TResultsModel::COLUMN_MEASURED), QString("1000.0015"));
    QVERIFY(window->Measurement_Data().Get_Measurement(1, &stored));
    QCOMPARE(stored.measured_length, 1000.0015);
    QCOMPARE(Field("measured_length_edit")->text(), QString("1000.0015"));
    QVERIFY(!Field("measured_length_edit")->styleSheet().contains("border"));

    // Cleared in the editor: not measured.
    Type(Field("measured_length_edit"), "");
    QVERIFY(window->Measurement_Data().Get_Measurement(1, &stored));
    QVERIFY(!stored.has_measured_length);
    QCOMPARE(Cell(0, TResultsModel::COLUMN_RESIDUAL), QString());
}

void TTestResults::Selection_In_Step()
{
    for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(window->findChild<QToolButton *>("add_button"), Qt::LeftButton);
    }
    // The list selects the last one added, and so does the table.
    QCOMPARE(Dock()->Selected_Ids(), QList<int>{3});

    Click_Table_Row(0);
    QCOMPARE(Selected_Texts().size(), 1);
    QCOMPARE(Selected_Texts().first(), QString("Measurement 1"));
    QVERIFY(Editor()->isEnabled());
    QCOMPARE(Editor()->measurement_id, 1);

    Click_Table_Row(2, Qt::ControlModifier);
    QCOMPARE(Selected_Texts().size(), 2);
    QVERIFY(!Editor()->isEnabled());

    // Sorted by Id descending, a click still means the measurement in that row.
    Table()->sortByColumn(TResultsModel::COLUMN_ID, Qt::DescendingOrder);
    Click_Table_Row(0);
    QCOMPARE(Editor()->measurement_id, 3);
}

void TTestResults::Copy_Selected_Rows()
{
    Add_Worked_Example();
    QTest::mouseClick(window->findChild<QToolButton *>("add_button"), Qt::LeftButton);
    Click_Table_Row(0);
    Click_Table_Row(1, Qt::ShiftModifier);
    QApplication::clipboard()->clear();
    Table()->setFocus();
    QTest::keyClick(Table(), Qt::Key_C, Qt::ControlModifier);
    const QStringList lines = QApplication::clipboard()->text().split('\n');
    QCOMPARE(lines.size(), 4);
    // The columns as shown: the measured length beside the nominal and actual ones.
    QVERIFY(lines[0].startsWith("Id\tNominal (mm)\tActual (mm)\tMeasured (mm)\tPosition Y"));
    QVERIFY(lines[1].startsWith("1\t1000.0000\t999.9825\t\t500.0000\t500.0000\t"));
    QVERIFY(lines[1].contains("\t-17.50\t"));
    QVERIFY(lines[2].startsWith("2\t"));
}

void TTestResults::Mpe_Judges_And_Survives_A_Restart()
{
    Add_Worked_Example();
    QCOMPARE(Cell(0, TResultsModel::COLUMN_VERDICT), QString());
    Type(window->findChild<QLineEdit *>("mpe_a_edit"), "1.5");
    Type(window->findChild<QLineEdit *>("mpe_k_edit"), "333");
    QCOMPARE(Cell(0, TResultsModel::COLUMN_MPE), QString("4.50"));
    QCOMPARE(Cell(0, TResultsModel::COLUMN_VERDICT), QString("fail"));
    // A failing row is also tinted.
    QVERIFY(Table()->model()->index(0, 0).data(Qt::BackgroundRole).value<QBrush>().color() !=
            QColor(Qt::white));
    QVERIFY(Dock()->Summary_Label()->text().contains("Simulated: 0 pass, 1 fail."));

    Type(window->findChild<QLineEdit *>("mpe_b_edit"), "x");
    QVERIFY(window->findChild<QLineEdit *>("mpe_b_edit")->styleSheet().contains("background"));
    QCOMPARE(Cell(0, TResultsModel::COLUMN_MPE), QString("4.50"));
    Type(window->findChild<QLineEdit *>("mpe_b_edit"), "20");
    Close();

    const QSettings settings(Directory() + "/settings.ini", QSettings::IniFormat);
    QCOMPARE(settings.value("MPE/A").toString(), QString("1.5"));
    QCOMPARE(settings.value("MPE/K").toString(), QString("333"));
    QCOMPARE(settings.value("MPE/B").toString(), QString("20"));
    Start();
    QCOMPARE(window->findChild<QLineEdit *>("mpe_k_edit")->text(), QString("333"));
    QCOMPARE(Cell(0, TResultsModel::COLUMN_VERDICT), QString("fail"));

    // Cleared, the group goes from the file.
    for (const char *name : {"mpe_a_edit", "mpe_k_edit", "mpe_b_edit"}) {
        Type(window->findChild<QLineEdit *>(name), "");
    }
    QCOMPARE(Cell(0, TResultsModel::COLUMN_VERDICT), QString());
    Close();
    QVERIFY(!Read(Directory() + "/settings.ini").contains("MPE"));
}

void TTestResults::Mpe_Marks_The_Wrong_Field_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("k");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("marked");
    QTest::newRow("valid") << "1.5"
                           << "333"
                           << "20"
                           << "";
    QTest::newRow("A negative") << "-1"
                                << "333"
                                << ""
                                << "A";
    QTest::newRow("K zero") << "1.5"
                            << "0"
                            << ""
                            << "K";
    QTest::newRow("K no number") << "1.5"
                                 << "x"
                                 << ""
                                 << "K";
    QTest::newRow("B negative") << "1.5"
                                << "333"
                                << "-2"
                                << "B";
    QTest::newRow("A and B negative") << "-1"
                                      << "333"
                                      << "-2"
                                      << "AB";
    QTest::newRow("K missing") << "1.5"
                               << ""
                               << ""
                               << "K";
}

void TTestResults::Mpe_Marks_The_Wrong_Field()
{
    // The form marks the fields from what the MPE's reading found, never from the words of
    // its message, which change with the language.
    QFETCH(QString, a);
    QFETCH(QString, k);
    QFETCH(QString, b);
    QFETCH(QString, marked);
    Type(window->findChild<QLineEdit *>("mpe_a_edit"), a);
    Type(window->findChild<QLineEdit *>("mpe_k_edit"), k);
    Type(window->findChild<QLineEdit *>("mpe_b_edit"), b);
    QString found;
    for (const char *name : {"mpe_a_edit", "mpe_k_edit", "mpe_b_edit"}) {
        if (window->findChild<QLineEdit *>(name)->styleSheet().contains("background")) {
            found += QChar(name[4]).toUpper();
        }
    }
    QCOMPARE(found, marked);
}

void TTestResults::Retests_For_A_Failing_Result()
{
    Add_Worked_Example();
    Type(window->findChild<QLineEdit *>("mpe_a_edit"), "1.5");
    Type(window->findChild<QLineEdit *>("mpe_k_edit"), "333");
    // Measured 20 µm short against an MPE of 4.50 µm: the machine fails here.
    Type(Field("measured_length_edit"), "999.98");
    QVERIFY(Table()->isColumnHidden(TResultsModel::COLUMN_RETEST_OF));
    QVERIFY(Dock()->Summary_Label()->text().contains("1 result(s) need retests (Id 1)"));
    QVERIFY(
        Dock()->Summary_Label()->text().contains("Largest measured error -20.00 \u00b5m (Id 1)"));
    const QColor measured_fail =
        Table()->model()->index(0, 0).data(Qt::BackgroundRole).value<QBrush>().color();

    Action("Generate Retests", "Tools")->trigger();
    QCOMPARE(Table()->model()->rowCount(), 11);
    QVERIFY(!Table()->isColumnHidden(TResultsModel::COLUMN_RETEST_OF));
    for (int row = 1; row < 11; ++row) {
        QCOMPARE(Cell(row, TResultsModel::COLUMN_RETEST_OF), QString("1"));
        QCOMPARE(Cell(row, TResultsModel::COLUMN_MEASURED), QString());
    }
    // Only simulated failures now: the retests get the lighter mark, not the tint.
    QVERIFY(Table()->model()->index(1, 0).data(Qt::BackgroundRole).value<QBrush>().color() !=
            measured_fail);
    // A second time adds nothing: the ten are there.
    Action("Generate Retests", "Tools")->trigger();
    QCOMPARE(Table()->model()->rowCount(), 11);
    window->Undo_Stack()->undo();
    QCOMPARE(Table()->model()->rowCount(), 1);
}

void TTestResults::Chart_Points_Name_And_Select()
{
    Add_Worked_Example();
    QTest::mouseClick(window->findChild<QToolButton *>("add_button"), Qt::LeftButton);
    Type(Field("nominal_length_edit"), "500");
    QCOMPARE(Dock()->Selected_Ids(), QList<int>{2});
    Dock()->show();
    Dock()->raise();
    Dock()->Tabs()->setCurrentWidget(Dock()->Chart());
    TErrorChartWidget *chart = Dock()->Chart();
    chart->resize(400, 300);
    chart->repaint();
    // Where the first measurement's point was drawn: found by asking every pixel.
    QPoint point_of_1;
    for (int y = 0; y < chart->height() && point_of_1.isNull(); ++y) {
        for (int x = 0; x < chart->width(); ++x) {
            if (chart->Point_Text(QPoint(x, y))
                    .startsWith("Id 1, 1000.0000 mm: simulated error "
                                "-17.50 \u00b5m")) {
                point_of_1 = QPoint(x, y);
                break;
            }
        }
    }
    QVERIFY(!point_of_1.isNull());
    QVERIFY(chart->Point_Text(QPoint(1, 1)).isEmpty());
    QTest::mouseClick(chart, Qt::LeftButton, Qt::NoModifier, point_of_1);
    QCOMPARE(Dock()->Selected_Ids(), QList<int>{1});
    QCOMPARE(List()->currentIndex().row(), 0);
}

void TTestResults::Table_Filled_When_First_Shown_data()
{
    QTest::addColumn<bool>("in_front_at_start");
    QTest::addColumn<int>("with_retest");
    QTest::newRow("raised later, no retests") << false << 0;
    QTest::newRow("raised later, one retest") << false << 7;
    QTest::newRow("in front from the start") << true << 7;
}

void TTestResults::Table_Filled_When_First_Shown()
{
    // A long list costs the table nothing while it is behind the editor; it has every row,
    // the selection and the right columns from the moment it is seen.
    QFETCH(bool, in_front_at_start);
    QFETCH(int, with_retest);
    if (in_front_at_start) {
        Click_Dock_Tab("Results");
        Close();
    } else {
        window.reset();
    }
    TMeasurementData data;
    data.Set_Measurements(Records(300, with_retest));
    QVERIFY(data.Save_Data(Directory() + "/measurements.xml"));
    Start();

    const QTableView *table = window->findChild<QTableView *>("results_table");
    // A dock behind another one's tab is shown, only placed outside the window.
    QCOMPARE(!table->visibleRegion().isEmpty(), in_front_at_start);
    QCOMPARE(table->model() != nullptr, in_front_at_start);
    QVERIFY(!window->findChild<TUserGuideDialog *>());
    if (!in_front_at_start) {
        // Rows selected and changed meanwhile are there once it is seen.
        Set_Current_Row(250);
        Type(Field("nominal_length_edit"), "120");
        Click_Dock_Tab("Results");
    }
    QVERIFY(!table->visibleRegion().isEmpty());
    QVERIFY(table->model());
    QCOMPARE(table->model()->rowCount(), 300);
    QCOMPARE(table->isColumnHidden(TResultsModel::COLUMN_RETEST_OF), with_retest == 0);
    QVERIFY(table->isColumnHidden(TResultsModel::COLUMN_CORRECTED));
    if (!in_front_at_start) {
        QCOMPARE(Dock()->Selected_Ids(), QList<int>{251});
        const QModelIndexList selected = table->selectionModel()->selectedRows();
        QCOMPARE(selected.size(), 1);
        QCOMPARE(selected.first().siblingAtColumn(TResultsModel::COLUMN_NOMINAL).data().toString(),
                 QString("120.0000"));
        QVERIFY(table->viewport()->rect().intersects(table->visualRect(selected.first())));
    }
}

void TTestResults::Filled_Late_Looks_As_Filled_At_Once_data()
{
    QTest::addColumn<QList<int>>("selected");
    QTest::newRow("nothing selected") << QList<int>{};
    QTest::newRow("one far down") << QList<int>{170};
    QTest::newRow("several") << QList<int>{3, 4, 5, 90};
}

void TTestResults::Filled_Late_Looks_As_Filled_At_Once()
{
    QFETCH(QList<int>, selected);
    TTestDocument document;
    document.Set_Measurements(Records(200, 9));
    TResultsModel model(&document);
    // One dock selects while its table is on screen; the other one, laid out with the chart
    // in front, selects before its table has rows, and then the table's tab is chosen.
    TResultsDock at_once(&model);
    TResultsDock late(&model);
    late.Tabs()->setCurrentIndex(1);
    for (TResultsDock *dock : {&at_once, &late}) {
        dock->resize(420, 500);
        dock->show();
        QVERIFY(QTest::qWaitForWindowExposed(dock));
    }
    QVERIFY(at_once.findChild<QTableView *>("results_table")->model());
    at_once.Select_Ids(selected);
    late.Select_Ids(selected);
    QVERIFY(!late.findChild<QTableView *>("results_table")->model());
    late.Tabs()->setCurrentIndex(0);
    QCOMPARE(late.Selected_Ids(), at_once.Selected_Ids());
    QCOMPARE(late.grab().toImage(), at_once.grab().toImage());
}

void TTestResults::Test_Plan_Dialog_data()
{
    QTest::addColumn<QString>("lengths");
    QTest::addColumn<bool>("replace");
    QTest::addColumn<QString>("count_text");
    QTest::addColumn<int>("rows");
    QTest::newRow("default, appended") << "" << false << "60 measurements will be created." << 62;
    QTest::newRow("two lengths, replacing")
        << "100 1200" << true << "18 measurements will be created." << 18;
}

void TTestResults::Test_Plan_Dialog()
{
    QFETCH(QString, lengths);
    QFETCH(bool, replace);
    QFETCH(QString, count_text);
    QFETCH(int, rows);
    for (int i = 0; i < 2; ++i) {
        QTest::mouseClick(window->findChild<QToolButton *>("add_button"), Qt::LeftButton);
    }

    QString shown;
    QTimer::singleShot(0, [&]() {
        TTestPlanDialog *dialog =
            qobject_cast<TTestPlanDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QTest::keyClicks(dialog->findChild<QLineEdit *>("lengths_edit"), lengths);
        if (replace) {
            QTest::mouseClick(dialog->findChild<QRadioButton *>("replace_button"), Qt::LeftButton);
        }
        shown = dialog->findChild<QLabel *>("count_label")->text();
        QTest::mouseClick(dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok),
                          Qt::LeftButton);
    });
    Action("Generate Test Plan\u2026", "Tools")->trigger();
    QVERIFY2(shown.startsWith(count_text), qPrintable(shown));
    QCOMPARE(Rows(), rows);
    QCOMPARE(Table()->model()->rowCount(), rows);
    QCOMPARE(int(Display()->Length_Measurements().size()), rows);
    if (replace) {
        // 1200 mm fits only the diagonals of the 1000 mm cube.
        QVERIFY(shown.contains("1200 mm does not fit the Y line"));
        QCOMPARE(Row_Text(0), QString("Measurement 1"));
    } else {
        QCOMPARE(Row_Text(2), QString("Measurement 3"));
    }
}

void TTestResults::Test_Plan_Says_What_It_Determines_data()
{
    QTest::addColumn<QString>("y_lines");
    QTest::addColumn<QString>("z_lines");
    QTest::addColumn<QString>("says");
    QTest::newRow("lines through the centre")
        << ""
        << ""
        << "The plan determines parameters 2, 3 of the Generic Deflection model. It "
           "determines 1 only poorly";
    QTest::newRow("and lines away from it")
        << "200 800"
        << "200; 800"
        << "The plan determines parameters 1, 2, 3 of the Generic Deflection model.";
}

// Before anything is measured: which parameters of the model in use the plan determines.
void TTestResults::Test_Plan_Says_What_It_Determines()
{
    QFETCH(QString, y_lines);
    QFETCH(QString, z_lines);
    QFETCH(QString, says);
    Action("Init")->trigger();
    QString shown;
    int rows = 0;
    QTimer::singleShot(0, [&]() {
        TTestPlanDialog *dialog =
            qobject_cast<TTestPlanDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QTest::keyClicks(dialog->findChild<QLineEdit *>("y_lines_edit"), y_lines);
        QTest::keyClicks(dialog->findChild<QLineEdit *>("z_lines_edit"), z_lines);
        shown = dialog->findChild<QLabel *>("determines_label")->text();
        rows = int(dialog->Plan().size());
        QTest::mouseClick(dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok),
                          Qt::LeftButton);
    });
    Action("Generate Test Plan\u2026", "Tools")->trigger();
    QVERIFY2(shown.startsWith(says), qPrintable(shown));
    QCOMPARE(rows, y_lines.isEmpty() ? 60 : 60 + 4 * 15);
    QCOMPARE(Rows(), rows);
}

QTEST_MAIN(TTestResults)
#include "tst_results.moc"
