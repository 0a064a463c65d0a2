// The main window: controls, enabling rule, busy state, layout, closing.
#include <QDropEvent>
#include <QFontInfo>
#include <QLabel>
#include <QMimeData>
#include <QMoveEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>
#include <QWindow>

#include "exports/form2.h"
#include "extract/form3.h"
#include "support/busy_snapshot.h"
#include "support/window_fixture.h"
#include "ui/literal_tool_tips.h"
#include "ui/progress_bar.h"
#include "ui/twips.h"

using namespace mozaru;

class Form1Test : public QObject {
    Q_OBJECT
private slots:
    void buttonsCaptionsAndToolTips_data();
    void buttonsCaptionsAndToolTips();
    void toolTipShowsTagsLiterally();
    void designPositionsInTwips();
    void stackingAndTabOrder();
    void fontsAreJapanese();
    void editAreaHasTheFocusFirst();
    void dropIsPassedOnNotInserted();
    void enablingRule_data();
    void enablingRule();
    void deletingTheLastCharacterDisablesAtOnce();
    void repaintWhileBusyChangesNothing();
    void writingWhileBusyEnablesNothing();
    void leavingBusyEnablesAllSixUntilTheRuleRuns();
    void enableCommandsIgnoresOtherValues();
    void enteringTwiceLeavingOnceEndsBusy();
    void documentBoundaryUsesCrLf();
    void progressBarAcceptsAnEmptyRange();
    void resizeLaysOutFromTheOuterSize();
    void shrinkingSnapsBackToTheMinimum();
    void smallestWindowShowsEveryButtonWhole();
    void formLoadSetsTheCaption();
    void closeWhileIdleUnloadsOnce();
    void closeWhileBusyWaitsForTheCommand();
    void undoAndRedoOfTheDocumentCommands_data();
    void undoAndRedoOfTheDocumentCommands();
    void keysRunTheCommandsOnlyWhenEnabled_data();
    void keysRunTheCommandsOnlyWhenEnabled();
    void keysAndTheWheelZoomTheEditArea();
    void chordsTypeNothingTheTableDoesNotList_data();
    void chordsTypeNothingTheTableDoesNotList();
    void focusComesBackToTheEditArea_data();
    void focusComesBackToTheEditArea();
    void everyWindowHasTheIcon();
};

void Form1Test::buttonsCaptionsAndToolTips_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("toolTip");
    QTest::newRow("Command1")
        << 1 << "改行付加"
        << "<BR>タグの後ろに改行コードを付け加えてテキスト内容を見やすく整形します。";
    QTest::newRow("Command2") << 2 << "AAの抽出"
                              << "アスキーアート（AA）の抜き出し処理を実行します。";
    QTest::newRow("Command3") << 3 << "<BR>タグ付加"
                              << "";
    QTest::newRow("Command4")
        << 4 << "LOAD"
        << "編集を行いたいファイルを読み込みます。対応ファイルは「*.txt *.html *.htm」です。";
    QTest::newRow("Command5") << 5 << "SAVE"
                              << "HTML形式、テキスト形式のどちらかでファイルを保存します。";
    QTest::newRow("Command6") << 6 << "ヘルプ参照"
                              << "取り扱い説明書を表示します。";
    QTest::newRow("Command7") << 7 << "改行除去"
                              << "「改行付加」で<BR>タグの後ろに付け加えた改行コードを削除します。";
}

void Form1Test::buttonsCaptionsAndToolTips() {
    QFETCH(int, number);
    QFETCH(QString, caption);
    QFETCH(QString, toolTip);
    WindowFixture f;
    QPushButton* buttons[] = {f.w().Command1, f.w().Command2, f.w().Command3, f.w().Command4,
                              f.w().Command5, f.w().Command6, f.w().Command7};
    QPushButton* b = buttons[number - 1];
    QCOMPARE(b->text(), caption);
    QCOMPARE(b->toolTip(), toolTip);
    QCOMPARE(b->isVisibleTo(&f.w()), number != 3);
}

