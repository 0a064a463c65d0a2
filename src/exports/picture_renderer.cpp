// The renderer: FreeType draws each character's glyph at its own advance;
// fontconfig finds the AA face and, for a character it lacks, a face that has it.
#include "exports/picture_renderer.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstring>
#include <map>

#include "text/aa_faces.h"
#include "text/utf.h"

namespace mozaru {

namespace {

// Around every picture, so that nothing touches the edge.
constexpr int kMargin = 8;

std::string utf8(std::u16string_view text) {
    std::string out;
    forEachCodePoint(text, [&out](char32_t c) { appendUtf8(out, c); });
    return out;
}

struct FontFile {
    std::string path;
    int index = 0;
    std::string family;
};

std::string fcString(FcPattern* pattern, const char* object, int n = 0) {
    FcChar8* value = nullptr;
    if (FcPatternGetString(pattern, object, n, &value) != FcResultMatch) return {};
    return reinterpret_cast<const char*>(value);
}

bool sameFamily(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           FcStrCmpIgnoreCase(reinterpret_cast<const FcChar8*>(std::string(a).c_str()),
                              reinterpret_cast<const FcChar8*>(std::string(b).c_str())) == 0;
}

// The installed face of exactly this family (fontconfig would otherwise
// answer with any face at all).
bool findFamily(const std::string& family, FontFile& found) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr) return false;
    bool ok = false;
    for (int n = 0;; ++n) {
        const std::string name = fcString(match, FC_FAMILY, n);
        if (name.empty()) break;
        if (sameFamily(name, family)) ok = true;
    }
    if (ok) {
        found.path = fcString(match, FC_FILE);
        FcPatternGetInteger(match, FC_INDEX, 0, &found.index);
        found.family = fcString(match, FC_FAMILY);
    }
    FcPatternDestroy(match);
    return ok && !found.path.empty();
}

// A face that has c, as fontconfig ranks them for the primary family.
bool findFallback(const std::string& family, char32_t c, FontFile& found) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
    FcCharSet* wanted = FcCharSetCreate();
    FcCharSetAddChar(wanted, c);
    FcPatternAddCharSet(pattern, FC_CHARSET, wanted);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcFontSet* set = FcFontSort(nullptr, pattern, FcFalse, nullptr, &result);
    FcPatternDestroy(pattern);
    FcCharSetDestroy(wanted);
    bool ok = false;
    for (int k = 0; set != nullptr && k < set->nfont && !ok; ++k) {
        FcCharSet* has = nullptr;
        if (FcPatternGetCharSet(set->fonts[k], FC_CHARSET, 0, &has) != FcResultMatch) continue;
        if (!FcCharSetHasChar(has, c)) continue;
        found.path = fcString(set->fonts[k], FC_FILE);
        FcPatternGetInteger(set->fonts[k], FC_INDEX, 0, &found.index);
        ok = !found.path.empty();
    }
    if (set != nullptr) FcFontSetDestroy(set);
    return ok;
}

std::string facesTried() {
    std::string list;
    for (const std::u16string_view face : kAAFaces) {
        if (!list.empty()) list += ", ";
        list += utf8(face);
    }
    return list;
}

struct Glyph {
    int advance = 0;
    int left = 0;  // ink box against the pen and the baseline
    int top = 0;
    int width = 0;
    int height = 0;
    std::size_t bitmap = 0;  // into the pool
};

// One line laid out: every character's glyph and where its pen stands.
struct Placed {
    std::int32_t glyph;
    int x;
};

struct Extent {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
};

// Where a line's baseline stands in its line box: the leading split evenly
// above and below the face's ascent and descent, as CSS does.
int baselineOf(int lineHeight, int ascent, int descent) {
    return (lineHeight - (ascent + descent)) / 2 + ascent;
}

}  // namespace

struct PictureRenderer::Face {
    PictureStyle style;
    FT_Library library = nullptr;
    std::vector<FT_Face> faces;  // the primary first, then fallbacks as found
    std::map<std::string, std::size_t> byPath;
    std::string family;
    std::string file;
    int ascent = 0;
    int descent = 0;
    std::vector<Glyph> glyphs;
    std::vector<std::uint8_t> pool;
    std::vector<std::int32_t> bmp;  // glyph of each BMP code point, -1 unknown
    std::map<char32_t, std::int32_t> astral;

