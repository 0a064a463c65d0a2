// Numbers in text: decimal and hexadecimal digits read, decimal digits written.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mozaru {

// The value of a digit of the base (10 or 16, either case of a-f); -1 when c is none.
constexpr int digitValue(char16_t c, int base = 10) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (base == 16 && c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (base == 16 && c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

// Decimal digits of text from its start, as a number; false when text does
// not start with one or it has more than 18 digits (which could overflow).
bool parseNumber(std::u16string_view text, std::uint64_t& number);

// The decimal digits of n written at out (room for 20); returns their end.
template <class Char>
Char* writeDecimal(std::uint64_t n, Char* out) {
    Char digits[20];
    std::size_t count = 0;
    do {
        digits[count++] = static_cast<Char>('0' + n % 10);
        n /= 10;
    } while (n > 0);
    while (count > 0) *out++ = digits[--count];
    return out;
}

// The decimal digits of n appended to out, a string of any code unit.
template <class String>
void appendDecimal(String& out, std::uint64_t n) {
    typename String::value_type digits[20];
    out.append(digits, writeDecimal(n, digits));
}

// n in decimal, with a '-' before a negative one.
inline std::u16string decimal16(std::int64_t n) {
    std::u16string out;
    if (n < 0) out.push_back(u'-');
    appendDecimal(out, n < 0 ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n));
    return out;
}

}  // namespace mozaru