void Form1Test::toolTipShowsTagsLiterally() {
    QCOMPARE(literalToolTip(QStringLiteral("a<BR>b & c")),
             QStringLiteral("<p style='white-space:pre'>a&lt;BR&gt;b &amp; c</p>"));
    WindowFixture f;
    f.w().show();
    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), f.w().Command1->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(f.w().Command1, &help);
    QCOMPARE(QToolTip::text(), literalToolTip(f.w().Command1->toolTip()));
    QToolTip::hideText();
}

void Form1Test::designPositionsInTwips() {
    WindowFixture f;
    Form1& w = f.w();
    const auto rect = [&w](double l, double t, double width, double h) {
        return QRect(twipsToPixelsX(&w, l), twipsToPixelsY(&w, t), twipsToPixelsX(&w, width),
                     twipsToPixelsY(&w, h));
    };
    QCOMPARE(w.Command4->geometry(), rect(240, 120, 855, 375));
    QCOMPARE(w.Command5->geometry(), rect(1080, 120, 855, 375));
    QCOMPARE(w.Command2->geometry(), rect(2520, 120, 1095, 375));
    QCOMPARE(w.Command1->geometry(), rect(3720, 120, 1095, 375));
    QCOMPARE(w.Command7->geometry(), rect(4920, 120, 1095, 375));
    QCOMPARE(w.Command6->geometry(), rect(6480, 120, 1215, 375));
    QCOMPARE(w.Command3->geometry(), rect(8520, 120, 1335, 375));
    QCOMPARE(w.RichTextBox1->geometry(), rect(120, 600, 9975, 6975));
    QCOMPARE(w.ProgressBar1->geometry(), rect(240, 3000, 8295, 375));
    QCOMPARE(w.Label1->geometry(), rect(2400, 2400, 3735, 375));
    QCOMPARE(w.size(), QSize(twipsToPixelsX(&w, 10170), twipsToPixelsY(&w, 7755)));
    QCOMPARE(w.Label1->text(), QStringLiteral("処理中です・・・・"));
    QCOMPARE(w.Label1->alignment(), Qt::AlignCenter);
    QCOMPARE(w.RichTextBox1->wrapMode(), QsciScintilla::WrapNone);
    QCOMPARE(w.ProgressBar1->Min(), 0.0f);
    QCOMPARE(w.ProgressBar1->Max(), 100.0f);
}

void Form1Test::stackingAndTabOrder() {
    WindowFixture f;
    Form1& w = f.w();
    // Later children lie above earlier ones.
    const QObjectList& children = w.children();
    const auto at = [&children](QObject* o) { return children.indexOf(o); };
    QVERIFY(at(w.Label1) < at(w.ProgressBar1));
    QVERIFY(at(w.ProgressBar1) < at(w.Command1));
    QVERIFY(at(w.Command1) < at(w.RichTextBox1));
    QVERIFY(at(w.RichTextBox1) < at(w.Command2));
    QVERIFY(at(w.Command2) < at(w.Command3));
    QVERIFY(at(w.Command3) < at(w.Command4));
    QVERIFY(at(w.Command4) < at(w.Command5));
    QVERIFY(at(w.Command5) < at(w.Command6));
    QVERIFY(at(w.Command6) < at(w.Command7));
    // Where the edit area overlaps the busy label, the edit area is hit.
    w.show();
    const QPoint labelCentre = w.Label1->geometry().center();
    QCOMPARE(w.childAt(labelCentre)->parentWidget(), w.RichTextBox1);

    QWidget* expected[] = {w.RichTextBox1, w.Command4, w.Command5, w.Command2,
                           w.Command1,     w.Command7, w.Command6, w.Command3};
    QWidget* widget = w.RichTextBox1;
    for (QWidget* next : expected) {
        QCOMPARE(widget, next);
        widget = widget->nextInFocusChain();
        while (widget->parentWidget() != &w) widget = widget->nextInFocusChain();
    }
}

