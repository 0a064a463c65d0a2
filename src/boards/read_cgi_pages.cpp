// Thread pages as 5ch's read.cgi (ver 06 to 09) and bbspink's (ver 06) serve
// them: one element per post whose parts are told by their classes.
#include <array>

#include "boards/board_forms.h"
#include "boards/classic_page_writer.h"
#include "boards/post_markup.h"
#include "text/html_tags.h"
#include "text/text.h"

namespace mozaru {

namespace {

using html::Tag;

struct Layout {
    PageFormat format;
    std::u16string_view container;    // the element of one post, of class "post"
    std::u16string_view numberClass;  // of the element holding the post's number
    // The element that numberClass must be (empty: any) for the layout to be
    // recognised by it; a layout with a number element needs one before the body.
    std::u16string_view numberTag;
    bool needsNumber;
    std::u16string_view nameClass;
    std::u16string_view bodyTag;
    std::u16string_view bodyClass;
};

// The date and the ID are of the classes "date" and "uid" in every layout. A
// post is recognised by the first of these that its body element fits:
// ver 07 (number in a span) is looked for before ver 06 (in any element).
constexpr std::array<Layout, 5> kLayouts{{
    {PageFormat::ReadCgi08, u"article", u"postid", u"", true, u"postusername", u"section",
     u"post-content"},
    {PageFormat::ReadCgi076, u"div", u"postid", u"", true, u"postusername", u"div",
     u"post-content"},
    {PageFormat::ReadCgi07, u"div", u"number", u"span", true, u"name", u"div", u"message"},
    {PageFormat::ReadCgi06, u"div", u"number", u"", true, u"name", u"div", u"message"},
    {PageFormat::Bbspink06, u"dl", u"number", u"", false, u"name", u"dd", u"thread_in"},
}};

const Layout* layoutOf(PageFormat format) {
    for (const Layout& layout : kLayouts) {
        if (layout.format == format) return &layout;
    }
    return nullptr;
}

bool isPostStart(const Tag& tag, std::u16string_view classes, std::u16string_view container) {
    return !tag.closing && html::isNamed(tag, container) && html::classListHas(classes, u"post");
}

// Any layout's container, for recognition.
bool isAnyPostStart(const Tag& tag, std::u16string_view classes) {
    for (const Layout& layout : kLayouts) {
        if (isPostStart(tag, classes, layout.container)) return true;
    }
    return false;
}

enum Field { kNumber, kName, kDate, kUid, kBody, kFields, kNone = kFields };

Field fieldOf(const Tag& tag, std::u16string_view classes, const Layout& layout) {
    if (html::classListHas(classes, layout.bodyClass) && html::isNamed(tag, layout.bodyTag)) {
        return kBody;
    }
    if (html::classListHas(classes, layout.numberClass)) return kNumber;
    if (html::classListHas(classes, layout.nameClass)) return kName;
    if (html::classListHas(classes, u"date")) return kDate;
    if (html::classListHas(classes, u"uid")) return kUid;
    return kNone;
}

std::u16string_view innerOf(std::u16string_view page, const Tag& open, const Tag& close) {
    return page.substr(open.end, close.begin - open.end);
}

// One page being read in one layout.
struct Reading {
    std::u16string_view page;
    const Layout& layout;
    html::CloseFinder closes;
    // The <dd> tags of a classic page's entries met outside the posts'
    // parts: a page that switches from one form to the other.
    std::size_t classicEntries = 0;

