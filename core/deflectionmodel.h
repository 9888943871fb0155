// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TDEFLECTIONMODEL_H
#define TDEFLECTIONMODEL_H

#include "vector3.h"

// A deflection model turns a nominal machine position (mm) into the correction (mm) that the
// machine's structural deflection produces there, in the Y-Z plane. The four parameters are in
// the units of the concrete model; nothing converts them.
class TDeflectionModel
{
public:
    TDeflectionModel();
    virtual ~TDeflectionModel() = 0;

    TDeflectionModel(const TDeflectionModel &) = delete;
    TDeflectionModel &operator=(const TDeflectionModel &) = delete;

    // The correction's X is always 0 and the position's X is never read.
    virtual TVector3 Calculate_Correction(const TVector3 &position) const = 0;

    double Parameter1() const { return parameter1; }
    double Parameter2() const { return parameter2; }
    double Parameter3() const { return parameter3; }
    double Parameter4() const { return parameter4; }

    void Set_Parameter1(const double &value) { parameter1 = value; }
    void Set_Parameter2(const double &value) { parameter2 = value; }
    void Set_Parameter3(const double &value) { parameter3 = value; }
    void Set_Parameter4(const double &value) { parameter4 = value; }

    double Range_Y() const { return range_y; }
    double Range_Z() const { return range_z; }

    // Ranges of 1 mm or less (and NaN) are ignored, so a model that divides by a range never
    // divides by less than 1 mm.
    void Set_Range_Y(const double &range);
    void Set_Range_Z(const double &range);

protected:
    double parameter1;
    double parameter2;
    double parameter3;
    double parameter4;
    double range_y; // mm
    double range_z; // mm
};

#endif