void Form1Test::fontsAreJapanese() {
    WindowFixture f;
    Form1& w = f.w();
    // The installed fallbacks stand in for the Windows faces.
    QCOMPARE(QFontInfo(w.font()).family(), QStringLiteral("IPAGothic"));
    QCOMPARE(QFontInfo(w.RichTextBox1->font()).family(), QStringLiteral("Monapo"));
    QCOMPARE(w.font().families().first(), QStringLiteral("ＭＳ ゴシック"));
    QCOMPARE(w.RichTextBox1->font().families().first(), QStringLiteral("ＭＳ Ｐゴシック"));
    QCOMPARE(w.font().pointSizeF(), 9.0);
    QCOMPARE(w.Label1->font().pointSizeF(), 18.0);
    QCOMPARE(w.Label1->font().weight(), QFont::Bold);
    QCOMPARE(w.Command1->font().families().first(), QStringLiteral("ＭＳ ゴシック"));
}

void Form1Test::editAreaHasTheFocusFirst() {
    WindowFixture f;
    f.w().show();
    QVERIFY(QTest::qWaitForWindowActive(&f.w()));
    QCOMPARE(QApplication::focusWidget(), f.w().RichTextBox1);
}

void Form1Test::dropIsPassedOnNotInserted() {
    struct Box : RichTextBox {
        using RichTextBox::dropEvent;
    } box;
    box.setDocumentText(u"abc");
    QVERIFY(box.viewport()->acceptDrops());  // drops reach the edit area at all
    QList<QUrl> seenUrls;
    QString seenText;
    int drops = 0;
    QObject::connect(&box, &RichTextBox::dropped, [&](const QMimeData* data) {
        ++drops;
        seenUrls = data->urls();
        seenText = data->text();
    });
    {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QStringLiteral("/logs/a.html")),
                      QUrl::fromLocalFile(QStringLiteral("/logs/b.html"))});
        data.setText(QStringLiteral("XYZ"));
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                        Qt::NoModifier);
        drop.ignore();
        box.dropEvent(&drop);  // a real drop reaches it through the drag manager
        QVERIFY(drop.isAccepted());
        QCOMPARE(drop.dropAction(), Qt::CopyAction);
        QCOMPARE(drops, 0);  // handled after the drop has returned
    }
    QTRY_COMPARE(drops, 1);
    QCOMPARE(seenUrls.size(), 2);
    QCOMPARE(seenUrls.first().toLocalFile(), QStringLiteral("/logs/a.html"));
    QCOMPARE(seenText, QStringLiteral("XYZ"));
    QCOMPARE(QStringView(box.documentView()).toString(), QStringLiteral("abc"));
}

void Form1Test::enablingRule_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("enabled");
    QTest::newRow("empty") << ""
                           << "1000001";
    QTest::newRow("one space") << " "
                               << "1111111";
    QTest::newRow("one line break") << "\r\n"
                                    << "1111111";
    QTest::newRow("text") << "<DD>a"
                          << "1111111";
}

void Form1Test::enablingRule() {
    QFETCH(QString, text);
    QFETCH(QString, enabled);
    WindowFixture f;
    f.w().RichTextBox1->setDocumentText(u"x");
    f.w().RichTextBox1->setDocumentText(text.toStdU16String());
    QCOMPARE(f.enabledButtons(), enabled);
    // The first paint applies the rule as well.
    WindowFixture g;
    g.w().RichTextBox1->blockSignals(true);
    g.w().RichTextBox1->setDocumentText(text.toStdU16String());
    g.w().RichTextBox1->blockSignals(false);
    g.w().show();
    QVERIFY(QTest::qWaitForWindowExposed(&g.w()));
    QTRY_COMPARE(g.enabledButtons(), enabled);
}

void Form1Test::deletingTheLastCharacterDisablesAtOnce() {
    WindowFixture f;
    f.w().show();
    f.w().RichTextBox1->setDocumentText(u"a");
    QCOMPARE(f.enabledButtons(), QStringLiteral("1111111"));
    f.w().RichTextBox1->SendScintilla(QsciScintillaBase::SCI_DOCUMENTEND);
    QTest::keyClick(f.w().RichTextBox1, Qt::Key_Backspace);
    QCOMPARE(f.document(), QString());
    QCOMPARE(f.enabledButtons(), QStringLiteral("1000001"));
}

