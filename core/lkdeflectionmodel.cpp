// SPDX-License-Identifier: GPL-3.0-or-later
#include "lkdeflectionmodel.h"

#include <cmath>

namespace
{
// Close to, but not exactly, 1e5 * pi / 648000 (arc seconds to radians, times 1e5). The
// controller uses this stored value, so we do too.
const double K = 0.4848136811076367;
} // namespace

// The operations below keep the order and grouping that the controller uses; regrouping them
// changes the last bits of the results.

TLKDeflectionModel::~TLKDeflectionModel() = default;

TVector3 TLKDeflectionModel::Calculate_Correction(const TVector3 &position) const
{
    const double y = position.y / 1000.0;
    const double z = position.z / 1000.0;
    TVector3 correction;

    const double theta = Rotation_YX(y, z);
    const double ty = Translation_Y(y, z);
    const double s = std::sin(theta);

    correction.z = (s * y) * 10.0;
    correction.y = ty + ((0 - z * s) * 10.0);
    return correction;
}

double TLKDeflectionModel::Rotation_YX(const double &y, const double &z) const
{
    return ((z * parameter4) * 1000.0) * (K * (parameter3 * y));
}

double TLKDeflectionModel::Translation_Y(const double &y, const double &z) const
{
    return (((z * parameter2) * 1000.0) * (parameter1 * y)) * 1000.0;
}
