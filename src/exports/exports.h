// Every output the program writes, one row each in exportFormats(), each
// written by a file of its own in this folder: the window's SAVE formats, the
// extraction's result, and the AA editors' libraries.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "extract/kept_posts.h"
#include "text/text.h"

namespace mozaru {

// What an output is made of: the document (as the window holds it, or the
// extraction's result) and the posts the extraction kept, one by one.
struct ExportInput {
    std::u16string_view document;
    std::span<const KeptPost> posts;
};

enum class ExportId {
    SaveHtml,    // SAVE's HTML: the document between <HTML><BODY> and </BODY></HTML>
    SaveText,    // SAVE's text: the document as it stands
    KeptBodies,  // the extraction's result as it stands: the kept bodies between <HR> rules
    Mlt,         // an AA library: items separated by [SPLIT] lines
    Ast,         // an AA library: each item after an [AA][name] line
};

struct ExportFormat {
    ExportId id;
    // mozaru-cli extract --to NAME; empty: not offered there.
    std::string_view cliName;
    // What --help says of it.
    std::string_view description;
    // Of the file written; a row that keepsInputName keeps an input's own
    // name, unless that is a .dat log's.
    std::u16string_view extension;
    bool keepsInputName;
    // SAVE's file-dialog entry, "CAPTION|PATTERNS"; empty: not offered by SAVE.
    std::u16string_view saveFilter;
    // Made of the kept posts, not of the document.
    bool fromPosts;
    // Hands the output to sink, in order, a piece at a time.
    void (*write)(const ExportInput& input, const TextSink& sink);
};

std::span<const ExportFormat> exportFormats();
const ExportFormat& exportFormat(ExportId id);

// The whole output as one text.
std::u16string exportText(ExportId id, const ExportInput& input);

// SAVE offers the rows with a saveFilter, in order: the format dialog's 0 is
// the first (HTML), 1 the second (text).
const ExportFormat& saveFormatRow(std::int16_t saveFormat);
// The save dialog's filter: every row SAVE offers, then "すべて|*.*".
std::u16string saveDialogFilter();
// The 1-based entry of saveFormat in that filter.
int saveFilterIndex(std::int16_t saveFormat);

}  // namespace mozaru
