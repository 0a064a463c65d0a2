// The line-break formatting commands: a line break after every <BR>, and back.
#include "linebreaks/line_breaks.h"

#include <algorithm>

#include "text/scan.h"
#include "text/text.h"

namespace mozaru {

// Both commands protect the four letters, replace, then restore. Neither
// "<BR>", "<HR>" nor CR LF can overlap a token, and the inserted text can
// neither complete nor split one, so that frame comes down to a single pass
// that also turns the tokens already in the text into their letters.

namespace {

// What an edit does at a tag: consumes `used` units (0: leaves it) and puts
// `replacement` in their place.
struct Edit {
    std::size_t used = 0;
    std::u16string_view replacement;
};

// The most an edit looks at: "<BR>", CR LF, "<HR>".
constexpr std::size_t kLongestEdit = 10;

// Runs the pass into out (anything with append): at each "<B" or "<S" (any
// case) a token becomes its letter, and anything else is left to editAt.
// Only tags that begin before limit are looked at; returns where the text
// not written yet begins (the text's size when limit is).
template <class EditAt, class Out>
std::size_t rewriteTags(std::u16string_view text, EditAt editAt, Out& out, std::size_t limit) {
    std::size_t run = 0;
    std::size_t p = 0;
    while ((p = scan::findTag(text, u'b', u's', p)) != npos && p < limit) {
        // A token begins "<S": the call is made for those alone.
        char16_t letter = p + 1 < text.size() && text[p + 1] == u'S' ? tokenAt(text, p) : 0;
        const Edit edit = letter != 0 ? Edit{kTokenLength, {&letter, 1}} : editAt(text, p);
        if (edit.used == 0) {
            ++p;
            continue;
        }
        out.append(text.substr(run, p - run));
        out.append(edit.replacement);
        p += edit.used;
        run = p;
    }
    // No tag begins between run and limit.
    const std::size_t end = std::max(run, std::min(limit, text.size()));
    out.append(text.substr(run, end - run));
    return end;
}

// growth: how far an edit can lengthen the text at most, as units added per
// unit of text; the result never needs to move.
template <class EditAt>
std::u16string rewriteAll(std::u16string_view text, double growth, EditAt editAt) {
    std::u16string out;
    reserveOutput(out, text.size() + static_cast<std::size_t>(text.size() * growth) + 16);
    rewriteTags(text, editAt, out, text.size());
    return out;
}

// Collects the result in slices that stay in the cache until the sink has
// taken them.
class Slices {
public:
    explicit Slices(const TextSink& sink) : m_sink(sink) { m_slice.reserve(kSlice); }
    ~Slices() { flush(); }
    Slices(const Slices&) = delete;
    Slices& operator=(const Slices&) = delete;

    void append(std::u16string_view units) {
        if (m_slice.size() + units.size() > kSlice) flush();
        if (units.size() >= kSlice) {
            m_sink(units);
        } else {
            m_slice.append(units);
        }
    }

private:
    static constexpr std::size_t kSlice = std::size_t{1} << 15;

    void flush() {
        if (!m_slice.empty()) m_sink(m_slice);
        m_slice.clear();
    }

    const TextSink& m_sink;
    std::u16string m_slice;
};

// Before the end of the text, the last units wait: a tag there may go on in
// the text to come.
template <class EditAt>
std::size_t rewriteInto(std::u16string_view text, const TextSink& sink, bool last, EditAt editAt) {
    if (!last && text.size() <= kLongestEdit) return 0;
    Slices slices(sink);
    return rewriteTags(text, editAt, slices, last ? text.size() : text.size() - kLongestEdit);
}

// Whether "<" letter "R>" stands at p in any case, as startsWithNoCase
// tells, without its call and loop at every tag: "<BR>" or "<HR>".
inline bool fourUnitTagAt(std::u16string_view t, std::size_t p, char16_t letter) {
    if (p > t.size() || t.size() - p < 4) return false;
    const char16_t* d = t.data() + p;
    // Bit 0x20 folds a letter's case, and only a letter's: 'B' and 'b' alone give 'b'.
    return d[0] == u'<' && (d[1] | 0x20) == (letter | 0x20) && (d[2] | 0x20) == u'r' &&
           d[3] == u'>';
}

// Both edits are lambdas, each of its own type, so that the pass is made
// for each and the edit inlined into it.
// "<BR>" (4 units) becomes "<br>" CR LF (6).
constexpr auto addAt = [](std::u16string_view t, std::size_t p) {
    if (!fourUnitTagAt(t, p, u'B')) return Edit{};
    return Edit{4, u"<br>\r\n"};
};

// "<BR><HR>" (8 units) becomes "<br>" CR LF "<HR>" (10).
constexpr auto removeAt = [](std::u16string_view t, std::size_t p) {
    if (!fourUnitTagAt(t, p, u'B')) return Edit{};
    const std::size_t next = p + 4;
    const bool lineBreak = t.substr(next, 2) == u"\r\n";
    // The CR LF after the tag goes first; a tag then directly before an
    // "<HR>" gets one back, with the rule in capitals.
    const std::size_t after = lineBreak ? next + 2 : next;
    if (fourUnitTagAt(t, after, u'H')) return Edit{after + 4 - p, u"<br>\r\n<HR>"};
    if (!lineBreak) return Edit{};
    return Edit{after - p, u"<br>"};
};

}  // namespace

std::u16string AddLineBreaks(std::u16string_view text) {
    return rewriteAll(text, 0.5, addAt);
}

std::u16string RemoveLineBreaks(std::u16string_view text) {
    return rewriteAll(text, 0.25, removeAt);
}

std::size_t addLineBreaksInto(std::u16string_view text, const TextSink& sink, bool last) {
    return rewriteInto(text, sink, last, addAt);
}

std::size_t removeLineBreaksInto(std::u16string_view text, const TextSink& sink, bool last) {
    return rewriteInto(text, sink, last, removeAt);
}

}  // namespace mozaru
