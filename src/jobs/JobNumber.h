#pragma once

#include <optional>
#include <string>

namespace qv::jobs {

// The job language's one way of writing a number: decimal digits and, where
// fractions are allowed, a point with digits after it (1800, 0.5). No sign,
// exponent, hexadecimal or blanks. Nothing when text is not such a number or
// is larger than max.
std::optional<double> JobNumber(const std::string& text, bool fraction, double max);

// The longest `wait SECONDS`.
inline constexpr double kMaxWaitSeconds = 1.0e9;

// At most 80 characters of a text quoted in a message, cut between two
// characters and marked with "..." where cut: a refused 100 kB line is not
// echoed whole.
std::string Excerpt(const std::string& text);

}  // namespace qv::jobs
