#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace qv::sim {

// Little-endian fields of 1 to 4 bytes inside a register payload.
inline std::uint32_t GetField(std::span<const std::uint8_t> bytes, std::size_t at,
                              std::size_t width) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < width; ++i) {
        value |= static_cast<std::uint32_t>(bytes[at + i]) << (8 * i);
    }
    return value;
}

inline void PutField(std::span<std::uint8_t> bytes, std::size_t at, std::size_t width,
                     std::uint32_t value) {
    for (std::size_t i = 0; i < width; ++i) {
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

inline constexpr std::uint32_t kMask24 = 0xFFFFFF;

}  // namespace qv::sim
