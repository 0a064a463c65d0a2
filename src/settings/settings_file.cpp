// The settings file "Mozaru.ini": CP932 lines, CR LF after each.
#include "settings/settings_file.h"

#include <QDir>
#include <string_view>
#include <vector>

#include "document/text_file.h"
#include "text/messages.h"

namespace mozaru {

namespace {

struct LinesRead {
    std::vector<std::u16string> lines;
    std::optional<QString> error;
};

// The file's lines without their breaks; a break after the last line does not
// make an empty line. Every kind of break counts, so a file saved by an editor
// with LF endings still reads line by line.
LinesRead readLines(const QString& path) {
    LinesRead out;
    const TextFileRead file = readTextFile(path, InputEncoding::Cp932);
    if (!file.ok) {
        out.error = fileMessage(QDir::toNativeSeparators(path), file.reason);
        return out;
    }
    std::u16string_view text = file.decoded.text;  // breaks already CR LF
    while (!text.empty()) {
        const std::size_t end = text.find(u"\r\n");
        out.lines.emplace_back(text.substr(0, end));
        if (end == std::u16string_view::npos) break;
        text.remove_prefix(end + 2);
    }
    return out;
}

}  // namespace

QString settingsFilePath(const QString& programFolder) {
    return QDir(programFolder).filePath(QStringLiteral("Mozaru.ini"));
}

std::optional<QString> readSettingsFile(const QString& programFolder, SettingsValues& values) {
    const LinesRead read = readLines(settingsFilePath(programFolder));
    if (read.error) return read.error;
    const SettingsError error =
        readSettingsLines(read.lines, programFolder.toStdU16String(), values);
    if (error) return QStringView(*error).toString();
    return std::nullopt;
}

std::optional<QString> writeSettingsFile(const QString& programFolder,
                                         const SettingsValues& values) {
    const QString path = settingsFilePath(programFolder);
    const LinesRead read = readLines(path);
    if (read.error) return read.error;
    const SettingsRewrite rewrite = rewriteSettingsLines(read.lines, values);
    if (rewrite.error) return QStringView(*rewrite.error).toString();
    std::u16string text;
    for (const std::u16string& line : rewrite.lines) {
        text += line;
        text += u"\r\n";
    }
    const TextFileWrite written = writeTextFile(path, text, OutputEncoding::Cp932);
    if (!written.ok) return fileMessage(QDir::toNativeSeparators(path), written.reason);
    return std::nullopt;
}

QString settingsErrorText(const QString& description) {
    return QStringView(errorMessage(u"INI読み込み時にエラーが発生しました。",
                                    description.toStdU16String(),
                                    u"エラー内容は以下のとおりです。"))
        .toString();
}

}  // namespace mozaru
