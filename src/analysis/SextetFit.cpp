#include "analysis/SextetFit.h"

#include <gsl/gsl_errno.h>
#include <gsl/gsl_linalg.h>
#include <gsl/gsl_matrix.h>
#include <gsl/gsl_multifit_nlinear.h>
#include <gsl/gsl_vector.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

#include "analysis/NormalEquations.h"

namespace qv::analysis {

namespace {

constexpr std::size_t kBaselineTerms = 3;
constexpr std::size_t kLineTerms = 3;  // position, width, depth
constexpr std::size_t kParameters = kBaselineTerms + kLineTerms * kSextetLines;
constexpr std::size_t kMaxIterations = 200;
constexpr double kTolerance = 1e-7;

double Across(double i, double middle) {
    return (i - middle) / middle;
}

std::size_t LineParameter(int line, std::size_t term) {
    return kBaselineTerms + kLineTerms * static_cast<std::size_t>(line) + term;
}

using Parameters = std::array<double, kParameters>;

// The points, and which parameters the solver moves: the others keep their
// start values.
struct Data {
    const std::vector<double>* y;
    double middle;
    Parameters start;
    std::array<std::size_t, kParameters> moved;  // the solver's k-th is moved[k]
    std::size_t movedCount;
};

// The parameters in a plain array: the model reads them once per point, and
// the library's element access checks its range on every call.
Parameters Unpacked(const gsl_vector* x, const Data& d) {
    Parameters p = d.start;
    for (std::size_t k = 0; k < d.movedCount; ++k) {
        p[d.moved[k]] = x->data[k * x->stride];
    }
    return p;
}

int Residuals(const gsl_vector* x, void* params, gsl_vector* f) {
    const Data& d = *static_cast<const Data*>(params);
    const std::size_t n = d.y->size();
    const Parameters p = Unpacked(x, d);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = Across(static_cast<double>(i), d.middle);
        double model = p[0] + p[1] * t + p[2] * t * t;
        for (int k = 0; k < kSextetLines; ++k) {
            const double dx = static_cast<double>(i) - p[LineParameter(k, 0)];
            const double h = p[LineParameter(k, 1)] / 2;
            model -= p[LineParameter(k, 2)] * h * h / (dx * dx + h * h);
        }
        f->data[i * f->stride] = model - (*d.y)[i];
    }
    return GSL_SUCCESS;
}

int Jacobian(const gsl_vector* x, void* params, gsl_matrix* j) {
    const Data& d = *static_cast<const Data*>(params);
    const std::size_t n = d.y->size();
    const Parameters p = Unpacked(x, d);
    Parameters row{};
    for (std::size_t i = 0; i < n; ++i) {
        const double t = Across(static_cast<double>(i), d.middle);
        row[0] = 1;
        row[1] = t;
        row[2] = t * t;
        for (int k = 0; k < kSextetLines; ++k) {
            const double dx = static_cast<double>(i) - p[LineParameter(k, 0)];
            const double h = p[LineParameter(k, 1)] / 2;
            const double a = p[LineParameter(k, 2)];
            const double denominator = dx * dx + h * h;
            const double squared = denominator * denominator;
            row[LineParameter(k, 0)] = -a * h * h * 2 * dx / squared;
            row[LineParameter(k, 1)] = -a * h * dx * dx / squared;
            row[LineParameter(k, 2)] = -h * h / denominator;
        }
        double* out = j->data + i * j->tda;
        for (std::size_t k = 0; k < d.movedCount; ++k) {
            out[k] = row[d.moved[k]];
        }
    }
    return GSL_SUCCESS;
}

struct VectorDeleter {
    void operator()(gsl_vector* v) const { gsl_vector_free(v); }
};
struct MatrixDeleter {
    void operator()(gsl_matrix* m) const { gsl_matrix_free(m); }
};
struct WorkspaceDeleter {
    void operator()(gsl_multifit_nlinear_workspace* w) const { gsl_multifit_nlinear_free(w); }
};
using Vector = std::unique_ptr<gsl_vector, VectorDeleter>;

Parameters StartValues(const SextetGuess& start) {
    Parameters p{};
    p[0] = start.baseline;
    for (int k = 0; k < kSextetLines; ++k) {
        p[LineParameter(k, 0)] = start.positions[k];
        p[LineParameter(k, 1)] = start.width;
        p[LineParameter(k, 2)] = start.depths[k];
    }
    return p;
}

// Every parameter moves, or every one but the line widths.
Data Problem(const std::vector<double>& y, const Parameters& start, bool widthsHeld) {
    Data d{&y, static_cast<double>(y.size() - 1) / 2, start, {}, 0};
    for (std::size_t k = 0; k < kParameters; ++k) {
        const bool width = k >= kBaselineTerms && (k - kBaselineTerms) % kLineTerms == 1;
        if (!(widthsHeld && width)) {
            d.moved[d.movedCount++] = k;
        }
    }
    return d;
}

double ChiSquare(const gsl_vector* residuals, const std::vector<double>& y) {
    double sum = 0;
    for (std::size_t i = 0; i < y.size(); ++i) {
        const double r = residuals->data[i * residuals->stride];
        sum += r * r / std::max(y[i], 1.0);
    }
    return sum;
}

// (J^T J)^-1 of the weighted Jacobian through a Cholesky factorisation: a
// fifth of the cost of the library's QR, which is kept for a singular J^T J.
std::unique_ptr<gsl_matrix, MatrixDeleter> Covariance(const gsl_matrix* j) {
    std::unique_ptr<gsl_matrix, MatrixDeleter> c(gsl_matrix_alloc(j->size2, j->size2));
    NormalMatrix(j, c.get());
    if (gsl_linalg_cholesky_decomp1(c.get()) != GSL_SUCCESS ||
        gsl_linalg_cholesky_invert(c.get()) != GSL_SUCCESS) {
        gsl_multifit_nlinear_covar(j, 0.0, c.get());
    }
    return c;
}

SextetFit Collect(gsl_multifit_nlinear_workspace* w, Data& data) {
    const std::vector<double>& y = *data.y;
    const gsl_vector* x = gsl_multifit_nlinear_position(w);
    const Parameters p = Unpacked(x, data);
    SextetFit fit;
    for (std::size_t b = 0; b < kBaselineTerms; ++b) {
        fit.baseline[b] = p[b];
    }
    // The weighted residuals of the workspace; recompute the plain ones.
    Vector f(gsl_vector_alloc(y.size()));
    Residuals(x, &data, f.get());
    const double dof = static_cast<double>(y.size() - data.movedCount);
    fit.chi2 = ChiSquare(f.get(), y) / dof;
    const std::unique_ptr<gsl_matrix, MatrixDeleter> covariance =
        Covariance(gsl_multifit_nlinear_jac(w));
    const double scale = std::max(1.0, fit.chi2);
    const auto error = [&](std::size_t parameter) {
        const auto* at =
            std::find(data.moved.begin(), data.moved.begin() + data.movedCount, parameter);
        const auto k = static_cast<std::size_t>(at - data.moved.begin());
        return std::sqrt(std::abs(gsl_matrix_get(covariance.get(), k, k)) * scale);
    };
    for (int k = 0; k < kSextetLines; ++k) {
        FittedLine& line = fit.lines[k];
        line.position = p[LineParameter(k, 0)];
        line.width = std::abs(p[LineParameter(k, 1)]);
        line.depth = p[LineParameter(k, 2)];
        line.positionError = error(LineParameter(k, 0));
        line.depthError = error(LineParameter(k, 2));
    }
    std::sort(fit.lines.begin(), fit.lines.end(),
              [](const FittedLine& a, const FittedLine& b) { return a.position < b.position; });
    return fit;
}

}  // namespace

