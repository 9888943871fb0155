// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation.h"

#include "deflectionmodel.h"
#include "gaugecorrections.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <tuple>

#include "numbertext.h"
#include "repetitionindex.h"

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

TEvaluation::TVerdict TEvaluation::Judge(const double &error, const double &mpe,
                                         const double &uncertainty)
{
    // The same allowance for the last bits of lengths in mm as TMpe::Passes.
    const double allowance = 1e-9;
    const double limit = mpe + allowance;
    if (std::fabs(error) + uncertainty <= limit) {
        return PASS;
    }
    // A NaN error fails, as it always did.
    if (uncertainty > 0.0 && std::fabs(error) - uncertainty <= limit) {
        return UNDECIDED;
    }
    return FAIL;
}

void TEvaluation::Follow_Model(const TDeflectionModel *model, TResult *result)
{
    Q_ASSERT(result);
    // Evaluate ends here too; the corrected length, the MPE and the uncertainty do not hang
    // on the model.
    Follow_Length(Actual_Length(model, result->position, result->axis, result->nominal_length),
                  result);
}

void TEvaluation::Follow_Model(TGaugeCorrections *corrections, size_t index, TResult *result)
{
    Q_ASSERT(corrections && result);
    TVector3 end1;
    TVector3 end2;
    Gauge_Ends(result->position, result->axis, result->nominal_length, &end1, &end2);
    TVector3 correction1;
    TVector3 correction2;
    corrections->At(index, end1, end2, &correction1, &correction2);
    // Actual_Length's very operations, with the corrections it would work out.
    Follow_Length(((end1 - correction1) - (end2 - correction2)).Length(), result);
}

void TEvaluation::Follow_Length(const double &actual_length, TResult *result)
{
    result->actual_length = actual_length;
    result->error = (result->actual_length - result->nominal_length) * 1000.0;
    result->residual = result->has_measured_length
                           ? (result->corrected_length - result->actual_length) * 1000.0
                           : 0.0;
    if (result->has_mpe) {
        result->verdict = Judge(result->error, result->mpe, result->uncertainty);
    }
}

TEvaluation::TResult TEvaluation::Evaluate(const TDeflectionModel *model,
                                           const TMeasurementData::TMeasurement &measurement,
                                           const TMpe &mpe, const TTestConditions &conditions)
{
    TResult result;
    result.id = measurement.id;
    result.nominal_length = measurement.nominal_length;
    result.position = measurement.position;
    result.axis = measurement.axis;
    result.has_measured_length = measurement.has_measured_length;
    result.measured_length = measurement.has_measured_length ? measurement.measured_length : 0.0;
    result.has_correction = measurement.has_measured_length && conditions.Corrects(measurement);
    result.corrected_length =
        measurement.has_measured_length ? conditions.Corrected_Length(measurement) : 0.0;
    if (result.has_correction) {
        conditions.Gauge_Temperature(measurement, &result.temperature);
    }
    // Every error of a measured length is formed from the length at 20 °C.
    result.measured_error = measurement.has_measured_length
                                ? (result.corrected_length - measurement.nominal_length) * 1000.0
                                : 0.0;
    result.has_mpe = mpe.Is_Set();
    result.mpe = mpe.Is_Set() ? mpe.Value(measurement.nominal_length) : 0.0;
    result.has_uncertainty = conditions.has_uncertainty;
    result.uncertainty = conditions.Uncertainty(measurement.nominal_length);
    result.retest_of = measurement.retest_of;
    result.verdict = NO_VERDICT;
    result.measured_verdict = NO_VERDICT;
    if (mpe.Is_Set() && measurement.has_measured_length) {
        result.measured_verdict = Judge(result.measured_error, result.mpe, result.uncertainty);
    }
    // What the model decides, the one place it is worked out.
    Follow_Model(model, &result);
    return result;
}

std::vector<TEvaluation::TResult> TEvaluation::Evaluate_All(const TDeflectionModel *model,
                                                            const TMeasurementData &data,
                                                            const TMpe &mpe,
                                                            const TTestConditions &conditions,
                                                            TRepetitionIndex *repetitions)
{
    std::vector<TResult> results;
    results.reserve(data.Measurements().size());
    for (const TMeasurementData::TMeasurement &measurement : data.Measurements()) {
        results.push_back(Evaluate(model, measurement, mpe, conditions));
    }
    TRepetitionIndex own;
    (repetitions ? repetitions : &own)->Reset(&results, conditions);
    return results;
}

bool TEvaluation::Same_Gauge(const TResult &a, const TResult &b)
{
    return Same_Gauge(a.nominal_length, a.position, a.axis, b.nominal_length, b.position, b.axis);
}

