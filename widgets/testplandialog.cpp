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

TTestPlanDialog::TTestPlanDialog(const double &range_y, const double &range_z,
                                 const QWidget *parent, Qt::WindowFlags flags)
    : QDialog(const_cast<QWidget *>(parent), flags)
    , plan(range_y, range_z)
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

    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);

    connect(lengths_edit, &QLineEdit::textChanged, this, &TTestPlanDialog::Update_Count);
    connect(repeats_box, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &TTestPlanDialog::Update_Count);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    Update_Count();
}

TTestPlanDialog::~TTestPlanDialog() = default;

bool TTestPlanDialog::Read_Lengths(std::vector<double> *lengths, QString *error) const
{
    lengths->clear();
    // Commas would be ambiguous beside decimal commas; blanks and semicolons separate.
    const QStringList parts = lengths_edit->text().split(
        QRegularExpression(QStringLiteral("[\\s;]+")), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        double length = 0.0;
        if (!TNumberText::Read_Typed(part, &length) || !(length > 0.0)) {
            *error = tr("\"%1\" is not a length in mm.").arg(part);
            return false;
        }
        lengths->push_back(length);
    }
    return true;
}

std::vector<TMeasurementData::TMeasurement> TTestPlanDialog::Plan() const
{
    std::vector<double> lengths;
    QString error;
    if (!Read_Lengths(&lengths, &error)) {
        return {};
    }
    return plan.Measurements(lengths, repeats_box->value(), nullptr);
}

bool TTestPlanDialog::Replace() const
{
    return replace_button->isChecked();
}

void TTestPlanDialog::Update_Count()
{
    std::vector<double> lengths;
    QString error;
    QStringList left_out;
    size_t count = 0;
    if (Read_Lengths(&lengths, &error)) {
        count = plan.Measurements(lengths, repeats_box->value(), &left_out).size();
    }
    QStringList lines;
    lines << (!error.isEmpty() ? error
              : count == 1     ? tr("1 measurement will be created.")
                               : tr("%1 measurements will be created.").arg(count));
    lines += left_out;
    count_label->setText(lines.join(QLatin1Char('\n')));
    buttons->button(QDialogButtonBox::Ok)->setEnabled(error.isEmpty() && count > 0);
}
