// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TVECTOR2_H
#define TVECTOR2_H

#include <QtGlobal>
#include <limits>

// A 2-D point or direction in double precision, used for screen-plane geometry.
class TVector2
{
public:
    TVector2()
        : x(0.0)
        , y(0.0)
    {
    }
    TVector2(const TVector2 &other) = default;
    TVector2(const double &x_, const double &y_)
        : x(x_)
        , y(y_)
    {
    }
    ~TVector2() = default;

    TVector2 &operator=(const TVector2 &other) = default;

    double operator()(int index) const;
    double &operator()(int index);

    // The Euclidean length, sqrt(x*x + y*y).
    double Length() const;
    // Scales the vector to unit length in place; the vector must be longer than epsilon.
    TVector2 &Normal();

    // The divisor itself, not its magnitude, must exceed epsilon: negative divisors are refused.
    TVector2 &operator/=(const double &d)
    {
        Q_ASSERT(d > std::numeric_limits<double>::epsilon());
        x /= d;
        y /= d;
        return *this;
    }

    // True for points strictly inside the triangle and on the edge b-c (its ends excluded);
    // points on the edges a-b and a-c and the corners are outside. Either winding works.
    static bool Is_Point_In_Triangle(const TVector2 &point, const TVector2 &a, const TVector2 &b,
                                     const TVector2 &c);

    double x;
    double y;
};

// The arithmetic below is defined here, so that the painter pays no call for it.
double operator^(const TVector2 &v, const TVector2 &w);
inline TVector2 operator*(const TVector2 &v, const double &d)
{
    return TVector2(v.x * d, v.y * d);
}
inline TVector2 operator*(const double &d, const TVector2 &v)
{
    return TVector2(v.x * d, v.y * d);
}
inline TVector2 operator+(const TVector2 &v, const TVector2 &w)
{
    return TVector2(v.x + w.x, v.y + w.y);
}
inline TVector2 operator-(const TVector2 &v, const TVector2 &w)
{
    return TVector2(v.x - w.x, v.y - w.y);
}
inline TVector2 operator+(const TVector2 &v, const double &d)
{
    return TVector2(v.x + d, v.y + d);
}
inline TVector2 operator+(const double &d, const TVector2 &v)
{
    return TVector2(v.x + d, v.y + d);
}
inline TVector2 operator-(const TVector2 &v, const double &d)
{
    return TVector2(v.x - d, v.y - d);
}
// d minus each component, the mathematical meaning of a scalar on the left.
inline TVector2 operator-(const double &d, const TVector2 &v)
{
    return TVector2(d - v.x, d - v.y);
}
TVector2 operator/(const TVector2 &v, const double &d);

#endif
