// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TRESULTSDOCK_H
#define TRESULTSDOCK_H

#include <QDockWidget>
#include <QList>
#include <QStringList>

#include "mpe.h"

class QLabel;
class QLineEdit;
class QTabWidget;
class QTableView;
class TErrorChartWidget;
class TResultsModel;
class TResultsSortModel;
class TResultsTable;

// The "Results" dock: the MPE, the table of all results with its summary, and the
// error-versus-length chart in a tab beside it. It shows what the results model holds and
// reports what the user does; the window does the rest.
class TResultsDock : public QDockWidget
{
    Q_OBJECT

public:
    TResultsDock(TResultsModel *model, const QWidget *parent = nullptr);
    ~TResultsDock() override;

    // The MPE as the fields give it; the last valid one while a field holds something else.
    TMpe Mpe() const { return mpe; }
    void Set_Mpe(const TMpe &mpe);
    // The three fields as typed, and the MPE in use with them, for undo.
    QStringList Mpe_Texts() const;
    void Set_Mpe_Texts(const TMpe &mpe, const QStringList &texts);
    // Selects the rows of these measurements without reporting it.
    void Select_Ids(const QList<int> &ids);
    QList<int> Selected_Ids() const;
    // The selected rows, in the order shown, as tab-separated text with a header row.
    QString Selected_Text() const;

    // The table, with its rows from now on.
    QTableView *Table();
    QLabel *Summary_Label() const { return summary_label; }
    TErrorChartWidget *Chart() const { return chart; }
    QTabWidget *Tabs() const { return tabs; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

signals:
    // The user changed the MPE to a new valid one (or cleared it).
    void Mpe_Changed();
    // The user selected rows.
    void Rows_Selected(const QList<int> &ids);
    // The user pasted text into the Measured column: the measurements from the current row
    // down, in the order shown, and the text.
    void Measured_Pasted(const QList<int> &ids, const QString &text);
    // The user pressed Delete in the Measured column: the measurements whose measured lengths
    // go, in the order shown.
    void Measured_Cleared(const QList<int> &ids);

private slots:
    void Mpe_Edited();
    void Update_Summary();
    void Table_Selection_Changed();
    void Copy_Selection();
    void Paste();

private:
    // Gives the table its rows, the first time it is shown or asked for.
    void Show_Rows();
    void Show_Rows_In_Sight();
    // The columns no result has a value in stay out of sight.
    void Hide_Empty_Columns();

    TResultsModel *results_model;
    // None until the table has its rows.
    TResultsSortModel *sort_model;
    QTabWidget *tabs;
    QLineEdit *mpe_a_edit;
    QLineEdit *mpe_k_edit;
    QLineEdit *mpe_b_edit;
    TResultsTable *table;
    QLabel *summary_label;
    TErrorChartWidget *chart;
    TMpe mpe;
    // What is selected while the table has no rows yet.
    QList<int> pending_selection;
    // True while the selection is set by program, so that it is not reported back.
    bool selecting;
};

#endif
