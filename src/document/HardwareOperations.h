#pragma once

#include <cstdint>

namespace qv {

// The document's own reports of its hardware operations.
inline constexpr const char* kHardwareErrorFormat = "Hardware turned off?\nErr no:%d";
inline constexpr const char* kHardwareErrorCaption = "Hardware acces error";
inline constexpr const char* kStopTimeOutText =
    "Timeout. Can not stop Qv,Aa.\n Hardware seems to be locked?";
inline constexpr const char* kAutoSaveCaption = "AutoSave";

// How long SuspendedCapture waits for the card to stop counting.
inline constexpr std::uint32_t kStopLimitMs = 11000;

// CaptureHardwareState: 0, or the step that failed.
enum CaptureError : int {
    kCaptureCountersFailed = 2,
    kCaptureAnalogueFailed = 3,
    kCaptureHighVoltageFailed = 4,
    kCaptureVibratorFailed = 5,
    kCaptureAaFailed = 6,
    kCaptureSuspended = 7,
    // A Qv1 or Qv2 readout broke off after its first word: the document keeps
    // its previous spectra whole.
    kCaptureQvFailed = 8,
};

// SuspendedCapture: 0, or the step that failed.
enum SuspendedCaptureError : int {
    kSuspendStateReadFailed = 11,
    kSuspendStatusReadFailed = 12,
    kSuspendStopWriteFailed = 13,
    kSuspendStopWaitFailed = 14,
    kSuspendCaptureFailed = 15,
    kSuspendRestartFailed = 16,
};

}  // namespace qv
