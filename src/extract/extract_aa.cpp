// The extraction: cuts a thread page into post bodies and keeps the ASCII art.
#include "extract/extract_aa.h"

#include <algorithm>
#include <array>
#include <functional>
#include <memory>

#include "extract/aa_judge.h"
#include "extract/kept_keys.h"
#include "text/scan.h"
#include "text/text.h"

namespace mozaru {

namespace {

// The page is scanned as it stands, never copied: the markers are read as
// they would stand with every CR and LF removed, and each protected letter
// counts as the ">" that ends its token. Only post bodies are copied, into
// one reused buffer, in the form the classifier judges them.

enum class Marker { None, PostBody, PostHeader, ListEnd };

struct MarkerAt {
    Marker kind = Marker::None;
    std::size_t end = 0;  // just after the marker's last unit
};

// Units that may follow the "<" of a marker, folded as scan::findTag does.
constexpr std::array<char16_t, 4> kMarkerSeconds{u'd', u'/', u'\r' | 0x20, u'\n' | 0x20};

MarkerAt readMarker(std::u16string_view page, std::size_t lt) {
    char16_t units[3];
    std::size_t ends[3];
    std::size_t k = 0;
    for (std::size_t q = lt + 1; q < page.size() && k < 3; ++q) {
        if (page[q] == u'\r' || page[q] == u'\n') continue;
        units[k] = asciiUpper(page[q]);
        ends[k++] = q + 1;
    }
    if (k >= 2 && units[0] == u'D' && units[1] == u'D') return {Marker::PostBody, ends[1]};
    if (k >= 2 && units[0] == u'D' && units[1] == u'T') return {Marker::PostHeader, ends[1]};
    if (k == 3 && units[0] == u'/' && units[1] == u'D' && units[2] == u'L') {
        return {Marker::ListEnd, ends[2]};
    }
    return {};
}

// Position of the next "<DD", "<DT" or "</DL" at or after from, or npos.
std::size_t findMarker(std::u16string_view page, std::size_t from, MarkerAt& marker) {
    for (std::size_t p = from; (p = scan::findTag(page, kMarkerSeconds, p)) != npos; ++p) {
        marker = readMarker(page, p);
        if (marker.kind != Marker::None) return p;
    }
    return npos;
}

std::size_t findPostBody(std::u16string_view page, std::size_t from, MarkerAt& marker) {
    std::size_t p = from;
    while ((p = findMarker(page, p, marker)) != npos && marker.kind != Marker::PostBody) ++p;
    return p;
}

std::int32_t countPieces(std::u16string_view page, std::size_t from) {
    std::int32_t n = 0;
    MarkerAt marker;
    for (std::size_t p = from; (p = findPostBody(page, p, marker)) != npos; p = marker.end) ++n;
    return n;
}

// Page positions of a post body.
struct Span {
    std::size_t begin = 0;
    std::size_t end = 0;
};

constexpr auto kLettersAndBreaks = protectedLettersAnd<2>({u'\r', u'\n'});

// The ">" that closes the "<DD" tag; a protected letter ends in the ">" of
// its token.
constexpr auto kCloses = protectedLettersAnd<1>({u'>'});

// Where a marker may begin that the text so far cannot decide: a marker
// reads the "<" and up to three units after it, CR and LF skipped. Every
// "<" before the place returned has them all.
std::size_t decidedEnd(std::u16string_view text) {
    std::size_t p = text.size();
    for (int units = 0; units < 3 && p > 0;) {
        --p;
        if (text[p] != u'\r' && text[p] != u'\n') ++units;
    }
    return p;
}

// One piece, the text after a "<DD" up to the next "<DD" or the page's end,
// cut as far as the text allows: its body starts after the ">" that closes
// the "<DD" tag and ends before the first "</DL" after it, or else the first
// "<DT". A "<DD" before that ">" leaves the piece unseen, and so does a piece
// without ">" or without an end.
class PieceCut {
public:
    enum class State { Pending, Examined, Unseen };

