// The table of outputs, and what SAVE builds from it.
#include "exports/exports.h"

#include <stdexcept>

#include "exports/aa_library.h"
#include "exports/writers.h"
#include "extract/post_header.h"
#include "text/numbers.h"
#ifdef MOZARU_EXPORT_IMAGES
#include "exports/picture_renderer.h"
#endif

namespace mozaru {

namespace {

constexpr ExportFormat kExports[] = {
    {ExportId::SaveHtml, "", "", u"", u"html", false, u"HTML形式(*.htm;*.html)|*.htm;*.html", false,
     writers::saveHtml},
    {ExportId::SaveText, "", "", u"", u"txt", false, u"ﾃｷｽﾄ形式(*.txt)|*.txt", false,
     writers::saveText},
    {ExportId::KeptBodies, "html", "the kept bodies between <HR> rules (default)",
     u"抽出結果（<HR> 区切りの HTML）", u"html", true, u"", false, writers::keptBodies},
    {ExportId::Mlt, "mlt", "an AA library of plain text, items between [SPLIT] lines",
     u"MLT（AA エディタのライブラリ）", u"mlt", false, u"", true, writers::mlt},
    {ExportId::Ast, "ast", "an AA library of plain text, each item after [AA][number]",
     u"AST（AA エディタのライブラリ）", u"ast", false, u"", true, writers::ast},
    {ExportId::Page, "page",
     "one web page that draws the pictures in the AA face (UTF-8 unless --output-encoding)",
     u"Web ページ（HTML）", u"html", false, u"", true, writers::page, ExportKind::OneFile, true},
#ifdef MOZARU_EXPORT_IMAGES
    {ExportId::Png, "png", "one PNG image per picture, NAME-<post number>.png (needs -d)",
     u"PNG 画像（1 枚ずつ）", u"png", false, u"", true, nullptr, ExportKind::OneFilePerPicture,
     false, writePngPictures, pictureStyleProblem},
    {ExportId::Svg, "svg", "one SVG image per picture, the text kept (needs -d)",
     u"SVG 画像（1 枚ずつ）", u"svg", false, u"", true, nullptr, ExportKind::OneFilePerPicture,
     false, writeSvgPictures, pictureStyleProblem},
#endif
};

}  // namespace

std::span<const ExportFormat> exportFormats() {
    return kExports;
}

const ExportFormat& exportFormat(ExportId id) {
    for (const ExportFormat& format : kExports) {
        if (format.id == id) return format;
    }
    throw std::invalid_argument("no such export");
}

std::u16string exportText(ExportId id, const ExportInput& input) {
    std::u16string out;
    exportFormat(id).write(input, [&out](std::u16string_view piece) { out.append(piece); });
    return out;
}

std::vector<Picture> picturesOf(const ExportInput& input) {
    std::vector<Picture> pictures;
    for (const KeptPost& post : input.posts) {
        Picture picture{post.number, {}};
        PostHeader header;
        if (input.options.withHeader && parsePostHeader(post.header, header)) {
            picture.lines.push_back(shownHeader(header));
        }
        for (std::u16string& line : plainLines(post.body)) picture.lines.push_back(std::move(line));
        pictures.push_back(std::move(picture));
    }
    return pictures;
}

std::u16string pictureFileName(std::u16string_view path, std::uint64_t number) {
    const std::size_t slash = path.find_last_of(u"/\\");
    std::size_t dot = path.rfind(u'.');
    if (dot == npos || (slash != npos && dot < slash)) dot = path.size();
    std::u16string name(path.substr(0, dot));
    name += u'-';
    appendDecimal(name, number);
    name += path.substr(dot);
    return name;
}

const ExportFormat& saveFormatRow(std::int16_t saveFormat) {
    const ExportFormat* first = nullptr;
    std::int16_t index = 0;
    for (const ExportFormat& format : kExports) {
        if (format.saveFilter.empty()) continue;
        if (first == nullptr) first = &format;
        if (index++ == saveFormat) return format;
    }
    // The dialog gives 0 or 1; anything else saves as the first, HTML.
    return *first;
}

std::u16string saveDialogFilter() {
    std::u16string filter;
    for (const ExportFormat& format : kExports) {
        if (format.saveFilter.empty()) continue;
        filter.append(format.saveFilter);
        filter.push_back(u'|');
    }
    return filter + u"すべて|*.*";
}

int saveFilterIndex(std::int16_t saveFormat) {
    const ExportFormat& row = saveFormatRow(saveFormat);
    int index = 0;
    for (const ExportFormat& format : kExports) {
        if (format.saveFilter.empty()) continue;
        ++index;
        if (&format == &row) break;
    }
    return index;
}

}  // namespace mozaru
