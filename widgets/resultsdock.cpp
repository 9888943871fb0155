// SPDX-License-Identifier: GPL-3.0-or-later
#include "resultsdock.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "conformance.h"
#include "errorchartwidget.h"
#include "numbertext.h"
#include "resultsmodel.h"
#include "resultssortmodel.h"
#include "resultstable.h"

namespace
{
QLineEdit *Create_Mpe_Edit(QWidget *parent, const QString &name, const QString &tip)
{
    QLineEdit *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setAlignment(Qt::AlignRight);
    edit->setMaximumWidth(70);
    edit->setToolTip(tip);
    return edit;
}

// A field whose text is not usable is marked, with the reason as its tool tip.
void Mark(QLineEdit *edit, bool bad, const QString &reason)
{
    edit->setStyleSheet(bad ? QStringLiteral("QLineEdit { background: #ffd6d6; }") : QString());
    edit->setToolTip(bad ? reason : edit->property("tip").toString());
}
} // namespace

TResultsDock::TResultsDock(TResultsModel *model, const QWidget *parent)
    : QDockWidget(const_cast<QWidget *>(parent))
    , results_model(model)
    , sort_model(nullptr)
    , selecting(false)
{
    Q_ASSERT(model);
    setObjectName(QStringLiteral("results_dock"));
    setWindowTitle(tr("Results"));

    tabs = new QTabWidget(this);
    QWidget *table_page = new QWidget(tabs);
    QVBoxLayout *layout = new QVBoxLayout(table_page);

    // The MPE form stays narrow, so that the dock fits beside the drawing at the window's
    // first size.
    mpe_a_edit = Create_Mpe_Edit(table_page, QStringLiteral("mpe_a_edit"),
                                 tr("A: the MPE at length 0, in \u00b5m"));
    mpe_k_edit = Create_Mpe_Edit(table_page, QStringLiteral("mpe_k_edit"),
                                 tr("K: the length in mm per \u00b5m of MPE (no unit)"));
    mpe_b_edit = Create_Mpe_Edit(table_page, QStringLiteral("mpe_b_edit"),
                                 tr("B: the largest MPE in \u00b5m; empty for none"));
    for (QLineEdit *edit : {mpe_a_edit, mpe_k_edit, mpe_b_edit}) {
        edit->setProperty("tip", edit->toolTip());
    }
    QGridLayout *mpe_form = new QGridLayout;
    QLabel *formula = new QLabel(tr("MPE(L) = min(A + L/K, B)"), table_page);
    formula->setWordWrap(true);
    mpe_form->addWidget(formula, 0, 0, 1, 3);
    const QString labels[3] = {tr("A:"), tr("K:"), tr("B:")};
    const QString units[3] = {tr("\u00b5m"), QString(), tr("\u00b5m")};
    QLineEdit *const edits[3] = {mpe_a_edit, mpe_k_edit, mpe_b_edit};
    for (int i = 0; i < 3; ++i) {
        QLabel *label = new QLabel(labels[i], table_page);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        mpe_form->addWidget(label, 1 + i, 0);
        mpe_form->addWidget(edits[i], 1 + i, 1);
        mpe_form->addWidget(new QLabel(units[i], table_page), 1 + i, 2);
    }
    mpe_form->setColumnStretch(3, 1);
    layout->addLayout(mpe_form);

    table = new TResultsTable(table_page);
    table->setObjectName(QStringLiteral("results_table"));
    table->setToolTip(tr("Every measurement judged against the MPE; lengths in mm, errors and "
                         "the MPE in \u00b5m. Type into the Measured column to enter a result "
                         "(Enter goes on to the next row, Delete clears it, Ctrl+V pastes a "
                         "column); Delete elsewhere removes the selected measurements, and "
                         "Ctrl+C copies them."));
    // Before the rows exist: a new default height is announced row by row, and the id
    // column's copy follows each announcement, which made a long list quadratic to open.
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    // The rows come when the table first comes into sight: a long list behind the editor's
    // tab costs nothing before then, neither at the start nor with each change. A dock behind
    // another one's tab is shown too, only placed outside the window; it comes into sight by
    // being moved, and the table by its tab being chosen.
    table->installEventFilter(this);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    table->verticalHeader()->setVisible(false);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // Widths follow the rows in sight, so that a long list is never measured row by row.
    table->horizontalHeader()->setResizeContentsPrecision(0);
    layout->addWidget(table, 1);

    summary_label = new QLabel(table_page);
    summary_label->setObjectName(QStringLiteral("summary_label"));
    summary_label->setWordWrap(true);
    summary_label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(summary_label);

    QAction *copy = new QAction(tr("Copy"), table);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    table->addAction(copy);

    chart = new TErrorChartWidget(model, tabs);
    chart->setObjectName(QStringLiteral("error_chart"));
    // A click on a point selects its measurement, as a click on its row does.
    connect(chart, &TErrorChartWidget::Measurement_Clicked, this, [this](int id) {
        Select_Ids({id});
        emit Rows_Selected({id});
    });
    tabs->addTab(table_page, tr("Table"));
    tabs->addTab(chart, tr("Chart"));
    setWidget(tabs);

    for (QLineEdit *edit : {mpe_a_edit, mpe_k_edit, mpe_b_edit}) {
        connect(edit, &QLineEdit::textEdited, this, &TResultsDock::Mpe_Edited);
    }
    connect(model, &TResultsModel::Results_Changed, this, &TResultsDock::Update_Summary);
    connect(copy, &QAction::triggered, this, &TResultsDock::Copy_Selection);
    QAction *paste = new QAction(tr("Paste"), table);
    paste->setShortcut(QKeySequence::Paste);
    paste->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    table->addAction(paste);
    connect(paste, &QAction::triggered, this, &TResultsDock::Paste);
    connect(table, &TResultsTable::Measured_Cleared, this, [this](const QList<int> &view_rows) {
        QList<int> ids;
        for (const int row : view_rows) {
            ids << results_model->Id_At_Row(
                sort_model->mapToSource(sort_model->index(row, 0)).row());
        }
        emit Measured_Cleared(ids);
    });
    Update_Summary();
}

