#pragma once

#include <cstdint>
#include <istream>
#include <string>

#include "document/HardwareDescription.h"

namespace qv {

inline constexpr const char* kHardwareDescriptionCaption = "Hardware Description File";
inline constexpr int kHardwareDescriptionItems = 15;
inline constexpr std::uintmax_t kMaxHardwareDescriptionBytes = 64 * 1024;

// What reading qv.hdw gives: the record the document ends up with, the port base
// (from the file as soon as item 4 was read), and the message start-up shows.
struct HardwareDescriptionReading {
    HardwareDescription record = HardwareDescription::Defaults();
    std::uint16_t portBase = 0x300;
    bool portBaseFromFile = false;
    int itemsRead = 0;
    bool complete = false;
    std::string message;  // empty when the file was read completely
};

HardwareDescriptionReading ReadHardwareDescriptionFile(const std::string& path);
// The parsing alone; path only names the file in the message.
HardwareDescriptionReading ParseHardwareDescription(std::istream& in, const std::string& path);

// "qv.hdw" in the directory that holds the running executable.
std::string DefaultHardwareDescriptionPath();

// Truncation toward zero as the card's software did it; values outside the
// 32-bit range (and NaN) give the x86 "integer indefinite" 0x80000000.
std::int32_t TruncateToInt32(float value);

}  // namespace qv
