// SPDX-License-Identifier: GPL-3.0-or-later
#include "parameterfit.h"

#include <Eigen/Dense>
#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <set>

#include "deflectionmodel.h"
#include "evaluation.h"
#include "measurementdata.h"
#include "modelcatalog.h"
#include "mpe.h"
#include "numbertext.h"

namespace
{
// Singular values below this fraction of the largest belong to directions the measurements
// do not determine. Scaled columns make the largest about 1; the slopes are good to about
// 1e-10, so parameters that act alike fall below, while even second-order information (the
// Generic rotation on lines through the centre, about 1e-5) stays above.
const double rank_tolerance = 1e-7;
// A null direction involves a parameter when its component (of a unit vector) exceeds this.
const double involvement = 0.1;
const int iteration_limit = 200;
// A parameter whose multiple correlation with the other free parameters reaches this is named
// as poorly determined. Its uncertainty is then 1 / sqrt(1 - 0.99^2), about 7 times, what it
// would be if the others were known, and small systematic errors of the lengths (a fraction of
// a micrometre) move it by as much as it is worth. On the default plan (four lines through the
// centre, 1000 mm volume) the Generic tower rotation reaches more than 0.99999 against the two
// translations; with Y lines and Z lines also at a fifth and four fifths of the volume every
// Generic parameter stays at 0.968. Renishaw's Bend2 and Bend3, the quadratic and the cubic
// term, correlate at 0.985 to 0.988 on both plans and are still recovered within their
// uncertainties, which is why the limit sits above them; LK's 2 and 4 stay at 0.48.
const double correlation_limit = 0.99;

// The measured lengths and the model they are compared with.
class TProblem
{
public:
    TProblem(int model_type, const double parameters[4], const double &range_y,
             const double &range_z, const TMeasurementData &data, const std::vector<int> &free)
        : model(TModelCatalog::Create(model_type))
        , free_indexes()
    {
        std::copy(parameters, parameters + 4, base);
        if (model) {
            model->Set_Range_Y(range_y);
            model->Set_Range_Z(range_z);
        }
        for (const int number : free) {
            free_indexes.push_back(number - 1);
        }
        for (const TMeasurementData::TMeasurement &measurement : data.Measurements()) {
            if (measurement.has_measured_length) {
                measured.push_back(&measurement);
            }
        }
    }

    bool Has_Model() const { return model != nullptr; }
    int Rows() const { return int(measured.size()); }
    int Columns() const { return int(free_indexes.size()); }
    int Id(int row) const { return measured[size_t(row)]->id; }

    Eigen::VectorXd Start() const
    {
        Eigen::VectorXd p(Columns());
        for (int j = 0; j < Columns(); ++j) {
            p(j) = base[free_indexes[size_t(j)]];
        }
        return p;
    }

    // All four parameters with the free ones taken from p.
    void Parameters(const Eigen::VectorXd &p, double all[4]) const
    {
        std::copy(base, base + 4, all);
        for (int j = 0; j < Columns(); ++j) {
            all[free_indexes[size_t(j)]] = p(j);
        }
    }

    // measured - actual for every measured measurement (mm).
    Eigen::VectorXd Residuals(const Eigen::VectorXd &p) const
    {
        double all[4];
        Parameters(p, all);
        model->Set_Parameter1(all[0]);
        model->Set_Parameter2(all[1]);
        model->Set_Parameter3(all[2]);
        model->Set_Parameter4(all[3]);
        Eigen::VectorXd r(Rows());
        for (int i = 0; i < Rows(); ++i) {
            const TMeasurementData::TMeasurement &m = *measured[size_t(i)];
            r(i) = m.measured_length -
                   TEvaluation::Actual_Length(model.get(), m.position, m.axis, m.nominal_length);
        }
        return r;
    }

    // d(actual)/d(p) by central differences. Lengths of a metre carry rounding of about 1e-13
    // mm, so each step is sized to change the lengths by about a micrometre: the rounding then
    // spoils the slopes only in their tenth digit. The models are nearly linear in their
    // parameters, so such steps cost no accuracy; and parameters that act only through a
    // product get steps that change that product alike, which keeps their columns exactly
    // proportional, as they should be.
    Eigen::MatrixXd Jacobian(const Eigen::VectorXd &p) const
    {
        const double target = 1e-3; // mm
        Eigen::MatrixXd jacobian(Rows(), Columns());
        for (int j = 0; j < Columns(); ++j) {
            double h = 1e-6 * std::max(std::fabs(p(j)), 1e-3);
            Eigen::VectorXd slope = Slope(p, j, h);
            const double change = slope.cwiseAbs().maxCoeff() * h;
            if (change > 0.0 && std::isfinite(change)) {
                h *= std::min(std::max(target / change, 1e-3), 1e6);
                slope = Slope(p, j, h);
            }
            jacobian.col(j) = slope;
        }
        return jacobian;
    }

