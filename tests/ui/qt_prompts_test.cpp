// The real message boxes and file dialogs: icon, title, buttons, and how the
// file dialogs read and fill the shared dialog state.
#include "ui/qt_prompts.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "ui/common_dialog.h"
#include "ui/japanese_qt.h"

using namespace mozaru;

namespace {

// Runs check on the modal dialog once it is up, then lets check close it.
template <typename Dialog>
void whenShown(std::function<void(Dialog&)> check, bool& seen) {
    QTimer::singleShot(0, [check, &seen] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        seen = true;
        check(*dialog);
        if (dialog->isVisible()) dialog->reject();  // a failed check still ends the dialog
    });
}

const QString kLoadFilter =
    QStringLiteral("ﾃｷｽﾄ(*.txt;*.htm;*.html)|*.txt;*.htm;*.html|すべて|*.*");

}  // namespace

class QtPromptsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(installQtJapanese(*QCoreApplication::instance())); }
    void messageHasNoIconAndOk();
    void question_data();
    void question();
    void openDialogReadsAndFillsTheState();
    void openDialogAcceptsAMissingFile();
    void cancelledDialogLeavesTheState();
    void overwritePromptFollowsTheFlag_data();
    void overwritePromptFollowsTheFlag();
};

void QtPromptsTest::messageHasNoIconAndOk() {
    bool seen = false;
    whenShown<QMessageBox>(
        [](QMessageBox& box) {
            QCOMPARE(box.icon(), QMessageBox::NoIcon);
            QCOMPARE(box.windowTitle(), QStringLiteral("確認"));
            QCOMPARE(box.text(), QStringLiteral("ファイルを保存しました"));
            QCOMPARE(box.standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
            box.button(QMessageBox::Ok)->click();
        },
        seen);
    QtPrompts().message(nullptr, QStringLiteral("ファイルを保存しました"), QStringLiteral("確認"));
    QVERIFY(seen);
}

void QtPromptsTest::question_data() {
    QTest::addColumn<bool>("yesIsDefault");
    QTest::addColumn<bool>("pressYes");
    QTest::newRow("Yes default, Yes") << true << true;
    QTest::newRow("Yes default, No") << true << false;
    QTest::newRow("No default, No") << false << false;
}

void QtPromptsTest::question() {
    QFETCH(bool, yesIsDefault);
    QFETCH(bool, pressYes);
    bool seen = false;
    whenShown<QMessageBox>(
        [&](QMessageBox& box) {
            QCOMPARE(box.icon(), QMessageBox::NoIcon);
            QCOMPARE(box.standardButtons(), QMessageBox::Yes | QMessageBox::No);
            QCOMPARE(box.defaultButton(),
                     box.button(yesIsDefault ? QMessageBox::Yes : QMessageBox::No));
            // Qt's own Japanese texts.
            QCOMPARE(box.button(QMessageBox::Yes)->text(), QStringLiteral("はい(&Y)"));
            QCOMPARE(box.button(QMessageBox::No)->text(), QStringLiteral("いいえ(&N)"));
            box.button(pressYes ? QMessageBox::Yes : QMessageBox::No)->click();
        },
        seen);
    const bool answer = QtPrompts().question(nullptr, QStringLiteral("よろしいですか？"),
                                             QStringLiteral("確認"), yesIsDefault);
    QVERIFY(seen);
    QCOMPARE(answer, pressYes);
}

void QtPromptsTest::openDialogReadsAndFillsTheState() {
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("thread.html")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    CommonDialog state;
    state.filter = kLoadFilter;
    state.filterIndex = 2;
    state.initDir = folder.path();
    state.flags = kDialogFlagLongNames;
    bool seen = false;
    whenShown<QFileDialog>(
        [&](QFileDialog& dialog) {
            QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptOpen);
            QCOMPARE(dialog.nameFilters(), nameFilters(kLoadFilter));
            // The descriptions show as written, without Qt's pattern list.
            QCOMPARE(dialog.selectedNameFilter(), QStringLiteral("すべて"));
            QCOMPARE(dialog.directory().absolutePath(), QDir(folder.path()).absolutePath());
            QVERIFY(dialog.testOption(QFileDialog::HideNameFilterDetails));
            dialog.selectNameFilter(nameFilters(kLoadFilter).at(0));
            QCOMPARE(dialog.selectedNameFilter(), QStringLiteral("ﾃｷｽﾄ(*.txt;*.htm;*.html)"));
            dialog.selectFile(QStringLiteral("thread.html"));
            QMetaObject::invokeMethod(&dialog, "accept");  // as the Open button does
        },
        seen);
    const std::optional<QString> chosen = QtPrompts().openFile(nullptr, state);
    QVERIFY(seen);
    const QString expected = QDir::toNativeSeparators(
        QDir(folder.path()).absoluteFilePath(QStringLiteral("thread.html")));
    QCOMPARE(chosen.value_or(QString()), expected);
    QCOMPARE(state.fileName, expected);
    QCOMPARE(state.filterIndex, 1);
}

void QtPromptsTest::openDialogAcceptsAMissingFile() {
    QTemporaryDir folder;
    CommonDialog state;
    state.filter = kLoadFilter;
    state.initDir = folder.path();
    bool seen = false;
    whenShown<QFileDialog>(
        [&](QFileDialog& dialog) {
            QCOMPARE(dialog.fileMode(), QFileDialog::AnyFile);
            dialog.selectFile(QStringLiteral("missing.html"));
            QMetaObject::invokeMethod(&dialog, "accept");  // as the Open button does
        },
        seen);
    const std::optional<QString> chosen = QtPrompts().openFile(nullptr, state);
    QVERIFY(seen);
    QVERIFY(chosen.has_value());
    QVERIFY(chosen->endsWith(QStringLiteral("missing.html")));
}

void QtPromptsTest::cancelledDialogLeavesTheState() {
    CommonDialog state;
    state.filter = kLoadFilter;
    state.fileName = QStringLiteral("thread.html");
    state.filterIndex = 2;
    bool seen = false;
    whenShown<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); }, seen);
    QVERIFY(!QtPrompts().openFile(nullptr, state).has_value());
    QVERIFY(seen);
    QCOMPARE(state.fileName, QStringLiteral("thread.html"));
    QCOMPARE(state.filterIndex, 2);
}

void QtPromptsTest::overwritePromptFollowsTheFlag_data() {
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("asks");
    QTest::newRow("ask before replacing") << kDialogFlagOverwritePrompt << true;
    QTest::newRow("long names only") << kDialogFlagLongNames << false;
}

void QtPromptsTest::overwritePromptFollowsTheFlag() {
    QFETCH(int, flags);
    QFETCH(bool, asks);
    CommonDialog state;
    state.filter = QStringLiteral("HTML形式(*.htm;*.html)|*.htm;*.html|ﾃｷｽﾄ形式(*.txt)|*.txt");
    state.flags = flags;
    bool seen = false;
    whenShown<QFileDialog>(
        [&](QFileDialog& dialog) {
            QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptSave);
            QCOMPARE(!dialog.testOption(QFileDialog::DontConfirmOverwrite), asks);
            dialog.reject();
        },
        seen);
    QtPrompts().saveFile(nullptr, state);
    QVERIFY(seen);
}

QTEST_MAIN(QtPromptsTest)
#include "qt_prompts_test.moc"
