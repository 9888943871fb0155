// SPDX-License-Identifier: GPL-3.0-or-later
#include "retestcommand.h"

#include "measurementsetfile.h"

TRetestCommand::TRetestCommand(TTestDocument *document_,
                               const std::vector<TMeasurementData::TMeasurement> &retests)
    : TStepCommand(document_, tr("Generate Retests"))
{
    TMeasurementData result = document->Measurement_Data();
    TMeasurementSetFile::Add(retests, false, &result);
    change = TMeasurementChange::Between(document->Measurements(), result.Measurements());
}