    Eigen::VectorXd Slope(const Eigen::VectorXd &p, int j, const double &h) const
    {
        Eigen::VectorXd up = p;
        Eigen::VectorXd down = p;
        up(j) += h;
        down(j) -= h;
        // Residuals are measured - actual, hence the order.
        return (Residuals(down) - Residuals(up)) / (up(j) - down(j));
    }

private:
    std::unique_ptr<TDeflectionModel> model;
    double base[4];
    std::vector<int> free_indexes;
    std::vector<const TMeasurementData::TMeasurement *> measured;
};

// The Jacobian's SVD on scaled columns, and what it says about the free parameters.
struct TDecomposition {
    Eigen::VectorXd scale; // column norms (1 for a zero column)
    Eigen::MatrixXd u;
    Eigen::VectorXd s;
    Eigen::MatrixXd v;
    int rank;

    explicit TDecomposition(const Eigen::MatrixXd &jacobian)
        : scale(jacobian.cols())
        , rank(0)
    {
        for (int j = 0; j < jacobian.cols(); ++j) {
            const double norm = jacobian.col(j).norm();
            scale(j) = norm > 0.0 && std::isfinite(norm) ? norm : 1.0;
        }
        const Eigen::MatrixXd scaled = jacobian * scale.cwiseInverse().asDiagonal();
        const Eigen::JacobiSVD<Eigen::MatrixXd> svd(scaled,
                                                    Eigen::ComputeFullU | Eigen::ComputeFullV);
        u = svd.matrixU();
        s = svd.singularValues();
        v = svd.matrixV();
        const double largest = s.size() > 0 ? s(0) : 0.0;
        for (int k = 0; k < s.size(); ++k) {
            if (std::isfinite(s(k)) && s(k) > rank_tolerance * largest && largest > 0.0) {
                ++rank;
            }
        }
    }

    // The Levenberg-Marquardt step for the residuals, within the determined directions only.
    Eigen::VectorXd Step(const Eigen::VectorXd &residuals, const double &lambda) const
    {
        Eigen::VectorXd scaled_step = Eigen::VectorXd::Zero(v.rows());
        for (int k = 0; k < rank; ++k) {
            const double weight = s(k) / (s(k) * s(k) + lambda);
            scaled_step += v.col(k) * (weight * u.col(k).dot(residuals));
        }
        return scaled_step.cwiseQuotient(scale);
    }

