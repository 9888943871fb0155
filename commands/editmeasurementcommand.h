// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TEDITMEASUREMENTCOMMAND_H
#define TEDITMEASUREMENTCOMMAND_H

#include "stepcommand.h"

// One measurement overwritten in place: typing into the editor (keystrokes merge until the
// editor is left or another measurement is chosen) or a measured length in the Results table.
class TEditMeasurementCommand : public TStepCommand
{
    Q_DECLARE_TR_FUNCTIONS(TEditMeasurementCommand)

public:
    enum TSource { FROM_EDITOR, FROM_TABLE };

    // The record with the same id becomes this one.
    TEditMeasurementCommand(TTestDocument *document,
                            const TMeasurementData::TMeasurement &measurement, TSource source,
                            int merge_serial);
};

#endif
