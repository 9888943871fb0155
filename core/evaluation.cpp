// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation.h"

#include "deflectionmodel.h"

#include <QCoreApplication>
#include <QStringList>
#include <cmath>

#include "numbertext.h"

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

TEvaluation::TResult TEvaluation::Evaluate(const TDeflectionModel *model,
                                           const TMeasurementData::TMeasurement &measurement,
                                           const TMpe &mpe)
{
    TResult result;
    result.id = measurement.id;
    result.nominal_length = measurement.nominal_length;
    result.position = measurement.position;
    result.axis = measurement.axis;
    result.actual_length =
        Actual_Length(model, measurement.position, measurement.axis, measurement.nominal_length);
    result.error = (result.actual_length - result.nominal_length) * 1000.0;
    result.has_measured_length = measurement.has_measured_length;
    result.measured_length = measurement.has_measured_length ? measurement.measured_length : 0.0;
    result.measured_error =
        measurement.has_measured_length
            ? (measurement.measured_length - measurement.nominal_length) * 1000.0
            : 0.0;
    result.residual = measurement.has_measured_length
                          ? (measurement.measured_length - result.actual_length) * 1000.0
                          : 0.0;
    result.has_mpe = mpe.Is_Set();
    result.mpe = mpe.Is_Set() ? mpe.Value(measurement.nominal_length) : 0.0;
    result.verdict = NO_VERDICT;
    result.measured_verdict = NO_VERDICT;
    if (mpe.Is_Set()) {
        result.verdict = mpe.Passes(result.error, result.nominal_length) ? PASS : FAIL;
        if (measurement.has_measured_length) {
            result.measured_verdict =
                mpe.Passes(result.measured_error, result.nominal_length) ? PASS : FAIL;
        }
    }
    return result;
}

std::vector<TEvaluation::TResult> TEvaluation::Evaluate_All(const TDeflectionModel *model,
                                                            const TMeasurementData &data,
                                                            const TMpe &mpe)
{
    std::vector<TResult> results;
    results.reserve(data.Measurements().size());
    for (const TMeasurementData::TMeasurement &measurement : data.Measurements()) {
        results.push_back(Evaluate(model, measurement, mpe));
    }
    return results;
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
        if (result.has_measured_length) {
            ++summary.measured_count;
            residual_squares += result.residual * result.residual;
            summary.measured_passed += result.measured_verdict == PASS;
            summary.measured_failed += result.measured_verdict == FAIL;
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
    if (summary.count > 0) {
        parts << tr("Largest error %1 \u00b5m (Id %2).")
                     .arg(TNumberText::Fixed(summary.largest_error, 2))
                     .arg(summary.largest_error_id);
    }
    if (has_mpe) {
        parts << tr("Simulated: %1 pass, %2 fail.").arg(summary.passed).arg(summary.failed);
        if (summary.measured_count > 0) {
            parts << tr("Measured: %1 pass, %2 fail.")
                         .arg(summary.measured_passed)
                         .arg(summary.measured_failed);
        }
    }
    if (summary.measured_count > 0) {
        parts << tr("Residual RMS %1 \u00b5m.").arg(TNumberText::Fixed(summary.residual_rms, 2));
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
    case NO_VERDICT:
        break;
    }
    return QString();
}

QString TEvaluation::Verdict_Label(TVerdict verdict)
{
    return tr(Verdict_Text(verdict).toUtf8().constData());
}