    // The free parameter numbers (1 to 4) involved in directions that are not determined.
    std::set<int> Undetermined(const std::vector<int> &free) const
    {
        std::set<int> numbers;
        for (int k = rank; k < v.cols(); ++k) {
            for (int j = 0; j < v.rows(); ++j) {
                if (std::fabs(v(j, k)) > involvement) {
                    numbers.insert(free[size_t(j)]);
                }
            }
        }
        return numbers;
    }
};

// The correlations of the estimates of the determined columns (the others NaN), from the
// pseudo-inverse of the scaled normal matrix.
Eigen::MatrixXd Correlation(const TDecomposition &decomposition,
                            const std::set<int> &undetermined_columns)
{
    const Eigen::Index n = decomposition.v.rows();
    Eigen::MatrixXd covariance = Eigen::MatrixXd::Zero(n, n);
    for (int k = 0; k < decomposition.rank; ++k) {
        covariance += decomposition.v.col(k) * decomposition.v.col(k).transpose() /
                      (decomposition.s(k) * decomposition.s(k));
    }
    Eigen::MatrixXd correlation(n, n);
    for (Eigen::Index i = 0; i < n; ++i) {
        for (Eigen::Index j = 0; j < n; ++j) {
            const bool known = !undetermined_columns.count(int(i)) &&
                               !undetermined_columns.count(int(j)) && covariance(i, i) > 0.0 &&
                               covariance(j, j) > 0.0;
            correlation(i, j) =
                known ? covariance(i, j) / std::sqrt(covariance(i, i) * covariance(j, j))
                      : std::numeric_limits<double>::quiet_NaN();
        }
    }
    return correlation;
}

// The columns (of the free parameters) that the decomposition cannot determine.
std::set<int> Undetermined_Columns(const TDecomposition &decomposition)
{
    std::set<int> columns;
    for (Eigen::Index k = decomposition.rank; k < decomposition.v.cols(); ++k) {
        for (Eigen::Index j = 0; j < decomposition.v.rows(); ++j) {
            if (std::fabs(decomposition.v(j, k)) > involvement) {
                columns.insert(int(j));
            }
        }
    }
    return columns;
}

// The largest multiple correlation of any column with the others; 1 when some direction is
// not determined at all.
double Largest_Multiple_Correlation(const TDecomposition &decomposition)
{
    const Eigen::Index n = decomposition.v.rows();
    if (decomposition.rank < n) {
        return 1.0;
    }
    double largest = 0.0;
    for (Eigen::Index c = 0; c < n; ++c) {
        double inflation = 0.0;
        for (Eigen::Index k = 0; k < n; ++k) {
            inflation += decomposition.v(c, k) * decomposition.v(c, k) /
                         (decomposition.s(k) * decomposition.s(k));
        }
        largest = std::max(largest, inflation > 1.0 ? std::sqrt(1.0 - 1.0 / inflation) : 0.0);
    }
    return largest;
}

TParameterFit::TIdentifiability Analyse(const Eigen::MatrixXd &jacobian,
                                        const std::vector<int> &free)
{
    TParameterFit::TIdentifiability result;
    const TDecomposition decomposition(jacobian);
    const Eigen::Index n = jacobian.cols();
    // Fewer measurements than parameters leave directions without a singular value.
    const double smallest = n > 0 && decomposition.s.size() == n ? decomposition.s(n - 1) : 0.0;
    result.condition_number = decomposition.rank == n && smallest > 0.0
                                  ? decomposition.s(0) / smallest
                                  : std::numeric_limits<double>::infinity();
    const std::set<int> undetermined = Undetermined_Columns(decomposition);
    const Eigen::MatrixXd correlation = Correlation(decomposition, undetermined);
    result.correlation.assign(size_t(n), std::vector<double>(size_t(n), 0.0));
    result.multiple_correlation.assign(size_t(n), std::numeric_limits<double>::quiet_NaN());
    for (Eigen::Index c = 0; c < n; ++c) {
        if (undetermined.count(int(c))) {
            continue;
        }
        double inflation = 0.0;
        for (int k = 0; k < decomposition.rank; ++k) {
            inflation += decomposition.v(c, k) * decomposition.v(c, k) /
                         (decomposition.s(k) * decomposition.s(k));
        }
        result.multiple_correlation[size_t(c)] =
            inflation > 1.0 ? std::sqrt(1.0 - 1.0 / inflation) : 0.0;
    }
    for (Eigen::Index i = 0; i < n; ++i) {
        for (Eigen::Index j = 0; j < n; ++j) {
            result.correlation[size_t(i)][size_t(j)] = correlation(i, j);
        }
    }

    // Of a group of parameters that act alike, the one without which the others are best
    // determined is named and set aside, and the rest is judged again without it: holding
    // that one is what makes the others determined.
    std::vector<int> columns;
    for (int j = 0; j < int(n); ++j) {
        if (!undetermined.count(j)) {
            columns.push_back(j);
        }
    }
    while (columns.size() > 1) {
        Eigen::MatrixXd part(jacobian.rows(), Eigen::Index(columns.size()));
        for (size_t c = 0; c < columns.size(); ++c) {
            part.col(Eigen::Index(c)) = jacobian.col(columns[c]);
        }
        const TDecomposition sub(part);
        if (sub.rank < part.cols()) {
            break;
        }
        Eigen::MatrixXd covariance = Eigen::MatrixXd::Zero(part.cols(), part.cols());
        for (int k = 0; k < sub.rank; ++k) {
            covariance += sub.v.col(k) * sub.v.col(k).transpose() / (sub.s(k) * sub.s(k));
        }
        Eigen::Index named = -1;
        double best_condition = std::numeric_limits<double>::infinity();
        bool named_rest_determined = false;
        for (Eigen::Index c = 0; c < part.cols(); ++c) {
            // Scaled columns have length 1, so the variance inflation is the diagonal.
            const double inflation = covariance(c, c);
            const double multiple = inflation > 1.0 ? std::sqrt(1.0 - 1.0 / inflation) : 0.0;
            if (multiple < correlation_limit) {
                continue;
            }
            // The one to hold is the one without which the others are determined best.
            Eigen::MatrixXd rest(part.rows(), part.cols() - 1);
            for (Eigen::Index k = 0, r = 0; k < part.cols(); ++k) {
                if (k != c) {
                    rest.col(r++) = part.col(k);
                }
            }
            const TDecomposition without(rest);
            const double condition =
                without.s.size() == rest.cols() && without.s(rest.cols() - 1) > 0.0
                    ? without.s(0) / without.s(rest.cols() - 1)
                    : std::numeric_limits<double>::infinity();
            // Where holding any of several would do, the first in the model's order is named:
            // each model lists its rotation first, the parameter that lines through the centre
            // see only through second-order effects.
            const bool rest_determined = Largest_Multiple_Correlation(without) < correlation_limit;
            if (named < 0 || (rest_determined && !named_rest_determined) ||
                (!rest_determined && !named_rest_determined && condition < best_condition)) {
                named = c;
                best_condition = condition;
                named_rest_determined = rest_determined;
            }
        }
        if (named < 0) {
            break;
        }
        TParameterFit::TPoorlyDetermined poor;
        poor.number = free[size_t(columns[size_t(named)])];
        poor.correlation = std::sqrt(1.0 - 1.0 / covariance(named, named));
        std::vector<std::pair<double, int>> alike;
        for (Eigen::Index c = 0; c < part.cols(); ++c) {
            if (c != named) {
                const double r =
                    covariance(named, c) / std::sqrt(covariance(named, named) * covariance(c, c));
                alike.emplace_back(-std::fabs(r), free[size_t(columns[size_t(c)])]);
            }
        }
        std::sort(alike.begin(), alike.end());
        for (const std::pair<double, int> &other : alike) {
            poor.alike.push_back(other.second);
        }
        result.poorly_determined.push_back(poor);
        columns.erase(columns.begin() + std::ptrdiff_t(named));
    }
    std::sort(result.poorly_determined.begin(), result.poorly_determined.end(),
              [](const TParameterFit::TPoorlyDetermined &a,
                 const TParameterFit::TPoorlyDetermined &b) { return a.number < b.number; });
    return result;
}

double Rms(const Eigen::VectorXd &residuals)
{
    return residuals.size() > 0 ? std::sqrt(residuals.squaredNorm() / double(residuals.size()))
                                : 0.0;
}
} // namespace

