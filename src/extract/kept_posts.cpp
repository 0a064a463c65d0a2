// The posts an extraction keeps, collected through its observer.
#include "extract/kept_posts.h"

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

class KeptPostCollector final : public ExtractObserver {
public:
    explicit KeptPostCollector(std::vector<KeptPost>& posts) : m_posts(posts) {}

    void kept(std::int32_t i, std::u16string_view header, std::u16string_view body) override {
        KeptPost post;
        post.number = postNumberOf(header);
        if (post.number == 0) post.number = static_cast<std::uint64_t>(i);
        const std::size_t dt = lastHeaderStart(header);
        if (dt != npos) post.header = header.substr(dt);
        post.body = body;
        m_posts.push_back(std::move(post));
    }

private:
    std::vector<KeptPost>& m_posts;
};

}  // namespace

Extraction extractPosts(std::u16string_view page, std::int16_t level, std::int16_t mergeFlag,
                        bool withPosts, Detector detector) {
    Extraction out;
    if (!withPosts) {
        out.document = ExtractAA(page, level, mergeFlag, detector);
        return out;
    }
    KeptPostCollector collector(out.posts);
    out.document = ExtractAA(page, level, mergeFlag, detector, collector);
    return out;
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
