// mozaru-cli's messages.
#include "cli/messages.h"

namespace mozaru {

namespace {

constexpr std::string_view kPrefix = "mozaru-cli: ";

// More lines than this are counted, not named: a file that is no log at all
// would otherwise fill the screen.
constexpr std::size_t kNamedLines = 20;

std::string whyNoPost(PageFormat kind, std::size_t fields) {
    if (fields == 0) return "an empty line";
    if (datFieldCountFits(kind, fields)) return "its first field is no post number";
    return plural(fields, "field", "fields") + " where its lines have " +
           std::string(datFieldCounts(kind));
}

}  // namespace

std::string cliMessage(std::string_view text) {
    return std::string(kPrefix) + std::string(text);
}

std::string cliWarning(std::string_view text) {
    return cliMessage("warning: " + std::string(text));
}

std::string plural(std::size_t n, std::string_view one, std::string_view many) {
    return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

std::string displayName(const std::string& input) {
    return input == "-" ? "standard input" : input;
}

void warnUndecodable(const std::string& input, const DecodedText& decoded,
                     std::vector<std::string>& messages) {
    if (decoded.undecodable == 0) return;
    messages.push_back(cliWarning(
        displayName(input) + ": " +
        plural(decoded.undecodable, "undecodable byte", "undecodable bytes") +
        " replaced by U+FFFD (read as " + std::string(encodingName(decoded.encoding)) + ")"));
}

void warnReferences(std::string_view output, std::size_t references, bool cp932,
                    std::vector<std::string>& messages) {
    if (references == 0) return;
    messages.push_back(cliWarning(std::string(output) + ": " +
                                  plural(references, "character", "characters") + " " +
                                  (cp932 ? "not in CP932 " : "") + "written as &#N; references"));
}

void warnMalformed(const std::string& name, const ClassicPage& page,
                   std::vector<std::string>& messages) {
    for (std::size_t k = 0; k < page.malformed.size() && k < kNamedLines; ++k) {
        const MalformedLine& m = page.malformed[k];
        messages.push_back(cliWarning(name + ":" + std::to_string(m.line) +
                                      ": not a post of the .dat log, skipped (" +
                                      whyNoPost(page.format, m.fields) + ")"));
    }
    if (page.malformed.size() > kNamedLines) {
        const std::size_t more = page.malformed.size() - kNamedLines;
        messages.push_back(cliWarning(name + ": " + plural(more, "more line", "more lines") +
                                      " that are no posts skipped"));
    }
}

}  // namespace mozaru
