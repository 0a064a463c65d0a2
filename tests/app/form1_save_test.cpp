// SAVE in the window: the format dialog, the save dialog, the bytes written,
// the question for a name the forced extension hits, and failed writes.
#include <QRadioButton>

#include "exports/form2.h"
#include "support/before_rename_probe.h"
#include "support/document_fixture.h"
#ifndef _WIN32
#include "support/file_size_limit.h"
#endif

using namespace mozaru;
using namespace mozaru::test;

namespace {

const QString kSaveFilter =
    QStringLiteral("HTML形式(*.htm;*.html)|*.htm;*.html|ﾃｷｽﾄ形式(*.txt)|*.txt|すべて|*.*");
const QString kSaved = QStringLiteral("ファイルを保存しました");
const QString kFailurePrefix = QStringLiteral("ファイルの保存に失敗しました\r\n【エラー内容】\r\n");

enum class Close { Button, CloseBox };

// A handler for the format dialog: picks text or HTML, then closes it.
std::function<void(QDialog&)> chooseFormat(bool text, Close close = Close::Button) {
    return [text, close](QDialog& dialog) {
        const QString caption = text ? QStringLiteral("『テキスト形式』で保存する")
                                     : QStringLiteral("『ＨＴＭＬ形式』で保存する");
        for (QRadioButton* option : dialog.findChildren<QRadioButton*>()) {
            if (option->text() == caption) option->setChecked(true);
        }
        if (close == Close::Button) {
            for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
                if (button->text() == QStringLiteral("Ｏ　Ｋ")) button->click();
            }
        } else {
            dialog.reject();
        }
    };
}

}  // namespace

class Form1SaveTest : public QObject {
    Q_OBJECT
private slots:
    void editAreaKeepsEveryCharacter();
    void bytesWritten_data();
    void bytesWritten();
    void formatDialogClosedAnyWay_data();
    void formatDialogClosedAnyWay();
    void proposalAfterLoadingIsTheNameWithTheFormatsExtension();
    void cancelledSaveDialogIsSilent();
    void emptyDocumentNeverEntersBusy();
    void forcedExtensionHitsAnExistingFile_data();
    void forcedExtensionHitsAnExistingFile();
    void failedWrite_data();
    void failedWrite();
    void failedWriteLeavesTheOldFileWhole();
    void overlongProposalEndsSilently();
    void overlongChosenPathIsAFailure();
};

void Form1SaveTest::editAreaKeepsEveryCharacter() {
    // U+2029, U+FDD0 and U+FDD1, which a text document takes for line
    // breaks, pass through load, a command and save unchanged.
    DocumentFixture f;
    const QString page =
        f.put(QStringLiteral("in.txt"),
              hex("EF BB BF 61 E2 80 A9 62 EF B7 90 63 EF B7 91 64 3C 42 52 3E 65"));
    f.w().LoadDocument(page);
    QCOMPARE(f.document(), QStringLiteral("a\u2029b\uFDD0c\uFDD1d<BR>e"));
    f.w().Command1_Click();
    f.prompts.dialogs = {chooseFormat(true)};
    f.prompts.files = {f.path(QStringLiteral("out.txt"))};
    f.w().Command5_Click();
    QCOMPARE(f.get(f.path(QStringLiteral("out.txt"))),
             QByteArray("a&#8233;b&#64976;c&#64977;d<br>\r\ne\r\n"));
}

