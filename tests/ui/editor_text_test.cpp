// The edit area's line breaks and the document's CR LF lines.
#include "ui/editor_text.h"

#include <gtest/gtest.h>

namespace mozaru {
namespace {

struct BreakCase {
    std::u16string document;
    std::u16string editor;
};

class DocumentToEditorTest : public ::testing::TestWithParam<BreakCase> {};

TEST_P(DocumentToEditorTest, EveryBreakBecomesOneLf) {
    EXPECT_EQ(documentToEditor(GetParam().document), GetParam().editor);
}

INSTANTIATE_TEST_SUITE_P(Breaks, DocumentToEditorTest,
                         ::testing::Values(BreakCase{u"", u""}, BreakCase{u"a\r\nb", u"a\nb"},
                                           BreakCase{u"a\rb", u"a\nb"}, BreakCase{u"a\nb", u"a\nb"},
                                           BreakCase{u"\r\r\n\n", u"\n\n\n"},
                                           BreakCase{u"\n\r", u"\n\n"}, BreakCase{u"x\r", u"x\n"},
                                           BreakCase{u"\u00a0\u2028", u"\u00a0\u2028"}));

class EditorToDocumentTest : public ::testing::TestWithParam<BreakCase> {};

TEST_P(EditorToDocumentTest, EveryLineEndsWithCrLf) {
    EXPECT_EQ(editorToDocument(GetParam().editor), GetParam().document);
}

INSTANTIATE_TEST_SUITE_P(Breaks, EditorToDocumentTest,
                         ::testing::Values(BreakCase{u"", u""}, BreakCase{u"a\r\nb", u"a\nb"},
                                           BreakCase{u"a\r\nb", u"a\u2029b"},
                                           BreakCase{u"\r\n\r\n", u"\n\u2029"},
                                           BreakCase{u"<BR>\u00a0", u"<BR>\u00a0"}));

}  // namespace
}  // namespace mozaru
