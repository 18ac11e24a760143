#include "document/ExecutablePath.h"

#include <unistd.h>

#include <vector>

namespace qv {

std::string ExecutableDirectory() {
    std::vector<char> buffer(4096);
    for (;;) {
        const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0) {
            return ".";
        }
        if (static_cast<std::size_t>(n) < buffer.size()) {
            const std::string path(buffer.data(), static_cast<std::size_t>(n));
            const auto slash = path.find_last_of('/');
            return slash == std::string::npos ? "." : path.substr(0, slash);
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace qv
