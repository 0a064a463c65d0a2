// A slow, literal rendering of the classifier and the extraction, step by
// step, for checking the fast engine against on random pages.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "extract/is_aa.h"
#include "text/text.h"

namespace mozaru::literal {

inline std::vector<std::u16string> splitNoCase(std::u16string_view text, std::u16string_view sep) {
    std::vector<std::u16string> parts;
    std::size_t start = 0;
    for (std::size_t p; (p = findNoCase(text, sep, start)) != npos; start = p + sep.size()) {
        parts.emplace_back(text.substr(start, p - start));
    }
    parts.emplace_back(text.substr(start));
    return parts;
}

inline std::u16string protect(std::u16string t) {
    t = replaceAll(t, u"\u0451", u"<SP0>");
    t = replaceAll(t, u"\u0401", u"<SP1>");
    t = replaceAll(t, u"\u0439", u"<SP2>");
    return replaceAll(t, u"\u0419", u"<SP3>");
}

inline std::u16string restore(std::u16string t) {
    t = replaceAll(t, u"<SP0>", u"\u0451");
    t = replaceAll(t, u"<SP1>", u"\u0401");
    t = replaceAll(t, u"<SP2>", u"\u0439");
    return replaceAll(t, u"<SP3>", u"\u0419");
}

inline bool in(char16_t c, char16_t lo, char16_t hi) {
    return c >= lo && c <= hi;
}

inline AAResult isAA(std::u16string_view body, std::int16_t level) {
    AAResult r;
    std::int32_t lines = 0, total = 0, symbols = 0, ideographs = 0, latin = 0;
    if (!body.empty()) {
        for (std::u16string line : splitNoCase(body, u"<BR>")) {
            for (;;) {
                const std::size_t p = findNoCase(line, u"<A HREF");
                if (p == npos) break;
                const std::size_t q = findNoCase(line, u"</A>", p);
                if (q == npos) break;
                line.erase(p, q + 4 - p);
            }
            for (;;) {
                const std::size_t p = findNoCase(line, u"<A NAME");
                if (p == npos) break;
                const std::size_t q = line.find(u'>', p);
                if (q == npos) break;
                line.erase(p, q + 1 - p);
            }
            r.mergeKey += line;
            const std::u16string_view t = trimSpaces(line);
            for (const char16_t c : t) {
                if (in(c, 0x41, 0x5A) || in(c, 0x61, 0x7A)) {
                    ++latin;
                } else if (in(c, 0x4E00, 0x9FA5) || in(c, 0xFA0E, 0xFA2D)) {
                    ++ideographs;
                } else if (!(in(c, 0x3041, 0x3094) || in(c, 0x30A1, 0x30FA) ||
                             in(c, 0xFF66, 0xFF9F) || in(c, 0xFF21, 0xFF3A) ||
                             in(c, 0xFF41, 0xFF5A))) {
                    ++symbols;
                }
            }
            total += static_cast<std::int32_t>(t.size());
            ++lines;
        }
    }
    const std::int32_t minimum = level == 1 ? 60 : level == 2 ? 500 : 0;
    r.isAA = total > minimum && lines > 5 &&
             (double(symbols) / total >= 0.5 || double(ideographs) / total >= 0.8 ||
              double(latin) / total >= 0.5);
    r.stats = AAStats{lines, total, symbols, ideographs, latin, AARule::TooShort};
    return r;
}

inline std::u16string extractAA(std::u16string_view text, std::int16_t level,
                                std::int16_t mergeFlag) {
    std::u16string t = replaceAll(replaceAll(text, u"\r", u""), u"\n", u"");
    t = protect(t);
    const std::vector<std::u16string> pieces = splitNoCase(t, u"<DD");
    if (pieces.size() == 1) return {};
    std::vector<std::u16string> keys;
    std::u16string out;
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        const std::u16string& piece = pieces[i];
        const std::size_t g = piece.find(u'>');
        if (g == npos) break;
        std::size_t e = findNoCase(piece, u"</DL", g);
        const bool listEnd = e != npos;
        if (!listEnd) e = findNoCase(piece, u"<DT", g);
        if (e == npos) break;
        const std::u16string body = piece.substr(g + 1, e - g - 1);
        const AAResult r = isAA(body, level);
        if (r.isAA) {
            if (!(mergeFlag == 1 &&
                  std::find(keys.begin(), keys.end(), r.mergeKey) != keys.end())) {
                keys.push_back(r.mergeKey);
                out += u"\r\n<HR>\r\n" + body;
            }
        }
        if (listEnd) break;
    }
    if (!out.empty()) out += u"<HR>";
    return restore(out);
}

}  // namespace mozaru::literal
