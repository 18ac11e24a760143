#include <iostream>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "QvWxApp.h"

wxIMPLEMENT_APP_NO_MAIN(qv::QvWxApp);

// The arguments are looked at before the toolkit starts, so that --help,
// --version and a wrong option are answered without a display.
int main(int argc, char** argv) {
    const qv::CommandLine options = qv::ParseCommandLine({argv + 1, argv + argc});
    if (options.help) {
        std::cout << qv::Usage();
        return 0;
    }
    if (options.version) {
        std::cout << qv::VersionText();
        return 0;
    }
    if (!options.error.empty()) {
        std::cerr << "qv: " << options.error << "\n" << qv::Usage();
        return 2;
    }
    return wxEntry(argc, argv);
}
