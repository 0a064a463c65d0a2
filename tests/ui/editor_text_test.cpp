// The document's UTF-16 with CR LF lines and the edit area's UTF-8.
#include "ui/editor_text.h"

#include <gtest/gtest.h>

namespace mozaru {
namespace {

struct ToEditorCase {
    std::u16string document;
    std::string editor;
    bool lineBreaksKept;
};

class DocumentToEditorTest : public ::testing::TestWithParam<ToEditorCase> {};

TEST_P(DocumentToEditorTest, EveryBreakBecomesCrLf) {
    bool kept = !GetParam().lineBreaksKept;
    EXPECT_EQ(documentToEditor(GetParam().document, &kept), GetParam().editor);
    EXPECT_EQ(kept, GetParam().lineBreaksKept);
}

INSTANTIATE_TEST_SUITE_P(
    Breaks, DocumentToEditorTest,
    ::testing::Values(
        ToEditorCase{u"", "", true}, ToEditorCase{u"a\r\nb", "a\r\nb", true},
        ToEditorCase{u"a\rb", "a\r\nb", false}, ToEditorCase{u"a\nb", "a\r\nb", false},
        ToEditorCase{u"\r\r\n\n", "\r\n\r\n\r\n", false}, ToEditorCase{u"\n\r", "\r\n\r\n", false},
        ToEditorCase{u"x\r", "x\r\n", false},
        ToEditorCase{u"abcdefgh\r\nij", "abcdefgh\r\nij", true},
        ToEditorCase{u"abc\ndefgh", "abc\r\ndefgh", false},
        // Characters the old edit area took for line breaks pass as they are.
        ToEditorCase{u"\u00a0\u2028", "\xC2\xA0\xE2\x80\xA8", true},
        ToEditorCase{u"\u2029\uFDD0\uFDD1", "\xE2\x80\xA9\xEF\xB7\x90\xEF\xB7\x91", true},
        ToEditorCase{u"葛\U000E0100", "\xE8\x91\x9B\xF3\xA0\x84\x80", true},
        // Lone surrogates keep their unit in three bytes.
        ToEditorCase{u"a\xD800", "a\xED\xA0\x80", true},
        ToEditorCase{u"\xDC00\xD83D", "\xED\xB0\x80\xED\xA0\xBD", true}));

struct ToDocumentCase {
    std::string editor;
    std::u16string document;
};

class EditorToDocumentTest : public ::testing::TestWithParam<ToDocumentCase> {};

TEST_P(EditorToDocumentTest, EveryLineEndsWithCrLf) {
    EXPECT_EQ(editorToDocument(GetParam().editor), GetParam().document);
}

INSTANTIATE_TEST_SUITE_P(
    Breaks, EditorToDocumentTest,
    ::testing::Values(ToDocumentCase{"", u""}, ToDocumentCase{"a\nb", u"a\r\nb"},
                      ToDocumentCase{"a\r\nb", u"a\r\nb"}, ToDocumentCase{"a\rb", u"a\r\nb"},
                      ToDocumentCase{"a\xE2\x80\xA9"
                                     "b",
                                     u"a\u2029b"},
                      ToDocumentCase{"\r\n\xE2\x80\xA9", u"\r\n\u2029"},
                      ToDocumentCase{"<BR>\xC2\xA0", u"<BR>\u00a0"},
                      ToDocumentCase{"abcdefgh\nabcdefgh", u"abcdefgh\r\nabcdefgh"},
                      ToDocumentCase{"\xF0\x9F\x98\x80", u"\U0001F600"},
                      ToDocumentCase{"\xED\xA0\x80x", u"\xD800x"},
                      // Bytes that begin no character: one U+FFFD each.
                      ToDocumentCase{"\x80\xC0\x80", u"\uFFFD\uFFFD\uFFFD"},
                      ToDocumentCase{"\xE3\x81", u"\uFFFD\uFFFD"},
                      ToDocumentCase{"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"}));

TEST(EditorTextTest, DocumentsWithCrLfComeBackExactly) {
    const std::u16string document =
        u"\r\n<HR>\r\n　∧＿∧<BR>（´・ω・）<BR>ｱｲｳ &#9786; ё\xD800\U0001F431\r\n<HR>";
    EXPECT_EQ(editorToDocument(documentToEditor(document)), document);
}

}  // namespace
}  // namespace mozaru
