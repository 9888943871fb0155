// SPDX-License-Identifier: GPL-3.0-or-later
#include "editmeasurementscommand.h"

QString TEditMeasurementsCommand::Title(TSource source)
{
    switch (source) {
    case FROM_PASTE:
        return tr("Paste Measured Lengths");
    case FROM_CLEAR:
        return tr("Clear Measured Lengths");
    case FROM_FILE:
        break;
    }
    return tr("Update Measured Lengths");
}

TEditMeasurementsCommand::TEditMeasurementsCommand(
    TTestDocument *document_, const std::vector<TMeasurementData::TMeasurement> &records,
    TSource source)
    : TStepCommand(document_, Title(source))
{
    for (const TMeasurementData::TMeasurement &record : records) {
        TMeasurementData::TMeasurement stored;
        if (document->Measurement_Data().Get_Measurement(record.id, &stored)) {
            before_records.push_back(stored);
            after_records.push_back(record);
        }
    }
}

void TEditMeasurementsCommand::redo()
{
    for (const TMeasurementData::TMeasurement &record : after_records) {
        document->Update_Measurement(record);
    }
}

void TEditMeasurementsCommand::undo()
{
    for (const TMeasurementData::TMeasurement &record : before_records) {
        document->Update_Measurement(record);
    }
}
