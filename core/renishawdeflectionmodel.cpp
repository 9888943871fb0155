// SPDX-License-Identifier: GPL-3.0-or-later
#include "renishawdeflectionmodel.h"

// The operations below keep the order and grouping that the controller uses; regrouping them
// changes the last bits of the results.

TRenishawDeflectionModel::~TRenishawDeflectionModel() = default;

TVector3 TRenishawDeflectionModel::Calculate_Correction(const TVector3 &position) const
{
    const double y = position.y / 1000.0;
    const double z = position.z / 1000.0;
    TVector3 correction;

    const double rz = RotationZ_Blend23(y, z);
    const double ry = RotationY_Blend11(y, z);
    const double t = parameter1 * y;

    correction.z = y * rz + t;
    correction.y = ry - z * t;
    return correction;
}

double TRenishawDeflectionModel::RotationZ_Blend23(const double &y, const double &z) const
{
    return (((3.0 * parameter3) * y) * z) * z + (((parameter2 + parameter2) * y) * z);
}

double TRenishawDeflectionModel::RotationY_Blend11(const double &y, const double &z) const
{
    return ((((y * parameter3) * z) * z) * z) + (((parameter2 * y) * z) * z);
}
