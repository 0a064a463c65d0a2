// .dat logs as board readers keep them: one post a line, fields between "<>".
#include <array>

#include "boards/board_forms.h"
#include "boards/classic_page_writer.h"
#include "text/numbers.h"
#include "text/scan.h"
#include "text/text.h"

namespace mozaru {

namespace {

constexpr std::size_t kMostFields = 8;

// The kinds of log: how many fields a line holds, whether the first is the
// post's number, and how the ID is written into the date.
struct DatKind {
    PageFormat kind;
    std::size_t fewest;
    std::size_t most;
    std::string_view counts;  // for messages
    bool numbered;
    std::u16string_view idPrefix;
    std::u16string_view idSuffix;
};

// 2ch: NAME<>MAIL<>DATE ID<>BODY<>TITLE. Shitaraba gives the ID a field of
// its own; machi writes it into the date and may add the poster's host.
constexpr std::array<DatKind, 3> kDatKinds{{
    {PageFormat::Dat2ch, 5, 5, "5", false, u"", u""},
    {PageFormat::DatShitaraba, 7, 7, "7", true, u"ID:", u""},
    {PageFormat::DatMachi, 6, 7, "6 or 7", true, u"[ ", u" ]"},
}};

const DatKind* datKind(PageFormat kind) {
    for (const DatKind& k : kDatKinds) {
        if (k.kind == kind) return &k;
    }
    return nullptr;
}

struct Fields {
    std::array<std::u16string_view, kMostFields> f;
    std::size_t count = 0;  // every field, also those beyond kMostFields
};

// The fields of one line; "<>" inside a body would be written "&lt;&gt;".
Fields splitFields(std::u16string_view line) {
    Fields out;
    if (line.empty()) return out;
    std::size_t start = 0;
    // scan::findTag folds with 0x20, which leaves '>' as it is.
    for (std::size_t p = 0; (p = scan::findTag(line, std::array<char16_t, 1>{u'>'}, p)) != npos;) {
        if (line[p + 1] != u'>') {
            ++p;
            continue;
        }
        if (out.count < kMostFields) out.f[out.count] = line.substr(start, p - start);
        ++out.count;
        start = p + 2;
        p = start;
    }
    if (out.count < kMostFields) out.f[out.count] = line.substr(start);
    ++out.count;
    return out;
}

bool isNumber(std::u16string_view field) {
    std::uint64_t n = 0;
    return parseNumber(field, n) && field.find_first_not_of(u"0123456789") == npos;
}

PageFormat kindOfLine(const Fields& f) {
    if (datFieldCountFits(PageFormat::Dat2ch, f.count)) return PageFormat::Dat2ch;
    if (datFieldCountFits(PageFormat::DatMachi, f.count) && isNumber(f.f[0])) {
        // A seventh field without an ID in the date is Shitaraba's ID.
        if (datFieldCountFits(PageFormat::DatShitaraba, f.count) && f.f[3].find(u"ID:") == npos) {
            return PageFormat::DatShitaraba;
        }
        return PageFormat::DatMachi;
    }
    return PageFormat::Classic;
}

// Reads the post of one line of a log of the given kind; false when the line
// is none.
bool readPost(const DatKind& kind, const Fields& f, std::size_t lineNumber, PostFields& post,
              std::u16string_view& title) {
    if (f.count < kind.fewest || f.count > kind.most) return false;
    if (!kind.numbered) {
        // A 2ch log has no numbers: a post's number is its line.
        post = {lineNumber, f.f[0], f.f[1], f.f[2], {}, {}, {}, f.f[3]};
        title = f.f[4];
        return true;
    }
    if (!isNumber(f.f[0])) return false;
    post = {};
    parseNumber(f.f[0], post.number);
    post.name = f.f[1];
    post.mail = f.f[2];
    post.date = f.f[3];
    post.body = f.f[4];
    title = f.f[5];
    if (f.count == 7) {
        post.id = f.f[6];
        post.idPrefix = kind.idPrefix;
        post.idSuffix = kind.idSuffix;
    }
    return true;
}

// Calls f(line, number) for every line, CR LF or LF ended; the empty text
// after a last line break is no line.
template <class F>
void forEachLine(std::u16string_view page, F f) {
    std::size_t number = 0;
    for (std::size_t start = 0; start < page.size();) {
        std::size_t end = scan::findUnit(page, u'\n', start);
        const std::size_t next = end == npos ? page.size() : end + 1;
        if (end == npos) end = page.size();
        if (end > start && page[end - 1] == u'\r') --end;
        if (!f(page.substr(start, end - start), ++number)) return;
        start = next;
    }
}

}  // namespace

PageFormat recognizeDat(std::u16string_view page, bool whole) {
    // Unless named a log, a page is one when its first line is a post of one.
    const bool firstLineOnly = !whole;
    PageFormat kind = PageFormat::Classic;
    if (firstLineOnly) {
        const std::u16string_view head = page.substr(0, kRecognitionUnits);
        std::size_t end = scan::findUnit(head, u'\n');
        if (end == npos && page.size() > kRecognitionUnits) {
            // A first line longer than the look (a picture of a million
            // characters): the fields before a log's body are short, so the
            // line is read whole when two of them are there already.
            if (splitFields(head).count < 3) return kind;
            end = scan::findUnit(page, u'\n', kRecognitionUnits);
        }
        page = page.substr(0, end);
    }
    forEachLine(page, [&](std::u16string_view line, std::size_t) {
        kind = kindOfLine(splitFields(line));
        // A saved page is no log, whatever its first line holds.
        if (kind != PageFormat::Classic && findNoCase(line, u"<DD") != npos) {
            kind = PageFormat::Classic;
        }
        return kind == PageFormat::Classic && !firstLineOnly;
    });
    return kind;
}

ClassicPage datToClassic(std::u16string_view page, PageFormat format) {
    ClassicPage out;
    const DatKind* found = datKind(format);
    if (found == nullptr) return out;
    const DatKind& kind = *found;
    out.format = format;
    std::u16string_view title;
    PostFields post;
    forEachLine(page, [&](std::u16string_view line, std::size_t number) {
        return !readPost(kind, splitFields(line), number, post, title);
    });
    ClassicPageWriter writer(title, page.size());
    forEachLine(page, [&](std::u16string_view line, std::size_t number) {
        const Fields fields = splitFields(line);
        std::u16string_view ignored;
        if (readPost(kind, fields, number, post, ignored)) {
            writer.post(post);
        } else {
            out.malformed.push_back({number, fields.count});
        }
        return true;
    });
    out.text = writer.finish();
    return out;
}

bool datFieldCountFits(PageFormat kind, std::size_t count) {
    const DatKind* k = datKind(kind);
    return k != nullptr && count >= k->fewest && count <= k->most;
}

std::string_view datFieldCounts(PageFormat kind) {
    const DatKind* k = datKind(kind);
    return k != nullptr ? k->counts : std::string_view();
}

}  // namespace mozaru
