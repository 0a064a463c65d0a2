// Reading and writing whole text files: line breaks, failures, atomic replacement.
#include "files/text_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <vector>

#include "files/save_file.h"
#include "support/before_rename_probe.h"
#ifndef _WIN32
#include "support/file_size_limit.h"
#endif
#include "support/hex_bytes.h"

namespace mozaru {
namespace {

using test::hexBytes;

std::string readBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return "<unreadable>";
    const QByteArray bytes = file.readAll();
    return std::string(bytes.constData(), bytes.size());
}

#ifndef _WIN32
// The saves' calls of fsync while a test watches a file: what was synced,
// and whether the file then held "new" already.
std::vector<std::string> g_syncs;
QString g_watched;
#endif

}  // namespace
}  // namespace mozaru

#ifndef _WIN32
extern "C" int fsync(int descriptor) {
    using namespace mozaru;
    struct stat st {};
    if (!g_watched.isEmpty() && ::fstat(descriptor, &st) == 0) {
        g_syncs.push_back(std::string(S_ISDIR(st.st_mode) ? "folder" : "file") +
                          (readBytes(g_watched) == "new" ? " after" : " before"));
    }
    return static_cast<int>(::syscall(SYS_fsync, descriptor));
}
#endif

namespace mozaru {
namespace {

void writeBytes(const QString& path, std::string_view bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes.data(), static_cast<qint64>(bytes.size())),
              static_cast<qint64>(bytes.size()));
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

struct LineBreakCase {
    std::string bytes;
    std::u16string text;
};

class ReadLineBreaks : public ::testing::TestWithParam<LineBreakCase> {};

INSTANTIATE_TEST_SUITE_P(
    Files, ReadLineBreaks,
    ::testing::Values(LineBreakCase{"a\r\nb\r\n", u"a\r\nb\r\n"},
                      LineBreakCase{"a\nb\n", u"a\r\nb\r\n"}, LineBreakCase{"a\rb", u"a\r\nb"},
                      LineBreakCase{"a\r\n\nb\r", u"a\r\n\r\nb\r\n"},
                      LineBreakCase{"\n\r", u"\r\n\r\n"},
                      // Line breaks at every place of the four-unit steps.
                      LineBreakCase{"abc\r\nabcd\r\nab\n", u"abc\r\nabcd\r\nab\r\n"},
                      LineBreakCase{"abcdefg\r", u"abcdefg\r\n"},
                      LineBreakCase{"abcdefgh\r\nabcdefg\n", u"abcdefgh\r\nabcdefg\r\n"},
                      LineBreakCase{"\x0B\x0C\x0E\x09", u"\x0B\x0C\x0E\x09"},
                      LineBreakCase{"", u""}));

TEST_P(ReadLineBreaks, BecomeCrLf) {
    QTemporaryDir dir;
    const QString path = dir.filePath("page.txt");
    writeBytes(path, GetParam().bytes);
    const TextFileRead read = readTextFile(path);
    ASSERT_TRUE(read.ok) << read.reason.toStdString();
    EXPECT_EQ(read.decoded.text, GetParam().text);
}

// Read a few bytes at a time after a sample of five: pairs, CR LF and UTF-8
// sequences cut at every place, as in a large file at its piece edges.
class ReadInPieces : public ::testing::TestWithParam<std::string> {};

INSTANTIATE_TEST_SUITE_P(
    Files, ReadInPieces,
    ::testing::Values(hexBytes("3C44443E 8476 815F 0D 8160 0A 3C42523E 0D0A 82A0 82 0D 0A0D"),
                      hexBytes("EFBBBF 61 E38182 0D0A E38182 0A 62 E381"),  // UTF-8, cut at the end
                      std::string(70, 'a') + "\r" + std::string(64, 'b') + "\r\n"));

TEST_P(ReadInPieces, GiveWhatTheWholeBytesGive) {
    QTemporaryDir dir;
    const QString path = dir.filePath("page.html");
    writeBytes(path, GetParam());
    const DecodedText whole = decodeDocument(GetParam());
    for (const std::size_t piece : {1, 2, 3, 64}) {
        ReadOptions options;
        options.sampleBytes = 5;
        options.pieceBytes = piece;
        const TextFileRead read = readTextFile(path, options);
        ASSERT_TRUE(read.ok) << read.reason.toStdString();
        EXPECT_EQ(read.decoded.text, whole.text) << "pieces of " << piece;
        EXPECT_EQ(read.decoded.undecodable, whole.undecodable);
        EXPECT_EQ(read.decoded.encoding, whole.encoding);
        EXPECT_EQ(read.bytes, GetParam().size());
        // Handed over as decoded, a few units taken each time.
        std::u16string taken;
        const TextFileRead pieces =
            readTextFileInPieces(path, options, [&](std::u16string& text, bool last) {
                const std::size_t n = last ? text.size() : text.size() / 2;
                taken.append(text, 0, n);
                text.erase(0, n);
            });
        ASSERT_TRUE(pieces.ok);
        EXPECT_EQ(taken, whole.text) << "pieces of " << piece;
        EXPECT_EQ(pieces.decoded.text, u"");
        EXPECT_EQ(pieces.decoded.undecodable, whole.undecodable);
    }
}

struct LimitCase {
    const char* path;  // "" for a file of ten bytes
    std::uint64_t limit;
    const char* reason;  // "" when the read succeeds
};

class ReadLimit : public ::testing::TestWithParam<LimitCase> {};

std::vector<LimitCase> limitCases() {
    std::vector<LimitCase> cases{{"", 10, ""}, {"", 9, "larger than the input limit of 9 bytes"}};
#ifndef _WIN32
    // No end, no size: it fails once the limit has been read.
    cases.push_back({"/dev/zero", std::uint64_t{1} << 20, "larger than the input limit of 1 MiB"});
#endif
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Files, ReadLimit, ::testing::ValuesIn(limitCases()));

TEST_P(ReadLimit, LargerInputsFailBeforeTheyAreHeld) {
    QTemporaryDir dir;
    QString path = QString::fromUtf8(GetParam().path);
    if (path.isEmpty()) {
        path = dir.filePath("ten.txt");
        writeBytes(path, "0123456789");
    }
    ReadOptions options;
    options.limit = GetParam().limit;
    const TextFileRead read = readTextFile(path, options);
    EXPECT_EQ(read.ok, std::string_view(GetParam().reason).empty());
    EXPECT_EQ(read.tooLarge, !read.ok);
    EXPECT_EQ(read.reason.toStdString(), GetParam().reason);
    EXPECT_EQ(read.decoded.text, read.ok ? u"0123456789" : u"");
}

TEST(ReadTextFile, DecodesCp932Page) {
    QTemporaryDir dir;
    const QString path = dir.filePath("thread.html");
    // "<DD>ё＼〜<BR>" with LF: CP932 bytes, detected as the default.
    writeBytes(path, hexBytes("3C44443E 8476 815F 8160 3C42523E 0A"));
    const TextFileRead read = readTextFile(path);
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.decoded.text, u"<DD>\u0451\uFF3C\uFF5E<BR>\r\n");
    EXPECT_EQ(read.decoded.encoding, Encoding::Cp932);
    EXPECT_EQ(read.decoded.undecodable, 0u);
}

