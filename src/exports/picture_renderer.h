// Pictures drawn as images: each character at its own advance in the AA face,
// black on white, nothing clipped; written as PNG or as SVG that keeps the text.
// One renderer serves mozaru-cli and the window (FreeType, faces found by
// fontconfig; no display needed).
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "exports/picture_style.h"

namespace mozaru {

// No face to draw with: what names the faces tried, in order.
class FontMissing : public std::runtime_error {
public:
    explicit FontMissing(const std::string& what) : std::runtime_error(what) {}
};

// 8-bit pixels, rows top to bottom: grey (opaque background), or grey
// and alpha pairs (transparent background).
struct Raster {
    int width = 0;
    int height = 0;
    bool alpha = false;
    std::vector<std::uint8_t> pixels;
    int bytesPerLine() const { return width * (alpha ? 2 : 1); }
};

class PictureRenderer {
public:
    // Opens the face the style names; throws FontMissing.
    explicit PictureRenderer(const PictureStyle& style);
    ~PictureRenderer();
    PictureRenderer(const PictureRenderer&) = delete;
    PictureRenderer& operator=(const PictureRenderer&) = delete;

    const PictureStyle& style() const;
    // The face drawn with: its family and file.
    const std::string& family() const;
    const std::string& file() const;

    // A line's width in px: the sum of its characters' advances.
    int lineWidth(std::u16string_view line);
    // Each character's advance in px, in order (one per code point).
    std::vector<int> advances(std::u16string_view line);
    // The picture's lines drawn, with a margin around them.
    Raster draw(std::span<const std::u16string> lines);
    // Where draw puts the lines, without drawing.
    struct Frame {
        int width = 0;
        int height = 0;
        int penX = 0;           // where every line starts
        int firstBaseline = 0;  // the first line's; the next ones a line height apart
    };
    Frame frame(std::span<const std::u16string> lines);

private:
    struct Face;
    std::unique_ptr<Face> m_face;
};

// A picture as a PNG file's bytes.
std::string pngPicture(PictureRenderer& renderer, std::span<const std::u16string> lines);
// A picture as an SVG file (UTF-8): one text element per line, each character
// placed at its advance, the text kept (searchable, xml:space="preserve").
std::string svgPicture(PictureRenderer& renderer, std::span<const std::u16string> lines);

// The image outputs' rows: each picture drawn in the style and handed to
// sink, one renderer for all; throws FontMissing before the first.
void writePngPictures(std::span<const Picture> pictures, const PictureStyle& style,
                      const PictureSink& sink);
void writeSvgPictures(std::span<const Picture> pictures, const PictureStyle& style,
                      const PictureSink& sink);
// Why the style cannot be drawn (the font missing, a size out of range);
// empty when it can.
std::string pictureStyleProblem(const PictureStyle& style);

}  // namespace mozaru
