// How the picture detector sees a line: the kind of each code unit, the
// pieces between spaces weighed as strokes or text, and a fast path for the
// lines of prose that cannot hold a stroke.
#include "extract/picture_lines.h"

#include <cstddef>

#include "extract/picture_units.h"
#include "text/html_tags.h"
#include "text/html_text.h"
#include "text/platform.h"
#include "text/scan.h"
#include "text/text.h"

namespace mozaru::detail {

namespace {

// What the fast path makes of a line; Unknown: read it piece by piece.
enum class Quick : std::uint8_t { Empty, Text, Other, Unknown };

// The kind of a line made of kana, kanji, digits, punctuation and spaces
// only, with a letter or digit and no kanji or katakana twice in a row: no
// piece of it can hold a stroke, so it is text when two letters of one script
// stand together, and otherwise neither text nor graphic. Unknown for any
// other line, which is read piece by piece. Most lines of prose are of this
// kind.
Quick quickKindScalar(std::u16string_view line, const UnitTable& units) {
    // Flags of each unit, looked up rather than branched on.
    enum : std::uint8_t { Shown = 1, Letter = 2, Digit = 4, Twice = 8, Other = 16 };
    static constexpr std::uint8_t kFlags[] = {
        0,                       // Space
        Shown,                   // Neutral
        Shown | Digit,           // Digit
        Other,                   // Latin
        Shown | Letter,          // Hiragana
        Shown | Letter | Twice,  // Katakana
        Shown | Letter | Twice,  // Kanji
        Other,                   // HalfKana
        Other,                   // Stroke
    };
    // Or-ed over the line without a branch: the lines are short.
    std::uint8_t seen = 0;
    std::uint8_t word = 0;
    std::uint8_t previous = 0;
    char16_t before = 0;
    for (const char16_t c : line) {
        const std::uint8_t flags = kFlags[static_cast<std::size_t>(units[c])];
        seen |= flags | ((flags & Twice) != 0 && c == before ? Other : 0);
        word |= flags & previous;
        previous = flags;
        before = c;
    }
    if ((seen & Other) != 0) return Quick::Unknown;
    if ((seen & Shown) == 0) return Quick::Empty;
    // Punctuation alone may be a divider.
    if ((seen & (Letter | Digit)) == 0) return Quick::Unknown;
    return (word & (Letter | Digit)) != 0 ? Quick::Text : Quick::Other;
}

#if MOZARU_HAVE_SSE2
// All-ones lanes where first <= x <= last: x - first, unsigned, is at most
// last - first; moving both sides down by 0x8000 makes that a signed compare.
__m128i inRange(__m128i x, char16_t first, char16_t last) {
    const __m128i shifted = _mm_sub_epi16(x, _mm_set1_epi16(static_cast<short>(first ^ 0x8000)));
    return _mm_cmplt_epi16(shifted,
                           _mm_set1_epi16(static_cast<short>((last - first + 1) ^ 0x8000)));
}

__m128i equals(__m128i x, char16_t c) {
    return _mm_cmpeq_epi16(x, _mm_set1_epi16(static_cast<short>(c)));
}

// quickKindScalar eight units at a time, for lines of eight units or more.
// It takes fewer units as they are (the common kanji, kana, digits, spaces
// and prose's commonest punctuation); a line with any other is Unknown, and
// the reading piece by piece, exact for every line, decides it.
Quick quickKindWide(std::u16string_view line) {
    const char16_t* const d = line.data();
    const std::size_t n = line.size();
    const __m128i zero = _mm_setzero_si128();
    __m128i other = zero;
    __m128i word = zero;
    __m128i shown = zero;
    __m128i written = zero;    // letters and digits
    __m128i lastUnits = zero;  // the previous eight units, and which were letters and digits
    __m128i lastLetters = zero;
    __m128i lastDigits = zero;
    for (std::size_t i = 0; i < n; i += 8) {
        __m128i x;
        __m128i fresh = _mm_set1_epi16(-1);
        // The unit before each lane: the lane before, or for lane 0 the
        // previous vector's last; the last vector overlaps the one before it,
        // so its fresh lanes have theirs in it.
        const bool last = i + 8 > n;
        if (last) {
            x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + n - 8));
            const auto old = static_cast<short>(8 - (n - i));
            fresh = _mm_cmpgt_epi16(_mm_setr_epi16(0, 1, 2, 3, 4, 5, 6, 7),
                                    _mm_set1_epi16(static_cast<short>(old - 1)));
            lastUnits = lastLetters = lastDigits = zero;
        } else {
            x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
        }
        const __m128i twice = _mm_or_si128(inRange(x, 0x30A1, 0x30FA), inRange(x, 0x4E00, 0x9FFF));
        const __m128i letters = _mm_or_si128(twice, inRange(x, 0x3041, 0x3096));
        const __m128i digits = _mm_or_si128(inRange(x, u'0', u'9'), inRange(x, 0xFF10, 0xFF19));
        // 、。「」『』【】・ー！（）？…～
        const __m128i punctuation = _mm_or_si128(
            _mm_or_si128(_mm_or_si128(inRange(x, 0x3001, 0x3002), inRange(x, 0x300C, 0x3011)),
                         _mm_or_si128(inRange(x, 0x30FB, 0x30FC), inRange(x, 0xFF08, 0xFF09))),
            _mm_or_si128(_mm_or_si128(equals(x, 0xFF01), equals(x, 0xFF1F)),
                         _mm_or_si128(equals(x, 0x2026), equals(x, 0xFF5E))));
        const __m128i spaces = _mm_or_si128(equals(x, u' '), equals(x, 0x3000));
        const __m128i visible = _mm_or_si128(_mm_or_si128(letters, digits), punctuation);
        const __m128i before = _mm_or_si128(_mm_slli_si128(x, 2), _mm_srli_si128(lastUnits, 14));
        const __m128i letterBefore =
            _mm_or_si128(_mm_slli_si128(letters, 2), _mm_srli_si128(lastLetters, 14));
        const __m128i digitBefore =
            _mm_or_si128(_mm_slli_si128(digits, 2), _mm_srli_si128(lastDigits, 14));
        other = _mm_or_si128(other, _mm_andnot_si128(_mm_or_si128(visible, spaces), fresh));
        other = _mm_or_si128(
            other, _mm_and_si128(fresh, _mm_and_si128(twice, _mm_cmpeq_epi16(x, before))));
        if (_mm_movemask_epi8(other) != 0) return Quick::Unknown;
        word = _mm_or_si128(word,
                            _mm_and_si128(fresh, _mm_or_si128(_mm_and_si128(letters, letterBefore),
                                                              _mm_and_si128(digits, digitBefore))));
        shown = _mm_or_si128(shown, _mm_and_si128(fresh, visible));
        written = _mm_or_si128(written, _mm_and_si128(fresh, _mm_or_si128(letters, digits)));
        lastUnits = x;
        lastLetters = letters;
        lastDigits = digits;
    }
    if (_mm_movemask_epi8(shown) == 0) return Quick::Empty;
    if (_mm_movemask_epi8(written) == 0) return Quick::Unknown;
    return _mm_movemask_epi8(word) != 0 ? Quick::Text : Quick::Other;
}
#endif

