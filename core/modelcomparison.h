// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TMODELCOMPARISON_H
#define TMODELCOMPARISON_H

#include <QCoreApplication>
#include <vector>

#include "parameterfit.h"

class TMeasurementData;
class TTestDocument;

// Which model explains a machine: each of the three is fitted to the same measured lengths,
// from the parameters it has in the test (its presets where it has none), with the parameters
// the data determine only poorly held. The models are ranked by the Bayesian information
// criterion, which charges every free parameter, and held against the repeatability of the
// repeated measurements, below which no model can explain anything.
class TModelComparison
{
    Q_DECLARE_TR_FUNCTIONS(TModelComparison)

public:
    struct TEntry {
        int model_index;
        TParameterFit::TResult fit;
        // Left out of the fit because the data determine them only poorly.
        std::vector<TParameterFit::TPoorlyDetermined> held;
        // n ln(RSS / n) + k ln(n), with the residuals in µm and k free parameters; NaN when
        // the model could not be fitted.
        double bic;
        // The residual RMS is within a quarter of the repeatability floor.
        bool reaches_floor;
    };

    struct TComparison {
        std::vector<TEntry> entries; // in the order the window lists the models
        int best = -1;               // the entry with the lowest BIC; -1 when none was fitted
        bool has_floor = false;
        double floor = 0.0; // µm
    };

    // Called now and then with the model being fitted and the fit's iteration; returning false
    // cancels the comparison.
    using TProgress = std::function<bool(int model_index, int iteration)>;

    static TComparison Compare(const TTestDocument &document,
                               const TProgress &progress = TProgress());
    // The pooled standard deviation (µm) of the measured lengths within each group of
    // repetitions (the same nominal length, position and axis to 1e-9 mm); false without a
    // group of two measured lengths.
    static bool Repeatability_Floor(const TMeasurementData &data, double *floor);
};

#endif
