#include "ToolkitApp.h"

#include <cstdlib>

namespace qv {

bool ToolkitApp::Initialize(int& argc, wxChar** argv) {
    // Read by GTK for every scrolled window it makes; the program's own choice,
    // whatever the desktop prefers.
    setenv("GTK_OVERLAY_SCROLLING", "0", 1);
    return wxApp::Initialize(argc, argv);
}

}  // namespace qv
