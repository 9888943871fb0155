// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TNEWCOMMAND_H
#define TNEWCOMMAND_H

#include "stepcommand.h"

// New: every measurement goes, and the parameters go back to their presets as Init sets them.
class TNewCommand : public TStepCommand
{
    Q_DECLARE_TR_FUNCTIONS(TNewCommand)

public:
    explicit TNewCommand(TTestDocument *document);
};

#endif
