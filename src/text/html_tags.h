// A small reader of HTML tags over UTF-16 pages: the next tag, its
// attributes and classes, the tag that closes an element; and the character
// references boards write.
#pragma once

#include <cstddef>
#include <string_view>

namespace mozaru::html {

struct Tag {
    std::size_t begin = 0;  // the '<'
    std::size_t end = 0;    // just after the '>'
    bool closing = false;   // "</name"
    bool selfClosing = false;
    std::u16string_view name;   // as written
    std::u16string_view attrs;  // between the name and the '>'
};

// The next tag at or after from: '<' then a letter, or "</" then a letter, up
// to its '>' (one inside quotes does not count); comments are passed over,
// and the text of <script> and <style> too (end is its closing tag). False
// when none is left.
bool nextTag(std::u16string_view page, std::size_t from, Tag& tag);

// ASCII letters compared without regard to case; lower is written in small letters.
bool equalsNoCase(std::u16string_view text, std::u16string_view lower);

inline bool isNamed(const Tag& tag, std::u16string_view lower) {
    return equalsNoCase(tag.name, lower);
}

// The value of the attribute (name in small letters), quotes removed; found
// tells whether the tag has it at all.
std::u16string_view attribute(const Tag& tag, std::u16string_view name, bool* found = nullptr);

// Whether a class attribute's value lists cls (in small letters; ASCII case folded).
bool classListHas(std::u16string_view classes, std::u16string_view cls);
inline bool hasClass(const Tag& tag, std::u16string_view cls) {
    return classListHas(attribute(tag, u"class"), cls);
}

// The tag that closes the element that open starts, nested elements of the
// same name counted; false when the page ends first.
bool findClose(std::u16string_view page, const Tag& open, Tag& close);

// Whether text starts with the tag "<lower" (any case) followed by '>' or a space.
bool startsWithTag(std::u16string_view text, std::u16string_view lower);

// The character reference at text[at] ('&'): &lt; &gt; &amp; &quot; &apos;
// &nbsp;, or &#N; or &#xH; of at most eight digits. Its code point goes to c;
// returns its length, 0 when there is none or it names no character.
std::size_t readReference(std::u16string_view text, std::size_t at, char32_t& c);

}  // namespace mozaru::html
