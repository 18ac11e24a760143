#pragma once

#include <string>

#include <wx/image.h>

class wxWindow;

namespace qv::test {

// A PNG file as an RGB image; an invalid image when it cannot be read.
wxImage ReadPng(const std::string& path);

// What the window's client area shows on the screen now.
wxImage GrabClient(wxWindow& window);

// What the whole window shows on the screen now, its menu bar, toolbar and
// status bar included.
wxImage GrabWindow(wxWindow& window);

// With a folder in QV_PICTURES, saves the picture of window there under name
// (the client area, or the whole window when whole is set). Every other
// window but the main one is hidden meanwhile, so that nothing lies over it.
// False when the picture could not be saved; true when no folder is set.
bool KeepPicture(wxWindow& window, const std::string& name, bool whole = false);

// Pixels that differ, or -1 when the sizes differ; the first difference
// goes to where.
long CountDifferences(const wxImage& a, const wxImage& b, std::string& where);

}  // namespace qv::test