TEST(ReadTextFile, MissingFileFailsWithTheSystemReason) {
    QTemporaryDir dir;
    const TextFileRead read = readTextFile(dir.filePath("absent.html"));
    EXPECT_FALSE(read.ok);
#ifdef _WIN32
    // The system's words, in its language (Qt words the failure as Windows does).
    QFile absent(dir.filePath("absent.html"));
    ASSERT_FALSE(absent.open(QIODevice::ReadOnly));
    EXPECT_EQ(read.reason, absent.errorString());
    EXPECT_FALSE(read.reason.isEmpty());
#else
    EXPECT_EQ(read.reason, "No such file or directory");
#endif
}

TEST(ReadTextFile, DirectoryFails) {
    QTemporaryDir dir;
    const TextFileRead read = readTextFile(dir.path());
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.reason, "Is a directory");
}

TEST(FileMessage, NamesTheFile) {
    EXPECT_EQ(fileMessage("a/b.html", "No such file or directory"),
              "a/b.html: No such file or directory");
}

TEST(WriteTextFile, WritesCp932WithReferences) {
    QTemporaryDir dir;
    const QString path = dir.filePath("out.html");
    const TextFileWrite written = writeTextFile(path, u"\u0401\u263A\r\n", OutputEncoding::Cp932);
    ASSERT_TRUE(written.ok) << written.reason.toStdString();
    EXPECT_EQ(written.references, 1u);
    EXPECT_EQ(readBytes(path), hexBytes("8446") + "&#9786;\r\n");
    EXPECT_EQ(entries(dir.path()), QStringList{"out.html"});
}

