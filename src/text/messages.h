// The texts every failure message shares: the message box titles and the
// layout of a reported error.
#pragma once

#include <string>
#include <string_view>

namespace mozaru {

inline constexpr std::u16string_view kTitleConfirm = u"確認";          // questions, file results
inline constexpr std::u16string_view kTitleWarning = u"警告";          // settings, refused drops
inline constexpr std::u16string_view kTitleHelpError = u"エラー警告";  // the help command

// What failed, CR LF, "【エラー内容】", CR LF and the description. A preface
// (the settings file's "エラー内容は以下のとおりです。") stands on its own line
// after the first, followed by an empty line.
inline std::u16string errorMessage(std::u16string_view failed, std::u16string_view description,
                                   std::u16string_view preface = {}) {
    std::u16string text(failed);
    text += u"\r\n";
    if (!preface.empty()) {
        text += preface;
        text += u"\r\n\r\n";
    }
    text += u"【エラー内容】\r\n";
    text += description;
    return text;
}

}  // namespace mozaru
