// SPDX-License-Identifier: GPL-3.0-or-later
#include <QHeaderView>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QUndoStack>
#include <QtTest>

#include "resultsdock.h"
#include "resultsmodel.h"
#include "resultstable.h"
#include "testdocument.h"
#include "windowfixture.h"

// The Results table as a spreadsheet user works in it, in the window: the id column in sight,
// Enter going down, clicks while scrolled sideways, Delete on rows and on measured lengths.
class TTestResultsTable : public QObject, protected TWindowFixture
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void Id_Column_Stays_In_Sight();
    void Measured_Beside_Nominal_And_Actual();
    void Enter_Goes_On_To_The_Next_Row();
    void Click_While_Scrolled_Sideways_Edits_That_Cell();
    void Delete_data();
    void Delete();

private:
    TResultsTable *Table() const
    {
        return qobject_cast<TResultsTable *>(window->findChild<TResultsDock *>()->Table());
    }
    QModelIndex Index(int row, int column) const { return Table()->model()->index(row, column); }
    QString Cell(int row, int column) const { return Index(row, column).data().toString(); }
    // Three measurements, the Results dock in front and the table scrolled to its right end.
    void Three_Measurements_Scrolled_Sideways();
    void Click_Cell(int row, int column);
    // Types as a user does: the first key opens the cell's editor, the rest go into it.
    static void Type_Into_Table(const QString &text)
    {
        for (const QChar character : text) {
            QTest::keyClick(QApplication::focusWidget(), character.toLatin1());
        }
    }
    // The measured length as the document holds it; NaN for none.
    double Measured(int id) const;
};

void TTestResultsTable::init()
{
    New_Home();
    Start();
}

void TTestResultsTable::cleanup()
{
    window.reset();
}

void TTestResultsTable::Three_Measurements_Scrolled_Sideways()
{
    for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(window->findChild<QToolButton *>("add_button"), Qt::LeftButton);
    }
    TResultsDock *dock = window->findChild<TResultsDock *>();
    dock->show();
    dock->raise();
    dock->Tabs()->setCurrentIndex(0);
    QTest::qWait(0);
    QVERIFY(Table()->isVisible());
    QCOMPARE(Table()->model()->rowCount(), 3);
    QScrollBar *sideways = Table()->horizontalScrollBar();
    // The dock is narrower than the table at the window's first size.
    QVERIFY(sideways->maximum() > 0);
    sideways->setValue(sideways->maximum());
}

void TTestResultsTable::Click_Cell(int row, int column)
{
    const QModelIndex index = Index(row, column);
    Table()->scrollTo(index);
    QTest::mouseClick(Table()->viewport(), Qt::LeftButton, Qt::NoModifier,
                      Table()->visualRect(index).center());
}

double TTestResultsTable::Measured(int id) const
{
    TMeasurementData::TMeasurement record;
    if (!window->Document().Measurement_Data().Get_Measurement(id, &record)) {
        return -1.0;
    }
    return record.has_measured_length ? record.measured_length : qQNaN();
}

void TTestResultsTable::Id_Column_Stays_In_Sight()
{
    Three_Measurements_Scrolled_Sideways();
    // The table's own id cells are scrolled away; the frozen column shows them where they were.
    QVERIFY(Table()->visualRect(Index(1, TResultsModel::COLUMN_ID)).right() < 0);
    QTableView *frozen = Table()->Frozen_View();
    QVERIFY(frozen->isVisible());
    const QRect id_cell = frozen->visualRect(Index(1, TResultsModel::COLUMN_ID));
    QVERIFY(frozen->viewport()->rect().contains(id_cell));
    QCOMPARE(frozen->width(), Table()->columnWidth(TResultsModel::COLUMN_ID));
    QCOMPARE(frozen->mapTo(Table(), QPoint(0, 0)).x(), Table()->viewport()->x());
    // A click on an id selects its row, and scrolling down moves the ids along.
    QTest::mouseClick(frozen->viewport(), Qt::LeftButton, Qt::NoModifier, id_cell.center());
    QCOMPARE(Table()->selectionModel()->selectedRows().size(), 1);
    QCOMPARE(Table()->selectionModel()->selectedRows().first().row(), 1);
    Table()->verticalScrollBar()->setValue(Table()->verticalScrollBar()->maximum());
    QCOMPARE(frozen->verticalScrollBar()->value(), Table()->verticalScrollBar()->value());
}

