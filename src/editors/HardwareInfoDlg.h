#pragma once

#include <cstdint>

#include "document/HardwareDescription.h"
#include "document/SettingsBlocks.h"
#include "framework/Dialog.h"

namespace qv {

// The hardware versions and calibration (dialog 153): "<-- Hardware" from the
// description read at start-up, "<-- Buffer" from the copies stored with the
// measurement. Display only: no card, nothing stored.
class CHardwareInfoDlg : public CDialog {
public:
    explicit CHardwareInfoDlg(Ui& ui);

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnFromHardware();
    void OnFromBuffer();

    // Borrowed from the document for the life of the dialog.
    const HardwareDescription* m_pDescription = nullptr;
    const HardwareVersionStamp* m_pVersionStamp = nullptr;
    const SettingsImage* m_pSettings = nullptr;

    std::int32_t Version1 = 0;
    std::int32_t Version2 = 0;
    std::int32_t Version3 = 0;
    float HvSlope = 0;
    float HvOffset = 0;
    std::int32_t HvLowerLimit = 0;
    std::int32_t HvUpperLimit = 0;
    float VelocityCoefHigh = 0;
    float VelocityCoefLow = 0;
};

}  // namespace qv
