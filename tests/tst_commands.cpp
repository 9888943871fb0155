// SPDX-License-Identifier: GPL-3.0-or-later
#include <QUndoStack>
#include <QtTest>
#include <memory>

#include "addmeasurementcommand.h"
#include "applyfitcommand.h"
#include "changemodelcommand.h"
#include "deflectionmodel.h"
#include "editfieldcommand.h"
#include "editmeasurementcommand.h"
#include "editmpecommand.h"
#include "importcommand.h"
#include "initcommand.h"
#include "newcommand.h"
#include "plancommand.h"
#include "removemeasurementscommand.h"
#include "testdocument.h"

namespace
{
TMeasurementData::TMeasurement Record(int id, double y)
{
    return TMeasurementData::TMeasurement{id, TVector3(0.0, y, 500.0), TVector3(0.0, 1.0, 0.0),
                                          200.0};
}

enum TKind {
    EDIT_FIELD,
    EDIT_MPE,
    CHANGE_MODEL,
    INIT,
    NEW,
    APPLY_FIT,
    ADD,
    EDIT_MEASUREMENT,
    REMOVE,
    IMPORT,
    PLAN
};

TStepCommand *Make(TKind kind, TTestDocument *document)
{
    const double fitted[4] = {0.125, -0.5, 0.25, 0.0};
    switch (kind) {
    case EDIT_FIELD:
        return new TEditFieldCommand(document, TTestDocument::FIELD_PARAMETER2, "0.3", 0);
    case EDIT_MPE:
        return new TEditMpeCommand(document, TMpe(2.0, 250.0), {"2", "250", ""}, 0);
    case CHANGE_MODEL:
        return new TChangeModelCommand(document, 2);
    case INIT:
        return new TInitCommand(document);
    case NEW:
        return new TNewCommand(document);
    case APPLY_FIT:
        return new TApplyFitCommand(document, {1, 3}, fitted);
    case ADD:
        return new TAddMeasurementCommand(document, Record(document->Free_Id(), 1.0));
    case EDIT_MEASUREMENT:
        return new TEditMeasurementCommand(document, Record(3, 7.0),
                                           TEditMeasurementCommand::FROM_EDITOR, 0);
    case REMOVE:
        return new TRemoveMeasurementsCommand(document, {4, 2});
    case IMPORT:
        return new TImportCommand(document, {Record(2, 9.0), Record(40, 9.0)}, false);
    default:
        return new TPlanCommand(document, {Record(0, 1.0), Record(0, 2.0)}, true);
    }
}
} // namespace

// Every kind of undoable step on a test document: it does what it says, undo puts the test
// back exactly and redo does the step again; typing into one field is one step.
class TTestCommands : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void Undo_And_Redo_data();
    void Undo_And_Redo();
    void Typing_Merges_Into_One_Step();
    void Typing_Back_Leaves_No_Step();

private:
    std::unique_ptr<TTestDocument> document;
};

void TTestCommands::init()
{
    document = std::make_unique<TTestDocument>();
    document->Set_Model_Index(0);
    document->Set_Field(TTestDocument::FIELD_PARAMETER2, QStringLiteral("0.02"), 0.02);
    for (int id = 1; id <= 5; ++id) {
        document->Add_Measurement(Record(id, 100.0 * id));
    }
}

void TTestCommands::Undo_And_Redo_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::newRow("edit a field") << int(EDIT_FIELD) << "Edit Correction Y";
    QTest::newRow("edit the MPE") << int(EDIT_MPE) << "Edit MPE";
    QTest::newRow("change the model") << int(CHANGE_MODEL) << "Change Deflection Model";
    QTest::newRow("init") << int(INIT) << "Init";
    QTest::newRow("new") << int(NEW) << "New";
    QTest::newRow("apply a fit") << int(APPLY_FIT) << "Apply Fitted Parameters";
    QTest::newRow("add") << int(ADD) << "Add Measurement";
    QTest::newRow("edit a measurement") << int(EDIT_MEASUREMENT) << "Edit Measurement 3";
    QTest::newRow("remove") << int(REMOVE) << "Delete Measurements";
    QTest::newRow("import") << int(IMPORT) << "Import Measurements";
    QTest::newRow("plan") << int(PLAN) << "Generate Test Plan";
}

