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
// diagonals) and, when asked for, lines along Y and Z away from it; on each line every test
// length that fits, each gauge centred on its line, each repeated as measurements of their own.
class TTestPlan
{
    Q_DECLARE_TR_FUNCTIONS(TTestPlan)

public:
    enum TLine { LINE_Y, LINE_Z, LINE_DIAGONAL_PLUS, LINE_DIAGONAL_MINUS, LINE_COUNT };

    TTestPlan(const double &range_y, const double &range_z);

    double Range_Y() const { return range_y; }
    double Range_Z() const { return range_z; }
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

    // Lines away from the centre besides the four through it: lines along Y at these Z
    // positions and lines along Z at these Y positions (mm), each with the lengths of its
    // centred twin, each gauge centred on its line. Positions outside the volume are left out.
    void Set_Off_Centre_Lines(const std::vector<double> &y_lines_at_z,
                              const std::vector<double> &z_lines_at_y);

    // Appends the plan's measurements to the store under new identifiers, as "+" gives them.
    static void Append(const std::vector<TMeasurementData::TMeasurement> &plan,
                       TMeasurementData *data);

private:
    // The gauges of one line: its lengths that fit, centred at centre.
    void Add_Line(TLine line, const TVector3 &centre, const std::vector<double> &lengths,
                  int repeats, const QString &name, QStringList *left_out,
                  std::vector<TMeasurementData::TMeasurement> *plan) const;

    double range_y;
    double range_z;
    std::vector<double> y_lines_at_z;
    std::vector<double> z_lines_at_y;
};

#endif
