// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TTESTCONDITIONS_H
#define TTESTCONDITIONS_H

#include <QCoreApplication>
#include <QMap>
#include <QString>
#include <QStringList>

#include "measurementdata.h"

// The conditions under which a test's results are judged besides the MPE: the test
// uncertainty U(L) = U0 + L / KU µm (constant without KU), the MPE of the repeatability range
// R0 µm, and the gauge's temperature t °C and expansion coefficient α (10⁻⁶/K) with which a
// measured length is brought to 20 °C. Each is optional; a test without any is judged as it
// always was.
class TTestConditions
{
    Q_DECLARE_TR_FUNCTIONS(TTestConditions)

public:
    // The reference temperature of length measurement (ISO 1).
    static constexpr double reference_temperature = 20.0;

    double u0 = 0.0; // µm
    double ku = 1.0;
    double r0 = 0.0;                            // µm
    double temperature = reference_temperature; // °C
    double cte = 0.0;                           // 10⁻⁶/K
    bool has_uncertainty = false;
    bool has_ku = false;
    bool has_r0 = false;
    bool has_temperature = false;
    bool has_cte = false;

    // None of the conditions is given.
    bool Is_Empty() const;
    // U(L) in µm for a length in mm; 0 without a test uncertainty.
    double Uncertainty(const double &length) const;
    // The gauge's temperature for the measurement: its own, else the test's; false with
    // neither.
    bool Gauge_Temperature(const TMeasurementData::TMeasurement &measurement,
                           double *temperature) const;
    // True when the measured length is corrected to 20 °C: α is given, and a temperature.
    bool Corrects(const TMeasurementData::TMeasurement &measurement) const;
    // L20 = L · (1 − α · 10⁻⁶ · (t − 20 °C)) when Corrects, else the measured length itself.
    double Corrected_Length(const TMeasurementData::TMeasurement &measurement) const;
    // The measurements with each measured length corrected to 20 °C where Corrects: what a fit
    // must explain, so that its residuals are the errors the results are judged by.
    TMeasurementData Corrected(const TMeasurementData &data) const;

    // The conditions as texts by key, as the settings and the test file hold them
    // ("Uncertainty" = "U0" or "U0,KU", "MPE_R0", "Gauge_Temperature", "Gauge_CTE"), in the
    // C locale, shortest exact; keys of conditions not given are left out.
    QMap<QString, QString> Texts() const;
    // Reads the texts Texts() writes. Each value that cannot be used is left out of the
    // conditions and named in *problems ("Gauge_CTE: ..."); true when there was none.
    static bool From_Texts(const QMap<QString, QString> &texts, TTestConditions *conditions,
                           QStringList *problems);
    // One condition from its key and text, as the batch tool's options and the dialog give
    // them; false, with the reason and nothing changed, for a text it cannot use.
    bool Set(const QString &key, const QString &text, QString *reason);
    // "U0" or "U0,KU"; empty without a test uncertainty.
    QString Uncertainty_Text() const;

    bool operator==(const TTestConditions &other) const;
    bool operator!=(const TTestConditions &other) const { return !(*this == other); }

    static const QStringList &Keys();
};

#endif
