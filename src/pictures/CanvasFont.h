#pragma once

#include <memory>
#include <string>

#include "framework/RgbCanvas.h"

namespace qv {

// Anti-aliased text on a canvas in the system's sans-serif font (found with
// fontconfig, drawn with FreeType), for the labels of plots. Each font has a
// FreeType library of its own, so fonts on different threads never meet; one
// font is for one thread at a time. Rendered glyphs are kept per size, so a
// plot redrawn at the same size renders no glyph twice.
class CanvasFont {
public:
    // A font of the given pixel height; nothing, with the reason in `why`,
    // when the system has no usable font.
    static std::unique_ptr<CanvasFont> Load(int pixelHeight, std::string& why);
    ~CanvasFont();
    CanvasFont(const CanvasFont&) = delete;
    CanvasFont& operator=(const CanvasFont&) = delete;

    void SetPixelHeight(int pixelHeight);
    int PixelHeight() const;
    // Advance width of the UTF-8 text in pixels.
    int Width(const std::string& text) const;
    // Height of a line: ascent plus descent.
    int LineHeight() const;
    int Ascent() const;
    // Draws UTF-8 text with the top of its line at y.
    void Draw(RgbCanvas& canvas, int x, int y, const std::string& text, Rgb colour) const;

private:
    struct Face;
    explicit CanvasFont(std::unique_ptr<Face> face);
    std::unique_ptr<Face> m_face;
};

}  // namespace qv
