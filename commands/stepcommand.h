// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TSTEPCOMMAND_H
#define TSTEPCOMMAND_H

#include <QUndoCommand>
#include <QUndoStack>

#include "measurementchange.h"
#include "testdocument.h"

// One step the user can undo: the fields of the test before and after it, and what it did to
// the list of measurements. A kind of step is a class of its own that works out its "after"
// when it is made; the first redo() then does the step on the document, undo() puts the
// document back. Steps with the same merge key and serial in a row (typing into one field)
// become one.
class TStepCommand : public QUndoCommand
{
public:
    void undo() override;
    void redo() override;
    int id() const override { return merge_key; }
    bool mergeWith(const QUndoCommand *other) override;

    // False for a step that would leave the test as it is; such a step is not pushed.
    virtual bool Changes_Anything() const;
    // Pushes the step, which does it; a step that changes nothing is dropped instead.
    static void Push_Onto(QUndoStack *stack, TStepCommand *command);

protected:
    // A merge key of -1 never merges.
    TStepCommand(TTestDocument *document, const QString &text, int merge_key = -1,
                 int merge_serial = 0);

    // The keys of the steps that merge while the user types.
    enum TMergeKey : int {
        MERGE_FIELD = 1, // up to MERGE_FIELD + 5, one per field
        MERGE_EDITOR = 7,
        MERGE_MPE = 8
    };

    TTestDocument *const document;
    TTestDocument::TFields before;
    TTestDocument::TFields after;
    TMeasurementChange change;

private:
    int merge_key;
    int merge_serial;
};

#endif
