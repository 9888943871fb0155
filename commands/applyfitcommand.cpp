// SPDX-License-Identifier: GPL-3.0-or-later
#include "applyfitcommand.h"

#include "numbertext.h"

TApplyFitCommand::TApplyFitCommand(TTestDocument *document_, const std::vector<int> &free,
                                   const double parameters[4])
    : TStepCommand(document_, tr("Apply Fitted Parameters"))
{
    for (const int number : free) {
        if (number < 1 || number > 4) {
            continue;
        }
        const size_t field = size_t(number - 1);
        after.values[field] = parameters[field];
        after.texts[field] = TNumberText::Parameter(parameters[field]);
        after.unused[field] = false;
    }
}
