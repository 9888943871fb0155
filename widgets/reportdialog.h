// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TREPORTDIALOG_H
#define TREPORTDIALOG_H

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;

// What a calibration report says about itself: title, machine, operator and notes. The window
// remembers them for the next report.
class TReportDialog : public QDialog
{
    Q_OBJECT

public:
    TReportDialog(const QString &title, const QString &machine, const QString &operator_name,
                  const QString &notes, const QWidget *parent = nullptr,
                  Qt::WindowFlags flags = Qt::WindowFlags());
    ~TReportDialog() override;

    QString Title() const;
    QString Machine() const;
    QString Operator_Name() const;
    QString Notes() const;

private:
    QLineEdit *title_edit;
    QLineEdit *machine_edit;
    QLineEdit *operator_edit;
    QPlainTextEdit *notes_edit;
};

#endif
