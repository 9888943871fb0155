// SPDX-License-Identifier: GPL-3.0-or-later
#include "stepcommand.h"

TStepCommand::TStepCommand(TTestDocument *document_, const QString &text, int merge_key_,
                           int merge_serial_)
    : QUndoCommand(text)
    , document(document_)
    , before(document_->Fields())
    , after(document_->Fields())
    , merge_key(merge_key_)
    , merge_serial(merge_serial_)
{
    Q_ASSERT(document);
}

void TStepCommand::redo()
{
    if (document->Fields() != after) {
        document->Set_Fields(after);
    }
    document->Apply_Change(change, false);
}

void TStepCommand::undo()
{
    document->Apply_Change(change, true);
    if (document->Fields() != before) {
        document->Set_Fields(before);
    }
}

bool TStepCommand::Changes_Anything() const
{
    return before != after || !change.Is_Empty();
}

void TStepCommand::Push_Onto(QUndoStack *stack, TStepCommand *command)
{
    if (command->Changes_Anything()) {
        stack->push(command);
    } else {
        delete command;
    }
}

bool TStepCommand::mergeWith(const QUndoCommand *other)
{
    const TStepCommand *later = dynamic_cast<const TStepCommand *>(other);
    if (!later || later->merge_key != merge_key || later->merge_serial != merge_serial) {
        return false;
    }
    TMeasurementChange merged = change;
    if (!merged.Merge(later->change)) {
        return false;
    }
    change = merged;
    after = later->after;
    // Typed back to where it started: the step goes from the stack.
    setObsolete(change.Is_Empty() && before == after);
    return true;
}
