// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TIMPORTCOMMAND_H
#define TIMPORTCOMMAND_H

#include <vector>

#include "stepcommand.h"

// An imported measurement set: appended under new ids where an id is taken, or replacing the
// list.
class TImportCommand : public TStepCommand
{
    Q_DECLARE_TR_FUNCTIONS(TImportCommand)

public:
    TImportCommand(TTestDocument *document,
                   const std::vector<TMeasurementData::TMeasurement> &measurements, bool replace);
};

#endif
