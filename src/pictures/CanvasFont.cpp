#include "pictures/CanvasFont.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <map>
#include <optional>
#include <vector>

namespace qv {

namespace {

// The file of the best sans-serif font fontconfig knows.
std::optional<std::string> SansSerifFile() {
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (config == nullptr) {
        return std::nullopt;
    }
    std::optional<std::string> file;
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif"));
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    if (FcPattern* match = FcFontMatch(config, pattern, &result)) {
        FcChar8* name = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &name) == FcResultMatch) {
            file = reinterpret_cast<const char*>(name);
        }
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    FcConfigDestroy(config);
    return file;
}

std::uint8_t Blend(std::uint8_t under, std::uint8_t over, unsigned coverage) {
    return static_cast<std::uint8_t>((under * (255 - coverage) + over * coverage + 127) / 255);
}

// The code points of UTF-8 text; a broken sequence stands for itself byte by byte.
std::vector<char32_t> CodePoints(const std::string& text) {
    std::vector<char32_t> out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
        bool whole = i + extra < text.size();
        for (int k = 1; whole && k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            whole = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        out.push_back(whole ? c : lead);
        i += whole ? static_cast<std::size_t>(extra) + 1 : 1;
    }
    return out;
}

struct Glyph {
    int left = 0;
    int top = 0;
    long advance = 0;  // 26.6 fixed point
    int width = 0;
    int rows = 0;
    std::vector<std::uint8_t> coverage;
};

}  // namespace

struct CanvasFont::Face {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    int pixelHeight = 0;
    std::map<char32_t, Glyph> glyphs;  // at pixelHeight
    ~Face() {
        if (face != nullptr) {
            FT_Done_Face(face);
        }
        if (library != nullptr) {
            FT_Done_FreeType(library);
        }
    }

    const Glyph& Rendered(char32_t c) {
        const auto found = glyphs.find(c);
        if (found != glyphs.end()) {
            return found->second;
        }
        Glyph& g = glyphs[c];
        if (FT_Load_Char(face, c, FT_LOAD_RENDER) != 0) {
            return g;
        }
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        g = {slot->bitmap_left,
             slot->bitmap_top,
             slot->advance.x,
             static_cast<int>(bitmap.width),
             static_cast<int>(bitmap.rows),
             {}};
        g.coverage.resize(static_cast<std::size_t>(g.width) * static_cast<std::size_t>(g.rows));
        for (int row = 0; row < g.rows; ++row) {
            for (int col = 0; col < g.width; ++col) {
                g.coverage[static_cast<std::size_t>(row * g.width + col)] =
                    bitmap.buffer[row * bitmap.pitch + col];
            }
        }
        return g;
    }
};

CanvasFont::CanvasFont(std::unique_ptr<Face> face) : m_face(std::move(face)) {}
CanvasFont::~CanvasFont() = default;

std::unique_ptr<CanvasFont> CanvasFont::Load(int pixelHeight, std::string& why) {
    // Looked up once: fontconfig reads its whole configuration for it, some
    // milliseconds, and the status page loads a font for every capture.
    static const std::optional<std::string> file = SansSerifFile();
    if (!file) {
        why = "no sans-serif font is installed (fontconfig found none)";
        return nullptr;
    }
    auto face = std::make_unique<Face>();
    if (FT_Init_FreeType(&face->library) != 0 ||
        FT_New_Face(face->library, file->c_str(), 0, &face->face) != 0 ||
        FT_Set_Pixel_Sizes(face->face, 0, static_cast<FT_UInt>(pixelHeight)) != 0) {
        why = "the font " + *file + " cannot be read";
        return nullptr;
    }
    face->pixelHeight = pixelHeight;
    return std::unique_ptr<CanvasFont>(new CanvasFont(std::move(face)));
}

void CanvasFont::SetPixelHeight(int pixelHeight) {
    if (pixelHeight == m_face->pixelHeight ||
        FT_Set_Pixel_Sizes(m_face->face, 0, static_cast<FT_UInt>(pixelHeight)) != 0) {
        return;
    }
    m_face->pixelHeight = pixelHeight;
    m_face->glyphs.clear();
}

int CanvasFont::PixelHeight() const {
    return m_face->pixelHeight;
}

int CanvasFont::Width(const std::string& text) const {
    long width = 0;
    for (const char32_t c : CodePoints(text)) {
        width += m_face->Rendered(c).advance;
    }
    return static_cast<int>((width + 63) / 64);
}

int CanvasFont::Ascent() const {
    return static_cast<int>((m_face->face->size->metrics.ascender + 63) / 64);
}

int CanvasFont::LineHeight() const {
    const FT_Size_Metrics& m = m_face->face->size->metrics;
    return static_cast<int>((m.ascender - m.descender + 63) / 64);
}

void CanvasFont::Draw(RgbCanvas& canvas, int x, int y, const std::string& text, Rgb colour) const {
    const int baseline = y + Ascent();
    long pen = static_cast<long>(x) * 64;
    for (const char32_t c : CodePoints(text)) {
        const Glyph& g = m_face->Rendered(c);
        const int left = static_cast<int>(pen / 64) + g.left;
        const int top = baseline - g.top;
        for (int row = 0; row < g.rows; ++row) {
            const int py = top + row;
            for (int col = 0; col < g.width; ++col) {
                const int px = left + col;
                const unsigned coverage = g.coverage[static_cast<std::size_t>(row * g.width + col)];
                if (coverage == 0 || px < 0 || py < 0 || px >= canvas.Width() ||
                    py >= canvas.Height()) {
                    continue;
                }
                std::uint8_t* p = canvas.Data() + (static_cast<std::size_t>(py) * canvas.Width() +
                                                   static_cast<std::size_t>(px)) *
                                                      3;
                p[0] = Blend(p[0], colour.r, coverage);
                p[1] = Blend(p[1], colour.g, coverage);
                p[2] = Blend(p[2], colour.b, coverage);
            }
        }
        pen += g.advance;
    }
}

}  // namespace qv
