// The extraction: cuts a thread page into post bodies and keeps the ASCII art.
#include "extract/extract_aa.h"

#include <functional>
#include <unordered_map>

#include "extract/aa_judge.h"
#include "text/scan.h"
#include "text/text.h"

namespace mozaru {

namespace {

enum class Marker { None, PostBody, PostHeader, ListEnd };

// Position of the next "<D" or "</D" (any case) at or after from.
std::size_t findMarker(std::u16string_view page, std::size_t from) {
    return scan::findTag(page, u'd', u'/', from);
}

Marker markerAt(std::u16string_view page, std::size_t pos) {
    if (startsWithNoCase(page, pos, u"<DD")) return Marker::PostBody;
    if (startsWithNoCase(page, pos, u"<DT")) return Marker::PostHeader;
    if (startsWithNoCase(page, pos, u"</DL")) return Marker::ListEnd;
    return Marker::None;
}

std::size_t findPostBody(std::u16string_view page, std::size_t from) {
    for (std::size_t p = from; (p = findMarker(page, p)) != npos; ++p) {
        if (markerAt(page, p) == Marker::PostBody) return p;
    }
    return npos;
}

std::int32_t countPieces(std::u16string_view page, std::size_t firstPostBody) {
    std::int32_t n = 0;
    for (std::size_t p = firstPostBody; p != npos; p = findPostBody(page, p + 3)) ++n;
    return n;
}

// One piece: the text after a "<DD" up to the next "<DD" or the page's end.
struct Piece {
    bool examined = false;  // false: the scan ends here, this piece unseen
    std::size_t bodyBegin = 0;
    std::size_t bodyEnd = 0;
    bool listEnd = false;          // the body ends at "</DL"
    std::size_t nextPiece = npos;  // position of the next "<DD"
};

Piece cutPiece(std::u16string_view page, std::size_t start) {
    Piece piece;
    const std::size_t close = scan::findUnit(page, u'>', start);
    if (close == npos) return piece;
    std::size_t header = npos;
    for (std::size_t p = start; (p = findMarker(page, p)) != npos; ++p) {
        const Marker m = markerAt(page, p);
        if (m == Marker::PostBody) {
            if (p < close) return piece;  // the piece holds no ">"
            piece.nextPiece = p;
            break;
        }
        if (p < close) continue;
        if (m == Marker::ListEnd) {
            piece.listEnd = true;
            header = p;
            break;
        }
        if (m == Marker::PostHeader && header == npos) header = p;
    }
    if (header == npos) return piece;
    piece.examined = true;
    piece.bodyBegin = close + 1;
    piece.bodyEnd = header;
    return piece;
}

// The merge keys kept so far, by hash. Only the kept bodies' places in the
// page are stored; a key is rebuilt from its body when a hash matches, so
// the set costs a few words per kept body rather than a copy of each key.
class KeptKeys {
public:
    explicit KeptKeys(std::u16string_view page) : m_page(page) {}

    // Adds key unless an equal key is already kept; true when added.
    bool add(std::u16string_view key, std::size_t bodyBegin, std::size_t bodyEnd) {
        const std::size_t hash = std::hash<std::u16string_view>{}(key);
        const auto [first, last] = m_byHash.equal_range(hash);
        for (auto it = first; it != last; ++it) {
            const auto [begin, end] = it->second;
            detail::SilentObserver silent;
            detail::judgeBody(m_page.substr(begin, end - begin), 0, silent, m_scratch);
            if (m_scratch.mergeKey == key) return false;
        }
        m_byHash.emplace(hash, std::pair{bodyBegin, bodyEnd});
        return true;
    }

private:
    std::u16string_view m_page;
    std::unordered_multimap<std::size_t, std::pair<std::size_t, std::size_t>> m_byHash;
    AAResult m_scratch;
};

template <class Observer>
std::u16string extract(std::u16string_view text, std::int16_t level, std::int16_t mergeFlag,
                       Observer& observer) {
    // Without line breaks a "<D" CR LF "D" in the page is a "<DD" too, so the
    // page is cut only after they are gone.
    const std::u16string protectedPage = removeLineBreaksAndProtect(text);
    const std::u16string_view page = protectedPage;
    std::size_t pieceStart = findPostBody(page, 0);
    if (pieceStart == npos) return {};
    std::int32_t n = 0;
    if constexpr (Observer::listening) {
        n = countPieces(page, pieceStart);
        observer.start(n);
    }
    std::u16string out;
    AAResult result;
    KeptKeys kept(page);
    for (std::int32_t i = 1; pieceStart != npos; ++i) {
        const Piece piece = cutPiece(page, pieceStart + 3);
        if (!piece.examined) break;
        const std::u16string_view body =
            page.substr(piece.bodyBegin, piece.bodyEnd - piece.bodyBegin);
        detail::judgeBody(body, level, observer, result);
        if (result.isAA &&
            (mergeFlag != 1 || kept.add(result.mergeKey, piece.bodyBegin, piece.bodyEnd))) {
            out.append(u"\r\n<HR>\r\n");
            out.append(body);
        }
        observer.judged(i, body, result);
        observer.postDone(i);
        if (piece.listEnd) break;
        pieceStart = piece.nextPiece;
    }
    if (!out.empty()) out.append(u"<HR>");
    RestoreCharsInPlace(out);
    if constexpr (Observer::listening) observer.finished(n);
    return out;
}

}  // namespace

std::u16string ExtractAA(std::u16string_view text, std::int16_t level, std::int16_t mergeFlag,
                         ExtractObserver& observer) {
    if (&observer == &nullObserver()) {
        detail::SilentObserver silent;
        return extract(text, level, mergeFlag, silent);
    }
    detail::ForwardingObserver forward{observer};
    return extract(text, level, mergeFlag, forward);
}

}  // namespace mozaru