void Form1Test::repaintWhileBusyChangesNothing() {
    WindowFixture f;
    f.w().RichTextBox1->setDocumentText(u"abc");
    f.w().EnableCommands(kFalse);
    QCOMPARE(f.w().BusyFlag, kTrue);
    QCOMPARE(f.enabledButtons(), QStringLiteral("0000001"));
    f.w().Form_Paint();
    f.w().RichTextBox1_Change();
    QCOMPARE(f.enabledButtons(), QStringLiteral("0000001"));
}

void Form1Test::writingWhileBusyEnablesNothing() {
    WindowFixture f;
    f.w().EnableCommands(kFalse);
    f.w().RichTextBox1->setDocumentText(u"abc");
    QCOMPARE(f.enabledButtons(), QStringLiteral("0000001"));
    f.w().EnableCommands(kTrue);
    QCOMPARE(f.enabledButtons(), QStringLiteral("1111111"));
}

void Form1Test::leavingBusyEnablesAllSixUntilTheRuleRuns() {
    // As after loading an empty file: all six until the next paint.
    WindowFixture f;
    f.w().EnableCommands(kFalse);
    f.w().EnableCommands(kTrue);
    QCOMPARE(f.w().BusyFlag, kFalse);
    QCOMPARE(f.enabledButtons(), QStringLiteral("1111111"));
    f.w().Form_Paint();
    QCOMPARE(f.enabledButtons(), QStringLiteral("1000001"));
}

void Form1Test::enableCommandsIgnoresOtherValues() {
    WindowFixture f;
    f.w().Form_Paint();
    for (const std::int16_t value : {1, 2, -2, 32767}) {
        f.w().EnableCommands(value);
        QCOMPARE(f.w().BusyFlag, kFalse);
        QCOMPARE(f.enabledButtons(), QStringLiteral("1000001"));
    }
    f.w().EnableCommands(kFalse);
    f.w().EnableCommands(1);
    QCOMPARE(f.w().BusyFlag, kTrue);
    QCOMPARE(f.enabledButtons(), QStringLiteral("0000001"));
}

void Form1Test::enteringTwiceLeavingOnceEndsBusy() {
    WindowFixture f;
    f.w().EnableCommands(kFalse);
    f.w().EnableCommands(kFalse);
    f.w().EnableCommands(kTrue);
    QCOMPARE(f.w().BusyFlag, kFalse);
}

void Form1Test::documentBoundaryUsesCrLf() {
    WindowFixture f;
    // Only CR LF, CR and LF break lines; U+2029 and the noncharacters are text.
    f.w().RichTextBox1->setDocumentText(u"a\r\nb\rc\nd\u00a0\u2029e\uFDD0f\uFDD1\u2028g");
    const QString expected = QStringLiteral("a\r\nb\r\nc\r\nd\u00a0\u2029e\uFDD0f\uFDD1\u2028g");
    QCOMPARE(f.w().RichTextBox1->lines(), 4);
    QCOMPARE(f.document(), expected);
    // After an edit by hand the text is read back from the edit area: the same.
    f.w().RichTextBox1->SendScintilla(QsciScintillaBase::SCI_DOCUMENTEND);
    QTest::keyClicks(f.w().RichTextBox1, QStringLiteral("x"));
    QCOMPARE(f.document(), expected + QLatin1Char('x'));
    QTest::keyClick(f.w().RichTextBox1, Qt::Key_Backspace);
    QCOMPARE(f.document(), expected);
    QTest::keyClick(f.w().RichTextBox1, Qt::Key_Return);
    QCOMPARE(f.document(), expected + QStringLiteral("\r\n"));
}

