#include "evaluation.h"

#include "deflectionmodel.h"

void TEvaluation::Gauge_Ends(const TVector3 &position, const TVector3 &axis, const double &length,
                             TVector3 *end1, TVector3 *end2)
{
    Q_ASSERT(end1 && end2);
    const double h = length * 0.5;
    const TVector3 half = axis * h;
    *end1 = position + half;
    *end2 = position - half;
}

TVector3 TEvaluation::Reported_Point(const TDeflectionModel *model, const TVector3 &position)
{
    if (!model) {
        return position;
    }
    return position - model->Calculate_Correction(position);
}

double TEvaluation::Actual_Length(const TDeflectionModel *model, const TVector3 &position,
                                  const TVector3 &axis, const double &nominal_length)
{
    TVector3 end1;
    TVector3 end2;
    Gauge_Ends(position, axis, nominal_length, &end1, &end2);
    return (Reported_Point(model, end1) - Reported_Point(model, end2)).Length();
}
