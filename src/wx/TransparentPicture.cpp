#include "TransparentPicture.h"

#include <algorithm>

#include <wx/dcmemory.h>
#include <wx/image.h>

namespace qv {
namespace {

wxImage PaintOn(const wxColour& background, int width, int height,
                const std::function<void(wxDC&)>& paint) {
    wxBitmap bitmap(width, height, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(wxBrush(background));
        dc.Clear();
        paint(dc);
    }
    return bitmap.ConvertToImage();
}

}  // namespace

wxBitmap TransparentPicture(int width, int height, const std::function<void(wxDC&)>& paint) {
    const wxImage onBlack = PaintOn(*wxBLACK, width, height, paint);
    const wxImage onWhite = PaintOn(*wxWHITE, width, height, paint);
    wxImage picture(width, height);
    picture.InitAlpha();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int spread = onWhite.GetGreen(x, y) - onBlack.GetGreen(x, y);
            const int alpha = std::clamp(255 - spread, 0, 255);
            const auto unblend = [alpha](unsigned char c) {
                return static_cast<unsigned char>(alpha ? std::min(255, c * 255 / alpha) : 0);
            };
            picture.SetRGB(x, y, unblend(onBlack.GetRed(x, y)), unblend(onBlack.GetGreen(x, y)),
                           unblend(onBlack.GetBlue(x, y)));
            picture.SetAlpha(x, y, static_cast<unsigned char>(alpha));
        }
    }
    return wxBitmap(picture);
}

}  // namespace qv