void Form1Test::progressBarAcceptsAnEmptyRange() {
    ProgressBar bar;
    bar.setMax(0);
    bar.setMin(0);
    bar.setValue(0);
    QCOMPARE(bar.Max(), 0.0f);
    QCOMPARE(bar.Value(), 0.0f);
    QCOMPARE(bar.value(), bar.maximum());  // drawn full, never busy-animated
    QVERIFY(bar.maximum() > bar.minimum());
    bar.setMax(8.0f);
    bar.setValue(2.0f);
    QCOMPARE(bar.value(), bar.maximum() / 4);
    bar.setValue(80.0f);  // kept as set, drawn clamped
    QCOMPARE(bar.Value(), 80.0f);
    QCOMPARE(bar.value(), bar.maximum());
}

void Form1Test::resizeLaysOutFromTheOuterSize() {
    WindowFixture f;
    Form1& w = f.w();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.resize(twipsToPixelsX(&w, 12000), twipsToPixelsY(&w, 9000));
    QTRY_COMPARE(w.size(), QSize(twipsToPixelsX(&w, 12000), twipsToPixelsY(&w, 9000)));
    const float outerW = pixelsToTwipsX(&w, w.frameGeometry().width());
    const float outerH = pixelsToTwipsY(&w, w.frameGeometry().height());
    QCOMPARE(w.RichTextBox1->geometry(),
             QRect(twipsToPixelsX(&w, 120), twipsToPixelsY(&w, 600),
                   twipsToPixelsX(&w, outerW - 283.5f), twipsToPixelsY(&w, outerH - 1167.0f)));
    QCOMPARE(w.ProgressBar1->width(), twipsToPixelsX(&w, outerW - 567.0f));
    QCOMPARE(w.Label1->x(), twipsToPixelsX(&w, outerW / 2 - 1868.0f));
    QCOMPARE(w.Label1->y(), twipsToPixelsY(&w, outerH / 2 - 942.0f));
    QCOMPARE(w.ProgressBar1->y(), twipsToPixelsY(&w, outerH / 2 - 942.0f + 545.1f));
    // Buttons never move.
    QCOMPARE(w.Command6->pos(), QPoint(twipsToPixelsX(&w, 6480), twipsToPixelsY(&w, 120)));
    // The window manager puts its frame around the window after the first
    // layout and moves it: the layout follows the new outer size.
    w.RichTextBox1->resize(10, 10);
    QMoveEvent moved(w.pos(), w.pos());
    QApplication::sendEvent(&w, &moved);
    QCOMPARE(w.RichTextBox1->height(), twipsToPixelsY(&w, outerH - 1167.0f));
}

void Form1Test::shrinkingSnapsBackToTheMinimum() {
    WindowFixture f;
    Form1& w = f.w();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.resize(100, 100);
    // The height snaps back to 5055 outside; the inside stays wide enough for
    // the button row and its margin on both sides (240 + 7695 twips).
    QTRY_COMPARE(w.frameGeometry().height(), twipsToPixelsY(&w, 5055));
    QCOMPARE(w.width(), twipsToPixelsX(&w, 7935));
    const float outerW = pixelsToTwipsX(&w, w.frameGeometry().width());
    QCOMPARE(w.RichTextBox1->width(), twipsToPixelsX(&w, outerW - 283.5f));
    // The window manager knows the minimum as well, frame excluded.
    const QSize frame = w.frameGeometry().size() - w.size();
    QCOMPARE(w.minimumSize(),
             QSize(twipsToPixelsX(&w, 7935), twipsToPixelsY(&w, 5055) - frame.height()));
    QCOMPARE(w.windowHandle()->minimumSize(), w.minimumSize());
}

void Form1Test::smallestWindowShowsEveryButtonWhole() {
    WindowFixture f;
    Form1& w = f.w();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.resize(100, 100);
    QTRY_VERIFY(w.width() > 100);
    for (QPushButton* b :
         {w.Command4, w.Command5, w.Command2, w.Command1, w.Command7, w.Command6}) {
        QVERIFY2(w.rect().contains(b->geometry()), qPrintable(b->text()));
    }
}

