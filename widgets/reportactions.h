// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TREPORTACTIONS_H
#define TREPORTACTIONS_H

#include <QObject>
#include <memory>

#include "reportwriter.h"

class QProgressDialog;
class QWidget;
class TDisplayWidget;
class TNotices;
class TTestDocument;

// File ▸ Export Report…, Print… and Print Preview…: each first asks what the report says
// about the test (remembered in the test), then writes, prints or shows the record.
class TReportActions : public QObject
{
    Q_OBJECT

public:
    TReportActions(TTestDocument *document, const TDisplayWidget *display, TNotices *notices,
                   QWidget *window);
    ~TReportActions() override;

    // The record of the test as it stands, with the drawing as the display shows it.
    std::unique_ptr<TReportWriter> Report() const;

public slots:
    void Export();
    void Print();
    void Print_Preview();
    // File ▸ Test Details…: the machine, the test and its conditions, as the record states them.
    void Edit_Test_Details();

private:
    // Shows how far the results are and lets the user stop them.
    static TReportWriter::TProgress Progress(QProgressDialog *dialog);
    // Asks for the report's title, machine, operator and notes; false when cancelled.
    bool Ask_Details();

    TTestDocument *document;
    const TDisplayWidget *display;
    TNotices *notices;
    QWidget *window;
};

#endif
