// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TMEASUREMENTSETACTIONS_H
#define TMEASUREMENTSETACTIONS_H

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class QUndoStack;
class QWidget;
class TNotices;
class TResultsModel;
class TStepCommand;
class TTestDocument;

// File ▸ Import Measurements… and Export Measurements…: sets of measurements as measurement
// files or CSV. An import is one undoable step; a file with errors imports nothing. Also the
// steps that add or clear many measurements at once: pasted lengths, retests.
class TMeasurementSetActions : public QObject
{
    Q_OBJECT

public:
    TMeasurementSetActions(TTestDocument *document, const TResultsModel *results,
                           QUndoStack *undo_stack, TNotices *notices, QWidget *window);
    ~TMeasurementSetActions() override;

    // Appends the file's measurements (new ids where an id is taken) or replaces the list
    // with them; false, with the errors by line, and nothing imported, when it has any.
    bool Import_File(const QString &file_name, bool replace, QStringList *errors);
    // Sets the measured lengths of the measurements the file's rows name by id, as one step;
    // false, with the errors, and nothing changed, when any row is bad or names no
    // measurement of the test.
    bool Update_File(const QString &file_name, QStringList *errors);
    // The measurement file, or the results as CSV for a name ending in ".csv".
    bool Export_File(const QString &file_name, QString *error) const;

public slots:
    void Import();
    void Export();
    // A column of measured lengths pasted into the Results table, for these measurements in
    // this order, as one step; nothing is pasted when a line is no length.
    void Paste_Measured(const QList<int> &ids, const QString &text);
    // Clears the measured lengths of these measurements, as one step.
    void Clear_Measured(const QList<int> &ids);
    // Tools ▸ Generate Retests: ten retests for each failing result, as one step, or a
    // notice why there are none to add.
    void Generate_Retests();

private:
    // Puts a step on the undo stack, which does it; a step that changes nothing is dropped.
    void Push(TStepCommand *command);

    TTestDocument *document;
    const TResultsModel *results;
    QUndoStack *undo_stack;
    TNotices *notices;
    QWidget *window;
};

#endif
