// The settings file's lines turned into values and values written back into
// its lines, without any file access.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mozaru {

// The values kept between runs; at start-up empty and zero, which stay in
// force when the file cannot be read.
struct SettingsValues {
    std::u16string loadFolder;        // LOADPASS
    std::int16_t precisionLevel = 0;  // SLIDER
    std::int16_t mergeFlag = 0;       // CHECK1
    std::int16_t pictureFlag = 0;     // CHECK2: 1 judges with the picture detector
};

// The description of what went wrong, shown after "【エラー内容】"; empty on success.
using SettingsError = std::optional<std::u16string>;

// Reads lines (without their line breaks) into values. A line without "="
// (an empty line included) or a SLIDER/CHECK1/CHECK2 value that is not a whole number
// in -32768..32767 after rounding stops the reading with an error; what the
// lines before it set stays set. An empty LOADPASS value means programFolder.
SettingsError readSettingsLines(const std::vector<std::u16string>& lines,
                                std::u16string_view programFolder, SettingsValues& values);

struct SettingsRewrite {
    std::vector<std::u16string> lines;  // valid only without error
    SettingsError error;
};

// Every line trimmed of spaces, and every known key's line replaced by the
// key as written there, "=" and the current value. Unknown keys and comments
// stay; missing keys are not added, but for CHECK2 when its value is not 0: a
// file written before the picture detector came keeps its lines until the
// user chooses it. A line without "=" fails the whole rewrite, so that the
// file can be left untouched.
SettingsRewrite rewriteSettingsLines(const std::vector<std::u16string>& lines,
                                     const SettingsValues& values);

// "2.5" -> 2, "3.5" -> 4, "-7" -> -7: an optional sign, digits with an optional
// fraction, rounded half to even; nothing for anything else or out of range.
std::optional<std::int16_t> parseSettingsNumber(std::u16string_view text);

}  // namespace mozaru
