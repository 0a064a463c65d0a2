// What each code unit is to the picture detector.
#pragma once

#include <array>
#include <cstdint>

namespace mozaru::detail {

// What a code unit is to the detector.
enum class Unit : std::uint8_t {
    Space,    // half-width, full-width and no-break spaces and tabs: they place the pieces
    Neutral,  // prose's punctuation, which pictures use too; surrogates (emoji)
    Digit,
    Latin,  // ASCII and full-width letters
    Hiragana,
    Katakana,
    Kanji,
    HalfKana,  // half-width katakana with their sound marks and long vowel mark
    Stroke,    // everything else: lines, symbols, box drawing, Greek, Cyrillic
};

using UnitTable = std::array<Unit, 0x10000>;

// The kind of every UTF-16 code unit, made on first use.
const UnitTable& unitTable();

// Letters that draw thin strokes in runs of their own: "lll", "iIi".
inline constexpr bool isThinLetter(char16_t c) {
    return c == u'l' || c == u'i' || c == u'I' || c == u'j' || c == 0xFF4C || c == 0xFF49 ||
           c == 0xFF29 || c == 0xFF4A;
}

// "www" is laughter, not shading.
inline constexpr bool isLaughter(char16_t c) {
    return c == u'w' || c == u'W' || c == 0xFF57 || c == 0xFF37;
}

inline constexpr bool isDigit(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= 0xFF10 && c <= 0xFF19);
}

}  // namespace mozaru::detail
