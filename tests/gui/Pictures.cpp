#include "Pictures.h"

#include <png.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/toplevel.h>
#include <wx/window.h>

namespace qv::test {

wxImage ReadPng(const std::string& path) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&png, path.c_str()) == 0)
        return {};
    png.format = PNG_FORMAT_RGB;
    wxImage image(int(png.width), int(png.height), false);
    if (png_image_finish_read(&png, nullptr, image.GetData(), 0, nullptr) == 0)
        return {};
    return image;
}

wxImage GrabClient(wxWindow& window) {
    const wxSize size = window.GetClientSize();
    wxBitmap bitmap(size.x, size.y, 24);
    wxMemoryDC memory(bitmap);
    wxClientDC screen(&window);
    memory.Blit(0, 0, size.x, size.y, &screen, 0, 0);
    memory.SelectObject(wxNullBitmap);
    return bitmap.ConvertToImage();
}

wxImage GrabWindow(wxWindow& window) {
    const wxRect rect = window.GetScreenRect();
    wxBitmap bitmap(rect.width, rect.height, 24);
    wxMemoryDC memory(bitmap);
    wxScreenDC screen;
    memory.Blit(0, 0, rect.width, rect.height, &screen, rect.x, rect.y);
    memory.SelectObject(wxNullBitmap);
    return bitmap.ConvertToImage();
}

bool KeepPicture(wxWindow& window, const std::string& name, bool whole) {
    const char* folder = std::getenv("QV_PICTURES");
    if (!folder)
        return true;
    std::vector<wxWindow*> hidden;
    for (wxWindow* other : wxTopLevelWindows)
        if (other != &window && other != wxTheApp->GetTopWindow() && other->IsShown()) {
            other->Hide();
            hidden.push_back(other);
        }
    window.Raise();
    wxYield();
    window.Update();
    const wxImage image = whole ? GrabWindow(window) : GrabClient(window);
    for (wxWindow* other : hidden)
        other->Show();
    const std::string path = (std::filesystem::path(folder) / name).string();
    return image.IsOk() && image.SaveFile(path, wxBITMAP_TYPE_PNG);
}

namespace {

std::string Colour(const wxImage& image, int x, int y) {
    return std::to_string(image.GetRed(x, y)) + "/" + std::to_string(image.GetGreen(x, y)) + "/" +
           std::to_string(image.GetBlue(x, y));
}

}  // namespace

long CountDifferences(const wxImage& a, const wxImage& b, std::string& where) {
    if (!a.IsOk() || !b.IsOk() || a.GetSize() != b.GetSize())
        return -1;
    long count = 0;
    for (int y = 0; y < a.GetHeight(); ++y)
        for (int x = 0; x < a.GetWidth(); ++x) {
            if (a.GetRed(x, y) == b.GetRed(x, y) && a.GetGreen(x, y) == b.GetGreen(x, y) &&
                a.GetBlue(x, y) == b.GetBlue(x, y))
                continue;
            if (count++ == 0)
                where = "first at " + std::to_string(x) + "," + std::to_string(y) + ": " +
                        Colour(a, x, y) + " instead of " + Colour(b, x, y);
        }
    return count;
}

}  // namespace qv::test
