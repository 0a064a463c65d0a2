// mozaru-cli's thread formats in and AA libraries out.
#include "cli/cli_formats.h"

#include "extract/extract_aa.h"

namespace mozaru {

namespace {

const std::string kProgram = "mozaru-cli: ";

// More lines than this are counted, not named: a file that is no log at all
// would otherwise fill the screen.
constexpr std::size_t kNamedLines = 20;

bool fieldCountFits(PageFormat kind, std::size_t fields) {
    switch (kind) {
        case PageFormat::Dat2ch:
            return fields == 5;
        case PageFormat::DatShitaraba:
            return fields == 7;
        default:
            return fields == 6 || fields == 7;
    }
}

std::string whyNoPost(PageFormat kind, std::size_t fields) {
    if (fields == 0) return "an empty line";
    if (fieldCountFits(kind, fields)) return "its first field is no post number";
    return std::to_string(fields) + (fields == 1 ? " field" : " fields") +
           " where its lines have " + std::string(datFieldCounts(kind));
}

void reportMalformed(const std::string& name, const ClassicPage& page,
                     std::vector<std::string>& messages) {
    for (std::size_t k = 0; k < page.malformed.size() && k < kNamedLines; ++k) {
        const MalformedLine& m = page.malformed[k];
        messages.push_back(kProgram + "warning: " + name + ":" + std::to_string(m.line) +
                           ": not a post of the .dat log, skipped (" +
                           whyNoPost(page.format, m.fields) + ")");
    }
    if (page.malformed.size() > kNamedLines) {
        const std::size_t more = page.malformed.size() - kNamedLines;
        messages.push_back(kProgram + "warning: " + name + ": " + std::to_string(more) +
                           (more == 1 ? " more line" : " more lines") +
                           " that are no posts skipped");
    }
}

// Keeps every body the extraction keeps, with its post's number.
class LibraryCollector : public ExtractObserver {
public:
    std::vector<LibraryItem> items;

    void kept(std::int32_t i, std::u16string_view header, std::u16string_view body) override {
        std::uint64_t number = postNumberOf(header);
        if (number == 0) number = static_cast<std::uint64_t>(i);
        items.push_back({number, std::u16string(body)});
    }
};

}  // namespace

bool convertInput(const CliOptions& options, const std::string& input, std::u16string& text,
                  std::vector<std::string>& messages) {
    ClassicPage page = toClassicPage(text, options.inputFormat);
    const std::string name = displayName(input);
    if (!page.recognised()) {
        if (options.inputFormat == InputFormat::Dat) {
            messages.push_back(kProgram + name + ": no line of a .dat log (--input-format dat)");
            return false;
        }
        if (options.inputFormat == InputFormat::FiveCh) {
            messages.push_back(kProgram + name +
                               ": no post of a 5ch or bbspink page (--input-format 5ch)");
            return false;
        }
        return true;
    }
    reportMalformed(name, page, messages);
    text = std::move(page.text);
    // The page written in UTF-8 must not tell a browser it is Shift_JIS.
    if (options.outputEncoding == OutputEncoding::Utf8) {
        constexpr std::u16string_view kShiftJis = u"charset=Shift_JIS";
        const std::size_t header = text.find(kShiftJis);
        if (header != std::u16string::npos && header < 256) {
            text.replace(header, kShiftJis.size(), u"charset=UTF-8");
        }
    }
    return true;
}

std::u16string extractResult(const CliOptions& options, std::u16string_view page) {
    const std::int16_t merge = options.merge ? 1 : 0;
    if (options.to == LibraryFormat::Html) return ExtractAA(page, options.level, merge);
    LibraryCollector collector;
    ExtractAA(page, options.level, merge, collector);
    return writeAALibrary(collector.items, options.to);
}

}  // namespace mozaru
