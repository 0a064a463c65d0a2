// The classic saved page: read.cgi's old layout, one post a line.
#include "boards/classic_page_writer.h"

#include "text/numbers.h"
#include "text/text.h"

namespace mozaru {

ClassicPageWriter::ClassicPageWriter(std::u16string_view title, std::size_t sizeHint) {
    // The header adds about 60 units a post to what the source holds.
    reserveOutput(m_page, sizeHint + sizeHint / 4 + 512);
    m_page.append(
        u"<HTML><HEAD><META http-equiv=\"Content-Type\" content=\"text/html; "
        u"charset=Shift_JIS\"><TITLE>");
    m_page.append(title);
    m_page.append(u"</TITLE></HEAD><BODY>\r\n<DL>\r\n");
}

void ClassicPageWriter::post(const PostFields& post) {
    header(post);
    body(post.body);
    endPost();
}

void ClassicPageWriter::header(const PostFields& post) {
    char16_t digits[20];
    std::size_t n = 0;
    std::uint64_t number = post.number;
    do {
        digits[n++] = static_cast<char16_t>(u'0' + number % 10);
        number /= 10;
    } while (number > 0);
    m_page.append(u"<DT>");
    while (n > 0) m_page.push_back(digits[--n]);
    m_page.append(u" \uFF1A");
    if (!post.mail.empty()) {
        m_page.append(u"<A HREF=\"mailto:");
        m_page.append(post.mail);
        m_page.append(u"\"><B>");
    } else {
        m_page.append(u"<B>");
    }
    m_page.append(post.name);
    m_page.append(post.mail.empty() ? u"</B>\uFF1A" : u"</B></A>\uFF1A");
    m_page.append(post.date);
    if (!post.id.empty()) {
        m_page.push_back(u' ');
        m_page.append(post.idPrefix);
        m_page.append(post.id);
        m_page.append(post.idSuffix);
    }
    m_page.append(u"<DD>");
}

void ClassicPageWriter::endPost() {
    // What read.cgi added after every post.
    m_page.append(u"<BR><BR>\r\n");
}

std::u16string ClassicPageWriter::finish() {
    m_page.append(u"</DL></BODY></HTML>");
    return std::move(m_page);
}

}  // namespace mozaru
