// Any two post bodies as MLT and AST libraries: every line the writer puts
// there is one line, and only the writer's own lines hold what an editor
// reads as a separator ("[SPLIT]", "[AA]", in any case).
#include <cstdint>
#include <vector>

#include "exports/exports.h"
#include "fuzz_input.h"

namespace {

using namespace mozaru;

std::u16string lowered(std::u16string_view line) {
    std::u16string out(line);
    for (char16_t& c : out) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 0x20);
    }
    return out;
}

// Checks the library's lines; separators: how many lines hold the marker.
void checkLines(std::u16string_view library, std::u16string_view marker, std::size_t separators) {
    std::size_t found = 0;
    for (std::size_t start = 0; start < library.size();) {
        const std::size_t end = library.find(u"\r\n", start);
        fuzz::check(end != std::u16string_view::npos, "every line ends with CR LF");
        const std::u16string_view line = library.substr(start, end - start);
        fuzz::check(line.find_first_of(u"\r\n") == std::u16string_view::npos,
                    "no CR or LF inside a line");
        if (lowered(line).find(marker) != std::u16string::npos) {
            ++found;
            fuzz::check(line.starts_with(u"[SPLIT]") || line.starts_with(u"[AA]["),
                        "a separator is only where the writer puts one");
        }
        start = end + 2;
    }
    fuzz::check(found == separators, "one separator line per item");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = fuzz::unitsOf(fuzz::bytesOf(data, size));
    const std::size_t cut = text.empty() ? 0 : text[0] % text.size();
    const std::vector<KeptPost> posts{{1, u"", text.substr(0, cut)}, {2, u"", text.substr(cut)}};
    checkLines(exportText(ExportId::Mlt, {{}, posts}), u"[split]", 1);
    checkLines(exportText(ExportId::Ast, {{}, posts}), u"[aa]", 2);
    return 0;
}
