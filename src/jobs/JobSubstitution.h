#pragma once

#include <string>
#include <vector>

namespace qv::jobs {

// "{n}" becomes the loop counter (1, 2, ...), "{n:03}" the counter with at
// least three digits, zeros in front; counter is that of the innermost loop.
// Returns an empty text, or why text holds a substitution that is not one of these.
std::string CheckSubstitutions(const std::string& text);
// Replaces every substitution in text by counter; text must have passed the check.
std::string Substitute(const std::string& text, long long counter);
bool HasSubstitution(const std::string& text);

}  // namespace qv::jobs
