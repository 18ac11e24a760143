#pragma once

#include <string>

#include "document/HardwareDescription.h"
#include "document/SettingsBlocks.h"
#include "editors/ReferenceTable.h"
#include "editors/SettingEditorDlg.h"
#include "editors/VibratorRegisters.h"

namespace qv {

// "Hardware Time Out: %d", the box after a failed reference write.
std::string ReferenceTimeOutText(int error);
// The text of the box that "<-- Buffer" shows when the block was captured with
// other velocity coefficients than the hardware's: the velocity it describes.
std::string CoefficientsDifferText(const VibratorBlock& block);

// The vibrator drive (dialog 140): gain, amplitude and bias with their ramp
// speeds, the range, the frequency dividers, the velocity and frequency
// read-outs, and the reference waveform (a file or a rounded triangle).
// The working copy is the VibratorValues base plus the read-outs and the
// rounding scope, which live only while the dialog is open.
class CVibratorDlg : public CSettingEditorDlg, public VibratorValues {
public:
    explicit CVibratorDlg(Ui& ui);

    bool OnInitDialog() override;

    // Borrowed from the document for the life of the dialog.
    VibratorBlock* m_pBlock = nullptr;
    const VelocityCoefficients* m_pCoefficients = nullptr;

    float Frequency = 0;
    std::string Velocity;
    std::int32_t RoundingScope = 220;

    const VibratorImage& Image() const { return m_image; }

protected:
    void ExchangeMembers(CDataExchange& dx) override;
    // Read 1 (K, L) is not reported; read 2 (R0..R11, with the lock text) is.
    int ReadBlock() override;
    // R0..R11, then K and L; neither result is shown.
    int WriteBlock() override;
    void Pack() override;
    // Also recomputes the frequency read-out from K and L.
    void Unpack() override;
    void CopyFromBlock() override;
    void CopyToBlock() override;
    void AfterRead() override;
    void AfterBufferLoad() override;
    std::vector<SpinRange> SpinRanges() const override;

private:
    float Coefficient() const;
    void ShowVelocity();
    void CheckCoefficients();
    // The read-outs as they would be with the spin's admitted step; the
    // members themselves are left to the spin.
    void PreviewFrequency(int dK, int dL);
    void PreviewVelocity(int dAmplitude);
    void OnHighRange();
    void OnLoadReference();
    void OnRoundedTriangle(CornerShape shape);
    // Command 16 with the whole table, then the lock check (command 17).
    // False when the write failed.
    bool SendReference(const ReferenceWire& wire);

    VibratorImage m_image;
    bool m_bPreviewing = false;  // a preview's own message box must not start another
};

}  // namespace qv
