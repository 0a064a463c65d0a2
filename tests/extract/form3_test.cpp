// The precision dialog: its controls, its descriptions and what it returns.
#include "extract/form3.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTest>
#include <QTimer>

#include "support/form3_controls.h"
#include "ui/qt_prompts.h"
#include "ui/twips.h"

using namespace mozaru;

class Form3Test : public QObject {
    Q_OBJECT
private slots:
    void captionsAndPositions();
    void descriptions_data();
    void descriptions();
    void loadDescribesTheSlider();
    void sliderMovesChangeTheDescription();
    void okReturnsWhatSyokikaSet_data();
    void okReturnsWhatSyokikaSet();
    void okReturnsTheUsersChoice();
    void cancelAndCloseBoxGiveMinusOne_data();
    void cancelAndCloseBoxGiveMinusOne();
    void resultsAreMinusOneAfterReload();
    void levelWithoutPositionShowsTheFirst();
    void tabOrderAndFocus();
    void frameCaptionKeepsItsClosingBracket();
    void modalRunThroughQtPrompts();
};

void Form3Test::captionsAndPositions() {
    Form3 d;
    const auto rect = [&d](double l, double t, double w, double h) {
        return QRect(twipsToPixelsX(&d, l), twipsToPixelsY(&d, t), twipsToPixelsX(&d, w),
                     twipsToPixelsY(&d, h));
    };
    QCOMPARE(d.windowTitle(), QStringLiteral("抽出精度の選択"));
    // The seed's 3705 high, and a row for the picture detector's check box.
    QCOMPARE(d.size(), rect(0, 0, 5325, 4065).size());
    QCOMPARE(test::controlsOf(d).Label1->text(), QStringLiteral("【　AA抽出精度　】"));
    QCOMPARE(test::controlsOf(d).Label1->geometry(), rect(1680, 240, 1935, 255));
    QCOMPARE(test::controlsOf(d).Slider1->geometry(), rect(1080, 600, 3255, 495));
    QCOMPARE(test::controlsOf(d).Slider1->minimum(), 0);
    QCOMPARE(test::controlsOf(d).Slider1->maximum(), 2);
    QCOMPARE(test::controlsOf(d).Label2->text(), QStringLiteral("<全て>"));
    QCOMPARE(test::controlsOf(d).Label2->geometry(), rect(840, 1080, 855, 255));
    QCOMPARE(test::controlsOf(d).Label3->text(), QStringLiteral("<標準>"));
    QCOMPARE(test::controlsOf(d).Label3->geometry(), rect(2280, 1080, 855, 255));
    QCOMPARE(test::controlsOf(d).Label4->text(), QStringLiteral("<大規模AAのみ>"));
    QCOMPARE(test::controlsOf(d).Label4->geometry(), rect(3360, 1080, 1695, 255));
    QCOMPARE(test::controlsOf(d).Frame1->title(), QStringLiteral("【　説明　】"));
    QCOMPARE(test::controlsOf(d).Frame1->geometry(), rect(120, 1440, 5055, 1335));
    QCOMPARE(test::controlsOf(d).Label5->parentWidget(), test::controlsOf(d).Frame1);
    QCOMPARE(test::controlsOf(d).Label5->geometry(), rect(120, 240, 4815, 975));
    QCOMPARE(test::controlsOf(d).Check1->text(), QStringLiteral("同じAAを1つにまとめて抽出する。"));
    QCOMPARE(test::controlsOf(d).Check1->geometry(), rect(1200, 2880, 3135, 255));
    QCOMPARE(test::controlsOf(d).Command1->text(), QStringLiteral("Ｏ　Ｋ"));
    QCOMPARE(test::controlsOf(d).Command1->geometry(), rect(1440, 3240, 1215, 375));
    QCOMPARE(test::controlsOf(d).Command2->text(), QStringLiteral("キャンセル"));
    QCOMPARE(test::controlsOf(d).Command2->geometry(), rect(2880, 3240, 1215, 375));
    QCOMPARE(test::controlsOf(d).Check2->text(), QStringLiteral("絵の形で判定する"));
    QCOMPARE(test::controlsOf(d).Check2->geometry(), rect(1200, 3720, 3135, 255));
    QCOMPARE(d.font().families().first(), QStringLiteral("ＭＳ ゴシック"));
    QCOMPARE(test::controlsOf(d).Check1->font().families().first(),
             QStringLiteral("ＭＳ ゴシック"));
}

void Form3Test::descriptions_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("lines");
    QTest::newRow("0") << 0
                       << "ほぼ全てのAAを抽出する事ができますが\r\n"
                          "極まれにAA以外の物も抽出されてくる事があります\r\n"
                       << 2;
    QTest::newRow("1") << 1
                       << "規模の小さすぎるAAは抽出できない事があります\r\n"
                          "AA以外の物を高確率で省く事ができます\r\n"
                       << 2;
    QTest::newRow("2") << 2
                       << "中\uFF5E大規模のAAのみ抽出する事ができます\r\n"
                          "小さいAAは抽出されません\r\n"
                          "アニメ系タイプのAAのみを抽出する場合に向いています\r\n"
                       << 3;
}

