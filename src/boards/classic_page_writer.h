// Writes the classic saved page that every recognised format becomes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mozaru {

// One post's header fields and body, as the source holds them.
struct PostFields {
    std::uint64_t number = 0;
    std::u16string_view name;
    std::u16string_view mail;
    std::u16string_view date;
    // Appended to the date after a space when not empty, between its prefix and suffix.
    std::u16string_view id;
    std::u16string_view idPrefix;
    std::u16string_view idSuffix;
    std::u16string_view body;
};

class ClassicPageWriter {
public:
    // sizeHint: the source's length, to reserve the page's room once.
    ClassicPageWriter(std::u16string_view title, std::size_t sizeHint);
    void post(const PostFields& post);
    // The same in parts, for a body written a piece at a time: the header
    // (post.body is not read), the body's pieces, the post's end.
    void header(const PostFields& post);
    void body(std::u16string_view piece) { m_page.append(piece); }
    void endPost();
    std::u16string finish();

private:
    std::u16string m_page;
};

}  // namespace mozaru
