// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TTESTPLANDIALOG_H
#define TTESTPLANDIALOG_H

#include <QDialog>
#include <vector>

#include "measurementdata.h"
#include "testplan.h"

class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QDialogButtonBox;

// Lays out a length test for the current volume: the test lengths (each line's own five by
// default, or one list for every line), the repetitions, and whether the plan is appended to
// the measurements or replaces them. It shows how many measurements will be made, and which
// lengths do not fit a line, before anything is created.
class TTestPlanDialog : public QDialog
{
    Q_OBJECT

public:
    TTestPlanDialog(const double &range_y, const double &range_z, const QWidget *parent = nullptr,
                    Qt::WindowFlags flags = Qt::WindowFlags());
    ~TTestPlanDialog() override;

    // The measurements of the plan as the fields give it; empty while a field is wrong.
    std::vector<TMeasurementData::TMeasurement> Plan() const;
    bool Replace() const;

private slots:
    void Update_Count();

private:
    // False, with the reason, when the lengths field holds something else than lengths.
    bool Read_Lengths(std::vector<double> *lengths, QString *error) const;

    TTestPlan plan;
    QLineEdit *lengths_edit;
    QSpinBox *repeats_box;
    QRadioButton *append_button;
    QRadioButton *replace_button;
    QLabel *count_label;
    QDialogButtonBox *buttons;
};

#endif