    explicit PieceCut(std::size_t start) : m_closeFrom(start), m_from(start) {}

    // Looks at text up to decided (the end when last) for what it has not
    // looked at yet.
    State advance(std::u16string_view text, std::size_t decided, bool last) {
        if (m_close == npos) {
            m_close = scan::findAny(text, kCloses, m_closeFrom);
            m_closeFrom = text.size();
        }
        MarkerAt marker;
        for (std::size_t p = m_from; (p = findMarker(text, p, marker)) != npos && p < decided;
             ++p) {
            if (marker.kind == Marker::PostBody) {
                if (m_close == npos || p < m_close) return State::Unseen;
                nextStart = marker.end;
                nextAt = p;
                return ended();
            }
            if (m_close == npos || p < m_close) continue;
            if (marker.kind == Marker::ListEnd) {
                listEnd = true;
                m_header = p;
                return ended();
            }
            if (m_header == npos) m_header = p;
        }
        if (!last) {
            m_from = std::max(m_from, decided);
            return State::Pending;
        }
        return ended();
    }

    // The positions it holds, less used units at the front of the text.
    void shift(std::size_t used) {
        for (std::size_t* p : {&m_close, &m_header}) {
            if (*p != npos) *p -= used;
        }
        m_closeFrom -= used;
        m_from -= used;
    }

    Span body;
    bool listEnd = false;          // the body ends at "</DL"
    std::size_t nextStart = npos;  // where the next piece starts
    std::size_t nextAt = npos;     // the "<DD" before it

private:
    State ended() {
        if (m_close == npos || m_header == npos) return State::Unseen;
        body = {m_close + 1, m_header};
        return State::Examined;
    }

    std::size_t m_close = npos;
    std::size_t m_closeFrom;
    std::size_t m_header = npos;
    std::size_t m_from;
};

// The text less the CR and LF it ends with.
std::u16string_view withoutFinalBreaks(std::u16string_view text) {
    std::size_t n = text.size();
    while (n > 0 && (text[n - 1] == u'\r' || text[n - 1] == u'\n')) --n;
    return text.substr(0, n);
}

std::u16string_view textOf(std::u16string_view page, Span span) {
    return page.substr(span.begin, span.end - span.begin);
}

// The result grows in room reserved once, at its largest: every kept body
// stands in a piece whose "<DD", ">" and "<DT" or "</DL" take at least 7
// units of the page, while its rule takes 8 units of the result, so the
// result never outgrows the page by more than a seventh. (A body is appended
// with its letters still as tokens, so one rich in them may briefly need
// more; the string then grows as usual.)
std::size_t largestResult(std::u16string_view page) {
    return page.size() + page.size() / 7 + 8;
}

// The extraction as a walk that can stop where the text so far ends and go
// on with more: run on the whole page at once, it is ExtractAA; on a page
// in pieces, it keeps only the piece being cut. The kept bodies go into out,
// each after its rule; a body merged away is taken out again, and the
// earlier bodies' keys are rebuilt from out, whose letters protected again
// give the text judged.
template <class Observer>
class Extraction {
public:
    // whole: the page comes in one run, and the result's room is made for it at once.
    Extraction(std::int16_t level, std::int16_t mergeFlag, Detector detector, Observer& observer,
               std::u16string& out, bool whole)
        : m_level(level),
          m_mergeFlag(mergeFlag),
          m_detector(detector),
          m_observer(observer),
          m_out(out),
          m_whole(whole),
          m_keys(out) {}

