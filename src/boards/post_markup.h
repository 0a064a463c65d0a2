// A post's parts read out of board markup: its number, its name and mail,
// its body less the elements around all of it; and the page's title.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "boards/classic_page_writer.h"
#include "text/html_tags.h"

namespace mozaru {

// The first number in text outside its tags; false when it holds none.
bool numberIn(std::u16string_view text, std::uint64_t& number);

// The name element's content less its <b> and mail link wrappers; the
// mail address of the link goes to post.mail (unmasked into storage).
void readName(std::u16string_view inner, PostFields& post, std::u16string& storage);

// The elements around a whole body that are no part of it.
enum class Wrappers {
    AAClasses,  // a span or div of class "escaped", "aa" or "textar-aa"
    AndBlocks,  // those, and any div, p, pre or blockquote
};

// The body less the white space a pretty printer puts around it: at either
// end, a run of white space up to its line break, and the indent before a
// tag; the indent of the first line's own text stays.
std::u16string_view trimBodyLayout(std::u16string_view body);

// body becomes the content of the wrapper around all of it; false when
// there is none.
bool unwrapOnce(std::u16string_view& body, Wrappers wrappers);

// The body less its wrappers and the layout around them.
std::u16string_view unwrapBody(std::u16string_view body, Wrappers wrappers = Wrappers::AAClasses);
// The same for a body that is a part of page, its closes looked up in the
// page's pairs: linear however many wrappers are nested.
std::u16string_view unwrapBody(std::u16string_view page, std::u16string_view body,
                               html::CloseFinder& closes, Wrappers wrappers = Wrappers::AAClasses);

// The content of the page's first <title>; empty when it has none.
std::u16string_view titleOf(std::u16string_view page);

}  // namespace mozaru
