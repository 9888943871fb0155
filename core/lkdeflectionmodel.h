// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TLKDEFLECTIONMODEL_H
#define TLKDEFLECTIONMODEL_H

#include "deflectionmodel.h"

// The LK controller's ZCRS table, column 1: rows 1, 2 and 4 in mm/mm, row 3 in arc seconds.
// The model ignores the ranges.
class TLKDeflectionModel : public TDeflectionModel
{
public:
    TLKDeflectionModel() = default;
    ~TLKDeflectionModel() override;

    TVector3 Calculate_Correction(const TVector3 &position) const override;

    // y and z in metres.
    double Rotation_YX(const double &y, const double &z) const;
    double Translation_Y(const double &y, const double &z) const;
};

#endif
