// LOAD and LoadDocument in the window: the outcomes, the question, the shared
// file dialog, and failures that leave the document as it was.
#include <sys/stat.h>

#include <QThread>
#include <QTimer>
#include <atomic>
#include <thread>

#include "files/text_file.h"
#include "support/document_fixture.h"
#include "ui/progress_bar.h"

using namespace mozaru;
using namespace mozaru::test;

namespace {

const QString kQuestion =
    QStringLiteral("ファイルの読み込みを行うと現在編集中の内容は破棄されますがよろしいですか？");
const QString kFailurePrefix =
    QStringLiteral("ファイルの読み込みに失敗しました\r\n【エラー内容】\r\n");
// The .dat logs the extraction reads are shown too.
const QString kLoadFilter =
    QStringLiteral("ﾃｷｽﾄ(*.txt;*.htm;*.html;*.dat)|*.txt;*.htm;*.html;*.dat|すべて|*.*");

// "テスト<BR>あい" and a second line, in CP932.
const QByteArray kPageBytes = hex("83 65 83 58 83 67 3C 42 52 3E 82 A0 82 A2 0D 0A 61 62");
const QString kPageText = QStringLiteral("テスト<BR>あい\r\nab");

}  // namespace

class Form1LoadTest : public QObject {
    Q_OBJECT
private slots:
    void outcomes_data();
    void outcomes();
    void questionTextAndDefault();
    void noQuestionWhenEmpty();
    void captionIsBaseAndPathInBrackets();
    void fileInTheRootKeepsTheRootAsFolder();
    void openDialogSetUpAndNextDialogAfterLoad();
    void cancelledOpenDialogIsSilent();
    void emptyFileEnablesAllSixUntilNextPaint();
    void undecodableBytesAreReported();
    void loadCommandKeepsTheChosenPathInTheDialog_data();
    void loadCommandKeepsTheChosenPathInTheDialog();
    void editAreaHiddenWhileReading();
    void windowAnswersWhileTheFileIsRead();
    void separatorPastThePositionRangeIsAFailure_data();
    void separatorPastThePositionRangeIsAFailure();
};

void Form1LoadTest::outcomes_data() {
    QTest::addColumn<QString>("before");   // document before the load
    QTest::addColumn<QString>("file");     // name in the folder; "" for the empty path
    QTest::addColumn<bool>("answer");      // to the question, when it is asked
    QTest::addColumn<bool>("loaded");      // document, caption, folder and name replaced
    QTest::addColumn<QString>("message");  // message shown, "" for none; prefix for failures
    QTest::newRow("loaded, empty before") << ""
                                          << "page.html" << true << true << "";
    QTest::newRow("loaded, answer Yes") << "old"
                                        << "page.html" << true << true << "";
    QTest::newRow("answer No") << "old"
                               << "page.html" << false << false << "";
    QTest::newRow("empty path") << "old"
                                << "" << true << false << "ファイルは読み込めませんでした";
    QTest::newRow("missing file keeps the document")
        << "old"
        << "missing.html" << true << false << kFailurePrefix;
    QTest::newRow("folder keeps the document") << "old"
                                               << "sub.d" << true << false << kFailurePrefix;
}