// Whether text, eight units or more, holds a unit that quickKindWide does
// not take, or a katakana (ー included) or kanji twice in a row: the same
// test, with fewer ranges and nothing else counted.
bool mayHoldGraphicWide(std::u16string_view text) {
    const char16_t* const d = text.data();
    const std::size_t n = text.size();
    __m128i last = _mm_setzero_si128();
    for (std::size_t i = 0;; i += 8) {
        // The last eight units overlap those before them, which pass again.
        const bool end = i + 8 >= n;
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + (end ? n - 8 : i)));
        // Katakana with ・ー, and kanji: the units that may not stand twice.
        const __m128i twice = _mm_or_si128(inRange(x, 0x30A1, 0x30FC), inRange(x, 0x4E00, 0x9FFF));
        const __m128i taken = _mm_or_si128(
            _mm_or_si128(_mm_or_si128(twice, inRange(x, 0x3041, 0x3096)),
                         _mm_or_si128(inRange(x, 0x3000, 0x3002), inRange(x, 0x300C, 0x3011))),
            _mm_or_si128(
                _mm_or_si128(_mm_or_si128(inRange(x, u'0', u'9'), inRange(x, 0xFF10, 0xFF19)),
                             _mm_or_si128(inRange(x, 0xFF08, 0xFF09), equals(x, u' '))),
                _mm_or_si128(_mm_or_si128(equals(x, 0xFF01), equals(x, 0xFF1F)),
                             _mm_or_si128(equals(x, 0x2026), equals(x, 0xFF5E)))));
        // A last vector that overlaps the one before holds the unit before
        // each of its new lanes; any other takes it from the one before.
        const __m128i before = n - 8 < i
                                   ? _mm_slli_si128(x, 2)
                                   : _mm_or_si128(_mm_slli_si128(x, 2), _mm_srli_si128(last, 14));
        const __m128i twiceInARow = _mm_and_si128(twice, _mm_cmpeq_epi16(x, before));
        if (_mm_movemask_epi8(
                _mm_or_si128(_mm_xor_si128(taken, _mm_set1_epi16(-1)), twiceInARow)) != 0) {
            return true;
        }
        if (end) return false;
        last = x;
    }
}

