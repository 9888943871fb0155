// SPDX-License-Identifier: GPL-3.0-or-later
#include "measurementeditwidget.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <cmath>

#include "fieldmark.h"
#include "fieldwidth.h"
#include "measurementdata.h"
#include "numbertext.h"
#include "separatorline.h"
#include "testconditions.h"

namespace
{
double Field_Value(const QLineEdit *edit, const double &fallback)
{
    double value = fallback;
    TNumberText::Read_Typed(edit->text(), &value);
    return value;
}

bool Is_Number(const QLineEdit *edit)
{
    double value = 0.0;
    return TNumberText::Read_Typed(edit->text(), &value);
}

QString Fixed(const double &value, int decimals)
{
    return TNumberText::Fixed(value, decimals);
}
} // namespace

TMeasurementEditWidget::TMeasurementEditWidget(const QWidget *parent, Qt::WindowFlags flags)
    : QWidget(const_cast<QWidget *>(parent), flags)
    , measurement_id(0)
{
    QGridLayout *layout = new QGridLayout(this);
    // The dock around the form has margins of its own.
    layout->setContentsMargins(0, 0, 0, 0);

    const auto add_row = [this, layout](int row, const QString &label_text, const char *name,
                                        bool read_only, bool millimetres) {
        QLabel *label = new QLabel(label_text, this);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QLineEdit *edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setReadOnly(read_only);
        edit->setAlignment(Qt::AlignCenter);
        layout->addWidget(label, row, 0);
        layout->addWidget(edit, row, 1);
        if (millimetres) {
            layout->addWidget(new QLabel(QStringLiteral("mm"), this), row, 2);
        }
        return edit;
    };

    nominal_length_edit = add_row(0, tr("Nominal:"), "nominal_length_edit", false, true);
    actual_length_edit = add_row(1, tr("Actual:"), "actual_length_edit", true, true);
    measured_length_edit = add_row(2, tr("Measured:"), "measured_length_edit", false, true);
    measured_length_edit->setPlaceholderText(tr("not measured"));
    measured_length_edit->setToolTip(
        tr("The length the machine measured; empty when not measured"));

    temperature_edit = add_row(3, tr("Temperature:"), "temperature_edit", false, false);
    layout->addWidget(new QLabel(QStringLiteral("°C"), this), 3, 2);
    temperature_edit->setPlaceholderText(tr("the test's"));
    temperature_edit->setToolTip(
        tr("The gauge's own temperature when this length was measured, in °C; empty when the "
           "test's temperature holds"));

    layout->addWidget(new TSeparatorLine(this), 4, 0, 1, 3);

    position_x_edit = add_row(5, QStringLiteral("X:"), "position_x_edit", true, true);
    position_y_edit = add_row(6, QStringLiteral("Y:"), "position_y_edit", false, true);
    position_z_edit = add_row(7, QStringLiteral("Z:"), "position_z_edit", false, true);
    axis_i_edit = add_row(8, QStringLiteral("I:"), "axis_i_edit", true, false);
    axis_j_edit = add_row(9, QStringLiteral("J:"), "axis_j_edit", false, false);
    axis_k_edit = add_row(10, QStringLiteral("k:"), "axis_k_edit", false, false);

    const std::pair<QLineEdit *, QString> tips[] = {
        {nominal_length_edit, tr("The gauge's nominal length in mm, at least 1 mm")},
        {actual_length_edit,
         tr("The length in mm the deflected machine reports for this gauge: the distance "
            "between the gauge ends, each minus the model's correction")},
        {position_x_edit, tr("X of the gauge's centre in mm; the drawing is the Y-Z plane")},
        {position_y_edit, tr("Y of the gauge's centre in mm")},
        {position_z_edit, tr("Z of the gauge's centre in mm")},
        {axis_i_edit, tr("X component of the gauge's direction; always 0 in the Y-Z plane")},
        {axis_j_edit, tr("Y component of the gauge's direction; scaled to unit length")},
        {axis_k_edit, tr("Z component of the gauge's direction; scaled to unit length")}};
    for (const auto &tip : tips) {
        tip.first->setToolTip(tip.second);
    }
    // Wide enough for the decimals the fields are written with, and a minus sign.
    for (QLineEdit *edit : {nominal_length_edit, actual_length_edit, measured_length_edit,
                            temperature_edit, position_x_edit, position_y_edit, position_z_edit}) {
        TFieldWidth::Fit(edit, QStringLiteral("-1000.0000"));
    }
    for (QLineEdit *edit : {axis_i_edit, axis_j_edit, axis_k_edit}) {
        TFieldWidth::Fit(edit, QStringLiteral("-0.000000"));
    }

    setTabOrder(nominal_length_edit, actual_length_edit);
    setTabOrder(actual_length_edit, measured_length_edit);
    setTabOrder(measured_length_edit, temperature_edit);
    setTabOrder(temperature_edit, position_x_edit);
    setTabOrder(position_x_edit, position_y_edit);
    setTabOrder(position_y_edit, position_z_edit);
    setTabOrder(position_z_edit, axis_i_edit);
    setTabOrder(axis_i_edit, axis_j_edit);
    setTabOrder(axis_j_edit, axis_k_edit);

    for (QLineEdit *edit : {position_y_edit, position_z_edit, axis_j_edit, axis_k_edit,
                            nominal_length_edit, measured_length_edit, temperature_edit}) {
        connect(edit, &QLineEdit::textEdited, this, &TMeasurementEditWidget::Text_Edited);
    }
}

