// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TFITJSON_H
#define TFITJSON_H

#include <QString>
#include <vector>

#include "modelcomparison.h"
#include "parameterfit.h"

// A fit as the batch tool prints it: JSON with the fitted parameters, their uncertainties and
// correlations, what the data determine only poorly, and the residuals.
class TFitJson
{
public:
    // held are the parameters the fit left out by default because the measurements determine
    // them only poorly; they are listed with the poorly determined ones of the fit itself.
    // controller holds the parameters rounded for the controller, and controller_rms the
    // residual RMS (µm) they give; the prediction is written only with an MPE.
    static QString Of_Fit(const TParameterFit::TResult &result,
                          const std::vector<TParameterFit::TPoorlyDetermined> &held,
                          const double controller[4], const double &controller_rms, bool has_mpe,
                          const TParameterFit::TPrediction &prediction,
                          const std::vector<TParameterFit::TLine> &lines);
    // Each model fitted to the same data: "models" (one object per model with "model",
    // "fitted" (its parameters, or null), "free", "rms_after_um", "max_residual_um",
    // "free_parameters", "bic", "poorly_determined", "reaches_repeatability" and, when it could
    // not be fitted, "error"), "repeatability_um" and "best", the key of the best model.
    static QString Of_Comparison(const TModelComparison::TComparison &comparison);
    // A list of numbers or null for each NaN or infinite one.
    static QString Numbers(const std::vector<double> &values);
    static QString Integers(const std::vector<int> &values);
};

#endif