void Form1SaveTest::bytesWritten_data() {
    QTest::addColumn<bool>("text");
    QTest::addColumn<QString>("document");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");  // name of the file written
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("HTML, log.htm")
        << false << "あ<BR>\r\nb"
        << "log.htm"
        << "log.html" << QByteArray("<HTML><BODY>\x82\xA0<BR>\r\nb</BODY></HTML>\r\n");
    QTest::newRow("text") << true << "テスト"
                          << "out.txt"
                          << "out.txt" << hex("83 65 83 58 83 67 0D 0A");
    QTest::newRow("text typed as page.html") << true << "x"
                                             << "page.html"
                                             << "page.txt" << QByteArray("x\r\n");
    QTest::newRow("no extension typed")
        << false << "x"
        << "plain"
        << "plain.html" << QByteArray("<HTML><BODY>x</BODY></HTML>\r\n");
    QTest::newRow("not in CP932, text") << true << "a😀b"
                                        << "e.txt"
                                        << "e.txt" << QByteArray("a&#128512;b\r\n");
    QTest::newRow("not in CP932, HTML")
        << false << "😀"
        << "e.html"
        << "e.html" << QByteArray("<HTML><BODY>&#128512;</BODY></HTML>\r\n");
    QTest::newRow("ends with a line break, text") << true << "a\r\n"
                                                  << "n.txt"
                                                  << "n.txt" << QByteArray("a\r\n\r\n");
    QTest::newRow("ends with a line break, HTML")
        << false << "a\r\n"
        << "n.html"
        << "n.html" << QByteArray("<HTML><BODY>a\r\n</BODY></HTML>\r\n");
}

void Form1SaveTest::bytesWritten() {
    QFETCH(bool, text);
    QFETCH(QString, document);
    QFETCH(QString, typed);
    QFETCH(QString, written);
    QFETCH(QByteArray, bytes);
    DocumentFixture f;
    f.w().RichTextBox1->setDocumentText(document.toStdU16String());
    f.prompts.dialogs = {chooseFormat(text)};
    f.prompts.files = {f.path(typed)};
    f.w().Command5_Click();

    QCOMPARE(f.get(f.path(written)), bytes);
    if (typed != written) QVERIFY(!QFile::exists(f.path(typed)));
    QCOMPARE(QDir(f.dir.path()).entryList(QDir::Files), QStringList{written});
    QCOMPARE(f.prompts.messages.size(), std::size_t(1));
    QCOMPARE(f.prompts.messages[0].text, kSaved);
    QCOMPARE(f.prompts.messages[0].title, QStringLiteral("確認"));
    QCOMPARE(f.prompts.questions.size(), std::size_t(0));
    // After the save the dialog shows the full path that was chosen.
    QCOMPARE(f.w().CommonDialog1.fileName, f.path(typed));
    QCOMPARE(f.w().BusyFlag, kFalse);
    QCOMPARE(f.document(), document);
    QCOMPARE(f.caption(), kBaseCaption);
}

void Form1SaveTest::formatDialogClosedAnyWay_data() {
    QTest::addColumn<bool>("text");
    QTest::addColumn<bool>("closeBox");
    QTest::addColumn<QString>("written");
    QTest::newRow("HTML, OK") << false << false << "a.html";
    QTest::newRow("HTML, close box") << false << true << "a.html";
    QTest::newRow("text, OK") << true << false << "a.txt";
    QTest::newRow("text, close box") << true << true << "a.txt";
}

void Form1SaveTest::formatDialogClosedAnyWay() {
    QFETCH(bool, text);
    QFETCH(bool, closeBox);
    QFETCH(QString, written);
    DocumentFixture f;
    f.w().RichTextBox1->setDocumentText(u"x");
    f.prompts.dialogs = {chooseFormat(text, closeBox ? Close::CloseBox : Close::Button)};
    f.prompts.files = {f.path(QStringLiteral("a"))};
    f.w().Command5_Click();
    QCOMPARE(f.prompts.execCount, 1);
    QCOMPARE(QDir(f.dir.path()).entryList(QDir::Files), QStringList{written});
    QCOMPARE(f.prompts.saveDialogs.size(), std::size_t(1));
    QCOMPARE(f.prompts.saveDialogs[0].filterIndex, text ? 2 : 1);
}

