// SPDX-License-Identifier: GPL-3.0-or-later
#include "newcommand.h"

#include "initcommand.h"

TNewCommand::TNewCommand(TTestDocument *document_)
    : TStepCommand(document_, tr("New"))
{
    after = TInitCommand::Presets(before);
    change = TMeasurementChange::Replacing(0, document->Measurements(), {});
}
