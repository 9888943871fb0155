// SPDX-License-Identifier: GPL-3.0-or-later
#include "fitjson.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

#include "modelcatalog.h"
#include "resultsfile.h"

QString TFitJson::Numbers(const std::vector<double> &values)
{
    QStringList texts;
    for (const double &value : values) {
        texts << TResultsFile::Json_Number(std::isfinite(value), value);
    }
    return QLatin1Char('[') + texts.join(QStringLiteral(", ")) + QLatin1Char(']');
}

QString TFitJson::Integers(const std::vector<int> &values)
{
    QStringList texts;
    for (const int value : values) {
        texts << QString::number(value);
    }
    return QLatin1Char('[') + texts.join(QStringLiteral(", ")) + QLatin1Char(']');
}

QString TFitJson::Of_Fit(const TParameterFit::TResult &result,
                         const std::vector<TParameterFit::TPoorlyDetermined> &held,
                         const double controller[4], const double &controller_rms)
{
    const auto four = [](const double *values, const bool *present) {
        QStringList texts;
        for (int i = 0; i < 4; ++i) {
            texts << TResultsFile::Json_Number(present ? present[i] : true, values[i]);
        }
        return QLatin1Char('[') + texts.join(QStringLiteral(", ")) + QLatin1Char(']');
    };
    std::vector<int> poor;
    poor.reserve(held.size() + result.identifiability.poorly_determined.size());
    for (const TParameterFit::TPoorlyDetermined &entry : held) {
        poor.push_back(entry.number);
    }
    for (const TParameterFit::TPoorlyDetermined &entry : result.identifiability.poorly_determined) {
        poor.push_back(entry.number);
    }
    std::sort(poor.begin(), poor.end());
    poor.erase(std::unique(poor.begin(), poor.end()), poor.end());
    QStringList rows;
    for (const std::vector<double> &row : result.identifiability.correlation) {
        rows << Numbers(row);
    }
    QStringList residuals;
    for (const TParameterFit::TResidual &residual : result.residuals) {
        residuals << QStringLiteral("    {\"id\": %1, \"before_um\": %2, \"after_um\": %3}")
                         .arg(residual.id)
                         .arg(TResultsFile::Json_Number(true, residual.before),
                              TResultsFile::Json_Number(true, residual.after));
    }
    const TModelCatalog::TModel *model = TModelCatalog::Find(result.model_type);
    const double condition = result.identifiability.condition_number;
    return QStringLiteral("{\n  \"model\": \"%1\",\n  \"free\": %2,\n  \"initial\": %3,\n"
                          "  \"fitted\": %4,\n  \"controller\": %10,\n  \"uncertainty\": %5,\n"
                          "  \"undetermined\": %6,\n"
                          "  \"poorly_determined\": %7,\n  \"correlation\": [%8],\n"
                          "  \"condition_number\": %9,\n")
               .arg(QLatin1String(model ? model->key : ""), Integers(result.free),
                    four(result.initial, nullptr), four(result.parameters, nullptr),
                    four(result.uncertainty, result.has_uncertainty), Integers(result.undetermined),
                    Integers(poor), rows.join(QStringLiteral(", ")),
                    TResultsFile::Json_Number(std::isfinite(condition), condition))
               .arg(four(controller, nullptr)) +
           QStringLiteral("  \"measurements_used\": %1,\n  \"rms_before_um\": %2,\n"
                          "  \"rms_after_um\": %3,\n  \"rms_controller_um\": %6,\n"
                          "  \"iterations\": %4,\n"
                          "  \"residuals\": [%5]\n}\n")
               .arg(QString::number(result.measurements_used),
                    TResultsFile::Json_Number(true, result.rms_before),
                    TResultsFile::Json_Number(true, result.rms_after),
                    QString::number(result.iterations),
                    residuals.isEmpty()
                        ? QString()
                        : QStringLiteral("\n") + residuals.join(QStringLiteral(",\n")) +
                              QStringLiteral("\n  "),
                    TResultsFile::Json_Number(true, controller_rms));
}
