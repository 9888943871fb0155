// SPDX-License-Identifier: GPL-3.0-or-later
#include "measurementsetactions.h"

#include <QFileDialog>
#include <QPushButton>
#include <QUndoStack>

#include "conformance.h"
#include "editmeasurementscommand.h"
#include "filewriter.h"
#include "importcommand.h"
#include "measurementsetfile.h"
#include "messagebox.h"
#include "messagetext.h"
#include "notices.h"
#include "resultsfile.h"
#include "resultsmodel.h"
#include "retestcommand.h"
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
        Push(new TImportCommand(document, import.measurements, replace));
    }
    return import.ok;
}

bool TMeasurementSetActions::Update_File(const QString &file_name, QStringList *errors)
{
    Q_ASSERT(errors);
    const TMeasurementSetFile::TImport import =
        TMeasurementSetFile::Read_Measured_Lengths(file_name);
    *errors = import.errors;
    if (!import.ok) {
        return false;
    }
    std::vector<TMeasurementData::TMeasurement> records;
    for (const TMeasurementData::TMeasurement &row : import.measurements) {
        TMeasurementData::TMeasurement record;
        if (!document->Measurement_Data().Get_Measurement(row.id, &record)) {
            *errors << tr("there is no measurement with the id %1").arg(row.id);
            continue;
        }
        record.has_measured_length = row.has_measured_length;
        record.measured_length = row.measured_length;
        records.push_back(record);
    }
    if (!errors->isEmpty()) {
        *errors = TMessageText::Limit(*errors);
        return false;
    }
    Push(new TEditMeasurementsCommand(document, records, TEditMeasurementsCommand::FROM_FILE));
    return true;
}

void TMeasurementSetActions::Paste_Measured(const QList<int> &ids, const QString &text)
{
    std::vector<std::pair<bool, double>> lengths;
    QString error;
    if (!TMeasurementSetFile::Read_Column(text, &lengths, &error)) {
        notices->Show(tr("Nothing was pasted"), error);
        return;
    }
    if (lengths.size() > size_t(ids.size())) {
        notices->Show(
            tr("Nothing was pasted"),
            tr("%1 lengths, but only %2 rows from here down").arg(lengths.size()).arg(ids.size()));
        return;
    }
    std::vector<TMeasurementData::TMeasurement> records;
    for (size_t i = 0; i < lengths.size(); ++i) {
        TMeasurementData::TMeasurement record;
        if (document->Measurement_Data().Get_Measurement(ids[int(i)], &record)) {
            record.has_measured_length = lengths[i].first;
            record.measured_length = lengths[i].first ? lengths[i].second : 0.0;
            records.push_back(record);
        }
    }
    Push(new TEditMeasurementsCommand(document, records, TEditMeasurementsCommand::FROM_PASTE));
}

void TMeasurementSetActions::Clear_Measured(const QList<int> &ids)
{
    std::vector<TMeasurementData::TMeasurement> records;
    for (const int id : ids) {
        TMeasurementData::TMeasurement record;
        if (document->Measurement_Data().Get_Measurement(id, &record) &&
            record.has_measured_length) {
            record.has_measured_length = false;
            record.measured_length = 0.0;
            records.push_back(record);
        }
    }
    if (!records.empty()) {
        Push(new TEditMeasurementsCommand(document, records, TEditMeasurementsCommand::FROM_CLEAR));
    }
}

void TMeasurementSetActions::Generate_Retests()
{
    const TConformance::TStatement statement = results->Conformance();
    const std::vector<TMeasurementData::TMeasurement> retests =
        TConformance::Retests_To_Add(statement, document->Measurement_Data());
    if (!retests.empty()) {
        Push(new TRetestCommand(document, retests));
        return;
    }
    QString reason;
    if (statement.failed > TConformance::most_retested_results) {
        reason = tr("%n measured result(s) fail the MPE; retests are allowed for at most %1, so "
                    "the test does not conform.",
                    nullptr, statement.failed)
                     .arg(TConformance::most_retested_results);
    } else if (statement.failed == 0) {
        reason = tr("No measured result fails the MPE, so no retests are needed.");
    } else {
        reason = tr("Every failing result has its %1 retests already.")
                     .arg(TConformance::retests_per_result);
    }
    notices->Show(tr("Generate Retests"), reason);
}

void TMeasurementSetActions::Push(TStepCommand *command)
{
    TStepCommand::Push_Onto(undo_stack, command);
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
    QPushButton *update = question.addButton(tr("Update measured lengths"), QMessageBox::ApplyRole);
    question.addButton(QMessageBox::Cancel);
    question.setDefaultButton(append);
    question.exec();
    QStringList errors;
    if (question.clickedButton() == update) {
        if (!Update_File(file, &errors)) {
            notices->Show(tr("No measured length was updated"),
                          tr("%1 has errors:\n%2").arg(file, errors.join(QLatin1Char('\n'))));
        }
        return;
    }
    if (question.clickedButton() != append && question.clickedButton() != replace) {
        return;
    }
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
