// SPDX-License-Identifier: GPL-3.0-or-later
#include "editcommand.h"

bool TEditCommand::TFields::operator==(const TFields &other) const
{
    return model_index == other.model_index && mpe == other.mpe && mpe_texts == other.mpe_texts &&
           texts == other.texts && values == other.values;
}

TEditCommand::TEditCommand(const QString &text, int merge_key_, int merge_serial_,
                           const TFields &before_, const TFields &after_,
                           const TMeasurementChange &change_, const TApply &apply_)
    : QUndoCommand(text)
    , merge_key(merge_key_)
    , merge_serial(merge_serial_)
    , before(before_)
    , after(after_)
    , change(change_)
    , apply(apply_)
    , done(true)
{
}

void TEditCommand::undo()
{
    apply(before, change, true);
    done = false;
}

void TEditCommand::redo()
{
    // Pushing the command redoes it, but the user has just done the step.
    if (!done) {
        apply(after, change, false);
    }
    done = true;
}

bool TEditCommand::mergeWith(const QUndoCommand *other)
{
    const TEditCommand *later = dynamic_cast<const TEditCommand *>(other);
    if (!later || later->merge_serial != merge_serial) {
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
