// SPDX-License-Identifier: GPL-3.0-or-later
#include "removemeasurementscommand.h"

#include <algorithm>

TRemoveMeasurementsCommand::TRemoveMeasurementsCommand(TTestDocument *document_,
                                                       const std::vector<int> &ids_)
    : TStepCommand(document_,
                   ids_.size() == 1 ? tr("Delete Measurement") : tr("Delete Measurements"))
{
    const TMeasurementData &store = document->Measurement_Data();
    for (const int id : ids_) {
        TMeasurementData::TMeasurement record;
        if (store.Get_Measurement(id, &record)) {
            removed.emplace_back(store.Position_Of(id), record);
            ids.push_back(id);
        }
    }
    std::sort(removed.begin(), removed.end(),
              [](const auto &a, const auto &b) { return a.first < b.first; });
}

void TRemoveMeasurementsCommand::redo()
{
    document->Remove_Measurements(ids);
}

void TRemoveMeasurementsCommand::undo()
{
    document->Insert_Measurements(removed);
}
