#pragma once

#include <wx/app.h>

namespace qv {

// The toolkit as the program wants it, set before GTK starts: classic scroll
// bars beside the windows' contents. GTK's overlay indicators stay hidden
// until the pointer comes near and then cover the bottom rows and the right
// columns of the zoomed spectrum.
class ToolkitApp : public wxApp {
public:
    bool Initialize(int& argc, wxChar** argv) override;
};

}  // namespace qv
