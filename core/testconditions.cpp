// SPDX-License-Identifier: GPL-3.0-or-later
#include "testconditions.h"

#include <cmath>

#include "numbertext.h"

namespace
{
const QString uncertainty_key = QStringLiteral("Uncertainty");
const QString r0_key = QStringLiteral("MPE_R0");
const QString temperature_key = QStringLiteral("Gauge_Temperature");
const QString cte_key = QStringLiteral("Gauge_CTE");

// A gauge colder than absolute zero or hotter than a workshop could ever be is a typing error,
// as is an expansion coefficient no solid has.
const double lowest_temperature = -273.15;
const double highest_temperature = 1000.0;
const double largest_cte = 1000.0;
} // namespace

const QStringList &TTestConditions::Keys()
{
    static const QStringList keys{uncertainty_key, r0_key, temperature_key, cte_key};
    return keys;
}

bool TTestConditions::Is_Empty() const
{
    return !has_uncertainty && !has_r0 && !has_temperature && !has_cte;
}

double TTestConditions::Uncertainty(const double &length) const
{
    if (!has_uncertainty) {
        return 0.0;
    }
    return has_ku ? u0 + std::fabs(length) / ku : u0;
}

bool TTestConditions::Gauge_Temperature(const TMeasurementData::TMeasurement &measurement,
                                        double *temperature_) const
{
    if (measurement.has_temperature) {
        *temperature_ = measurement.temperature;
        return true;
    }
    if (has_temperature) {
        *temperature_ = temperature;
        return true;
    }
    return false;
}

bool TTestConditions::Corrects(const TMeasurementData::TMeasurement &measurement) const
{
    double t = 0.0;
    return has_cte && Gauge_Temperature(measurement, &t);
}

double TTestConditions::Corrected_Length(const TMeasurementData::TMeasurement &measurement) const
{
    double t = 0.0;
    if (!has_cte || !Gauge_Temperature(measurement, &t)) {
        return measurement.measured_length;
    }
    // The gauge grew by α · Δt per unit length; the length it would have at 20 °C, to first
    // order, which is far below a nanometre per metre for any Δt of a workshop.
    return measurement.measured_length * (1.0 - cte * 1e-6 * (t - reference_temperature));
}

TMeasurementData TTestConditions::Corrected(const TMeasurementData &data) const
{
    TMeasurementData corrected = data;
    if (!has_cte) {
        return corrected;
    }
    for (TMeasurementData::TMeasurement measurement : data.Measurements()) {
        if (measurement.has_measured_length && Corrects(measurement)) {
            measurement.measured_length = Corrected_Length(measurement);
            corrected.Update_Measurement(measurement);
        }
    }
    return corrected;
}

QString TTestConditions::Uncertainty_Text() const
{
    if (!has_uncertainty) {
        return QString();
    }
    return has_ku ? TNumberText::Shortest(u0) + QLatin1Char(',') + TNumberText::Shortest(ku)
                  : TNumberText::Shortest(u0);
}

QMap<QString, QString> TTestConditions::Texts() const
{
    QMap<QString, QString> texts;
    if (has_uncertainty) {
        texts.insert(uncertainty_key, Uncertainty_Text());
    }
    if (has_r0) {
        texts.insert(r0_key, TNumberText::Shortest(r0));
    }
    if (has_temperature) {
        texts.insert(temperature_key, TNumberText::Shortest(temperature));
    }
    if (has_cte) {
        texts.insert(cte_key, TNumberText::Shortest(cte));
    }
    return texts;
}

bool TTestConditions::Set(const QString &key, const QString &text, QString *reason)
{
    Q_ASSERT(reason);
    const auto number = [&text, reason](double *value) {
        if (!TNumberText::Read_Finite(text, value)) {
            *reason = tr("\"%1\" is not a number").arg(text);
            return false;
        }
        return true;
    };
    if (key == uncertainty_key) {
        const QStringList parts = text.split(QLatin1Char(','));
        double values[2] = {0.0, 1.0};
        if (parts.size() > 2) {
            *reason = tr("the test uncertainty is U0 or U0,KU: \"%1\"").arg(text);
            return false;
        }
        for (int i = 0; i < parts.size(); ++i) {
            if (!TNumberText::Read_Finite(parts[i], &values[i])) {
                *reason = tr("\"%1\" is not a number").arg(parts[i].trimmed());
                return false;
            }
        }
        if (values[0] < 0.0) {
            *reason = tr("U0 must not be negative: \"%1\"").arg(parts[0].trimmed());
            return false;
        }
        if (parts.size() == 2 && !(values[1] > 0.0)) {
            *reason = tr("KU must be greater than 0: \"%1\"").arg(parts[1].trimmed());
            return false;
        }
        has_uncertainty = true;
        u0 = values[0];
        has_ku = parts.size() == 2;
        ku = values[1];
        return true;
    }
    double value = 0.0;
    if (!number(&value)) {
        return false;
    }
    if (key == r0_key) {
        if (!(value > 0.0)) {
            *reason = tr("R0 must be greater than 0: \"%1\"").arg(text);
            return false;
        }
        has_r0 = true;
        r0 = value;
        return true;
    }
    if (key == temperature_key) {
        if (value < lowest_temperature || value > highest_temperature) {
            *reason = tr("the gauge's temperature must lie between %1 and %2 °C: \"%3\"")
                          .arg(lowest_temperature)
                          .arg(highest_temperature)
                          .arg(text);
            return false;
        }
        has_temperature = true;
        temperature = value;
        return true;
    }
    if (key == cte_key) {
        if (std::fabs(value) > largest_cte) {
            *reason =
                tr("the expansion coefficient must lie between -%1 and %1 (10\u207b\u2076/K): "
                   "\"%2\"")
                    .arg(largest_cte)
                    .arg(text);
            return false;
        }
        has_cte = true;
        cte = value;
        return true;
    }
    *reason = tr("unknown condition \"%1\"").arg(key);
    return false;
}

bool TTestConditions::From_Texts(const QMap<QString, QString> &texts, TTestConditions *conditions,
                                 QStringList *problems)
{
    Q_ASSERT(conditions && problems);
    *conditions = TTestConditions();
    bool all = true;
    for (auto entry = texts.cbegin(); entry != texts.cend(); ++entry) {
        QString reason;
        if (!conditions->Set(entry.key(), entry.value(), &reason)) {
            *problems << entry.key() + QStringLiteral(": ") + reason;
            all = false;
        }
    }
    return all;
}

bool TTestConditions::operator==(const TTestConditions &other) const
{
    return Texts() == other.Texts();
}
