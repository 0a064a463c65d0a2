// The window's commands out of memory: the command's failure message, the
// document as it was, the busy state left. Every allocation above a limit
// fails while a test holds the limit.
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "extract/form3.h"
#include "support/allocation_limit.h"
#include "support/window_fixture.h"
#include "ui/rich_text_box.h"

using namespace mozaru;
using test::AllocationLimit;

class Form1OutOfMemoryTest : public QObject {
    Q_OBJECT
private slots:
    void commandsSurvive_data();
    void commandsSurvive();
};

void Form1OutOfMemoryTest::commandsSurvive_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("limit");
    const QString memory = QStringLiteral("\r\n【エラー内容】\r\nメモリが不足しています");
    QTest::newRow("AAの抽出") << 2 << QStringLiteral("AAの抽出に失敗しました") + memory
                              << (256 << 10);
    QTest::newRow("改行付加") << 1 << QStringLiteral("改行付加に失敗しました") + memory
                              << (256 << 10);
    QTest::newRow("改行除去") << 7 << QStringLiteral("改行除去に失敗しました") + memory
                              << (256 << 10);
    QTest::newRow("LOAD") << 4 << QStringLiteral("ファイルの読み込みに失敗しました") + memory
                          << (256 << 10);
    // SAVE encodes a slice at a time: only its slice of 64 KB is above this limit.
    QTest::newRow("SAVE, while encoding")
        << 5 << QStringLiteral("ファイルの保存に失敗しました") + memory << (32 << 10);
}

void Form1OutOfMemoryTest::commandsSurvive() {
    QFETCH(int, command);
    QFETCH(QString, message);
    QFETCH(int, limit);
    WindowFixture f;
    Form1& w = f.w();
    // Large enough that every command needs more than its limit at once.
    std::u16string page = u"<DL><DT>1<DD>";
    for (int i = 0; i < 40000; ++i) page += u"　∧＿∧<BR>（　´∀｀）<BR>\r\n";
    page += u"</DL>";
    w.RichTextBox1->setDocumentText(page);
    w.Form_Paint();
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("page.html"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    QVERIFY(out.write(QByteArray(4 << 20, 'x')) == (4 << 20));
    out.close();
    if (command == 2) {
        f.prompts.dialogs.push_back(
            [](QDialog& dialog) { dynamic_cast<Form3&>(dialog).Command1_Click(); });
    }
    f.prompts.files.push_back(dir.filePath(QStringLiteral("saved.html")));
    {
        const AllocationLimit limited(static_cast<std::size_t>(limit));
        switch (command) {
            case 1:
                w.Command1_Click();
                break;
            case 2:
                w.Command2_Click();
                break;
            case 4:
                w.LoadDocument(file);
                break;
            case 5:
                w.Command5_Click();
                break;
            case 7:
                w.Command7_Click();
                break;
        }
    }
    QCOMPARE(f.prompts.messages.size(), std::size_t{1});
    QCOMPARE(f.prompts.messages.back().text, message);
    QCOMPARE(f.prompts.messages.back().title, QStringLiteral("確認"));
    QVERIFY(w.RichTextBox1->documentView() == page);
    QVERIFY(!w.RichTextBox1->isHidden());
    QCOMPARE(w.BusyFlag, kFalse);
    QCOMPARE(f.enabledButtons(), QStringLiteral("1111111"));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("saved.html"))));
}

QTEST_MAIN(Form1OutOfMemoryTest)
#include "form1_out_of_memory_test.moc"
