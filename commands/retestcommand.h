// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TRETESTCOMMAND_H
#define TRETESTCOMMAND_H

#include <vector>

#include "stepcommand.h"

// Tools ▸ Generate Retests: the retests the retest rule asks for, appended under free ids.
class TRetestCommand : public TStepCommand
{
    Q_DECLARE_TR_FUNCTIONS(TRetestCommand)

public:
    TRetestCommand(TTestDocument *document,
                   const std::vector<TMeasurementData::TMeasurement> &retests);
};

#endif
