// A post's parts read out of board markup: its number, its name and mail,
// its body less the elements around all of it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "boards/classic_page_writer.h"

namespace mozaru {

// The first number in text outside its tags; false when it holds none.
bool numberIn(std::u16string_view text, std::uint64_t& number);

// The name element's content less its <b> and mail link wrappers; the
// mail address of the link goes to post.mail (unmasked into storage).
void readName(std::u16string_view inner, PostFields& post, std::u16string& storage);

// The body less a <span class="escaped"> or <span class="AA"> around all of
// it, and less the line breaks a pretty printer puts around those elements.
std::u16string_view unwrapBody(std::u16string_view body);

}  // namespace mozaru
