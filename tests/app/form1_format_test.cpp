// 改行付加 and 改行除去 through the window: one pass inside the busy state.
#include <QTest>

#include "support/busy_snapshot.h"
#include "support/window_fixture.h"
#include "ui/progress_bar.h"
#include "ui/rich_text_box.h"

using namespace mozaru;
using mozaru::test::Snapshot;
using mozaru::test::snapshotAtFirstYield;

class Form1FormatTest : public QObject {
    Q_OBJECT
private slots:
    void lineBreakCommands_data();
    void lineBreakCommands();
    void lineBreakCommandOnEmptyDocument();
};

void Form1FormatTest::lineBreakCommands_data() {
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

void Form1FormatTest::lineBreakCommands() {
    QFETCH(bool, add);
    QFETCH(QString, before);
    QFETCH(QString, after);
    WindowFixture f;
    f.w().show();
    f.w().RichTextBox1->setDocumentText(before.toStdU16String());
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
    QCOMPARE(during.barValue, 0.0f);  // the bar starts from zero, not from the last command
}

void Form1FormatTest::lineBreakCommandOnEmptyDocument() {
    WindowFixture f;
    f.w().Command1_Click();
    QCOMPARE(f.document(), QString());
    QCOMPARE(f.w().ProgressBar1->Max(), 0.0f);
    QCOMPARE(f.w().ProgressBar1->Min(), 0.0f);
    QCOMPARE(f.w().ProgressBar1->Value(), 0.0f);
    QCOMPARE(f.enabledButtons(), QStringLiteral("1000001"));
}

QTEST_MAIN(Form1FormatTest)
#include "form1_format_test.moc"
