// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TCHANGEMODELCOMMAND_H
#define TCHANGEMODELCOMMAND_H

#include "stepcommand.h"

// Choosing another model: the new model takes what the fields show, so the step is done by
// choosing it again; undo puts back the model and the numbers it used.
class TChangeModelCommand : public TStepCommand
{
    Q_DECLARE_TR_FUNCTIONS(TChangeModelCommand)

public:
    TChangeModelCommand(TTestDocument *document, int model_index);

    void redo() override;
    bool Changes_Anything() const override;

private:
    int model_index;
};

#endif
