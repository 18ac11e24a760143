#include "PngFile.h"

#include <png.h>

namespace qv::tool {

bool WritePng(const RgbCanvas& canvas, const std::string& path, std::ostream& err) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(canvas.Width());
    image.height = static_cast<png_uint_32>(canvas.Height());
    image.format = PNG_FORMAT_RGB;
    if (png_image_write_to_file(&image, path.c_str(), 0, canvas.Bytes().data(), 0, nullptr) == 0) {
        err << "cannot write " << path << ": " << image.message << '\n';
        return false;
    }
    return true;
}

}  // namespace qv::tool
