// SPDX-License-Identifier: GPL-3.0-or-later
#include "resultsfile.h"

#include <cmath>

#include "numbertext.h"

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

// The values of one result in the order of columns.
QStringList Values(const TEvaluation::TResult &result,
                   QString (*number)(bool present, const double &value))
{
    const bool measured = result.has_measured_length;
    return {QString::number(result.id),
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
}

} // namespace

QStringList TResultsFile::Columns()
{
    return columns;
}

QString TResultsFile::Json_Number(bool present, const double &value)
{
    return present && std::isfinite(value) ? TNumberText::Shortest(value) : QStringLiteral("null");
}

QByteArray TResultsFile::Csv(const std::vector<TEvaluation::TResult> &results)
{
    QString text = columns.join(QLatin1Char(',')) + QLatin1Char('\n');
    for (const TEvaluation::TResult &result : results) {
        text += Values(result, &Csv_Number).join(QLatin1Char(',')) + QLatin1Char('\n');
    }
    return text.toUtf8();
}

QByteArray TResultsFile::Json(const std::vector<TEvaluation::TResult> &results)
{
    QStringList objects;
    for (const TEvaluation::TResult &result : results) {
        const QStringList values = Values(result, &Json_Number);
        QStringList members;
        for (int i = 0; i < columns.size(); ++i) {
            const bool text = i >= columns.size() - 2;
            members << QStringLiteral("\"%1\": %2")
                           .arg(columns[i], text ? Json_Text(values[i]) : values[i]);
        }
        objects << QStringLiteral("  {") + members.join(QStringLiteral(", ")) + QLatin1Char('}');
    }
    return (QStringLiteral("[\n") + objects.join(QStringLiteral(",\n")) +
            (objects.isEmpty() ? QString() : QStringLiteral("\n")) + QStringLiteral("]\n"))
        .toUtf8();
}
