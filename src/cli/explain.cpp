// mozaru-cli explain: what the detector counted and decided, post by post.
#include "cli/explain.h"

#include <QString>
#include <cstdio>
#include <ostream>

#include "cli/authors.h"
#include "cli/messages.h"
#include "extract/extract_aa.h"
#include "extract/is_aa.h"
#include "extract/picture_stats.h"
#include "extract/post_author.h"
#include "text/utf.h"

namespace mozaru {

namespace {

// The table shows the start of a merge key; the JSON lines carry all of it.
constexpr std::size_t kKeyCharacters = 40;

std::string shortKey(std::u16string_view key) {
    std::string out;
    std::size_t shown = 0;
    bool cut = false;
    forEachCodePoint(key, [&](char32_t c) {
        if (shown == kKeyCharacters) {
            cut = true;
            return;
        }
        appendUtf8(out, isSurrogate(c) || c < 0x20 ? U'\uFFFD' : c);
        ++shown;
    });
    if (cut) out += "\u2026";
    return out;
}

double share(std::int32_t count, std::int32_t total) {
    return total > 0 ? 100.0 * count / total : 0.0;
}

class Explainer : public ExtractObserver {
public:
    Explainer(std::ostream& out, Detector detector, bool json, const AuthorChoice& author)
        : m_out(out), m_picture(detector == Detector::Picture), m_json(json), m_author(author) {
        if (m_json) return;
        if (m_picture) {
            m_out << "  post  lines    total  graphic   text    run  AA   rule           ";
        } else {
            m_out << "  post  lines    total      symbols   ideographs        latin"
                     "  AA   rule           ";
        }
        m_out << (byAuthor() ? "author " : "") << "merge key\n";
    }

    bool byAuthor() const { return m_author.key != AuthorKey::Off; }

    // Before judged(i), for a body that goes into the result.
    void kept(std::int32_t /*i*/, std::u16string_view header,
              std::u16string_view /*body*/) override {
        m_authors = isAuthorsPost(header, m_author);
        if (m_authors) ++m_authorsKept;
    }

    void judged(std::int32_t i, std::u16string_view /*body*/, const AAResult& r) override {
        ++m_examined;
        if (r.isAA) ++m_kept;
        if (m_picture) {
            explainPicture(i, r);
        } else {
            explainSeed(i, r);
        }
        if (m_json) {
            if (byAuthor()) {
                m_out << ",\"by_author\":" << (!r.isAA ? "null" : m_authors ? "true" : "false");
            }
            m_out << ",\"merge_key\":\"" << jsonEscaped(r.mergeKey) << "\"}\n";
            return;
        }
        if (byAuthor()) {
            char column[16];
            std::snprintf(column, sizeof column, "%-6s ", !r.isAA ? "-" : m_authors ? "yes" : "no");
            m_out << column;
        }
        m_out << shortKey(r.mergeKey) << "\n";
    }

    void summary() {
        if (m_json) return;
        const std::string examined = std::to_string(m_examined);
        const std::string kept = std::to_string(m_kept);
        m_out << (byAuthor() ? cliText("explained-author"_text,
                                       {examined, kept, std::to_string(m_authorsKept)})
                             : cliText("explained"_text, {examined, kept}))
              << "\n";
    }

private:
    // The seed's figures; the entry is ended by judged().
    void explainSeed(std::int32_t i, const AAResult& r) {
        const AAStats& s = r.stats;
        const std::string_view rule = ruleName(s.rule);
        if (m_json) {
            m_out << "{\"post\":" << i << ",\"lines\":" << s.lines << ",\"total\":" << s.total
                  << ",\"symbols\":" << s.symbols << ",\"ideographs\":" << s.ideographs
                  << ",\"latin\":" << s.latin << ",\"is_aa\":" << (r.isAA ? "true" : "false")
                  << ",\"rule\":\"" << rule << "\"";
            return;
        }
        char row[160];
        std::snprintf(row, sizeof row,
                      "%6d %6d %8d %6d %5.1f%% %6d %5.1f%% %6d %5.1f%%  %-4s %-14.*s ", i, s.lines,
                      s.total, s.symbols, share(s.symbols, s.total), s.ideographs,
                      share(s.ideographs, s.total), s.latin, share(s.latin, s.total),
                      r.isAA ? "yes" : "no", static_cast<int>(rule.size()), rule.data());
        m_out << row;
    }

    // The picture detector's figures: the lines and total the level's minimum
    // applies to, the graphic and text lines, the longest run, the rule.
    void explainPicture(std::int32_t i, const AAResult& r) {
        const PictureStats& p = r.picture;
        const std::string_view rule = pictureRuleName(p.rule);
        if (m_json) {
            m_out << "{\"post\":" << i << ",\"lines\":" << r.stats.lines
                  << ",\"total\":" << r.stats.total << ",\"graphic_lines\":" << p.graphicLines
                  << ",\"text_lines\":" << p.textLines << ",\"longest_run\":" << p.longestRun
                  << ",\"is_aa\":" << (r.isAA ? "true" : "false") << ",\"rule\":\"" << rule << "\"";
            return;
        }
        char row[120];
        std::snprintf(row, sizeof row, "%6d %6d %8d %8d %6d %6d  %-4s %-14.*s ", i, r.stats.lines,
                      r.stats.total, p.graphicLines, p.textLines, p.longestRun,
                      r.isAA ? "yes" : "no", static_cast<int>(rule.size()), rule.data());
        m_out << row;
    }

    std::ostream& m_out;
    const bool m_picture;
    const bool m_json;
    const AuthorChoice& m_author;
    bool m_authors = false;
    std::int32_t m_examined = 0;
    std::int32_t m_kept = 0;
    std::int32_t m_authorsKept = 0;
};

}  // namespace

std::string jsonEscaped(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    forEachCodePoint(text, [&out](char32_t c) {
        char escape[8];
        switch (c) {
            case U'"':
                out += "\\\"";
                return;
            case U'\\':
                out += "\\\\";
                return;
            case U'\b':
                out += "\\b";
                return;
            case U'\f':
                out += "\\f";
                return;
            case U'\n':
                out += "\\n";
                return;
            case U'\r':
                out += "\\r";
                return;
            case U'\t':
                out += "\\t";
                return;
            default:
                break;
        }
        if (c < 0x20 || isSurrogate(c)) {
            std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(c));
            out += escape;
        } else {
            appendUtf8(out, c);
        }
    });
    return out;
}

void writeExplanation(std::u16string_view text, std::int16_t level, Detector detector, bool json,
                      std::ostream& out, const ResolvedAuthor& author) {
    if (author.author.key != AuthorKey::Off) {
        // What programs read stays in English.
        const std::string chosen =
            authorChosen(author, json ? CliLanguage::English : cliLanguage());
        if (json) {
            const std::u16string words = QString::fromStdString(chosen).toStdU16String();
            out << "{\"author\":\"" << jsonEscaped(words) << "\"}\n";
        } else {
            out << cliText("author"_text, {chosen}) << "\n";
        }
    }
    Explainer explainer(out, detector, json, author.author);
    ExtractAA(text, level, 0, detector, explainer);
    explainer.summary();
}

}  // namespace mozaru
