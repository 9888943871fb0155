// SPDX-License-Identifier: GPL-3.0-or-later
#include "measurementsetactions.h"

#include <QFileDialog>
#include <QPushButton>
#include <QUndoStack>

#include "filewriter.h"
#include "importcommand.h"
#include "measurementsetfile.h"
#include "messagebox.h"
#include "notices.h"
#include "resultsfile.h"
#include "resultsmodel.h"
#include "testdocument.h"

TMeasurementSetActions::TMeasurementSetActions(TTestDocument *document_,
                                               const TResultsModel *results_,
                                               QUndoStack *undo_stack_, TNotices *notices_,
                                               QWidget *window_)
    : QObject(window_)
    , document(document_)
    , results(results_)
    , undo_stack(undo_stack_)
    , notices(notices_)
    , window(window_)
{
}

TMeasurementSetActions::~TMeasurementSetActions() = default;

bool TMeasurementSetActions::Import_File(const QString &file_name, bool replace,
                                         QStringList *errors)
{
    Q_ASSERT(errors);
    const TMeasurementSetFile::TImport import = TMeasurementSetFile::Read(file_name);
    *errors = import.errors;
    if (import.ok) {
        auto *command = new TImportCommand(document, import.measurements, replace);
        if (command->Changes_Anything()) {
            undo_stack->push(command);
        } else {
            delete command;
        }
    }
    return import.ok;
}

bool TMeasurementSetActions::Export_File(const QString &file_name, QString *error) const
{
    Q_ASSERT(error);
    const QByteArray content = file_name.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive)
                                   ? TResultsFile::Csv(results->Results())
                                   : document->Measurement_Data().File_Data();
    return TFileWriter::Export(file_name, content, error);
}

void TMeasurementSetActions::Import()
{
    const QString file =
        QFileDialog::getOpenFileName(window, tr("Import Measurements"), QString(),
                                     tr("Measurements (*.xml *.csv);;All files (*)"));
    if (file.isEmpty()) {
        return;
    }
    TMessageBox question(window);
    question.setWindowTitle(QStringLiteral("Curvalo"));
    question.setText(tr("Import Measurements"));
    question.setInformativeText(tr("Append the measurements of the file to the list, or replace "
                                   "the list with them?"));
    question.setIcon(QMessageBox::Question);
    QPushButton *append = question.addButton(tr("Append"), QMessageBox::AcceptRole);
    QPushButton *replace = question.addButton(tr("Replace"), QMessageBox::DestructiveRole);
    question.addButton(QMessageBox::Cancel);
    question.setDefaultButton(append);
    question.exec();
    if (question.clickedButton() != append && question.clickedButton() != replace) {
        return;
    }
    QStringList errors;
    if (!Import_File(file, question.clickedButton() == replace, &errors)) {
        notices->Show(tr("Nothing was imported"),
                      tr("%1 has errors:\n%2").arg(file, errors.join(QLatin1Char('\n'))));
    }
}

void TMeasurementSetActions::Export()
{
    const QString file =
        QFileDialog::getSaveFileName(window, tr("Export Measurements"), QString(),
                                     tr("Measurement file (*.xml);;CSV with the results (*.csv)"));
    QString error;
    if (!file.isEmpty() && !Export_File(file, &error)) {
        notices->Show(tr("The measurements were not exported"), error);
    }
}