void Form1Test::formLoadSetsTheCaption() {
    WindowFixture f;
    f.w().Form_Load();
    QCOMPARE(f.w().BaseCaption, QStringLiteral("Mozaru (Version 1.05)"));
    QCOMPARE(f.w().windowTitle(), f.w().BaseCaption);
}

void Form1Test::closeWhileIdleUnloadsOnce() {
    WindowFixture f;
    QSignalSpy unloaded(&f.w(), &Form1::unloaded);
    f.w().show();
    QVERIFY(f.w().close());
    QVERIFY(!f.w().isVisible());
    f.w().show();
    f.w().close();
    QCOMPARE(unloaded.count(), 1);
}

void Form1Test::closeWhileBusyWaitsForTheCommand() {
    WindowFixture f;
    Form1& w = f.w();
    QSignalSpy unloaded(&w, &Form1::unloaded);
    w.show();
    w.RichTextBox1->setDocumentText(u"a<BR>b");
    bool closedDuringCommand = true;
    // The user closes the window while 改行付加 lets events through.
    QTimer::singleShot(0, &w, [&] {
        closedDuringCommand = w.close();
        QVERIFY(w.closePending());
    });
    w.Command1_Click();
    QVERIFY(!closedDuringCommand);
    QCOMPARE(unloaded.count(), 0);
    QVERIFY(w.isVisible());
    QCOMPARE(f.document(), QStringLiteral("a<br>\r\nb"));
    // Then it closes as usual.
    QTRY_VERIFY(!w.isVisible());
    QCOMPARE(unloaded.count(), 1);
    QVERIFY(!w.closePending());
}

void Form1Test::undoAndRedoOfTheDocumentCommands_data() {
    QTest::addColumn<int>("command");
    QTest::newRow("AAの抽出") << 2;
    QTest::newRow("改行付加") << 1;
    QTest::newRow("改行除去") << 7;
    QTest::newRow("LOAD") << 4;
}

void Form1Test::undoAndRedoOfTheDocumentCommands() {
    QFETCH(int, command);
    WindowFixture f;
    Form1& w = f.w();
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    const std::u16string before = u"<DL><DT>1<DD>a<BR>\r\nb<BR>c</DL>";
    w.RichTextBox1->setDocumentText(before);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("page.txt"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly) && out.write("loaded") == 6);
    out.close();
    switch (command) {
        case 1:
            w.Command1_Click();
            break;
        case 2:
            f.prompts.dialogs.push_back(
                [](QDialog& dialog) { dynamic_cast<Form3&>(dialog).Command1_Click(); });
            w.Command2_Click();
            break;
        case 4:
            w.LoadDocument(file);
            break;
        case 7:
            w.Command7_Click();
            break;
    }
    const QString after = f.document();
    QVERIFY(after != QStringView(before).toString());
    const auto press = [&](Qt::KeyboardModifiers modifiers, Qt::Key key) {
        QTest::keyClick(&w, key, modifiers);
        return f.document();
    };
    // A whole-document step is undone inside the busy state, as it was made.
    test::Snapshot during;
    test::snapshotAtFirstYield(f, during);
    QCOMPARE(press(Qt::ControlModifier, Qt::Key_Z), QStringView(before).toString());
    QVERIFY(during.taken);
    QCOMPARE(during.busy, kTrue);
    QVERIFY(!during.editVisible);
    QCOMPARE(during.barValue, 0.0f);
    QCOMPARE(w.ProgressBar1->Value(), static_cast<float>(before.size()));
    QCOMPARE(f.enabledButtons(), QStringLiteral("1111111"));
    QCOMPARE(press(Qt::ControlModifier, Qt::Key_Y), after);
    QCOMPARE(press(Qt::ControlModifier, Qt::Key_Z), QStringView(before).toString());
    QCOMPARE(press(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z), after);
    // Not while a command runs.
    w.EnableCommands(kFalse);
    QCOMPARE(press(Qt::ControlModifier, Qt::Key_Z), after);
    w.EnableCommands(kTrue);
}

