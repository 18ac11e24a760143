#pragma once

#include <gsl/gsl_matrix.h>
#include <gsl/gsl_multifit_nlinear.h>

namespace qv::analysis {

// The lower triangle of J^T J, row by row of J: the reference CBLAS walks J by
// columns, which made it the largest cost of a line fit.
void NormalMatrix(const gsl_matrix* j, gsl_matrix* lower);

// The library's Cholesky solver of the trust-region steps with J^T J and J^T f
// formed by the loops here.
const gsl_multifit_nlinear_solver* NormalEquationsSolver();

// The library's default (Moré) scaling of the trust region, its column norms
// of J likewise summed row by row.
const gsl_multifit_nlinear_scale* ColumnNormScale();

}  // namespace qv::analysis
