// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TMEASUREMENTEDITWIDGET_H
#define TMEASUREMENTEDITWIDGET_H

#include <QWidget>

#include "measurementdata.h"
#include "vector3.h"

class QLineEdit;

// The form for one length measurement: nominal length, the position of the gauge's centre,
// the direction of its axis, and the actual length the deflected machine would report.
// Fields that do not parse give fallback values; nothing here reports an error.
class TMeasurementEditWidget : public QWidget
{
    Q_OBJECT

public:
    TMeasurementEditWidget(const QWidget *parent = nullptr,
                           Qt::WindowFlags flags = Qt::WindowFlags());
    ~TMeasurementEditWidget() override;

    // 1000.0 when the field does not parse; at least 1.0.
    double Nominal_Length() const;
    // 1000.0 when the field does not parse.
    double Actual_Length() const;
    // 0.0 for each component that does not parse.
    TVector3 Position() const;
    // Always a unit vector: (0, 0, 1) when the fields give no usable direction.
    TVector3 Axis() const;

    // The measured length field: empty means not measured; text that is not a finite number
    // is marked and counts as no change.
    bool Measured_Length_Valid() const;
    bool Has_Measured_Length() const;
    double Measured_Length() const;
    void Set_Measured_Length(bool has_length, const double &length);
    // The gauge's own temperature (°C) field: empty means the test's temperature holds; text
    // that is not a usable temperature is marked and counts as no change.
    void Set_Gauge_Temperature(bool has_temperature, const double &temperature);

    void Set_Nominal_Length(const double &length);
    void Set_Actual_Length(const double &length);
    void Set_Position(const TVector3 &position);
    void Set_Axis(const TVector3 &axis);
    void Clear_Display();
    // The measurement shown, as the user has changed it: a value whose field still shows what
    // the editor wrote for it keeps its exact value, so that editing one field changes that
    // value alone, not the others at the editor's precision.
    TMeasurementData::TMeasurement Edited(const TMeasurementData::TMeasurement &shown) const;

    // The identifier of the measurement shown; the main window sets and reads it.
    int measurement_id;

signals:
    // The user edited one of the editable fields; setting text by program never emits it.
    void Data_Changed();

private slots:
    void Text_Edited();

private:
    void Mark_Fields();
    // Empty text reads as no temperature; false, with the reason, for text that is not one.
    bool Read_Gauge_Temperature(bool *has_temperature, double *temperature, QString *reason) const;

    QLineEdit *actual_length_edit;
    QLineEdit *measured_length_edit;
    QLineEdit *temperature_edit;
    QLineEdit *axis_i_edit;
    QLineEdit *axis_j_edit;
    QLineEdit *axis_k_edit;
    QLineEdit *nominal_length_edit;
    QLineEdit *position_x_edit;
    QLineEdit *position_y_edit;
    QLineEdit *position_z_edit;
};

#endif
