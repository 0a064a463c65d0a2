// AAの抽出 through the window: the precision dialog, the busy state and the
// progress bar around ExtractAA.
#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include "extract/form3.h"
#include "support/busy_snapshot.h"
#include "support/enabled_changes.h"
#include "support/form3_controls.h"
#include "support/window_fixture.h"
#include "ui/progress_bar.h"

using namespace mozaru;
using mozaru::test::EnabledChanges;
using mozaru::test::Snapshot;
using mozaru::test::snapshotAtFirstYield;

namespace {

// A picture of our own, a house: seven lines, 63 characters counted, mostly
// symbols and full-width spaces.
const std::u16string kHouse =
    u"　　　　　　 ∩<BR>　　　 ／＼ ||<BR>　　 ／　　＼|<BR>　 ／　　　　＼<BR>"
    u"　 |　 田　田 |<BR>　 |　　 □　　|<BR>￣￣￣￣￣￣￣￣￣￣";

std::u16string page(std::u16string_view body2, std::u16string_view body3) {
    std::u16string p = u"<HTML><BODY><DL>\r\n<DT>1 名前：名無し<DD> 今日は晴れ <BR> 散歩 <BR>\r\n";
    p += u"<DT>2 名前：名無し<DD>";
    p += body2;
    p += u"\r\n<DT>3 名前：名無し<DD>";
    p += body3;
    p += u"\r\n</DL></BODY></HTML>\r\n";
    return p;
}

// Addresses: the seed's rules keep them for their letters, the picture detector does not.
const std::u16string kAddresses =
    u" ttp://example.com/a.html <BR> ttp://example.com/b.html <BR> ttp://example.org/c.html <BR> "
    u"ttp://example.org/d.html <BR><BR>";

// The dialog answered with "Ｏ　Ｋ" after the slider and check boxes were set.
std::function<void(QDialog&)> answerOk(int level, Qt::CheckState merge,
                                       Qt::CheckState picture = Qt::Unchecked) {
    return [level, merge, picture](QDialog& dialog) {
        auto& form3 = dynamic_cast<Form3&>(dialog);
        test::controlsOf(form3).Slider1->setValue(level);
        test::controlsOf(form3).Check1->setCheckState(merge);
        test::controlsOf(form3).Check2->setCheckState(picture);
        form3.Command1_Click();
    };
}

}  // namespace

class Form1ExtractTest : public QObject {
    Q_OBJECT
private slots:
    void extractionKeepsTheArt();
    void extractionMergesOnlyWhenAsked_data();
    void extractionMergesOnlyWhenAsked();
    void pictureDetectorOnlyWhenTicked_data();
    void pictureDetectorOnlyWhenTicked();
    void dialogOpensWithTheWindowsChoice();
    void cancelChangesNothing();
    void closeBoxChangesNothing();
    void pageWithoutPostsEmptiesTheDocument_data();
    void pageWithoutPostsEmptiesTheDocument();
    void datLogIsReadAsItsClassicPage();
};

void Form1ExtractTest::extractionKeepsTheArt() {
    WindowFixture f;
    f.w().show();
    f.w().RichTextBox1->setDocumentText(page(kHouse, u"短い文"));
    f.prompts.dialogs.push_back(answerOk(1, Qt::Unchecked));
    Snapshot during;
    snapshotAtFirstYield(f, during);
    f.w().Command2_Click();

    QCOMPARE(f.prompts.execCount, 1);
    QCOMPARE(f.document(), QString::fromStdU16String(u"\r\n<HR>\r\n" + kHouse + u"<HR>"));
    QCOMPARE(f.w().PrecisionLevel, std::int16_t{1});
    QCOMPARE(f.w().MergeFlag, std::int16_t{0});
    QVERIFY(f.w().RichTextBox1->isVisible());
    QCOMPARE(f.w().BusyFlag, kFalse);
    QCOMPARE(f.enabledButtons(), QStringLiteral("1111111"));
    // Three posts: the bar's range is the post count and it ends full.
    QCOMPARE(f.w().ProgressBar1->Max(), 3.0f);
    QCOMPARE(f.w().ProgressBar1->Min(), 0.0f);
    QCOMPARE(f.w().ProgressBar1->Value(), 3.0f);
    // At the first yield: busy, edit area hidden over the label, help available.
    QVERIFY(during.taken);
    QCOMPARE(during.busy, kTrue);
    QVERIFY(!during.editVisible);
    QVERIFY(during.labelVisible);
    QCOMPARE(during.enabled, QStringLiteral("0000001"));
    QCOMPARE(during.barMax, 3.0f);
    QCOMPARE(during.barValue, 0.0f);
}

