// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TTESTDETAILSDIALOG_H
#define TTESTDETAILSDIALOG_H

#include <QDialog>
#include <array>

#include "testdocument.h"

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
    ~TTestDetailsDialog() override;

    // The details as the fields now hold them.
    TTestDocument::TReportDetails Details() const;

private:
    // The one-line fields, in the order they stand.
    std::array<QLineEdit *, 9> edits;
    QPlainTextEdit *notes_edit;
};

#endif
