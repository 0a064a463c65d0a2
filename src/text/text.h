// Shared string helpers over UTF-16 code units: ASCII case-insensitive search,
// replace-all, protected characters and line-break normalisation.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace mozaru {

inline constexpr std::size_t npos = std::u16string_view::npos;

// Takes a text a slice at a time, in order: what a command or a writer makes
// goes on (to be encoded, written) without being held whole.
using TextSink = std::function<void(std::u16string_view slice)>;

// Folds only the ASCII letters; every other code unit compares as it is.
constexpr char16_t asciiUpper(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - (u'a' - u'A')) : c;
}

// Position of the first occurrence of needle at or after from, letters A-Z and
// a-z compared without regard to case; npos when absent. An empty needle is
// found at from (when from <= size).
std::size_t findNoCase(std::u16string_view text, std::u16string_view needle, std::size_t from = 0);

// Whether text at pos starts with needle, ASCII letters folded.
bool startsWithNoCase(std::u16string_view text, std::size_t pos, std::u16string_view needle);

// Replace-all, left to right, no overlap, inserted text never rescanned.
std::u16string replaceAll(std::u16string_view text, std::u16string_view from,
                          std::u16string_view to);
std::u16string replaceAllNoCase(std::u16string_view text, std::u16string_view from,
                                std::u16string_view to);

// The four protected letters and their tokens; the order of the rows is the
// order in which ProtectChars and RestoreChars apply them.
struct ProtectedChar {
    char16_t letter;
    std::u16string_view token;
};
inline constexpr std::array<ProtectedChar, 4> kProtectedChars{{
    {u'\u0451', u"<SP0>"},  // ё
    {u'\u0401', u"<SP1>"},  // Ё
    {u'\u0439', u"<SP2>"},  // й
    {u'\u0419', u"<SP3>"},  // Й
}};
inline constexpr std::size_t kTokenLength = 5;

// The four letters followed by extra units: the unit sets of the scans that
// stop at a protected letter or at one of the extras.
template <std::size_t N = 0>
constexpr std::array<char16_t, 4 + N> protectedLettersAnd(std::array<char16_t, N> extra = {}) {
    std::array<char16_t, 4 + N> units{};
    for (std::size_t k = 0; k < 4; ++k) units[k] = kProtectedChars[k].letter;
    for (std::size_t k = 0; k < N; ++k) units[4 + k] = extra[k];
    return units;
}

// ё Ё й Й become the tokens <SP0> <SP1> <SP2> <SP3> (exact matching) so that
// case-insensitive markup matching never touches them.
std::u16string ProtectChars(std::u16string_view text);
// Appends text to out with every CR and LF removed and ProtectChars applied,
// in one pass.
void appendWithoutLineBreaksProtected(std::u16string& out, std::u16string_view text);
// The letter whose token starts at pos, or 0 when no token starts there.
char16_t tokenAt(std::u16string_view text, std::size_t pos);
// Position of the first token at or after from; npos when none.
std::size_t findToken(std::u16string_view text, std::size_t from = 0);
// The tokens become their letters again, including token text that stood in
// the document itself.
std::u16string RestoreChars(std::u16string_view text);
// In place: the result is never longer than the input.
// from: where to start (a token cannot begin before it).
void RestoreCharsInPlace(std::u16string& text, std::size_t from = 0);

// CR LF, lone CR and lone LF each become CR LF.
std::u16string NormalizeLineBreaks(std::u16string_view text);
// The same for a text that arrives in pieces, appended to out. afterCr: the
// unit before text was CR (its CR LF is written); updated for the next piece.
void appendWithCrLf(std::u16string& out, std::u16string_view text, bool& afterCr);

// Reserves room for a command's result of up to size units, ready to be
// written fast even when large.
void reserveOutput(std::u16string& text, std::size_t size);

// Removes U+0020 (and nothing else) at both ends.
std::u16string_view trimSpaces(std::u16string_view text);

}  // namespace mozaru
