#include "document/HardwareDescriptionFile.h"

#include <locale.h>

#include <array>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <limits>
#include <optional>

#include "document/ExecutablePath.h"
#include "framework/FileKind.h"

namespace qv {

std::int32_t TruncateToInt32(float value) {
    if (!(value >= -2147483648.0f && value < 2147483648.0f)) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(value);
}

namespace {

// "%f" scanning must not depend on the user's locale (a desktop may set one
// whose decimal separator is a comma).
locale_t CLocale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
    return c;
}

std::optional<float> ScanFloat(const std::string& line) {
    const char* begin = line.c_str();
    char* end = nullptr;
    const float value = strtof_l(begin, &end, CLocale());
    if (end == begin) {
        return std::nullopt;
    }
    return value;
}

// "%d %d %d": three decimal integers, blanks before each allowed.
std::optional<std::array<std::int32_t, 3>> ScanTriple(const std::string& line) {
    std::array<std::int32_t, 3> values{};
    const char* pos = line.c_str();
    for (auto& value : values) {
        char* end = nullptr;
        const long long parsed = strtoll_l(pos, &end, 10, CLocale());
        if (end == pos) {
            return std::nullopt;
        }
        value = static_cast<std::int32_t>(parsed);
        pos = end;
    }
    return values;
}

// Next line that is not a comment, without its line end; nothing at end of file.
std::optional<std::string> NextItemLine(std::istream& in) {
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line.front() != ';') {
            return line;
        }
    }
    return std::nullopt;
}

using FloatSink = std::function<void(float)>;

bool ReadSingle(std::istream& in, const FloatSink& sink) {
    const auto line = NextItemLine(in);
    const auto value = line ? ScanFloat(*line) : std::nullopt;
    if (value) {
        sink(*value);
    }
    return value.has_value();
}

bool ReadPreset(std::istream& in, AutoPreset& preset) {
    const auto line = NextItemLine(in);
    const auto triple = line ? ScanTriple(*line) : std::nullopt;
    if (triple) {
        preset = {(*triple)[0], (*triple)[1], (*triple)[2]};
    }
    return triple.has_value();
}

FloatSink IntoInt(std::int32_t& slot) {
    return [&slot](float v) { slot = TruncateToInt32(v); };
}

FloatSink IntoFloat(float& slot) {
    return [&slot](float v) { slot = v; };
}

std::string Message(const char* lead, const std::string& path) {
    return lead + path + "\nDefault values assumed.";
}

}  // namespace

HardwareDescriptionReading ParseHardwareDescription(std::istream& in, const std::string& path) {
    HardwareDescriptionReading reading;
    HardwareDescription temp{};
    std::int32_t base = 0;
    const std::array<std::function<bool()>, kHardwareDescriptionItems> items = {
        [&] { return ReadSingle(in, IntoInt(temp.HardwareVersion1)); },
        [&] { return ReadSingle(in, IntoInt(temp.HardwareVersion2)); },
        [&] { return ReadSingle(in, IntoInt(temp.HardwareVersion3)); },
        [&] { return ReadSingle(in, IntoInt(base)); },
        [&] { return ReadPreset(in, temp.AutoPresets[0]); },
        [&] { return ReadPreset(in, temp.AutoPresets[1]); },
        [&] { return ReadPreset(in, temp.AutoPresets[2]); },
        [&] { return ReadPreset(in, temp.AutoPresets[3]); },
        [&] { return ReadSingle(in, IntoInt(temp.Hv.HvUpperLimit)); },
        [&] { return ReadSingle(in, IntoInt(temp.Hv.HvLowerLimit)); },
        [&] { return ReadSingle(in, IntoFloat(temp.Hv.HvSlope)); },
        [&] { return ReadSingle(in, IntoFloat(temp.Hv.HvOffset)); },
        [&] { return ReadSingle(in, IntoInt(temp.ReservedValue)); },
        [&] { return ReadSingle(in, IntoFloat(temp.Velocity.VelocityCoefHigh)); },
        [&] { return ReadSingle(in, IntoFloat(temp.Velocity.VelocityCoefLow)); },
    };
    for (const auto& item : items) {
        if (!item()) {
            reading.message = Message("Read error or wrong file:", path);
            return reading;
        }
        if (++reading.itemsRead == 4) {
            reading.portBase = static_cast<std::uint16_t>(base);
            reading.portBaseFromFile = true;
        }
    }
    reading.record = temp;
    reading.complete = true;
    return reading;
}

HardwareDescriptionReading ReadHardwareDescriptionFile(const std::string& path) {
    // A FIFO would block start-up (already in the open), a device would never end.
    std::ifstream in;
    if (UnreadableFileReason(path).empty()) {
        in.open(path, std::ios::binary);
    }
    HardwareDescriptionReading reading;
    if (!in.is_open()) {
        reading.message = Message("Can not open:", path);
        return reading;
    }
    // Fifteen numbers and their comments; a larger file is some other file, and
    // one without line ends would be read whole into a single line.
    if (!UnreadableFileReason(path, kMaxHardwareDescriptionBytes).empty()) {
        reading.message = Message("Read error or wrong file:", path);
        return reading;
    }
    return ParseHardwareDescription(in, path);
}

std::string DefaultHardwareDescriptionPath() {
    return ExecutableDirectory() + "/qv.hdw";
}

}  // namespace qv
