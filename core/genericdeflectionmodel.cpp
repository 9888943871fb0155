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

    // Where the position lies in the volume, worked out once for all three terms: the same
    // values each term would work out on its own.
    const double u = Fraction_Y(y);
    const double v = Fraction_Z(z);
    const double theta = Bilinear(u, v, parameter1);
    const double ty = Bilinear(u, v, parameter2);
    const double tz = Bilinear(u, v, parameter3);
    // The rotation in mm/m goes into the sine as it is, without conversion.
    const double s = std::sin(theta);

    correction.y = (0 - z * s) - ty;
    correction.z = tz + y * s;
    return correction;
}

double TGenericDeflectionModel::Rotation_YX(const double &y, const double &z) const
{
    return Bilinear(Fraction_Y(y), Fraction_Z(z), parameter1);
}

double TGenericDeflectionModel::Translation_Y(const double &y, const double &z) const
{
    return Bilinear(Fraction_Y(y), Fraction_Z(z), parameter2);
}

double TGenericDeflectionModel::Translation_Z(const double &y, const double &z) const
{
    return Bilinear(Fraction_Y(y), Fraction_Z(z), parameter3);
}

double TGenericDeflectionModel::Fraction_Y(const double &y) const
{
    return y / (range_y / 1000.0);
}

double TGenericDeflectionModel::Fraction_Z(const double &z) const
{
    return z / (range_z / 1000.0);
}

double TGenericDeflectionModel::Bilinear(const double &u, const double &v, const double &value)
{
    return (u * value) * v;
}
