// Tests of the picture renderer: advances of the AA face, nothing clipped,
// the PNG and SVG files.
#include "exports/picture_renderer.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace mozaru {
namespace {

struct WidthCase {
    std::u16string_view line;
    int width;  // px at 16 px in Monapo, as Chromium measures the same line
};

class MonapoWidths : public ::testing::TestWithParam<WidthCase> {};

INSTANTIATE_TEST_SUITE_P(Lines, MonapoWidths,
                         ::testing::Values(WidthCase{u"　　 ∧＿∧", 75},
                                           WidthCase{u"　　（　´∀｀）　＜　やあ", 150},
                                           WidthCase{u"　　｜ ｜　|", 74},
                                           WidthCase{u"ｱｲｳｴｵ｡｢｣､･ ／＼＿￣|'`.,:;_-~^\"", 214},
                                           WidthCase{u"iiiiiiiiii", 30}, WidthCase{u"", 0},
                                           // Control characters take no room.
                                           WidthCase{u"\t\u0001", 0}));

TEST_P(MonapoWidths, EveryCharacterAtItsOwnAdvance) {
    PictureRenderer renderer{PictureStyle{}};
    if (renderer.family() != "Monapo") GTEST_SKIP() << "drawn in " << renderer.family();
    EXPECT_EQ(renderer.lineWidth(GetParam().line), GetParam().width);
}

// Every row and column at the edge is the ground: no ink touches it.
bool edgesAreGround(const Raster& r) {
    const int step = r.alpha ? 2 : 1;
    const std::uint8_t ground = r.alpha ? 0 : 255;
    const auto at = [&](int x, int y) {
        return r.pixels[static_cast<std::size_t>(y) * r.bytesPerLine() + x * step + step - 1];
    };
    for (int x = 0; x < r.width; ++x) {
        if (at(x, 0) != ground || at(x, r.height - 1) != ground) return false;
    }
    for (int y = 0; y < r.height; ++y) {
        if (at(0, y) != ground || at(r.width - 1, y) != ground) return false;
    }
    return true;
}

TEST(PictureRenderer, NothingIsClipped) {
    const std::vector<std::u16string> lines{u"ｇｊｙ｀´(__)", u"", u"ÅÉÎ jgyq ＿＿＿"};
    for (const bool transparent : {false, true}) {
        PictureStyle style;
        style.transparent = transparent;
        style.fontSize = 30;  // glyphs taller than the 18 px lines
        PictureRenderer renderer(style);
        const Raster r = renderer.draw(lines);
        EXPECT_EQ(r.alpha, transparent);
        EXPECT_GE(r.height, 3 * 18);
        EXPECT_GE(r.width, renderer.lineWidth(lines[2]));
        EXPECT_TRUE(edgesAreGround(r));
        const bool inked = std::any_of(r.pixels.begin(), r.pixels.end(), [&](std::uint8_t p) {
            return p != (transparent ? 0 : 255);
        });
        EXPECT_TRUE(inked);
    }
}

TEST(PictureRenderer, PngAndSvgFilesAndTheirStyle) {
    PictureRenderer renderer{PictureStyle{}};
    const std::vector<std::u16string> lines{u" <a&b>", u"ab"};
    const PictureRenderer::Frame frame = renderer.frame(lines);
    // The PNG's header gives the frame's size (big-endian, at 16 and 20).
    const std::string png = pngPicture(renderer, lines);
    const auto size = [&](int w, int h) {
        const char b[8] = {0, 0, char(w >> 8), char(w), 0, 0, char(h >> 8), char(h)};
        return std::string(b, 8);
    };
    EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1A\n");
    EXPECT_EQ(png.substr(16, 8), size(frame.width, frame.height));
    const std::string svg = svgPicture(renderer, lines);
    EXPECT_NE(svg.find("<text xml:space=\"preserve\" font-family=\"Mona, 'IPAMonaPGothic'"),
              std::string::npos);
    // One x per character, the text escaped and kept whole.
    const std::vector<int> a = renderer.advances(lines[0]);
    std::string xs = std::to_string(frame.penX);
    for (std::size_t k = 0, x = frame.penX; k + 1 < a.size(); ++k) {
        x += a[k];
        xs += " " + std::to_string(x);
    }
    EXPECT_NE(svg.find("<tspan x=\"" + xs + "\" y=\"" + std::to_string(frame.firstBaseline) +
                       "\"> &lt;a&amp;b&gt;</tspan>"),
              std::string::npos);
    PictureStyle tiny;
    tiny.fontSize = 3;
    EXPECT_EQ(pictureStyleProblem(tiny), "the font size must be 4 to 256 px");
}

}  // namespace
}  // namespace mozaru
