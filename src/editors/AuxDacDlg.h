#pragma once

#include <cstdint>

#include "editors/AuxDacRegisters.h"
#include "editors/SettingEditorDlg.h"

namespace qv {

// The five auxiliary output bytes and the 8-bit DAC (dialog 141). Not part of
// a measurement: no settings block, no buffer buttons, no capture.
// The working copy is the AuxDacValues base: Aux0..Aux4, Dac8.
class CAuxDacDlg : public CSettingEditorDlg, public AuxDacValues {
public:
    explicit CAuxDacDlg(Ui& ui);

    const AuxDacImage& Image() const { return m_image; }

protected:
    void ExchangeMembers(CDataExchange& dx) override;
    // The aux read's result is not kept: only the DAC read reaches the status.
    int ReadBlock() override;
    // The DAC first, then the aux bytes; neither result is shown.
    int WriteBlock() override;
    void Pack() override;
    void Unpack() override;
    std::vector<SpinRange> SpinRanges() const override;

private:
    AuxDacImage m_image;
};

}  // namespace qv
