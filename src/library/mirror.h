// The left-right mirror of AA: characters that face one way swapped for
// those that face the other (pure).
#pragma once

#include <string>
#include <string_view>

namespace mozaru {

// The character that c becomes in the mirror image; c itself when it looks
// the same both ways (or has no partner).
char16_t mirroredCharacter(char16_t c);

// A line as the mirror shows it with its spaces left out: its characters in
// the reverse order, each mirrored. A line reversed by width (spaces put
// where the mirror puts them) has exactly this text once its spaces are gone,
// so pictures are matched with their mirror images without the font's widths.
std::u16string mirroredKey(std::u16string_view key);

}  // namespace mozaru
