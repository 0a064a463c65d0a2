// The window's document commands: AAの抽出 through the precision dialog, and
// 改行付加 / 改行除去, with the busy state and the progress bar around them.
#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include "app/enabled_changes.h"
#include "app/progress_bar.h"
#include "app/window_fixture.h"
#include "extract/form3.h"

using namespace mozaru;
using mozaru::test::EnabledChanges;

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

// What the window looked like while a command let events through.
struct Snapshot {
    bool taken = false;
    std::int16_t busy = 0;
    bool editVisible = true;
    bool labelVisible = false;
    QString enabled;
    float barMax = -1;
    float barValue = -1;
};

void snapshotAtFirstYield(WindowFixture& f, Snapshot& s) {
    QTimer::singleShot(0, f.window.get(), [&f, &s] {
        s.taken = true;
        s.busy = f.w().BusyFlag;
        s.editVisible = f.w().RichTextBox1->isVisible();
        s.labelVisible = f.w().Label1->isVisible();
        s.enabled = f.enabledButtons();
        s.barMax = f.w().ProgressBar1->Max();
        s.barValue = f.w().ProgressBar1->Value();
    });
}

// The dialog answered with "Ｏ　Ｋ" after the slider and check box were set.
std::function<void(QDialog&)> answerOk(int level, Qt::CheckState merge) {
    return [level, merge](QDialog& dialog) {
        auto& form3 = dynamic_cast<Form3&>(dialog);
        form3.Slider1->setValue(level);
        form3.Check1->setCheckState(merge);
        form3.Command1_Click();
    };
}

}  // namespace

class CommandsTest : public QObject {
    Q_OBJECT
private slots:
    void extractionKeepsTheArt();
    void extractionMergesOnlyWhenAsked_data();
    void extractionMergesOnlyWhenAsked();
    void dialogOpensWithTheWindowsChoice();
    void cancelChangesNothing();
    void closeBoxChangesNothing();
    void pageWithoutPostsEmptiesTheDocument();
    void lineBreakCommands_data();
    void lineBreakCommands();
    void lineBreakCommandOnEmptyDocument();
};

