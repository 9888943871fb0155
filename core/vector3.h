// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TVECTOR3_H
#define TVECTOR3_H

#include <QtGlobal>
#include <limits>

// A 3-D point or direction in double precision: machine positions, axes and corrections (mm).
class TVector3
{
public:
    TVector3();
    TVector3(const TVector3 &other) = default;
    TVector3(const double &x, const double &y, const double &z);
    ~TVector3() = default;

    TVector3 &operator=(const TVector3 &other) = default;

    double operator()(int index) const;
    double &operator()(int index);

    // The Euclidean length, sqrt(x*x + y*y + z*z) in that order.
    double Length() const;
    // Scales the vector to unit length in place; the vector must be longer than epsilon.
    TVector3 &Normal();

    // The divisor itself, not its magnitude, must exceed epsilon: negative divisors are refused.
    TVector3 &operator/=(const double &d)
    {
        Q_ASSERT(d > std::numeric_limits<double>::epsilon());
        x /= d;
        y /= d;
        z /= d;
        return *this;
    }

    // Replaces the vector by the cross product this x v.
    TVector3 &operator*=(const TVector3 &v);

    double x;
    double y;
    double z;
};

// Dot product.
double operator^(const TVector3 &v, const TVector3 &w);
// Cross product v x w.
TVector3 operator*(const TVector3 &v, const TVector3 &w);
TVector3 operator*(const TVector3 &v, const double &d);
TVector3 operator*(const double &d, const TVector3 &v);
TVector3 operator+(const TVector3 &v, const TVector3 &w);
TVector3 operator-(const TVector3 &v, const TVector3 &w);
TVector3 operator+(const TVector3 &v, const double &d);
TVector3 operator+(const double &d, const TVector3 &v);
TVector3 operator-(const TVector3 &v, const double &d);
// d minus each component, the mathematical meaning of a scalar on the left.
TVector3 operator-(const double &d, const TVector3 &v);
TVector3 operator/(const TVector3 &v, const double &d);

#endif
