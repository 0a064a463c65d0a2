// mozaru-cli's texts in the user's language, and the messages several jobs write.
#include "cli/messages.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <stdexcept>

#include "text/utf.h"

#ifdef _WIN32
#include <QLocale>
#endif

namespace mozaru {

namespace {

constexpr std::string_view kPrefix = "mozaru-cli: ";

// More lines than this are counted, not named: a file that is no log at all
// would otherwise fill the screen.
constexpr std::size_t kNamedLines = 20;

// A text of another part of the program is read against a row with blanks
// only when the row's own words are this long: "{1}: {2}" would take anything.
constexpr std::size_t kLeastWords = 5;

// How deep the blanks of a text found by its English are looked up in turn.
constexpr int kDepth = 3;

CliLanguage languageOfEnvironment() {
    // The first of these that is set names the messages' locale, as for
    // every other program (on Windows too, where a shell like MSYS sets them).
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value == nullptr || *value == '\0') continue;
        return std::string_view(value).starts_with("ja") ? CliLanguage::Japanese
                                                         : CliLanguage::English;
    }
#ifdef _WIN32
    return QLocale::system().language() == QLocale::Japanese ? CliLanguage::Japanese
                                                             : CliLanguage::English;
#else
    return CliLanguage::English;
#endif
}

// -1: not read yet.
std::atomic<int> g_language{-1};

// The blank {1}..{9} at text[k], as its index; -1 when there is none.
int blankAt(std::string_view text, std::size_t k) {
    if (text[k] != '{' || k + 2 >= text.size() || text[k + 1] < '1' || text[k + 1] > '9' ||
        text[k + 2] != '}') {
        return -1;
    }
    return text[k + 1] - '1';
}

// {1}..{9} replaced by args; any other brace stays.
std::string filled(std::string_view text, const std::string_view* args, std::size_t count) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (const int n = blankAt(text, k); n >= 0) {
            if (static_cast<std::size_t>(n) < count) out += args[n];
            k += 2;
            continue;
        }
        out += text[k];
    }
    return out;
}

// The words of a row's English between its blanks, and which blank follows each.
struct Pattern {
    std::vector<std::string_view> words;  // words[0] before the first blank
    std::vector<int> blanks;              // blanks[i] after words[i]
};

Pattern patternOf(std::string_view english) {
    Pattern p;
    std::size_t start = 0;
    for (std::size_t k = 0; k < english.size(); ++k) {
        if (const int n = blankAt(english, k); n >= 0) {
            p.words.push_back(english.substr(start, k - start));
            p.blanks.push_back(n);
            k += 2;
            start = k + 1;
        }
    }
    p.words.push_back(english.substr(start));
    return p;
}

// The blanks' values when text reads as the row's English; each blank
// takes the shortest run before the next words.
bool matches(const Pattern& p, std::string_view text, std::string_view (&args)[9]) {
    if (!text.starts_with(p.words.front())) return false;
    std::size_t at = p.words.front().size();
    for (std::size_t i = 0; i < p.blanks.size(); ++i) {
        const std::string_view next = p.words[i + 1];
        const bool last = i + 1 == p.blanks.size();
        std::size_t end = 0;
        if (last) {
            if (!text.substr(at).ends_with(next) || text.size() - at < next.size()) return false;
            end = text.size() - next.size();
        } else {
            end = text.find(next, at);
            if (end == std::string_view::npos || next.empty()) return false;
        }
        if (end <= at) return false;  // a blank stands for something
        args[p.blanks[i]] = text.substr(at, end - at);
        at = end + next.size();
    }
    return p.blanks.empty() ? text == p.words.front() : true;
}

std::string translated(std::string_view english, int depth);

// The text by a row whose English has blanks, each blank looked up in turn;
// of the rows it reads as, the one with the most words of its own.
bool byPattern(std::string_view english, int depth, std::string& out) {
    const CliText* best = nullptr;
    std::size_t bestWords = 0;
    std::string_view bestArgs[9];
    for (const CliText& row : kCliTexts) {
        const Pattern p = patternOf(row.english);
        if (p.blanks.empty()) continue;
        std::size_t words = 0;
        for (const std::string_view w : p.words) words += w.size();
        if (words < kLeastWords || words <= bestWords) continue;
        std::string_view args[9];
        if (!matches(p, english, args)) continue;
        best = &row;
        bestWords = words;
        std::copy(std::begin(args), std::end(args), std::begin(bestArgs));
    }
    if (best == nullptr) return false;
    std::string values[9];
    std::string_view shown[9];
    for (std::size_t n = 0; n < 9; ++n) {
        values[n] = translated(bestArgs[n], depth - 1);
        shown[n] = values[n];
    }
    out = filled(best->japanese, shown, 9);
    return true;
}

std::string translated(std::string_view english, int depth) {
    if (depth <= 0 || english.empty()) return std::string(english);
    for (const CliText& row : kCliTexts) {
        if (row.english == english) return std::string(row.japanese);
    }
    // "NAME: text", as a path or an option goes before what is said of it;
    // before the blanks, which would take the NAME in.
    for (std::size_t colon = english.find(": "); colon != std::string_view::npos;
         colon = english.find(": ", colon + 1)) {
        const std::string_view rest = english.substr(colon + 2);
        std::string said = translated(rest, depth - 1);
        if (said != rest) return std::string(english.substr(0, colon + 2)) + said;
    }
    std::string out;
    if (byPattern(english, depth, out)) return out;
    return std::string(english);
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
    return cliTextIn(cliLanguage(), id, args);
}

std::string cliTextIn(CliLanguage language, CliTextId id,
                      std::initializer_list<std::string_view> args) {
    const CliText& row = kCliTexts[id.index];
    return filled(language == CliLanguage::Japanese ? row.japanese : row.english, args.begin(),
                  args.size());
}

std::string cliText(std::string_view english) {
    if (cliLanguage() == CliLanguage::English) return std::string(english);
    return translated(english, kDepth);
}

std::string cliCount(std::size_t n, CliTextId one, CliTextId many) {
    return n == 1 ? cliText(one) : cliText(many, {std::to_string(n)});
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

std::string shownPath(std::string_view path) {
    std::string shown;
    shown.reserve(path.size());
    for (std::size_t i = 0; i < path.size();) {
        char32_t c = 0;
        const std::size_t n = utf8SequenceAt(path, i, c);
        if (n == 0 || c < 0x20 || (c >= 0x7F && c < 0xA0)) {
            for (std::size_t k = 0; k < std::max<std::size_t>(n, 1); ++k) {
                char escape[5];
                std::snprintf(escape, sizeof escape, "\\x%02X",
                              static_cast<unsigned char>(path[i + k]));
                shown += escape;
            }
            i += std::max<std::size_t>(n, 1);
            continue;
        }
        shown.append(path.substr(i, n));
        i += n;
    }
    return shown;
}

std::string displayName(const std::string& input) {
    return input == "-" ? cliText("standard-input"_text) : shownPath(input);
}

std::string exceptionMessage(const std::string& input) {
    std::string what;
    try {
        throw;
    } catch (const std::bad_alloc&) {
        what = cliText("out-of-memory"_text);
    } catch (const std::length_error&) {
        what = cliText("out-of-memory"_text);  // a text too long for a string
    } catch (const std::exception& e) {
        what = cliText(e.what());
    } catch (...) {
        what = cliText("unknown-failure"_text);
    }
    return cliMessage("failed"_text, {displayName(input), what});
}

std::string noPostsFound(const std::string& name) {
    return cliMessage("no-posts-found"_text, {name});
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
