// SPDX-License-Identifier: GPL-3.0-or-later
#include "newcommand.h"

#include "initcommand.h"

TNewCommand::TNewCommand(TTestDocument *document_)
    : TStepCommand(document_, tr("New"))
{
    after = TInitCommand::Presets(before);
    // A new test: the other models start from their presets too.
    after.other_models.clear();
    change = TMeasurementChange::Replacing(0, document->Measurements(), {});
}
