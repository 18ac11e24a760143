#pragma once

#include <array>
#include <cstdint>

#include "document/Measurement.h"
#include "hardware/CHardwarePort.h"

namespace qv {

// The three spectrum memories of one capture, read aside first: the
// document's spectra are replaced whole or not at all, so a readout broken
// off part-way never leaves half of one capture and half of the last.
class SpectrumReadout {
public:
    // 0; 6 when the Aa readout failed; 8 when a Qv1 or Qv2 readout broke off
    // after its first word. A Qv readout that fails before its first word is
    // ignored (a card without that memory) and leaves that spectrum as it was.
    int Read(CHardwarePort& port);
    // Puts what Read delivered into the measurement.
    void MoveInto(Measurement& measurement) const;

private:
    // 0 when whole, -1 when nothing arrived, 1 when it broke off part-way.
    static int ReadQv(CHardwarePort& port, std::uint8_t selector, Spectrum& spectrum);

    std::array<std::uint32_t, 2 * kChannels> m_aa{};
    Spectrum m_qv1{};
    Spectrum m_qv2{};
    bool m_hasQv1 = false;
    bool m_hasQv2 = false;
};

}  // namespace qv
