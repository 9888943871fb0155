// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TFITDIALOG_H
#define TFITDIALOG_H

#include <QDialog>
#include <array>
#include <vector>

#include "mpe.h"
#include "parameterfit.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;
class TMeasurementData;

// Tools > Fit Parameters: the user picks the free parameters (those the measurements determine
// only poorly are left out at first) and fits; the dialog shows the
// parameters before and after with their uncertainties, the residuals before and after, and
// what the measurements cannot determine. Apply closes it accepted with the fitted parameters;
// Cancel changes nothing.
class TFitDialog : public QDialog
{
    Q_OBJECT

public:
    // The model and its parameters and ranges as the window uses them.
    TFitDialog(int model_type, const double parameters[4], const double &range_y,
               const double &range_z, const TMeasurementData *data, const QWidget *parent = nullptr,
               Qt::WindowFlags flags = Qt::WindowFlags());
    ~TFitDialog() override;

    // The MPE the dialog judges the residuals against, as the machine would measure after
    // compensation; none by default.
    void Set_Mpe(const TMpe &mpe);
    // The last fit's result; fitted is false until a fit succeeded.
    const TParameterFit::TResult &Result() const { return result; }
    // The fitted parameters rounded to the decimals chosen for the controller, as Apply
    // writes them into the fields; the held ones as they were.
    std::array<double, 4> Controller_Parameters() const;
    // The parameters Apply writes: the free ones and any held one the fit started from its
    // preset.
    std::vector<int> Applied() const;
    // "1 Tower Rotation (mm/m)<tab>-0.02001" for each free parameter, one per line.
    QString Controller_Text() const;

public slots:
    void Fit();
    // Accepts the fit; asks first when parameters the measurements determine only poorly, or
    // not at all, were free.
    void Apply();

private:
    void Show_Result();
    // The controller values and the residual RMS they give, after a fit or a change of the
    // decimals.
    void Show_Controller_Values();
    QString Identifiability_Text(const TParameterFit::TIdentifiability &identifiability) const;

    int model_type;
    double parameters[4];
    double range_y;
    double range_z;
    const TMeasurementData *measurement_data;
    TParameterFit::TResult result;
    QCheckBox *free_boxes[4];
    QPushButton *fit_button;
    QPushButton *apply_button;
    QLabel *summary_label;
    QTableWidget *parameter_table;
    QTableWidget *line_table;
    QTableWidget *residual_table;
    QLabel *controller_label;
    QPushButton *copy_button;
    int decimals[4];
    TMpe mpe;
    // Held parameters set to their presets for the fit, because the free ones act only
    // through products with them.
    std::vector<int> started_from_presets;
};

#endif