void Form1SaveTest::proposalAfterLoadingIsTheNameWithTheFormatsExtension() {
    DocumentFixture f;
    const QString loaded = f.put(QStringLiteral("x/thread.htm"), "page");
    f.w().LoadDocument(loaded);
    f.w().CommonDialog1.initDir = QStringLiteral("/last/load");
    f.prompts.dialogs = {chooseFormat(true)};
    f.w().Command5_Click();  // the save dialog is cancelled

    QCOMPARE(f.prompts.saveDialogs.size(), std::size_t(1));
    const CommonDialog& shown = f.prompts.saveDialogs[0];
    QCOMPARE(shown.fileName, QStringLiteral("thread.txt"));
    QCOMPARE(shown.filter, kSaveFilter);
    QCOMPARE(shown.filterIndex, 2);
    // The dialog itself asks about nothing: only the file written is asked about.
    QCOMPARE(shown.flags, 0);
    // The save dialog starts where the last open dialog did.
    QCOMPARE(shown.initDir, QStringLiteral("/last/load"));
}

void Form1SaveTest::cancelledSaveDialogIsSilent() {
    DocumentFixture f;
    f.w().RichTextBox1->setDocumentText(u"x");
    f.w().Command5_Click();
    QCOMPARE(f.prompts.saveDialogs.size(), std::size_t(1));
    QCOMPARE(f.prompts.messages.size(), std::size_t(0));
    QCOMPARE(f.w().BusyFlag, kFalse);
    QCOMPARE(f.enabledButtons(), QStringLiteral("1111111"));
    QCOMPARE(QDir(f.dir.path()).entryList(QDir::Files), QStringList());
}

void Form1SaveTest::emptyDocumentNeverEntersBusy() {
    DocumentFixture f;
    f.w().Form_Paint();
    EnabledChanges load(f.w().Command4);
    f.w().Command5_Click();
    QCOMPARE(f.prompts.messages.size(), std::size_t(1));
    QCOMPARE(f.prompts.messages[0].text, QStringLiteral("保存するものがありません"));
    QCOMPARE(f.prompts.messages[0].title, QStringLiteral("確認"));
    QCOMPARE(f.prompts.execCount, 0);
    QCOMPARE(f.prompts.saveDialogs.size(), std::size_t(0));
    QCOMPARE(load.count, 0);
    QCOMPARE(f.w().BusyFlag, kFalse);
}

void Form1SaveTest::forcedExtensionHitsAnExistingFile_data() {
    QTest::addColumn<bool>("text");  // the format chosen
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("log.htm, Yes") << false << "log.htm" << true << true << true;
    // No: the save dialog again, as the dialog's own question would.
    QTest::newRow("log.htm, No") << false << "log.htm" << false << true << false;
    QTest::newRow("log.html as returned, No") << false << "log.html" << false << true << false;
    // Text: log.txt is written, and log.html, which is never touched, not asked about.
    QTest::newRow("text, log.html typed") << true << "log.html" << false << false << false;
}

void Form1SaveTest::forcedExtensionHitsAnExistingFile() {
    QFETCH(bool, text);
    QFETCH(QString, typed);
    QFETCH(bool, answer);
    QFETCH(bool, asked);
    QFETCH(bool, replaced);
    DocumentFixture f;
    const QString target = f.put(QStringLiteral("log.html"), "old");
    f.w().RichTextBox1->setDocumentText(u"new");
    f.prompts.dialogs = {chooseFormat(text)};
    f.prompts.answers = {answer};
    f.prompts.files = {f.path(typed)};
    f.w().Command5_Click();

    QCOMPARE(f.prompts.questions.size(), std::size_t(asked ? 1 : 0));
    if (asked) {
        QCOMPARE(f.prompts.questions[0].text,
                 target + QStringLiteral("\r\nは既に存在します。上書きしますか？"));
        QCOMPARE(f.prompts.questions[0].title, QStringLiteral("確認"));
        QVERIFY(!f.prompts.questions[0].yesIsDefault);
    }
    QCOMPARE(f.prompts.saveDialogs.size(), std::size_t(asked && !answer ? 2 : 1));
    QCOMPARE(f.prompts.saveDialogs[0].flags & kDialogFlagOverwritePrompt, 0);
    QCOMPARE(f.get(target),
             replaced ? QByteArray("<HTML><BODY>new</BODY></HTML>\r\n") : QByteArray("old"));
    const bool written = replaced || text;
    QCOMPARE(f.prompts.messages.size(), std::size_t(written ? 1 : 0));
    QCOMPARE(f.get(f.path(QStringLiteral("log.txt"))),
             text ? QByteArray("new\r\n") : QByteArray("<missing>"));
    QCOMPARE(f.w().BusyFlag, kFalse);
    QVERIFY(!QFile::exists(f.path(QStringLiteral("log.htm"))));
}

