// The edit area's one history: typing and whole-document steps, undone and
// redone in the order they were made, within the history's budget.
#include "ui/rich_text_box.h"

#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <string>

#include "ui/document_history.h"
#include "ui/editor_text.h"

using namespace mozaru;

namespace {

QString text(const RichTextBox& box) {
    return QStringView(box.documentView()).toString();
}

void typeAtEnd(RichTextBox& box, const QString& keys) {
    box.SendScintilla(QsciScintillaBase::SCI_DOCUMENTEND);
    QTest::keyClicks(&box, keys);
}

// Lines enough that the editor takes the text in more than one slice.
std::u16string manyLines(char16_t mark) {
    std::u16string text;
    for (int line = 0; line < 150000; ++line) {
        text += std::u16string(5, mark);
        for (const char c : std::to_string(line)) text += static_cast<char16_t>(c);
        text += u"\r\n";
    }
    return text;
}

// What the editor holds, read back from it rather than from the text kept.
struct Held {
    std::string bytes;
    long lines = 0;
};

Held held(const RichTextBox& box) {
    return {std::string(box.editorBytes()), box.SendScintilla(QsciScintillaBase::SCI_GETLINECOUNT)};
}

Held expectedHeld(std::u16string_view document) {
    std::string bytes = documentToEditor(document);
    const auto lines = static_cast<long>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
    return {std::move(bytes), lines};
}

}  // namespace

class RichTextBoxTest : public QObject {
    Q_OBJECT
private slots:
    void stepsAndTypingInOneHistory();
    void typingEndsWhatCouldBeRedone();
    void assigningStartsAfresh();
    void budgetKeepsTheNewestSteps();
    void undoingPastADroppedStepKeepsTheDocument();
    void aStepOverTypingKeepsEveryByte_data();
    void aStepOverTypingKeepsEveryByte();
    void aNewDocumentKeepsTheEditorsSettings_data();
    void aNewDocumentKeepsTheEditorsSettings();
};

void RichTextBoxTest::stepsAndTypingInOneHistory() {
    RichTextBox box;
    box.show();
    box.setDocumentText(u"A\r\nB");
    typeAtEnd(box, QStringLiteral("x"));
    box.replaceDocument(u"<HR>\r\nC");
    typeAtEnd(box, QStringLiteral("y"));
    QSignalSpy changes(&box, &RichTextBox::changed);
    const QStringList expected{QStringLiteral("<HR>\r\nC"), QStringLiteral("A\r\nBx"),
                               QStringLiteral("A\r\nB")};
    for (const QString& state : expected) {
        box.undo();
        QCOMPARE(text(box), state);
    }
    QVERIFY(!box.canUndo());
    QCOMPARE(changes.count(), 3);  // the window's enabling rule sees every step
    const QStringList again{QStringLiteral("A\r\nBx"), QStringLiteral("<HR>\r\nC"),
                            QStringLiteral("<HR>\r\nCy")};
    for (const QString& state : again) {
        box.redo();
        QCOMPARE(text(box), state);
    }
    QVERIFY(!box.canRedo());
}

void RichTextBoxTest::typingEndsWhatCouldBeRedone() {
    RichTextBox box;
    box.show();
    box.setDocumentText(u"A");
    box.replaceDocument(u"B");
    box.replaceDocument(u"C");
    box.undo();
    box.undo();
    QCOMPARE(text(box), QStringLiteral("A"));
    QCOMPARE(box.history().steps(), std::size_t{2});
    typeAtEnd(box, QStringLiteral("z"));
    QVERIFY(!box.canRedo());
    QCOMPARE(box.history().steps(), std::size_t{0});  // nothing kept that cannot come back
    box.undo();
    QCOMPARE(text(box), QStringLiteral("A"));
}

void RichTextBoxTest::assigningStartsAfresh() {
    RichTextBox box;
    box.setDocumentText(u"A");
    box.replaceDocument(u"B");
    box.setDocumentText(u"C");
    QVERIFY(!box.canUndo());
    QCOMPARE(box.history().steps(), std::size_t{0});
    box.undo();
    QCOMPARE(text(box), QStringLiteral("C"));
}