std::vector<int> TParameterFit::Default_Free(int model_type)
{
    switch (model_type) {
    case TModelCatalog::GENERIC:
    case TModelCatalog::RENISHAW:
        return {1, 2, 3};
    case TModelCatalog::LK:
        return {2, 4};
    default:
        return {};
    }
}

TParameterFit::TResult TParameterFit::Fit(int model_type, const double parameters[4],
                                          const double &range_y, const double &range_z,
                                          const TMeasurementData &data,
                                          const std::vector<int> &free, const TProgress &progress)
{
    TResult result = {};
    result.model_type = model_type;
    result.free = free;
    std::sort(result.free.begin(), result.free.end());
    result.free.erase(std::unique(result.free.begin(), result.free.end()), result.free.end());
    std::copy(parameters, parameters + 4, result.initial);
    std::copy(parameters, parameters + 4, result.parameters);

    const TProblem problem(model_type, parameters, range_y, range_z, data, result.free);
    result.measurements_used = problem.Rows();
    if (!problem.Has_Model()) {
        result.error = TParameterFit::tr("No deflection model is chosen.");
        return result;
    }
    if (result.free.empty() || result.free.front() < 1 || result.free.back() > 4) {
        result.error = TParameterFit::tr("Choose the parameters to fit (numbers 1 to 4).");
        return result;
    }
    if (problem.Rows() == 0) {
        result.error = TParameterFit::tr("No measurement has a measured length.");
        return result;
    }

    Eigen::VectorXd p = problem.Start();
    Eigen::VectorXd residuals = problem.Residuals(p);
    if (!residuals.allFinite()) {
        result.error =
            TParameterFit::tr("The model gives no finite lengths with the current parameters.");
        return result;
    }
    const Eigen::VectorXd residuals_before = residuals;
    double cost = residuals.squaredNorm();

    double lambda = -1.0;
    for (result.iterations = 0; result.iterations < iteration_limit; ++result.iterations) {
        if (progress && !progress(result.iterations)) {
            result.error = TParameterFit::tr("The fit was cancelled.");
            result.cancelled = true;
            return result;
        }
        const TDecomposition decomposition(problem.Jacobian(p));
        if (decomposition.rank == 0) {
            break;
        }
        const double largest = decomposition.s(0) * decomposition.s(0);
        if (lambda < 0.0) {
            lambda = 1e-3 * largest;
        }
        bool improved = false;
        Eigen::VectorXd step;
        double new_cost = cost;
        while (lambda <= 1e12 * largest) {
            step = decomposition.Step(residuals, lambda);
            const Eigen::VectorXd trial = problem.Residuals(p + step);
            new_cost = trial.squaredNorm();
            if (trial.allFinite() && new_cost < cost) {
                p += step;
                residuals = trial;
                improved = true;
                lambda = std::max(lambda / 10.0, 1e-12 * largest);
                break;
            }
            lambda *= 10.0;
        }
        if (!improved) {
            break; // no step lowers the cost: at the minimum, to rounding
        }
        const double scaled_step = step.cwiseProduct(decomposition.scale).norm();
        const double scaled_size = p.cwiseProduct(decomposition.scale).norm();
        const bool small_change = cost - new_cost <= 1e-12 * cost;
        const bool small_step = scaled_step <= 1e-12 * (scaled_size + 1e-30);
        cost = new_cost;
        if ((small_change && small_step) || cost == 0.0) {
            ++result.iterations;
            break;
        }
    }

    problem.Parameters(p, result.parameters);
    const Eigen::MatrixXd final_jacobian = problem.Jacobian(p);
    result.identifiability = Analyse(final_jacobian, result.free);
    const TDecomposition final_decomposition(final_jacobian);
    const std::set<int> undetermined = final_decomposition.Undetermined(result.free);
    result.undetermined.assign(undetermined.begin(), undetermined.end());

    // Uncertainties from the residual variance and (J'J)^-1 on the determined subspace.
    const int degrees_of_freedom = problem.Rows() - final_decomposition.rank;
    if (degrees_of_freedom > 0 && final_decomposition.rank > 0) {
        const double variance = residuals.squaredNorm() / degrees_of_freedom;
        for (int j = 0; j < problem.Columns(); ++j) {
            const int number = result.free[size_t(j)];
            if (undetermined.count(number)) {
                continue;
            }
            double sum = 0.0;
            for (int k = 0; k < final_decomposition.rank; ++k) {
                const double component = final_decomposition.v(j, k) / final_decomposition.s(k);
                sum += component * component;
            }
            result.has_uncertainty[number - 1] = true;
            result.uncertainty[number - 1] =
                std::sqrt(variance * sum) / final_decomposition.scale(j);
        }
    }

    result.rms_before = Rms(residuals_before) * 1000.0;
    result.rms_after = Rms(residuals) * 1000.0;
    result.largest_before = residuals_before.cwiseAbs().maxCoeff() * 1000.0;
    result.largest_after = residuals.cwiseAbs().maxCoeff() * 1000.0;
    for (int i = 0; i < problem.Rows(); ++i) {
        result.residuals.push_back(
            TResidual{problem.Id(i), residuals_before(i) * 1000.0, residuals(i) * 1000.0});
    }
    result.fitted = true;
    return result;
}