    // Walks text (positions from its start) as far as it decides; returns
    // how much of its front is no longer needed. last: the page ends there.
    std::size_t run(std::u16string_view text, bool last) {
        const std::size_t decided = last ? text.size() : decidedEnd(text);
        if (m_state == State::Seeking && !seek(text, decided, last)) {
            // Nothing before decided can begin a "<DD" any more.
            m_seekFrom = 0;
            return decided;
        }
        while (m_state == State::Cutting) {
            const PieceCut::State cut = m_cut.advance(text, decided, last);
            if (cut == PieceCut::State::Pending) return shift(m_headerBegin);
            if (cut == PieceCut::State::Unseen) break;
            judge(text, ++m_pieces);
            if (m_cut.listEnd || m_cut.nextStart == npos) break;
            m_headerBegin = m_cut.body.end;
            m_at = m_cut.nextAt;
            m_cut = PieceCut(m_cut.nextStart);
        }
        m_state = State::Done;
        return text.size();
    }

    // Whether a "<DD" has been met: a post to judge.
    bool foundPost() const { return m_foundPost; }

    // The result complete: the last rule.
    void finish() {
        if (m_kept) m_out.append(u"<HR>");
        if constexpr (detail::kListening<Observer>) {
            if (m_started) m_observer.finished(m_count);
        }
    }

private:
    enum class State { Seeking, Cutting, Done };

    // The first "<DD"; at the page's end without one, the result is empty.
    bool seek(std::u16string_view text, std::size_t decided, bool last) {
        MarkerAt marker;
        const std::size_t at = findPostBody(text, m_seekFrom, marker);
        if (at == npos || at >= decided) {
            if (last) m_state = State::Done;
            return false;
        }
        m_at = at;
        m_foundPost = true;
        m_cut = PieceCut(marker.end);
        m_state = State::Cutting;
        if constexpr (detail::kListening<Observer>) {
            // Only a page given whole is counted ahead.
            m_count = 1 + countPieces(text, marker.end);
            m_observer.start(m_count);
            m_started = true;
        }
        return true;
    }

    // Drops used units at the front of the text: every place held moves.
    std::size_t shift(std::size_t used) {
        m_cut.shift(used);
        m_at -= used;
        m_headerBegin -= used;
        return used;
    }

    void judge(std::u16string_view page, std::int32_t i) {
        // The body as the classifier sees it: one line, letters as tokens.
        // Most bodies already are but for the line break that ends them in
        // the page, which is only left out; the others are copied.
        std::u16string_view judged = withoutFinalBreaks(textOf(page, m_cut.body));
        if (const std::size_t first = scan::findAny(judged, kLettersAndBreaks); first != npos) {
            m_body.assign(judged.substr(0, first));
            appendWithoutLineBreaksProtected(m_body, judged.substr(first));
            judged = m_body;
        }
        detail::judgeBody(judged, m_level, m_observer, m_result, detail::kListening<Observer>,
                          m_detector);
        if (m_result.isAA) keep(page, i, judged);
        m_observer.judged(i, judged, m_result);
        m_observer.postDone(i);
    }

    void keep(std::u16string_view page, std::int32_t i, std::u16string_view judged) {
        if (m_whole && m_out.empty()) reserveOutput(m_out, largestResult(page));
        const std::size_t rule = m_out.size();
        m_out.append(u"\r\n<HR>\r\n");
        const std::size_t from = m_out.size();
        m_out.append(judged);
        // Restored body by body, while it is at hand: no token can reach
        // across a rule.
        RestoreCharsInPlace(m_out, from);
        if (m_mergeFlag == 1 && !m_keys.add({from, m_out.size()}, m_result.mergeKey, m_keyOf)) {
            m_out.resize(rule);
            return;
        }
        m_kept = true;
        if constexpr (detail::kListening<Observer>) {
            m_observer.kept(i, textOf(page, {m_headerBegin, m_at}),
                            std::u16string_view(m_out).substr(from));
        }
    }

