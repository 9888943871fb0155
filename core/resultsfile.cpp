// SPDX-License-Identifier: GPL-3.0-or-later
#include "resultsfile.h"

#include <algorithm>
#include <cmath>

#include "numbertext.h"
#include "testdocument.h"

namespace
{
// A number for CSV: the shortest text that reads back as the same double; empty when absent.
QString Csv_Number(bool present, const double &value)
{
    return present ? TNumberText::Shortest(value) : QString();
}

QString Json_Text(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("null") : QLatin1Char('"') + text + QLatin1Char('"');
}

const QStringList columns = {QStringLiteral("id"),
                             QStringLiteral("nominal_length_mm"),
                             QStringLiteral("position_y_mm"),
                             QStringLiteral("position_z_mm"),
                             QStringLiteral("axis_y"),
                             QStringLiteral("axis_z"),
                             QStringLiteral("actual_length_mm"),
                             QStringLiteral("error_um"),
                             QStringLiteral("measured_length_mm"),
                             QStringLiteral("measured_error_um"),
                             QStringLiteral("residual_um"),
                             QStringLiteral("mpe_um"),
                             QStringLiteral("verdict"),
                             QStringLiteral("measured_verdict")};
const QStringList condition_columns = {
    QStringLiteral("corrected_length_mm"), QStringLiteral("repeatability_range_um"),
    QStringLiteral("uncertainty_um"), QStringLiteral("retest_of")};
// The columns whose values are words, quoted in JSON.
const int verdict_columns[] = {12, 13};

// The values of one result in the order of columns.
QStringList Values(const TEvaluation::TResult &result,
                   QString (*number)(bool present, const double &value), bool with_conditions)
{
    const bool measured = result.has_measured_length;
    QStringList values{QString::number(result.id),
                       number(true, result.nominal_length),
                       number(true, result.position.y),
                       number(true, result.position.z),
                       number(true, result.axis.y),
                       number(true, result.axis.z),
                       number(true, result.actual_length),
                       number(true, result.error),
                       number(measured, result.measured_length),
                       number(measured, result.measured_error),
                       number(measured, result.residual),
                       number(result.has_mpe, result.mpe),
                       TEvaluation::Verdict_Text(result.verdict),
                       TEvaluation::Verdict_Text(result.measured_verdict)};
    if (with_conditions) {
        values << number(result.has_correction, result.corrected_length)
               << number(result.has_range, result.repeatability_range)
               << number(result.has_uncertainty, result.uncertainty)
               << (result.retest_of > 0 ? QString::number(result.retest_of) : number(false, 0.0));
    }
    return values;
}

QString Json_Array(const std::vector<TEvaluation::TResult> &results, bool with_conditions,
                   const QString &indent)
{
    const QStringList names = TResultsFile::Columns(with_conditions);
    QStringList objects;
    for (const TEvaluation::TResult &result : results) {
        const QStringList values = Values(result, &TResultsFile::Json_Number, with_conditions);
        QStringList members;
        for (int i = 0; i < names.size(); ++i) {
            const bool text = i == verdict_columns[0] || i == verdict_columns[1];
            members << QStringLiteral("\"%1\": %2")
                           .arg(names[i], text ? Json_Text(values[i]) : values[i]);
        }
        objects << indent + QStringLiteral("  {") + members.join(QStringLiteral(", ")) +
                       QLatin1Char('}');
    }
    return QStringLiteral("[\n") + objects.join(QStringLiteral(",\n")) +
           (objects.isEmpty() ? QString() : QStringLiteral("\n")) + indent + QLatin1Char(']');
}

} // namespace

QStringList TResultsFile::Columns(bool with_conditions)
{
    return with_conditions ? columns + condition_columns : columns;
}

bool TResultsFile::Judged_By_Conditions(const TTestDocument &document)
{
    const std::vector<TMeasurementData::TMeasurement> &records = document.Measurements();
    return !document.Conditions().Is_Empty() ||
           std::any_of(records.begin(), records.end(),
                       [](const TMeasurementData::TMeasurement &record) {
                           return record.has_temperature || record.retest_of > 0;
                       });
}

QString TResultsFile::Json_Number(bool present, const double &value)
{
    return present && std::isfinite(value) ? TNumberText::Shortest(value) : QStringLiteral("null");
}

QByteArray TResultsFile::Csv(const std::vector<TEvaluation::TResult> &results, bool with_conditions)
{
    QString text = Columns(with_conditions).join(QLatin1Char(',')) + QLatin1Char('\n');
    for (const TEvaluation::TResult &result : results) {
        text +=
            Values(result, &Csv_Number, with_conditions).join(QLatin1Char(',')) + QLatin1Char('\n');
    }
    return text.toUtf8();
}

QByteArray TResultsFile::Json(const std::vector<TEvaluation::TResult> &results)
{
    return (Json_Array(results, false, QString()) + QLatin1Char('\n')).toUtf8();
}

QByteArray TResultsFile::Json(const std::vector<TEvaluation::TResult> &results,
                              const TConformance::TStatement &statement)
{
    return (QStringLiteral("{\n  \"results\": ") + Json_Array(results, true, QStringLiteral("  ")) +
            QStringLiteral(",\n  \"summary\": {\"conformance\": ") + TConformance::Json(statement) +
            QStringLiteral("}\n}\n"))
        .toUtf8();
}
