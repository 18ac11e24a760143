#include "MessageBoxIcons.h"

#include <wx/dc.h>

#include "TransparentPicture.h"

namespace qv {
namespace {

constexpr int kIconSize = 32;

void Sign(wxDC& dc, const wxColour& colour, const wxString& mark) {
    wxFont font(wxFontInfo(kIconSize * 5 / 8).Bold().Family(wxFONTFAMILY_SWISS));
    dc.SetFont(font);
    dc.SetTextForeground(colour);
    const wxSize extent = dc.GetTextExtent(mark);
    dc.DrawText(mark, (kIconSize - extent.x) / 2, (kIconSize - extent.y) / 2 + 1);
}

void Disc(wxDC& dc, const wxColour& fill) {
    dc.SetPen(wxPen(fill.ChangeLightness(70)));
    dc.SetBrush(wxBrush(fill));
    dc.DrawEllipse(1, 1, kIconSize - 2, kIconSize - 2);
}

void Exclamation(wxDC& dc) {
    const wxPoint triangle[] = {
        {kIconSize / 2, 1}, {kIconSize - 1, kIconSize - 3}, {0, kIconSize - 3}};
    dc.SetPen(wxPen(wxColour(120, 90, 0)));
    dc.SetBrush(wxBrush(wxColour(250, 200, 30)));
    dc.DrawPolygon(3, triangle);
    Sign(dc, *wxBLACK, "!");
}

}  // namespace

void MessageBoxIcons::Install() {
    static bool installed = false;
    if (!installed)
        wxArtProvider::Push(new MessageBoxIcons);
    installed = true;
}

wxBitmap MessageBoxIcons::CreateBitmap(const wxArtID& id, const wxArtClient& client,
                                       const wxSize&) {
    if (client != wxART_MESSAGE_BOX)
        return wxNullBitmap;
    std::function<void(wxDC&)> paint;
    if (id == wxART_WARNING)
        paint = Exclamation;
    else if (id == wxART_INFORMATION)
        paint = [](wxDC& dc) { Disc(dc, wxColour(40, 100, 210)), Sign(dc, *wxWHITE, "i"); };
    else if (id == wxART_QUESTION)
        paint = [](wxDC& dc) { Disc(dc, wxColour(40, 100, 210)), Sign(dc, *wxWHITE, "?"); };
    else if (id == wxART_ERROR)
        paint = [](wxDC& dc) { Disc(dc, wxColour(200, 30, 30)), Sign(dc, *wxWHITE, "x"); };
    else
        return wxNullBitmap;
    return TransparentPicture(kIconSize, kIconSize, paint);
}

}  // namespace qv
