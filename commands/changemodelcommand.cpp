// SPDX-License-Identifier: GPL-3.0-or-later
#include "changemodelcommand.h"

TChangeModelCommand::TChangeModelCommand(TTestDocument *document_, int model_index_)
    : TStepCommand(document_, tr("Change Deflection Model"))
    , model_index(model_index_)
{
}

void TChangeModelCommand::redo()
{
    document->Set_Model_Index(model_index);
    after = document->Fields();
}

bool TChangeModelCommand::Changes_Anything() const
{
    return model_index != before.model_index;
}