TResultsDock::~TResultsDock() = default;

QTableView *TResultsDock::Table()
{
    Show_Rows();
    return table;
}

bool TResultsDock::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == table && event->type() == QEvent::Show) {
        Show_Rows_In_Sight();
    }
    return QDockWidget::eventFilter(watched, event);
}

void TResultsDock::moveEvent(QMoveEvent *event)
{
    QDockWidget::moveEvent(event);
    Show_Rows_In_Sight();
}

void TResultsDock::resizeEvent(QResizeEvent *event)
{
    QDockWidget::resizeEvent(event);
    Show_Rows_In_Sight();
}

void TResultsDock::Show_Rows_In_Sight()
{
    if (!sort_model && table->isVisible() && !table->visibleRegion().isEmpty()) {
        Show_Rows();
    }
}

void TResultsDock::Show_Rows()
{
    if (sort_model) {
        return;
    }
    table->removeEventFilter(this);
    sort_model = new TResultsSortModel(this);
    sort_model->setSourceModel(results_model);
    table->setModel(sort_model);
    table->setSortingEnabled(true);
    table->sortByColumn(-1, Qt::AscendingOrder);
    connect(table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TResultsDock::Table_Selection_Changed);
    Hide_Empty_Columns();
    Select_Ids(pending_selection);
    pending_selection.clear();
}

void TResultsDock::Set_Mpe(const TMpe &mpe_)
{
    mpe = mpe_;
    mpe_a_edit->setText(mpe.Is_Set() ? TNumberText::Shortest(mpe.A()) : QString());
    mpe_k_edit->setText(mpe.Is_Set() ? TNumberText::Shortest(mpe.K()) : QString());
    mpe_b_edit->setText(mpe.Is_Set() && mpe.Has_B() ? TNumberText::Shortest(mpe.B()) : QString());
    for (QLineEdit *edit : {mpe_a_edit, mpe_k_edit, mpe_b_edit}) {
        Mark(edit, false, QString());
    }
}

QStringList TResultsDock::Mpe_Texts() const
{
    return {mpe_a_edit->text(), mpe_k_edit->text(), mpe_b_edit->text()};
}

void TResultsDock::Set_Mpe_Texts(const TMpe &mpe_, const QStringList &texts)
{
    Q_ASSERT(texts.size() == 3);
    mpe = mpe_;
    mpe_a_edit->setText(texts[0]);
    mpe_k_edit->setText(texts[1]);
    mpe_b_edit->setText(texts[2]);
    // Marks the fields; the texts give this MPE or none, so nothing is reported.
    Mpe_Edited();
}