double SextetFit::BaselineAt(double index, std::size_t size) const {
    const double t = Across(index, static_cast<double>(size - 1) / 2);
    return baseline[0] + baseline[1] * t + baseline[2] * t * t;
}

namespace {

std::optional<SextetFit> Fit(Data data) {
    const std::vector<double>& y = *data.y;
    if (y.size() <= kParameters) {
        return std::nullopt;
    }
    // A failed step is a result here, not a reason to abort the program.
    gsl_set_error_handler_off();
    gsl_multifit_nlinear_fdf fdf{};
    fdf.f = Residuals;
    fdf.df = Jacobian;
    fdf.n = y.size();
    fdf.p = data.movedCount;
    fdf.params = &data;
    gsl_multifit_nlinear_parameters parameters = gsl_multifit_nlinear_default_parameters();
    // Normal equations: the problem is small and well conditioned, and QR costs twice as much.
    parameters.solver = NormalEquationsSolver();
    parameters.scale = ColumnNormScale();
    std::unique_ptr<gsl_multifit_nlinear_workspace, WorkspaceDeleter> w(
        gsl_multifit_nlinear_alloc(gsl_multifit_nlinear_trust, &parameters, fdf.n, fdf.p));
    Vector weights(gsl_vector_alloc(y.size()));
    for (std::size_t i = 0; i < y.size(); ++i) {
        gsl_vector_set(weights.get(), i, 1 / std::max(y[i], 1.0));
    }
    const Vector x(gsl_vector_alloc(data.movedCount));
    for (std::size_t k = 0; k < data.movedCount; ++k) {
        gsl_vector_set(x.get(), k, data.start[data.moved[k]]);
    }
    gsl_multifit_nlinear_winit(x.get(), weights.get(), &fdf, w.get());
    int info = 0;
    const int status = gsl_multifit_nlinear_driver(kMaxIterations, kTolerance, kTolerance, 0.0,
                                                   nullptr, nullptr, &info, w.get());
    SextetFit fit = Collect(w.get(), data);
    fit.iterations = static_cast<int>(gsl_multifit_nlinear_niter(w.get()));
    fit.converged = status == GSL_SUCCESS;
    return fit;
}

}  // namespace

std::optional<SextetFit> FitSextet(const std::vector<double>& folded, const SextetGuess& start) {
    return Fit(Problem(folded, StartValues(start), false));
}

std::optional<SextetFit> FitHalfSextet(const std::vector<double>& half, const SextetFit& folded) {
    Parameters start{};
    for (std::size_t b = 0; b < kBaselineTerms; ++b) {
        start[b] = folded.baseline[b] / 2;
    }
    for (int k = 0; k < kSextetLines; ++k) {
        start[LineParameter(k, 0)] = folded.lines[k].position;
        start[LineParameter(k, 1)] = folded.lines[k].width;
        start[LineParameter(k, 2)] = folded.lines[k].depth / 2;
    }
    return Fit(Problem(half, start, true));
}

}  // namespace qv::analysis
