// The settings file's lines turned into values and values written back.
#include "settings/settings_core.h"

#include <algorithm>
#include <cstddef>
#include <string>

#include "text/numbers.h"
#include "text/text.h"

namespace mozaru {

namespace {

enum class Key { LoadPass, Slider, Check1, Check2, Other };

Key keyOf(std::u16string_view key) {
    std::u16string upper(key);
    for (char16_t& c : upper) c = asciiUpper(c);
    if (upper == u"LOADPASS") return Key::LoadPass;
    if (upper == u"SLIDER") return Key::Slider;
    if (upper == u"CHECK1") return Key::Check1;
    if (upper == u"CHECK2") return Key::Check2;
    return Key::Other;
}

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

std::u16string lineLabel(std::size_t index) {
    return decimal16(static_cast<std::int64_t>(index) + 1) + u" 行目: ";
}

struct SettingLine {
    std::u16string_view key;
    std::u16string_view value;
};

// A trimmed non-comment line split at its first "=": nothing when it has none.
std::optional<SettingLine> splitSetting(std::u16string_view line) {
    const std::size_t eq = line.find(u'=');
    if (eq == npos) return std::nullopt;
    return SettingLine{line.substr(0, eq), line.substr(eq + 1)};
}

std::u16string malformedLine(std::size_t index) {
    return lineLabel(index) + u"「=」のない行があります（空の行も含みます）。";
}

}  // namespace

std::optional<std::int16_t> parseSettingsNumber(std::u16string_view text) {
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) {
        negative = text[pos] == u'-';
        ++pos;
    }
    // The whole part, capped: anything past the cap is out of range anyway.
    constexpr long kCap = 100000;
    long whole = 0;
    std::size_t digits = 0;
    for (; pos < text.size() && isDigit(text[pos]); ++pos, ++digits) {
        whole = std::min(kCap, whole * 10 + (text[pos] - u'0'));
    }
    std::u16string_view fraction;
    if (pos < text.size() && text[pos] == u'.') {
        const std::size_t start = ++pos;
        while (pos < text.size() && isDigit(text[pos])) ++pos;
        fraction = text.substr(start, pos - start);
        digits += fraction.size();
    }
    if (digits == 0 || pos != text.size()) return std::nullopt;

    // Half to even: above a half rounds up, exactly a half rounds to the even
    // neighbour, below a half rounds down.
    if (!fraction.empty()) {
        const char16_t first = fraction.front();
        const bool restZero = fraction.substr(1).find_first_not_of(u'0') == npos;
        if (first > u'5' || (first == u'5' && (!restZero || whole % 2 == 1))) ++whole;
    }
    const long value = negative ? -whole : whole;
    if (value < -32768 || value > 32767) return std::nullopt;
    return static_cast<std::int16_t>(value);
}

SettingsError readSettingsLines(const std::vector<std::u16string>& lines,
                                std::u16string_view programFolder, SettingsValues& values) {
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const std::u16string_view line = trimSpaces(lines[k]);
        if (!line.empty() && line.front() == u'\'') continue;
        const std::optional<SettingLine> setting = splitSetting(line);
        if (!setting) return malformedLine(k);
        const Key key = keyOf(setting->key);
        if (key == Key::LoadPass) {
            values.loadFolder = setting->value.empty() ? std::u16string(programFolder)
                                                       : std::u16string(trimSpaces(setting->value));
        } else if (key != Key::Other) {
            const std::u16string_view text = trimSpaces(setting->value);
            const std::optional<std::int16_t> number = parseSettingsNumber(text);
            if (!number) {
                return lineLabel(k) + std::u16string(setting->key) + u" の値「" +
                       std::u16string(text) + u"」は -32768 から 32767 までの数値ではありません。";
            }
            (key == Key::Slider   ? values.precisionLevel
             : key == Key::Check1 ? values.mergeFlag
                                  : values.pictureFlag) = *number;
        }
    }
    return std::nullopt;
}

SettingsRewrite rewriteSettingsLines(const std::vector<std::u16string>& lines,
                                     const SettingsValues& values) {
    SettingsRewrite out;
    out.lines.reserve(lines.size() + 1);
    bool pictureKey = false;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const std::u16string_view line = trimSpaces(lines[k]);
        if (!line.empty() && line.front() == u'\'') {
            out.lines.emplace_back(line);
            continue;
        }
        const std::optional<SettingLine> setting = splitSetting(line);
        if (!setting) {
            out.lines.clear();
            out.error = malformedLine(k);
            return out;
        }
        std::u16string rewritten(setting->key);
        switch (keyOf(setting->key)) {
            case Key::LoadPass:
                rewritten += u'=' + values.loadFolder;
                break;
            case Key::Slider:
                rewritten += u'=' + decimal16(values.precisionLevel);
                break;
            case Key::Check1:
                rewritten += u'=' + decimal16(values.mergeFlag);
                break;
            case Key::Check2:
                rewritten += u'=' + decimal16(values.pictureFlag);
                pictureKey = true;
                break;
            case Key::Other:
                rewritten = line;
                break;
        }
        out.lines.push_back(std::move(rewritten));
    }
    if (!pictureKey && values.pictureFlag != 0) {
        out.lines.push_back(u"CHECK2=" + decimal16(values.pictureFlag));
    }
    return out;
}

}  // namespace mozaru