    const std::int16_t m_level;
    const std::int16_t m_mergeFlag;
    const Detector m_detector;
    Observer& m_observer;
    std::u16string& m_out;
    const bool m_whole;
    State m_state = State::Seeking;
    std::size_t m_seekFrom = 0;
    std::size_t m_at = 0;           // the "<DD" of the piece being cut
    std::size_t m_headerBegin = 0;  // the end of the body before it
    PieceCut m_cut{0};
    std::int32_t m_pieces = 0;
    std::int32_t m_count = 0;
    bool m_started = false;
    bool m_kept = false;
    bool m_foundPost = false;
    KeptKeys m_keys;
    std::u16string m_body;
    AAResult m_result;
    // An earlier body's key, rebuilt when a hash matches but the text differs.
    std::u16string m_earlierBody;
    AAResult m_earlier;
    std::function<std::u16string_view(KeptKeys::Body)> m_keyOf = [this](KeptKeys::Body b) {
        m_earlierBody.clear();
        appendWithoutLineBreaksProtected(
            m_earlierBody, std::u16string_view(m_out).substr(b.begin, b.end - b.begin));
        detail::SilentObserver silent;
        detail::judgeBody(m_earlierBody, 0, silent, m_earlier, false);
        return std::u16string_view(m_earlier.mergeKey);
    };
};

template <class Observer>
std::u16string extract(std::u16string_view page, std::int16_t level, std::int16_t mergeFlag,
                       Detector detector, Observer& observer) {
    std::u16string out;
    Extraction<Observer> extraction(level, mergeFlag, detector, observer, out, true);
    extraction.run(page, true);
    extraction.finish();
    return out;
}

}  // namespace

std::u16string ExtractAA(std::u16string_view text, std::int16_t level, std::int16_t mergeFlag) {
    detail::SilentObserver silent;
    return extract(text, level, mergeFlag, Detector::Seed, silent);
}

std::u16string ExtractAA(std::u16string_view text, std::int16_t level, std::int16_t mergeFlag,
                         ExtractObserver& observer) {
    return extract(text, level, mergeFlag, Detector::Seed, observer);
}

std::u16string ExtractAA(std::u16string_view text, std::int16_t level, std::int16_t mergeFlag,
                         Detector detector) {
    detail::SilentObserver silent;
    return extract(text, level, mergeFlag, detector, silent);
}

std::u16string ExtractAA(std::u16string_view text, std::int16_t level, std::int16_t mergeFlag,
                         Detector detector, ExtractObserver& observer) {
    return extract(text, level, mergeFlag, detector, observer);
}

class ExtractAAInPieces::Walk {
public:
    Walk(std::int16_t level, std::int16_t mergeFlag, Detector detector)
        : m_extraction(level, mergeFlag, detector, m_silent, m_out, false) {}
    detail::SilentObserver m_silent;
    std::u16string m_out;
    Extraction<detail::SilentObserver> m_extraction;
};

ExtractAAInPieces::ExtractAAInPieces(std::int16_t level, std::int16_t mergeFlag, TextSink sink,
                                     Detector detector)
    : m_walk(std::make_unique<Walk>(level, mergeFlag, detector)),
      m_merging(mergeFlag == 1),
      m_sink(std::move(sink)) {}

ExtractAAInPieces::~ExtractAAInPieces() = default;

bool ExtractAAInPieces::foundPost() const {
    return m_walk->m_extraction.foundPost();
}

std::size_t ExtractAAInPieces::take(std::u16string_view text, bool last) {
    const std::size_t used = m_walk->m_extraction.run(text, last);
    if (last) m_walk->m_extraction.finish();
    // What the walk has added to the result goes on; with merging the kept
    // bodies stay, for the keys of the bodies to come.
    std::u16string& out = m_walk->m_out;
    if (out.size() > m_handed) m_sink(std::u16string_view(out).substr(m_handed));
    m_handed = out.size();
    if (!m_merging) {
        out.clear();
        m_handed = 0;
    }
    return used;
}

bool holdsPostBody(std::u16string_view text) {
    MarkerAt marker;
    return findPostBody(text, 0, marker) != npos;
}

}  // namespace mozaru
