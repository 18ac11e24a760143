#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace qv::tool {

struct Streams {
    std::ostream& out;
    std::ostream& err;
};

int InfoCommand(Streams io, const std::string& file, bool json, bool spectra);
int HdwCommand(Streams io, const std::string& file, bool json);
int NewCommand(Streams io, const std::string& file, const std::string& remark);
int RemarkCommand(Streams io, const std::string& file, const std::string& remark,
                  const std::optional<std::string>& output);
int ExportCommand(Streams io, const std::string& file, const std::optional<std::string>& to);

}  // namespace qv::tool