void Form1ExtractTest::extractionMergesOnlyWhenAsked_data() {
    QTest::addColumn<int>("checkState");
    QTest::addColumn<int>("kept");
    QTest::addColumn<int>("mergeFlag");
    QTest::newRow("unticked keeps both") << int(Qt::Unchecked) << 2 << 0;
    QTest::newRow("ticked merges") << int(Qt::Checked) << 1 << 1;
    QTest::newRow("greyed keeps both") << int(Qt::PartiallyChecked) << 2 << 2;
}

void Form1ExtractTest::extractionMergesOnlyWhenAsked() {
    QFETCH(int, checkState);
    QFETCH(int, kept);
    QFETCH(int, mergeFlag);
    WindowFixture f;
    f.w().RichTextBox1->setDocumentText(page(kHouse, kHouse));
    f.prompts.dialogs.push_back(answerOk(0, Qt::CheckState(checkState)));
    f.w().Command2_Click();
    std::u16string expected;
    for (int i = 0; i < kept; ++i) expected += u"\r\n<HR>\r\n" + kHouse;
    expected += u"<HR>";
    QCOMPARE(f.document(), QString::fromStdU16String(expected));
    QCOMPARE(f.w().MergeFlag, std::int16_t(mergeFlag));
}

void Form1ExtractTest::pictureDetectorOnlyWhenTicked_data() {
    QTest::addColumn<int>("checkState");
    QTest::addColumn<bool>("addressesKept");
    QTest::addColumn<int>("pictureFlag");
    QTest::newRow("ticked: the picture detector") << int(Qt::Checked) << false << 1;
    QTest::newRow("greyed: the seed's rules") << int(Qt::PartiallyChecked) << true << 2;
}

void Form1ExtractTest::pictureDetectorOnlyWhenTicked() {
    QFETCH(int, checkState);
    QFETCH(bool, addressesKept);
    QFETCH(int, pictureFlag);
    WindowFixture f;
    f.w().RichTextBox1->setDocumentText(page(kAddresses, kHouse));
    f.prompts.dialogs.push_back(answerOk(0, Qt::Unchecked, Qt::CheckState(checkState)));
    f.w().Command2_Click();
    const std::u16string house = u"\r\n<HR>\r\n" + kHouse + u"<HR>";
    QCOMPARE(f.document(), QString::fromStdU16String(
                               addressesKept ? u"\r\n<HR>\r\n" + kAddresses + house : house));
    QCOMPARE(f.w().PictureFlag, std::int16_t(pictureFlag));
}

void Form1ExtractTest::dialogOpensWithTheWindowsChoice() {
    WindowFixture f;
    f.w().RichTextBox1->setDocumentText(page(kHouse, u"x"));
    f.w().PrecisionLevel = 2;
    f.w().MergeFlag = 1;
    int seenLevel = -1;
    bool seenChecked = false;
    f.prompts.dialogs.push_back([&](QDialog& dialog) {
        auto& form3 = dynamic_cast<Form3&>(dialog);
        seenLevel = test::controlsOf(form3).Slider1->value();
        seenChecked = test::controlsOf(form3).Check1->isChecked();
        form3.Command2_Click();
    });
    f.w().Command2_Click();
    QCOMPARE(seenLevel, 2);
    QVERIFY(seenChecked);
    // The same dialog object serves the next run.
    Form3* first = f.w().precisionDialog();
    f.w().Command2_Click();
    QCOMPARE(f.w().precisionDialog(), first);
    QCOMPARE(f.prompts.execCount, 2);
}

void Form1ExtractTest::cancelChangesNothing() {
    WindowFixture f;
    const std::u16string before = page(kHouse, u"x");
    f.w().RichTextBox1->setDocumentText(before);
    f.w().Form_Paint();
    f.w().PrecisionLevel = 1;
    EnabledChanges busyChanges(f.w().Command4);
    f.prompts.dialogs.push_back([](QDialog& dialog) {
        auto& form3 = dynamic_cast<Form3&>(dialog);
        test::controlsOf(form3).Slider1->setValue(2);
        test::controlsOf(form3).Check1->setChecked(true);
        form3.Command2_Click();
    });
    f.w().Command2_Click();
    QCOMPARE(f.document(), QString::fromStdU16String(before));
    QCOMPARE(f.w().PrecisionLevel, std::int16_t{1});
    QCOMPARE(f.w().MergeFlag, std::int16_t{0});
    QCOMPARE(busyChanges.count, 0);
    QVERIFY(f.w().RichTextBox1->isVisibleTo(f.window.get()));
}

