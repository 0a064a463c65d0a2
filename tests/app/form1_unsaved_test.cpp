// Closing with unsaved work: the document is kept in the user's data folder
// and offered back at the next start.
#include <QTemporaryDir>
#include <QTest>

#include "support/document_fixture.h"

using namespace mozaru;
using namespace mozaru::test;

class Form1UnsavedTest : public QObject {
    Q_OBJECT
private slots:
    void keptOnCloseAndOfferedBack_data();
    void keptOnCloseAndOfferedBack();
};

void Form1UnsavedTest::keptOnCloseAndOfferedBack_data() {
    // l: load "page", t: type "x", u: undo, s: save, b: 改行付加 (a whole-document step)
    QTest::addColumn<QString>("steps");
    QTest::addColumn<bool>("answer");   // to the question at the next start
    QTest::addColumn<QString>("kept");  // the document offered back; "" for none
    QTest::newRow("typed, restored") << "t" << true << "x";
    QTest::newRow("typed, declined") << "t" << false << "x";
    QTest::newRow("loaded, typed") << "lt" << true << "pagex";
    QTest::newRow("loaded only") << "l" << true << "";
    QTest::newRow("typed, then undone") << "ltu" << true << "";
    QTest::newRow("typed, then saved") << "lts" << true << "";
    QTest::newRow("a command after loading") << "lb" << true << "page";
}

void Form1UnsavedTest::keptOnCloseAndOfferedBack() {
    QFETCH(QString, steps);
    QFETCH(bool, answer);
    QFETCH(QString, kept);
    QTemporaryDir data;
    const auto open = [&](DocumentFixture& f) {
        f.w().setUserFolders({}, data.path());
        f.w().show();
        QVERIFY(QTest::qWaitForWindowActive(&f.w()));
    };
    {
        DocumentFixture f;
        open(f);
        const QString page = f.put(QStringLiteral("page.txt"), "page");
        for (const QChar step : steps) {
            if (step == u'l') f.w().LoadDocument(page);
            if (step == u't') {
                f.w().RichTextBox1->SendScintilla(QsciScintillaBase::SCI_DOCUMENTEND);
                QTest::keyClicks(f.w().RichTextBox1, QStringLiteral("x"));
            }
            if (step == u'u') QTest::keyClick(&f.w(), Qt::Key_Z, Qt::ControlModifier);
            if (step == u's') {
                f.prompts.files = {f.path(QStringLiteral("saved.html"))};
                f.w().Command5_Click();
            }
            if (step == u'b') f.w().Command1_Click();
        }
        QVERIFY(f.w().close());  // never refused
    }
    DocumentFixture next;
    next.w().setUserFolders({}, data.path());
    next.prompts.answers = {answer};
    next.w().Form_Load();
    QCOMPARE(next.prompts.questions.size(), std::size_t(kept.isEmpty() ? 0 : 1));
    if (!kept.isEmpty()) {
        QCOMPARE(next.prompts.questions[0].text,
                 QStringLiteral("前回の終了時に保存されていなかった編集内容があります。"
                                "復元しますか？"));
        QCOMPARE(next.prompts.questions[0].title, QStringLiteral("確認"));
        QVERIFY(next.prompts.questions[0].yesIsDefault);
    }
    QCOMPARE(next.document(), answer ? kept : QString());
    // A fresh history: nothing before this start to undo.
    QVERIFY(!next.w().RichTextBox1->canUndo());
    // Declined, it is gone; restored, it is kept again on the next close.
    QCOMPARE(QFile::exists(next.w().unsavedDocumentPath()), answer && !kept.isEmpty());
}

QTEST_MAIN(Form1UnsavedTest)
#include "form1_unsaved_test.moc"
