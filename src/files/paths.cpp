// Pure path helpers of the document commands.
#include "files/paths.h"

#include <cstddef>

#include "text/text.h"

namespace mozaru {

namespace {

// Largest 1-based position a 16-bit counter holds.
constexpr std::size_t kMaxPosition = 32767;

// 1-based position of the last separator, found by searching forward from each
// hit as the counters allow: the step past a hit at 32767 already overflows.
std::size_t lastSeparatorForward(std::u16string_view path, char16_t separator) {
    std::size_t last = 0;
    for (std::size_t hit = path.find(separator); hit != npos; hit = path.find(separator, hit + 1)) {
        if (hit + 1 >= kMaxPosition) throw PathOverflow();
        last = hit + 1;
    }
    return last;
}

// 1-based position of the last c, 0 when absent.
std::size_t lastPosition(std::u16string_view text, char16_t c) {
    const std::size_t hit = text.rfind(c);
    if (hit == npos) return 0;
    if (hit + 1 > kMaxPosition) throw PathOverflow();
    return hit + 1;
}

}  // namespace

PathOverflow::PathOverflow() : std::overflow_error("オーバーフローしました。") {}

std::u16string GetFolderPart(std::u16string_view path, char16_t separator) {
    const std::size_t last = lastSeparatorForward(path, separator);
    if (last == 0) return std::u16string(path);
    return std::u16string(path.substr(0, last - 1));
}

std::u16string GetNamePart(std::u16string_view path, char16_t separator) {
    const std::size_t last = lastSeparatorForward(path, separator);
    if (last == 0) return std::u16string(path);
    return std::u16string(path.substr(last));
}

std::u16string ReplaceExtension(std::u16string_view path, std::u16string_view ext,
                                char16_t separator) {
    if (path.empty()) return {};
    const std::size_t a = lastPosition(path, separator);
    const std::size_t b = lastPosition(path, u'.');
    if (b != 0 && b >= a) path = path.substr(0, b - 1);
    std::u16string out(path);
    out += u'.';
    out += ext;
    return out;
}

bool droppedPathHasDot(std::u16string_view path) {
    const std::size_t hit = path.find(u'.');
    if (hit == npos) return false;
    if (hit + 1 > kMaxPosition) throw PathOverflow();
    return true;
}

std::optional<std::u16string> commandLinePath(std::u16string_view argumentText) {
    const std::size_t first = argumentText.find(u':');
    if (first == npos) return std::nullopt;
    std::u16string_view text = argumentText;
    const std::size_t second = argumentText.find(u':', first + 1);
    if (second != npos) {
        // Keep what stands before the second drive letter and the space or
        // quote in front of it: p2 - 3 characters for the 1-based p2.
        const std::size_t keep = second >= 2 ? second - 2 : 0;
        text = trimSpaces(text.substr(0, keep));
    }
    if (!text.empty() && text.front() == u'"') text.remove_prefix(1);
    if (!text.empty() && text.back() == u'"') text.remove_suffix(1);
    return std::u16string(text);
}

std::u16string_view argumentsAfterProgramName(std::u16string_view commandLine) {
    std::size_t i = 0;
    for (bool quoted = false; i < commandLine.size() && (quoted || commandLine[i] > u' '); ++i) {
        if (commandLine[i] == u'"') quoted = !quoted;
    }
    while (i < commandLine.size() && commandLine[i] <= u' ') ++i;
    return commandLine.substr(i);
}

}  // namespace mozaru
