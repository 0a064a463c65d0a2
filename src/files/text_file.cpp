// Whole text files: reading with detection and CR LF line breaks, atomic writing.
#include "files/text_file.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <utility>
#include <vector>

#ifdef _WIN32
#include <QFileInfo>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "files/path_text.h"
#include "files/save_file.h"
#include "text/platform.h"

namespace mozaru {

namespace {

// Reads up to n bytes into buffer, which is resized to what was read; false
// on a read error.
bool readUpTo(QFile& file, std::string& buffer, std::size_t n) {
    if (buffer.capacity() < n) {
        buffer.reserve(n);
        platform::adviseHugePages(buffer.data(), buffer.capacity());
    }
    buffer.resize(n);
    std::size_t got = 0;
    while (got < n) {
        const qint64 r = file.read(buffer.data() + got, static_cast<qint64>(n - got));
        if (r < 0) return false;
        if (r == 0) break;
        got += static_cast<std::size_t>(r);
    }
    buffer.resize(got);
    return true;
}

enum class Rest { Read, Failed, TooLarge };

// Reads the rest of the file a piece at a time into piece (whose room is
// reused), handing each to take, which may keep it; counts the bytes in total.
template <typename Take>
Rest readRest(QFile& file, const ReadOptions& options, std::uint64_t& total, std::string& piece,
              Take take) {
    for (;;) {
        if (!readUpTo(file, piece, options.pieceBytes)) return Rest::Failed;
        if (piece.empty()) return Rest::Read;
        total += piece.size();
        if (total > options.limit) return Rest::TooLarge;
        take(piece);
    }
}

// Decodes pieces as they are read, once the first bytes have decided the encoding.
// With a taker, the text is handed over after each piece and never held
// whole; without one it grows in room made for it at once.
class PieceDecoder {
public:
    PieceDecoder(std::string_view first, bool whole, std::size_t expected,
                 const ReadOptions& options, DecodedText& out, const TextTaker& take)
        : m_detected(detectEncoding(first, whole, options.encoding)),
          m_decoder(m_detected.encoding, LineBreaks::CrLf, out),
          m_out(out),
          m_take(take) {
        if (!m_take) m_decoder.expect(expected);
        first.remove_prefix(std::min(m_detected.bomLength, first.size()));
        // A taker gets the first bytes a piece at a time, as the rest.
        const std::size_t slice =
            m_take ? std::max<std::size_t>(options.pieceBytes, 1) : first.size();
        for (std::size_t at = 0; at < first.size(); at += slice) decode(first.substr(at, slice));
    }
    void decode(std::string_view piece) {
        m_decoder.decode(piece);
        if (m_take) m_take(m_out.text, false);
    }
    void finish() {
        m_decoder.finish();
        if (m_take) m_take(m_out.text, true);
    }

private:
    const Detected m_detected;
    TextDecoder m_decoder;
    DecodedText& m_out;
    const TextTaker& m_take;
};

// Opens path for reading; false, with the system's reason, when it cannot
// be read (a folder opens on some systems, but reads nothing). Elsewhere than
// on Windows the file is opened by the bytes of its name, which Qt's names
// cannot always hold, and handed to file.
bool openForReading(const QString& path, QFile& file, QString& reason) {
#ifdef _WIN32
    if (QFileInfo(fileSystemName(path)).isDir()) {
        reason = QStringLiteral("Is a directory");
        return false;
    }
    file.setFileName(fileSystemName(path));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        reason = file.errorString();
        return false;
    }
    return true;
#else
    const int descriptor = ::open(fromQPath(path).c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (descriptor < 0 || ::fstat(descriptor, &st) != 0 || S_ISDIR(st.st_mode)) {
        reason = systemReason(descriptor < 0 ? errno : EISDIR);
        if (descriptor >= 0) ::close(descriptor);
        return false;
    }
    if (!file.open(descriptor, QIODevice::ReadOnly | QIODevice::Unbuffered,
                   QFileDevice::AutoCloseHandle)) {
        reason = file.errorString();
        ::close(descriptor);
        return false;
    }
    return true;
#endif
}

}  // namespace

FileBytes readFileBytes(const QString& path, std::uint64_t limit) {
    FileBytes result;
    QFile file;
    if (!openForReading(path, file, result.reason)) return result;
    if (!readUpTo(file, result.bytes, static_cast<std::size_t>(limit) + 1)) {
        result.reason = file.errorString();
    } else if (result.bytes.size() > limit) {
        result.tooLarge = true;
        result.reason = tooLargeReason(limit);
    } else {
        result.ok = true;
        return result;
    }
    std::string().swap(result.bytes);
    return result;
}

QString tooLargeReason(std::uint64_t limit) {
    if (limit % (1 << 20) == 0) {
        return QStringLiteral("larger than the input limit of %1 MiB").arg(limit >> 20);
    }
    return QStringLiteral("larger than the input limit of %1 bytes").arg(limit);
}

DecodedText decodeDocument(std::string_view bytes, InputEncoding choice) {
    // The line breaks are normalised while decoding: no second pass, no copy.
    return decodeBytes(bytes, choice, LineBreaks::CrLf);
}

TextFileRead readTextFile(const QString& path, InputEncoding choice) {
    ReadOptions options;
    options.encoding = choice;
    return readTextFile(path, options);
}

TextFileRead readTextFile(const QString& path, const ReadOptions& options) {
    return readTextFileInPieces(path, options, {});
}

TextFileRead readTextFileInPieces(const QString& path, const ReadOptions& options,
                                  const TextTaker& take) {
    TextFileRead result;
    QFile file;
    if (!openForReading(path, file, result.reason)) return result;
    const auto fail = [&](QString reason) {
        result.reason = std::move(reason);
        std::u16string().swap(result.decoded.text);  // frees it, as assigning would not
        return result;
    };
    const auto tooLarge = [&] {
        result.tooLarge = true;
        return fail(tooLargeReason(options.limit));
    };
    // A pipe or a device tells its size only at its end.
    const bool sized = !file.isSequential();
    if (sized && static_cast<std::uint64_t>(file.size()) > options.limit) return tooLarge();
    // A file that tells its size is read up to a byte past it: no room
    // filled beyond what a small file holds (a file grown meanwhile reads on;
    // one that tells 0, as those of /proc do, is read as before).
    const std::size_t sample =
        sized && file.size() > 0
            ? static_cast<std::size_t>(std::min<std::uint64_t>(
                  options.sampleBytes, static_cast<std::uint64_t>(file.size()) + 1))
            : options.sampleBytes;
    std::string first;
    if (!readUpTo(file, first, sample)) return fail(file.errorString());
    std::uint64_t total = first.size();
    Rest rest = Rest::Read;
    if (sized) {
        // Read and decoded a piece at a time: only the text is ever whole.
        const bool whole = total == static_cast<std::uint64_t>(file.size());
        PieceDecoder decoder(first, whole, static_cast<std::size_t>(file.size()), options,
                             result.decoded, take);
        if (options.progress) options.progress(total);
        if (!whole) {
            // The first bytes' room, already touched, takes the pieces.
            rest = readRest(file, options, total, first, [&](std::string& piece) {
                decoder.decode(piece);
                if (options.progress) options.progress(total);
            });
        }
        decoder.finish();
    } else {
        // Kept as read, in pieces, and decoded at the end: a device without
        // end (/dev/zero) then fails at the limit holding no more than it.
        std::vector<std::string> pieces;
        pieces.push_back(std::move(first));
        std::string piece;
        rest = readRest(file, options, total, piece,
                        [&](std::string& read) { pieces.push_back(std::move(read)); });
        if (rest == Rest::Read) {
            PieceDecoder decoder(pieces.front(), pieces.size() == 1,
                                 static_cast<std::size_t>(total), options, result.decoded, take);
            for (std::size_t k = 1; k < pieces.size(); ++k) {
                decoder.decode(pieces[k]);
                std::string().swap(pieces[k]);
            }
            decoder.finish();
        }
    }
    if (rest == Rest::Failed) return fail(file.errorString());
    if (rest == Rest::TooLarge) return tooLarge();
    result.bytes = static_cast<std::size_t>(total);
    result.ok = true;
    return result;
}

TextFileWrite writeTextFile(const QString& path, std::u16string_view text,
                            OutputEncoding encoding) {
    return writeEncodedFile(path, encodeText(text, encoding));
}

TextFileWrite writeTextFile(const QString& path, const TextPieces& produce,
                            OutputEncoding encoding) {
    TextFileWrite result;
    const bool saved = saveFileAtomically(
        path,
        [&](const ByteWriter& write) {
            bool written = true;
            TextEncoder encoder(encoding,
                                [&](std::string_view bytes) { written = written && write(bytes); });
            const bool made =
                produce([&encoder](std::u16string_view piece) { encoder.encode(piece); });
            encoder.finish();
            result.references = encoder.references();
            return made && written;
        },
        &result.reason);
    result.ok = saved;
    return result;
}

TextFileWrite writeEncodedFile(const QString& path, const EncodedText& encoded) {
    TextFileWrite result;
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
