#pragma once

#include <functional>
#include <string>
#include <vector>

#include <wx/dnd.h>

namespace qv {

// Files dropped on a window go to open(paths) once the drop has finished, so
// that the boxes opening may show do not run inside the drag and drop.
class FileDropTarget : public wxFileDropTarget {
public:
    using Open = std::function<void(const std::vector<std::string>&)>;
    explicit FileDropTarget(Open open) : m_open(std::move(open)) {}
    bool OnDropFiles(wxCoord x, wxCoord y, const wxArrayString& files) override;

private:
    Open m_open;
};

}  // namespace qv
