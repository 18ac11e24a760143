#include "CanvasBitmap.h"

#include <wx/image.h>

namespace qv {

wxBitmap CanvasBitmap(const RgbCanvas& canvas) {
    // static_data: the image only reads the canvas, which outlives it here.
    const wxImage image(canvas.Width(), canvas.Height(),
                        const_cast<unsigned char*>(canvas.Bytes().data()), true);
    return wxBitmap(image, 24);
}

}  // namespace qv
