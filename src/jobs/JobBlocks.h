#pragma once

#include <nlohmann/json.hpp>
#include <span>
#include <string>

#include "framework/Dialog.h"

namespace qv::jobs {

// One member of an editor's working copy and the control it is bound to: an
// edit box, a check box, or the first button of a radio group (the value is
// then the index of the selected button).
struct BlockField {
    const char* name;
    int control;
};

// What read and set know of one block's editor.
struct JobBlock {
    const char* name;  // as a job names it: analogue, hv, aux, vibrator, counters, info, run
    int command;       // the Settings menu command that opens the editor
    const DialogTemplate& (*dialogTemplate)();
    std::span<const BlockField> fields;
    int toHardware;  // the "--> Hardware" button; 0 when the editor has none
    // The register image in hex, two upper-case digits a byte, no blanks;
    // empty for the hardware info panel, which has none.
    std::string (*image)(const CDialog& editor);
};

const JobBlock* FindJobBlock(const std::string& name);
// "analogue, hv, ..." for messages.
std::string JobBlockNames();
const BlockField* FindBlockField(const JobBlock& block, const std::string& name);

// The member's value as its control shows it: a number where the box holds
// one, else the text.
nlohmann::ordered_json FieldValue(const CDialog& editor, const BlockField& field);
// Every member by its name, in the editor's order.
nlohmann::ordered_json FieldValues(const CDialog& editor, const JobBlock& block);
// The editor's status box and its last transfer's error number.
std::string EditorStatus(const CDialog& editor);
int EditorError(const CDialog& editor);

// Empty when the operator could type into the field's control (judged from
// the template), else why not.
std::string FieldRefusal(const JobBlock& block, const BlockField& field);

}  // namespace qv::jobs