void Form1LoadTest::outcomes() {
    QFETCH(QString, before);
    QFETCH(QString, file);
    QFETCH(bool, answer);
    QFETCH(bool, loaded);
    QFETCH(QString, message);
    DocumentFixture f;
    f.put(QStringLiteral("page.html"), kPageBytes);
    QDir(f.dir.path()).mkdir(QStringLiteral("sub.d"));
    f.w().RichTextBox1->setDocumentText(before.toStdU16String());
    f.w().LoadFolder = QStringLiteral("/keep");
    f.w().CommonDialog1.fileName = QStringLiteral("keep.txt");
    f.prompts.answers = {answer};
    const QString path = file.isEmpty() ? QString() : f.path(file);

    f.w().LoadDocument(path);

    QCOMPARE(f.prompts.questions.size(), std::size_t(before.isEmpty() ? 0 : 1));
    QCOMPARE(f.document(), loaded ? kPageText : before);
    QCOMPARE(f.caption(), loaded ? kBaseCaption + QStringLiteral("　　【") +
                                       QDir::toNativeSeparators(path) + QStringLiteral("】")
                                 : kBaseCaption);
    QCOMPARE(f.w().LoadFolder,
             loaded ? QDir::toNativeSeparators(f.dir.path()) : QStringLiteral("/keep"));
    QCOMPARE(f.w().CommonDialog1.fileName,
             loaded ? QStringLiteral("page.html") : QStringLiteral("keep.txt"));
    QVERIFY(f.editVisible());
    if (message.isEmpty()) {
        QCOMPARE(f.prompts.messages.size(), std::size_t(0));
    } else {
        QCOMPARE(f.prompts.messages.size(), std::size_t(1));
        const FakePrompts::Shown& shown = f.prompts.messages.front();
        QCOMPARE(shown.title, QStringLiteral("確認"));
        if (message == kFailurePrefix) {
            // The reason is the system's description of what failed.
            QCOMPARE(shown.text, kFailurePrefix + readTextFile(path).reason);
            QVERIFY(shown.text.size() > kFailurePrefix.size());
        } else {
            QCOMPARE(shown.text, message);
        }
    }
}

void Form1LoadTest::questionTextAndDefault() {
    DocumentFixture f;
    f.w().RichTextBox1->setDocumentText(u" ");
    f.prompts.answers = {false};
    f.w().LoadDocument(f.put(QStringLiteral("a.txt"), "x"));
    QCOMPARE(f.prompts.questions.size(), std::size_t(1));
    QCOMPARE(f.prompts.questions[0].text, kQuestion);
    QCOMPARE(f.prompts.questions[0].title, QStringLiteral("確認"));
    QVERIFY(f.prompts.questions[0].yesIsDefault);
    QCOMPARE(f.document(), QStringLiteral(" "));
}

void Form1LoadTest::noQuestionWhenEmpty() {
    DocumentFixture f;
    f.w().LoadDocument(f.put(QStringLiteral("a.txt"), "x"));
    QCOMPARE(f.prompts.questions.size(), std::size_t(0));
    QCOMPARE(f.document(), QStringLiteral("x"));
    // A second load into the non-empty document asks once.
    f.w().LoadDocument(f.put(QStringLiteral("b.txt"), "y"));
    QCOMPARE(f.prompts.questions.size(), std::size_t(1));
    QCOMPARE(f.document(), QStringLiteral("y"));
}

void Form1LoadTest::captionIsBaseAndPathInBrackets() {
    DocumentFixture f;
    const QString path = f.put(QStringLiteral("スレ 1.htm"), "x");
    f.w().LoadDocument(path);
    QCOMPARE(f.caption(), QStringLiteral("Mozaru (Version 1.05)\u3000\u3000\u3010") +
                              QDir::toNativeSeparators(path) + QStringLiteral("\u3011"));
}

// "/a.html" has nothing before its separator: the folder is the root itself,
// never "" (which the open dialog and the settings file read as "no folder").
void Form1LoadTest::fileInTheRootKeepsTheRootAsFolder() {
#ifdef _WIN32
    QSKIP("drive roots are covered by the path functions' tests");
#else
    const QString path =
        QStringLiteral("/mozaru-root-%1.html").arg(QCoreApplication::applicationPid());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) QSKIP("the root folder is not writable here");
    file.write("root");
    file.close();
    DocumentFixture f;
    f.w().LoadDocument(path);
    QFile::remove(path);
    QCOMPARE(f.document(), QStringLiteral("root"));
    QCOMPARE(f.w().LoadFolder, QStringLiteral("/"));
    QCOMPARE(f.w().CommonDialog1.fileName, path.mid(1));
    QCOMPARE(f.caption(), kBaseCaption + QStringLiteral("　　【") + QDir::toNativeSeparators(path) +
                              QStringLiteral("】"));
#endif
}

