// Test helper: byte strings written as hex pairs ("82 A0" -> "\x82\xA0").
#pragma once

#include <cctype>
#include <string>
#include <string_view>

namespace mozaru::test {

// Spaces between pairs are allowed and ignored.
inline std::string hexBytes(std::string_view hex) {
    std::string out;
    int high = -1;
    for (char c : hex) {
        if (c == ' ') continue;
        const int v = std::isdigit(static_cast<unsigned char>(c))
                          ? c - '0'
                          : std::toupper(static_cast<unsigned char>(c)) - 'A' + 10;
        if (high < 0) {
            high = v;
        } else {
            out.push_back(static_cast<char>(high * 16 + v));
            high = -1;
        }
    }
    return out;
}

}  // namespace mozaru::test
