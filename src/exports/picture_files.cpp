// A drawn picture's file: PNG through libpng, SVG as text placed character by
// character at the renderer's advances.
#include <png.h>

#include <csetjmp>
#include <string>

#include "exports/picture_renderer.h"
#include "text/aa_faces.h"
#include "text/utf.h"

namespace mozaru {

namespace {

// Sizes beyond these draw nothing readable, or images of gigabytes.
constexpr int kMinSize = 4;
constexpr int kMaxSize = 256;

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))
        ->append(reinterpret_cast<const char*>(data), length);
}

void noFlush(png_structp /*png*/) {}

// libpng reports failure by longjmp: nothing with a destructor may live in
// this frame between setjmp and the end.
bool encodePng(const Raster& raster, std::string& out) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &out, appendBytes, noFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(raster.width),
                 static_cast<png_uint_32>(raster.height), 8,
                 raster.alpha ? PNG_COLOR_TYPE_GRAY_ALPHA : PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    // Text on a plain ground compresses well without filters, and zlib's
    // level 3 keeps the pictures within an eighth of level 6's size in two
    // thirds of its time (the encoding is most of a picture's cost).
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, 3);
    png_write_info(png, info);
    for (int y = 0; y < raster.height; ++y) {
        png_write_row(
            png, raster.pixels.data() +
                     static_cast<std::size_t>(y) * static_cast<std::size_t>(raster.bytesPerLine()));
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

void appendEscaped(std::string& out, std::u16string_view text) {
    forEachCodePoint(text, [&out](char32_t c) {
        switch (c) {
            case U'&':
                out += "&amp;";
                return;
            case U'<':
                out += "&lt;";
                return;
            case U'>':
                out += "&gt;";
                return;
            default:
                break;
        }
        // XML has no place for control characters or lone surrogates.
        if (c < 0x20 || isSurrogate(c) || c == 0xFFFE || c == 0xFFFF) {
            appendUtf8(out, U'\uFFFD');
            return;
        }
        appendUtf8(out, c);
    });
}

}  // namespace

std::string pngPicture(PictureRenderer& renderer, std::span<const std::u16string> lines) {
    const Raster raster = renderer.draw(lines);
    std::string out;
    if (!encodePng(raster, out)) throw std::runtime_error("cannot encode the PNG image");
    return out;
}

std::string svgPicture(PictureRenderer& renderer, std::span<const std::u16string> lines) {
    const PictureStyle& style = renderer.style();
    const PictureRenderer::Frame place = renderer.frame(lines);
    // Inside the attribute's double quotes the stack quotes its names singly.
    std::string stack;
    forEachCodePoint(kAAFontStack,
                     [&stack](char32_t c) { appendUtf8(stack, c == U'"' ? U'\'' : c); });
    const std::string w = std::to_string(place.width);
    const std::string h = std::to_string(place.height);
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
        w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w + " " + h + "\">\n";
    if (!style.transparent) out += "<rect width=\"100%\" height=\"100%\" fill=\"#fff\"/>\n";
    out += "<text xml:space=\"preserve\" font-family=\"" + stack + "\" font-size=\"" +
           std::to_string(style.fontSize) + "px\" fill=\"#000\">\n";
    for (std::size_t n = 0; n < lines.size(); ++n) {
        if (lines[n].empty()) continue;
        out += "<tspan x=\"";
        int x = place.penX;
        bool first = true;
        for (const int advance : renderer.advances(lines[n])) {
            if (!first) out += ' ';
            first = false;
            out += std::to_string(x);
            x += advance;
        }
        out += "\" y=\"" +
               std::to_string(place.firstBaseline + static_cast<int>(n) * style.lineHeight) + "\">";
        appendEscaped(out, lines[n]);
        out += "</tspan>\n";
    }
    out += "</text>\n</svg>\n";
    return out;
}

namespace {

using Draw = std::string (*)(PictureRenderer&, std::span<const std::u16string>);

void writePictures(std::span<const Picture> pictures, const PictureStyle& style,
                   const PictureSink& sink, Draw draw) {
    PictureRenderer renderer(style);
    for (const Picture& picture : pictures) {
        if (!sink(picture.number, draw(renderer, picture.lines))) return;
    }
}

}  // namespace

void writePngPictures(std::span<const Picture> pictures, const PictureStyle& style,
                      const PictureSink& sink) {
    writePictures(pictures, style, sink, pngPicture);
}

void writeSvgPictures(std::span<const Picture> pictures, const PictureStyle& style,
                      const PictureSink& sink) {
    writePictures(pictures, style, sink, svgPicture);
}

std::string pictureStyleProblem(const PictureStyle& style) {
    if (style.fontSize < kMinSize || style.fontSize > kMaxSize) {
        return "the font size must be " + std::to_string(kMinSize) + " to " +
               std::to_string(kMaxSize) + " px";
    }
    if (style.lineHeight < kMinSize || style.lineHeight > kMaxSize) {
        return "the line height must be " + std::to_string(kMinSize) + " to " +
               std::to_string(kMaxSize) + " px";
    }
    try {
        PictureRenderer renderer(style);
    } catch (const FontMissing& missing) {
        return missing.what();
    }
    return {};
}

}  // namespace mozaru
