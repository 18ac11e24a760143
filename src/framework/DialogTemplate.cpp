#include "framework/DialogTemplate.h"

#include <algorithm>
#include <iterator>

namespace qv {

namespace {

using Controls = std::vector<ControlTemplate>;

Controls::const_iterator FindIn(const Controls& controls, int controlId) {
    return std::find_if(controls.begin(), controls.end(),
                        [controlId](const ControlTemplate& c) { return c.id == controlId; });
}

bool IsRadio(const ControlTemplate& control) {
    return control.kind == ControlKind::RadioButton;
}

}  // namespace

const ControlTemplate* DialogTemplate::Find(int controlId) const {
    if (controlId == kStaticId) {
        return nullptr;
    }
    const auto it = FindIn(controls, controlId);
    return it == controls.end() ? nullptr : &*it;
}

std::vector<int> DialogTemplate::RadioGroup(int firstId) const {
    std::vector<int> group;
    auto it = FindIn(controls, firstId);
    if (it == controls.end() || !IsRadio(*it)) {
        return group;
    }
    do {
        group.push_back(it->id);
        ++it;
    } while (it != controls.end() && IsRadio(*it) && (it->style & kGroupStart) == 0);
    return group;
}

std::vector<int> DialogTemplate::RadioGroupOf(int memberId) const {
    auto it = FindIn(controls, memberId);
    if (it == controls.end() || !IsRadio(*it)) {
        return {};
    }
    // Walk back to the button that opens the group.
    while (it != controls.begin() && (it->style & kGroupStart) == 0 && IsRadio(*std::prev(it))) {
        --it;
    }
    return RadioGroup(it->id);
}

}  // namespace qv
