// SPDX-License-Identifier: GPL-3.0-or-later
#include "testdetailsdialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "numbertext.h"

namespace
{
// Each field with the member of the details it holds.
QString TTestDocument::TReportDetails::*const fields[9] = {
    &TTestDocument::TReportDetails::machine,       &TTestDocument::TReportDetails::serial_number,
    &TTestDocument::TReportDetails::manufacturer,  &TTestDocument::TReportDetails::location,
    &TTestDocument::TReportDetails::title,         &TTestDocument::TReportDetails::customer,
    &TTestDocument::TReportDetails::operator_name, &TTestDocument::TReportDetails::test_date,
    &TTestDocument::TReportDetails::procedure};
const char *const names[9] = {"machine_edit",  "serial_number_edit", "manufacturer_edit",
                              "location_edit", "title_edit",         "customer_edit",
                              "operator_edit", "test_date_edit",     "procedure_edit"};
const char *const condition_names[5] = {"uncertainty_u0_edit", "uncertainty_ku_edit", "mpe_r0_edit",
                                        "gauge_temperature_edit", "gauge_cte_edit"};
} // namespace

TTestDetailsDialog::TTestDetailsDialog(const TTestDocument::TReportDetails &details,
                                       const TTestConditions &conditions, const QWidget *parent,
                                       Qt::WindowFlags flags)
    : TTestDetailsDialog(details, parent, flags)
{
    QGroupBox *group = new QGroupBox(tr("Conditions of the test"), this);
    QFormLayout *form = new QFormLayout(group);
    const QString labels[5] = {tr("Test uncertainty U0 (\u00b5m):"),
                               tr("Test uncertainty KU (U = U0 + L/KU):"),
                               tr("MPE of the range R0 (\u00b5m):"), tr("Gauge temperature (°C):"),
                               tr("Expansion coefficient (10\u207b\u2076/K):")};
    const QString texts[5] = {
        conditions.has_uncertainty ? TNumberText::Shortest(conditions.u0) : QString(),
        conditions.has_uncertainty && conditions.has_ku ? TNumberText::Shortest(conditions.ku)
                                                        : QString(),
        conditions.has_r0 ? TNumberText::Shortest(conditions.r0) : QString(),
        conditions.has_temperature ? TNumberText::Shortest(conditions.temperature) : QString(),
        conditions.has_cte ? TNumberText::Shortest(conditions.cte) : QString()};
    for (size_t i = 0; i < condition_edits.size(); ++i) {
        condition_edits[i] = new QLineEdit(texts[i], group);
        condition_edits[i]->setObjectName(QLatin1String(condition_names[i]));
        condition_edits[i]->setPlaceholderText(tr("not given"));
        form->addRow(labels[i], condition_edits[i]);
    }
    condition_problem = new QLabel(group);
    condition_problem->setObjectName(QStringLiteral("condition_problem_label"));
    condition_problem->setWordWrap(true);
    condition_problem->hide();
    form->addRow(condition_problem);
    QFormLayout *outer = static_cast<QFormLayout *>(layout());
    outer->insertRow(outer->rowCount() - 1, group);
}

TTestDetailsDialog::TTestDetailsDialog(const TTestDocument::TReportDetails &details,
                                       const QWidget *parent, Qt::WindowFlags flags)
    : QDialog(const_cast<QWidget *>(parent), flags)
{
    setObjectName(QStringLiteral("test_details_dialog"));
    setWindowTitle(tr("Test Details"));
    const QString labels[9] = {tr("Machine:"),
                               tr("Serial number:"),
                               tr("Manufacturer and type:"),
                               tr("Location:"),
                               tr("Title:"),
                               tr("Customer:"),
                               tr("Operator:"),
                               tr("Date of the measurements:"),
                               tr("Procedure:")};
    QFormLayout *form = new QFormLayout;
    for (size_t i = 0; i < edits.size(); ++i) {
        edits[i] = new QLineEdit(details.*fields[i], this);
        edits[i]->setObjectName(QLatin1String(names[i]));
        form->addRow(labels[i], edits[i]);
    }
    notes_edit = new QPlainTextEdit(details.notes, this);
    notes_edit->setObjectName(QStringLiteral("notes_edit"));
    form->addRow(tr("Notes:"), notes_edit);
    QDialogButtonBox *buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    setLayout(form);
}

TTestDetailsDialog::~TTestDetailsDialog() = default;

TTestDocument::TReportDetails TTestDetailsDialog::Details() const
{
    TTestDocument::TReportDetails details;
    for (size_t i = 0; i < edits.size(); ++i) {
        details.*fields[i] = edits[i]->text();
    }
    details.notes = notes_edit->toPlainText();
    return details;
}

bool TTestDetailsDialog::Read_Conditions(TTestConditions *conditions, QString *reason,
                                         QLineEdit **field) const
{
    *conditions = TTestConditions();
    if (!condition_edits[0]) {
        return true;
    }
    double values[5] = {};
    for (size_t i = 0; i < condition_edits.size(); ++i) {
        const QString text = condition_edits[i]->text().trimmed();
        if (!text.isEmpty() && !TNumberText::Read_Typed(text, &values[i])) {
            *reason = tr("\"%1\" is not a number").arg(text);
            *field = condition_edits[i];
            return false;
        }
    }
    const auto given = [this](size_t i) { return !condition_edits[i]->text().trimmed().isEmpty(); };
    if (given(1) && !given(0)) {
        *reason = tr("KU needs U0");
        *field = condition_edits[0];
        return false;
    }
    const std::pair<size_t, const char *> keys[] = {
        {2, "MPE_R0"}, {3, "Gauge_Temperature"}, {4, "Gauge_CTE"}};
    if (given(0)) {
        const QString text = given(1) ? TNumberText::Shortest(values[0]) + QLatin1Char(',') +
                                            TNumberText::Shortest(values[1])
                                      : TNumberText::Shortest(values[0]);
        if (!conditions->Set(QStringLiteral("Uncertainty"), text, reason)) {
            *field = condition_edits[0];
            return false;
        }
    }
    for (const auto &key : keys) {
        if (given(key.first) &&
            !conditions->Set(QLatin1String(key.second), TNumberText::Shortest(values[key.first]),
                             reason)) {
            *field = condition_edits[key.first];
            return false;
        }
    }
    return true;
}

TTestConditions TTestDetailsDialog::Conditions() const
{
    TTestConditions conditions;
    QString reason;
    QLineEdit *field = nullptr;
    Read_Conditions(&conditions, &reason, &field);
    return conditions;
}

void TTestDetailsDialog::accept()
{
    TTestConditions conditions;
    QString reason;
    QLineEdit *field = nullptr;
    if (!Read_Conditions(&conditions, &reason, &field)) {
        condition_problem->setText(reason);
        condition_problem->show();
        field->setFocus();
        field->selectAll();
        return;
    }
    QDialog::accept();
}
