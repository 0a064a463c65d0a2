// The faces ASCII art is drawn in: the window's edit area, the images and the
// web pages name the same ones.
#pragma once

#include <array>
#include <string_view>

namespace mozaru {

// Tried in order. Monapo and Mona keep the widths of ＭＳ Ｐゴシック, so
// pictures drawn for it line up; IPA's faces come close.
inline constexpr std::array<std::u16string_view, 8> kAAFaces{
    u"ＭＳ Ｐゴシック", u"MS PGothic", u"Monapo",           u"IPAMonaPGothic", u"Mona",
    u"IPAPGothic",      u"VL PGothic", u"Noto Sans CJK JP",
};

// The CSS font stack AA readers and summary blogs use: the faces with MS
// PGothic's widths first, under every name they are installed by.
inline constexpr std::u16string_view kAAFontStack =
    u"Mona, \"IPAMonaPGothic\", \"IPA モナー Pゴシック\", Monapo, \"MS PGothic\", "
    u"\"ＭＳ Ｐゴシック\", Textar, Saitamaar, sans-serif";

}  // namespace mozaru