void CommandsTest::extractionKeepsTheArt() {
    WindowFixture f;
    f.w().show();
    f.w().setDocumentText(page(kHouse, u"短い文"));
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

void CommandsTest::extractionMergesOnlyWhenAsked_data() {
    QTest::addColumn<int>("checkState");
    QTest::addColumn<int>("kept");
    QTest::addColumn<int>("mergeFlag");
    QTest::newRow("unticked keeps both") << int(Qt::Unchecked) << 2 << 0;
    QTest::newRow("ticked merges") << int(Qt::Checked) << 1 << 1;
    QTest::newRow("greyed keeps both") << int(Qt::PartiallyChecked) << 2 << 2;
}

void CommandsTest::extractionMergesOnlyWhenAsked() {
    QFETCH(int, checkState);
    QFETCH(int, kept);
    QFETCH(int, mergeFlag);
    WindowFixture f;
    f.w().setDocumentText(page(kHouse, kHouse));
    f.prompts.dialogs.push_back(answerOk(0, Qt::CheckState(checkState)));
    f.w().Command2_Click();
    std::u16string expected;
    for (int i = 0; i < kept; ++i) expected += u"\r\n<HR>\r\n" + kHouse;
    expected += u"<HR>";
    QCOMPARE(f.document(), QString::fromStdU16String(expected));
    QCOMPARE(f.w().MergeFlag, std::int16_t(mergeFlag));
}

void CommandsTest::dialogOpensWithTheWindowsChoice() {
    WindowFixture f;
    f.w().setDocumentText(page(kHouse, u"x"));
    f.w().PrecisionLevel = 2;
    f.w().MergeFlag = 1;
    int seenLevel = -1;
    bool seenChecked = false;
    f.prompts.dialogs.push_back([&](QDialog& dialog) {
        auto& form3 = dynamic_cast<Form3&>(dialog);
        seenLevel = form3.Slider1->value();
        seenChecked = form3.Check1->isChecked();
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

void CommandsTest::cancelChangesNothing() {
    WindowFixture f;
    const std::u16string before = page(kHouse, u"x");
    f.w().setDocumentText(before);
    f.w().Form_Paint();
    f.w().PrecisionLevel = 1;
    EnabledChanges busyChanges(f.w().Command4);
    f.prompts.dialogs.push_back([](QDialog& dialog) {
        auto& form3 = dynamic_cast<Form3&>(dialog);
        form3.Slider1->setValue(2);
        form3.Check1->setChecked(true);
        form3.Command2_Click();
    });
    f.w().Command2_Click();
    QCOMPARE(f.document(), QString::fromStdU16String(before));
    QCOMPARE(f.w().PrecisionLevel, std::int16_t{1});
    QCOMPARE(f.w().MergeFlag, std::int16_t{0});
    QCOMPARE(busyChanges.count, 0);
    QVERIFY(f.w().RichTextBox1->isVisibleTo(f.window.get()));
}

void CommandsTest::closeBoxChangesNothing() {
    WindowFixture f;
    const std::u16string before = page(kHouse, u"x");
    f.w().setDocumentText(before);
    EnabledChanges busyChanges(f.w().Command4);
    f.w().Command2_Click();  // no answer queued: the dialog is closed with its close box
    QCOMPARE(f.w().precisionDialog()->F_Ret(), std::int16_t{-1});
    QCOMPARE(f.document(), QString::fromStdU16String(before));
    QCOMPARE(busyChanges.count, 0);
}

void CommandsTest::pageWithoutPostsEmptiesTheDocument() {
    WindowFixture f;
    f.w().setDocumentText(u"ただのテキスト\r\n<DT>見出し\r\n");
    f.w().Form_Paint();
    EnabledChanges busyChanges(f.w().Command4);
    f.prompts.dialogs.push_back(answerOk(0, Qt::Unchecked));
    f.w().Command2_Click();
    QCOMPARE(f.document(), QString());
    QCOMPARE(busyChanges.count, 0);
    QVERIFY(f.w().RichTextBox1->isVisibleTo(f.window.get()));
    // The change event of the empty write applied the rule.
    QCOMPARE(f.enabledButtons(), QStringLiteral("1000001"));
}

void CommandsTest::lineBreakCommands_data() {
    QTest::addColumn<bool>("add");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("add") << true << "\r\n<HR>\r\na<BR>b<Br>c<HR>"
                         << "\r\n<HR>\r\na<br>\r\nb<br>\r\nc<HR>";
    QTest::newRow("add after a break") << true << "a<br>\r\nb"
                                       << "a<br>\r\n\r\nb";
    QTest::newRow("add keeps letters") << true << "ё<BR>Й"
                                       << "ё<br>\r\nЙ";
    QTest::newRow("remove") << false << "\r\n<HR>\r\na<br>\r\nb<br>\r\nc<HR>"
                            << "\r\n<HR>\r\na<br>b<br>c<HR>";
    QTest::newRow("remove keeps the rule's break") << false << "x<BR>\r\n<HR>"
                                                   << "x<br>\r\n<HR>";
    QTest::newRow("remove breaks before a rule") << false << "x<br><hr>"
                                                 << "x<br>\r\n<HR>";
}

void CommandsTest::lineBreakCommands() {
    QFETCH(bool, add);
    QFETCH(QString, before);
    QFETCH(QString, after);
    WindowFixture f;
    f.w().show();
    f.w().setDocumentText(before.toStdU16String());
    f.w().ProgressBar1->setValue(7.0f);
    Snapshot during;
    snapshotAtFirstYield(f, during);
    add ? f.w().Command1_Click() : f.w().Command7_Click();

    QCOMPARE(f.document(), after);
    const auto length = static_cast<float>(before.size());
    QCOMPARE(f.w().ProgressBar1->Max(), length);
    QCOMPARE(f.w().ProgressBar1->Value(), length);
    QVERIFY(f.w().RichTextBox1->isVisible());
    QCOMPARE(f.enabledButtons(), QStringLiteral("1111111"));
    QVERIFY(during.taken);
    QCOMPARE(during.busy, kTrue);
    QVERIFY(!during.editVisible);
    QCOMPARE(during.enabled, QStringLiteral("0000001"));
    QCOMPARE(during.barMax, length);
    QCOMPARE(during.barValue, 7.0f);  // the value is not reset before the pass
}

void CommandsTest::lineBreakCommandOnEmptyDocument() {
    WindowFixture f;
    f.w().Command1_Click();
    QCOMPARE(f.document(), QString());
    QCOMPARE(f.w().ProgressBar1->Max(), 0.0f);
    QCOMPARE(f.w().ProgressBar1->Min(), 0.0f);
    QCOMPARE(f.w().ProgressBar1->Value(), 0.0f);
    QCOMPARE(f.enabledButtons(), QStringLiteral("1000001"));
}

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"