    ~Face() {
        for (FT_Face face : faces) FT_Done_Face(face);
        if (library != nullptr) FT_Done_FreeType(library);
    }

    FT_Face open(const FontFile& font) {
        const auto known = byPath.find(font.path + '\n' + std::to_string(font.index));
        if (known != byPath.end()) return faces[known->second];
        FT_Face face = nullptr;
        if (FT_New_Face(library, font.path.c_str(), font.index, &face) != 0) return nullptr;
        FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(style.fontSize));
        byPath.emplace(font.path + '\n' + std::to_string(font.index), faces.size());
        faces.push_back(face);
        return face;
    }

    std::int32_t glyphIndex(char32_t c) {
        std::int32_t* slot = nullptr;
        if (c < 0x10000) {
            slot = &bmp[c];
        } else {
            slot = &astral.try_emplace(c, -1).first->second;
        }
        if (*slot < 0) *slot = load(c);
        return *slot;
    }

    const Glyph& glyph(char32_t c) { return glyphs[static_cast<std::size_t>(glyphIndex(c))]; }

    std::int32_t load(char32_t c) {
        FT_Face face = faces.front();
        FT_UInt index = FT_Get_Char_Index(face, c);
        FontFile fallback;
        if (index == 0 && c >= 0x20 && findFallback(family, c, fallback)) {
            if (FT_Face other = open(fallback)) {
                if (const FT_UInt i = FT_Get_Char_Index(other, c); i != 0) {
                    face = other;
                    index = i;
                }
            }
        }
        Glyph g;
        // Control characters take no room, as a browser draws them.
        if (c >= 0x20 && FT_Load_Glyph(face, index, FT_LOAD_TARGET_LIGHT) == 0 &&
            FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) == 0) {
            const FT_GlyphSlot s = face->glyph;
            g.advance = static_cast<int>((s->advance.x + 32) >> 6);
            g.left = s->bitmap_left;
            g.top = s->bitmap_top;
            g.width = static_cast<int>(s->bitmap.width);
            g.height = static_cast<int>(s->bitmap.rows);
            g.bitmap = pool.size();
            for (int row = 0; row < g.height; ++row) {
                const unsigned char* from = s->bitmap.buffer + row * s->bitmap.pitch;
                pool.insert(pool.end(), from, from + g.width);
            }
        }
        glyphs.push_back(g);
        return static_cast<std::int32_t>(glyphs.size() - 1);
    }

    void layout(std::u16string_view line, std::vector<Placed>& placed) {
        placed.clear();
        int x = 0;
        forEachCodePoint(line, [&](char32_t c) {
            const std::int32_t g = glyphIndex(c);
            placed.push_back({g, x});
            x += glyphs[static_cast<std::size_t>(g)].advance;
        });
    }

    // The ink and advances of all lines against the first line box's top left.
    Extent extentOf(std::span<const std::u16string> lines) {
        Extent e;
        e.bottom = static_cast<int>(lines.size()) * style.lineHeight;
        const int baseline = baselineOf(style.lineHeight, ascent, descent);
        std::vector<Placed> placed;
        for (std::size_t n = 0; n < lines.size(); ++n) {
            layout(lines[n], placed);
            const int y = static_cast<int>(n) * style.lineHeight + baseline;
            for (const Placed& p : placed) {
                const Glyph& g = glyphs[static_cast<std::size_t>(p.glyph)];
                e.right = std::max(e.right, p.x + g.advance);
                if (g.width == 0) continue;
                e.left = std::min(e.left, p.x + g.left);
                e.right = std::max(e.right, p.x + g.left + g.width);
                e.top = std::min(e.top, y - g.top);
                e.bottom = std::max(e.bottom, y - g.top + g.height);
            }
        }
        return e;
    }
};