void Form1LoadTest::openDialogSetUpAndNextDialogAfterLoad() {
    DocumentFixture f;
    const QString path = f.put(QStringLiteral("thread.htm"), kPageBytes);
    f.w().LoadFolder = QStringLiteral("/start");
    f.w().CommonDialog1.filter = QStringLiteral("old|*.*");
    f.w().CommonDialog1.filterIndex = 3;
    f.w().CommonDialog1.flags = 2;
    f.prompts.files = {path};
    f.w().Command4_Click();
    f.w().Command4_Click();  // cancelled

    QCOMPARE(f.prompts.openDialogs.size(), std::size_t(2));
    const CommonDialog& first = f.prompts.openDialogs[0];
    QCOMPARE(first.filter, kLoadFilter);
    QCOMPARE(first.filterIndex, 1);
    QCOMPARE(first.flags, 0x200000);
    QCOMPARE(first.initDir, QStringLiteral("/start"));
    const CommonDialog& second = f.prompts.openDialogs[1];
    QCOMPARE(second.initDir, QDir::toNativeSeparators(f.dir.path()));
    QCOMPARE(second.fileName, QStringLiteral("thread.htm"));
    QCOMPARE(f.document(), kPageText);
    QCOMPARE(f.w().BusyFlag, kFalse);
}

void Form1LoadTest::cancelledOpenDialogIsSilent() {
    DocumentFixture f;
    f.w().RichTextBox1->setDocumentText(u"keep");
    f.w().Form_Paint();
    f.w().Command4_Click();
    QCOMPARE(f.prompts.openDialogs.size(), std::size_t(1));
    QCOMPARE(f.prompts.messages.size(), std::size_t(0));
    QCOMPARE(f.prompts.questions.size(), std::size_t(0));
    QCOMPARE(f.document(), QStringLiteral("keep"));
    QCOMPARE(f.w().BusyFlag, kFalse);
    QCOMPARE(f.enabledButtons(), QStringLiteral("1111111"));
    QCOMPARE(f.caption(), kBaseCaption);
}

void Form1LoadTest::emptyFileEnablesAllSixUntilNextPaint() {
    DocumentFixture f;
    const QString path = f.put(QStringLiteral("empty.txt"), QByteArray());
    f.w().RichTextBox1->setDocumentText(u"old");
    f.prompts.files = {path};
    f.w().Command4_Click();
    QCOMPARE(f.document(), QString());
    QCOMPARE(f.caption(), kBaseCaption + QStringLiteral("　　【") + QDir::toNativeSeparators(path) +
                              QStringLiteral("】"));
    QCOMPARE(f.w().LoadFolder, QDir::toNativeSeparators(f.dir.path()));
    QCOMPARE(f.prompts.messages.size(), std::size_t(0));
    QCOMPARE(f.enabledButtons(), QStringLiteral("1111111"));
    f.w().Form_Paint();
    QCOMPARE(f.enabledButtons(), QStringLiteral("1000001"));
}

// The document is loaded; the replaced bytes are not passed over in silence.
void Form1LoadTest::undecodableBytesAreReported() {
    DocumentFixture f;
    // "テスト" and a lead byte with nothing after it.
    f.w().LoadDocument(f.put(QStringLiteral("cut.txt"), hex("83 65 83 58 83 67 82")));
    QCOMPARE(f.document(), QStringLiteral("テスト\uFFFD"));
    QCOMPARE(f.prompts.messages.size(), std::size_t(1));
    QCOMPARE(f.prompts.messages[0].text,
             QStringLiteral("CP932 として読み込みましたが、文字にならない 1 "
                            "バイトを「\uFFFD」に置き換えました"));
    QCOMPARE(f.prompts.messages[0].title, QStringLiteral("確認"));
}

// After the answer No or a failure the open dialog's own choice stays in the
// shared dialog: the next dialog shows the full path that was chosen.
void Form1LoadTest::loadCommandKeepsTheChosenPathInTheDialog_data() {
    QTest::addColumn<bool>("answer");
    QTest::addColumn<int>("messages");
    QTest::newRow("answer No") << false << 0;
    QTest::newRow("missing file") << true << 1;
}

