// The outputs made of the document as it stands: SAVE's HTML and text, and
// the extraction's result.
#include "exports/writers.h"

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
    sink(input.document);
}

}  // namespace mozaru::writers
