// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TRENISHAWDEFLECTIONMODEL_H
#define TRENISHAWDEFLECTIONMODEL_H

#include "deflectionmodel.h"

// Tilt (mRad/m) with second- and third-order bends (mm/m2/m, mm/m3/m). No sine is taken and
// the ranges are ignored.
class TRenishawDeflectionModel : public TDeflectionModel
{
public:
    TRenishawDeflectionModel() = default;
    ~TRenishawDeflectionModel() override;

    TVector3 Calculate_Correction(const TVector3 &position) const override;

    // y and z in metres. rz is the derivative of ry with respect to z.
    double RotationZ_Blend23(const double &y, const double &z) const;
    double RotationY_Blend11(const double &y, const double &z) const;
};

#endif
