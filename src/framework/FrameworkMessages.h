#pragma once

#include <string>

#include "framework/AtomicFile.h"

namespace qv {

// The framework's own message texts, kept together so tests and front end agree.
inline constexpr const char* kEndOfFileReason =
    "The file ends too early: it is damaged or incomplete";

inline std::string FormatOpenFailed(const std::string& path, const std::string& reason) {
    return "Failed to open document.\n" + path + "\n" + reason + ".";
}

inline std::string FormatSaveFailed(const std::string& path, const std::string& reason,
                                    PreviousFile previous) {
    std::string text = "Failed to save document.\n" + path + "\n" + reason + ".";
    if (previous == PreviousFile::Unchanged) {
        text += "\nThe previous file was left unchanged.";
    }
    return text;
}

// Save As never replaces a read-only file; the user is asked for another name.
inline std::string FormatReadOnlyTarget(const std::string& path) {
    return path + "\nThis file is read-only and will not be replaced.\nChoose another name.";
}

}  // namespace qv
