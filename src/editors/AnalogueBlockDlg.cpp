#include "editors/AnalogueBlockDlg.h"

#include "editors/AnalogueBlockTemplate.h"
#include "framework/DataExchange.h"
#include "hardware/CommandCodes.h"

namespace qv {

namespace {

// A number box, its range and the member it is bound to.
struct RangedMember {
    int id;
    std::int32_t AnalogueValues::*member;
    std::int32_t lower;
    std::int32_t upper;
};

void ExchangeRanged(CDataExchange& dx, AnalogueValues& v, const RangedMember& m) {
    DDX_Text(dx, m.id, v.*m.member);
    DDV_MinMaxInt(dx, v.*m.member, m.lower, m.upper);
}

constexpr RangedMember kGain{IDC_GAIN, &AnalogueValues::Gain, 0, 127};
constexpr RangedMember kSignalTau{IDC_SIGNAL_TAU, &AnalogueValues::SignalTau, 1, 4};
constexpr RangedMember kTriggerTau{IDC_TRIGGER_TAU, &AnalogueValues::TriggerTau, 1, 4};
constexpr RangedMember kTriggerLevel{IDC_TRIGGER_LEVEL, &AnalogueValues::TriggerLevel, 0, 1023};
// The windows and capture settings, exchanged in this order after the flags.
constexpr RangedMember kLimitsAndCapture[] = {
    {IDC_AMPANAL_UP, &AnalogueValues::AmpAnalUpLimit, 0, 1023},
    {IDC_SNGLCHNL_UP, &AnalogueValues::SnglChnlUpLimit, 0, 4095},
    {IDC_SNGLCHNL_LOW, &AnalogueValues::SnglChnlLowLimit, 0, 4095},
    {IDC_AMPANAL_LOW, &AnalogueValues::AmpAnalLowLimit, 0, 1023},
    {IDC_BASE_DELAY, &AnalogueValues::BaseCaptureDelay, 0, 15},
    {IDC_PEAK_DELAY, &AnalogueValues::PeakCaptureDelay, 0, 127},
    {IDC_PILE_ON_TILE, &AnalogueValues::PileOnTileRejection, 0, 255},
};

// The block's fields and the members they come from, DTimMode apart.
struct BlockField {
    std::int32_t AnalogueBlock::*field;
    std::int32_t AnalogueValues::*member;
};
constexpr BlockField kBlockFields[] = {
    {&AnalogueBlock::InputSelect, &AnalogueValues::InputSelect},
    {&AnalogueBlock::Gain, &AnalogueValues::Gain},
    {&AnalogueBlock::Invert, &AnalogueValues::Invert},
    {&AnalogueBlock::SignalTau, &AnalogueValues::SignalTau},
    {&AnalogueBlock::TriggerTau, &AnalogueValues::TriggerTau},
    {&AnalogueBlock::PileOnFrontRejection, &AnalogueValues::PileOnFrontRejection},
    {&AnalogueBlock::TriggerLevel, &AnalogueValues::TriggerLevel},
    {&AnalogueBlock::AmpAnalUpLimit, &AnalogueValues::AmpAnalUpLimit},
    {&AnalogueBlock::AmpAnalLowLimit, &AnalogueValues::AmpAnalLowLimit},
    {&AnalogueBlock::SnglChnlUpLimit, &AnalogueValues::SnglChnlUpLimit},
    {&AnalogueBlock::SnglChnlLowLimit, &AnalogueValues::SnglChnlLowLimit},
    {&AnalogueBlock::BaseCaptureDelay, &AnalogueValues::BaseCaptureDelay},
    {&AnalogueBlock::PeakCaptureDelay, &AnalogueValues::PeakCaptureDelay},
    {&AnalogueBlock::PileOnTileRejection, &AnalogueValues::PileOnTileRejection},
};

// DTimMode loads as 1 from any stored value of 1 or more.
constexpr std::int32_t ZeroOrOne(std::int32_t stored) {
    return stored >= 1 ? 1 : 0;
}

}  // namespace

CAnalogueBlockDlg::CAnalogueBlockDlg(Ui& ui)
    : CSettingEditorDlg(AnalogueBlockTemplate(), ui,
                        {.fromBuffer = IDC_ANALOGUE_FROM_BUFFER,
                         .toBuffer = IDC_ANALOGUE_TO_BUFFER,
                         .fromHardware = IDC_ANALOGUE_FROM_HARDWARE,
                         .toHardware = IDC_ANALOGUE_TO_HARDWARE,
                         .status = IDC_ANALOGUE_STATUS}) {
    m_strStatus.assign(1, ' ');  // one blank until the first read
    OnButton(IDC_AUTO, [this] { OnAuto(); });
}

void CAnalogueBlockDlg::ExchangeMembers(CDataExchange& dx) {
    AnalogueValues& v = *this;
    ExchangeRanged(dx, v, kGain);
    DDX_Check(dx, IDC_INVERT, Invert);
    ExchangeRanged(dx, v, kSignalTau);
    ExchangeRanged(dx, v, kTriggerTau);
    DDX_Radio(dx, IDC_INPUT_A, InputSelect);
    DDX_Radio(dx, IDC_TESTOUT_0, TestOut);
    ExchangeRanged(dx, v, kTriggerLevel);
    DDX_Check(dx, IDC_PILE_ON_FRONT, PileOnFrontRejection);
    DDX_Check(dx, IDC_DTIM_MODE, DTimMode);
    for (const RangedMember& m : kLimitsAndCapture) {
        ExchangeRanged(dx, v, m);
    }
}

int CAnalogueBlockDlg::ReadBlock() {
    return StatusRead(kCmdReadAnalogue, m_image.data(), kAnalogueReadLength);
}

int CAnalogueBlockDlg::WriteBlock() {
    AnalogueWriteBytes payload = AnalogueWritePayload(m_image);
    return m_port.WriteCommand(kCmdWriteAnalogue, payload.data(), kAnalogueWriteLength);
}

void CAnalogueBlockDlg::Pack() {
    m_image = PackAnalogue(*this);
}

void CAnalogueBlockDlg::Unpack() {
    static_cast<AnalogueValues&>(*this) = UnpackAnalogue(m_image);
}

void CAnalogueBlockDlg::AfterTakeControls() {
    if (PileOnFrontRejection == 0) {
        DTimMode = 0;
    }
}

// TestOut is not stored with a measurement: it keeps what the user chose.
void CAnalogueBlockDlg::CopyFromBlock() {
    if (m_pBlock == nullptr) {
        return;
    }
    for (const auto& [field, member] : kBlockFields) {
        this->*member = m_pBlock->*field;
    }
    DTimMode = ZeroOrOne(m_pBlock->DTimMode);
}

void CAnalogueBlockDlg::CopyToBlock() {
    if (m_pBlock == nullptr) {
        return;
    }
    for (const auto& [field, member] : kBlockFields) {
        m_pBlock->*field = this->*member;
    }
    m_pBlock->DTimMode = DTimMode != 0 ? 1 : 0;
}

// The table has one record per SignalTau 1..4; a SignalTau outside that (left
// in the working copy by a refused entry) has no preset, so nothing changes.
void CAnalogueBlockDlg::OnAuto() {
    TakeControls();
    if (m_pDescription != nullptr && SignalTau >= 1 && SignalTau <= 4) {
        const AutoPreset& preset = m_pDescription->AutoPresets[SignalTau - 1];
        BaseCaptureDelay = preset.BaseCaptureDelay;
        PeakCaptureDelay = preset.PeakCaptureDelay;
        PileOnTileRejection = preset.PileOnTileRejection;
    }
    UpdateData(false);
}

std::vector<SpinRange> CAnalogueBlockDlg::SpinRanges() const {
    return {{IDC_GAIN_SPIN, 0, 127},          {IDC_SIGNAL_TAU_SPIN, 1, 4},
            {IDC_TRIGGER_TAU_SPIN, 1, 4},     {IDC_TRIGGER_LEVEL_SPIN, 0, 1023},
            {IDC_AMPANAL_UP_SPIN, 0, 1023},   {IDC_SNGLCHNL_UP_SPIN, 0, 4095},
            {IDC_SNGLCHNL_LOW_SPIN, 0, 4095}, {IDC_AMPANAL_LOW_SPIN, 0, 1023},
            {IDC_BASE_DELAY_SPIN, 0, 15},     {IDC_PEAK_DELAY_SPIN, 0, 127},
            {IDC_PILE_ON_TILE_SPIN, 0, 255}};
}

}  // namespace qv
