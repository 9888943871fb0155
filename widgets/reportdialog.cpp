// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportdialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>

TReportDialog::TReportDialog(const QString &title, const QString &machine,
                             const QString &operator_name, const QString &notes,
                             const QWidget *parent, Qt::WindowFlags flags)
    : QDialog(const_cast<QWidget *>(parent), flags)
{
    setWindowTitle(tr("Report"));
    QFormLayout *layout = new QFormLayout(this);
    title_edit = new QLineEdit(title.isEmpty() ? tr("Length test") : title, this);
    title_edit->setObjectName(QStringLiteral("report_title_edit"));
    machine_edit = new QLineEdit(machine, this);
    machine_edit->setObjectName(QStringLiteral("report_machine_edit"));
    machine_edit->setPlaceholderText(tr("name or serial number"));
    operator_edit = new QLineEdit(operator_name, this);
    operator_edit->setObjectName(QStringLiteral("report_operator_edit"));
    notes_edit = new QPlainTextEdit(notes, this);
    notes_edit->setObjectName(QStringLiteral("report_notes_edit"));
    layout->addRow(tr("Title:"), title_edit);
    layout->addRow(tr("Machine:"), machine_edit);
    layout->addRow(tr("Operator:"), operator_edit);
    layout->addRow(tr("Notes:"), notes_edit);
    QDialogButtonBox *buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

TReportDialog::~TReportDialog() = default;

QString TReportDialog::Title() const
{
    return title_edit->text();
}

QString TReportDialog::Machine() const
{
    return machine_edit->text();
}

QString TReportDialog::Operator_Name() const
{
    return operator_edit->text();
}

QString TReportDialog::Notes() const
{
    return notes_edit->toPlainText();
}
