#include "document/SpectrumReadout.h"

#include "document/HardwareOperations.h"
#include "hardware/CommandCodes.h"

namespace qv {

int SpectrumReadout::Read(CHardwarePort& port) {
    m_hasQv1 = false;
    m_hasQv2 = false;
    if (port.ReadSpectrum(kSelectAa, m_aa.data()) != 0) {
        return kCaptureAaFailed;
    }
    const int qv1 = ReadQv(port, kSelectQv1, m_qv1);
    if (qv1 > 0) {
        return kCaptureQvFailed;
    }
    const int qv2 = ReadQv(port, kSelectQv2, m_qv2);
    if (qv2 > 0) {
        return kCaptureQvFailed;
    }
    m_hasQv1 = qv1 == 0;
    m_hasQv2 = qv2 == 0;
    return 0;
}

int SpectrumReadout::ReadQv(CHardwarePort& port, std::uint8_t selector, Spectrum& spectrum) {
    int words = 0;
    if (port.ReadSpectrum(selector, spectrum.data(), &words) == 0) {
        return 0;
    }
    return words == 0 ? -1 : 1;
}

void SpectrumReadout::MoveInto(Measurement& measurement) const {
    measurement.Aa = m_aa;
    if (m_hasQv1) {
        measurement.Qv1 = m_qv1;
    }
    if (m_hasQv2) {
        measurement.Qv2 = m_qv2;
    }
}

}  // namespace qv