TEST(WriteTextFile, PiecesAreWrittenAsTheyComeOrNotAtAll) {
    QTemporaryDir dir;
    const QString path = dir.filePath("out.html");
    writeBytes(path, "old");
    // A surrogate pair cut between two pieces is one reference.
    const auto pieces = [](bool whole) {
        return [whole](const std::function<void(std::u16string_view)>& piece) {
            piece(u"\u0401\xD83D");
            piece(u"\xDE00<BR>");
            return whole;
        };
    };
    EXPECT_FALSE(writeTextFile(path, pieces(false)).ok);
    EXPECT_EQ(readBytes(path), "old");
    const TextFileWrite written = writeTextFile(path, pieces(true));
    ASSERT_TRUE(written.ok) << written.reason.toStdString();
    EXPECT_EQ(written.references, 1u);
    EXPECT_EQ(readBytes(path), hexBytes("8446") + "&#128512;<BR>");
}

TEST(WriteTextFile, WritesUtf8WithoutBom) {
    QTemporaryDir dir;
    const QString path = dir.filePath("out.txt");
    ASSERT_TRUE(writeTextFile(path, u"\u3042", OutputEncoding::Utf8).ok);
    EXPECT_EQ(readBytes(path), hexBytes("E38182"));
}

TEST(WriteTextFile, ReplacesAnExistingFileWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath("out.txt");
    writeBytes(path, "a much longer old content");
    ASSERT_TRUE(writeTextFile(path, u"new").ok);
    EXPECT_EQ(readBytes(path), "new");
}

