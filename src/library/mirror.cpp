// The mirror table.
#include "library/mirror.h"

#include <array>
#include <memory>
#include <utility>

#include "text/utf.h"

namespace mozaru {

namespace {

// Each character at most once, so that the mirror of the mirror is the
// picture again: half-width and full-width forms, brackets, slashes, arrows,
// box corners, and the kana and letters AA draws as strokes facing one way.
constexpr std::array<std::pair<char16_t, char16_t>, 55> kPairs{{
    {u'/', u'\\'},  {u'／', u'＼'}, {u'(', u')'},   {u'（', u'）'}, {u'<', u'>'},   {u'＜', u'＞'},
    {u'[', u']'},   {u'［', u'］'}, {u'{', u'}'},   {u'｛', u'｝'}, {u'〈', u'〉'}, {u'《', u'》'},
    {u'≪', u'≫'},   {u'«', u'»'},   {u'‹', u'›'},   {u'「', u'」'}, {u'『', u'』'}, {u'｢', u'｣'},
    {u'【', u'】'}, {u'〔', u'〕'}, {u'ノ', u'ヽ'}, {u'd', u'b'},   {u'p', u'q'},   {u'ｄ', u'ｂ'},
    {u'ｐ', u'ｑ'}, {u'⊂', u'⊃'},   {u'⊆', u'⊇'},   {u'⊏', u'⊐'},   {u'∈', u'∋'},   {u'≺', u'≻'},
    {u'←', u'→'},   {u'⇐', u'⇒'},   {u'↖', u'↗'},   {u'↙', u'↘'},   {u'´', u'｀'},  {u'‘', u'’'},
    {u'“', u'”'},   {u'┌', u'┐'},   {u'└', u'┘'},   {u'├', u'┤'},   {u'┏', u'┓'},   {u'┗', u'┛'},
    {u'┣', u'┫'},   {u'╭', u'╮'},   {u'╰', u'╯'},   {u'◤', u'◥'},   {u'◣', u'◢'},   {u'◀', u'▶'},
    {u'◁', u'▷'},   {u'◄', u'►'},   {u'☜', u'☞'},   {u'≦', u'≧'},   {u'≤', u'≥'},   {u'ミ', u'彡'},
    {u'ε', u'з'},
}};

// Every code unit's mirror, looked up once per character of every picture.
const std::array<char16_t, 0x10000>& mirrorTable() {
    static const auto table = [] {
        auto t = std::make_unique<std::array<char16_t, 0x10000>>();
        for (std::size_t c = 0; c < t->size(); ++c) (*t)[c] = static_cast<char16_t>(c);
        for (const auto& [a, b] : kPairs) {
            (*t)[a] = b;
            (*t)[b] = a;
        }
        return t;
    }();
    return *table;
}

}  // namespace

char16_t mirroredCharacter(char16_t c) {
    return mirrorTable()[c];
}

std::u16string mirroredKey(std::u16string_view key) {
    const std::array<char16_t, 0x10000>& table = mirrorTable();
    std::u16string out;
    out.reserve(key.size());
    for (std::size_t i = key.size(); i > 0; --i) {
        // A surrogate pair keeps its order: it is one character.
        if (i >= 2 && isLowSurrogate(key[i - 1]) && isHighSurrogate(key[i - 2])) {
            out.push_back(key[i - 2]);
            out.push_back(key[i - 1]);
            --i;  // and the loop's step passes the high one
            continue;
        }
        out.push_back(table[key[i - 1]]);
    }
    return out;
}

}  // namespace mozaru
