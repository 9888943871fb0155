// SPDX-License-Identifier: GPL-3.0-or-later
#include "deflectionmodel.h"

TDeflectionModel::TDeflectionModel()
    : parameter1(0.0)
    , parameter2(0.0)
    , parameter3(0.0)
    , parameter4(0.0)
    , range_y(1000.0)
    , range_z(1000.0)
{
}

TDeflectionModel::~TDeflectionModel() = default;

void TDeflectionModel::Set_Range_Y(const double &range)
{
    if (range > 1.0) {
        range_y = range;
    }
}

void TDeflectionModel::Set_Range_Z(const double &range)
{
    if (range > 1.0) {
        range_z = range;
    }
}