    // Counts tag when it is a classic entry's.
    void look(const Tag& tag) {
        if (!tag.closing && html::isNamed(tag, u"dd") &&
            !(html::isNamed(tag, layout.bodyTag) && html::hasClass(tag, layout.bodyClass))) {
            ++classicEntries;
        }
    }
};

// The title before the first post: an element of id "threadtitle" if there
// is one, else <title>. Leaves start at the first post; false when none.
bool findFirstPost(Reading& reading, std::u16string_view& title, Tag& start) {
    const std::u16string_view page = reading.page;
    bool fromThreadTitle = false;
    for (std::size_t p = 0; html::nextTag(page, p, start); p = start.end) {
        reading.look(start);
        if (start.closing) continue;
        if (isPostStart(start, html::attribute(start, u"class"), reading.layout.container)) {
            return true;
        }
        const bool threadTitle = html::attribute(start, u"id") == u"threadtitle";
        const bool titleTag = title.empty() && html::isNamed(start, u"title");
        Tag close;
        if (fromThreadTitle || !(threadTitle || titleTag) || !reading.closes.find(start, close)) {
            continue;
        }
        title = html::trimLayout(innerOf(page, start, close));
        fromThreadTitle = threadTitle;
        start.end = close.end;
    }
    return false;
}

// Reads the post whose element start opens; start becomes the next post's
// element and more tells whether there is one. A part that never closes
// runs to the next part, or the next post. False for an element without a
// body (no post) and when the page ends within a part: a post cut off is
// left out.
bool readPost(Reading& reading, Tag& start, PostFields& post, std::u16string& storage, bool& more) {
    const std::u16string_view page = reading.page;
    const Layout& layout = reading.layout;
    std::array<std::u16string_view, kFields> fields{};
    std::array<bool, kFields> seen{};
    Field unclosed = kNone;  // the part that runs to what comes next
    std::size_t unclosedFrom = 0;
    const auto endUnclosed = [&](std::size_t at) {
        if (unclosed != kNone) fields[unclosed] = page.substr(unclosedFrom, at - unclosedFrom);
        unclosed = kNone;
    };
    more = false;
    Tag tag;
    for (std::size_t p = start.end; html::nextTag(page, p, tag); p = tag.end) {
        if (unclosed == kNone) reading.look(tag);  // inside a part it is the part's text
        if (tag.closing || tag.attrs.empty()) continue;
        const std::u16string_view classes = html::attribute(tag, u"class");
        if (isPostStart(tag, classes, layout.container)) {
            more = true;
            break;
        }
        if (seen[kBody]) continue;
        const Field field = fieldOf(tag, classes, layout);
        if (field == kNone || seen[field]) continue;
        endUnclosed(tag.begin);
        seen[field] = true;
        Tag close;
        if (!reading.closes.find(tag, close)) {
            unclosed = field;
            unclosedFrom = tag.end;
            continue;
        }
        fields[field] = innerOf(page, tag, close);
        tag.end = close.end;
    }
    if (!more && unclosed != kNone) return false;
    endUnclosed(tag.begin);
    if (more) start = tag;
    if (!seen[kBody]) return false;
    post = {};
    if (!numberIn(fields[kNumber], post.number)) post.number = 0;
    readName(fields[kName], post, storage);
    post.date = html::trimLayout(fields[kDate]);
    post.id = html::trimLayout(fields[kUid]);
    post.body = unwrapBody(page, fields[kBody], reading.closes);
    return true;
}

// Which layout the post whose element start opens is written in, judged by
// its container, the element of its number and its body; Classic when it fits none.
PageFormat layoutOfPost(std::u16string_view page, const Tag& start) {
    // The element of the first number of each class seen, by kLayouts' numberClass.
    std::array<std::u16string_view, kLayouts.size()> numberTags{};
    Tag tag;
    for (std::size_t p = start.end; html::nextTag(page, p, tag); p = tag.end) {
        if (tag.closing || tag.attrs.empty()) continue;
        const std::u16string_view classes = html::attribute(tag, u"class");
        if (isAnyPostStart(tag, classes)) return PageFormat::Classic;
        for (std::size_t k = 0; k < kLayouts.size(); ++k) {
            const Layout& layout = kLayouts[k];
            if (numberTags[k].empty() && html::classListHas(classes, layout.numberClass)) {
                numberTags[k] = tag.name;
            }
            if (!html::classListHas(classes, layout.bodyClass) ||
                !html::isNamed(start, layout.container) || !html::isNamed(tag, layout.bodyTag)) {
                continue;
            }
            if (layout.needsNumber && numberTags[k].empty()) continue;
            if (!layout.numberTag.empty() && !html::equalsNoCase(numberTags[k], layout.numberTag)) {
                continue;
            }
            return layout.format;
        }
    }
    return PageFormat::Classic;
}

}  // namespace

PageFormat recognizeReadCgi(std::u16string_view page, bool whole) {
    const std::u16string_view head = whole ? page : page.substr(0, kRecognitionUnits);
    Tag tag;
    for (std::size_t p = 0; html::nextTag(head, p, tag); p = tag.end) {
        if (tag.closing || tag.attrs.empty()) continue;
        if (!isAnyPostStart(tag, html::attribute(tag, u"class"))) continue;
        const PageFormat layout = layoutOfPost(head, tag);
        if (layout != PageFormat::Classic) return layout;
    }
    return PageFormat::Classic;
}

ClassicPage readCgiToClassic(std::u16string_view page, PageFormat format) {
    ClassicPage out;
    const Layout* layout = layoutOf(format);
    if (layout == nullptr) return out;
    out.format = format;
    std::u16string_view title;
    Tag start;
    Reading reading{page, *layout, html::CloseFinder(page)};
    const bool any = findFirstPost(reading, title, start);
    ClassicPageWriter writer(title, page.size());
    std::u16string storage;
    PostFields post;
    std::uint64_t position = 0;
    for (bool more = any; more;) {
        if (!readPost(reading, start, post, storage, more)) continue;
        if (post.number == 0) post.number = position + 1;
        ++position;
        writer.post(post);
    }
    out.text = writer.finish();
    out.classicEntries = reading.classicEntries;
    return out;
}

}  // namespace mozaru
