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
    // The model whose parameters the dialog says the plan determines; none by default.
    void Set_Model(int model_type, const double parameters[4]);

private slots:
    void Update_Count();

private:
    // False, with the reason, when the lengths field holds something else than lengths.
    bool Read_Lengths(std::vector<double> *lengths, QString *error) const;
    // The numbers of a field, blanks or semicolons between them; false with the reason.
    static bool Read_List(const QLineEdit *edit, bool positive, std::vector<double> *numbers,
                          QString *error);
    // The plan with the lines away from the centre that the fields ask for.
    TTestPlan Plan_With_Lines(QString *error) const;

    TTestPlan plan;
    QLineEdit *lengths_edit;
    QSpinBox *repeats_box;
    QRadioButton *append_button;
    QRadioButton *replace_button;
    QLabel *count_label;
    QLineEdit *y_lines_edit;
    QLineEdit *z_lines_edit;
    QLabel *determines_label;
    int model_type;
    double parameters[4];
    QDialogButtonBox *buttons;
};

#endif
