// SPDX-License-Identifier: GPL-3.0-or-later
#include "testplandialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

#include "numbertext.h"
#include "parameterfit.h"

TTestPlanDialog::TTestPlanDialog(const double &range_y, const double &range_z,
                                 const QWidget *parent, Qt::WindowFlags flags)
    : QDialog(const_cast<QWidget *>(parent), flags)
    , plan(range_y, range_z)
    , model_type(0)
    , parameters{0.0, 0.0, 0.0, 0.0}
{
    setWindowTitle(tr("Generate Test Plan"));
    QVBoxLayout *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        tr("Four lines through the centre of the %1 mm \u00d7 %2 mm volume: along Y, along Z "
           "and the two diagonals. Every gauge is centred on the volume's centre.")
            .arg(TNumberText::Fixed(range_y, 1), TNumberText::Fixed(range_z, 1)),
        this));
    layout->itemAt(0)->widget()->setProperty("wordWrap", true);

    QFormLayout *form = new QFormLayout;
    lengths_edit = new QLineEdit(this);
    lengths_edit->setObjectName(QStringLiteral("lengths_edit"));
    lengths_edit->setPlaceholderText(tr("five per line, 10 % to 90 % of its length"));
    lengths_edit->setToolTip(tr("Test lengths in mm, separated by spaces or semicolons; the same "
                                "on every line. Empty: each line's own five lengths."));
    form->addRow(tr("Lengths (mm):"), lengths_edit);
    repeats_box = new QSpinBox(this);
    repeats_box->setObjectName(QStringLiteral("repeats_box"));
    repeats_box->setRange(1, 100);
    repeats_box->setValue(3);
    form->addRow(tr("Repetitions:"), repeats_box);
    y_lines_edit = new QLineEdit(this);
    y_lines_edit->setObjectName(QStringLiteral("y_lines_edit"));
    y_lines_edit->setPlaceholderText(tr("none"));
    y_lines_edit->setToolTip(tr("Z positions in mm of further lines along Y, away from the "
                                "centre; they tell rotations from translations"));
    form->addRow(tr("Y lines at Z (mm):"), y_lines_edit);
    z_lines_edit = new QLineEdit(this);
    z_lines_edit->setObjectName(QStringLiteral("z_lines_edit"));
    z_lines_edit->setPlaceholderText(tr("none"));
    z_lines_edit->setToolTip(tr("Y positions in mm of further lines along Z, away from the "
                                "centre"));
    form->addRow(tr("Z lines at Y (mm):"), z_lines_edit);
    append_button = new QRadioButton(tr("Append to the measurements"), this);
    append_button->setObjectName(QStringLiteral("append_button"));
    replace_button = new QRadioButton(tr("Replace the measurements"), this);
    replace_button->setObjectName(QStringLiteral("replace_button"));
    append_button->setChecked(true);
    form->addRow(tr("Measurements:"), append_button);
    form->addRow(QString(), replace_button);
    layout->addLayout(form);

    count_label = new QLabel(this);
    count_label->setObjectName(QStringLiteral("count_label"));
    count_label->setWordWrap(true);
    layout->addWidget(count_label);
    determines_label = new QLabel(this);
    determines_label->setObjectName(QStringLiteral("determines_label"));
    determines_label->setWordWrap(true);
    layout->addWidget(determines_label);

    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);

    connect(lengths_edit, &QLineEdit::textChanged, this, &TTestPlanDialog::Update_Count);
    connect(y_lines_edit, &QLineEdit::textChanged, this, &TTestPlanDialog::Update_Count);
    connect(z_lines_edit, &QLineEdit::textChanged, this, &TTestPlanDialog::Update_Count);
    connect(repeats_box, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &TTestPlanDialog::Update_Count);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    Update_Count();
}

TTestPlanDialog::~TTestPlanDialog() = default;

bool TTestPlanDialog::Read_List(const QLineEdit *edit, bool positive, std::vector<double> *numbers,
                                QString *error)
{
    numbers->clear();
    // Commas would be ambiguous beside decimal commas; blanks and semicolons separate.
    const QStringList parts =
        edit->text().split(QRegularExpression(QStringLiteral("[\\s;]+")), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        double number = 0.0;
        if (!TNumberText::Read_Typed(part, &number) ||
            (positive ? !(number > 0.0) : number < 0.0)) {
            *error = positive ? tr("\"%1\" is not a length in mm.").arg(part)
                              : tr("\"%1\" is not a position in mm.").arg(part);
            return false;
        }
        numbers->push_back(number);
    }
    return true;
}

bool TTestPlanDialog::Read_Lengths(std::vector<double> *lengths, QString *error) const
{
    return Read_List(lengths_edit, true, lengths, error);
}

TTestPlan TTestPlanDialog::Plan_With_Lines(QString *error) const
{
    TTestPlan lines = plan;
    std::vector<double> at_z;
    std::vector<double> at_y;
    if (Read_List(y_lines_edit, false, &at_z, error) &&
        Read_List(z_lines_edit, false, &at_y, error)) {
        lines.Set_Off_Centre_Lines(at_z, at_y);
    }
    return lines;
}

std::vector<TMeasurementData::TMeasurement> TTestPlanDialog::Plan() const
{
    std::vector<double> lengths;
    QString error;
    const TTestPlan lines = Plan_With_Lines(&error);
    if (!Read_Lengths(&lengths, &error) || !error.isEmpty()) {
        return {};
    }
    return lines.Measurements(lengths, repeats_box->value(), nullptr);
}

bool TTestPlanDialog::Replace() const
{
    return replace_button->isChecked();
}

void TTestPlanDialog::Set_Model(int model_type_, const double parameters_[4])
{
    model_type = model_type_;
    std::copy(parameters_, parameters_ + 4, parameters);
    Update_Count();
}

void TTestPlanDialog::Update_Count()
{
    std::vector<double> lengths;
    QString error;
    QStringList left_out;
    std::vector<TMeasurementData::TMeasurement> measurements;
    const TTestPlan lines = Plan_With_Lines(&error);
    if (error.isEmpty() && Read_Lengths(&lengths, &error)) {
        measurements = lines.Measurements(lengths, repeats_box->value(), &left_out);
    }
    const size_t count = measurements.size();
    QStringList texts;
    texts << (!error.isEmpty() ? error
              : count == 1     ? tr("1 measurement will be created.")
                               : tr("%1 measurements will be created.").arg(count));
    texts += left_out;
    count_label->setText(texts.join(QLatin1Char('\n')));
    buttons->button(QDialogButtonBox::Ok)->setEnabled(error.isEmpty() && count > 0);
    // What the plan would determine of the model in use, before anything is measured.
    const std::vector<int> free = TParameterFit::Default_Free(model_type);
    if (model_type == 0 || count == 0) {
        determines_label->clear();
        return;
    }
    determines_label->setText(TParameterFit::Plan_Text(
        model_type, free,
        TParameterFit::Plan_Identifiability(model_type, parameters, lines.Range_Y(),
                                            lines.Range_Z(), measurements, free)));
}
