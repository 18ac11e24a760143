#include "FileDropTarget.h"

#include <wx/app.h>

#include "WxText.h"

namespace qv {

bool FileDropTarget::OnDropFiles(wxCoord, wxCoord, const wxArrayString& files) {
    std::vector<std::string> paths;
    for (const wxString& file : files)
        paths.push_back(FromWx(file));
    wxTheApp->CallAfter([open = m_open, paths] { open(paths); });
    return true;
}

}  // namespace qv
