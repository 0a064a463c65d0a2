// The kinds of the code units and the character references of the picture detector.
#include "extract/picture_units.h"

#include <algorithm>
#include <utility>

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

std::size_t readReference(std::u16string_view text, std::size_t at, char16_t& unit) {
    static constexpr std::pair<std::u16string_view, char16_t> kNamed[] = {
        {u"&lt;", u'<'},   {u"&gt;", u'>'},    {u"&amp;", u'&'},
        {u"&quot;", u'"'}, {u"&apos;", u'\''}, {u"&nbsp;", u'\u00A0'}};
    const std::u16string_view rest = text.substr(at);
    if (rest.size() > 1 && rest[1] != u'#') {
        for (const auto& [name, c] : kNamed) {
            if (rest.starts_with(name)) {
                unit = c;
                return name.size();
            }
        }
        return 0;
    }
    std::size_t i = 2;
    const bool hex = i < rest.size() && (rest[i] | 0x20) == u'x';
    if (hex) ++i;
    const std::size_t first = i;
    char32_t value = 0;
    for (; i < rest.size() && i - first < 8; ++i) {
        const char16_t c = rest[i];
        const char16_t lower = c | 0x20;
        int digit = -1;
        if (c >= u'0' && c <= u'9') {
            digit = c - u'0';
        } else if (hex && lower >= u'a' && lower <= u'f') {
            digit = lower - u'a' + 10;
        }
        if (digit < 0) break;
        value = value * (hex ? 16 : 10) + static_cast<char32_t>(digit);
    }
    if (i == first || i >= rest.size() || rest[i] != u';' || value == 0 || value > 0x10FFFF) {
        return 0;
    }
    unit = value > 0xFFFF ? char16_t{0xD800} : static_cast<char16_t>(value);
    return i + 1;
}

}  // namespace mozaru::detail
