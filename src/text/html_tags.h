// A small reader of HTML tags over UTF-16 pages: the next tag, its
// attributes and classes, the tag that closes an element; and the character
// references boards write.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

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

// findClose for many elements of one page, asked about in the order they
// open, in time linear in the page: findClose alone scans to the page's end
// for an element that never closes, once per element. Once a search for a
// name's close has failed (or indexed() is asked for), every element of that
// name from there on is paired with its close in one pass, as findClose
// would pair it, and later questions are looked up.
class CloseFinder {
public:
    explicit CloseFinder(std::u16string_view page) : m_page(page) {}

    bool find(const Tag& open, Tag& close);
    // The same, pairing the name's elements at once: for elements nested in
    // each other, which findClose would each scan to the outer one's end.
    bool indexed(const Tag& open, Tag& close);

private:
    struct Element {
        std::size_t begin;  // of its opening tag
        std::size_t close;  // of its closing tag; npos when it never closes
    };
    struct Pairs {
        std::u16string name;  // in small letters
        std::size_t from;     // elements opening here or later are paired
        std::vector<Element> elements;
    };

    Pairs* pairsOf(const Tag& open);
    Pairs& pair(const Tag& open);
    bool lookUp(const Pairs& pairs, const Tag& open, Tag& close) const;

    std::u16string_view m_page;
    std::vector<Pairs> m_pairs;
};

// Whether text starts with the tag "<lower" (any case) followed by '>' or a space.
bool startsWithTag(std::u16string_view text, std::u16string_view lower);

// The name of the tag that starts at at ('<' then a letter, or "</" then a
// letter), its attributes unread; empty when no tag starts there. For a
// scan that only needs to know which element a tag is.
std::u16string_view tagNameAt(std::u16string_view text, std::size_t at);

// The text less the white space at either end that holds a line break: what
// a pretty printer puts between elements. White space without a line break
// is the text's own and stays.
std::u16string_view trimLayout(std::u16string_view text);

}  // namespace mozaru::html
