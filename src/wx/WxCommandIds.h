#pragma once

namespace qv {

// Commands are numbered from 0x8000 as on Windows, but wx menu and tool ids
// must stay below 0x7FFF: the widgets carry the command less 0x8000.
inline constexpr int kCommandBase = 0x8000;
constexpr int ToWxId(int command) {
    return command - kCommandBase;
}
constexpr int ToCommand(int wxId) {
    return wxId + kCommandBase;
}

}  // namespace qv
