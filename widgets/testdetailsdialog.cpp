// SPDX-License-Identifier: GPL-3.0-or-later
#include "testdetailsdialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>

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
} // namespace

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