Quick quickKind(std::u16string_view line, const UnitTable& units) {
#if MOZARU_HAVE_SSE2
    if (line.size() >= 8) return quickKindWide(line);
#endif
    return quickKindScalar(line, units);
}

// Letters of one script read together: kana and kanji make one word.
enum class Script : std::uint8_t { None, Japanese, Latin, Digit, HalfKana };

constexpr Script scriptOf(Unit unit) {
    switch (unit) {
        case Unit::Hiragana:
        case Unit::Katakana:
        case Unit::Kanji:
            return Script::Japanese;
        case Unit::Latin:
            return Script::Latin;
        case Unit::Digit:
            return Script::Digit;
        case Unit::HalfKana:
            return Script::HalfKana;
        default:
            return Script::None;
    }
}

// A line read piece by piece. The object lives on the stack for one line
// and every member is inlined, so that the compiler keeps the state in
// registers. A unit is read on its own where a run of its kind starts (or a
// tag, token or reference stands); the units after it that continue the run
// are read in a tight loop.
class LineReader {
public:
    LineReader(std::u16string_view line, const UnitTable& units, bool whole)
        : m_line(line), m_units(units), m_whole(whole) {}

    LineShape read() {
        const std::size_t n = m_line.size();
        // The line's end is read as a space.
        for (std::size_t i = 0; i <= n;) {
            const std::size_t at = i;
            char16_t c = u' ';
            if (at == n) {
                i = n + 1;
            } else if (!decode(at, c, i)) {
                continue;
            }
            const Unit unit = m_units[c];
            const Script script = scriptOf(unit);
            if (script != m_script && m_letters > 0) endLetters();
            m_script = script;
            if (unit == Unit::Space) {
                while (i < n && m_units[m_line[i]] == Unit::Space) ++i;
                if (m_pieceLength > 0 && endPiece(at)) return {LineKind::Graphic, m_graphic};
                continue;
            }
            if (m_pieceLength == 0) {
                m_pieceBegin = at;
                m_drawn = unit == Unit::Stroke || unit == Unit::Neutral;
            }
            notePiece(c);
            i = script == Script::None ? readMarks(c, unit, i) : readLetters(c, unit, i);
        }
        return shape();
    }

private:
    // The unit at `at` as it shows, in c, and where the next one starts, in
    // next; false for a tag, which shows nothing.
    bool decode(std::size_t at, char16_t& c, std::size_t& next) {
        c = m_line[at];
        next = at + 1;
        if (c == u'<') {
            if (const char16_t letter = tokenAt(m_line, at); letter != 0) {
                c = letter;
                next = at + kTokenLength;
                return true;
            }
            // The next tag is looked for once; the '<' before it are text.
            if (!m_tagKnown || (m_tagBegin != npos && m_tagBegin < at)) {
                html::Tag tag;
                m_tagKnown = true;
                m_tagBegin = html::nextTag(m_line, at, tag) ? tag.begin : npos;
                m_tagEnd = tag.end;
            }
            if (m_tagBegin == at) {
                next = m_tagEnd;
                return false;
            }
        } else if (c == u'&') {
            char32_t shown = 0;
            if (const std::size_t length = html::readReference(m_line, at, shown); length != 0) {
                // A character beyond U+FFFF counts as the surrogates it is written with.
                c = shown > 0xFFFF ? char16_t{0xD800} : static_cast<char16_t>(shown);
                next = at + length;
            }
        }
        return true;
    }

