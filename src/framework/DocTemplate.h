#pragma once

#include <string>

namespace qv {

// The seven newline-separated fields of a document template string.
struct DocTemplate {
    std::string windowTitle;
    std::string docName;
    std::string fileNewName;
    std::string filterName;
    std::string filterExt;
    std::string fileTypeId;
    std::string fileTypeName;

    static DocTemplate Parse(const std::string& templateString);
    // "Qv Files (*.qv)|*.qv|All Files (*.*)|*.*||"
    std::string FileDialogFilter() const;
};

}  // namespace qv
