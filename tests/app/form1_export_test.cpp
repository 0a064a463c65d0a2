// エクスポート in the window: the dialog's choice, the files written from the
// document's kept pictures, the messages, and 画像としてコピー.
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>

#include "exports/export_dialog.h"
#include "support/document_fixture.h"

using namespace mozaru;
using namespace mozaru::test;

namespace {

// A thread page: the author (ID Ab3) posts two pictures of six lines, a reader one.
const QString kThread = QStringLiteral(
    "<HTML><HEAD><TITLE>スレ</TITLE></HEAD><DL>\r\n"
    "<DT>1 ：<B>まる夫</B>：d ID:Ab3<DD> ／＼＿／＼ <BR> （・ｘ・） <BR> |　　| <BR> |　　| "
    "<BR> |　　| <BR> ｕ－ｕ <BR>\r\n"
    "<DT>2 ：<B>名無し</B>：d ID:Zz9<DD> ┌─┐ <BR> │茶│ <BR> │　│ <BR> │　│ <BR> │　│ "
    "<BR> └─┘ <BR>\r\n"
    "<DT>3 ：<B>まる夫</B>：d ID:Ab3<DD> ｚｚｚ <BR> （－ｘ－） <BR> |　　| <BR> |　　| <BR> "
    "|　　| <BR> ｕ－ｕ <BR>\r\n</DL>");

// Confirms the dialog with an output (its caption) and an author choice.
std::function<void(QDialog&)> choose(const QString& output, int author, const QString& value = {}) {
    return [=](QDialog& dialog) {
        auto* outputs = dialog.findChild<QComboBox*>(QStringLiteral("Output"));
        outputs->setCurrentIndex(outputs->findText(output));
        dialog.findChild<QComboBox*>(QStringLiteral("Author"))->setCurrentIndex(author);
        dialog.findChild<QLineEdit*>(QStringLiteral("AuthorValue"))->setText(value);
        dialog.findChild<QPushButton*>(QStringLiteral("OK"))->click();
    };
}

}  // namespace

class Form1ExportTest : public QObject {
    Q_OBJECT
private slots:
    void writes_data();
    void writes();
    void autoWithoutAnAuthorSaysWhy();
    void pictureUnderTheCaretGoesToTheClipboard();
};

void Form1ExportTest::writes_data() {
    QTest::addColumn<QString>("output");
    QTest::addColumn<int>("author");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QByteArray>("contains");  // in the first file
    QTest::newRow("page, the author's")
        << "Web ページ（HTML）" << 1 << "t.htm" << QStringList{"t.html"}
        << QByteArray("<div class=\"aa\" id=\"p3\">");
    // A library in CP932: ┌─┐.
    QTest::newRow("MLT, by ID") << "MLT（AA エディタのライブラリ）" << 2 << "t"
                                << QStringList{"t.mlt"} << QByteArray("\x84\xA1\x84\x9F\x84\xA2");
    QTest::newRow("PNG, every post")
        << "PNG 画像（1 枚ずつ）" << 0 << "t.png" << QStringList{"t-1.png", "t-2.png", "t-3.png"}
        << QByteArray("\x89PNG");
}

void Form1ExportTest::writes() {
    QFETCH(QString, output);
    QFETCH(int, author);
    QFETCH(QString, typed);
    QFETCH(QStringList, files);
    QFETCH(QByteArray, contains);
    DocumentFixture f;
    f.w().RichTextBox1->setDocumentText(kThread.toStdU16String());
    f.prompts.dialogs = {choose(output, author, QStringLiteral("Zz9"))};
    f.prompts.files = {f.path(typed)};
    f.w().exportPictures();
    QCOMPARE(f.prompts.execCount, 1);
    QCOMPARE(QDir(f.dir.path()).entryList(QDir::Files), files);
    const QByteArray bytes = f.get(f.path(files.front()));
    QVERIFY(bytes.contains(contains));
    const int pictures = author == 0 ? 3 : author == 1 ? 2 : 1;
    QCOMPARE(f.prompts.messages.back().text,
             QStringLiteral("%1 件の AA をエクスポートしました").arg(pictures));
    QCOMPARE(f.document(), kThread);  // the document stays as it was
    QVERIFY(f.editVisible());
    QVERIFY(f.w().Command5->isEnabled());
}

void Form1ExportTest::autoWithoutAnAuthorSaysWhy() {
    DocumentFixture f;
    f.w().RichTextBox1->setDocumentText(u"<DL><DT>1 ：<B>名無しさん</B>：d<DD> a <BR> b </DL>");
    f.prompts.dialogs = {choose(QStringLiteral("Web ページ（HTML）"), 1)};
    f.prompts.files = {f.path(QStringLiteral("t.html"))};
    f.w().exportPictures();
    QCOMPARE(f.prompts.messages.back().text,
             QStringLiteral("1 番の投稿には ID もトリップもなく、名前「名無しさん」は板の既定の名前"
                            "です。作者を ID・トリップ・名前で指定してください"));
    QVERIFY(QDir(f.dir.path()).isEmpty());
}

void Form1ExportTest::pictureUnderTheCaretGoesToTheClipboard() {
    DocumentFixture f;
    f.w().RichTextBox1->setDocumentText(kThread.toStdU16String());
    f.w().copyPictureAsImage(4);  // the line of post 2
    const QImage image = QGuiApplication::clipboard()->image();
    QVERIFY(!image.isNull());
    // Six lines of 18 px and the margins.
    QCOMPARE(image.height(), 6 * 18 + 16);
    QVERIFY(image.width() > 16);
}

QTEST_MAIN(Form1ExportTest)
#include "form1_export_test.moc"
