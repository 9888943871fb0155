// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TTESTDETAILSDIALOG_H
#define TTESTDETAILSDIALOG_H

#include <QDialog>
#include <array>

#include "testdocument.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;

// File ▸ Test Details…: the machine (name, serial number, manufacturer and type, location) and
// the test (title, customer, operator, date of the measurements, procedure, notes), which the
// test file keeps and the report shows.
class TTestDetailsDialog : public QDialog
{
    Q_OBJECT

public:
    TTestDetailsDialog(const TTestDocument::TReportDetails &details,
                       const QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    // With the conditions the results are judged under, below the details.
    TTestDetailsDialog(const TTestDocument::TReportDetails &details,
                       const TTestConditions &conditions, const QWidget *parent = nullptr,
                       Qt::WindowFlags flags = Qt::WindowFlags());
    ~TTestDetailsDialog() override;

    // The details as the fields now hold them.
    TTestDocument::TReportDetails Details() const;
    // The conditions as the fields now hold them; an empty field gives none.
    TTestConditions Conditions() const;

public slots:
    // Accepts only when every condition field is empty or usable; otherwise marks the first
    // that is not and says why.
    void accept() override;

private:
    // The one-line fields, in the order they stand.
    std::array<QLineEdit *, 9> edits;
    QPlainTextEdit *notes_edit;
    // U0, KU, R0, the gauge's temperature and its expansion coefficient; typed numbers take
    // the decimal comma too.
    std::array<QLineEdit *, 5> condition_edits{};
    QLabel *condition_problem = nullptr;
    // Reads the condition fields; false, with the reason and the field, for one it cannot use.
    bool Read_Conditions(TTestConditions *conditions, QString *reason, QLineEdit **field) const;
};

#endif
