// mozaru-cli's texts in the user's language, and the messages several jobs write.
#include "cli/messages.h"

#include <atomic>
#include <cstdlib>

#ifdef _WIN32
#include <QLocale>
#endif

namespace mozaru {

namespace {

constexpr std::string_view kPrefix = "mozaru-cli: ";

// More lines than this are counted, not named: a file that is no log at all
// would otherwise fill the screen.
constexpr std::size_t kNamedLines = 20;

CliLanguage languageOfEnvironment() {
#ifdef _WIN32
    return QLocale::system().language() == QLocale::Japanese ? CliLanguage::Japanese
                                                             : CliLanguage::English;
#else
    // The first of these that is set names the messages' locale, as for
    // every other program.
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value == nullptr || *value == '\0') continue;
        return std::string_view(value).starts_with("ja") ? CliLanguage::Japanese
                                                         : CliLanguage::English;
    }
    return CliLanguage::English;
#endif
}

// -1: not read yet.
std::atomic<int> g_language{-1};

std::string_view inLanguage(const CliText& row) {
    return cliLanguage() == CliLanguage::Japanese ? row.japanese : row.english;
}

// {1}..{9} replaced by args; any other brace stays.
std::string filled(std::string_view text, std::initializer_list<std::string_view> args) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (text[k] == '{' && k + 2 < text.size() && text[k + 1] >= '1' && text[k + 1] <= '9' &&
            text[k + 2] == '}') {
            const auto n = static_cast<std::size_t>(text[k + 1] - '1');
            if (n < args.size()) out += *(args.begin() + n);
            k += 2;
            continue;
        }
        out += text[k];
    }
    return out;
}

std::string whyNoPost(PageFormat kind, std::size_t fields) {
    if (fields == 0) return cliText("empty-line"_text);
    if (datFieldCountFits(kind, fields)) return cliText("no-post-number"_text);
    const std::string counts = cliText(datFieldCounts(kind));
    if (fields == 1) return cliText("fields-one"_text, {counts});
    return cliText("fields"_text, {counts, std::to_string(fields)});
}

}  // namespace

CliLanguage cliLanguage() {
    int language = g_language.load();
    if (language < 0) {
        language = static_cast<int>(languageOfEnvironment());
        g_language.store(language);
    }
    return static_cast<CliLanguage>(language);
}

void setCliLanguage(CliLanguage language) {
    g_language.store(static_cast<int>(language));
}

std::string cliText(CliTextId id, std::initializer_list<std::string_view> args) {
    return filled(inLanguage(kCliTexts[id.index]), args);
}

std::string cliText(std::string_view english) {
    for (const CliText& row : kCliTexts) {
        if (row.english == english) return std::string(inLanguage(row));
    }
    return std::string(english);
}

std::string cliMessage(CliTextId id, std::initializer_list<std::string_view> args) {
    return std::string(kPrefix) + cliText(id, args);
}

std::string cliWarning(CliTextId id, std::initializer_list<std::string_view> args) {
    return std::string(kPrefix) + cliText("warning"_text) + cliText(id, args);
}

std::string cliMessage(std::string_view text) {
    return std::string(kPrefix) + cliText(text);
}

std::string cliWarning(std::string_view text) {
    return std::string(kPrefix) + cliText("warning"_text) + cliText(text);
}

std::string plural(std::size_t n, std::string_view one, std::string_view many) {
    return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

std::string displayName(const std::string& input) {
    return input == "-" ? cliText("standard-input"_text) : input;
}

std::string tooLargeText(std::uint64_t limit) {
    const std::string reason = limit % (1 << 20) == 0
                                   ? cliText("too-large-mib"_text, {std::to_string(limit >> 20)})
                                   : cliText("too-large-bytes"_text, {std::to_string(limit)});
    return reason + cliText("limit-hint"_text);
}

void warnUndecodable(const std::string& input, const DecodedText& decoded,
                     std::vector<std::string>& messages) {
    if (decoded.undecodable == 0) return;
    const std::string name = displayName(input);
    const std::string encoding(encodingName(decoded.encoding));
    messages.push_back(decoded.undecodable == 1
                           ? cliWarning("undecodable-one"_text, {name, encoding})
                           : cliWarning("undecodable"_text,
                                        {name, encoding, std::to_string(decoded.undecodable)}));
}

void warnReferences(std::string_view output, std::size_t references, bool cp932,
                    std::vector<std::string>& messages) {
    if (references == 0) return;
    const std::string count = std::to_string(references);
    if (cp932) {
        messages.push_back(references == 1 ? cliWarning("references-cp932-one"_text, {output})
                                           : cliWarning("references-cp932"_text, {output, count}));
    } else {
        messages.push_back(references == 1 ? cliWarning("references-one"_text, {output})
                                           : cliWarning("references"_text, {output, count}));
    }
}

void warnMalformed(const std::string& name, const ClassicPage& page,
                   std::vector<std::string>& messages) {
    for (std::size_t k = 0; k < page.malformed.size() && k < kNamedLines; ++k) {
        const MalformedLine& m = page.malformed[k];
        messages.push_back(cliWarning(
            "not-a-post"_text, {name, std::to_string(m.line), whyNoPost(page.format, m.fields)}));
    }
    if (page.malformed.size() > kNamedLines) {
        const std::size_t more = page.malformed.size() - kNamedLines;
        messages.push_back(more == 1 ? cliWarning("more-lines-one"_text, {name})
                                     : cliWarning("more-lines"_text, {name, std::to_string(more)}));
    }
}

}  // namespace mozaru
