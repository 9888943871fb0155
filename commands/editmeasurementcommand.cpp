// SPDX-License-Identifier: GPL-3.0-or-later
#include "editmeasurementcommand.h"

namespace
{
QString Step_Text(TEditMeasurementCommand::TSource source, int id)
{
    return source == TEditMeasurementCommand::FROM_EDITOR
               ? TEditMeasurementCommand::tr("Edit Measurement %1").arg(id)
               : TEditMeasurementCommand::tr("Edit Measured Length of Measurement %1").arg(id);
}
} // namespace

TEditMeasurementCommand::TEditMeasurementCommand(TTestDocument *document_,
                                                 const TMeasurementData::TMeasurement &measurement,
                                                 TSource source, int merge_serial)
    : TStepCommand(document_, Step_Text(source, measurement.id),
                   source == FROM_EDITOR ? MERGE_EDITOR : -1, merge_serial)
{
    TMeasurementData::TMeasurement stored;
    if (document->Measurement_Data().Get_Measurement(measurement.id, &stored) &&
        stored != measurement) {
        change = TMeasurementChange::Replacing(
            document->Measurement_Data().Position_Of(measurement.id), {stored}, {measurement});
    }
}
