#include "analysis/NormalEquations.h"

#include <gsl/gsl_errno.h>
#include <gsl/gsl_linalg.h>
#include <gsl/gsl_permutation.h>
#include <gsl/gsl_vector.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace qv::analysis {

namespace {

struct State {
    gsl_matrix* normal;    // J^T J, lower triangle
    gsl_matrix* factored;  // of J^T J + mu D^2
    gsl_vector* rhs;
    gsl_vector* work;  // 3p, for the condition number
    gsl_permutation* permutation;
    bool modified;  // factored by the modified Cholesky: J^T J not positive definite
};

const gsl_multifit_nlinear_trust_state& Trust(const void* t) {
    return *static_cast<const gsl_multifit_nlinear_trust_state*>(t);
}

void* Alloc(std::size_t /*n*/, std::size_t p) {
    auto* s = new State{gsl_matrix_alloc(p, p),  gsl_matrix_alloc(p, p),   gsl_vector_alloc(p),
                        gsl_vector_alloc(3 * p), gsl_permutation_alloc(p), false};
    return s;
}

void Free(void* state) {
    auto* s = static_cast<State*>(state);
    gsl_matrix_free(s->normal);
    gsl_matrix_free(s->factored);
    gsl_vector_free(s->rhs);
    gsl_vector_free(s->work);
    gsl_permutation_free(s->permutation);
    delete s;
}

int Init(const void* trust, void* state) {
    NormalMatrix(Trust(trust).J, static_cast<State*>(state)->normal);
    return GSL_SUCCESS;
}

// J^T J + mu D^2 into the matrix to be factored.
void Shifted(State& s, double mu, const gsl_vector* diag) {
    gsl_matrix_memcpy(s.factored, s.normal);
    for (std::size_t i = 0; i < s.factored->size1; ++i) {
        const double d = gsl_vector_get(diag, i);
        s.factored->data[i * s.factored->tda + i] += mu * d * d;
    }
}

int Presolve(double mu, const void* trust, void* state) {
    auto* s = static_cast<State*>(state);
    const gsl_vector* diag = Trust(trust).diag;
    Shifted(*s, mu, diag);
    s->modified = gsl_linalg_cholesky_decomp1(s->factored) != GSL_SUCCESS;
    if (s->modified) {
        Shifted(*s, mu, diag);
        return gsl_linalg_mcholesky_decomp(s->factored, s->permutation, nullptr);
    }
    return GSL_SUCCESS;
}

// The step x of (J^T J + mu D^2) x = -J^T f.
int Solve(const gsl_vector* f, gsl_vector* x, const void* trust, void* state) {
    auto* s = static_cast<State*>(state);
    const gsl_matrix* j = Trust(trust).J;
    gsl_vector_set_zero(s->rhs);
    double* rhs = s->rhs->data;
    for (std::size_t r = 0; r < j->size1; ++r) {
        const double* row = j->data + r * j->tda;
        const double fr = -f->data[r * f->stride];
        for (std::size_t c = 0; c < j->size2; ++c) {
            rhs[c] += row[c] * fr;
        }
    }
    return s->modified ? gsl_linalg_mcholesky_solve(s->factored, s->permutation, s->rhs, x)
                       : gsl_linalg_cholesky_solve(s->factored, s->rhs, x);
}

int Rcond(double* rcond, void* state) {
    auto* s = static_cast<State*>(state);
    return s->modified ? gsl_linalg_mcholesky_rcond(s->factored, s->permutation, rcond, s->work)
                       : gsl_linalg_cholesky_rcond(s->factored, rcond, s->work);
}

// Moré's scaling of the trust region, D_j the largest norm yet of column j of
// J, with the norms summed along the rows: the library's walks each column.
int UpdateScale(const gsl_matrix* j, gsl_vector* diag) {
    std::vector<double> squares(j->size2);
    for (std::size_t r = 0; r < j->size1; ++r) {
        const double* row = j->data + r * j->tda;
        for (std::size_t c = 0; c < j->size2; ++c) {
            squares[c] += row[c] * row[c];
        }
    }
    for (std::size_t c = 0; c < j->size2; ++c) {
        const double norm = squares[c] > 0 ? std::sqrt(squares[c]) : 1.0;
        double* d = gsl_vector_ptr(diag, c);
        *d = std::max(*d, norm);
    }
    return GSL_SUCCESS;
}

int InitScale(const gsl_matrix* j, gsl_vector* diag) {
    gsl_vector_set_zero(diag);
    return UpdateScale(j, diag);
}

const gsl_multifit_nlinear_scale kScale{"more, by rows", InitScale, UpdateScale};

const gsl_multifit_nlinear_solver kSolver{
    "normal equations", Alloc, Init, Presolve, Solve, Rcond, Free};

}  // namespace

void NormalMatrix(const gsl_matrix* j, gsl_matrix* lower) {
    // Four rows at a time, so that each sum is loaded and stored once for four products.
    constexpr std::size_t kRows = 4;
    const std::size_t p = j->size2;
    gsl_matrix_set_zero(lower);
    std::size_t r = 0;
    for (; r + kRows <= j->size1; r += kRows) {
        const double* r0 = j->data + r * j->tda;
        const double* r1 = r0 + j->tda;
        const double* r2 = r1 + j->tda;
        const double* r3 = r2 + j->tda;
        for (std::size_t a = 0; a < p; ++a) {
            double* __restrict out = lower->data + a * lower->tda;
            const double x0 = r0[a], x1 = r1[a], x2 = r2[a], x3 = r3[a];
            for (std::size_t b = 0; b <= a; ++b) {
                out[b] += x0 * r0[b] + x1 * r1[b] + x2 * r2[b] + x3 * r3[b];
            }
        }
    }
    for (; r < j->size1; ++r) {
        const double* row = j->data + r * j->tda;
        for (std::size_t a = 0; a < p; ++a) {
            double* __restrict out = lower->data + a * lower->tda;
            for (std::size_t b = 0; b <= a; ++b) {
                out[b] += row[a] * row[b];
            }
        }
    }
}

const gsl_multifit_nlinear_solver* NormalEquationsSolver() {
    return &kSolver;
}

const gsl_multifit_nlinear_scale* ColumnNormScale() {
    return &kScale;
}

}  // namespace qv::analysis
