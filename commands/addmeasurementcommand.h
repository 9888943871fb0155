// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TADDMEASUREMENTCOMMAND_H
#define TADDMEASUREMENTCOMMAND_H

#include "stepcommand.h"

// "+": one measurement appended behind the others.
class TAddMeasurementCommand : public TStepCommand
{
    Q_DECLARE_TR_FUNCTIONS(TAddMeasurementCommand)

public:
    // The record's id must be free.
    TAddMeasurementCommand(TTestDocument *document,
                           const TMeasurementData::TMeasurement &measurement);
};

#endif
