// SPDX-License-Identifier: GPL-3.0-or-later
#include "vector2.h"

#include <cmath>

double TVector2::operator()(int index) const
{
    return const_cast<TVector2 *>(this)->operator()(index);
}

double &TVector2::operator()(int index)
{
    switch (index) {
    case 0:
        return x;
    case 1:
        return y;
    default:
        break;
    }
    Q_ASSERT(false);
    return x;
}

double TVector2::Length() const
{
    return std::sqrt(x * x + y * y);
}

TVector2 &TVector2::Normal()
{
    const double length = Length();
    Q_ASSERT(length > std::numeric_limits<double>::epsilon());
    x /= length;
    y /= length;
    return *this;
}

bool TVector2::Is_Point_In_Triangle(const TVector2 &point, const TVector2 &a, const TVector2 &b,
                                    const TVector2 &c)
{
    const TVector2 &p = point;
    double s = a.y * c.x - a.x * c.y + (c.y - a.y) * p.x + (a.x - c.x) * p.y;
    double t = a.x * b.y - a.y * b.x + (a.y - b.y) * p.x + (b.x - a.x) * p.y;

    if ((s < 0) != (t < 0)) {
        return false;
    }

    // Twice the signed area; its sign tells the winding.
    double A = -b.y * c.x + a.y * (c.x - b.x) + a.x * (b.y - c.y) + b.x * c.y;
    if (A < 0) {
        s = -s;
        t = -t;
        A = -A;
    }
    return s > 0 && t > 0 && s + t <= A;
}

double operator^(const TVector2 &v, const TVector2 &w)
{
    return v.x * w.x + v.y * w.y;
}

TVector2 operator/(const TVector2 &v, const double &d)
{
    TVector2 result(v);
    result /= d;
    return result;
}