bool TEvaluation::Same_Gauge(const double &length_a, const TVector3 &position_a,
                             const TVector3 &axis_a, const double &length_b,
                             const TVector3 &position_b, const TVector3 &axis_b)
{
    const double tolerance = 1e-9;
    const auto same = [tolerance](const double &x, const double &y) {
        return std::fabs(x - y) <= tolerance;
    };
    return same(length_a, length_b) && same(position_a.x, position_b.x) &&
           same(position_a.y, position_b.y) && same(position_a.z, position_b.z) &&
           same(axis_a.x, axis_b.x) && same(axis_a.y, axis_b.y) && same(axis_a.z, axis_b.z);
}

void TEvaluation::Set_Ranges(std::vector<TResult> *results, const TTestConditions &conditions)
{
    TRepetitionIndex().Reset(results, conditions);
}

TEvaluation::TSummary TEvaluation::Summarise(const std::vector<TResult> &results)
{
    TSummary summary = {};
    double residual_squares = 0.0;
    for (const TResult &result : results) {
        ++summary.count;
        // NaN never wins the comparison, so a broken model cannot hide a real largest error.
        if (std::fabs(result.error) > summary.largest_error || summary.count == 1) {
            summary.largest_error = std::fabs(result.error);
            summary.largest_error_id = result.id;
        }
        summary.passed += result.verdict == PASS;
        summary.failed += result.verdict == FAIL;
        summary.undecided += result.verdict == UNDECIDED;
        if (result.has_measured_length) {
            ++summary.measured_count;
            residual_squares += result.residual * result.residual;
            summary.measured_passed += result.measured_verdict == PASS;
            summary.measured_failed += result.measured_verdict == FAIL;
            summary.measured_undecided += result.measured_verdict == UNDECIDED;
        }
    }
    if (summary.measured_count > 0) {
        summary.residual_rms = std::sqrt(residual_squares / summary.measured_count);
    }
    return summary;
}

QString TEvaluation::Direction_Name(const TVector3 &axis, const double &range_y,
                                    const double &range_z)
{
    // Unit axes whose components agree to this count as the same direction.
    const double tolerance = 1e-9;
    const auto along = [&axis, tolerance](const double &y, const double &z) {
        const double length = std::sqrt(y * y + z * z);
        const double dot = (axis.y * y + axis.z * z) / length;
        return std::fabs(std::fabs(dot) - 1.0) < tolerance;
    };
    if (along(1.0, 0.0)) {
        return QStringLiteral("Y");
    }
    if (along(0.0, 1.0)) {
        return QStringLiteral("Z");
    }
    if (along(range_y, range_z)) {
        return QStringLiteral(QT_TRANSLATE_NOOP("TEvaluation", "Diagonal +"));
    }
    if (along(range_y, -range_z)) {
        return QStringLiteral(QT_TRANSLATE_NOOP("TEvaluation", "Diagonal \u2212"));
    }
    return QString();
}

QString TEvaluation::Direction_Label(const QString &name)
{
    return tr(name.toUtf8().constData());
}

QString TEvaluation::Summary_Text(const TSummary &summary, bool has_mpe)
{
    QStringList parts;
    parts << (summary.count == 1 ? tr("1 measurement, %1 measured.").arg(summary.measured_count)
                                 : tr("%1 measurements, %2 measured.")
                                       .arg(summary.count)
                                       .arg(summary.measured_count));
    // The measured results are the conformance statement's; these are what the model predicts.
    if (summary.count > 0) {
        parts << tr("Simulated: largest error %1 \u00b5m (Id %2).")
                     .arg(TNumberText::Shown(summary.largest_error, 2))
                     .arg(summary.largest_error_id);
    }
    if (has_mpe) {
        parts << (summary.undecided > 0
                      ? tr("Simulated: %1 pass, %2 fail, %3 undecided.")
                            .arg(summary.passed)
                            .arg(summary.failed)
                            .arg(summary.undecided)
                      : tr("Simulated: %1 pass, %2 fail.").arg(summary.passed).arg(summary.failed));
    }
    if (summary.measured_count > 0) {
        parts << tr("Residual RMS %1 \u00b5m.").arg(TNumberText::Shown(summary.residual_rms, 2));
    }
    return parts.join(QLatin1Char(' '));
}

QString TEvaluation::Verdict_Text(TVerdict verdict)
{
    switch (verdict) {
    case PASS:
        return QStringLiteral(QT_TRANSLATE_NOOP("TEvaluation", "pass"));
    case FAIL:
        return QStringLiteral(QT_TRANSLATE_NOOP("TEvaluation", "fail"));
    case UNDECIDED:
        return QStringLiteral(QT_TRANSLATE_NOOP("TEvaluation", "undecided"));
    case NO_VERDICT:
        break;
    }
    return QString();
}

QString TEvaluation::Verdict_Label(TVerdict verdict)
{
    return tr(Verdict_Text(verdict).toUtf8().constData());
}
