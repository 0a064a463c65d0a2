// Pure path helpers of the document commands: folder and name parts, extension
// replacement and the path named on the Windows command line.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace mozaru {

#ifdef _WIN32
inline constexpr char16_t kPathSeparator = u'\\';
#else
inline constexpr char16_t kPathSeparator = u'/';
#endif

// Positions in these functions are 16-bit signed counters, as the file
// dialogs and the settings round-trip expect: 32767 is the last position such
// a counter holds. A separator or dot beyond it is reported to the user like
// any other load or save failure, never cut short or wrapped into a wrong
// folder or name. what() is the UTF-8 text shown after "【エラー内容】".
class PathOverflow : public std::overflow_error {
public:
    PathOverflow();
};

// Folder of path without the trailing separator ("C:" for "C:\a.txt"); the whole
// text when it holds no separator. Throws PathOverflow when a separator stands
// at 1-based position 32767 or later.
std::u16string GetFolderPart(std::u16string_view path, char16_t separator = kPathSeparator);

// Text after the last separator ("" for "C:\logs\"); the whole text when it
// holds no separator. Throws PathOverflow as GetFolderPart.
std::u16string GetNamePart(std::u16string_view path, char16_t separator = kPathSeparator);

// path with its extension replaced by ext ("a.b.c" + "txt" -> "a.b.txt"); a dot
// in a folder name is left alone; "" stays "". Throws PathOverflow when the last
// separator or the last dot stands beyond 1-based position 32767.
std::u16string ReplaceExtension(std::u16string_view path, std::u16string_view ext,
                                char16_t separator = kPathSeparator);

// The drop entry's only check: whether the dropped path holds a "." anywhere.
// Throws PathOverflow when the first dot stands beyond position 32767.
bool droppedPathHasDot(std::u16string_view path);

// The path to open from the program's argument text: nothing when the text
// holds no ":" (including an empty text); otherwise the first absolute path,
// cut before a second drive ("C:\a.html D:\b.html" -> "C:\a.html") and trimmed
// of spaces, with one enclosing double quote removed at each end. A second ":"
// at position 2 leaves an empty path, which loading refuses.
std::optional<std::u16string> commandLinePath(std::u16string_view argumentText);

// The argument text of a whole Windows command line, as the C runtime hands
// it to WinMain: the program's name ends at the first character up to U+0020
// (space, tab) outside double quotes; that name and the blanks after it are
// cut off, the rest is kept as it is.
std::u16string_view argumentsAfterProgramName(std::u16string_view commandLine);

}  // namespace mozaru
