// Tests for the save-format dialog: captions, tool tips, layout, and the format
// confirmed by each way of closing.
#include "exports/form2.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolTip>
#include <QtTest>

#include "ui/literal_tool_tips.h"

using mozaru::Form2;

namespace {

int px(int twips, int dpi) {
    return qRound(twips * dpi / 1440.0);
}

// Runs the dialog modally; act runs once it is shown.
void runModal(Form2& dialog, const std::function<void()>& act) {
    bool acted = false;
    QTimer::singleShot(0, &dialog, [&] {
        QTRY_VERIFY(dialog.isVisible());
        act();
        acted = true;
    });
    dialog.exec();
    QVERIFY(acted);
    QVERIFY(!dialog.isVisible());
}

}  // namespace

class Form2Test : public QObject {
    Q_OBJECT
private slots:
    void texts_data();
    void texts();
    void geometry_data();
    void geometry();
    void windowAndFonts();
    void closing_data();
    void closing();
    void reopenStartsWithHtml();
};

void Form2Test::texts_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("toolTip");
    QTest::newRow("Option2")
        << "Option2" << QStringLiteral("『ＨＴＭＬ形式』で保存する")
        << QStringLiteral("編集中のテキストの前後に<HTML>タグと<BODY>タグを付け加えて保存します。");
    QTest::newRow("Option1") << "Option1" << QStringLiteral("『テキスト形式』で保存する")
                             << QStringLiteral("編集中のテキストをそのまま保存します。");
    QTest::newRow("Command1") << "Command1" << QStringLiteral("Ｏ　Ｋ") << QString();
    QTest::newRow("Label1") << "Label1" << QStringLiteral("保存形式の選択") << QString();
}

void Form2Test::texts() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, toolTip);
    Form2 dialog;
    QWidget* control = dialog.findChild<QWidget*>(name);
    QVERIFY(control);
    QString text;
    if (auto* button = qobject_cast<QAbstractButton*>(control)) text = button->text();
    if (auto* label = qobject_cast<QLabel*>(control)) text = label->text();
    QCOMPARE(text, caption);
    QCOMPARE(control->toolTip(), toolTip);
    if (toolTip.isEmpty()) return;
    // Shown as written: "<HTML>" and "<BODY>" are text here, not markup.
    dialog.show();
    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), control->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(control, &help);
    QCOMPARE(QToolTip::text(), mozaru::literalToolTip(toolTip));
    QToolTip::hideText();
}

void Form2Test::geometry_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    QTest::newRow("Option2") << "Option2" << QRect(240, 720, 3015, 255);
    QTest::newRow("Option1") << "Option1" << QRect(240, 1200, 3015, 255);
    QTest::newRow("Command1") << "Command1" << QRect(960, 1680, 1215, 375);
    QTest::newRow("Label1") << "Label1" << QRect(480, 240, 2175, 255);
}

void Form2Test::geometry() {
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    Form2 dialog;
    const int dx = dialog.logicalDpiX();
    const int dy = dialog.logicalDpiY();
    QWidget* control = dialog.findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), QRect(px(twips.x(), dx), px(twips.y(), dy), px(twips.width(), dx),
                                        px(twips.height(), dy)));
    QCOMPARE(dialog.size(), QSize(px(3225, dx), px(2130, dy)));
}

void Form2Test::windowAndFonts() {
    Form2 dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("選択メニュー"));
    QCOMPARE(dialog.font().families().value(0), QStringLiteral("ＭＳ ゴシック"));
    QCOMPARE(dialog.font().pointSizeF(), 9.0);
    for (const char* name : {"Option2", "Option1", "Command1"}) {
        QWidget* control = dialog.findChild<QWidget*>(QString::fromLatin1(name));
        QCOMPARE(control->font().pointSizeF(), 9.0);
        QVERIFY(!control->font().bold());
    }
    auto* label = dialog.findChild<QLabel*>(QStringLiteral("Label1"));
    QCOMPARE(label->font().families().value(0), QStringLiteral("ＭＳ ゴシック"));
    QCOMPARE(label->font().pointSizeF(), 9.75);
    QVERIFY(label->font().bold());
    QCOMPARE(dialog.F_Ret(), std::int16_t{0});
}

enum class Close { Ok, CloseBox, Escape };

void Form2Test::closing_data() {
    QTest::addColumn<bool>("chooseText");
    QTest::addColumn<int>("how");
    QTest::addColumn<int>("format");
    QTest::newRow("HTML, OK") << false << int(Close::Ok) << 0;
    QTest::newRow("text, OK") << true << int(Close::Ok) << 1;
    QTest::newRow("HTML, close box") << false << int(Close::CloseBox) << 0;
    QTest::newRow("text, close box") << true << int(Close::CloseBox) << 1;
    QTest::newRow("text, Escape") << true << int(Close::Escape) << 1;
}

void Form2Test::closing() {
    QFETCH(bool, chooseText);
    QFETCH(int, how);
    QFETCH(int, format);
    Form2 dialog;
    runModal(dialog, [&] {
        if (chooseText) {
            QTest::mouseClick(dialog.findChild<QRadioButton*>(QStringLiteral("Option1")),
                              Qt::LeftButton);
        }
        switch (Close(how)) {
            case Close::Ok:
                QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Command1")),
                                  Qt::LeftButton);
                break;
            case Close::CloseBox:
                dialog.close();  // what the window manager's close box sends
                break;
            case Close::Escape:
                QTest::keyClick(&dialog, Qt::Key_Escape);
                break;
        }
    });
    QCOMPARE(dialog.F_Ret(), std::int16_t(format));
}

void Form2Test::reopenStartsWithHtml() {
    Form2 dialog;
    runModal(dialog, [&] {
        dialog.findChild<QRadioButton*>(QStringLiteral("Option1"))->setChecked(true);
        dialog.close();
    });
    QCOMPARE(dialog.F_Ret(), std::int16_t{1});
    runModal(dialog, [&] {
        QVERIFY(dialog.findChild<QRadioButton*>(QStringLiteral("Option2"))->isChecked());
        QVERIFY(!dialog.findChild<QRadioButton*>(QStringLiteral("Option1"))->isChecked());
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Command1")),
                          Qt::LeftButton);
    });
    QCOMPARE(dialog.F_Ret(), std::int16_t{0});
}

QTEST_MAIN(Form2Test)
#include "form2_test.moc"
