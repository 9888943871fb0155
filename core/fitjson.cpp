// SPDX-License-Identifier: GPL-3.0-or-later
#include "fitjson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "modelcatalog.h"
#include "resultsfile.h"

namespace
{
// The text as a JSON string, quotes and all.
QString Json_String(const QString &text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}
} // namespace

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
                         const double controller[4], const double &controller_rms, bool has_mpe,
                         const TParameterFit::TPrediction &prediction,
                         const std::vector<TParameterFit::TLine> &lines)
{
    QStringList line_objects;
    for (const TParameterFit::TLine &line : lines) {
        line_objects << QStringLiteral("{\"direction\": %1, \"at_mm\": %2, \"count\": %3, "
                                       "\"rms_um\": %4}")
                            .arg(Json_String(line.direction),
                                 TResultsFile::Json_Number(true, line.at),
                                 QString::number(line.count),
                                 TResultsFile::Json_Number(true, line.rms));
    }
    const QString predicted =
        has_mpe ? QStringLiteral("{\"pass\": %1, \"fail\": %2, \"largest_um\": %3, "
                                 "\"largest_id\": %4, \"largest_of_mpe\": %5}")
                      .arg(prediction.pass)
                      .arg(prediction.fail)
                      .arg(TResultsFile::Json_Number(true, prediction.largest))
                      .arg(prediction.largest_id)
                      .arg(TResultsFile::Json_Number(std::isfinite(prediction.largest_ratio),
                                                     prediction.largest_ratio))
                : QStringLiteral("null");
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
                          "  \"prediction\": %7,\n  \"lines\": [%8],\n"
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
                    TResultsFile::Json_Number(true, controller_rms), predicted,
                    line_objects.join(QStringLiteral(", ")));
}

QString TFitJson::Of_Comparison(const TModelComparison::TComparison &comparison)
{
    QStringList models;
    for (const TModelComparison::TEntry &entry : comparison.entries) {
        const TModelCatalog::TModel &model = TModelCatalog::Model_At(entry.model_index);
        const TParameterFit::TResult &fit = entry.fit;
        std::vector<int> poor;
        for (const TParameterFit::TPoorlyDetermined &held : entry.held) {
            poor.push_back(held.number);
        }
        for (const TParameterFit::TPoorlyDetermined &other :
             fit.identifiability.poorly_determined) {
            poor.push_back(other.number);
        }
        std::sort(poor.begin(), poor.end());
        poor.erase(std::unique(poor.begin(), poor.end()), poor.end());
        QString object =
            QStringLiteral("    {\"model\": \"%1\", \"fitted\": %2, \"free\": %3, "
                           "\"rms_after_um\": %4, \"max_residual_um\": %5, "
                           "\"free_parameters\": %6, \"bic\": %7, \"poorly_determined\": %8, "
                           "\"reaches_repeatability\": %9")
                .arg(QLatin1String(model.key),
                     fit.fitted ? Numbers(std::vector<double>(fit.parameters, fit.parameters + 4))
                                : QStringLiteral("null"),
                     Integers(fit.free), TResultsFile::Json_Number(fit.fitted, fit.rms_after),
                     TResultsFile::Json_Number(fit.fitted, fit.largest_after),
                     QString::number(fit.free.size() - fit.undetermined.size()),
                     TResultsFile::Json_Number(std::isfinite(entry.bic), entry.bic), Integers(poor),
                     entry.reaches_floor ? QStringLiteral("true") : QStringLiteral("false"));
        if (!fit.fitted) {
            object += QStringLiteral(", \"error\": %1").arg(Json_String(fit.error));
        }
        models << object + QLatin1Char('}');
    }
    const QString best =
        comparison.best >= 0
            ? QLatin1Char('"') +
                  QLatin1String(TModelCatalog::Model_At(
                                    comparison.entries[size_t(comparison.best)].model_index)
                                    .key) +
                  QLatin1Char('"')
            : QStringLiteral("null");
    return QStringLiteral("{\n  \"models\": [\n%1\n  ],\n  \"repeatability_um\": %2,\n"
                          "  \"best\": %3\n}\n")
        .arg(models.join(QStringLiteral(",\n")),
             TResultsFile::Json_Number(comparison.has_floor, comparison.floor), best);
}
