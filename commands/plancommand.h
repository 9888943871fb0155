// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TPLANCOMMAND_H
#define TPLANCOMMAND_H

#include <vector>

#include "stepcommand.h"

// A generated test plan: its measurements under new ids behind the others, or instead of them.
class TPlanCommand : public TStepCommand
{
    Q_DECLARE_TR_FUNCTIONS(TPlanCommand)

public:
    TPlanCommand(TTestDocument *document, const std::vector<TMeasurementData::TMeasurement> &plan,
                 bool replace);
};

#endif