    // Every unit of a piece.
    void notePiece(char16_t c) {
        if (m_pieceLength < 3) m_head[m_pieceLength] = c;
        m_pieceSame = m_pieceSame && c == m_head[0];
        ++m_pieceLength;
    }

    // The stroke or punctuation c, and those after it up to i; '<' and '&'
    // are left to decode. Returns where reading goes on.
    std::size_t readMarks(char16_t c, Unit unit, std::size_t i) {
        for (Unit u = unit;;) {
            m_pieceStrokes += u == Unit::Stroke;
            m_pieceNeutral += u == Unit::Neutral;
            m_colon = m_colon || c == u':';
            if (i == m_line.size()) return i;
            c = m_line[i];
            u = m_units[c];
            if ((u != Unit::Stroke && u != Unit::Neutral) || c == u'<' || c == u'&') return i;
            notePiece(c);
            ++i;
        }
    }

    // The letter c, and those of its script after it up to i.
    std::size_t readLetters(char16_t c, Unit unit, std::size_t i) {
        if (m_letters == 0) {
            m_hiragana = unit == Unit::Hiragana;
            m_first = c;
        }
        extendLetters(c);
        for (const Script script = scriptOf(unit);
             i < m_line.size() && scriptOf(m_units[m_line[i]]) == script; ++i) {
            notePiece(m_line[i]);
            extendLetters(m_line[i]);
        }
        return i;
    }

    void extendLetters(char16_t c) {
        if (c != m_first) {
            m_same = false;
            if (m_second == 0) {
                m_second = c;
            } else if (c != m_second) {
                m_threeKinds = true;
            }
        }
        m_thin = m_thin && isThinLetter(c);
        ++m_letters;
    }

    void endLetters() {
        bool draws = false;
        if (m_script == Script::HalfKana) {
            // Half-width kana draw, unless they spell a word of three kinds or more.
            draws = m_letters < 3 || !m_threeKinds;
        } else if (m_letters > 1) {
            // Shading and letters that draw: 三三, 圭圭圭, ニニ, lll, EEEEE.
            draws = (m_script == Script::Japanese && m_same && !m_hiragana) ||
                    (m_script == Script::Latin &&
                     (m_thin || (m_same && m_letters >= 3 && !isLaughter(m_first))));
        }
        if (draws) {
            m_pieceStrokes += m_letters;
        } else if (m_script == Script::HalfKana || m_letters > 1) {
            m_pieceText += m_letters;
        } else {
            m_pieceNeutral += 1;
        }
        m_letters = 0;
        m_second = 0;
        m_same = m_thin = true;
        m_threeKinds = false;
    }

    // The piece ends before `at`. True when the line is now sure to be
    // graphic and need not be read further.
    bool endPiece(std::size_t at) {
        bool graphic = m_pieceStrokes > m_pieceText;
        if (graphic) {
            // A reply reference (">>12", "＞＞12") or an address is text whatever its marks.
            const bool marks = (m_head[0] == u'>' && m_head[1] == u'>') ||
                               (m_head[0] == 0xFF1E && m_head[1] == 0xFF1E);
            const bool reference = m_pieceLength >= 3 && marks && isDigit(m_head[2]);
            const std::u16string_view piece = m_line.substr(m_pieceBegin, at - m_pieceBegin);
            if (reference || (m_colon && piece.find(u"://") != std::u16string_view::npos)) {
                graphic = false;
                m_pieceText = m_pieceLength;
            }
        }
        if (graphic) {
            m_graphic += m_pieceStrokes + m_pieceNeutral;
            m_strokes += m_pieceStrokes;
        } else {
            m_text += m_pieceText;
            if (m_pieceStrokes == 0 && m_pieceText == 0) m_loose += m_pieceNeutral;
        }
        if (++m_pieces == 1) {
            m_firstIsGraphic = graphic;
            m_divider = m_pieceSame && m_drawn && m_pieceLength >= 3;
        } else {
            m_divider = false;
        }
        m_lastIsGraphic = graphic;
        m_pieceStrokes = m_pieceText = m_pieceNeutral = m_pieceLength = 0;
        m_pieceSame = true;
        m_colon = false;
        // Nothing later lowers these figures, and a line of two pieces is no divider.
        return !m_whole && ((m_graphic >= 3 && m_strokes >= 2) || m_graphic >= 5) &&
               (m_pieces >= 2 || !m_divider);
    }

