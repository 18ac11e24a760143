#include "editors/DataRemarkDlg.h"

#include "document/QvDoc.h"
#include "editors/DataRemarkTemplate.h"
#include "framework/DataExchange.h"
#include "framework/TextEncoding.h"

namespace qv {

CDataRemarkDlg::CDataRemarkDlg(Ui& ui) : CDialog(DataRemarkTemplate(), ui) {
    OnButton(IDC_REMARK_ACCEPT, [this] { OnAccept(); });
    OnButton(IDC_REMARK_HIDE, [this] { OnHide(); });
    OnButton(IDC_REMARK_FULL_SHORT, [this] { OnFullShort(); });
}

void CDataRemarkDlg::DoDataExchange(CDataExchange& dx) {
    RemarkSummary& s = m_summary;
    DDX_Text(dx, IDC_REMARK_TEXT, m_strRemark);
    DDV_MaxChars(dx, m_strRemark, kRemarkMaxChars);
    DDX_Text(dx, IDC_REMARK_FREQUENCY, s.Frequency);
    DDX_Text(dx, IDC_REMARK_GAIN, s.Gain);
    DDX_Text(dx, IDC_REMARK_HIGH_VOLTAGE, s.HighVoltage);
    DDX_Text(dx, IDC_REMARK_DEAD_SECONDS, s.DeadSeconds);
    DDX_Text(dx, IDC_REMARK_LIVE_SECONDS, s.LiveSeconds);
    DDX_Text(dx, IDC_REMARK_SWITCH_SECONDS, s.SwitchSeconds);
    DDX_Text(dx, IDC_REMARK_UNIVERSAL_SECONDS, s.UniversalSeconds);
    DDX_Text(dx, IDC_REMARK_QV1_CYCLES, s.Qv1Cycles);
    DDX_Text(dx, IDC_REMARK_QV2_CYCLES, s.Qv2Cycles);
    DDX_Text(dx, IDC_REMARK_DEAD_DURATION, s.DeadDuration);
    DDX_Text(dx, IDC_REMARK_LIVE_DURATION, s.LiveDuration);
    DDX_Text(dx, IDC_REMARK_TOTAL_DURATION, s.TotalDuration);
    DDX_Text(dx, IDC_REMARK_SWITCH_DURATION, s.SwitchDuration);
    DDX_Text(dx, IDC_REMARK_UNIVERSAL_DURATION, s.UniversalDuration);
    DDX_Text(dx, IDC_REMARK_SCH_LOW, s.SnglChnlLowLimit);
    DDX_Text(dx, IDC_REMARK_SCH_UP, s.SnglChnlUpLimit);
    DDX_Text(dx, IDC_REMARK_SIGNAL_TAU, s.SignalTau);
    DDX_Text(dx, IDC_REMARK_VELOCITY, s.Velocity);
    DDX_Text(dx, IDC_REMARK_TOTAL_SECONDS, s.TotalSeconds);
}

void CDataRemarkDlg::RefreshFromDocument() {
    if (m_pDocument != nullptr) {
        const Measurement& data = m_pDocument->Data();
        m_strRemark = Cp1252ToUtf8(data.Remark);
        m_summary = SummariseSettings(data.Settings);
    }
    UpdateData(false);
}

void CDataRemarkDlg::OnAccept() {
    // A refusal of the length has shown its message; the text is taken anyway.
    UpdateData(true);
    if (m_pDocument == nullptr) {
        return;
    }
    if (const std::string refusal = RemarkEncodingRefusal(m_strRemark); !refusal.empty()) {
        GetUi().MessageBox(
            {refusal, kDataRemarkCaption, MsgButtons::Ok, MsgIcon::Exclamation, this});
        GotoDlgCtrl(IDC_REMARK_TEXT);
        return;
    }
    // A changed remark makes the document ask to be saved before it is replaced.
    std::string& stored = m_pDocument->Data().Remark;
    const std::string remark = Utf8ToCp1252(m_strRemark);
    if (remark != stored) {
        stored = remark;
        m_pDocument->SetModifiedFlag(true);
    }
}

void CDataRemarkDlg::OnHide() {
    ShowWindow(ShowCommand::Hide);
}

void CDataRemarkDlg::OnFullShort() {
    m_bFullSize = m_bFullSize != 0 ? 0 : 1;
    SetHeight(m_bFullSize != 0 ? kRemarkFullHeight : kRemarkShortHeight);
}

}  // namespace qv
