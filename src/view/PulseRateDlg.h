#pragma once

#include <array>
#include <cstdint>

#include "framework/Dialog.h"
#include "hardware/CHardwarePort.h"
#include "hardware/CommandCodes.h"

namespace qv {

inline constexpr char kRateTimeOutMessage[] = "Hardware communication timeout error.";

struct PulseRates {
    std::int32_t Qv1 = 0;
    std::int32_t Qv2 = 0;
};
// Bytes 16..18 (Qv1) and 19..21 (Qv2) of the command-6 counters block, 24-bit
// little-endian.
PulseRates RatesFromCounters(const std::array<std::uint8_t, kCounterStartsLength>& bytes);

// The pulse rates of both Mossbauer memories in large type (dialog 154),
// updated by the view's timer while it is open.
class CPulseRateDlg : public CDialog {
public:
    explicit CPulseRateDlg(Ui& ui);

    void DoDataExchange(CDataExchange& dx) override;
    // A non-zero flag does nothing.
    void UpdateRates(int flag);

    CHardwarePort m_port;
    std::array<std::uint8_t, kCounterStartsLength> m_counters{};
    std::int32_t m_nRateQv2 = 0;
    std::int32_t m_nRateQv1 = 0;
};

}  // namespace qv