void Form1Test::keysRunTheCommandsOnlyWhenEnabled_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("document");
    QTest::addColumn<bool>("busy");
    QTest::addColumn<QString>("expected");  // dialogs opened, then the document
    const int ctrl = Qt::ControlModifier;
    const int ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    QTest::newRow("Ctrl+O LOAD") << int(Qt::Key_O) << ctrl << "" << false << "open 1 exec 0|";
    QTest::newRow("Ctrl+O busy") << int(Qt::Key_O) << ctrl << "" << true << "open 0 exec 0|";
    QTest::newRow("Ctrl+S SAVE") << int(Qt::Key_S) << ctrl << "x" << false << "open 0 exec 1|x";
    QTest::newRow("Ctrl+S, nothing to save")
        << int(Qt::Key_S) << ctrl << "" << false << "open 0 exec 0|";
    QTest::newRow("Ctrl+E AAの抽出") << int(Qt::Key_E) << ctrl << "x" << false << "open 0 exec 1|x";
    QTest::newRow("Ctrl+E empty") << int(Qt::Key_E) << ctrl << "" << false << "open 0 exec 0|";
    QTest::newRow("Ctrl+Enter 改行付加")
        << int(Qt::Key_Return) << ctrl << "a<BR>b" << false << "open 0 exec 0|a<br>\r\nb";
    QTest::newRow("Ctrl+keypad Enter")
        << int(Qt::Key_Enter) << ctrl << "a<BR>b" << false << "open 0 exec 0|a<br>\r\nb";
    QTest::newRow("Ctrl+Enter busy")
        << int(Qt::Key_Return) << ctrl << "a<BR>b" << true << "open 0 exec 0|a<BR>b";
    QTest::newRow("Ctrl+Shift+Enter 改行除去")
        << int(Qt::Key_Return) << ctrlShift << "a<br>\r\nb" << false << "open 0 exec 0|a<br>b";
    QTest::newRow("Ctrl+Shift+S エクスポート")
        << int(Qt::Key_S) << ctrlShift << "x" << false << "open 0 exec 1|x";
    QTest::newRow("Ctrl+Shift+S busy")
        << int(Qt::Key_S) << ctrlShift << "x" << true << "open 0 exec 0|x";
    QTest::newRow("Ctrl+Shift+S empty")
        << int(Qt::Key_S) << ctrlShift << "" << false << "open 0 exec 0|";
}

void Form1Test::keysRunTheCommandsOnlyWhenEnabled() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, document);
    QFETCH(bool, busy);
    QFETCH(QString, expected);
    WindowFixture f;
    Form1& w = f.w();
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.RichTextBox1->setDocumentText(document.toStdU16String());
    if (busy) w.EnableCommands(kFalse);
    QTest::keyClick(&w, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(QStringLiteral("open %1 exec %2|")
                     .arg(f.prompts.openDialogs.size())
                     .arg(f.prompts.execCount) +
                 f.document(),
             expected);
    QVERIFY(f.prompts.messages.empty());
}