    LineShape shape() {
        if (m_pieces == 0) return {LineKind::Empty, 0};
        if (m_divider) return {LineKind::Faint, 0};
        // Punctuation beside strokes belongs to the drawing: "（ー）".
        if (m_graphic > 0) m_graphic += m_loose;
        const bool framed = m_pieces >= 3 && m_firstIsGraphic && m_lastIsGraphic;
        if ((m_graphic >= 3 && m_strokes >= 2) || (framed && m_graphic >= 2) || m_graphic >= 5) {
            return {LineKind::Graphic, m_graphic};
        }
        if (m_graphic == 2 && m_strokes == 2 && m_text == 0) return {LineKind::Faint, 0};
        return {m_text >= 2 ? LineKind::Text : LineKind::Other, 0};
    }

    const std::u16string_view m_line;
    const UnitTable& m_units;
    const bool m_whole;
    // The next tag at or after the last '<' looked at (npos: none).
    bool m_tagKnown = false;
    std::size_t m_tagBegin = npos;
    std::size_t m_tagEnd = 0;
    // The line so far.
    std::int64_t m_graphic = 0;  // units of its stroke pieces
    std::int64_t m_strokes = 0;  // of which strokes proper
    std::int64_t m_text = 0;     // letters of words in its other pieces
    std::int64_t m_loose = 0;    // units of its pieces of punctuation alone
    std::int64_t m_pieces = 0;
    bool m_firstIsGraphic = false;
    bool m_lastIsGraphic = false;
    bool m_divider = false;  // one piece of one stroke or mark repeated
    // The piece being read: the units between two spaces.
    std::int64_t m_pieceStrokes = 0;  // strokes, and letters that shade or draw
    std::int64_t m_pieceText = 0;     // letters of words, numbers
    std::int64_t m_pieceNeutral = 0;  // punctuation and lone letters
    std::int64_t m_pieceLength = 0;
    std::size_t m_pieceBegin = 0;
    char16_t m_head[3] = {};
    bool m_pieceSame = true;
    bool m_drawn = false;  // its first unit is a stroke or punctuation
    bool m_colon = false;  // it may hold "://"
    // The letters of one script being read inside the piece.
    Script m_script = Script::None;
    std::int64_t m_letters = 0;
    char16_t m_first = 0;
    char16_t m_second = 0;    // the first letter unlike the first one
    bool m_hiragana = false;  // the first letter is
    bool m_same = true;
    bool m_thin = true;
    bool m_threeKinds = false;
};

}  // namespace

LineShape shapeOfLine(std::u16string_view line, bool whole) {
    const UnitTable& units = unitTable();
    switch (quickKind(line, units)) {
        case Quick::Empty:
            return {LineKind::Empty, 0};
        case Quick::Text:
            return {LineKind::Text, 0};
        case Quick::Other:
            return {LineKind::Other, 0};
        case Quick::Unknown:
            break;
    }
    return LineReader(line, units, whole).read();
}

bool mayHoldGraphic(std::u16string_view text) {
    // Lines side by side can only make more pairs: the answer stays safe.
#if MOZARU_HAVE_SSE2
    if (text.size() >= 8) return mayHoldGraphicWide(text);
#endif
    return quickKind(text, unitTable()) == Quick::Unknown;
}

LineShape shapeOfLineByPieces(std::u16string_view line, bool whole) {
    return LineReader(line, unitTable(), whole).read();
}

}  // namespace mozaru::detail
