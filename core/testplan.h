// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TTESTPLAN_H
#define TTESTPLAN_H

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <vector>

#include "measurementdata.h"

// The gauges of a length test in the machine's Y-Z plane, for the volume from (0, 0) to
// (range Y, range Z): four lines through the volume's centre (along Y, along Z, and the two
// diagonals), on each line every test length that fits, each gauge centred on the volume's
// centre, each repeated as measurements of their own.
class TTestPlan
{
    Q_DECLARE_TR_FUNCTIONS(TTestPlan)

public:
    enum TLine { LINE_Y, LINE_Z, LINE_DIAGONAL_PLUS, LINE_DIAGONAL_MINUS, LINE_COUNT };

    TTestPlan(const double &range_y, const double &range_z);

    // The line's length inside the volume (mm).
    double Line_Length(TLine line) const;
    // The line's unit direction.
    TVector3 Line_Axis(TLine line) const;
    // The line's name as the user interface shows it.
    static QString Line_Name(TLine line);

    // Five lengths evenly spread over the line, the shortest 10 % and the longest 90 % of its
    // length inside the volume, rounded to whole millimetres.
    std::vector<double> Default_Lengths(TLine line) const;

    // The plan with each line's default lengths, or with the same lengths on every line when
    // lengths is not empty; repeats measurements per gauge. Lengths that do not fit a line are
    // left out there and named in *left_out, one line each.
    std::vector<TMeasurementData::TMeasurement>
    Measurements(const std::vector<double> &lengths, int repeats, QStringList *left_out) const;

    // Appends the plan's measurements to the store under new identifiers, as "+" gives them.
    static void Append(const std::vector<TMeasurementData::TMeasurement> &plan,
                       TMeasurementData *data);

private:
    double range_y;
    double range_z;
};

#endif
