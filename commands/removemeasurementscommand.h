// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TREMOVEMEASUREMENTSCOMMAND_H
#define TREMOVEMEASUREMENTSCOMMAND_H

#include <utility>
#include <vector>

#include "stepcommand.h"

// Deleting measurements: undo puts each back where it was.
class TRemoveMeasurementsCommand : public TStepCommand
{
    Q_DECLARE_TR_FUNCTIONS(TRemoveMeasurementsCommand)

public:
    TRemoveMeasurementsCommand(TTestDocument *document, const std::vector<int> &ids);

    void redo() override;
    void undo() override;
    bool Changes_Anything() const override { return !removed.empty(); }

private:
    std::vector<int> ids;
    // The records with their places in the list, in the list's order.
    std::vector<std::pair<size_t, TMeasurementData::TMeasurement>> removed;
};

#endif