void TTestCommands::Undo_And_Redo()
{
    QFETCH(int, kind);
    QFETCH(QString, text);

    const TTestDocument::TFields fields_before = document->Fields();
    const std::vector<TMeasurementData::TMeasurement> records_before = document->Measurements();
    TStepCommand *command = Make(TKind(kind), document.get());
    QVERIFY(command->Changes_Anything());
    QCOMPARE(command->text(), text);
    QUndoStack stack;
    stack.push(command);
    const TTestDocument::TFields fields_after = document->Fields();
    const std::vector<TMeasurementData::TMeasurement> records_after = document->Measurements();
    QVERIFY(fields_after != fields_before || records_after != records_before);

    stack.undo();
    QVERIFY(document->Fields() == fields_before);
    QVERIFY(document->Measurements() == records_before);
    QCOMPARE(document->Model()->Parameter2(), 0.02);
    stack.redo();
    QVERIFY(document->Fields() == fields_after);
    QVERIFY(document->Measurements() == records_after);
}

void TTestCommands::Typing_Merges_Into_One_Step()
{
    QUndoStack stack;
    for (const char *text : {"0", "0.", "0.5"}) {
        stack.push(new TEditFieldCommand(document.get(), TTestDocument::FIELD_PARAMETER1, text, 3));
    }
    QCOMPARE(stack.count(), 1);
    QCOMPARE(document->Model()->Parameter1(), 0.5);
    // Leaving the field (a new serial) starts the next step.
    stack.push(new TEditFieldCommand(document.get(), TTestDocument::FIELD_PARAMETER1, "0.55", 4));
    QCOMPARE(stack.count(), 2);
    stack.undo();
    QCOMPARE(document->Field_Text(TTestDocument::FIELD_PARAMETER1), QStringLiteral("0.5"));
    stack.undo();
    QCOMPARE(document->Field_Text(TTestDocument::FIELD_PARAMETER1), QStringLiteral("0.0000"));
    QCOMPARE(document->Model()->Parameter1(), 0.0);

    // Text that is no number keeps the number in use, and undo brings back both.
    stack.push(new TEditFieldCommand(document.get(), TTestDocument::FIELD_PARAMETER1, "x", 5));
    QCOMPARE(document->Field_Text(TTestDocument::FIELD_PARAMETER1), QStringLiteral("x"));
    QCOMPARE(document->Model()->Parameter1(), 0.0);

    // The editor's keystrokes into one measurement are one step too.
    stack.push(new TEditMeasurementCommand(document.get(), Record(2, 1.0),
                                           TEditMeasurementCommand::FROM_EDITOR, 6));
    stack.push(new TEditMeasurementCommand(document.get(), Record(2, 12.0),
                                           TEditMeasurementCommand::FROM_EDITOR, 6));
    QCOMPARE(stack.count(), 2);
    stack.undo();
    TMeasurementData::TMeasurement restored;
    QVERIFY(document->Measurement_Data().Get_Measurement(2, &restored));
    QVERIFY(restored == Record(2, 200.0));
}

void TTestCommands::Typing_Back_Leaves_No_Step()
{
    QUndoStack stack;
    stack.push(new TEditFieldCommand(document.get(), TTestDocument::FIELD_RANGE_Y, "1000.0001", 1));
    stack.push(new TEditFieldCommand(document.get(), TTestDocument::FIELD_RANGE_Y, "1000.000", 1));
    QCOMPARE(stack.count(), 0);
    QVERIFY(!TChangeModelCommand(document.get(), 0).Changes_Anything());
    QVERIFY(!TEditMeasurementCommand(document.get(), Record(1, 100.0),
                                     TEditMeasurementCommand::FROM_TABLE, 0)
                 .Changes_Anything());
}

QTEST_GUILESS_MAIN(TTestCommands)
#include "tst_commands.moc"