TEST(SaveFileAtomically, MissingFolderFailsAndCreatesNothing) {
    QTemporaryDir dir;
    QString error;
    EXPECT_FALSE(saveFileAtomically(dir.filePath("no/such/folder/out.txt"), "x", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(entries(dir.path()).isEmpty());
}

TEST(SaveFileAtomically, DirectoryAsTargetFailsAndStaysWhole) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("target"));
    writeBytes(dir.filePath("target/inside.txt"), "kept");
    QString error;
    EXPECT_FALSE(saveFileAtomically(dir.filePath("target"), "x", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(entries(dir.path()), QStringList{"target"});
    EXPECT_EQ(readBytes(dir.filePath("target/inside.txt")), "kept");
}

// A save that fails once its temporary file is open, at the write itself (a
// file-size limit, as on a full disk) or after it (just before the rename):
// the old file stays whole and the temporary file is released.
enum class FailurePoint { Writing, BeforeRename };

class FailedSave : public ::testing::TestWithParam<FailurePoint> {};

// Windows has no file-size limit to fail the write with.
INSTANTIATE_TEST_SUITE_P(Points, FailedSave,
                         ::testing::Values(
#ifndef _WIN32
                             FailurePoint::Writing,
#endif
                             FailurePoint::BeforeRename),
                         [](const auto& info) {
                             return info.param == FailurePoint::Writing ? "Writing"
                                                                        : "BeforeRename";
                         });

TEST_P(FailedSave, LeavesTheOldFileWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath("out.txt");
    writeBytes(path, "old content");
    const QByteArray fresh(4096, 'n');
    QString error;
#ifndef _WIN32
    if (GetParam() == FailurePoint::Writing) {
        const test::BeforeRenameProbe probe(test::BeforeRenameProbe::Watch);
        const test::FileSizeLimit limit(100);
        ASSERT_TRUE(limit.ok());
        EXPECT_FALSE(saveFileAtomically(path, fresh, &error));
        EXPECT_EQ(probe.calls(), 0);  // stopped at the write, not later
        // The system's reason (a full disk: "No space left on device").
        EXPECT_EQ(error.toStdString(), "File too large");
    } else {
        const test::BeforeRenameProbe probe(test::BeforeRenameProbe::Fail);
        EXPECT_FALSE(saveFileAtomically(path, fresh, &error));
        EXPECT_EQ(error, test::kInjectedFailure);
        EXPECT_EQ(probe.bytes(), fresh.size());
        EXPECT_FALSE(probe.temporaryStillOpen());
    }
#else
    const test::BeforeRenameProbe probe(test::BeforeRenameProbe::Fail);
    EXPECT_FALSE(saveFileAtomically(path, fresh, &error));
    EXPECT_EQ(error, test::kInjectedFailure);
    EXPECT_EQ(probe.bytes(), fresh.size());
#endif
    // The temporary file (named beside the target on Windows) is gone.
    EXPECT_EQ(entries(dir.path()), QStringList{"out.txt"});
    EXPECT_EQ(readBytes(path), "old content");
}

#ifndef _WIN32
// Modes, owners, FIFOs and device nodes are POSIX's; Windows' devices are
// written into by name (below).
TEST(SaveFileAtomically, SyncsTheDataBeforeTheRenameAndTheFolderAfter) {
    QTemporaryDir dir;
    const QString path = dir.filePath("out.txt");
    writeBytes(path, "old");
    g_watched = path;
    EXPECT_TRUE(saveFileAtomically(path, "new"));
    g_watched.clear();
    EXPECT_EQ(g_syncs, (std::vector<std::string>{"file before", "folder after"}));
}

TEST(SaveFileAtomically, ReplacedFileKeepsItsModeAndOwner) {
    QTemporaryDir dir;
    const QString path = dir.filePath("out.txt");
    const QByteArray native = QFile::encodeName(path);
    writeBytes(path, "old");
    ASSERT_EQ(chmod(native.constData(), 0640), 0);
    // Only root can give a file to someone else; other users test their own.
    if (geteuid() == 0) {
        ASSERT_EQ(chown(native.constData(), 4321, 4322), 0);
    }
    struct stat before {};
    ASSERT_EQ(stat(native.constData(), &before), 0);
    ASSERT_TRUE(saveFileAtomically(path, "new"));
    struct stat after {};
    ASSERT_EQ(stat(native.constData(), &after), 0);
    EXPECT_NE(after.st_ino, before.st_ino);  // replaced, not written into
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_EQ(readBytes(path), "new");
}

// A FIFO and a device (a copy of /dev/null) cannot be replaced: they are
// written into and stay what they were.
class SpecialTarget : public ::testing::TestWithParam<mode_t> {};

INSTANTIATE_TEST_SUITE_P(Kinds, SpecialTarget, ::testing::Values(S_IFIFO, S_IFCHR),
                         [](const auto& info) {
                             return info.param == S_IFIFO ? "Fifo" : "Device";
                         });

TEST_P(SpecialTarget, IsWrittenIntoInPlace) {
    QTemporaryDir dir;
    const QString path = dir.filePath("node");
    const QByteArray native = QFile::encodeName(path);
    const bool fifo = GetParam() == S_IFIFO;
    if (mknod(native.constData(), GetParam() | 0600, fifo ? 0 : makedev(1, 3)) != 0) {
        GTEST_SKIP() << "mknod: " << std::strerror(errno);
    }
    // The FIFO's reader is there first, so that the write need not wait for one.
    const int reader = open(native.constData(), (fifo ? O_RDONLY : O_WRONLY) | O_NONBLOCK);
    if (!fifo && reader < 0) GTEST_SKIP() << "devices cannot be opened on this file system";
    QString error;
    EXPECT_TRUE(saveFileAtomically(path, "in place", &error)) << error.toStdString();
    char got[16] = {};
    const ssize_t n = fifo ? read(reader, got, sizeof got) : 0;
    close(reader);
    if (fifo) {
        EXPECT_EQ(std::string(got, n > 0 ? n : 0), "in place");
    }
    struct stat st {};
    ASSERT_EQ(stat(native.constData(), &st), 0);
    EXPECT_EQ(st.st_mode & S_IFMT, GetParam());
}

#else
// NUL is written into, and no file of that name is made in the current folder.
TEST(SaveFileAtomically, DeviceIsWrittenIntoByName) {
    QTemporaryDir dir;
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    QString error;
    EXPECT_TRUE(saveFileAtomically(QStringLiteral("NUL"), "in place", &error))
        << error.toStdString();
    EXPECT_TRUE(entries(dir.path()).isEmpty());
    QDir::setCurrent(before);
}
#endif

TEST(WriteTextFile, FailureIsReported) {
    QTemporaryDir dir;
    const TextFileWrite written = writeTextFile(dir.filePath("none/out.txt"), u"x");
    EXPECT_FALSE(written.ok);
    EXPECT_FALSE(written.reason.isEmpty());
}

}  // namespace
}  // namespace mozaru
