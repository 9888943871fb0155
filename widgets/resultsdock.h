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

    QTableView *Table() const;
    QLabel *Summary_Label() const { return summary_label; }
    TErrorChartWidget *Chart() const { return chart; }
    QTabWidget *Tabs() const { return tabs; }

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
    TResultsModel *results_model;
    TResultsSortModel *sort_model;
    QTabWidget *tabs;
    QLineEdit *mpe_a_edit;
    QLineEdit *mpe_k_edit;
    QLineEdit *mpe_b_edit;
    TResultsTable *table;
    QLabel *summary_label;
    TErrorChartWidget *chart;
    TMpe mpe;
    // True while the selection is set by program, so that it is not reported back.
    bool selecting;
};

#endif
