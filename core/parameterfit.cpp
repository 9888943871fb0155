// SPDX-License-Identifier: GPL-3.0-or-later
#include "parameterfit.h"

#include <Eigen/Dense>
#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <memory>
#include <set>

#include "deflectionmodel.h"
#include "evaluation.h"
#include "measurementdata.h"
#include "modelcatalog.h"

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
    const TDecomposition final_decomposition(problem.Jacobian(p));
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
    return TParameterFit::tr(
               "Parameters %1 cannot be determined from these measurements: they do not change "
               "the measured lengths, or only together, as a product or in a fixed combination "
               "(measure along other lines, or hold one of them). Only what the data determine "
               "was fitted; the rest keeps its value.")
        .arg(which);
}