void Form1Test::keysAndTheWheelZoomTheEditArea() {
    WindowFixture f;
    Form1& w = f.w();
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    const auto zoom = [&] { return w.RichTextBox1->SendScintilla(QsciScintillaBase::SCI_GETZOOM); };
    const long start = zoom();
    QTest::keyClick(&w, Qt::Key_Plus, Qt::ControlModifier);
    QTest::keyClick(&w, Qt::Key_Equal, Qt::ControlModifier);
    QCOMPARE(zoom(), start + 2);
    QTest::keyClick(&w, Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(zoom(), start + 1);
    QWheelEvent down(QPointF(10, 10), w.RichTextBox1->mapToGlobal(QPointF(10, 10)), QPoint(),
                     QPoint(0, -120), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w.RichTextBox1->viewport(), &down);
    QCOMPARE(zoom(), start);
    QCOMPARE(w.RichTextBox1->font().pointSizeF(), 9.0);  // the face itself stays as designed
}

void Form1Test::chordsTypeNothingTheTableDoesNotList_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("document");  // after the key, on "ab" with the caret after "a"
    const int ctrl = Qt::ControlModifier;
    const int ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    QTest::newRow("Ctrl+1") << int(Qt::Key_1) << ctrl << "ab";
    QTest::newRow("Ctrl+9") << int(Qt::Key_9) << ctrl << "ab";
    QTest::newRow("Alt+x") << int(Qt::Key_X) << int(Qt::AltModifier) << "ab";
    // The editor's own line and case commands are gone.
    QTest::newRow("Ctrl+D") << int(Qt::Key_D) << ctrl << "ab";
    QTest::newRow("Ctrl+L") << int(Qt::Key_L) << ctrl << "ab";
    QTest::newRow("Ctrl+Shift+L") << int(Qt::Key_L) << ctrlShift << "ab";
    QTest::newRow("Ctrl+T") << int(Qt::Key_T) << ctrl << "ab";
    QTest::newRow("Ctrl+Shift+U") << int(Qt::Key_U) << ctrlShift << "ab";
    // What the manual lists still works.
    QTest::newRow("typing") << int(Qt::Key_X) << 0 << "axb";
    QTest::newRow("Ctrl+Backspace") << int(Qt::Key_Backspace) << ctrl << "b";
    QTest::newRow("Delete") << int(Qt::Key_Delete) << 0 << "a";
}

void Form1Test::chordsTypeNothingTheTableDoesNotList() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, document);
    WindowFixture f;
    Form1& w = f.w();
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.RichTextBox1->setDocumentText(u"ab");
    w.RichTextBox1->setCursorPosition(0, 1);
    w.RichTextBox1->setFocus();
    QTest::keyClick(w.RichTextBox1, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(f.document(), document);
    // Ctrl+0 brings the zoom back, as everywhere.
    w.RichTextBox1->zoomIn();
    QTest::keyClick(w.RichTextBox1, Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(w.RichTextBox1->SendScintilla(QsciScintillaBase::SCI_GETZOOM), 0L);
    QCOMPARE(f.document(), document);
}

void Form1Test::focusComesBackToTheEditArea_data() {
    QTest::addColumn<int>("command");
    QTest::newRow("改行付加") << 1;
    QTest::newRow("AAの抽出") << 2;
    QTest::newRow("LOAD") << 4;
    QTest::newRow("SAVE") << 5;
    QTest::newRow("改行除去") << 7;
    QTest::newRow("undo") << 0;
}

void Form1Test::focusComesBackToTheEditArea() {
    QFETCH(int, command);
    WindowFixture f;
    Form1& w = f.w();
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.RichTextBox1->setDocumentText(u"<DL><DT>1<DD>a<BR>b</DL>");
    w.Command1_Click();
    w.RichTextBox1->setFocus();
    QTemporaryDir dir;
    QPushButton* buttons[] = {nullptr,    w.Command1, w.Command2, nullptr,
                              w.Command4, w.Command5, w.Command6, w.Command7};
    f.prompts.files = {dir.filePath(QStringLiteral("out.html"))};
    if (command == 2) {
        f.prompts.dialogs.push_back(
            [](QDialog& dialog) { dynamic_cast<Form3&>(dialog).Command1_Click(); });
    }
    if (command == 0) {
        QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
    } else {
        buttons[command]->setFocus();  // as a click or the Tab key leaves it
        buttons[command]->click();
    }
    QTRY_COMPARE(QApplication::focusWidget(), w.RichTextBox1);
}

void Form1Test::everyWindowHasTheIcon() {
    WindowFixture f;
    Form2 form2;
    Form3 form3;
    const QList<QSize> sizes{QSize(16, 16), QSize(22, 22), QSize(24, 24),   QSize(32, 32),
                             QSize(48, 48), QSize(64, 64), QSize(128, 128), QSize(256, 256)};
    for (const QWidget* window : std::initializer_list<const QWidget*>{&f.w(), &form2, &form3}) {
        QCOMPARE(window->windowIcon().availableSizes(), sizes);
        QVERIFY(!window->windowIcon().pixmap(16).isNull());
    }
}

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
