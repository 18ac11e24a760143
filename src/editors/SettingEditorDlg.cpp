#include "editors/SettingEditorDlg.h"

#include "framework/DataExchange.h"

namespace qv {

std::string TimeOutText(int error) {
    return "TimOut:" + std::to_string(error);
}

CSettingEditorDlg::CSettingEditorDlg(const DialogTemplate& dialogTemplate, Ui& ui,
                                     const EditorControls& controls)
    : CDialog(dialogTemplate, ui), m_ids(controls) {
    if (m_ids.fromHardware != 0) {
        OnButton(m_ids.fromHardware, [this] { OnFromHardware(); });
    }
    if (m_ids.toHardware != 0) {
        OnButton(m_ids.toHardware, [this] { OnToHardware(); });
    }
    if (m_ids.fromBuffer != 0) {
        OnButton(m_ids.fromBuffer, [this] { OnFromBuffer(); });
    }
}

bool CSettingEditorDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    for (const SpinRange& range : SpinRanges()) {
        const long lParam =
            static_cast<long>((static_cast<unsigned long>(range.lower & 0xFFFF) << 16) |
                              static_cast<unsigned long>(range.upper & 0xFFFF));
        SendSpinMessage(range.spinId, UDM_SETRANGE, 0, lParam);
    }
    OnFromHardware();
    return true;
}

void CSettingEditorDlg::DoDataExchange(CDataExchange& dx) {
    if (m_ids.status != 0) {
        DDX_Text(dx, m_ids.status, m_strStatus);
    }
    ExchangeMembers(dx);
}

int CSettingEditorDlg::StatusRead(std::uint8_t cmd, void* destination, int length) {
    return m_port.StatusReadCommand(cmd, destination, length, m_strStatus);
}

void CSettingEditorDlg::ReadFromHardware() {
    m_nLastError = ReadBlock();
    if (m_nLastError != 0) {
        m_strStatus = TimeOutText(m_nLastError);
    }
    Unpack();
    AfterRead();
}

void CSettingEditorDlg::OnFromHardware() {
    ReadFromHardware();
    UpdateData(false);
}

bool CSettingEditorDlg::TakeControls() {
    const bool accepted = UpdateData(true);
    AfterTakeControls();
    return accepted;
}

void CSettingEditorDlg::OnToHardware() {
    if (!TakeControls()) {
        return;
    }
    Pack();
    m_nLastError = WriteBlock();
    OnFromHardware();
}

void CSettingEditorDlg::OnFromBuffer() {
    TakeControls();
    CopyFromBlock();
    AfterBufferLoad();
    UpdateData(false);
}

int CSettingEditorDlg::CaptureToBuffer() {
    ReadFromHardware();
    if (m_nLastError != 0) {
        return 1;
    }
    CopyToBlock();
    return 0;
}

}  // namespace qv
