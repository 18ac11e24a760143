#include "view/CalibrationDlg.h"

#include <cstdio>

#include "document/QvDoc.h"
#include "view/CalibrationTemplate.h"
#include "view/ProgramCalibration.h"

namespace qv {

namespace {

constexpr int kScaleIds[] = {IDC_CAL_FOLDING, IDC_CAL_ZERO, IDC_CAL_PER_CHANNEL,
                             IDC_CAL_MAX_VELOCITY, IDC_CAL_CHI2};

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

Rgb ColourOf(analysis::SpectrumChoice spectrum) {
    return spectrum == analysis::SpectrumChoice::Qv2 ? kVelocityQv2Colour : kVelocityQv1Colour;
}

}  // namespace

CCalibrationDlg::CCalibrationDlg(Ui& ui, const CQvDoc& document, ProgramCalibration& program)
    : CDialog(CalibrationTemplate(), ui), m_document(document), m_program(program) {
    OnButton(IDC_CAL_QV1, [this] { Calibrate(analysis::SpectrumChoice::Qv1); });
    OnButton(IDC_CAL_QV2, [this] { Calibrate(analysis::SpectrumChoice::Qv2); });
    OnButton(IDC_CAL_USE, [this] { OnUse(); });
}

bool CCalibrationDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CheckDlgButton(IDC_CAL_QV1, 1);
    Calibrate(analysis::SpectrumChoice::Qv1);
    return true;
}

void CCalibrationDlg::Calibrate(analysis::SpectrumChoice spectrum) {
    m_spectrum = spectrum;
    m_outcome = analysis::Calibrate(analysis::SpectrumCounts(m_document.Data(), spectrum));
    if (m_outcome.calibration) {
        ShowCalibration(*m_outcome.calibration);
    } else {
        ShowRefusal();
    }
    EnableControl(IDC_CAL_USE, m_outcome.calibration.has_value());
    RepaintPicture(IDC_CAL_PICTURE);
}

void CCalibrationDlg::ShowCalibration(const analysis::Calibration& cal) {
    SetDlgItemText(IDC_CAL_FOLDING, Format("%.2f", cal.foldingPoint));
    SetDlgItemText(IDC_CAL_ZERO, Format("%.2f", cal.zeroChannel));
    SetDlgItemText(IDC_CAL_PER_CHANNEL, Format("%.6f", cal.velocityPerChannel));
    SetDlgItemText(IDC_CAL_MAX_VELOCITY, Format("%.4f", cal.maxVelocity));
    SetDlgItemText(IDC_CAL_CHI2, Format("%.3f", cal.chi2));
    for (int k = 0; k < analysis::kSextetLines; ++k) {
        const analysis::CalibratedLine& l = cal.lines[k];
        SetDlgItemText(CalibrationLineId(k, 0), Format("%.4f", l.position));
        SetDlgItemText(CalibrationLineId(k, 1), Format("%.4f", l.width));
        SetDlgItemText(CalibrationLineId(k, 2), Format("%.2f", l.depth * 100));
        SetDlgItemText(CalibrationLineId(k, 3), Format("%+.4f", l.residual));
    }
    SetDlgItemText(IDC_CAL_STATUS, std::string(analysis::SpectrumName(m_spectrum)) +
                                       " calibrated on \u03b1-iron. Use makes it the program's "
                                       "calibration.");
}

void CCalibrationDlg::ShowRefusal() {
    for (int id : kScaleIds) {
        SetDlgItemText(id, "");
    }
    for (int k = 0; k < analysis::kSextetLines * kCalibrationColumns; ++k) {
        SetDlgItemText(IDC_CAL_LINE_FIRST + k, "");
    }
    SetDlgItemText(IDC_CAL_STATUS,
                   std::string(analysis::SpectrumName(m_spectrum)) + ": " + m_outcome.error);
}

bool CCalibrationDlg::DrawPicture(int id, RgbCanvas& canvas) {
    if (id != IDC_CAL_PICTURE) {
        return false;
    }
    if (!m_outcome.calibration) {
        m_renderer.DrawMessage(canvas,
                               m_outcome.error.empty() ? "" : "No calibration: " + m_outcome.error);
        return true;
    }
    const Measurement& m = m_document.Data();
    const std::vector<VelocityTrace> traces = {
        {analysis::SpectrumName(m_spectrum),
         m_spectrum == analysis::SpectrumChoice::Qv2 ? m.Qv2 : m.Qv1, ColourOf(m_spectrum)}};
    m_renderer.Draw(canvas, traces, &*m_outcome.calibration, {true, true, false});
    return true;
}

void CCalibrationDlg::OnUse() {
    if (!m_outcome.calibration) {
        return;
    }
    const char* name = analysis::SpectrumName(m_spectrum);
    const std::string error = m_program.Use(*m_outcome.calibration, name, m_document.GetPathName());
    if (!error.empty()) {
        GetUi().MessageFor(
            *this, "The calibration is in use, but its file could not be written:\n" + error);
    }
    const std::string& file = m_program.File();
    SetDlgItemText(IDC_CAL_STATUS, std::string(name) + " calibration in use" +
                                       (file.empty() ? " (the measurement has no file yet, so it "
                                                       "is kept in the profile only)."
                                                     : ", saved as " + file + "."));
}

}  // namespace qv