void Form3Test::descriptions() {
    QFETCH(int, position);
    QFETCH(QString, text);
    QFETCH(int, lines);
    QCOMPARE(Form3::description(position), text);
    QCOMPARE(text.count(QStringLiteral("\r\n")), lines);
    QVERIFY(text.endsWith(QStringLiteral("\r\n")));
    Form3 d;
    d.Syokika(static_cast<std::int16_t>(position), 0);
    QCOMPARE(test::controlsOf(d).Label5->text(), text);
}

void Form3Test::loadDescribesTheSlider() {
    Form3 d;
    QCOMPARE(test::controlsOf(d).Label5->text(), QString());  // not loaded yet
    d.Syokika(0, 0);
    QCOMPARE(test::controlsOf(d).Label5->text(), Form3::description(0));
    QCOMPARE(Form3::description(3), QString());
    QCOMPARE(Form3::description(-1), QString());
}

void Form3Test::sliderMovesChangeTheDescription() {
    Form3 d;
    d.Syokika(0, 0);
    d.show();
    QTest::keyClick(test::controlsOf(d).Slider1, Qt::Key_Right);
    QCOMPARE(test::controlsOf(d).Slider1->value(), 1);
    QCOMPARE(test::controlsOf(d).Label5->text(), Form3::description(1));
    QTest::keyClick(test::controlsOf(d).Slider1, Qt::Key_End);
    QCOMPARE(test::controlsOf(d).Label5->text(), Form3::description(2));
    QTest::keyClick(test::controlsOf(d).Slider1, Qt::Key_Right);  // no position beyond the last
    QCOMPARE(test::controlsOf(d).Label5->text(), Form3::description(2));
    QTest::keyClick(test::controlsOf(d).Slider1, Qt::Key_Home);
    QCOMPARE(test::controlsOf(d).Label5->text(), Form3::description(0));
}

void Form3Test::okReturnsWhatSyokikaSet_data() {
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("check");
    QTest::addColumn<int>("ret");
    QTest::addColumn<int>("check1");
    QTest::addColumn<int>("picture");  // Check2's value for Syokika
    QTest::addColumn<int>("check2");
    QTest::newRow("0, unticked") << 0 << 0 << 0 << 0 << 0 << 0;
    QTest::newRow("1, ticked") << 1 << 1 << 1 << 1 << 0 << 0;
    QTest::newRow("2, unticked") << 2 << 0 << 2 << 0 << 0 << 0;
    QTest::newRow("greyed stays greyed") << 1 << 2 << 1 << 2 << 2 << 2;
    QTest::newRow("unknown check state shows unticked") << 0 << 7 << 0 << 0 << 7 << 0;
    QTest::newRow("picture detector ticked") << 0 << 0 << 0 << 0 << 1 << 1;
}

void Form3Test::okReturnsWhatSyokikaSet() {
    QFETCH(int, level);
    QFETCH(int, check);
    QFETCH(int, ret);
    QFETCH(int, check1);
    QFETCH(int, picture);
    QFETCH(int, check2);
    Form3 d;
    d.Syokika(static_cast<std::int16_t>(level), static_cast<std::int16_t>(check),
              static_cast<std::int16_t>(picture));
    QCOMPARE(d.F_Ret(), std::int16_t{-1});
    QCOMPARE(d.F_Check1(), std::int16_t{-1});
    QCOMPARE(d.F_Check2(), std::int16_t{-1});
    d.Command1_Click();
    QCOMPARE(d.F_Ret(), std::int16_t(ret));
    QCOMPARE(d.F_Check1(), std::int16_t(check1));
    QCOMPARE(d.F_Check2(), std::int16_t(check2));
    QVERIFY(!d.isLoaded());
}

void Form3Test::okReturnsTheUsersChoice() {
    Form3 d;
    d.Syokika(0, 0);
    d.show();
    QTest::keyClick(test::controlsOf(d).Slider1, Qt::Key_End);
    QTest::mouseClick(test::controlsOf(d).Check1, Qt::LeftButton);
    QTest::mouseClick(test::controlsOf(d).Command1, Qt::LeftButton);
    QCOMPARE(d.F_Ret(), std::int16_t{2});
    QCOMPARE(d.F_Check1(), std::int16_t{1});
    QVERIFY(!d.isVisible());
    // A click on the greyed box ticks it; it never comes back greyed.
    d.Syokika(0, 2);
    d.show();
    QTest::mouseClick(test::controlsOf(d).Check1, Qt::LeftButton);
    QCOMPARE(test::controlsOf(d).Check1->checkState(), Qt::Checked);
    QTest::mouseClick(test::controlsOf(d).Check1, Qt::LeftButton);
    QCOMPARE(test::controlsOf(d).Check1->checkState(), Qt::Unchecked);
    QTest::mouseClick(test::controlsOf(d).Check1, Qt::LeftButton);
    QCOMPARE(test::controlsOf(d).Check1->checkState(), Qt::Checked);
}

