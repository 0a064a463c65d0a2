// The readers of the collection's files: MLT, AST, plain text and threads.
#include "boards/board_forms.h"
#include "extract/kept_posts.h"
#include "library/library_forms.h"
#include "text/text.h"

namespace mozaru {

namespace {

// The text cut into lines at CR LF, LF or a lone CR; a final line break ends
// the last line and opens none.
std::vector<std::u16string_view> linesOf(std::u16string_view text) {
    std::vector<std::u16string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\n' && text[i] != u'\r') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

bool isBlank(std::u16string_view line) {
    return trimSpaces(line).empty();
}

// Collects the lines of one item at a time; an item of blank lines only is
// dropped, and its trailing blank lines are not part of it.
class ItemCollector {
public:
    explicit ItemCollector(std::vector<LibraryItem>& items) : m_items(items) {}

    void start(std::u16string_view header) {
        finish();
        m_header = header;
    }
    void add(std::u16string_view line) { m_lines.push_back(line); }
    void finish() {
        while (!m_lines.empty() && isBlank(m_lines.back())) m_lines.pop_back();
        if (!m_lines.empty()) {
            LibraryItem item;
            item.number = m_items.size() + 1;
            item.header = m_header;
            for (std::size_t k = 0; k < m_lines.size(); ++k) {
                if (k > 0) item.text.push_back(u'\n');
                item.text.append(m_lines[k]);
            }
            m_items.push_back(std::move(item));
        }
        m_lines.clear();
        m_header = {};
    }

private:
    std::vector<LibraryItem>& m_items;
    std::vector<std::u16string_view> m_lines;
    std::u16string_view m_header;
};

constexpr std::u16string_view kSplit = u"[SPLIT]";
constexpr std::u16string_view kAstItem = u"[AA][";

}  // namespace

std::vector<LibraryItem> readMlt(std::u16string_view text, const LibraryReading&) {
    std::vector<LibraryItem> items;
    ItemCollector collector(items);
    for (const std::u16string_view line : linesOf(text)) {
        if (startsWithNoCase(line, 0, kSplit)) {
            collector.start({});
        } else {
            collector.add(line);
        }
    }
    collector.finish();
    return items;
}

std::vector<LibraryItem> readAst(std::u16string_view text, const LibraryReading&) {
    std::vector<LibraryItem> items;
    ItemCollector collector(items);
    for (const std::u16string_view line : linesOf(text)) {
        if (startsWithNoCase(line, 0, kAstItem)) {
            std::u16string_view name = line.substr(kAstItem.size());
            const std::size_t close = name.rfind(u']');
            if (close != npos) name = name.substr(0, close);
            collector.start(name);
        } else {
            collector.add(line);
        }
    }
    collector.finish();
    return items;
}

std::vector<LibraryItem> readPlainText(std::u16string_view text, const LibraryReading& reading) {
    if (findNoCase(text, u"<DD") != npos || toClassicPage(text).recognised()) {
        return readThread(text, reading);
    }
    std::vector<LibraryItem> items;
    ItemCollector collector(items);
    for (const std::u16string_view line : linesOf(text)) collector.add(line);
    collector.finish();
    return items;
}

std::vector<LibraryItem> readThread(std::u16string_view text, const LibraryReading& reading) {
    const ClassicPage page = toClassicPage(text);
    const Extraction kept = extractPosts(page.recognised() ? std::u16string_view(page.text) : text,
                                         reading.level, 0, true);
    std::vector<LibraryItem> items;
    items.reserve(kept.posts.size());
    for (const KeptPost& post : kept.posts) {
        items.push_back({post.number, post.header, post.body, ItemText::Markup});
    }
    return items;
}

}  // namespace mozaru
