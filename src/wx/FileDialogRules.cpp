#include "FileDialogRules.h"

#include <filesystem>

namespace qv {

std::string ToWildcard(const std::string& filter) {
    std::string wildcard = filter;
    while (!wildcard.empty() && wildcard.back() == '|')
        wildcard.pop_back();
    for (size_t at = wildcard.find("|*.*"); at != std::string::npos;
         at = wildcard.find("|*.*", at + 1)) {
        const size_t end = at + 4;
        if (end == wildcard.size() || wildcard[end] == '|' || wildcard[end] == ';')
            wildcard.erase(at + 2, 2);
    }
    return wildcard;
}

std::string WithDefaultExtension(const std::string& path, const std::string& extension) {
    if (extension.empty() || std::filesystem::path(path).has_extension())
        return path;
    return path + (extension.front() == '.' ? "" : ".") + extension;
}

}  // namespace qv