TParameterFit::TIdentifiability
TParameterFit::Identifiability(int model_type, const double parameters[4], const double &range_y,
                               const double &range_z, const TMeasurementData &data,
                               const std::vector<int> &free)
{
    std::vector<int> numbers = free;
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    const TProblem problem(model_type, parameters, range_y, range_z, data, numbers);
    if (!problem.Has_Model() || problem.Rows() == 0 || numbers.empty() || numbers.front() < 1 ||
        numbers.back() > 4) {
        TIdentifiability none;
        none.condition_number = std::numeric_limits<double>::infinity();
        return none;
    }
    return Analyse(problem.Jacobian(problem.Start()), numbers);
}

TParameterFit::TIdentifiability TParameterFit::Plan_Identifiability(
    int model_type, const double parameters[4], const double &range_y, const double &range_z,
    const std::vector<TMeasurementData::TMeasurement> &plan, const std::vector<int> &free)
{
    // The slopes do not depend on what was measured, only on where; the model's own lengths
    // stand in for the measured ones.
    TMeasurementData data;
    int id = 0;
    for (TMeasurementData::TMeasurement measurement : plan) {
        measurement.id = ++id;
        measurement.has_measured_length = true;
        measurement.measured_length = measurement.nominal_length;
        data.Add_Measurement(measurement);
    }
    return Identifiability(model_type, parameters, range_y, range_z, data, free);
}

