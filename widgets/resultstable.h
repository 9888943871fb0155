// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TRESULTSTABLE_H
#define TRESULTSTABLE_H

#include <QList>
#include <QTableView>

// The Results table as a spreadsheet user handles it: the id column stays in sight while the
// rest scrolls sideways, the Measured column stands beside the nominal and actual lengths,
// Enter after an edit goes on to the next row, and Delete in the Measured column clears the
// measured lengths of the selected rows. Everything else is a plain table view of the sorted
// results.
class TResultsTable : public QTableView
{
    Q_OBJECT

public:
    explicit TResultsTable(const QWidget *parent = nullptr);
    ~TResultsTable() override;

    void setModel(QAbstractItemModel *model) override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;
    // The view that shows the id column over the table's own.
    QTableView *Frozen_View() const { return frozen; }
    // The logical columns from left to right as shown.
    QList<int> Columns_Shown() const;

signals:
    // Delete was pressed in the Measured column: the view rows whose measured lengths go.
    void Measured_Cleared(const QList<int> &view_rows);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void updateGeometries() override;

private:
    bool Clears_Measured(const QKeyEvent *event) const;
    void Place_Frozen_View();
    void Sort_By_Id();

    QTableView *frozen;
    // The view row of the cell being edited, so that Enter goes on below where it stood even
    // when the edit moved the row in a sorted table.
    int editing_row;
};

#endif
