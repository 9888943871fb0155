// SPDX-License-Identifier: GPL-3.0-or-later
#include "genericdeflectionmodel.h"

#include <cmath>

// The operations below keep the order and grouping that the controllers use; regrouping them
// changes the last bits of the results.

TGenericDeflectionModel::~TGenericDeflectionModel() = default;

TVector3 TGenericDeflectionModel::Calculate_Correction(const TVector3 &position) const
{
    const double y = position.y / 1000.0;
    const double z = position.z / 1000.0;
    TVector3 correction;

    const double theta = Rotation_YX(y, z);
    const double ty = Translation_Y(y, z);
    const double tz = Translation_Z(y, z);
    // The rotation in mm/m goes into the sine as it is, without conversion.
    const double s = std::sin(theta);

    correction.y = (0 - z * s) - ty;
    correction.z = tz + y * s;
    return correction;
}

double TGenericDeflectionModel::Rotation_YX(const double &y, const double &z) const
{
    const double u = y / (range_y / 1000.0);
    const double v = z / (range_z / 1000.0);
    return (u * parameter1) * v;
}

double TGenericDeflectionModel::Translation_Y(const double &y, const double &z) const
{
    const double u = y / (range_y / 1000.0);
    const double v = z / (range_z / 1000.0);
    return (u * parameter2) * v;
}

double TGenericDeflectionModel::Translation_Z(const double &y, const double &z) const
{
    const double u = y / (range_y / 1000.0);
    const double v = z / (range_z / 1000.0);
    return (u * parameter3) * v;
}
