#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace qv::tool {

inline constexpr int kLargestPictureSide = 16384;

struct PictureSize {
    int width = 0;
    int height = 0;
};

// A --size of "WxH", each side from smallest to kLargestPictureSide; says why
// not on err.
std::optional<PictureSize> ParsePictureSize(const std::string& text, int smallest,
                                            std::ostream& err);

}  // namespace qv::tool