void Form1LoadTest::loadCommandKeepsTheChosenPathInTheDialog() {
    QFETCH(bool, answer);
    QFETCH(int, messages);
    DocumentFixture f;
    const QString typed = f.path(QStringLiteral("typed.html"));
    f.w().RichTextBox1->setDocumentText(u"old");
    f.w().LoadFolder = QStringLiteral("/keep");
    f.prompts.answers = {answer};
    f.prompts.files = {typed};
    f.w().Command4_Click();
    QCOMPARE(f.prompts.messages.size(), std::size_t(messages));
    QCOMPARE(f.document(), QStringLiteral("old"));
    QCOMPARE(f.caption(), kBaseCaption);
    QCOMPARE(f.w().LoadFolder, QStringLiteral("/keep"));
    QCOMPARE(f.w().CommonDialog1.fileName, typed);
    QCOMPARE(f.w().BusyFlag, kFalse);
    QVERIFY(f.editVisible());
}

// The edit area is hidden (uncovering the busy label) before the file is
// read, and the window is busy meanwhile.
void Form1LoadTest::editAreaHiddenWhileReading() {
    DocumentFixture f;
    const QString path = f.put(QStringLiteral("a.txt"), "new");
    f.w().RichTextBox1->setDocumentText(u"old");
    f.prompts.files = {path};
    f.w().ProgressBar1->setValue(50.0f);
    bool seen = false;
    bool hidden = false;
    QString enabled;
    QString document;
    float barMax = -1;
    float barValue = -1;
    QTimer::singleShot(0, f.window.get(), [&] {
        seen = true;
        hidden = f.w().RichTextBox1->isHidden();
        enabled = f.enabledButtons();
        document = f.document();
        barMax = f.w().ProgressBar1->Max();
        barValue = f.w().ProgressBar1->Value();
    });
    f.w().Command4_Click();
    QVERIFY(seen);
    QVERIFY(hidden);
    QCOMPARE(enabled, QStringLiteral("0000001"));
    QCOMPARE(document, QStringLiteral("old"));
    // The bar starts from zero over the file's size and ends full.
    QCOMPARE(barMax, 3.0f);
    QCOMPARE(barValue, 0.0f);
    QCOMPARE(f.w().ProgressBar1->Value(), 3.0f);
    QVERIFY(f.editVisible());
    QCOMPARE(f.document(), QStringLiteral("new"));
}

// The file is read while the window answers: a pipe that gives its text only
// once the window has answered a timer.
void Form1LoadTest::windowAnswersWhileTheFileIsRead() {
#ifdef _WIN32
    QSKIP("Windows has no named pipe among a folder's files");
#else
    DocumentFixture f;
    const QString fifo = f.path(QStringLiteral("pipe.txt"));
    QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    std::atomic<bool> answered{false};
    QTimer::singleShot(20, f.window.get(), [&] { answered = true; });
    // A window that cannot answer is given the text after some seconds anyway.
    bool answeredWhileReading = false;
    std::thread writer([&] {
        for (int k = 0; k < 500 && !answered; ++k) QThread::msleep(10);
        answeredWhileReading = answered;
        QFile pipe(fifo);
        if (pipe.open(QIODevice::WriteOnly)) pipe.write("piped");
    });
    f.w().LoadDocument(fifo);
    writer.join();
    QVERIFY(answeredWhileReading);
    QCOMPARE(f.document(), QStringLiteral("piped"));
#endif
}

void Form1LoadTest::separatorPastThePositionRangeIsAFailure_data() {
    QTest::addColumn<int>("folderLength");  // the last separator stands after it
    QTest::addColumn<bool>("overflow");
    QTest::newRow("separator at 32766") << 32765 << false;
    QTest::newRow("separator at 32767") << 32766 << true;
}

void Form1LoadTest::separatorPastThePositionRangeIsAFailure() {
    QFETCH(int, folderLength);
    QFETCH(bool, overflow);
    DocumentFixture f;
    f.w().RichTextBox1->setDocumentText(u"old");
    const QString path =
        QStringLiteral("/") + QString(folderLength - 1, u'a') + QStringLiteral("/x.txt");
    f.w().LoadDocument(path);
    QCOMPARE(f.prompts.messages.size(), std::size_t(1));
    const QString reason =
        overflow ? QStringLiteral("オーバーフローしました。") : readTextFile(path).reason;
    QCOMPARE(f.prompts.messages[0].text, kFailurePrefix + reason);
    QCOMPARE(f.document(), QStringLiteral("old"));
    QVERIFY(f.editVisible());
}

QTEST_MAIN(Form1LoadTest)
#include "form1_load_test.moc"