void Form3Test::cancelAndCloseBoxGiveMinusOne_data() {
    QTest::addColumn<int>("how");
    QTest::newRow("キャンセル") << 0;
    QTest::newRow("close box") << 1;
    QTest::newRow("Escape") << 2;
}

void Form3Test::cancelAndCloseBoxGiveMinusOne() {
    QFETCH(int, how);
    Form3 d;
    d.Syokika(1, 1, 1);
    d.show();
    QTest::keyClick(test::controlsOf(d).Slider1, Qt::Key_End);
    switch (how) {
        case 0:
            QTest::mouseClick(test::controlsOf(d).Command2, Qt::LeftButton);
            break;
        case 1:
            d.close();
            break;
        default:
            QTest::keyClick(&d, Qt::Key_Escape);
            break;
    }
    QVERIFY(!d.isVisible());
    QVERIFY(!d.isLoaded());
    QCOMPARE(d.F_Ret(), std::int16_t{-1});
    QCOMPARE(d.F_Check1(), std::int16_t{-1});
    QCOMPARE(d.F_Check2(), std::int16_t{-1});
}

void Form3Test::resultsAreMinusOneAfterReload() {
    Form3 d;
    d.Syokika(2, 1, 1);
    d.Command1_Click();
    QCOMPARE(d.F_Ret(), std::int16_t{2});
    QCOMPARE(d.F_Check2(), std::int16_t{1});
    d.Syokika(0, 0);
    QCOMPARE(d.F_Ret(), std::int16_t{-1});
    QCOMPARE(d.F_Check1(), std::int16_t{-1});
    QCOMPARE(d.F_Check2(), std::int16_t{-1});
    QCOMPARE(test::controlsOf(d).Check2->checkState(), Qt::Unchecked);
    // Reloading starts from fresh controls: a greyed box does not survive.
    d.Syokika(0, 2);
    d.Command2_Click();
    d.Syokika(0, 0);
    test::controlsOf(d).Check1->click();
    QCOMPARE(test::controlsOf(d).Check1->checkState(), Qt::Checked);
}

void Form3Test::levelWithoutPositionShowsTheFirst() {
    for (const std::int16_t level : {std::int16_t{-1}, std::int16_t{3}, std::int16_t{32767}}) {
        Form3 d;
        d.Syokika(level, 0);
        QCOMPARE(test::controlsOf(d).Slider1->value(), 0);
        QCOMPARE(test::controlsOf(d).Label5->text(), Form3::description(0));
    }
}

void Form3Test::tabOrderAndFocus() {
    Form3 d;
    d.Syokika(1, 0);
    d.show();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    QCOMPARE(QApplication::focusWidget(), test::controlsOf(d).Slider1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), test::controlsOf(d).Check1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), test::controlsOf(d).Command1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), test::controlsOf(d).Command2);
    // The picture detector's check box, below the buttons, comes after them.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), test::controlsOf(d).Check2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), test::controlsOf(d).Slider1);
}

void Form3Test::frameCaptionKeepsItsClosingBracket() {
    // The caption's rectangle must hold its full advance, or the style wraps
    // "　】" away.
    Form3 form;
    QStyleOptionGroupBox option;
    option.initFrom(test::controlsOf(form).Frame1);
    option.text = test::controlsOf(form).Frame1->title();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    const QRect label = test::controlsOf(form).Frame1->style()->subControlRect(
        QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, test::controlsOf(form).Frame1);
    QVERIFY(label.width() > option.fontMetrics.horizontalAdvance(QStringLiteral("【　説明　】")));
}

void Form3Test::modalRunThroughQtPrompts() {
    Form3 d;
    d.Syokika(1, 0);
    QTimer::singleShot(0, &d, [&d] {
        QVERIFY(d.isVisible());
        QVERIFY(d.isModal());
        test::controlsOf(d).Check1->setChecked(true);
        QTest::mouseClick(test::controlsOf(d).Check2, Qt::LeftButton);
        test::controlsOf(d).Command1->click();
    });
    QtPrompts prompts;
    prompts.exec(d);
    QCOMPARE(d.F_Ret(), std::int16_t{1});
    QCOMPARE(d.F_Check1(), std::int16_t{1});
    QCOMPARE(d.F_Check2(), std::int16_t{1});
}

QTEST_MAIN(Form3Test)
#include "form3_test.moc"
