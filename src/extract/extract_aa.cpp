// The extraction: cuts a thread page into post bodies and keeps the ASCII art.
#include "extract/extract_aa.h"

#include <array>

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

// One piece: the text after a "<DD" up to the next "<DD" or the page's end.
struct Piece {
    bool examined = false;  // false: the scan ends here, this piece unseen
    Span body;
    bool listEnd = false;          // the body ends at "</DL"
    std::size_t nextStart = npos;  // where the next piece starts
    std::size_t nextAt = npos;     // the "<DD" before it
};

constexpr auto kLettersAndBreaks = protectedLettersAnd<2>({u'\r', u'\n'});

// The ">" that closes the "<DD" tag; a protected letter ends in the ">" of
// its token.
constexpr auto kCloses = protectedLettersAnd<1>({u'>'});

Piece cutPiece(std::u16string_view page, std::size_t start) {
    Piece piece;
    const std::size_t close = scan::findAny(page, kCloses, start);
    if (close == npos) return piece;
    std::size_t header = npos;
    MarkerAt marker;
    for (std::size_t p = start; (p = findMarker(page, p, marker)) != npos; ++p) {
        if (marker.kind == Marker::PostBody) {
            if (p < close) return piece;  // the piece holds no ">"
            piece.nextStart = marker.end;
            piece.nextAt = p;
            break;
        }
        if (p < close) continue;
        if (marker.kind == Marker::ListEnd) {
            piece.listEnd = true;
            header = p;
            break;
        }
        if (header == npos) header = p;
    }
    if (header == npos) return piece;
    piece.examined = true;
    piece.body = {close + 1, header};
    return piece;
}

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

template <class Observer>
std::u16string extract(std::u16string_view page, std::int16_t level, std::int16_t mergeFlag,
                       Detector detector, Observer& observer) {
    MarkerAt marker;
    std::size_t at = findPostBody(page, 0, marker);
    if (at == npos) return {};
    std::size_t start = marker.end;
    std::size_t headerBegin = 0;
    std::int32_t n = 0;
    if constexpr (detail::kListening<Observer>) {
        n = 1 + countPieces(page, start);
        observer.start(n);
    }
    std::u16string out;
    KeptKeys keys(page);
    // An earlier body's key, rebuilt when a hash matches but the text differs.
    std::u16string earlierBody;
    AAResult earlier;
    const auto keyOf = [&](KeptKeys::Body b) {
        earlierBody.clear();
        appendWithoutLineBreaksProtected(earlierBody, page.substr(b.begin, b.end - b.begin));
        detail::SilentObserver silent;
        detail::judgeBody(earlierBody, 0, silent, earlier, false);
        return std::u16string_view(earlier.mergeKey);
    };
    std::u16string body;
    AAResult result;
    for (std::int32_t i = 1;; ++i) {
        const Piece piece = cutPiece(page, start);
        if (!piece.examined) break;
        // The body as the classifier sees it: one line, letters as tokens.
        // Most bodies already are but for the line break that ends them in
        // the page, which is only left out; the others are copied.
        std::u16string_view judged = withoutFinalBreaks(textOf(page, piece.body));
        if (const std::size_t first = scan::findAny(judged, kLettersAndBreaks); first != npos) {
            body.assign(judged.substr(0, first));
            appendWithoutLineBreaksProtected(body, judged.substr(first));
            judged = body;
        }
        detail::judgeBody(judged, level, observer, result, detail::kListening<Observer>, detector);
        if (result.isAA && (mergeFlag != 1 ||
                            keys.add({piece.body.begin, piece.body.end}, result.mergeKey, keyOf))) {
            if (out.empty()) reserveOutput(out, largestResult(page));
            out.append(u"\r\n<HR>\r\n");
            const std::size_t from = out.size();
            out.append(judged);
            // Restored body by body, while it is at hand: no token can reach
            // across a rule.
            RestoreCharsInPlace(out, from);
            if constexpr (detail::kListening<Observer>) {
                observer.kept(i, textOf(page, {headerBegin, at}),
                              std::u16string_view(out).substr(from));
            }
        }
        observer.judged(i, judged, result);
        observer.postDone(i);
        if (piece.listEnd || piece.nextStart == npos) break;
        start = piece.nextStart;
        at = piece.nextAt;
        headerBegin = piece.body.end;
    }
    if (!out.empty()) out.append(u"<HR>");
    if constexpr (detail::kListening<Observer>) observer.finished(n);
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

}  // namespace mozaru
