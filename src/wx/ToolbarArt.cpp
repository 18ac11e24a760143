#include "ToolbarArt.h"

#include <functional>
#include <map>

#include <wx/dc.h>

#include "TransparentPicture.h"
#include "app/CommandIds.h"
#include "app/Resources.h"

namespace qv {
namespace {

using Painter = std::function<void(wxDC&)>;

const wxColour kInk(40, 40, 40);
const wxColour kPaper(255, 255, 255);
const wxColour kFolder(230, 190, 70);
const wxColour kDisk(50, 80, 170);
const wxColour kGreen(30, 140, 50);
const wxColour kRed(200, 30, 30);
const wxColour kBlue(30, 80, 200);

void Box(wxDC& dc, const wxColour& line, const wxColour& fill, int x, int y, int w, int h) {
    dc.SetPen(wxPen(line));
    dc.SetBrush(wxBrush(fill));
    dc.DrawRectangle(x, y, w, h);
}

void Line(wxDC& dc, const wxColour& colour, int x1, int y1, int x2, int y2) {
    dc.SetPen(wxPen(colour));
    dc.DrawLine(x1, y1, x2, y2);
}

void Page(wxDC& dc, int x, int y) {
    const wxPoint outline[] = {{x, y}, {x + 7, y}, {x + 10, y + 3}, {x + 10, y + 13}, {x, y + 13}};
    dc.SetPen(wxPen(kInk));
    dc.SetBrush(wxBrush(kPaper));
    dc.DrawPolygon(5, outline);
    Line(dc, kInk, x + 7, y, x + 7, y + 3);
    Line(dc, kInk, x + 7, y + 3, x + 10, y + 3);
}

void TextLines(wxDC& dc, int x, int y, int width, int count) {
    for (int i = 0; i < count; ++i)
        Line(dc, wxColour(110, 110, 110), x, y + 2 * i, x + width, y + 2 * i);
}

void Disk(wxDC& dc, int x, int y, int size) {
    Box(dc, kInk, kDisk, x, y, size, size);
    Box(dc, kInk, kPaper, x + 3, y + 1, size - 6, size / 2 - 1);
    Box(dc, kInk, wxColour(200, 200, 200), x + 4, y + size - 5, size - 8, 4);
}

// A circular arrow turning clockwise, centred at (cx, cy).
void TurnArrow(wxDC& dc, const wxColour& colour, int cx, int cy, int r) {
    dc.SetPen(wxPen(colour, 2));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawEllipticArc(cx - r, cy - r, 2 * r, 2 * r, -30, 200);
    const wxPoint head[] = {{cx + r - 3, cy - 1}, {cx + r + 3, cy - 1}, {cx + r, cy + 3}};
    dc.SetPen(wxPen(colour));
    dc.SetBrush(wxBrush(colour));
    dc.DrawPolygon(3, head);
}

void Spectrum(wxDC& dc, const wxColour& colour, int y) {
    const wxPoint curve[] = {{1, y}, {5, y}, {6, y + 4}, {7, y + 6}, {8, y + 4}, {9, y}, {14, y}};
    dc.SetPen(wxPen(colour));
    dc.DrawLines(7, curve);
}

void PaintNew(wxDC& dc) {
    Page(dc, 3, 1);
}

void PaintOpen(wxDC& dc) {
    const wxPoint back[] = {{1, 3}, {5, 3}, {6, 4}, {12, 4}, {12, 12}, {1, 12}};
    dc.SetPen(wxPen(kInk));
    dc.SetBrush(wxBrush(kFolder.ChangeLightness(80)));
    dc.DrawPolygon(6, back);
    const wxPoint front[] = {{1, 12}, {4, 7}, {15, 7}, {12, 12}};
    dc.SetBrush(wxBrush(kFolder));
    dc.DrawPolygon(4, front);
}

void PaintSave(wxDC& dc) {
    Disk(dc, 1, 1, 13);
}

void PaintAutoSave(wxDC& dc) {
    Disk(dc, 0, 0, 11);
    Box(dc, kInk, kPaper, 8, 7, 8, 8);
    Line(dc, kRed, 12, 8, 12, 11);
    Line(dc, kRed, 12, 11, 14, 11);
}

void PaintCut(wxDC& dc) {
    Line(dc, kInk, 4, 1, 10, 9);
    Line(dc, kInk, 11, 1, 5, 9);
    dc.SetPen(wxPen(kBlue));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawEllipse(1, 9, 5, 5);
    dc.DrawEllipse(9, 9, 5, 5);
}

void PaintCopy(wxDC& dc) {
    Page(dc, 1, 0);
    Page(dc, 5, 1);
    TextLines(dc, 7, 6, 5, 3);
}

void PaintPaste(wxDC& dc) {
    Box(dc, kInk, kFolder.ChangeLightness(70), 1, 2, 10, 12);
    Box(dc, kInk, wxColour(190, 190, 190), 4, 1, 4, 3);
    Page(dc, 6, 5);
    Line(dc, kInk, 6, 14, 13, 14);
}

void PaintRemark(wxDC& dc) {
    Box(dc, kInk, wxColour(255, 245, 160), 1, 1, 12, 13);
    TextLines(dc, 3, 4, 8, 4);
    Line(dc, kRed, 9, 13, 15, 7);
}

void PaintMeasure(wxDC& dc) {
    Spectrum(dc, kBlue, 4);
    Line(dc, kRed, 4, 0, 4, 14);
    Line(dc, kGreen, 11, 0, 11, 14);
}

void PaintZoom(wxDC& dc) {
    dc.SetPen(wxPen(kInk, 2));
    dc.SetBrush(wxBrush(wxColour(200, 230, 255)));
    dc.DrawEllipse(1, 1, 9, 9);
    Line(dc, kInk, 9, 9, 14, 14);
    Line(dc, kInk, 10, 9, 15, 14);
    Line(dc, kInk, 3, 5, 8, 5);
    Line(dc, kInk, 5, 3, 5, 8);
}

void PaintRefresh(wxDC& dc) {
    Spectrum(dc, kBlue, 1);
    const wxPoint arrow[] = {{5, 8}, {10, 8}, {10, 11}, {13, 11}, {7, 14}, {1, 11}, {5, 11}};
    dc.SetPen(wxPen(kGreen));
    dc.SetBrush(wxBrush(kGreen));
    dc.DrawPolygon(7, arrow, 1, 0);
}

void PaintAutoRefresh(wxDC& dc) {
    TurnArrow(dc, kGreen, 7, 7, 5);
    Spectrum(dc, kBlue, 5);
}

// A sextet of dips on a velocity axis.
void PaintVelocity(wxDC& dc) {
    const wxPoint curve[] = {{0, 3}, {2, 3}, {3, 10}, {4, 3},  {5, 3},   {6, 7},  {7, 3},
                             {8, 3}, {9, 7}, {10, 3}, {11, 3}, {12, 10}, {13, 3}, {15, 3}};
    dc.SetPen(wxPen(wxColour(200, 0, 200)));
    dc.DrawLines(14, curve);
    Line(dc, kInk, 0, 13, 15, 13);
    Line(dc, kInk, 7, 11, 7, 15);
}

void PaintAbout(wxDC& dc) {
    dc.SetPen(wxPen(kBlue));
    dc.SetBrush(wxBrush(kBlue));
    dc.DrawEllipse(1, 0, 14, 14);
    dc.SetTextForeground(kPaper);
    dc.SetFont(wxFont(wxFontInfo(8).Bold().Family(wxFONTFAMILY_SWISS)));
    dc.DrawLabel("?", wxRect(1, 0, 14, 14), wxALIGN_CENTRE);
}

void PaintUnknown(wxDC& dc) {
    Box(dc, kInk, wxColour(220, 220, 220), 2, 2, 12, 11);
}

const std::map<int, Painter>& Painters() {
    static const std::map<int, Painter> painters = {
        {ID_FILE_NEW, PaintNew},         {ID_FILE_OPEN, PaintOpen},
        {ID_FILE_SAVE, PaintSave},       {ID_AUTO_SAVE, PaintAutoSave},
        {ID_EDIT_CUT, PaintCut},         {ID_EDIT_COPY, PaintCopy},
        {ID_EDIT_PASTE, PaintPaste},     {ID_DATA_REMARK, PaintRemark},
        {ID_MEASURE_DATA, PaintMeasure}, {ID_TOGGLE_ZOOM, PaintZoom},
        {ID_REFRESH, PaintRefresh},      {ID_AUTO_REFRESH, PaintAutoRefresh},
        {ID_APP_ABOUT, PaintAbout},      {ID_VELOCITY_SPECTRUM, PaintVelocity},
    };
    return painters;
}

}  // namespace

wxBitmap ToolbarPicture(int command) {
    const auto it = Painters().find(command);
    return TransparentPicture(kToolbarButtonWidth, kToolbarButtonHeight,
                              it == Painters().end() ? Painter(PaintUnknown) : it->second);
}

}  // namespace qv
