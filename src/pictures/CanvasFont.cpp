#include "pictures/CanvasFont.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <optional>

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

}  // namespace

struct CanvasFont::Face {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    ~Face() {
        if (face != nullptr) {
            FT_Done_Face(face);
        }
        if (library != nullptr) {
            FT_Done_FreeType(library);
        }
    }
};

CanvasFont::CanvasFont(std::unique_ptr<Face> face) : m_face(std::move(face)) {}
CanvasFont::~CanvasFont() = default;

std::unique_ptr<CanvasFont> CanvasFont::Load(int pixelHeight, std::string& why) {
    const std::optional<std::string> file = SansSerifFile();
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
    return std::unique_ptr<CanvasFont>(new CanvasFont(std::move(face)));
}

int CanvasFont::Width(const std::string& text) const {
    long width = 0;
    for (const unsigned char c : text) {
        if (FT_Load_Char(m_face->face, c, FT_LOAD_DEFAULT) == 0) {
            width += m_face->face->glyph->advance.x;
        }
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
    for (const unsigned char c : text) {
        if (FT_Load_Char(m_face->face, c, FT_LOAD_RENDER) != 0) {
            continue;
        }
        const FT_GlyphSlot glyph = m_face->face->glyph;
        const FT_Bitmap& bitmap = glyph->bitmap;
        const int left = static_cast<int>(pen / 64) + glyph->bitmap_left;
        const int top = baseline - glyph->bitmap_top;
        for (unsigned row = 0; row < bitmap.rows; ++row) {
            const int py = top + static_cast<int>(row);
            for (unsigned col = 0; col < bitmap.width; ++col) {
                const int px = left + static_cast<int>(col);
                const unsigned coverage = bitmap.buffer[row * bitmap.pitch + col];
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
        pen += glyph->advance.x;
    }
}

}  // namespace qv
