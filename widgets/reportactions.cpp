// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportactions.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "displaywidget.h"
#include "notices.h"
#include "reportdialog.h"
#include "reportwriter.h"
#include "testdocument.h"

TReportActions::TReportActions(TTestDocument *document_, const TDisplayWidget *display_,
                               TNotices *notices_, QWidget *window_)
    : QObject(window_)
    , document(document_)
    , display(display_)
    , notices(notices_)
    , window(window_)
{
}

TReportActions::~TReportActions() = default;

std::unique_ptr<TReportWriter> TReportActions::Report() const
{
    return TReportWriter::Of_Test(*document, display->Exaggeration(), window->font(),
                                  QStringLiteral("2.0"));
}

bool TReportActions::Ask_Details()
{
    const TTestDocument::TReportDetails &details = document->Report_Details();
    TReportDialog dialog(details.title, details.machine, details.operator_name, details.notes,
                         window);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    document->Set_Report_Details(TTestDocument::TReportDetails{
        dialog.Title(), dialog.Machine(), dialog.Operator_Name(), dialog.Notes()});
    return true;
}

void TReportActions::Export()
{
    if (!Ask_Details()) {
        return;
    }
    const QString file = QFileDialog::getSaveFileName(
        window, tr("Export Report"), QString(),
        tr("PDF document (*.pdf);;HTML page (*.html);;Results as CSV (*.csv)"));
    QString error;
    if (!file.isEmpty() && !Report()->Export(file, &error)) {
        notices->Show(tr("The report was not exported"), error);
    }
}

void TReportActions::Print()
{
    if (!Ask_Details()) {
        return;
    }
    QPrinter printer;
    QPrintDialog dialog(&printer, window);
    if (dialog.exec() == QDialog::Accepted) {
        Report()->Print(&printer);
    }
}

void TReportActions::Print_Preview()
{
    if (!Ask_Details()) {
        return;
    }
    const std::unique_ptr<TReportWriter> report = Report();
    QPrintPreviewDialog preview(window);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [&report](QPrinter *printer) { report->Print(printer); });
    preview.exec();
}
