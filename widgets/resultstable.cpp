// SPDX-License-Identifier: GPL-3.0-or-later
#include "resultstable.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <algorithm>

#include "resultsmodel.h"

TResultsTable::TResultsTable(const QWidget *parent)
    : QTableView(const_cast<QWidget *>(parent))
    , frozen(new QTableView(this))
    , editing_row(-1)
{
    // Per pixel, so that a column never hides half under the id column.
    setHorizontalScrollMode(ScrollPerPixel);
    frozen->setObjectName(QStringLiteral("results_id_column"));
    frozen->setFocusPolicy(Qt::NoFocus);
    frozen->setFrameShape(QFrame::NoFrame);
    frozen->verticalHeader()->hide();
    frozen->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    frozen->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen->setEditTriggers(NoEditTriggers);
    viewport()->stackUnder(frozen);

    // The id column scrolls up and down with the table, and a click on its title sorts the
    // table as a click on the hidden title beneath would.
    connect(verticalScrollBar(), &QScrollBar::valueChanged, frozen->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(frozen->verticalScrollBar(), &QScrollBar::valueChanged, verticalScrollBar(),
            &QScrollBar::setValue);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int section, int, int size) {
                if (section == TResultsModel::COLUMN_ID) {
                    frozen->setColumnWidth(section, size);
                    Place_Frozen_View();
                }
            });
    connect(verticalHeader(), &QHeaderView::sectionResized, this,
            [this](int section, int, int size) { frozen->setRowHeight(section, size); });
    connect(horizontalHeader(), &QHeaderView::sortIndicatorChanged, frozen->horizontalHeader(),
            &QHeaderView::setSortIndicator);
    connect(frozen->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &TResultsTable::Sort_By_Id);
}

TResultsTable::~TResultsTable() = default;

void TResultsTable::setModel(QAbstractItemModel *model)
{
    QTableView::setModel(model);
    frozen->setModel(model);
    frozen->setSelectionModel(selectionModel());
    frozen->setSelectionBehavior(SelectRows);
    frozen->horizontalHeader()->setSortIndicatorShown(true);
    for (int column = 0; column < model->columnCount(); ++column) {
        frozen->setColumnHidden(column, column != TResultsModel::COLUMN_ID);
    }
    frozen->setColumnWidth(TResultsModel::COLUMN_ID, columnWidth(TResultsModel::COLUMN_ID));
    // What was measured is read against what was nominal and what the model makes of it.
    QHeaderView *header = horizontalHeader();
    header->moveSection(header->visualIndex(TResultsModel::COLUMN_ACTUAL),
                        header->visualIndex(TResultsModel::COLUMN_NOMINAL) + 1);
    header->moveSection(header->visualIndex(TResultsModel::COLUMN_MEASURED),
                        header->visualIndex(TResultsModel::COLUMN_ACTUAL) + 1);
    // The length at 20 °C beside the length measured, the range beside the errors.
    header->moveSection(header->visualIndex(TResultsModel::COLUMN_CORRECTED),
                        header->visualIndex(TResultsModel::COLUMN_MEASURED) + 1);
    frozen->show();
    Place_Frozen_View();
}

QList<int> TResultsTable::Columns_Shown() const
{
    QList<int> columns;
    for (int visual = 0; visual < horizontalHeader()->count(); ++visual) {
        const int column = horizontalHeader()->logicalIndex(visual);
        if (!isColumnHidden(column)) {
            columns << column;
        }
    }
    return columns;
}

void TResultsTable::Sort_By_Id()
{
    const QHeaderView *header = horizontalHeader();
    const bool again = header->sortIndicatorSection() == TResultsModel::COLUMN_ID &&
                       header->sortIndicatorOrder() == Qt::AscendingOrder;
    sortByColumn(TResultsModel::COLUMN_ID, again ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void TResultsTable::Place_Frozen_View()
{
    frozen->setGeometry(verticalHeader()->width() + frameWidth(), frameWidth(),
                        columnWidth(TResultsModel::COLUMN_ID),
                        viewport()->height() + horizontalHeader()->height());
}

void TResultsTable::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    Place_Frozen_View();
}

void TResultsTable::updateGeometries()
{
    QTableView::updateGeometries();
    frozen->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
    Place_Frozen_View();
}

void TResultsTable::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    // Only up and down for a cell of the id column, which is always in sight sideways; any
    // other cell is brought out from under it.
    const int sideways = horizontalScrollBar()->value();
    QTableView::scrollTo(index, hint);
    if (!index.isValid()) {
        return;
    }
    if (index.column() == TResultsModel::COLUMN_ID) {
        horizontalScrollBar()->setValue(sideways);
        return;
    }
    const int hidden = frozen->width() - visualRect(index).left();
    if (hidden > 0) {
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - hidden);
    }
}

QModelIndex TResultsTable::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex next = QTableView::moveCursor(action, modifiers);
    if (next.isValid() && next.column() != TResultsModel::COLUMN_ID) {
        const int hidden = frozen->width() - visualRect(next).left();
        if (hidden > 0) {
            horizontalScrollBar()->setValue(horizontalScrollBar()->value() - hidden);
        }
    }
    return next;
}

bool TResultsTable::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    const bool editing = QTableView::edit(index, trigger, event);
    if (editing) {
        editing_row = index.row();
    }
    return editing;
}

void TResultsTable::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    const int row = editing_row;
    const int column = currentIndex().column();
    editing_row = -1;
    QTableView::closeEditor(editor, hint);
    // Enter: the next measured length goes in the row below, as in a spreadsheet.
    if (hint == QAbstractItemDelegate::SubmitModelCache && row >= 0 && model()) {
        const QModelIndex below = model()->index(row + 1, column);
        if (below.isValid()) {
            setCurrentIndex(below);
            scrollTo(below);
        }
    }
}

bool TResultsTable::Clears_Measured(const QKeyEvent *event) const
{
    return (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace) &&
           event->modifiers() == Qt::NoModifier && state() != EditingState &&
           currentIndex().isValid() && currentIndex().column() == TResultsModel::COLUMN_MEASURED;
}

bool TResultsTable::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTipChange) {
        frozen->setToolTip(toolTip());
    }
    // In the Measured column Delete clears the cells; elsewhere it stays the window's Delete,
    // which removes the selected measurements.
    if (event->type() == QEvent::ShortcutOverride &&
        Clears_Measured(static_cast<QKeyEvent *>(event))) {
        event->accept();
        return true;
    }
    return QTableView::event(event);
}

void TResultsTable::keyPressEvent(QKeyEvent *event)
{
    if (!Clears_Measured(event)) {
        QTableView::keyPressEvent(event);
        return;
    }
    QList<int> rows;
    for (const QModelIndex &index : selectionModel()->selectedRows()) {
        rows << index.row();
    }
    if (rows.isEmpty()) {
        rows << currentIndex().row();
    }
    std::sort(rows.begin(), rows.end());
    emit Measured_Cleared(rows);
}