void TResultsDock::Mpe_Edited()
{
    // Each field is a number as typed (the decimal comma too); the MPE is checked as a whole.
    QLineEdit *const edits[3] = {mpe_a_edit, mpe_k_edit, mpe_b_edit};
    double values[3] = {0.0, 0.0, 0.0};
    bool numbers[3] = {false, false, false};
    bool empty = true;
    for (int i = 0; i < 3; ++i) {
        numbers[i] = TNumberText::Read_Typed(edits[i]->text(), &values[i]);
        empty = empty && edits[i]->text().trimmed().isEmpty();
    }
    const bool has_b = !mpe_b_edit->text().trimmed().isEmpty();
    TMpe entered;
    QString error;
    unsigned bad_values = 0;
    bool valid = empty;
    if (!empty) {
        const QString text =
            QStringLiteral("%1,%2").arg(TNumberText::Shortest(values[0]),
                                        TNumberText::Shortest(values[1])) +
            (has_b ? QLatin1Char(',') + TNumberText::Shortest(values[2]) : QString());
        valid = numbers[0] && numbers[1] && (!has_b || numbers[2]) &&
                TMpe::Parse(text, &entered, &error, &bad_values);
    }
    const QString in_use =
        mpe.Is_Set() ? tr("using the MPE %1").arg(mpe.Text()) : tr("no MPE is used");
    for (int i = 0; i < 3; ++i) {
        const bool field_empty = edits[i]->text().trimmed().isEmpty();
        const bool bad = !valid && ((!field_empty && !numbers[i]) || (field_empty && i < 2) ||
                                    (bad_values & (1U << i)) != 0);
        if (bad) {
            Mark(edits[i], true,
                 (error.isEmpty() ? tr("Not a number") : error) + QStringLiteral(": ") + in_use);
        } else {
            Mark(edits[i], false, QString());
        }
    }
    if (valid && entered != mpe) {
        mpe = entered;
        emit Mpe_Changed();
    }
}

void TResultsDock::Update_Summary()
{
    const QString conformance = TConformance::Text(results_model->Conformance());
    const QString summary =
        TEvaluation::Summary_Text(results_model->Summary(), results_model->Mpe().Is_Set());
    summary_label->setText(conformance.isEmpty() ? summary
                                                 : conformance + QLatin1Char('\n') + summary);
    Hide_Empty_Columns();
}

void TResultsDock::Hide_Empty_Columns()
{
    if (!sort_model) {
        return;
    }
    for (const int column : {TResultsModel::COLUMN_CORRECTED, TResultsModel::COLUMN_RANGE,
                             TResultsModel::COLUMN_UNCERTAINTY, TResultsModel::COLUMN_RETEST_OF}) {
        table->setColumnHidden(column, !results_model->Column_Has_Values(column));
    }
}

QList<int> TResultsDock::Selected_Ids() const
{
    if (!sort_model) {
        return pending_selection;
    }
    QList<int> ids;
    for (const QModelIndex &index : table->selectionModel()->selectedRows()) {
        ids << results_model->Id_At_Row(sort_model->mapToSource(index).row());
    }
    return ids;
}

void TResultsDock::Select_Ids(const QList<int> &ids)
{
    if (!sort_model) {
        pending_selection = ids;
        return;
    }
    selecting = true;
    QItemSelection selection;
    for (const int id : ids) {
        const int row = results_model->Row_Of_Id(id);
        if (row >= 0) {
            const QModelIndex index = sort_model->mapFromSource(results_model->index(row, 0));
            selection.select(index, index);
        }
    }
    table->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect |
                                                   QItemSelectionModel::Rows);
    if (ids.size() == 1 && !selection.isEmpty()) {
        table->scrollTo(selection.indexes().first());
    }
    selecting = false;
}

void TResultsDock::Table_Selection_Changed()
{
    if (!selecting) {
        emit Rows_Selected(Selected_Ids());
    }
}

QString TResultsDock::Selected_Text() const
{
    if (!sort_model) {
        return QString();
    }
    QList<int> view_rows;
    for (const QModelIndex &index : table->selectionModel()->selectedRows()) {
        view_rows << index.row();
    }
    std::sort(view_rows.begin(), view_rows.end());
    QList<int> rows;
    for (const int view_row : view_rows) {
        rows << sort_model->mapToSource(sort_model->index(view_row, 0)).row();
    }
    return results_model->Tab_Separated(rows, table->Columns_Shown());
}

void TResultsDock::Paste()
{
    const QModelIndex current = table->currentIndex();
    if (!current.isValid() ||
        sort_model->mapToSource(current).column() != TResultsModel::COLUMN_MEASURED) {
        return;
    }
    QList<int> ids;
    for (int row = current.row(); row < sort_model->rowCount(); ++row) {
        ids << results_model->Id_At_Row(sort_model->mapToSource(sort_model->index(row, 0)).row());
    }
    emit Measured_Pasted(ids, QApplication::clipboard()->text());
}

void TResultsDock::Copy_Selection()
{
    if (!table->selectionModel()->selectedRows().isEmpty()) {
        QApplication::clipboard()->setText(Selected_Text());
    }
}