PictureRenderer::PictureRenderer(const PictureStyle& style) : m_face(std::make_unique<Face>()) {
    Face& f = *m_face;
    f.style = style;
    f.bmp.assign(0x10000, -1);
    if (FT_Init_FreeType(&f.library) != 0) throw FontMissing("cannot start FreeType");
    FcInit();
    FontFile font;
    if (style.font.empty()) {
        bool found = false;
        for (const std::u16string_view face : kAAFaces) {
            if (findFamily(utf8(face), font)) {
                found = true;
                break;
            }
        }
        if (!found) {
            throw FontMissing("no AA face is installed (tried " + facesTried() +
                              "); --font names a font file or family");
        }
    } else if (style.font.find('/') != std::string::npos ||
               style.font.find('\\') != std::string::npos) {
        font.path = style.font;
    } else if (!findFamily(style.font, font)) {
        font.path = style.font;  // a file in the current folder, or nothing
    }
    FT_Face primary = f.open(font);
    if (primary == nullptr) {
        throw FontMissing(style.font.empty() ? "cannot open " + font.path
                                             : "no font file or installed family " + style.font);
    }
    f.family =
        font.family.empty() && primary->family_name != nullptr ? primary->family_name : font.family;
    f.file = font.path;
    f.ascent = static_cast<int>((primary->size->metrics.ascender + 32) >> 6);
    f.descent = static_cast<int>((-primary->size->metrics.descender + 32) >> 6);
}

PictureRenderer::~PictureRenderer() = default;

const PictureStyle& PictureRenderer::style() const {
    return m_face->style;
}

const std::string& PictureRenderer::family() const {
    return m_face->family;
}

const std::string& PictureRenderer::file() const {
    return m_face->file;
}

int PictureRenderer::lineWidth(std::u16string_view line) {
    int width = 0;
    forEachCodePoint(line, [&](char32_t c) { width += m_face->glyph(c).advance; });
    return width;
}

std::vector<int> PictureRenderer::advances(std::u16string_view line) {
    std::vector<int> out;
    forEachCodePoint(line, [&](char32_t c) { out.push_back(m_face->glyph(c).advance); });
    return out;
}

PictureRenderer::Frame PictureRenderer::frame(std::span<const std::u16string> lines) {
    Face& f = *m_face;
    const Extent e = f.extentOf(lines);
    Frame out;
    out.width = e.right - e.left + 2 * kMargin;
    out.height = e.bottom - e.top + 2 * kMargin;
    out.penX = kMargin - e.left;
    out.firstBaseline = kMargin - e.top + baselineOf(f.style.lineHeight, f.ascent, f.descent);
    return out;
}

Raster PictureRenderer::draw(std::span<const std::u16string> lines) {
    Face& f = *m_face;
    const Frame place = frame(lines);
    Raster r;
    r.width = place.width;
    r.height = place.height;
    r.alpha = f.style.transparent;
    // Opaque: white grey; transparent: black grey with no alpha yet.
    r.pixels.assign(static_cast<std::size_t>(r.bytesPerLine()) * r.height, r.alpha ? 0 : 255);
    const int originX = place.penX;
    const int originY = place.firstBaseline;
    std::vector<Placed> placed;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        f.layout(lines[n], placed);
        const int y0 = originY + static_cast<int>(n) * f.style.lineHeight;
        for (const Placed& p : placed) {
            const Glyph& g = f.glyphs[static_cast<std::size_t>(p.glyph)];
            const std::uint8_t* from = f.pool.data() + g.bitmap;
            const int x = originX + p.x + g.left;
            const int y = y0 - g.top;
            for (int row = 0; row < g.height; ++row) {
                std::uint8_t* to =
                    r.pixels.data() + static_cast<std::size_t>(y + row) * r.bytesPerLine();
                for (int col = 0; col < g.width; ++col) {
                    const unsigned a = from[row * g.width + col];
                    if (a == 0) continue;
                    if (r.alpha) {
                        std::uint8_t& alpha = to[(x + col) * 2 + 1];
                        alpha = static_cast<std::uint8_t>(a + (alpha * (255 - a) + 127) / 255);
                    } else {
                        std::uint8_t& grey = to[x + col];
                        grey = static_cast<std::uint8_t>((grey * (255 - a) + 127) / 255);
                    }
                }
            }
        }
    }
    return r;
}

}  // namespace mozaru
