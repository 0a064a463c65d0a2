// The table of outputs, and what SAVE builds from it.
#include "exports/exports.h"

#include <array>
#include <stdexcept>

#include "exports/writers.h"

namespace mozaru {

namespace {

constexpr std::array<ExportFormat, 5> kExports{{
    {ExportId::SaveHtml, "", "", u"html", false, u"HTML形式(*.htm;*.html)|*.htm;*.html", false,
     writers::saveHtml},
    {ExportId::SaveText, "", "", u"txt", false, u"ﾃｷｽﾄ形式(*.txt)|*.txt", false, writers::saveText},
    {ExportId::KeptBodies, "html", "the kept bodies between <HR> rules (default)", u"html", true,
     u"", false, writers::keptBodies},
    {ExportId::Mlt, "mlt", "an AA library of plain text, items between [SPLIT] lines", u"mlt",
     false, u"", true, writers::mlt},
    {ExportId::Ast, "ast", "an AA library of plain text, each item after [AA][number]", u"ast",
     false, u"", true, writers::ast},
}};

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
