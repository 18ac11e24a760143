#include "editors/CountersTimersDlg.h"

#include "editors/CountersTimersTemplate.h"
#include "framework/DataExchange.h"
#include "hardware/CommandCodes.h"

namespace qv {

namespace {
constexpr std::int32_t kMaxUniversalTime = 16777215;
constexpr std::uint32_t kMaxBackupPeriod = 65535;
constexpr std::uint32_t kMinCycles = 2;
}  // namespace

CCountersTimersDlg::CCountersTimersDlg(Ui& ui)
    : CSettingEditorDlg(CountersTimersTemplate(), ui,
                        {.fromBuffer = IDC_CT_FROM_BUFFER,
                         .toBuffer = IDC_CT_TO_BUFFER,
                         .fromHardware = IDC_CT_FROM_HARDWARE,
                         .toHardware = IDC_CT_TO_HARDWARE}),
      m_image(InitialCountersImage()) {
    OnButton(IDC_CT_QV1_MAX, [this] { OnMax(Qv1CyclesStart, kMaxCycles); });
    OnButton(IDC_CT_QV2_MAX, [this] { OnMax(Qv2CyclesStart, kMaxCycles); });
    OnButton(IDC_CT_AA_MAX,
             [this] { OnMax(AaSecondsStart, static_cast<std::int32_t>(kMaxAaSeconds)); });
}

// The status box is exchanged here rather than by the base, as it has its
// place in this dialog's order.
void CCountersTimersDlg::ExchangeMembers(CDataExchange& dx) {
    DDX_Text(dx, IDC_CT_AA_CURRENT, AaSecondsCurrent);
    DDX_Text(dx, IDC_CT_AA_START, AaSecondsStart);
    DDV_MinMaxInt(dx, AaSecondsStart, 1, static_cast<std::int32_t>(kMaxAaSeconds));
    DDX_Text(dx, IDC_CT_TILL_NEAREST, TillNearest);
    DDX_Text(dx, IDC_CT_BACKUP_PERIOD, BackupPeriod);
    DDV_MinMaxUInt(dx, BackupPeriod, 1, kMaxBackupPeriod);
    DDX_Check(dx, IDC_CT_SET_AA, SetAaSeconds);
    DDX_Check(dx, IDC_CT_RESTART_BACKUP, RestartBackup);
    DDX_Check(dx, IDC_CT_DELTA_FLAG, DeltaFlag);
    DDX_Check(dx, IDC_CT_DELTA_STOPS, DeltaStopsCounting);
    DDX_Text(dx, IDC_CT_STATUS, m_strStatus);
    DDX_Text(dx, IDC_CT_LIVE_TIME, AaLiveTime);
    DDX_Check(dx, IDC_CT_SET_QV1, SetQv1Cycles);
    DDX_Check(dx, IDC_CT_SET_QV2, SetQv2Cycles);
    DDX_Radio(dx, IDC_CT_QV2_AUX, Qv2Source);
    DDX_Radio(dx, IDC_CT_QV1_AUX, Qv1Source);
    DDX_Radio(dx, IDC_CT_AA_UNIVERSAL_BASE, AaStopTimeBase);
    DDX_Text(dx, IDC_CT_QV1_RATE, Qv1Rate);
    DDX_Text(dx, IDC_CT_QV2_RATE, Qv2Rate);
    DDX_Check(dx, IDC_CT_CLEAR_SWITCH, ClearSwitch);
    DDX_Check(dx, IDC_CT_SWITCH_STATE, SwitchState);
    DDX_Check(dx, IDC_CT_ULOCK, ULock);
    DDX_Text(dx, IDC_CT_UNIVERSAL_TIME, UniversalTime);
    DDV_MinMaxInt(dx, UniversalTime, 0, kMaxUniversalTime);
    DDX_Check(dx, IDC_CT_SET_UNIVERSAL, SetUniversalTime);
    DDX_Text(dx, IDC_CT_DEAD_TIME, AaDeadTime);
    DDX_Check(dx, IDC_CT_ZERO_LIVE_DEAD, ZeroLiveDead);
    DDX_Text(dx, IDC_CT_SINCE_DELTA, SecondsSinceDelta);
    DDX_Text(dx, IDC_CT_QV1_CURRENT, Qv1CyclesCurrent);
    DDX_Text(dx, IDC_CT_QV1_START, Qv1CyclesStart);
    DDV_MinMaxUInt(dx, Qv1CyclesStart, kMinCycles, kMaxCycles);
    DDX_Text(dx, IDC_CT_QV2_START, Qv2CyclesStart);
    DDV_MinMaxUInt(dx, Qv2CyclesStart, kMinCycles, kMaxCycles);
    DDX_Text(dx, IDC_CT_QV2_CURRENT, Qv2CyclesCurrent);
    DDX_Text(dx, IDC_CT_DEAD_PERCENT, DeadTimePercent);
}

int CCountersTimersDlg::ReadBlock() {
    m_port.ReadCommand(kCmdReadStatus, &m_image[kLiveCountersAt], kLiveCountersLength);
    return StatusRead(kCmdReadCounterStarts, &m_image[kCounterStartsAt], kCounterStartsLength);
}

int CCountersTimersDlg::WriteBlock() {
    return m_port.WriteCommand(kCmdWriteCounters, m_image.data(), kCountersWriteLength);
}

// A period below the card's least is sent as that least, and the box shows it.
void CCountersTimersDlg::Pack() {
    BackupPeriod = SentBackupPeriod(BackupPeriod);
    PackCountersTimers(*this, m_image);
}

void CCountersTimersDlg::Unpack() {
    static_cast<CountersTimersValues&>(*this) = UnpackCountersTimers(m_image);
}

void CCountersTimersDlg::CopyFromBlock() {
    if (m_pBlock == nullptr) {
        return;
    }
    const CountersTimersBlock& b = *m_pBlock;
    Qv2Source = b.Qv2Source;
    Qv2CyclesStart = b.Qv2CyclesStart;
    Qv1Source = b.Qv1Source;
    Qv1CyclesStart = b.Qv1CyclesStart;
    AaStopTimeBase = b.AaStopTimeBase;
    AaSecondsStart = b.AaSecondsStart;
    SecondsSinceDelta = b.SecondsSinceDelta;
    UniversalTime = b.UniversalTime;
    Qv2CyclesCurrent = b.Qv2CyclesCurrent;
    Qv1CyclesCurrent = b.Qv1CyclesCurrent;
    AaSecondsCurrent = b.AaSecondsCurrent;
    AaLiveTime = b.AaLiveTime;
    AaDeadTime = b.AaDeadTime;
    DeadTimePercent = qv::DeadTimePercent(AaLiveTime, AaDeadTime);
}

void CCountersTimersDlg::CopyToBlock() {
    if (m_pBlock == nullptr) {
        return;
    }
    CountersTimersBlock& b = *m_pBlock;
    b.Qv2Source = Qv2Source;
    b.Qv2CyclesStart = Qv2CyclesStart;
    b.Qv1Source = Qv1Source;
    b.Qv1CyclesStart = Qv1CyclesStart;
    b.AaStopTimeBase = AaStopTimeBase;
    b.AaSecondsStart = AaSecondsStart;
    b.SecondsSinceDelta = SecondsSinceDelta;
    b.UniversalTime = UniversalTime;
    b.Qv2CyclesCurrent = Qv2CyclesCurrent;
    b.Qv1CyclesCurrent = Qv1CyclesCurrent;
    b.AaSecondsCurrent = AaSecondsCurrent;
    b.AaLiveTime = AaLiveTime;
    b.AaDeadTime = AaDeadTime;
}

int CCountersTimersDlg::BackupDue() {
    ReadFromHardware();
    if (m_nLastError != 0) {
        return -1;
    }
    if (TillNearest != 0) {
        return 1;
    }
    m_image[0] = kBackupRestartB0;
    m_image[1] = kBackupRestartB1;
    return WriteBlock() == 0 ? 0 : -1;
}

}  // namespace qv
