// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef SIMULATEDMACHINE_H
#define SIMULATEDMACHINE_H

#include <QRandomGenerator>
#include <QVector>
#include <cmath>
#include <memory>
#include <vector>

#include "deflectionmodel.h"
#include "evaluation.h"
#include "measurementdata.h"
#include "modelcatalog.h"
#include "testplan.h"

// Machines that follow a model exactly, for the tests of the fit and the comparison.

// The lengths a machine with these parameters measures over a plan, made through the model
// itself, with normal noise of the given standard deviation (µm) when asked for.
inline TMeasurementData Measured_Plan(int model_type, const QVector<double> &truth,
                                      const std::vector<TMeasurementData::TMeasurement> &plan,
                                      const double &noise = 0.0)
{
    const std::unique_ptr<TDeflectionModel> model(TModelCatalog::Create(model_type));
    model->Set_Parameter1(truth[0]);
    model->Set_Parameter2(truth[1]);
    model->Set_Parameter3(truth[2]);
    model->Set_Parameter4(truth[3]);
    QRandomGenerator random(20261207);
    TMeasurementData data;
    TTestPlan::Append(plan, &data);
    for (TMeasurementData::TMeasurement measurement : data.Measurements()) {
        measurement.has_measured_length = true;
        measurement.measured_length = TEvaluation::Actual_Length(
            model.get(), measurement.position, measurement.axis, measurement.nominal_length);
        if (noise > 0.0) {
            // Box-Muller
            const double u1 = 1.0 - random.generateDouble();
            const double u2 = random.generateDouble();
            measurement.measured_length +=
                noise * 1e-3 * std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * M_PI * u2);
        }
        data.Update_Measurement(measurement);
    }
    return data;
}

// Lines through the centre determine the Generic model's tower rotation only through tiny
// second-order effects (along them it acts like the two translations); lines along Y and Z
// at a fifth and four fifths of the 1000 mm volume tell it apart clearly.
inline std::vector<TMeasurementData::TMeasurement> Determining_Plan(int repeats)
{
    std::vector<TMeasurementData::TMeasurement> plan =
        TTestPlan(1000.0, 1000.0).Measurements({}, repeats, nullptr);
    for (const double offset : {200.0, 800.0}) {
        for (TMeasurementData::TMeasurement m :
             TTestPlan(1000.0, 1000.0).Measurements({300, 700}, repeats, nullptr)) {
            if (m.axis.y == 1.0) {
                m.position.z = offset;
                plan.push_back(m);
            } else if (m.axis.z == 1.0) {
                m.position.y = offset;
                plan.push_back(m);
            }
        }
    }
    return plan;
}

#endif
