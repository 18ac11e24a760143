#include "editors/VibratorDlg.h"

#include <cstdio>
#include <cstring>

#include "editors/RampSpeed.h"
#include "editors/ReferenceFile.h"
#include "editors/VibratorReadouts.h"
#include "editors/VibratorTemplate.h"
#include "framework/DataExchange.h"
#include "framework/NumberText.h"
#include "hardware/CommandCodes.h"

namespace qv {

namespace {

constexpr char kReferenceFilter[] = "References (.ref,.bin)|*.ref; *.bin||";
constexpr int kMaxTen = 1023;
constexpr int kMaxK = 3;
constexpr int kMaxL = 255;

// A spin step that would leave the range counts as no step.
int AdmittedDelta(int position, int delta, int lower, int upper) {
    const long long next = static_cast<long long>(position) + delta;
    return next >= lower && next <= upper ? delta : 0;
}

void CopyBits(float& to, const float& from) {
    std::memcpy(&to, &from, sizeof to);
}

}  // namespace

std::string ReferenceTimeOutText(int error) {
    return "Hardware Time Out: " + std::to_string(error);
}

std::string CoefficientsDifferText(const VibratorBlock& block) {
    char velocity[64];
    std::snprintf(velocity, sizeof velocity, "velocity of %7.3f mm/s  ",
                  static_cast<double>(BlockVelocity(block)));
    return std::string("File and hardware velocity coefficients are different.\n\n") +
           "Correct the \"Desired\" & \"range\" parameters to achieve \n" + velocity +
           "as it was in the file.";
}

CVibratorDlg::CVibratorDlg(Ui& ui)
    : CSettingEditorDlg(VibratorTemplate(), ui,
                        {.fromBuffer = IDC_VIB_FROM_BUFFER,
                         .toBuffer = IDC_VIB_TO_BUFFER,
                         .fromHardware = IDC_VIB_FROM_HARDWARE,
                         .toHardware = IDC_VIB_TO_HARDWARE}),
      // Before the first read the controls show the initial working copy.
      m_image(PackVibrator(*this)) {
    OnFocusLost(IDC_DIVIDER_K, [this] { PreviewFrequency(0, 0); });
    OnFocusLost(IDC_DIVIDER_L, [this] { PreviewFrequency(0, 0); });
    OnSpinDelta(IDC_DIVIDER_K_SPIN, [this](int position, int delta) {
        PreviewFrequency(AdmittedDelta(position, delta, 0, kMaxK), 0);
        return true;
    });
    OnSpinDelta(IDC_DIVIDER_L_SPIN, [this](int position, int delta) {
        PreviewFrequency(0, AdmittedDelta(position, delta, 0, kMaxL));
        return true;
    });
    OnFocusLost(IDC_AMPLITUDE_DESIRED, [this] { PreviewVelocity(0); });
    OnSpinDelta(IDC_AMPLITUDE_DESIRED_SPIN, [this](int position, int delta) {
        PreviewVelocity(AdmittedDelta(position, delta, 0, kMaxTen));
        return true;
    });
    OnButton(IDC_HIGH_RANGE, [this] { OnHighRange(); });
    OnButton(IDC_REFERENCE_LOAD, [this] { OnLoadReference(); });
    OnButton(IDC_REFERENCE_COSINE, [this] { OnRoundedTriangle(CornerShape::Cosine); });
    OnButton(IDC_REFERENCE_PARABOLA, [this] { OnRoundedTriangle(CornerShape::Parabola); });
}

bool CVibratorDlg::OnInitDialog() {
    CSettingEditorDlg::OnInitDialog();
    if (m_pCoefficients != nullptr) {
        SetDlgItemText(IDC_VELOCITY_COEFFICIENTS,
                       FormatFloat(m_pCoefficients->VelocityCoefHigh) + ", " +
                           FormatFloat(m_pCoefficients->VelocityCoefLow));
    }
    return true;
}

// The order decides which members keep their value when one is refused.
void CVibratorDlg::ExchangeMembers(CDataExchange& dx) {
    DDX_Text(dx, IDC_AMPLITUDE_CURRENT, AmplitudeCurrent);
    DDX_Text(dx, IDC_AMPLITUDE_DESIRED, AmplitudeDesired);
    DDV_MinMaxInt(dx, AmplitudeDesired, 0, kMaxTen);
    DDX_Text(dx, IDC_AMPLITUDE_SPEED, AmplitudeSpeed);
    DDV_RampSpeed(dx, AmplitudeSpeed);
    DDX_Text(dx, IDC_BIAS_CURRENT, BiasCurrent);
    DDX_Text(dx, IDC_BIAS_DESIRED, BiasDesired);
    DDV_MinMaxInt(dx, BiasDesired, -2048, 2047);
    DDX_Text(dx, IDC_BIAS_SPEED, BiasSpeed);
    DDV_RampSpeed(dx, BiasSpeed);
    DDX_Text(dx, IDC_GAIN_CURRENT, GainCurrent);
    DDX_Text(dx, IDC_GAIN_DESIRED, GainDesired);
    DDV_MinMaxInt(dx, GainDesired, 0, kMaxTen);
    DDX_Text(dx, IDC_GAIN_SPEED, GainSpeed);
    DDV_RampSpeed(dx, GainSpeed);
    DDX_Text(dx, IDC_DIVIDER_K, K);
    DDV_MinMaxInt(dx, K, 0, kMaxK);
    DDX_Text(dx, IDC_DIVIDER_L, L);
    DDV_MinMaxInt(dx, L, 0, kMaxL);
    DDX_Text(dx, IDC_VIB_STATUS, m_strStatus);
    DDX_Text(dx, IDC_FREQUENCY, Frequency);
    DDX_Text(dx, IDC_ROUNDING_SCOPE, RoundingScope);
    DDX_Text(dx, IDC_VELOCITY, Velocity);
    DDX_Check(dx, IDC_HIGH_RANGE, HighRange);
}

int CVibratorDlg::ReadBlock() {
    m_port.ReadCommand(kCmdReadDividers, m_image.data() + kVibratorDividersOffset, kDividersLength);
    return StatusRead(kCmdReadVibrator, m_image.data() + kVibratorRegistersOffset, kVibratorLength);
}

int CVibratorDlg::WriteBlock() {
    m_port.WriteCommand(kCmdWriteVibrator, m_image.data() + kVibratorRegistersOffset,
                        kVibratorLength);
    return m_port.WriteCommand(kCmdWriteDividers, m_image.data() + kVibratorDividersOffset,
                               kDividersLength);
}

void CVibratorDlg::Pack() {
    m_image = PackVibrator(*this);
}

void CVibratorDlg::Unpack() {
    static_cast<VibratorValues&>(*this) = UnpackVibrator(m_image);
    Frequency = DriveFrequency(K, L);
}

void CVibratorDlg::CopyFromBlock() {
    if (m_pBlock == nullptr) {
        return;
    }
    GainDesired = m_pBlock->GainDesired;
    AmplitudeDesired = m_pBlock->AmplitudeDesired;
    HighRange = m_pBlock->HighRange != 0 ? 1 : 0;
    BiasDesired = m_pBlock->BiasDesired;
    K = m_pBlock->K;
    L = m_pBlock->L;
}

void CVibratorDlg::CopyToBlock() {
    if (m_pBlock == nullptr) {
        return;
    }
    m_pBlock->GainDesired = GainDesired;
    m_pBlock->AmplitudeDesired = AmplitudeDesired;
    m_pBlock->HighRange = HighRange;
    m_pBlock->BiasDesired = BiasDesired;
    m_pBlock->K = K;
    m_pBlock->L = L;
    if (m_pCoefficients != nullptr) {
        CopyBits(m_pBlock->VelocityCoefHigh, m_pCoefficients->VelocityCoefHigh);
        CopyBits(m_pBlock->VelocityCoefLow, m_pCoefficients->VelocityCoefLow);
    }
}

void CVibratorDlg::AfterRead() {
    ShowVelocity();
}

void CVibratorDlg::AfterBufferLoad() {
    CheckCoefficients();
    ShowVelocity();
    // The loaded dividers get their frequency too, so the read-out never
    // belongs to other K and L than the boxes show; a block from a damaged
    // file may hold dividers that have none.
    if (K >= 0 && K <= kMaxK && L >= 0 && L <= kMaxL) {
        Frequency = DriveFrequency(K, L);
    }
}

std::vector<SpinRange> CVibratorDlg::SpinRanges() const {
    return {{IDC_GAIN_DESIRED_SPIN, 0, kMaxTen},
            {IDC_GAIN_SPEED_SPIN, 1, 15},
            {IDC_AMPLITUDE_DESIRED_SPIN, 0, kMaxTen},
            {IDC_AMPLITUDE_SPEED_SPIN, 1, 15},
            {IDC_BIAS_DESIRED_SPIN, -2048, 2047},
            {IDC_BIAS_SPEED_SPIN, 1, 15},
            {IDC_DIVIDER_K_SPIN, 0, kMaxK},
            {IDC_DIVIDER_L_SPIN, 0, kMaxL},
            {IDC_ROUNDING_SCOPE_SPIN, 0, kMaxRoundingScope}};
}

float CVibratorDlg::Coefficient() const {
    if (m_pCoefficients == nullptr) {
        return 0;
    }
    return VelocityCoefficient(*m_pCoefficients, HighRange != 0);
}

void CVibratorDlg::ShowVelocity() {
    Velocity = VelocityText(PeakVelocity(Coefficient(), AmplitudeDesired));
}

void CVibratorDlg::CheckCoefficients() {
    if (m_pBlock == nullptr || m_pCoefficients == nullptr) {
        return;
    }
    if (m_pBlock->VelocityCoefHigh != m_pCoefficients->VelocityCoefHigh ||
        m_pBlock->VelocityCoefLow != m_pCoefficients->VelocityCoefLow) {
        GetUi().Message(CoefficientsDifferText(*m_pBlock));
    }
}

// A refused entry stops a preview: the framework has told the user and put
// the focus there, and the boxes keep what was typed.
void CVibratorDlg::PreviewFrequency(int dK, int dL) {
    if (m_bPreviewing) {
        return;
    }
    m_bPreviewing = true;
    if (UpdateData(true)) {
        Frequency = DriveFrequency(K + dK, L + dL);
        UpdateData(false);
    }
    m_bPreviewing = false;
}

void CVibratorDlg::PreviewVelocity(int dAmplitude) {
    if (m_bPreviewing) {
        return;
    }
    m_bPreviewing = true;
    const float coefficient = Coefficient();
    if (UpdateData(true)) {
        Velocity = VelocityText(PeakVelocity(coefficient, AmplitudeDesired + dAmplitude));
        UpdateData(false);
    }
    m_bPreviewing = false;
}

void CVibratorDlg::OnHighRange() {
    if (m_bPreviewing) {
        return;
    }
    if (UpdateData(true)) {
        PreviewVelocity(0);
    }
}

void CVibratorDlg::OnLoadReference() {
    FileDialogRequest request;
    request.filter = kReferenceFilter;
    request.flags = kHideReadOnly;
    const auto path = GetUi().ChooseFile(request);
    if (!path) {
        return;
    }
    const ReferenceFile file = ReadReferenceFile(*path);
    switch (file.outcome) {
        case ReferenceFile::Outcome::CannotOpen:
            GetUi().Message("Can not open file!");
            return;
        case ReferenceFile::Outcome::TooShort:
            GetUi().Message("File to short?!");
            return;
        case ReferenceFile::Outcome::Read:
            SendReference(file.wire);
            return;
    }
}

// A refused entry sends nothing: the table would be made with a scope the
// exchange never took, and packing would cut the refused value to its field.
void CVibratorDlg::OnRoundedTriangle(CornerShape shape) {
    if (!UpdateData(true)) {
        return;
    }
    Pack();
    RoundingScope = ClampRoundingScope(RoundingScope);
    SendReference(EncodeReference(RoundedTriangle(shape, RoundingScope)));
    Unpack();
    UpdateData(false);
}

bool CVibratorDlg::SendReference(const ReferenceWire& wire) {
    m_nLastError = m_port.WriteCommand(kCmdWriteReference, wire.data(), kReferenceLength);
    if (m_nLastError != 0) {
        GetUi().Message(ReferenceTimeOutText(m_nLastError));
        return false;
    }
    m_nLastError = StatusRead(kCmdLockCheck, nullptr, 0);
    if (m_nLastError != 0) {
        m_strStatus = TimeOutText(m_nLastError);
    } else if (m_strStatus == kLockedText) {
        GetUi().Message("Hardware Locked!!");
    }
    UpdateData(false);
    return true;
}

}  // namespace qv
