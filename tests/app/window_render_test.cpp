// Renders the main window holding a picture, the busy display and the precision
// dialog to PNG files in the build folder, to look at the Japanese text.
#include <QCheckBox>
#include <QDir>
#include <QFontInfo>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QTest>

#include "extract/form3.h"
#include "support/form3_controls.h"
#include "support/window_fixture.h"
#include "ui/progress_bar.h"

using namespace mozaru;

namespace {

// Our own picture: a cat on a fence, with the symbols MS PGothic pictures use.
const char16_t* const kCat =
    u"\r\n<HR>\r\n"
    u"　　 ∧＿∧<br>\r\n"
    u"　　（　´∀｀）　ｶﾞﾀｶﾞﾀ<br>\r\n"
    u"　　（　　　　）<br>\r\n"
    u"　　 ｜ ｜　|<br>\r\n"
    u"　　 (＿_）＿）<br>\r\n"
    u"┏━━━━━━━━┓<br>\r\n"
    u"┃　ёЁйЙ　漢字　┃<br>\r\n"
    u"┗━━━━━━━━┛<HR>";

QString outputPath(const char* name) {
    QDir().mkpath(QStringLiteral(MOZARU_TEST_OUTPUT_DIR));
    return QStringLiteral(MOZARU_TEST_OUTPUT_DIR "/") + QLatin1String(name);
}

bool hasInk(const QImage& image, const QRect& area) {
    const QRgb background = image.pixel(area.topLeft());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixel(x, y) != background) return true;
        }
    }
    return false;
}

}  // namespace

class WindowRenderTest : public QObject {
    Q_OBJECT
private slots:
    void mainWindowWithPicture();
    void busyDisplay();
    void precisionDialog();
};

void WindowRenderTest::mainWindowWithPicture() {
    WindowFixture f;
    f.w().Form_Load();
    f.w().RichTextBox1->setDocumentText(kCat);
    f.w().show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.w()));
    QCOMPARE(QFontInfo(f.w().RichTextBox1->font()).family(), QStringLiteral("Monapo"));
    const QImage image = f.w().grab().toImage();
    QVERIFY(image.save(outputPath("main_window.png")));
    QVERIFY(hasInk(image, f.w().RichTextBox1->geometry().adjusted(4, 4, -4, -4)));
}

void WindowRenderTest::busyDisplay() {
    WindowFixture f;
    f.w().RichTextBox1->setDocumentText(kCat);
    f.w().show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.w()));
    f.w().EnableCommands(kFalse);
    f.w().RichTextBox1->setVisible(false);
    f.w().ProgressBar1->setMax(10);
    f.w().ProgressBar1->setMin(0);
    f.w().ProgressBar1->setValue(4);
    const QImage image = f.w().grab().toImage();
    QVERIFY(image.save(outputPath("main_window_busy.png")));
    QVERIFY(hasInk(image, f.w().Label1->geometry()));
}

void WindowRenderTest::precisionDialog() {
    Form3 d;
    d.Syokika(2, 1, 1);
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    const QImage image = d.grab().toImage();
    QVERIFY(image.save(outputPath("precision_dialog.png")));
    QVERIFY(hasInk(image, test::controlsOf(d).Frame1->geometry()));
    // The picture detector's check box, below the buttons, drawn inside the dialog.
    QVERIFY(hasInk(image, test::controlsOf(d).Check2->geometry()));
}

QTEST_MAIN(WindowRenderTest)
#include "window_render_test.moc"
