#include "editors/AuxDacDlg.h"

#include "editors/AuxDacTemplate.h"
#include "framework/DataExchange.h"
#include "hardware/CommandCodes.h"

namespace qv {

CAuxDacDlg::CAuxDacDlg(Ui& ui)
    : CSettingEditorDlg(AuxDacTemplate(), ui,
                        {.fromHardware = IDC_AUX_FROM_HARDWARE,
                         .toHardware = IDC_AUX_TO_HARDWARE,
                         .status = IDC_AUX_STATUS}) {}

void CAuxDacDlg::ExchangeMembers(CDataExchange& dx) {
    const std::pair<int, std::int32_t*> members[] = {{IDC_AUX0, &Aux0}, {IDC_AUX1, &Aux1},
                                                     {IDC_AUX2, &Aux2}, {IDC_AUX3, &Aux3},
                                                     {IDC_AUX4, &Aux4}, {IDC_DAC8, &Dac8}};
    for (const auto& [id, member] : members) {
        DDX_Text(dx, id, *member);
        DDV_MinMaxInt(dx, *member, 0, 255);
    }
}

int CAuxDacDlg::ReadBlock() {
    m_port.ReadCommand(kCmdReadAux, m_image.aux.data(), kAuxLength);
    return StatusRead(kCmdReadDac, &m_image.dac, kDacLength);
}

int CAuxDacDlg::WriteBlock() {
    m_port.WriteCommand(kCmdWriteDac, &m_image.dac, kDacLength);
    return m_port.WriteCommand(kCmdWriteAux, m_image.aux.data(), kAuxLength);
}

void CAuxDacDlg::Pack() {
    m_image = PackAuxDac(*this);
}

void CAuxDacDlg::Unpack() {
    static_cast<AuxDacValues&>(*this) = UnpackAuxDac(m_image);
}

std::vector<SpinRange> CAuxDacDlg::SpinRanges() const {
    return {{IDC_DAC8_SPIN, 0, 255}};
}

}  // namespace qv