void RichTextBoxTest::budgetKeepsTheNewestSteps() {
    DocumentHistory history(2, 1);  // two steps whatever they hold
    const std::u16string big(100000, u'あ');
    const int first = history.push(big);
    const int second = history.push(u"b");
    const int third = history.push(u"c");
    QCOMPARE(history.steps(), std::size_t{2});
    QVERIFY(!history.undo(first, u"x"));
    QCOMPARE(history.undo(third, u"d").value_or(u"?"), std::u16string(u"c"));
    QCOMPARE(history.undo(second, u"c").value_or(u"?"), std::u16string(u"b"));
    QCOMPARE(history.redo(second).value_or(u"?"), std::u16string(u"c"));
    QCOMPARE(history.redo(third).value_or(u"?"), std::u16string(u"d"));
    // Compressed: a hundred thousand of one kana hold a few hundred bytes.
    DocumentHistory one;
    one.push(big);
    QVERIFY(one.bytes() < 1000);
}

void RichTextBoxTest::undoingPastADroppedStepKeepsTheDocument() {
    RichTextBox box(nullptr, 2, 1);  // keeps the two newest steps only
    box.setDocumentText(u"A");
    typeAtEnd(box, QStringLiteral("a"));
    for (const char16_t* next : {u"B", u"C", u"D"}) box.replaceDocument(next);
    box.undo();
    box.undo();
    QCOMPARE(text(box), QStringLiteral("B"));
    // The step from "Aa" to "B" is gone: the history ends, and the document
    // stays whole rather than taking typing meant for another text.
    box.undo();
    QCOMPARE(text(box), QStringLiteral("B"));
    QVERIFY(!box.canUndo());
    QVERIFY(!box.canRedo());
}

void RichTextBoxTest::aStepOverTypingKeepsEveryByte_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("first byte a multi-byte character") << "あい"
                                                       << "\r\nB";
    QTest::newRow("first byte a CR") << "\r\nA"
                                     << "\nB\rC";
    QTest::newRow("from nothing") << ""
                                  << "B";
    QTest::newRow("to nothing") << "A"
                                << "";
    QTest::newRow("longer than a slice") << QString::fromStdU16String(manyLines(u'あ'))
                                         << QString::fromStdU16String(manyLines(u'い'));
}

void RichTextBoxTest::aStepOverTypingKeepsEveryByte() {
    QFETCH(QString, before);
    QFETCH(QString, after);
    RichTextBox box;
    box.show();
    box.setDocumentText(before.toStdU16String());
    // Typing, and the editor's undo history refers to the document it holds.
    typeAtEnd(box, QStringLiteral("z"));
    QTest::keyClick(&box, Qt::Key_Backspace);
    box.replaceDocument(after.toStdU16String());
    const Held replaced = held(box);
    const Held afterHeld = expectedHeld(RichTextBox::prepareText(after.toStdU16String()).document);
    QCOMPARE(replaced.lines, afterHeld.lines);
    QVERIFY(replaced.bytes == afterHeld.bytes);
    box.undo();
    const Held undone = held(box);
    const Held beforeHeld = expectedHeld(before.toStdU16String());
    QCOMPARE(undone.lines, beforeHeld.lines);
    QVERIFY(undone.bytes == beforeHeld.bytes);
}

void RichTextBoxTest::aNewDocumentKeepsTheEditorsSettings_data() {
    QTest::addColumn<bool>("replaced");  // else assigned
    QTest::newRow("assigned") << false;
    QTest::newRow("a step with nothing to undo") << true;
}

void RichTextBoxTest::aNewDocumentKeepsTheEditorsSettings() {
    QFETCH(bool, replaced);
    RichTextBox box;
    box.show();
    box.setDocumentText(replaced ? u"x" : u"A");
    if (replaced) box.replaceDocument(u"A");
    QCOMPARE(box.isChanged(), replaced);
    // Enter writes CR LF, a kana goes in as UTF-8, and the typing is undone.
    box.SendScintilla(QsciScintillaBase::SCI_DOCUMENTEND);
    QTest::keyClick(&box, Qt::Key_Return);
    QTest::sendKeyEvent(QTest::Click, &box, Qt::Key_unknown, QStringLiteral("あ"), Qt::NoModifier);
    QVERIFY(box.editorBytes() == "A\r\n\xE3\x81\x82");
    QCOMPARE(text(box), QStringLiteral("A\r\nあ"));
    QVERIFY(box.isChanged());
    box.undo();  // the typing, as one
    QCOMPARE(text(box), QStringLiteral("A"));
    QCOMPARE(box.isChanged(), replaced);
    box.undo();
    QCOMPARE(text(box), replaced ? QStringLiteral("x") : QStringLiteral("A"));
    QVERIFY(!box.isChanged());
}

QTEST_MAIN(RichTextBoxTest)
#include "rich_text_box_test.moc"
