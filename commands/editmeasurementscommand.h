// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TEDITMEASUREMENTSCOMMAND_H
#define TEDITMEASUREMENTSCOMMAND_H

#include <vector>

#include "stepcommand.h"

// Several measurements overwritten in one step, wherever they stand in the list: measured
// lengths pasted into the Results table or cleared there, or updated from a file.
class TEditMeasurementsCommand : public TStepCommand
{
    Q_DECLARE_TR_FUNCTIONS(TEditMeasurementsCommand)

public:
    enum TSource { FROM_PASTE, FROM_CLEAR, FROM_FILE };

    // Each record replaces the one with its id; ids not in the test are skipped.
    TEditMeasurementsCommand(TTestDocument *document,
                             const std::vector<TMeasurementData::TMeasurement> &records,
                             TSource source);

    void redo() override;
    void undo() override;
    bool Changes_Anything() const override { return after_records != before_records; }

private:
    static QString Title(TSource source);

    std::vector<TMeasurementData::TMeasurement> before_records;
    std::vector<TMeasurementData::TMeasurement> after_records;
};

#endif
