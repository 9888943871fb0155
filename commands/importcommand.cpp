// SPDX-License-Identifier: GPL-3.0-or-later
#include "importcommand.h"

#include "measurementsetfile.h"

TImportCommand::TImportCommand(TTestDocument *document_,
                               const std::vector<TMeasurementData::TMeasurement> &measurements,
                               bool replace)
    : TStepCommand(document_, tr("Import Measurements"))
{
    // The list as it will be, with the ids the store hands out, kept as the part that differs.
    TMeasurementData result = document->Measurement_Data();
    TMeasurementSetFile::Add(measurements, replace, &result);
    change = TMeasurementChange::Between(document->Measurements(), result.Measurements());
}
