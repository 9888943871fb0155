// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TINITCOMMAND_H
#define TINITCOMMAND_H

#include "stepcommand.h"

// Init: the current model's parameters go back to its presets. Without a model nothing
// changes: no model uses the parameters, and the stored ones are kept.
class TInitCommand : public TStepCommand
{
    Q_DECLARE_TR_FUNCTIONS(TInitCommand)

public:
    explicit TInitCommand(TTestDocument *document);

    // The fields after Init, from any fields; New starts from these too.
    static TTestDocument::TFields Presets(const TTestDocument::TFields &fields);
};

#endif
