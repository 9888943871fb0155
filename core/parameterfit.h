// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TPARAMETERFIT_H
#define TPARAMETERFIT_H

#include <QCoreApplication>
#include <QString>
#include <functional>
#include <vector>

#include "measurementdata.h"

class TMpe;

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

    // A free parameter the measurements determine only poorly: it moves the measured lengths
    // almost exactly as a combination of the other free parameters does, so the data cannot
    // tell them apart.
    struct TPoorlyDetermined {
        int number;             // 1 to 4
        double correlation;     // its multiple correlation with the others, 0 to 1
        std::vector<int> alike; // the others it is most correlated with, strongest first
    };

    // What a set of measurements says about the free parameters before or after a fit.
    struct TIdentifiability {
        // The parameters' correlations, free by free in the order of free; NaN where a
        // parameter is not determined at all.
        std::vector<std::vector<double>> correlation;
        // Each parameter's multiple correlation with all the other free ones, 0 to 1; NaN where
        // it is not determined at all.
        std::vector<double> multiple_correlation;
        // The largest over the smallest singular value of the problem with each parameter's
        // column scaled to length 1; infinite when a direction is not determined at all.
        double condition_number;
        std::vector<TPoorlyDetermined> poorly_determined;
    };

    struct TResult {
        // False when nothing could be fitted; error says why.
        bool fitted;
        QString error;
        bool cancelled; // by the progress callback
        int model_type;
        std::vector<int> free; // parameter numbers 1 to 4
        double initial[4];
        double parameters[4]; // the held ones unchanged
        // The standard uncertainty of each determined free parameter; none for the others,
        // and none at all when there are no more measurements than determined directions.
        bool has_uncertainty[4];
        double uncertainty[4];
        std::vector<int> undetermined; // free parameter numbers the data cannot determine
        // At the fitted parameters.
        TIdentifiability identifiability;
        int measurements_used;
        int iterations;
        double rms_before; // µm
        double rms_after;
        double largest_before; // largest |residual|, µm
        double largest_after;
        std::vector<TResidual> residuals; // measured measurements, in store order
    };

    // How the measured results would be judged after compensation with the fitted parameters:
    // each residual is then the error that is left, held against the MPE at its length.
    struct TPrediction {
        int pass = 0;
        int fail = 0;
        int largest_id = 0;         // the residual with the largest |residual| / MPE
        double largest = 0.0;       // µm
        double largest_ratio = 0.0; // |residual| / MPE
    };

    // The residuals of one line of gauges: one direction, one line through the volume.
    struct TLine {
        QString direction; // "Y", "Z", "Diagonal +", ... as files write it
        // Where the line runs: for a line along Y its Z, along Z its Y (mm); for any other
        // its distance from the line through the origin.
        double at;
        int count;
        double rms; // µm
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

    // Which of the free parameters the measured measurements determine only poorly, at these
    // parameters; with simulated lengths in place of the measured ones this judges a plan
    // before anything is measured.
    static TIdentifiability Identifiability(int model_type, const double parameters[4],
                                            const double &range_y, const double &range_z,
                                            const TMeasurementData &data,
                                            const std::vector<int> &free);
    // What a plan would determine before anything is measured: the same judgement on the
    // lengths the model with these parameters gives at the plan's gauges.
    static TIdentifiability Plan_Identifiability(
        int model_type, const double parameters[4], const double &range_y, const double &range_z,
        const std::vector<TMeasurementData::TMeasurement> &plan, const std::vector<int> &free);
    // "The plan determines parameters 2 and 3 of the Generic Deflection model; 1 only poorly."
    static QString Plan_Text(int model_type, const std::vector<int> &free,
                             const TIdentifiability &identifiability);
    // The free parameters without the poorly determined ones: what a fit uses by default.
    static std::vector<int> Without_Poorly_Determined(const std::vector<int> &free,
                                                      const TIdentifiability &identifiability);
    // A sentence for the user on each poorly determined parameter: why, and what to measure.
    static QStringList Poorly_Determined_Reasons(int model_type,
                                                 const TIdentifiability &identifiability);
    // The residuals after the fit grouped by line, in the order the lines first appear.
    static std::vector<TLine> Lines(const TResult &result, const TMeasurementData &data,
                                    const double &range_y, const double &range_z);
    // The prediction of a fit against the MPE; all zero without an MPE.
    static TPrediction Predict(const TResult &result, const TMeasurementData &data,
                               const TMpe &mpe);
    // The value rounded to the decimals a controller takes: exactly the number its text with
    // that many decimals reads as, so that what a field shows is what the model uses.
    static double Controller_Value(const double &value, int decimals);
    // The RMS (µm) of measured minus actual length over the measured measurements, with
    // these parameters; 0 without measured lengths or without a model.
    static double Residual_Rms(int model_type, const double parameters[4], const double &range_y,
                               const double &range_z, const TMeasurementData &data);
    // A sentence for the user on why these parameters could not be determined.
    static QString Undetermined_Reason(const TResult &result);
};

#endif
