#pragma once

#include "analysis/Calibration.h"
#include "analysis/SpectrumChoice.h"
#include "framework/Dialog.h"
#include "view/VelocityRenderer.h"

namespace qv {

class CQvDoc;
class ProgramCalibration;

// Service > Calibrate on α-iron (dialog 170): calibrates the open measurement's
// Qv1 or Qv2 as qvtool calibrate does and shows the result beside a picture of
// the folded spectrum with the fitted sextet and its residuals; Use makes it
// the program's calibration.
class CCalibrationDlg : public CDialog {
public:
    CCalibrationDlg(Ui& ui, const CQvDoc& document, ProgramCalibration& program);

    bool OnInitDialog() override;
    bool DrawPicture(int id, RgbCanvas& canvas) override;

    analysis::SpectrumChoice Spectrum() const { return m_spectrum; }
    const analysis::CalibrationOutcome& Outcome() const { return m_outcome; }
    void OnUse();

private:
    void Calibrate(analysis::SpectrumChoice spectrum);
    void ShowCalibration(const analysis::Calibration& cal);
    void ShowRefusal();

    const CQvDoc& m_document;
    ProgramCalibration& m_program;
    analysis::SpectrumChoice m_spectrum = analysis::SpectrumChoice::Qv1;
    analysis::CalibrationOutcome m_outcome;
    VelocityRenderer m_renderer;
};

}  // namespace qv
