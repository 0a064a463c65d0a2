// Dropped files and the command line's document, both through LoadDocument,
// always leaving the busy state.
#include <QMimeData>
#include <QUrl>

#include "support/document_fixture.h"

using namespace mozaru;
using namespace mozaru::test;

namespace {

const QString kRefused = QStringLiteral("不正なファイルな為読み込みに失敗しました");

}  // namespace

class Form1OpenByPathTest : public QObject {
    Q_OBJECT
private slots:
    void drop_data();
    void drop();
    void dropWithoutData();
    void dropWhileBusyIsIgnored();
    void commandLine_data();
    void commandLine();
    void missingCommandLineFileIsReportedAtLoad();
    void formLoadReadsTheSettingsBeforeOpening();
    void emptyCommandLineNeverEntersBusy_data();
    void emptyCommandLineNeverEntersBusy();
};

void Form1OpenByPathTest::drop_data() {
    QTest::addColumn<QStringList>("files");  // relative to a folder without dots
    QTest::addColumn<QString>("text");       // plain text of the drop, "" for none
    QTest::addColumn<bool>("answer");        // to the question before loading
    QTest::addColumn<QString>("loaded");     // document afterwards
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("title");
    const QString none;
    QTest::newRow("three files, the first loaded")
        << QStringList{"b.txt", "a.txt", "c.txt"} << none << true << "B" << none << none;
    QTest::newRow("answer No") << QStringList{"a.txt"} << none << false << "old" << none << none;
    QTest::newRow("no dot anywhere")
        << QStringList{"plain"} << none << true << "old" << kRefused << "警告";
    QTest::newRow("no dot in the name, dotted folder")
        << QStringList{"my.logs/plain"} << none << true << "P" << none << none;
    QTest::newRow("the dotted folder itself")
        << QStringList{"my.logs"} << none << true << "old"
        << "ファイルの読み込みに失敗しました\r\n【エラー内容】\r\nIs a directory"
        << "確認";
    QTest::newRow("plain text, no file")
        << QStringList{} << "dragged" << true << "old" << none << none;
    QTest::newRow("web address") << QStringList{"http://example.com/a.html"} << none << true
                                 << "old" << none << none;
}

void Form1OpenByPathTest::drop() {
    QFETCH(QStringList, files);
    QFETCH(QString, text);
    QFETCH(bool, answer);
    QFETCH(QString, loaded);
    QFETCH(QString, message);
    QFETCH(QString, title);
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/nodot-XXXXXX"));
    if (dir.path().contains(u'.')) QSKIP("the temporary folder's path holds a dot");
    DocumentFixture f;
    const auto put = [&dir](const QString& name, const QByteArray& bytes) {
        QVERIFY(writeFile(dir.filePath(name), bytes));
    };
    put(QStringLiteral("a.txt"), "A");
    put(QStringLiteral("b.txt"), "B");
    put(QStringLiteral("c.txt"), "C");
    put(QStringLiteral("plain"), "N");
    put(QStringLiteral("my.logs/plain"), "P");
    f.w().RichTextBox1->setDocumentText(u"old");
    f.prompts.answers = {answer};
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& file : files) {
        urls << (file.contains(u':') ? QUrl(file) : QUrl::fromLocalFile(dir.filePath(file)));
    }
    if (!urls.isEmpty()) data.setUrls(urls);
    if (!text.isEmpty()) data.setText(text);

    f.w().RichTextBox1_OLEDragDrop(&data);

    QCOMPARE(f.document(), loaded);
    QCOMPARE(f.w().BusyFlag, kFalse);
    QCOMPARE(f.w().Command4->isEnabled(), true);
    QVERIFY(f.editVisible());
    if (message.isEmpty()) {
        QCOMPARE(f.prompts.messages.size(), std::size_t(0));
    } else {
        QCOMPARE(f.prompts.messages.size(), std::size_t(1));
        QCOMPARE(f.prompts.messages[0].text, message);
        QCOMPARE(f.prompts.messages[0].title, title);
    }
    // Only a path that passed the dot test reaches the question.
    const bool asked =
        !files.isEmpty() && !files.first().contains(u':') && files.first().contains(u'.');
    QCOMPARE(f.prompts.questions.size(), std::size_t(asked ? 1 : 0));
    if (loaded != QStringLiteral("old")) {
        QCOMPARE(f.caption(), kBaseCaption + QStringLiteral("　　【") +
                                  QDir::toNativeSeparators(dir.filePath(files.first())) +
                                  QStringLiteral("】"));
    } else {
        QCOMPARE(f.caption(), kBaseCaption);
    }
}

void Form1OpenByPathTest::dropWithoutData() {
    DocumentFixture f;
    f.w().RichTextBox1_OLEDragDrop(nullptr);
    QCOMPARE(f.w().BusyFlag, kFalse);
    QCOMPARE(f.prompts.messages.size(), std::size_t(0));
}

// The command that is running keeps its document and its busy state.
void Form1OpenByPathTest::dropWhileBusyIsIgnored() {
    DocumentFixture f;
    const QString path = f.put(QStringLiteral("a.txt"), "A");
    f.w().RichTextBox1->setDocumentText(u"old");
    f.w().EnableCommands(kFalse);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    f.w().RichTextBox1_OLEDragDrop(&data);
    QCOMPARE(f.document(), QStringLiteral("old"));
    QCOMPARE(f.w().BusyFlag, kTrue);
    QCOMPARE(f.prompts.questions.size(), std::size_t(0));
    QCOMPARE(f.prompts.messages.size(), std::size_t(0));
}

