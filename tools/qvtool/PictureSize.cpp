#include "PictureSize.h"

#include <cstdio>

namespace qv::tool {

std::optional<PictureSize> ParsePictureSize(const std::string& text, int smallest,
                                            std::ostream& err) {
    PictureSize size;
    char end = 0;
    const auto fits = [smallest](int side) {
        return side >= smallest && side <= kLargestPictureSide;
    };
    if (std::sscanf(text.c_str(), "%dx%d%c", &size.width, &size.height, &end) != 2 ||
        !fits(size.width) || !fits(size.height)) {
        err << "--size wants WxH, each from " << smallest << " to " << kLargestPictureSide << "\n";
        return std::nullopt;
    }
    return size;
}

}  // namespace qv::tool
