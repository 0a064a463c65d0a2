// Whole text files: reading with detection and CR LF line breaks, atomic writing.
#include "document/text_file.h"

#include <QFile>
#include <QFileInfo>

#include "document/save_file.h"
#include "text/platform.h"

namespace mozaru {

namespace {

bool readAllBytes(QFile& file, QByteArray& bytes) {
    // Read into one buffer of the file's size: readAll() would grow it step by step.
    const qint64 size = file.size();
    if (size > 0) {
        bytes.reserve(size);
        platform::adviseHugePages(bytes.data(), static_cast<std::size_t>(size));
        bytes.resize(size);
        qint64 got = 0;
        while (got < size) {
            const qint64 n = file.read(bytes.data() + got, size - got);
            if (n < 0) return false;
            if (n == 0) break;
            got += n;
        }
        bytes.resize(got);
    }
    // Files whose size is unknown (or that grew meanwhile) are read to their end.
    const QByteArray rest = file.readAll();
    if (file.error() != QFileDevice::NoError) return false;
    if (!rest.isEmpty()) bytes.append(rest);
    return true;
}

}  // namespace

DecodedText decodeDocument(std::string_view bytes, InputEncoding choice) {
    // The line breaks are normalised while decoding: no second pass, no copy.
    return decodeBytes(bytes, choice, LineBreaks::CrLf);
}

TextFileRead readTextFile(const QString& path, InputEncoding choice) {
    TextFileRead result;
    if (QFileInfo(path).isDir()) {
        result.reason = QStringLiteral("Is a directory");
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.reason = file.errorString();
        return result;
    }
    QByteArray bytes;
    if (!readAllBytes(file, bytes)) {
        result.reason = file.errorString();
        return result;
    }
    file.close();
    result.bytes = static_cast<std::size_t>(bytes.size());
    result.decoded = decodeDocument(std::string_view(bytes.constData(), bytes.size()), choice);
    result.ok = true;
    return result;
}

TextFileWrite writeTextFile(const QString& path, std::u16string_view text,
                            OutputEncoding encoding) {
    TextFileWrite result;
    const EncodedText encoded = encodeText(text, encoding);
    result.references = encoded.references;
    // The bytes are only borrowed for the write: no second copy of a large file.
    const QByteArray view =
        QByteArray::fromRawData(encoded.bytes.data(), static_cast<qsizetype>(encoded.bytes.size()));
    result.ok = saveFileAtomically(path, view, &result.reason);
    return result;
}

QString fileMessage(const QString& path, const QString& reason) {
    return path + QStringLiteral(": ") + reason;
}

}  // namespace mozaru
