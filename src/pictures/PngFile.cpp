#include "pictures/PngFile.h"

#include <png.h>

namespace qv {

namespace {

png_image ImageOf(const RgbCanvas& canvas) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(canvas.Width());
    image.height = static_cast<png_uint_32>(canvas.Height());
    image.format = PNG_FORMAT_RGB;
    return image;
}

}  // namespace

bool WritePng(const RgbCanvas& canvas, const std::string& path, std::ostream& err) {
    png_image image = ImageOf(canvas);
    if (png_image_write_to_file(&image, path.c_str(), 0, canvas.Bytes().data(), 0, nullptr) == 0) {
        err << "cannot write " << path << ": " << image.message << '\n';
        return false;
    }
    return true;
}

// libpng tells the size it needs when asked with no buffer, then writes.
std::optional<std::string> EncodePng(const RgbCanvas& canvas) {
    png_image image = ImageOf(canvas);
    png_alloc_size_t size = 0;
    if (png_image_write_to_memory(&image, nullptr, &size, 0, canvas.Bytes().data(), 0, nullptr) ==
        0) {
        return std::nullopt;
    }
    std::string bytes(size, '\0');
    if (png_image_write_to_memory(&image, bytes.data(), &size, 0, canvas.Bytes().data(), 0,
                                  nullptr) == 0) {
        return std::nullopt;
    }
    bytes.resize(size);
    return bytes;
}

}  // namespace qv
