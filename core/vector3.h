// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TVECTOR3_H
#define TVECTOR3_H

#include <QtGlobal>
#include <limits>

// A 3-D point or direction in double precision: machine positions, axes and corrections (mm).
class TVector3
{
public:
    TVector3()
        : x(0.0)
        , y(0.0)
        , z(0.0)
    {
    }
    TVector3(const TVector3 &other) = default;
    TVector3(const double &x_, const double &y_, const double &z_)
        : x(x_)
        , y(y_)
        , z(z_)
    {
    }
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

// The arithmetic below the dot product is defined here, so that the models and the painter
// pay no call for it.
// Dot product.
double operator^(const TVector3 &v, const TVector3 &w);
// Cross product v x w.
inline TVector3 operator*(const TVector3 &v, const TVector3 &w)
{
    return TVector3(v.y * w.z - v.z * w.y, v.z * w.x - v.x * w.z, v.x * w.y - v.y * w.x);
}
inline TVector3 operator*(const TVector3 &v, const double &d)
{
    return TVector3(v.x * d, v.y * d, v.z * d);
}
inline TVector3 operator*(const double &d, const TVector3 &v)
{
    return TVector3(v.x * d, v.y * d, v.z * d);
}
inline TVector3 operator+(const TVector3 &v, const TVector3 &w)
{
    return TVector3(v.x + w.x, v.y + w.y, v.z + w.z);
}
inline TVector3 operator-(const TVector3 &v, const TVector3 &w)
{
    return TVector3(v.x - w.x, v.y - w.y, v.z - w.z);
}
inline TVector3 operator+(const TVector3 &v, const double &d)
{
    return TVector3(v.x + d, v.y + d, v.z + d);
}
inline TVector3 operator+(const double &d, const TVector3 &v)
{
    return TVector3(v.x + d, v.y + d, v.z + d);
}
inline TVector3 operator-(const TVector3 &v, const double &d)
{
    return TVector3(v.x - d, v.y - d, v.z - d);
}
// d minus each component, the mathematical meaning of a scalar on the left.
inline TVector3 operator-(const double &d, const TVector3 &v)
{
    return TVector3(d - v.x, d - v.y, d - v.z);
}
TVector3 operator/(const TVector3 &v, const double &d);

#endif
