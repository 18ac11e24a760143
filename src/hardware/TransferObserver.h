#pragma once

#include <cstdint>

namespace qv {

// One exchange of a port object with the card, as seen from the program.
struct Transfer {
    enum class Kind : char { Write = 'W', Read = 'R', Spectrum = 'S' };
    Kind kind = Kind::Read;
    std::uint8_t command = 0;  // the command code, or a spectrum's selector
    int length = 0;            // payload bytes, or spectrum words
    // The payload written, or the bytes read (also after a failed read); none
    // for a spectrum.
    const std::uint8_t* bytes = nullptr;
    int error = 0;
    // How many of bytes hold what really moved: length for a write, the bytes
    // that arrived for a read (fewer than length when it failed part way).
    int valid = 0;
};

// Told of every finished exchange of every port object (a trace, a test's
// record); installed in HardwareGlobals, nothing is told when none is.
class TransferObserver {
public:
    virtual ~TransferObserver() = default;
    virtual void OnTransfer(const Transfer& transfer) = 0;
};

}  // namespace qv
