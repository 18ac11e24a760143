#pragma once

#include <string>

#include <wx/image.h>

class wxWindow;

namespace qv::test {

// A PNG file as an RGB image; an invalid image when it cannot be read.
wxImage ReadPng(const std::string& path);

// What the window's client area shows on the screen now.
wxImage GrabClient(wxWindow& window);

// Pixels that differ, or -1 when the sizes differ; the first difference
// goes to where.
long CountDifferences(const wxImage& a, const wxImage& b, std::string& where);

}  // namespace qv::test
