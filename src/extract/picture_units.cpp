// The kind of every code unit, as the picture detector sees it.
#include "extract/picture_units.h"

#include <algorithm>
#include <cstddef>

namespace mozaru::detail {

namespace {

// 、。，．・「」『』【】（）()！？!?…‥ー～〜：；”“‘’"'｢｣､｡･
constexpr char16_t kNeutralUnits[] = {
    0x3001, 0x3002, 0xFF0C, 0xFF0E, 0x30FB, 0x300C, 0x300D, 0x300E, 0x300F, 0x3010,
    0x3011, 0xFF08, 0xFF09, u'(',   u')',   0xFF01, 0xFF1F, u'!',   u'?',   0x2026,
    0x2025, 0x30FC, 0xFF5E, 0x301C, 0xFF1A, 0xFF1B, 0x201D, 0x201C, 0x2018, 0x2019,
    u'"',   u'\'',  0xFF62, 0xFF63, 0xFF64, 0xFF61, 0xFF65};

}  // namespace

const UnitTable& unitTable() {
    static const UnitTable table = [] {
        UnitTable t;
        t.fill(Unit::Stroke);
        const auto range = [&t](std::size_t first, std::size_t last, Unit unit) {
            std::fill(t.begin() + static_cast<std::ptrdiff_t>(first),
                      t.begin() + static_cast<std::ptrdiff_t>(last + 1), unit);
        };
        range(u'0', u'9', Unit::Digit);
        range(0xFF10, 0xFF19, Unit::Digit);
        range(u'A', u'Z', Unit::Latin);
        range(u'a', u'z', Unit::Latin);
        range(0xFF21, 0xFF3A, Unit::Latin);
        range(0xFF41, 0xFF5A, Unit::Latin);
        range(0x3041, 0x3096, Unit::Hiragana);
        range(0x30A1, 0x30FA, Unit::Katakana);
        range(0x3400, 0x4DBF, Unit::Kanji);
        range(0x4E00, 0x9FFF, Unit::Kanji);
        range(0xF900, 0xFAFF, Unit::Kanji);
        range(0xFF66, 0xFF9F, Unit::HalfKana);
        range(0xD800, 0xDFFF, Unit::Neutral);
        for (const char16_t c : kNeutralUnits) t[c] = Unit::Neutral;
        for (const char16_t c : {u' ', u'\t', u'\u00A0', u'\u3000'}) t[c] = Unit::Space;
        return t;
    }();
    return table;
}

}  // namespace mozaru::detail