QString TParameterFit::Plan_Text(int model_type, const std::vector<int> &free,
                                 const TIdentifiability &identifiability)
{
    const TModelCatalog::TModel *model = TModelCatalog::Find(model_type);
    if (!model || free.empty() || identifiability.multiple_correlation.size() != free.size()) {
        return tr("Without a model and measurements the plan determines nothing.");
    }
    QStringList good;
    QStringList poor;
    QStringList none;
    for (size_t j = 0; j < free.size(); ++j) {
        const QString number = QString::number(free[j]);
        const bool is_poor = std::any_of(
            identifiability.poorly_determined.begin(), identifiability.poorly_determined.end(),
            [&free, j](const TPoorlyDetermined &entry) { return entry.number == free[j]; });
        if (std::isnan(identifiability.multiple_correlation[j])) {
            none << number;
        } else if (is_poor) {
            poor << number;
        } else {
            good << number;
        }
    }
    const QString separator = QStringLiteral(", ");
    QString text = good.isEmpty()
                       ? tr("The plan determines none of the parameters of the %1 model.")
                             .arg(TModelCatalog::Name(*model))
                       : tr("The plan determines parameters %1 of the %2 model.")
                             .arg(good.join(separator), TModelCatalog::Name(*model));
    if (!poor.isEmpty()) {
        text += QLatin1Char(' ') + tr("It determines %1 only poorly: add lines away from the "
                                      "centre.")
                                       .arg(poor.join(separator));
    }
    if (!none.isEmpty()) {
        text += QLatin1Char(' ') + tr("It does not determine %1 at all.").arg(none.join(separator));
    }
    return text;
}

std::vector<int> TParameterFit::Without_Poorly_Determined(const std::vector<int> &free,
                                                          const TIdentifiability &identifiability)
{
    std::vector<int> kept;
    for (const int number : free) {
        const auto poor = std::find_if(
            identifiability.poorly_determined.begin(), identifiability.poorly_determined.end(),
            [number](const TPoorlyDetermined &entry) { return entry.number == number; });
        if (poor == identifiability.poorly_determined.end()) {
            kept.push_back(number);
        }
    }
    return kept;
}

QStringList TParameterFit::Poorly_Determined_Reasons(int model_type,
                                                     const TIdentifiability &identifiability)
{
    const TModelCatalog::TModel *model = TModelCatalog::Find(model_type);
    const auto name = [model](int number) {
        return model ? QStringLiteral("%1 (%2)").arg(number).arg(
                           TModelCatalog::Parameter_Name(*model, number - 1))
                     : QString::number(number);
    };
    QStringList reasons;
    for (const TPoorlyDetermined &poor : identifiability.poorly_determined) {
        QStringList others;
        for (const int other : poor.alike) {
            others << name(other);
        }
        reasons << tr("Parameter %1 is poorly determined: it changes the measured lengths almost "
                      "exactly as %2 do (correlation %3). Measure along lines away from the "
                      "centre of the volume (Y lines at other Z positions, Z lines at other Y "
                      "positions) to determine it, or hold it.")
                       .arg(name(poor.number), others.join(QStringLiteral(", ")),
                            QString::number(poor.correlation, 'f', 5));
    }
    return reasons;
}

