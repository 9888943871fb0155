// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TPARAMETERFIT_H
#define TPARAMETERFIT_H

#include <QCoreApplication>
#include <QString>
#include <functional>
#include <vector>

class TMeasurementData;

// Finds the parameters of a deflection model that explain measured lengths: the sum of squared
// residuals (measured length - the model's actual length, computed exactly as everywhere else)
// is minimised over the free parameters by Levenberg-Marquardt on column-scaled parameters,
// starting from the given ones. The linear algebra is an SVD: directions the measurements do not
// determine (singular values below a relative tolerance) are never stepped along, and the
// parameters they involve are reported instead of being given invented values.
class TParameterFit
{
    Q_DECLARE_TR_FUNCTIONS(TParameterFit)

public:
    struct TResidual {
        int id;
        double before; // µm
        double after;  // µm
    };

    struct TResult {
        // False when nothing could be fitted; error says why.
        bool fitted;
        QString error;
        int model_type;
        std::vector<int> free; // parameter numbers 1 to 4
        double initial[4];
        double parameters[4]; // the held ones unchanged
        // The standard uncertainty of each determined free parameter; none for the others,
        // and none at all when there are no more measurements than determined directions.
        bool has_uncertainty[4];
        double uncertainty[4];
        std::vector<int> undetermined; // free parameter numbers the data cannot determine
        int measurements_used;
        int iterations;
        double rms_before; // µm
        double rms_after;
        double largest_before; // largest |residual|, µm
        double largest_after;
        std::vector<TResidual> residuals; // measured measurements, in store order
    };

    // Called now and then with the iteration; returning false cancels the fit.
    using TProgress = std::function<bool(int iteration)>;

    // The free parameters a fit uses unless told otherwise: those the model reads, except LK's
    // 1 and 3, which act only through their products with 2 and 4.
    static std::vector<int> Default_Free(int model_type);

    // parameters and the ranges as the model in use has them.
    static TResult Fit(int model_type, const double parameters[4], const double &range_y,
                       const double &range_z, const TMeasurementData &data,
                       const std::vector<int> &free, const TProgress &progress = TProgress());

    // A sentence for the user on why these parameters could not be determined.
    static QString Undetermined_Reason(const TResult &result);
};

#endif
