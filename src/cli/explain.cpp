// mozaru-cli explain: what the classifier counted and decided, post by post.
#include "cli/explain.h"

#include <cstdio>
#include <ostream>

#include "extract/extract_aa.h"
#include "extract/is_aa.h"
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
    Explainer(std::ostream& out, bool json) : m_out(out), m_json(json) {
        if (!m_json) {
            m_out << "  post  lines    total      symbols   ideographs        latin"
                     "  AA   rule           merge key\n";
        }
    }

    void judged(std::int32_t i, std::u16string_view /*body*/, const AAResult& r) override {
        ++m_examined;
        if (r.isAA) ++m_kept;
        const AAStats& s = r.stats;
        const std::string_view rule = ruleName(s.rule);
        if (m_json) {
            m_out << "{\"post\":" << i << ",\"lines\":" << s.lines << ",\"total\":" << s.total
                  << ",\"symbols\":" << s.symbols << ",\"ideographs\":" << s.ideographs
                  << ",\"latin\":" << s.latin << ",\"is_aa\":" << (r.isAA ? "true" : "false")
                  << ",\"rule\":\"" << rule << "\",\"merge_key\":\"" << jsonEscaped(r.mergeKey)
                  << "\"}\n";
            return;
        }
        char row[160];
        std::snprintf(row, sizeof row,
                      "%6d %6d %8d %6d %5.1f%% %6d %5.1f%% %6d %5.1f%%  %-4s %-14.*s ", i, s.lines,
                      s.total, s.symbols, share(s.symbols, s.total), s.ideographs,
                      share(s.ideographs, s.total), s.latin, share(s.latin, s.total),
                      r.isAA ? "yes" : "no", static_cast<int>(rule.size()), rule.data());
        m_out << row << shortKey(r.mergeKey) << "\n";
    }

    void summary() {
        if (!m_json) m_out << m_examined << " bodies examined, " << m_kept << " ASCII art\n";
    }

private:
    std::ostream& m_out;
    const bool m_json;
    std::int32_t m_examined = 0;
    std::int32_t m_kept = 0;
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

void writeExplanation(std::u16string_view text, std::int16_t level, bool json, std::ostream& out) {
    Explainer explainer(out, json);
    ExtractAA(text, level, 0, explainer);
    explainer.summary();
}

}  // namespace mozaru
