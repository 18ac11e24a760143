#include "analysis/SextetCurve.h"

#include <gsl/gsl_multifit.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace qv::analysis {

namespace {

constexpr std::size_t kBaselineTerms = 3;

struct MatrixDeleter {
    void operator()(gsl_matrix* m) const { gsl_matrix_free(m); }
};
struct VectorDeleter {
    void operator()(gsl_vector* v) const { gsl_vector_free(v); }
};
struct WorkspaceDeleter {
    void operator()(gsl_multifit_linear_workspace* w) const { gsl_multifit_linear_free(w); }
};
using Matrix = std::unique_ptr<gsl_matrix, MatrixDeleter>;
using Vector = std::unique_ptr<gsl_vector, VectorDeleter>;

// One less the six dips, each a Lorentzian of its calibrated width and depth.
double LineShape(double velocity, const Calibration& cal) {
    double shape = 1;
    for (const CalibratedLine& line : cal.lines) {
        const double x = (velocity - line.position) / (line.width / 2);
        shape -= line.width > 0 ? line.depth / (1 + x * x) : 0;
    }
    return shape;
}

}  // namespace

std::vector<double> SextetCurve(const std::vector<VelocityPoint>& points,
                                const Calibration& calibration) {
    const std::size_t n = points.size();
    if (n <= kBaselineTerms) {
        return {};
    }
    const double middle = (points.front().velocity + points.back().velocity) / 2;
    const double half = std::max(std::abs(points.back().velocity - middle), 1e-9);
    Matrix x(gsl_matrix_alloc(n, kBaselineTerms));
    Vector y(gsl_vector_alloc(n)), w(gsl_vector_alloc(n)), c(gsl_vector_alloc(kBaselineTerms));
    Matrix cov(gsl_matrix_alloc(kBaselineTerms, kBaselineTerms));
    std::vector<double> shape(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = (points[i].velocity - middle) / half;
        shape[i] = LineShape(points[i].velocity, calibration);
        gsl_matrix_set(x.get(), i, 0, shape[i]);
        gsl_matrix_set(x.get(), i, 1, shape[i] * t);
        gsl_matrix_set(x.get(), i, 2, shape[i] * t * t);
        gsl_vector_set(y.get(), i, points[i].counts);
        gsl_vector_set(w.get(), i, 1 / std::max(points[i].counts, 1.0));
    }
    std::unique_ptr<gsl_multifit_linear_workspace, WorkspaceDeleter> work(
        gsl_multifit_linear_alloc(n, kBaselineTerms));
    double chisq = 0;
    gsl_multifit_wlinear(x.get(), w.get(), y.get(), c.get(), cov.get(), &chisq, work.get());
    std::vector<double> curve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = (points[i].velocity - middle) / half;
        curve[i] = shape[i] * (gsl_vector_get(c.get(), 0) + gsl_vector_get(c.get(), 1) * t +
                               gsl_vector_get(c.get(), 2) * t * t);
    }
    return curve;
}

}  // namespace qv::analysis
