// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportactions.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>

#include "displaywidget.h"
#include "notices.h"
#include "reportdialog.h"
#include "reportwriter.h"
#include "testdetailsdialog.h"
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

TReportWriter::TProgress TReportActions::Progress(QProgressDialog *dialog)
{
    dialog->setWindowModality(Qt::WindowModal);
    // Short reports are done before the dialog would show.
    dialog->setMinimumDuration(500);
    return [dialog](int done, int total) {
        dialog->setMaximum(total);
        dialog->setValue(done);
        QCoreApplication::processEvents();
        return !dialog->wasCanceled();
    };
}

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
    TTestDocument::TReportDetails changed = details;
    changed.title = dialog.Title();
    changed.machine = dialog.Machine();
    changed.operator_name = dialog.Operator_Name();
    changed.notes = dialog.Notes();
    document->Set_Report_Details(changed);
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
    if (file.isEmpty()) {
        return;
    }
    QProgressDialog progress(tr("Writing the report\u2026"), tr("Cancel"), 0, 0, window);
    QString error;
    if (!Report()->Export(file, &error, Progress(&progress)) && !progress.wasCanceled()) {
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
        QProgressDialog progress(tr("Printing the report\u2026"), tr("Cancel"), 0, 0, window);
        if (!Report()->Print(&printer, Progress(&progress))) {
            printer.abort();
        }
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

void TReportActions::Edit_Test_Details()
{
    TTestDetailsDialog dialog(document->Report_Details(), document->Conditions(), window);
    if (dialog.exec() == QDialog::Accepted) {
        document->Set_Report_Details(dialog.Details());
        document->Set_Conditions(dialog.Conditions());
    }
}
