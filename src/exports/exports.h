// Every output the program writes, one row each in exportFormats(), each
// written by a file of its own in this folder: the window's SAVE formats, the
// extraction's result, and the AA editors' libraries.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "exports/picture_style.h"
#include "extract/kept_posts.h"
#include "text/text.h"

namespace mozaru {

// How the outputs made of posts show them; all off gives the outputs as
// they have always been.
struct ExportOptions {
    // The kept bodies' document is made of the posts (not taken as the
    // extraction gave it): they were picked by author, or carry headers.
    bool fromPosts = false;
    bool withHeader = false;                 // each post's header before its picture
    bool headings = false;                   // libraries: the title and a heading per picture
    std::u16string_view title = {};          // the thread's
    std::u16string_view charset = u"UTF-8";  // what a web page declares
};

// What an output is made of: the document (as the window holds it, or the
// extraction's result) and the posts the extraction kept, one by one.
struct ExportInput {
    std::u16string_view document;
    std::span<const KeptPost> posts;
    ExportOptions options = {};
};

enum class ExportId {
    SaveHtml,    // SAVE's HTML: the document between <HTML><BODY> and </BODY></HTML>
    SaveText,    // SAVE's text: the document as it stands
    KeptBodies,  // the extraction's result as it stands: the kept bodies between <HR> rules
    Mlt,         // an AA library: items separated by [SPLIT] lines
    Ast,         // an AA library: each item after an [AA][name] line
    Page,        // a web page that draws the pictures in the AA face
    Png,         // one PNG image per picture
    Svg,         // one SVG image per picture, the text kept
};

enum class ExportKind {
    OneFile,           // written by write, encoded
    OneFilePerPicture  // NAME-<post number>.EXT, drawn by writePictures
};

struct ExportFormat {
    ExportId id;
    // mozaru-cli extract --to NAME; empty: not offered there.
    std::string_view cliName;
    // What --help says of it.
    std::string_view description;
    // What the window's エクスポート dialog calls it; empty: not offered there.
    std::u16string_view caption;
    // Of the file written; a row that keepsInputName keeps an input's own
    // name, unless that is a .dat log's.
    std::u16string_view extension;
    bool keepsInputName;
    // SAVE's file-dialog entry, "CAPTION|PATTERNS"; empty: not offered by SAVE.
    std::u16string_view saveFilter;
    // Made of the kept posts, not of the document.
    bool fromPosts;
    // Hands the output to sink, in order, a piece at a time (OneFile).
    void (*write)(const ExportInput& input, const TextSink& sink);
    ExportKind kind = ExportKind::OneFile;
    // Written in UTF-8 unless an encoding is asked for (the web page);
    // otherwise in CP932.
    bool utf8ByDefault = false;
    // OneFilePerPicture: every picture's file to sink; throws FontMissing.
    void (*writePictures)(std::span<const Picture> pictures, const PictureStyle& style,
                          const PictureSink& sink) = nullptr;
    // OneFilePerPicture: why the style cannot be drawn; empty when it can.
    std::string (*styleProblem)(const PictureStyle& style) = nullptr;
};

std::span<const ExportFormat> exportFormats();
const ExportFormat& exportFormat(ExportId id);

// The whole output as one text.
std::u16string exportText(ExportId id, const ExportInput& input);

// The posts as the image outputs draw them: plain lines, the header first
// with options.withHeader.
std::vector<Picture> picturesOf(const ExportInput& input);

// The file of one picture: "-<number>" before the extension of path.
std::u16string pictureFileName(std::u16string_view path, std::uint64_t number);

// SAVE offers the rows with a saveFilter, in order: the format dialog's 0 is
// the first (HTML), 1 the second (text).
const ExportFormat& saveFormatRow(std::int16_t saveFormat);
// The save dialog's filter: every row SAVE offers, then "すべて|*.*".
std::u16string saveDialogFilter();
// The 1-based entry of saveFormat in that filter.
int saveFilterIndex(std::int16_t saveFormat);

}  // namespace mozaru
