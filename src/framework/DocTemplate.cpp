#include "framework/DocTemplate.h"

#include <sstream>

namespace qv {

DocTemplate DocTemplate::Parse(const std::string& templateString) {
    DocTemplate t;
    std::string* fields[] = {&t.windowTitle, &t.docName,    &t.fileNewName, &t.filterName,
                             &t.filterExt,   &t.fileTypeId, &t.fileTypeName};
    std::istringstream in(templateString);
    for (std::string* field : fields) {
        if (!std::getline(in, *field)) {
            break;
        }
    }
    return t;
}

std::string DocTemplate::FileDialogFilter() const {
    std::string filter;
    if (!filterName.empty() && !filterExt.empty()) {
        filter = filterName + "|*" + filterExt + "|";
    }
    return filter + "All Files (*.*)|*.*||";
}

}  // namespace qv
