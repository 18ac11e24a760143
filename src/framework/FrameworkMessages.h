#pragma once

#include <string>

namespace qv {

// The framework's own message texts, kept together so tests and front end agree.
inline constexpr const char* kEndOfFileReason =
    "The file ends too early: it is damaged or incomplete";

inline std::string FormatOpenFailed(const std::string& path, const std::string& reason) {
    return "Failed to open document.\n" + path + "\n" + reason + ".";
}

inline std::string FormatSaveFailed(const std::string& path, const std::string& reason) {
    return "Failed to save document.\n" + path + "\n" + reason +
           ".\nThe previous file was left unchanged.";
}

}  // namespace qv
