// The outputs made of the document as it stands: SAVE's HTML and text, and
// the extraction's result.
#include "exports/writers.h"
#include "extract/post_header.h"
#include "text/html_text.h"

namespace mozaru::writers {

void saveHtml(const ExportInput& input, const TextSink& sink) {
    sink(u"<HTML><BODY>");
    sink(input.document);
    sink(u"</BODY></HTML>\r\n");
}

void saveText(const ExportInput& input, const TextSink& sink) {
    sink(input.document);
    sink(u"\r\n");
}

void keptBodies(const ExportInput& input, const TextSink& sink) {
    if (!input.options.fromPosts) {
        sink(input.document);
        return;
    }
    // The extraction's layout over the posts picked: every body after a
    // rule on a line of its own, the last rule after the last body.
    for (const KeptPost& post : input.posts) {
        sink(u"\r\n<HR>\r\n");
        PostHeader header;
        if (input.options.withHeader && parsePostHeader(post.header, header)) {
            sink(html::escaped(shownHeader(header)));
            sink(u"<BR>");
        }
        sink(post.body);
    }
    if (!input.posts.empty()) sink(u"<HR>");
}

}  // namespace mozaru::writers