void TTestResultsTable::Measured_Beside_Nominal_And_Actual()
{
    const QList<int> shown = Table()->Columns_Shown();
    QCOMPARE(shown.mid(0, 4),
             (QList<int>{TResultsModel::COLUMN_ID, TResultsModel::COLUMN_NOMINAL,
                         TResultsModel::COLUMN_ACTUAL, TResultsModel::COLUMN_MEASURED}));
    // The columns of the standard's conditions stay hidden while the test gives none.
    QCOMPARE(shown.size(), int(TResultsModel::COLUMN_MEASURED_VERDICT) + 1);
}

void TTestResultsTable::Enter_Goes_On_To_The_Next_Row()
{
    Three_Measurements_Scrolled_Sideways();
    Click_Cell(0, TResultsModel::COLUMN_MEASURED);
    const int steps = window->Undo_Stack()->count();
    for (const char *const text : {"99,5", "100.25"}) {
        Type_Into_Table(text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::qWait(0);
    }
    QCOMPARE(Measured(1), 99.5);
    QCOMPARE(Measured(2), 100.25);
    QVERIFY(qIsNaN(Measured(3)));
    QCOMPARE(Table()->currentIndex(), Index(2, TResultsModel::COLUMN_MEASURED));
    QCOMPARE(window->Undo_Stack()->count(), steps + 2);
}

void TTestResultsTable::Click_While_Scrolled_Sideways_Edits_That_Cell()
{
    Three_Measurements_Scrolled_Sideways();
    Click_Cell(0, TResultsModel::COLUMN_MEASURED);
    const int sideways = Table()->horizontalScrollBar()->value();
    QVERIFY(sideways > 0);
    // Another row's cell, clicked once to select it and then twice to edit it.
    const QPoint cell = Table()->visualRect(Index(2, TResultsModel::COLUMN_MEASURED)).center();
    QTest::mouseClick(Table()->viewport(), Qt::LeftButton, Qt::NoModifier, cell);
    QCOMPARE(Table()->horizontalScrollBar()->value(), sideways);
    QTest::mouseDClick(Table()->viewport(), Qt::LeftButton, Qt::NoModifier, cell);
    QCOMPARE(Table()->horizontalScrollBar()->value(), sideways);
    QCOMPARE(Table()->currentIndex(), Index(2, TResultsModel::COLUMN_MEASURED));
    Type_Into_Table("101.5");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::qWait(0);
    QCOMPARE(Measured(3), 101.5);
    QVERIFY(qIsNaN(Measured(1)));
}

void TTestResultsTable::Delete_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("count_after");
    QTest::addColumn<bool>("measured_after");
    // Whole rows go; in the Measured column only their measured lengths do.
    QTest::newRow("rows") << int(TResultsModel::COLUMN_ID) << 1 << true;
    QTest::newRow("measured lengths") << int(TResultsModel::COLUMN_MEASURED) << 3 << false;
}

void TTestResultsTable::Delete()
{
    QFETCH(int, column);
    QFETCH(int, count_after);
    QFETCH(bool, measured_after);
    Three_Measurements_Scrolled_Sideways();
    for (int row = 0; row < 3; ++row) {
        QVERIFY(Table()->model()->setData(Index(row, TResultsModel::COLUMN_MEASURED),
                                          QString::number(101 + row)));
    }
    window->Undo_Stack()->clear();
    Click_Cell(0, column);
    QTest::mouseClick(Table()->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      Table()->visualRect(Index(1, column)).center());
    QCOMPARE(Table()->selectionModel()->selectedRows().size(), 2);
    QTest::keyClick(Table(), Qt::Key_Delete);
    QCOMPARE(int(window->Document().Measurement_Data().Measurements().size()), count_after);
    QCOMPARE(!qIsNaN(Measured(3)), true);
    if (count_after == 3) {
        QCOMPARE(!qIsNaN(Measured(1)), measured_after);
        QCOMPARE(!qIsNaN(Measured(2)), measured_after);
    }
    // One step, and undo brings back exactly what was there.
    QCOMPARE(window->Undo_Stack()->count(), 1);
    window->Undo_Stack()->undo();
    QCOMPARE(int(window->Document().Measurement_Data().Measurements().size()), 3);
    QCOMPARE(Measured(1), 101.0);
    QCOMPARE(Measured(2), 102.0);
}

QTEST_MAIN(TTestResultsTable)
#include "tst_resultstable.moc"
