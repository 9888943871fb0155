#ifndef TEVALUATION_H
#define TEVALUATION_H

#include "vector3.h"

class TDeflectionModel;

// What the deflected machine reports for a gauge: the computation the window shows in the
// editor and every other output repeats, so that all of them give the same digits.
class TEvaluation
{
public:
    // The two nominal end points of a gauge of the given length centred on the position.
    static void Gauge_Ends(const TVector3 &position, const TVector3 &axis, const double &length,
                           TVector3 *end1, TVector3 *end2);
    // Where the deflected machine reports the position: the position minus its correction,
    // not exaggerated; the position itself without a model.
    static TVector3 Reported_Point(const TDeflectionModel *model, const TVector3 &position);
    // The distance between the reported points of the gauge's two ends (mm).
    static double Actual_Length(const TDeflectionModel *model, const TVector3 &position,
                                const TVector3 &axis, const double &nominal_length);
};

#endif
