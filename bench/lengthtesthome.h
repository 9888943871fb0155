// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef LENGTHTESTHOME_H
#define LENGTHTESTHOME_H

#include <QDir>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <cmath>
#include <memory>

#include "measurementdata.h"

// A home folder whose ~/.curvalo holds a length test of count measurements as users have them:
// gauges of 650 to 700 mm along Y, Z and both diagonals around the middle of the volume, two
// in three measured, and the Generic model with an MPE.
inline std::unique_ptr<QTemporaryDir> Length_Test_Home(int count)
{
    const double s = std::sqrt(0.5);
    const TVector3 axes[] = {TVector3(0, 1, 0), TVector3(0, 0, 1), TVector3(0, s, s),
                             TVector3(0, s, -s)};
    TMeasurementData data;
    QRandomGenerator random(29);
    for (int id = 1; id <= count; ++id) {
        TMeasurementData::TMeasurement measurement{
            id, TVector3(0, 350.0 + random.bounded(300.0), 350.0 + random.bounded(300.0)),
            axes[id % 4], 650.0 + random.bounded(50.0)};
        measurement.has_measured_length = id % 3 != 0;
        measurement.measured_length = measurement.nominal_length + random.bounded(0.004) - 0.002;
        data.Add_Measurement(measurement);
    }
    auto home = std::make_unique<QTemporaryDir>();
    QDir(home->path()).mkpath(".curvalo");
    if (!data.Save_Data(home->filePath(".curvalo/measurements.xml"))) {
        qFatal("cannot write the measurement file");
    }
    QSettings settings(home->filePath(".curvalo/settings.ini"), QSettings::IniFormat);
    settings.setValue("Deflection_Model", 0);
    settings.setValue("Model_Parameter1", -0.05);
    settings.setValue("Model_Parameter2", -0.01);
    settings.setValue("Model_Parameter3", -0.01);
    settings.setValue("Model_Parameter4", 0.0);
    settings.setValue("MPE/A", "1.5");
    settings.setValue("MPE/K", "333");
    return home;
}

#endif
