#include "view/PulseRateDlg.h"

#include "framework/DataExchange.h"
#include "view/PulseRateTemplate.h"

namespace qv {

namespace {

constexpr std::size_t kQv1RateByte = 16;
constexpr std::size_t kQv2RateByte = 19;

std::int32_t Rate(const std::array<std::uint8_t, kCounterStartsLength>& bytes, std::size_t at) {
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16);
}

}  // namespace

PulseRates RatesFromCounters(const std::array<std::uint8_t, kCounterStartsLength>& bytes) {
    return {Rate(bytes, kQv1RateByte), Rate(bytes, kQv2RateByte)};
}

CPulseRateDlg::CPulseRateDlg(Ui& ui) : CDialog(PulseRateTemplate(), ui) {}

void CPulseRateDlg::DoDataExchange(CDataExchange& dx) {
    DDX_Text(dx, IDC_RATE_QV2, m_nRateQv2);
    DDX_Text(dx, IDC_RATE_QV1, m_nRateQv1);
}

void CPulseRateDlg::UpdateRates(int flag) {
    if (flag != 0) {
        return;
    }
    if (m_port.ReadCommand(kCmdReadCounterStarts, m_counters.data(), kCounterStartsLength) != 0) {
        GetUi().Message(kRateTimeOutMessage);
        return;
    }
    const PulseRates rates = RatesFromCounters(m_counters);
    m_nRateQv1 = rates.Qv1;
    m_nRateQv2 = rates.Qv2;
    UpdateData(false);
}

}  // namespace qv