TMeasurementEditWidget::~TMeasurementEditWidget() = default;

double TMeasurementEditWidget::Nominal_Length() const
{
    const double length = Field_Value(nominal_length_edit, 1000.0);
    return length < 1.0 ? 1.0 : length;
}

double TMeasurementEditWidget::Actual_Length() const
{
    return Field_Value(actual_length_edit, 1000.0);
}

TVector3 TMeasurementEditWidget::Position() const
{
    return TVector3(Field_Value(position_x_edit, 0.0), Field_Value(position_y_edit, 0.0),
                    Field_Value(position_z_edit, 0.0));
}

TVector3 TMeasurementEditWidget::Axis() const
{
    TVector3 axis(Field_Value(axis_i_edit, 0.0), Field_Value(axis_j_edit, 0.0),
                  Field_Value(axis_k_edit, 0.0));
    // "nan" and "inf" parse; such an axis has no direction and must not reach the
    // normalisation.
    if (!TMeasurementData::Is_Usable_Axis(axis)) {
        axis = TVector3(0, 0, 1);
    }
    return axis.Normal();
}

void TMeasurementEditWidget::Set_Nominal_Length(const double &length)
{
    nominal_length_edit->setText(Fixed(length, 4));
}

void TMeasurementEditWidget::Set_Actual_Length(const double &length)
{
    actual_length_edit->setText(Fixed(length, 4));
}

bool TMeasurementEditWidget::Measured_Length_Valid() const
{
    double length = 0.0;
    const QString text = measured_length_edit->text().trimmed();
    return text.isEmpty() || TNumberText::Read_Typed(text, &length);
}

bool TMeasurementEditWidget::Has_Measured_Length() const
{
    return Measured_Length_Valid() && !measured_length_edit->text().trimmed().isEmpty();
}

double TMeasurementEditWidget::Measured_Length() const
{
    return Has_Measured_Length() ? Field_Value(measured_length_edit, 0.0) : 0.0;
}

void TMeasurementEditWidget::Set_Measured_Length(bool has_length, const double &length)
{
    measured_length_edit->setText(has_length ? TNumberText::Parameter(length) : QString());
    Mark_Fields();
}

void TMeasurementEditWidget::Set_Gauge_Temperature(bool has_temperature, const double &temperature)
{
    temperature_edit->setText(has_temperature ? TNumberText::Shortest(temperature) : QString());
    Mark_Fields();
}

bool TMeasurementEditWidget::Read_Gauge_Temperature(bool *has_temperature, double *temperature,
                                                    QString *reason) const
{
    const QString text = temperature_edit->text().trimmed();
    *has_temperature = !text.isEmpty();
    *temperature = 20.0;
    if (text.isEmpty()) {
        return true;
    }
    if (!TNumberText::Read_Typed(text, temperature)) {
        *reason = tr("Not a temperature: this text is not stored");
        return false;
    }
    // The test's own limits hold for a single gauge too.
    TTestConditions check;
    return check.Set(QStringLiteral("Gauge_Temperature"), TNumberText::Shortest(*temperature),
                     reason);
}

