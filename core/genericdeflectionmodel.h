// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TGENERICDEFLECTIONMODEL_H
#define TGENERICDEFLECTIONMODEL_H

#include "deflectionmodel.h"

// Tower rotation (mm/m) and translations in Y and Z (mm) that grow bilinearly with the
// position inside the measuring volume and reach their values at its far corner.
class TGenericDeflectionModel : public TDeflectionModel
{
public:
    TGenericDeflectionModel() = default;
    ~TGenericDeflectionModel() override;

    TVector3 Calculate_Correction(const TVector3 &position) const override;

    // y and z in metres.
    double Rotation_YX(const double &y, const double &z) const;
    double Translation_Y(const double &y, const double &z) const;
    double Translation_Z(const double &y, const double &z) const;

private:
    // The position (m) as a fraction of the range, and a value grown bilinearly to it.
    double Fraction_Y(const double &y) const;
    double Fraction_Z(const double &z) const;
    static double Bilinear(const double &u, const double &v, const double &value);
};

#endif
