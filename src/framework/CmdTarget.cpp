#include "framework/CmdTarget.h"

namespace qv {

bool CCmdTarget::OnCmdMsg(int id) {
    const auto it = m_commands.find(id);
    if (it == m_commands.end()) {
        return false;
    }
    // Copy: a handler may replace itself (or its target may go away) while running.
    const auto handler = it->second;
    handler();
    return true;
}

bool CCmdTarget::OnUpdateCmdUI(CCmdUI& ui) {
    const auto it = m_updates.find(ui.id);
    if (it == m_updates.end()) {
        return false;
    }
    it->second(ui);
    return true;
}

bool CommandRouter::Execute(int id) {
    for (CCmdTarget* target : m_targets) {
        if (target != nullptr && target->OnCmdMsg(id)) {
            return true;
        }
    }
    return false;
}

CCmdUI CommandRouter::Query(int id) {
    CCmdUI ui;
    ui.id = id;
    for (CCmdTarget* target : m_targets) {
        if (target != nullptr && target->OnUpdateCmdUI(ui)) {
            return ui;
        }
    }
    ui.enabled = false;
    for (CCmdTarget* target : m_targets) {
        if (target != nullptr && target->HasCommand(id)) {
            ui.enabled = true;
        }
    }
    return ui;
}

}  // namespace qv
