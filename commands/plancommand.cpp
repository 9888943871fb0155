// SPDX-License-Identifier: GPL-3.0-or-later
#include "plancommand.h"

#include "testplan.h"

TPlanCommand::TPlanCommand(TTestDocument *document_,
                           const std::vector<TMeasurementData::TMeasurement> &plan, bool replace)
    : TStepCommand(document_, tr("Generate Test Plan"))
{
    TMeasurementData result;
    if (!replace) {
        result = document->Measurement_Data();
    }
    TTestPlan::Append(plan, &result);
    change = TMeasurementChange::Between(document->Measurements(), result.Measurements());
}