void Form1OpenByPathTest::commandLine_data() {
    QTest::addColumn<bool>("relative");
    QTest::newRow("absolute path") << false;
    QTest::newRow("relative to the current folder") << true;
}

void Form1OpenByPathTest::commandLine() {
#ifdef _WIN32
    QSKIP("the Windows argument text is covered by the path functions' tests");
#else
    QFETCH(bool, relative);
    QTemporaryDir dir;
    const QString full = dir.filePath(QStringLiteral("スレ ログ.html"));
    QVERIFY(writeFile(full, "page"));
    const QString previous = QDir::currentPath();
    if (relative) QDir::setCurrent(dir.path());
    DocumentFixture f(QStringList{relative ? QStringLiteral("スレ ログ.html") : full,
                                  QStringLiteral("/second.html")});
    f.w().OpenCommandLineFile();
    QDir::setCurrent(previous);

    QCOMPARE(f.document(), QStringLiteral("page"));
    // The full path as stored on disk, whichever way it was given.
    const QString expected = QFileInfo(full).canonicalFilePath();
    QCOMPARE(f.caption(),
             kBaseCaption + QStringLiteral("　　【") + expected + QStringLiteral("】"));
    QCOMPARE(f.w().LoadFolder, QFileInfo(expected).path());
    QCOMPARE(f.w().BusyFlag, kFalse);
    QCOMPARE(f.prompts.messages.size(), std::size_t(0));
#endif
}

// Form_Load runs before the window is shown: the settings' messages come
// first. A file named on the command line is read in the window, shown with
// its busy label, and its failure comes over it.
void Form1OpenByPathTest::missingCommandLineFileIsReportedAtLoad() {
#ifdef _WIN32
    QSKIP("the Windows argument text is covered by the path functions' tests");
#else
    QTemporaryDir program;
    QVERIFY(writeFile(program.filePath(QStringLiteral("Mozaru.ini")), "LOADPASS=/before\r\n"));
    const QString missing = program.filePath(QStringLiteral("missing.html"));
    WindowFixture f(QStringList{missing}, program.path());
    f.w().Form_Load();
    QVERIFY(f.w().isVisible());
    QCOMPARE(f.prompts.messages.size(), std::size_t(1));
    QVERIFY(f.prompts.messages[0].text.startsWith(
        QStringLiteral("ファイルの読み込みに失敗しました\r\n【エラー内容】\r\n")));
    QCOMPARE(f.prompts.messages[0].title, QStringLiteral("確認"));
    QCOMPARE(f.w().windowTitle(), f.w().BaseCaption);
    QCOMPARE(f.w().LoadFolder, QStringLiteral("/before"));
    QCOMPARE(f.w().BusyFlag, kFalse);
#endif
}

// The folder of the file opened at start-up wins over the one read.
void Form1OpenByPathTest::formLoadReadsTheSettingsBeforeOpening() {
#ifdef _WIN32
    QSKIP("the Windows argument text is covered by the path functions' tests");
#else
    QTemporaryDir program;
    QVERIFY(writeFile(program.filePath(QStringLiteral("Mozaru.ini")),
                      "LOADPASS=/before\r\nSLIDER=2\r\n"));
    const QString page = program.filePath(QStringLiteral("logs/a.html"));
    QVERIFY(writeFile(page, "page"));
    WindowFixture f(QStringList{page}, program.path());
    f.w().Form_Load();
    QCOMPARE(f.prompts.messages.size(), std::size_t(0));
    QCOMPARE(f.prompts.questions.size(), std::size_t(0));
    QCOMPARE(f.document(), QStringLiteral("page"));
    QCOMPARE(f.w().LoadFolder, QFileInfo(page).path());
    QCOMPARE(f.w().PrecisionLevel, std::int16_t(2));
    QCOMPARE(f.w().windowTitle(),
             f.w().BaseCaption + QStringLiteral("　　【") + page + QStringLiteral("】"));
    QCOMPARE(f.w().BusyFlag, kFalse);
#endif
}

void Form1OpenByPathTest::emptyCommandLineNeverEntersBusy_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("no arguments") << QStringList{};
    QTest::newRow("one empty argument") << QStringList{QString()};
}

void Form1OpenByPathTest::emptyCommandLineNeverEntersBusy() {
    QFETCH(QStringList, arguments);
    DocumentFixture f(arguments);
    f.w().RichTextBox1->setDocumentText(u"x");
    f.w().Form_Paint();
    const QString enabled = f.enabledButtons();
    EnabledChanges load(f.w().Command4);
    f.w().OpenCommandLineFile();
    QCOMPARE(load.count, 0);
    QCOMPARE(f.w().BusyFlag, kFalse);
    QCOMPARE(f.enabledButtons(), enabled);
    QCOMPARE(f.prompts.messages.size(), std::size_t(0));
    QCOMPARE(f.prompts.questions.size(), std::size_t(0));
    QCOMPARE(f.document(), QStringLiteral("x"));
}

QTEST_MAIN(Form1OpenByPathTest)
#include "form1_open_by_path_test.moc"
