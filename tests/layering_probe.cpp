// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCoreApplication>
#include <QTextStream>
#include <memory>

#include "deflectionmodel.h"
#include "evaluation.h"
#include "measurementdata.h"
#include "modelcatalog.h"
#include "numbertext.h"

// Loads the measurement file named on the command line and prints, per measurement, its id and
// the length the Generic model with its Init presets makes the machine report.
int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    QTextStream out(stdout);
    if (argc != 2) {
        QTextStream(stderr) << "usage: layering_probe FILE\n";
        return 2;
    }
    TMeasurementData data;
    if (!data.Load_Data(QString::fromLocal8Bit(argv[1]))) {
        QTextStream(stderr) << data.Last_Error() << '\n';
        return 1;
    }
    const TModelCatalog::TModel &generic = *TModelCatalog::Find(TModelCatalog::GENERIC);
    const std::unique_ptr<TDeflectionModel> model(TModelCatalog::Create(generic.type));
    model->Set_Parameter1(TModelCatalog::Preset_Value(generic, 0));
    model->Set_Parameter2(TModelCatalog::Preset_Value(generic, 1));
    model->Set_Parameter3(TModelCatalog::Preset_Value(generic, 2));
    for (const int id : data.Get_Measurement_Ids()) {
        TMeasurementData::TMeasurement measurement;
        data.Get_Measurement(id, &measurement);
        out << id << ' '
            << TNumberText::Shortest(TEvaluation::Actual_Length(
                   model.get(), measurement.position, measurement.axis, measurement.nominal_length))
            << '\n';
    }
    return 0;
}
