// SPDX-License-Identifier: GPL-3.0-or-later
#include "addmeasurementcommand.h"

TAddMeasurementCommand::TAddMeasurementCommand(TTestDocument *document_,
                                               const TMeasurementData::TMeasurement &measurement)
    : TStepCommand(document_, tr("Add Measurement"))
{
    Q_ASSERT(!document->Measurement_Data().Measurement_Id_Exists(measurement.id));
    change = TMeasurementChange::Replacing(document->Measurements().size(), {}, {measurement});
}
