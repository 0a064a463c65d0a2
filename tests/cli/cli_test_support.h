// Test helpers for mozaru-cli: run it in-process and read what it wrote.
#pragma once

#include <QFile>
#include <QString>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/messages.h"
#include "encoding/detection.h"

namespace mozaru::test {

struct CliRun {
    int status = -1;
    std::string out;  // bytes as written
    std::string err;
};

// In English, whatever the locale the tests run under; outIsTerminal: as if
// standard output were a terminal.
inline CliRun runCliWith(std::vector<std::string> args, const std::string& stdinBytes = {},
                         CliLanguage language = CliLanguage::English, bool outIsTerminal = false) {
    setCliLanguage(language);
    std::istringstream in(stdinBytes);
    std::ostringstream out;
    std::ostringstream err;
    CliRun run;
    run.status = runCli(std::move(args), in, out, err, false, outIsTerminal);
    setCliLanguage(CliLanguage::English);
    run.out = out.str();
    run.err = err.str();
    return run;
}

inline std::string cp932(std::u16string_view text) {
    return encodeText(text).bytes;
}
inline std::u16string fromCp932(std::string_view bytes) {
    return decodeBytes(bytes, InputEncoding::Cp932).text;
}

inline std::string fileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return "<missing>";
    const QByteArray bytes = file.readAll();
    return std::string(bytes.constData(), bytes.size());
}

inline void putFile(const QString& path, const std::string& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// Files by the bytes of their names, which QFile cannot always hold.
inline std::string nativeFileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return "<missing>";
    return std::string(std::istreambuf_iterator<char>(file), {});
}

inline void putNativeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string path(const QString& p) {
    return p.toStdString();
}

// Why the system will not open path for reading, in its own words.
inline std::string readFailure(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? std::string("<readable>")
                                          : file.errorString().toStdString();
}

}  // namespace mozaru::test
