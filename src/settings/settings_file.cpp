// The settings file "Mozaru.ini": CP932 or UTF-8 lines, CR LF after each.
#include "settings/settings_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <string_view>
#include <vector>

#include "files/save_file.h"
#include "files/text_file.h"
#include "text/messages.h"

namespace mozaru {

namespace {

// How the file was written, kept when it is rewritten.
enum class IniEncoding { Cp932, Utf8, Utf8WithBom };

// A settings file holds three short lines and some comments; anything near
// this size is something else (a link to a device, a log written over it)
// and is not read into memory.
constexpr std::uint64_t kMaxBytes = std::uint64_t{1} << 20;

// CP932, as shipped, unless the bytes say UTF-8: a BOM, or valid UTF-8
// holding non-ASCII text, as editors on Linux save the file.
IniEncoding encodingOf(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Bom)) return IniEncoding::Utf8WithBom;
    const bool ascii =
        std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; });
    if (ascii || decodeBytes(bytes, InputEncoding::Utf8).undecodable != 0) {
        return IniEncoding::Cp932;
    }
    return IniEncoding::Utf8;
}

struct LinesRead {
    std::vector<std::u16string> lines;
    IniEncoding encoding = IniEncoding::Cp932;
    std::optional<QString> error;
};

// The file's lines without their breaks; a break after the last line does not
// make an empty line. Every kind of break counts, so a file saved by an editor
// with LF endings still reads line by line.
LinesRead readLines(const QString& path) {
    LinesRead out;
    const FileBytes read = readFileBytes(path, kMaxBytes);
    if (!read.ok) {
        out.error = fileMessage(
            QDir::toNativeSeparators(path),
            read.tooLarge ? QStringLiteral("設定ファイルが 1 MB を超えています") : read.reason);
        return out;
    }
    const std::string_view view = read.bytes;
    out.encoding = encodingOf(view);
    const DecodedText decoded = decodeDocument(
        view, out.encoding == IniEncoding::Cp932 ? InputEncoding::Cp932 : InputEncoding::Utf8);
    std::u16string_view text = decoded.text;  // breaks already CR LF
    while (!text.empty()) {
        const std::size_t end = text.find(u"\r\n");
        out.lines.emplace_back(text.substr(0, end));
        if (end == std::u16string_view::npos) break;
        text.remove_prefix(end + 2);
    }
    return out;
}

// The rewritten text in the file's encoding. A character CP932 cannot hold
// would be written as "&#233;", and a folder so written names no folder at
// the next start: such a file becomes UTF-8 with a BOM, which holds it.
QByteArray encodeLines(std::u16string_view text, IniEncoding encoding) {
    if (encoding == IniEncoding::Cp932) {
        const EncodedText cp932 = encodeText(text, OutputEncoding::Cp932);
        if (cp932.references == 0) return QByteArray::fromStdString(cp932.bytes);
        encoding = IniEncoding::Utf8WithBom;
    }
    QByteArray bytes;
    if (encoding == IniEncoding::Utf8WithBom)
        bytes = QByteArray::fromStdString(std::string(kUtf8Bom));
    return bytes + QByteArray::fromStdString(encodeText(text, OutputEncoding::Utf8).bytes);
}

}  // namespace

QString settingsFilePath(const QString& programFolder) {
    return QDir(programFolder).filePath(QStringLiteral("Mozaru.ini"));
}

namespace {

// The copy that is read and rewritten: the user's, once there is one.
QString settingsInUse(const QString& programFolder, const QString& userFolder) {
    if (!userFolder.isEmpty()) {
        const QString user = settingsFilePath(userFolder);
        if (QFileInfo::exists(user)) return user;
    }
    return settingsFilePath(programFolder);
}

}  // namespace

std::optional<QString> readSettingsFile(const QString& programFolder, SettingsValues& values,
                                        const QString& userFolder) {
    const LinesRead read = readLines(settingsInUse(programFolder, userFolder));
    if (read.error) return read.error;
    const SettingsError error =
        readSettingsLines(read.lines, programFolder.toStdU16String(), values);
    if (error) return QStringView(*error).toString();
    return std::nullopt;
}

std::optional<QString> writeSettingsFile(const QString& programFolder, const SettingsValues& values,
                                         const QString& userFolder) {
    const QString path = settingsInUse(programFolder, userFolder);
    const LinesRead read = readLines(path);
    if (read.error) return read.error;
    const SettingsRewrite rewrite = rewriteSettingsLines(read.lines, values);
    if (rewrite.error) return QStringView(*rewrite.error).toString();
    std::u16string text;
    for (const std::u16string& line : rewrite.lines) {
        text += line;
        text += u"\r\n";
    }
    const QByteArray bytes = encodeLines(text, read.encoding);
    QString reason;
    if (saveFileAtomically(path, bytes, &reason)) return std::nullopt;
    const QString failure = fileMessage(QDir::toNativeSeparators(path), reason);
    // A program folder the user may not write to: the settings are kept in
    // the user's own folder instead.
    const QString user = userFolder.isEmpty() ? QString() : settingsFilePath(userFolder);
    if (user.isEmpty() || path == user) return failure;
    if (!QDir().mkpath(userFolder)) {
        return fileMessage(QDir::toNativeSeparators(userFolder),
                           QStringLiteral("フォルダを作れません"));
    }
    if (!saveFileAtomically(user, bytes, &reason)) {
        return fileMessage(QDir::toNativeSeparators(user), reason);
    }
    return std::nullopt;
}

QString settingsErrorText(const QString& description, bool writing) {
    return QStringView(errorMessage(writing ? u"INI書き込み時にエラーが発生しました。"
                                            : u"INI読み込み時にエラーが発生しました。",
                                    description.toStdU16String(),
                                    u"エラー内容は以下のとおりです。"))
        .toString();
}

}  // namespace mozaru
