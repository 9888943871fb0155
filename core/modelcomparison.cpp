// SPDX-License-Identifier: GPL-3.0-or-later
#include "modelcomparison.h"

#include <cmath>
#include <limits>
#include <map>
#include <tuple>

#include "measurementdata.h"
#include "modelcatalog.h"
#include "testdocument.h"

namespace
{
// A residual sum of squares is taken as at least this per measurement (µm²): a fit without
// noise would otherwise give the logarithm of 0. A picometre is far below the rounding of any
// measured length.
const double smallest_square = 1e-12;
// A model explains the data down to the noise when its residual RMS stays within this factor
// of the repeatability floor: with the right model the residuals are the repeatability itself,
// a little less for the degrees of freedom the fit takes.
const double floor_factor = 1.25;
} // namespace

bool TModelComparison::Repeatability_Floor(const TMeasurementData &data, double *floor)
{
    Q_ASSERT(floor);
    const auto nano = [](const double &value) { return std::llround(value * 1e9); };
    using TKey =
        std::tuple<long long, long long, long long, long long, long long, long long, long long>;
    std::map<TKey, std::vector<double>> groups;
    for (const TMeasurementData::TMeasurement &m : data.Measurements()) {
        if (m.has_measured_length) {
            groups[TKey(nano(m.nominal_length), nano(m.position.x), nano(m.position.y),
                        nano(m.position.z), nano(m.axis.x), nano(m.axis.y), nano(m.axis.z))]
                .push_back(m.measured_length);
        }
    }
    double squares = 0.0;
    int freedom = 0;
    for (const auto &group : groups) {
        const std::vector<double> &lengths = group.second;
        if (lengths.size() < 2) {
            continue;
        }
        double mean = 0.0;
        for (const double &length : lengths) {
            mean += length;
        }
        mean /= double(lengths.size());
        for (const double &length : lengths) {
            squares += (length - mean) * (length - mean);
        }
        freedom += int(lengths.size()) - 1;
    }
    if (freedom == 0) {
        return false;
    }
    *floor = std::sqrt(squares / freedom) * 1000.0;
    return true;
}

TModelComparison::TComparison TModelComparison::Compare(const TTestDocument &document,
                                                        const TProgress &progress)
{
    TComparison comparison;
    const TMeasurementData data = document.Fit_Data();
    comparison.has_floor = Repeatability_Floor(data, &comparison.floor);
    const double range_y = document.Field_Value(TTestDocument::FIELD_RANGE_Y);
    const double range_z = document.Field_Value(TTestDocument::FIELD_RANGE_Z);
    double best_bic = std::numeric_limits<double>::infinity();
    for (int index = 0; index < TModelCatalog::Model_Count(); ++index) {
        const int type = TModelCatalog::Model_At(index).type;
        std::array<double, 4> start{};
        document.Model_Parameters(index, &start);
        const std::vector<int> defaults = TParameterFit::Default_Free(type);
        const TParameterFit::TIdentifiability identifiability =
            TParameterFit::Identifiability(type, start.data(), range_y, range_z, data, defaults);
        TEntry entry;
        entry.model_index = index;
        entry.held = identifiability.poorly_determined;
        entry.fit = TParameterFit::Fit(
            type, start.data(), range_y, range_z, data,
            TParameterFit::Without_Poorly_Determined(defaults, identifiability),
            progress ? TParameterFit::TProgress(
                           [&progress, index](int iteration) { return progress(index, iteration); })
                     : TParameterFit::TProgress());
        entry.bic = std::numeric_limits<double>::quiet_NaN();
        entry.reaches_floor = false;
        if (entry.fit.fitted) {
            const double n = double(entry.fit.measurements_used);
            const double squares =
                std::max(entry.fit.rms_after * entry.fit.rms_after * n, smallest_square * n);
            const double free = double(entry.fit.free.size() - entry.fit.undetermined.size());
            entry.bic = n * std::log(squares / n) + free * std::log(n);
            entry.reaches_floor =
                comparison.has_floor && entry.fit.rms_after <= floor_factor * comparison.floor;
            if (entry.bic < best_bic) {
                best_bic = entry.bic;
                comparison.best = int(comparison.entries.size());
            }
        } else if (entry.fit.cancelled) {
            comparison.entries.clear();
            comparison.best = -1;
            return comparison;
        }
        comparison.entries.push_back(entry);
    }
    return comparison;
}