void Form1ExtractTest::closeBoxChangesNothing() {
    WindowFixture f;
    const std::u16string before = page(kHouse, u"x");
    f.w().RichTextBox1->setDocumentText(before);
    EnabledChanges busyChanges(f.w().Command4);
    f.w().Command2_Click();  // no answer queued: the dialog is closed with its close box
    QCOMPARE(f.w().precisionDialog()->F_Ret(), std::int16_t{-1});
    QCOMPARE(f.document(), QString::fromStdU16String(before));
    QCOMPARE(busyChanges.count, 0);
}

void Form1ExtractTest::pageWithoutPostsEmptiesTheDocument_data() {
    QTest::addColumn<QString>("page");
    QTest::addColumn<bool>("posts");  // the busy state is entered only for a page with posts
    QTest::newRow("no <DD>") << QStringLiteral("ただのテキスト\r\n<DT>見出し\r\n") << false;
    QTest::newRow("no post is art")
        << QString::fromStdU16String(page(u"短い文", u"もう一つ")) << true;
}

void Form1ExtractTest::pageWithoutPostsEmptiesTheDocument() {
    QFETCH(QString, page);
    QFETCH(bool, posts);
    WindowFixture f;
    f.w().RichTextBox1->setDocumentText(page.toStdU16String());
    f.w().Form_Paint();
    EnabledChanges busyChanges(f.w().Command4);
    f.prompts.dialogs.push_back(answerOk(0, Qt::Unchecked));
    f.w().Command2_Click();
    QCOMPARE(f.document(), QString());
    QCOMPARE(busyChanges.count, posts ? 2 : 0);
    QVERIFY(f.w().RichTextBox1->isVisibleTo(f.window.get()));
    // The change event of the empty write applied the rule.
    QCOMPARE(f.enabledButtons(), QStringLiteral("1000001"));
    // One message says why, and how to get the page back.
    QCOMPARE(f.prompts.messages.size(), std::size_t(1));
    QCOMPARE(f.prompts.messages[0].text,
             QStringLiteral("AAとして抜き出せる投稿はありませんでした。\r\n"
                            "元に戻す（Ctrl+Z）で抽出前のページに戻せます。"));
    QCOMPARE(f.prompts.messages[0].title, QStringLiteral("確認"));
    f.w().RichTextBox1->undo();
    QCOMPARE(f.document(), page);
}

void Form1ExtractTest::datLogIsReadAsItsClassicPage() {
    WindowFixture f;
    f.w().RichTextBox1->setDocumentText(u"名無し<><>d<>短い文<>T\r\n名無し<><>d<>" + kHouse +
                                        u"<>\r\n");
    f.prompts.dialogs.push_back(answerOk(1, Qt::Unchecked));
    f.w().Command2_Click();
    // Read.cgi's <BR><BR> after every body, as on the classic page.
    QCOMPARE(f.document(), QString::fromStdU16String(u"\r\n<HR>\r\n" + kHouse + u"<BR><BR><HR>"));
    QCOMPARE(f.w().ProgressBar1->Max(), 2.0f);
    QCOMPARE(f.enabledButtons(), QStringLiteral("1111111"));
    QVERIFY(f.prompts.messages.empty());
    // A line that is no post is skipped, and named.
    f.w().RichTextBox1->setDocumentText(u"名無し<><>d<>短い文<>T\r\n壊れた行\r\n名無し<><>d<>" +
                                        kHouse + u"<>\r\n");
    f.prompts.dialogs.push_back(answerOk(1, Qt::Unchecked));
    f.w().Command2_Click();
    QCOMPARE(f.document(), QString::fromStdU16String(u"\r\n<HR>\r\n" + kHouse + u"<BR><BR><HR>"));
    QCOMPARE(f.prompts.messages.size(), std::size_t{1});
    QCOMPARE(f.prompts.messages[0].text,
             QStringLiteral("投稿の形になっていない 1 行を読み飛ばしました（2 行目）"));
}

QTEST_MAIN(Form1ExtractTest)
#include "form1_extract_test.moc"
