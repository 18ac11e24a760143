#include "framework/Dialog.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>
#include <utility>

#include "framework/CharCount.h"
#include "framework/DataExchange.h"
#include "framework/NumberText.h"

namespace qv {

CDialog::CDialog(const DialogTemplate& dialogTemplate, Ui& ui)
    : m_template(dialogTemplate), m_ui(ui) {
    ResetControls();
}

CDialog::~CDialog() {
    if (m_modeless) {
        m_ui.DestroyWindow(*this);
    }
}

void CDialog::ResetControls() {
    m_controls.clear();
    for (const ControlTemplate& control : m_template.controls) {
        if (control.id == kStaticId) {
            continue;
        }
        ControlState state;
        state.text = control.text;
        state.enabled = (control.style & kDisabled) == 0;
        m_controls.emplace(control.id, std::move(state));
    }
}

// --- Running -------------------------------------------------------------

void CDialog::MarkRunning() {
    m_running = true;
    m_result = 0;
}

int CDialog::DoModal() {
    MarkRunning();
    return m_ui.RunModal(*this);
}

bool CDialog::Create() {
    m_modeless = true;
    m_running = true;
    m_visible = false;
    return m_ui.CreateModeless(*this);
}

void CDialog::ShowWindow(ShowCommand command) {
    m_visible = command != ShowCommand::Hide;
    if (m_host != nullptr) {
        m_host->Show(command);
    }
}

bool CDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

bool CDialog::UpdateData(bool saveAndValidate) {
    CDataExchange dx(*this, saveAndValidate);
    try {
        DoDataExchange(dx);
    } catch (const DataExchangeFailure&) {
        m_bValueRefused = true;
        return false;
    }
    if (saveAndValidate) {
        m_bValueRefused = false;
    }
    dx.Finish();
    return true;
}

void CDialog::OnOK() {
    if (UpdateData(true)) {
        EndDialog(IDOK);
    }
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int result) {
    m_result = result;
    m_running = false;
    if (m_modeless) {
        // A modeless window only hides; it lives as long as its object.
        ShowWindow(ShowCommand::Hide);
    } else if (m_host != nullptr) {
        m_host->EndModal(result);
    }
}

// --- User input ----------------------------------------------------------

bool CDialog::AcceptsInput(int id) const {
    return !HasControl(id) || Control(id).enabled;
}

void CDialog::OnCommand(int id) {
    if (!AcceptsInput(id)) {
        return;
    }
    if (const auto it = m_commands.find(id); it != m_commands.end()) {
        // Copy: the handler may register another one for the same id.
        const Handler handler = it->second;
        handler();
    } else if (id == IDOK) {
        OnOK();
    } else if (id == IDCANCEL) {
        OnCancel();
    }
}

void CDialog::OnKillFocus(int id) {
    if (m_focus == id) {
        m_focus = 0;
    }
    if (const auto it = m_focusLost.find(id); it != m_focusLost.end()) {
        const Handler handler = it->second;
        handler();
    }
}

void CDialog::ClickSpin(int spinId, int delta) {
    const ControlState& spin = Control(spinId);
    if (!spin.enabled) {
        return;
    }
    const int lower = std::min(spin.spinLower, spin.spinUpper);
    const int upper = std::max(spin.spinLower, spin.spinUpper);
    const ControlTemplate* control = m_template.Find(spinId);
    const int buddy = control != nullptr ? control->buddy : 0;
    int position = spin.spinPos;
    if (HasControl(buddy)) {
        position = ParseInt32(Control(buddy).text).value_or(position);
    }
    position = std::clamp(position, lower, upper);
    if (const auto it = m_spins.find(spinId); it != m_spins.end()) {
        const SpinHandler handler = it->second;
        if (!handler(position, delta)) {
            return;
        }
    }
    const long long next = static_cast<long long>(position) + delta;
    MoveSpin(spinId, static_cast<int>(std::clamp<long long>(next, lower, upper)));
}

void CDialog::MoveSpin(int spinId, int position) {
    Control(spinId).spinPos = position;
    Changed(spinId);
    const ControlTemplate* control = m_template.Find(spinId);
    if (control != nullptr && HasControl(control->buddy)) {
        SetDlgItemText(control->buddy, std::to_string(position));
    }
}

namespace {
std::string DigitsOnly(const std::string& text) {
    std::string digits;
    std::copy_if(text.begin(), text.end(), std::back_inserter(digits),
                 [](char c) { return c >= '0' && c <= '9'; });
    return digits;
}

bool IsReadOnly(ControlKind kind) {
    return kind == ControlKind::ReadOnlyEdit;
}
}  // namespace

void CDialog::TypeText(int id, const std::string& text) {
    ControlState& state = Control(id);
    const ControlTemplate* control = m_template.Find(id);
    if (!state.enabled || IsReadOnly(control->kind)) {
        return;
    }
    std::string accepted = control->kind == ControlKind::DigitsEdit ? DigitsOnly(text) : text;
    if (state.textLimit > 0) {
        accepted = FirstChars(accepted, static_cast<std::size_t>(state.textLimit));
    }
    state.text = accepted;
    // The widget already shows what was typed; redraw only what the box refused.
    if (accepted != text) {
        Changed(id);
    }
}

void CDialog::ClickCheck(int id) {
    ControlState& state = Control(id);
    if (!state.enabled) {
        return;
    }
    state.check = state.check != 0 ? 0 : 1;
    Changed(id);
    OnCommand(id);
}

void CDialog::ClickRadio(int id) {
    if (!Control(id).enabled) {
        return;
    }
    for (const int member : m_template.RadioGroupOf(id)) {
        CheckDlgButton(member, member == id ? 1 : 0);
    }
    OnCommand(id);
}

// --- Control access ------------------------------------------------------

ControlState& CDialog::Control(int id) {
    return const_cast<ControlState&>(std::as_const(*this).Control(id));
}

const ControlState& CDialog::Control(int id) const {
    const auto it = m_controls.find(id);
    if (it == m_controls.end()) {
        throw std::out_of_range("dialog " + std::to_string(m_template.id) + " has no control " +
                                std::to_string(id));
    }
    return it->second;
}

bool CDialog::HasControl(int id) const {
    return m_controls.count(id) != 0;
}

void CDialog::SetDlgItemText(int id, const std::string& text) {
    Control(id).text = text;
    Changed(id);
}

void CDialog::CheckDlgButton(int id, int check) {
    Control(id).check = check;
    Changed(id);
}

void CDialog::EnableControl(int id, bool enable) {
    Control(id).enabled = enable;
    Changed(id);
}

void CDialog::LimitText(int id, int count) {
    Control(id).textLimit = count;
    Changed(id);
}

void CDialog::GotoDlgCtrl(int id) {
    m_focus = id;
    if (m_host != nullptr) {
        m_host->FocusControl(id);
    }
}

long CDialog::SendSpinMessage(int spinId, unsigned message, unsigned long, long lParam) {
    ControlState& spin = Control(spinId);
    if (message == UDM_SETRANGE) {
        spin.spinUpper = static_cast<std::int16_t>(lParam & 0xFFFF);
        spin.spinLower = static_cast<std::int16_t>((lParam >> 16) & 0xFFFF);
        Changed(spinId);
    }
    return 0;
}

void CDialog::SetHeight(int pixels) {
    m_height = pixels;
    if (m_host != nullptr) {
        m_host->SetHeight(pixels);
    }
}

void CDialog::InvalidateOwner(bool erase) {
    ++m_ownerInvalidations;
    m_lastOwnerErase = erase;
    if (m_host != nullptr) {
        m_host->InvalidateOwner(erase);
    }
}

void CDialog::Changed(int id) {
    if (m_host != nullptr) {
        m_host->ControlChanged(id);
    }
}

std::vector<int> CDialog::HandledControlIds() const {
    std::vector<int> ids;
    for (const auto& handlers : {m_commands, m_focusLost}) {
        for (const auto& [id, handler] : handlers) {
            ids.push_back(id);
        }
    }
    for (const auto& [id, handler] : m_spins) {
        ids.push_back(id);
    }
    return ids;
}

}  // namespace qv
