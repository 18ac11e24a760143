#pragma once

#include "document/HardwareDescription.h"
#include "document/SettingsBlocks.h"
#include "editors/AnalogueBlockRegisters.h"
#include "editors/SettingEditorDlg.h"

namespace qv {

// The analogue pulse-processing block (dialog 131): input, gain and polarity,
// shaping times, trigger level, the analyser and single-channel windows, the
// capture delays and pile-up rejection. The working copy is the
// AnalogueValues base; "Auto" takes the capture settings from the presets.
class CAnalogueBlockDlg : public CSettingEditorDlg, public AnalogueValues {
public:
    explicit CAnalogueBlockDlg(Ui& ui);

    // "Auto": the preset record for SignalTau into the three capture settings.
    void OnAuto();

    const AnalogueRegisterBytes& Image() const { return m_image; }

    // Borrowed from the document for the life of the dialog.
    AnalogueBlock* m_pBlock = nullptr;
    const HardwareDescription* m_pDescription = nullptr;

protected:
    void ExchangeMembers(CDataExchange& dx) override;
    int ReadBlock() override;
    int WriteBlock() override;
    void Pack() override;
    void Unpack() override;
    void CopyFromBlock() override;
    void CopyToBlock() override;
    std::vector<SpinRange> SpinRanges() const override;
    // DTimMode goes out, or stays, only while pile-on-front rejection is on.
    void AfterTakeControls() override;

private:
    AnalogueRegisterBytes m_image{};
};

}  // namespace qv