void Form1SaveTest::failedWrite_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("makeFolder");  // the target is a folder
    QTest::newRow("folder missing") << "none/out.html" << false;
    QTest::newRow("target is a folder") << "out.html" << true;
}

void Form1SaveTest::failedWrite() {
    QFETCH(QString, typed);
    QFETCH(bool, makeFolder);
    DocumentFixture f;
    if (makeFolder) QDir(f.dir.path()).mkdir(typed);
    f.w().RichTextBox1->setDocumentText(u"x");
    f.prompts.files = {f.path(typed)};
    f.w().Command5_Click();
    QCOMPARE(f.prompts.messages.size(), std::size_t(1));
    const QString text = f.prompts.messages[0].text;
    QVERIFY2(text.startsWith(kFailurePrefix), qPrintable(text));
    QVERIFY(text.size() > kFailurePrefix.size());
    QCOMPARE(f.prompts.messages[0].title, QStringLiteral("確認"));
    QCOMPARE(f.w().BusyFlag, kFalse);
    QCOMPARE(QFileInfo(f.path(typed)).isDir(), makeFolder);
}

// The write itself fails (a file-size limit stops it after a few bytes; on
// Windows, which has no such limit, the last step fails): the file that was
// there stays whole.
void Form1SaveTest::failedWriteLeavesTheOldFileWhole() {
    DocumentFixture f;
    const QString target = f.put(QStringLiteral("old.html"), "<HTML><BODY>old</BODY></HTML>\r\n");
    f.w().RichTextBox1->setDocumentText(std::u16string(4096, u'x'));
    f.prompts.files = {target};
    f.prompts.answers = {true};  // replace it
#ifdef _WIN32
    const BeforeRenameProbe probe(BeforeRenameProbe::Fail);
    f.w().Command5_Click();
    QCOMPARE(probe.calls(), 1);
#else
    const BeforeRenameProbe probe(BeforeRenameProbe::Watch);
    {
        const FileSizeLimit limit(100);
        QVERIFY(limit.ok());
        f.w().Command5_Click();
    }
    QCOMPARE(probe.calls(), 0);  // stopped at the write itself, before the rename
#endif

    QCOMPARE(f.get(target), QByteArray("<HTML><BODY>old</BODY></HTML>\r\n"));
    QCOMPARE(f.prompts.messages.size(), std::size_t(1));
    QVERIFY(f.prompts.messages[0].text.startsWith(kFailurePrefix));
    QCOMPARE(f.w().BusyFlag, kFalse);
}

// Before the save dialog has answered, failures end the command silently.
void Form1SaveTest::overlongProposalEndsSilently() {
    DocumentFixture f;
    f.w().RichTextBox1->setDocumentText(u"x");
    f.w().CommonDialog1.fileName = QString(40000, u'a') + QStringLiteral(".htm");
    f.w().Command5_Click();
    QCOMPARE(f.prompts.saveDialogs.size(), std::size_t(0));
    QCOMPARE(f.prompts.messages.size(), std::size_t(0));
    QCOMPARE(f.w().BusyFlag, kFalse);
    QCOMPARE(f.enabledButtons(), QStringLiteral("1111111"));
}

void Form1SaveTest::overlongChosenPathIsAFailure() {
    DocumentFixture f;
    f.w().RichTextBox1->setDocumentText(u"x");
    f.prompts.files = {QStringLiteral("/") + QString(40000, u'a') + QStringLiteral("/x.htm")};
    f.w().Command5_Click();
    QCOMPARE(f.prompts.messages.size(), std::size_t(1));
    QCOMPARE(f.prompts.messages[0].text,
             kFailurePrefix + QStringLiteral("オーバーフローしました。"));
    QCOMPARE(f.w().BusyFlag, kFalse);
}

QTEST_MAIN(Form1SaveTest)
#include "form1_save_test.moc"