std::vector<TParameterFit::TLine> TParameterFit::Lines(const TResult &result,
                                                       const TMeasurementData &data,
                                                       const double &range_y, const double &range_z)
{
    std::vector<TLine> lines;
    std::vector<double> squares;
    for (const TResidual &residual : result.residuals) {
        TMeasurementData::TMeasurement m;
        if (!data.Get_Measurement(residual.id, &m)) {
            continue;
        }
        const QString direction = TEvaluation::Direction_Name(m.axis, range_y, range_z);
        const TVector3 axis = m.axis.Normal();
        double at = m.position.y * axis.z - m.position.z * axis.y;
        if (direction == QLatin1String("Y")) {
            at = m.position.z;
        } else if (direction == QLatin1String("Z")) {
            at = m.position.y;
        }
        // Lines a micrometre apart are one line.
        at = std::round(at * 1000.0) / 1000.0;
        size_t index = 0;
        while (index < lines.size() &&
               (lines[index].direction != direction || lines[index].at != at)) {
            ++index;
        }
        if (index == lines.size()) {
            lines.push_back(TLine{direction, at, 0, 0.0});
            squares.push_back(0.0);
        }
        ++lines[index].count;
        squares[index] += residual.after * residual.after;
    }
    for (size_t i = 0; i < lines.size(); ++i) {
        lines[i].rms = std::sqrt(squares[i] / lines[i].count);
    }
    return lines;
}

TParameterFit::TPrediction TParameterFit::Predict(const TResult &result,
                                                  const TMeasurementData &data, const TMpe &mpe)
{
    TPrediction prediction;
    if (!result.fitted || !mpe.Is_Set()) {
        return prediction;
    }
    for (const TResidual &residual : result.residuals) {
        TMeasurementData::TMeasurement measurement;
        if (!data.Get_Measurement(residual.id, &measurement)) {
            continue;
        }
        const double limit = mpe.Value(measurement.nominal_length);
        if (mpe.Passes(residual.after, measurement.nominal_length)) {
            ++prediction.pass;
        } else {
            ++prediction.fail;
        }
        const double ratio = limit > 0.0 ? std::fabs(residual.after) / limit
                                         : std::numeric_limits<double>::infinity();
        if (prediction.largest_id == 0 || ratio > prediction.largest_ratio) {
            prediction.largest_id = residual.id;
            prediction.largest = residual.after;
            prediction.largest_ratio = ratio;
        }
    }
    return prediction;
}

double TParameterFit::Controller_Value(const double &value, int decimals)
{
    double rounded = value;
    TNumberText::Read_Finite(TNumberText::Fixed(value, std::max(0, std::min(decimals, 15))),
                             &rounded);
    return rounded;
}

double TParameterFit::Residual_Rms(int model_type, const double parameters[4],
                                   const double &range_y, const double &range_z,
                                   const TMeasurementData &data)
{
    const TProblem problem(model_type, parameters, range_y, range_z, data, {});
    if (!problem.Has_Model() || problem.Rows() == 0) {
        return 0.0;
    }
    return Rms(problem.Residuals(Eigen::VectorXd())) * 1000.0;
}

QString TParameterFit::Undetermined_Reason(const TResult &result)
{
    if (result.undetermined.empty()) {
        return QString();
    }
    QStringList numbers;
    for (const int number : result.undetermined) {
        numbers << QString::number(number);
    }
    const QString which = numbers.join(QStringLiteral(", "));
    if (result.measurements_used < int(result.free.size())) {
        return TParameterFit::tr(
                   "Parameters %1 cannot all be determined: there are fewer measured lengths "
                   "(%2) than free parameters. They keep their values where the data say "
                   "nothing.")
            .arg(which)
            .arg(result.measurements_used);
    }
    QString reason =
        TParameterFit::tr("Parameters %1 cannot be determined from these measurements: they do not "
                          "change the measured lengths, or only together, as a product or in a "
                          "fixed combination (measure along other lines, or hold one of them). "
                          "Only what the data determine was fitted; the rest keeps its value.")
            .arg(which);
    // LK's 2 and 4 act only through their products with 1 and 3: at 0 those leave them no
    // effect at all, whatever is measured.
    if (result.model_type == TModelCatalog::LK) {
        const auto undetermined = [&result](int number) {
            return std::find(result.undetermined.begin(), result.undetermined.end(), number) !=
                   result.undetermined.end();
        };
        if ((undetermined(2) && result.initial[0] == 0.0) ||
            (undetermined(4) && result.initial[2] == 0.0)) {
            reason += QLatin1Char(' ') +
                      TParameterFit::tr("LK's parameters 2 and 4 act only through their products "
                                        "with 1 and 3, which are 0 here: give 1 and 3 their "
                                        "values first (Init sets the presets), then fit again.");
        }
    }
    return reason;
}
