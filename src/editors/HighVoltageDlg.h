#pragma once

#include <string>

#include "document/HardwareDescription.h"
#include "document/SettingsBlocks.h"
#include "editors/HighVoltageRegisters.h"
#include "editors/SettingEditorDlg.h"

namespace qv {

// The mismatch warning of "<-- Buffer": the measurement's voltage from its own
// coefficients, so the operator can set "Desired" to match it.
std::string CalibrationMismatchText(long double storedVolts);

// The detector's high-voltage supply (dialog 139). Shows the voltage that
// "Desired" gives under the present calibration, following the box and its
// spin; warns on "<-- Buffer" when the measurement was taken with another one.
// The working copy is the HighVoltageValues base: HvCurrent, HvDesired, HvSpeed.
class CHighVoltageDlg : public CSettingEditorDlg, public HighVoltageValues {
public:
    explicit CHighVoltageDlg(Ui& ui);

    // Borrowed from the document for the life of the dialog.
    HighVoltageBlock* m_pBlock = nullptr;
    const HvCalibration* m_pCalibration = nullptr;

    const HighVoltageImage& Image() const { return m_image; }
    const std::string& VoltsReadOut() const { return m_strVolts; }

protected:
    void ExchangeMembers(CDataExchange& dx) override;
    int ReadBlock() override;
    int WriteBlock() override;
    void Pack() override;
    void Unpack() override;
    void CopyFromBlock() override;
    void CopyToBlock() override;
    void AfterRead() override;
    void AfterBufferLoad() override;
    std::vector<SpinRange> SpinRanges() const override;

private:
    // The read-out for n under the present calibration.
    void ShowVolts(std::int32_t n);
    void OnDesiredFocusLost();
    bool OnDesiredSpin(int delta);
    bool CalibrationDiffers() const;

    HighVoltageImage m_image{};
    std::string m_strVolts;
};

}  // namespace qv
