// The posts an extraction keeps, collected through its observer.
#include "extract/kept_posts.h"

#include <algorithm>

#include "extract/extract_aa.h"
#include "text/html_tags.h"
#include "text/numbers.h"
#include "text/text.h"

namespace mozaru {

namespace {

std::size_t lastHeaderStart(std::u16string_view header) {
    std::size_t dt = npos;
    for (std::size_t p = 0; (p = findNoCase(header, u"<DT", p)) != npos; ++p) dt = p;
    return dt;
}

// Collects the kept posts, and passes every notice on to the observer it was given.
class KeptPostCollector final : public ExtractObserver {
public:
    KeptPostCollector(std::vector<KeptPost>& posts, ExtractObserver& next)
        : m_posts(posts), m_next(next) {}

    void start(std::int32_t n) override { m_next.start(n); }
    void postDone(std::int32_t i) override { m_next.postDone(i); }
    void finished(std::int32_t n) override { m_next.finished(n); }
    void lineDone() override { m_next.lineDone(); }
    void judged(std::int32_t i, std::u16string_view body, const AAResult& result) override {
        m_next.judged(i, body, result);
    }

    void kept(std::int32_t i, std::u16string_view header, std::u16string_view body) override {
        KeptPost post;
        post.number = postNumberOf(header);
        if (post.number == 0) post.number = static_cast<std::uint64_t>(i);
        const std::size_t dt = lastHeaderStart(header);
        if (dt != npos) post.header = header.substr(dt);
        post.body = body;
        m_posts.push_back(std::move(post));
        m_next.kept(i, header, body);
    }

private:
    std::vector<KeptPost>& m_posts;
    ExtractObserver& m_next;
};

}  // namespace

Extraction extractPosts(std::u16string_view page, std::int16_t level, std::int16_t mergeFlag,
                        bool withPosts, Detector detector) {
    if (!withPosts) return {ExtractAA(page, level, mergeFlag, detector), {}};
    ExtractObserver none;
    return extractPosts(page, level, mergeFlag, true, none, detector);
}

Extraction extractPosts(std::u16string_view page, std::int16_t level, std::int16_t mergeFlag,
                        bool withPosts, ExtractObserver& observer, Detector detector) {
    Extraction out;
    if (!withPosts) {
        out.document = ExtractAA(page, level, mergeFlag, detector, observer);
        return out;
    }
    KeptPostCollector collector(out.posts, observer);
    out.document = ExtractAA(page, level, mergeFlag, detector, collector);
    return out;
}

namespace {

constexpr std::u16string_view kRule = u"<HR>";

std::u16string withoutLineBreaks(std::u16string_view text) {
    std::u16string out;
    for (const char16_t c : text) {
        if (c != u'\r' && c != u'\n') out.push_back(c);
    }
    return out;
}

// The last occurrence of needle that ends at or before end; npos when none.
std::size_t lastBefore(std::u16string_view text, std::u16string_view needle, std::size_t end) {
    std::size_t last = npos;
    for (std::size_t p = 0; (p = findNoCase(text, needle, p)) != npos && p + needle.size() <= end;
         p += needle.size()) {
        last = p;
    }
    return last;
}

}  // namespace

std::vector<KeptPost> keptPostsOfResult(std::u16string_view document) {
    std::vector<KeptPost> posts;
    for (std::size_t at = 0; at <= document.size();) {
        std::size_t rule = findNoCase(document, kRule, at);
        if (rule == npos) rule = document.size();
        std::u16string body = withoutLineBreaks(document.substr(at, rule - at));
        if (!body.empty()) posts.push_back({posts.size() + 1, u"", std::move(body)});
        at = rule + kRule.size();
    }
    return posts;
}

std::u16string pictureAt(std::u16string_view document, std::size_t offset) {
    offset = std::min(offset, document.size());
    std::size_t start = 0;
    if (const std::size_t rule = lastBefore(document, kRule, offset); rule != npos) {
        start = rule + kRule.size();
    }
    if (const std::size_t dd = lastBefore(document, u"<DD", offset); dd != npos && dd >= start) {
        const std::size_t close = document.find(u'>', dd);
        if (close != npos && close < offset + 1) start = close + 1;
    }
    std::size_t end = document.size();
    for (const std::u16string_view marker :
         {kRule, std::u16string_view(u"<DT"), std::u16string_view(u"</DL")}) {
        end = std::min(end, findNoCase(document, marker, start));
    }
    return withoutLineBreaks(document.substr(start, end - start));
}

std::uint64_t postNumberOf(std::u16string_view header) {
    const std::size_t dt = lastHeaderStart(header);
    if (dt == npos) return 0;
    html::Tag tag;
    // The header's text after its own tag: spaces and tags ahead of the number are skipped.
    if (!html::nextTag(header, dt, tag) || tag.begin != dt) return 0;
    for (std::size_t i = tag.end; i < header.size();) {
        if (header[i] == u' ' || header[i] == u'\u3000') {
            ++i;
            continue;
        }
        if (header[i] == u'<' && html::nextTag(header, i, tag) && tag.begin == i) {
            i = tag.end;
            continue;
        }
        std::uint64_t number = 0;
        return parseNumber(header.substr(i), number) ? number : 0;
    }
    return 0;
}

}  // namespace mozaru
