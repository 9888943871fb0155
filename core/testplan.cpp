// SPDX-License-Identifier: GPL-3.0-or-later
#include "testplan.h"

#include <QCoreApplication>
#include <cmath>

#include "evaluation.h"
#include "numbertext.h"

namespace
{
// A length counts as fitting a line when it is no more than this longer (mm): rounding of the
// diagonal's length must not leave out a gauge that spans it exactly.
const double fit_tolerance = 1e-9;
} // namespace

TTestPlan::TTestPlan(const double &range_y_, const double &range_z_)
    : range_y(range_y_)
    , range_z(range_z_)
{
}

double TTestPlan::Line_Length(TLine line) const
{
    switch (line) {
    case LINE_Y:
        return range_y;
    case LINE_Z:
        return range_z;
    default:
        return std::sqrt(range_y * range_y + range_z * range_z);
    }
}

TVector3 TTestPlan::Line_Axis(TLine line) const
{
    switch (line) {
    case LINE_Y:
        return TVector3(0, 1, 0);
    case LINE_Z:
        return TVector3(0, 0, 1);
    case LINE_DIAGONAL_PLUS:
        return TVector3(0, range_y, range_z) / Line_Length(line);
    default:
        return TVector3(0, range_y, -range_z) / Line_Length(line);
    }
}

QString TTestPlan::Line_Name(TLine line)
{
    switch (line) {
    case LINE_Y:
        return QStringLiteral("Y");
    case LINE_Z:
        return QStringLiteral("Z");
    case LINE_DIAGONAL_PLUS:
        return TEvaluation::Direction_Label(QStringLiteral("Diagonal +"));
    default:
        return TEvaluation::Direction_Label(QStringLiteral("Diagonal \u2212"));
    }
}

std::vector<double> TTestPlan::Default_Lengths(TLine line) const
{
    const double length = Line_Length(line);
    std::vector<double> lengths;
    for (int i = 0; i < 5; ++i) {
        const double fraction = 0.1 + 0.2 * i;
        lengths.push_back(std::max(1.0, std::round(length * fraction)));
    }
    return lengths;
}

void TTestPlan::Set_Off_Centre_Lines(const std::vector<double> &y_lines_at_z_,
                                     const std::vector<double> &z_lines_at_y_)
{
    y_lines_at_z = y_lines_at_z_;
    z_lines_at_y = z_lines_at_y_;
}

void TTestPlan::Add_Line(TLine line, const TVector3 &centre, const std::vector<double> &lengths,
                         int repeats, const QString &name, QStringList *left_out,
                         std::vector<TMeasurementData::TMeasurement> *plan) const
{
    for (const double length : lengths) {
        if (!(length > 0.0) || length > Line_Length(line) + fit_tolerance) {
            if (left_out) {
                *left_out << tr("%1 mm does not fit the %2 line "
                                "(%3 mm)")
                                 .arg(TNumberText::Shortest(length), name,
                                      TNumberText::Fixed(Line_Length(line), 1));
            }
            continue;
        }
        for (int repeat = 0; repeat < repeats; ++repeat) {
            plan->push_back(TMeasurementData::TMeasurement{0, centre, Line_Axis(line), length});
        }
    }
}

std::vector<TMeasurementData::TMeasurement>
TTestPlan::Measurements(const std::vector<double> &lengths, int repeats,
                        QStringList *left_out) const
{
    const TVector3 centre(0, range_y / 2, range_z / 2);
    std::vector<TMeasurementData::TMeasurement> plan;
    for (int index = 0; index < LINE_COUNT; ++index) {
        const TLine line = TLine(index);
        Add_Line(line, centre, lengths.empty() ? Default_Lengths(line) : lengths, repeats,
                 Line_Name(line), left_out, &plan);
    }
    for (const double z : y_lines_at_z) {
        if (z >= 0.0 && z <= range_z) {
            Add_Line(LINE_Y, TVector3(0, range_y / 2, z),
                     lengths.empty() ? Default_Lengths(LINE_Y) : lengths, repeats,
                     tr("Y at Z %1").arg(TNumberText::Shortest(z)), left_out, &plan);
        } else if (left_out) {
            *left_out << tr("Z %1 mm is outside the volume").arg(TNumberText::Shortest(z));
        }
    }
    for (const double y : z_lines_at_y) {
        if (y >= 0.0 && y <= range_y) {
            Add_Line(LINE_Z, TVector3(0, y, range_z / 2),
                     lengths.empty() ? Default_Lengths(LINE_Z) : lengths, repeats,
                     tr("Z at Y %1").arg(TNumberText::Shortest(y)), left_out, &plan);
        } else if (left_out) {
            *left_out << tr("Y %1 mm is outside the volume").arg(TNumberText::Shortest(y));
        }
    }
    return plan;
}

void TTestPlan::Append(const std::vector<TMeasurementData::TMeasurement> &plan,
                       TMeasurementData *data)
{
    Q_ASSERT(data);
    for (TMeasurementData::TMeasurement measurement : plan) {
        measurement.id = data->Add_Measurement();
        data->Update_Measurement(measurement);
    }
}
