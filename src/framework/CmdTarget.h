#pragma once

#include <functional>
#include <map>
#include <vector>

namespace qv {

// What an update handler says about a command: menu item or toolbar button state.
struct CCmdUI {
    int id = 0;
    bool enabled = true;
    int check = 0;       // 0 clear, 1 checked
    bool radio = false;  // shown pressed (toolbar) or with a radio mark (menu)
    void Enable(bool on = true) { enabled = on; }
    void SetCheck(int state = 1) { check = state; }
    void SetRadio(bool on = true) { radio = on; }
};

// Something that handles commands by id, with optional update handlers.
class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;
    // Runs the handler for id; false when this target has none.
    bool OnCmdMsg(int id);
    bool HasCommand(int id) const { return m_commands.count(id) != 0; }
    // Runs the update handler for ui.id; false when this target has none.
    bool OnUpdateCmdUI(CCmdUI& ui);

protected:
    void OnCommandId(int id, std::function<void()> handler) { m_commands[id] = std::move(handler); }
    void OnUpdateCommand(int id, std::function<void(CCmdUI&)> handler) {
        m_updates[id] = std::move(handler);
    }

private:
    std::map<int, std::function<void()>> m_commands;
    std::map<int, std::function<void(CCmdUI&)>> m_updates;
};

// Routes a command to the first target that handles it (view, document, frame,
// application). A command that no target handles is shown disabled.
class CommandRouter {
public:
    void SetTargets(std::vector<CCmdTarget*> targets) { m_targets = std::move(targets); }
    bool Execute(int id);
    CCmdUI Query(int id);

private:
    std::vector<CCmdTarget*> m_targets;
};

}  // namespace qv