// Text that is not the number in use is marked with the value used instead; a measured
// length that is not a number is not stored at all.
void TMeasurementEditWidget::Mark_Fields()
{
    if (!Measured_Length_Valid()) {
        TFieldMark::Set(measured_length_edit, tr("Not a length: this text is not stored"));
    } else {
        TFieldMark::Clear(measured_length_edit);
    }
    bool has_temperature = false;
    double temperature = 0.0;
    QString temperature_problem;
    Read_Gauge_Temperature(&has_temperature, &temperature, &temperature_problem);
    TFieldMark::Show(temperature_edit, temperature_problem);
    QString nominal_problem;
    if (!nominal_length_edit->text().isEmpty() || isEnabled()) {
        if (!Is_Number(nominal_length_edit)) {
            nominal_problem = tr("Not a number: using %1 mm").arg(Fixed(Nominal_Length(), 4));
        } else if (Field_Value(nominal_length_edit, 1000.0) < 1.0) {
            nominal_problem = tr("Lengths below 1 mm are not used: using %1 mm").arg(Fixed(1.0, 4));
        }
    }
    TFieldMark::Show(nominal_length_edit, nominal_problem);
    for (QLineEdit *edit : {position_y_edit, position_z_edit}) {
        if (edit->text().isEmpty() || Is_Number(edit)) {
            TFieldMark::Clear(edit);
        } else {
            TFieldMark::Set(edit, tr("Not a number: using %1 mm").arg(Fixed(0.0, 4)));
        }
    }
    const TVector3 typed(0.0, Field_Value(axis_j_edit, 0.0), Field_Value(axis_k_edit, 0.0));
    const bool usable =
        axis_j_edit->text().isEmpty() || (Is_Number(axis_j_edit) && Is_Number(axis_k_edit) &&
                                          TMeasurementData::Is_Usable_Axis(typed));
    for (QLineEdit *edit : {axis_j_edit, axis_k_edit}) {
        if (usable) {
            TFieldMark::Clear(edit);
        } else {
            TFieldMark::Set(edit, tr("No direction: using the Z axis (0, 0, 1)"));
        }
    }
}

void TMeasurementEditWidget::Set_Position(const TVector3 &position)
{
    position_x_edit->setText(Fixed(position.x, 4));
    position_y_edit->setText(Fixed(position.y, 4));
    position_z_edit->setText(Fixed(position.z, 4));
}

void TMeasurementEditWidget::Set_Axis(const TVector3 &axis)
{
    axis_i_edit->setText(Fixed(axis.x, 6));
    axis_j_edit->setText(Fixed(axis.y, 6));
    axis_k_edit->setText(Fixed(axis.z, 6));
}

TMeasurementData::TMeasurement
TMeasurementEditWidget::Edited(const TMeasurementData::TMeasurement &shown) const
{
    TMeasurementData::TMeasurement edited = shown;
    if (nominal_length_edit->text() != Fixed(shown.nominal_length, 4)) {
        edited.nominal_length = Nominal_Length();
    }
    const TVector3 position = Position();
    if (position_y_edit->text() != Fixed(shown.position.y, 4)) {
        edited.position.y = position.y;
    }
    if (position_z_edit->text() != Fixed(shown.position.z, 4)) {
        edited.position.z = position.z;
    }
    if (axis_j_edit->text() != Fixed(shown.axis.y, 6) ||
        axis_k_edit->text() != Fixed(shown.axis.z, 6)) {
        edited.axis = Axis();
    }
    // A measured length that is not a number is marked and not stored.
    const QString measured_shown =
        shown.has_measured_length ? TNumberText::Parameter(shown.measured_length) : QString();
    if (Measured_Length_Valid() && measured_length_edit->text() != measured_shown) {
        edited.has_measured_length = Has_Measured_Length();
        edited.measured_length = Measured_Length();
    }
    const QString temperature_shown =
        shown.has_temperature ? TNumberText::Shortest(shown.temperature) : QString();
    bool has_temperature = false;
    double temperature = 0.0;
    QString problem;
    if (temperature_edit->text() != temperature_shown &&
        Read_Gauge_Temperature(&has_temperature, &temperature, &problem)) {
        edited.has_temperature = has_temperature;
        edited.temperature = has_temperature ? temperature : 20.0;
    }
    return edited;
}

void TMeasurementEditWidget::Clear_Display()
{
    for (QLineEdit *edit : {nominal_length_edit, actual_length_edit, measured_length_edit,
                            temperature_edit, position_x_edit, position_y_edit, position_z_edit,
                            axis_i_edit, axis_j_edit, axis_k_edit}) {
        edit->clear();
    }
    Mark_Fields();
}

void TMeasurementEditWidget::Text_Edited()
{
    Mark_Fields();
    emit Data_Changed();
}
