// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TAPPLYFITCOMMAND_H
#define TAPPLYFITCOMMAND_H

#include <vector>

#include "stepcommand.h"

// Apply in the fit dialog: the fitted parameters go into their fields, each written so that
// it reads back as exactly the number the model then uses.
class TApplyFitCommand : public TStepCommand
{
    Q_DECLARE_TR_FUNCTIONS(TApplyFitCommand)

public:
    // The parameters (1 to 4) in free take their values from parameters.
    TApplyFitCommand(TTestDocument *document, const std::vector<int> &free,
                     const double parameters[4]);
};

#endif
