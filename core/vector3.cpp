// SPDX-License-Identifier: GPL-3.0-or-later
#include "vector3.h"

#include <cmath>

double TVector3::operator()(int index) const
{
    return const_cast<TVector3 *>(this)->operator()(index);
}

double &TVector3::operator()(int index)
{
    switch (index) {
    case 0:
        return x;
    case 1:
        return y;
    case 2:
        return z;
    default:
        break;
    }
    Q_ASSERT(false);
    return x;
}

double TVector3::Length() const
{
    return std::sqrt(x * x + y * y + z * z);
}

TVector3 &TVector3::Normal()
{
    const double length = Length();
    Q_ASSERT(length > std::numeric_limits<double>::epsilon());
    x /= length;
    y /= length;
    z /= length;
    return *this;
}

TVector3 &TVector3::operator*=(const TVector3 &v)
{
    *this = *this * v;
    return *this;
}

double operator^(const TVector3 &v, const TVector3 &w)
{
    return v.x * w.x + v.y * w.y + v.z * w.z;
}

TVector3 operator/(const TVector3 &v, const double &d)
{
    TVector3 result(v);
    result /= d;
    return result;
}
