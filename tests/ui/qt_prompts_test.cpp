// The real message boxes and file dialogs: icon, title, buttons, and how the
// file dialogs read and fill the shared dialog state.
#include "ui/qt_prompts.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
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
    void fileDialogSpeaksJapanese();
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

void QtPromptsTest::fileDialogSpeaksJapanese() {
#ifdef _WIN32
    QSKIP("Windows shows its own dialog");
#else
    QTemporaryDir folder;
    QDir(folder.path()).mkdir(QStringLiteral("ログ"));
    QFile small(folder.filePath(QStringLiteral("a.txt")));
    QVERIFY(small.open(QIODevice::WriteOnly) && small.write("ab") == 2);
    small.close();
    QFile large(folder.filePath(QStringLiteral("b.html")));
    QVERIFY(large.open(QIODevice::WriteOnly) && large.write(QByteArray(20480, 'x')) == 20480);
    large.close();
    CommonDialog state;
    state.filter = kLoadFilter;
    state.filterIndex = 2;
    state.initDir = folder.path();
    bool seen = false;
    whenShown<QFileDialog>(
        [&](QFileDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("開く"));
            QVERIFY(dialog.testOption(QFileDialog::DontUseNativeDialog));
            // Every visible caption is Japanese: no English word in any.
            const QRegularExpression english(QStringLiteral("[A-Za-z]{3,}"));
            for (const QWidget* widget : dialog.findChildren<QWidget*>()) {
                if (!widget->isVisible()) continue;
                QString text;
                if (const auto* label = qobject_cast<const QLabel*>(widget)) text = label->text();
                if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
                    text = button->text();
                }
                QVERIFY2(!english.match(text).hasMatch(), qPrintable(text));
            }
            // The rows as a Japanese desktop shows them, nothing cut.
            QAbstractItemModel* rows =
                dialog.findChild<QTreeView*>(QStringLiteral("treeView"))->model();
            const QModelIndex top =
                dialog.findChild<QTreeView*>(QStringLiteral("treeView"))->rootIndex();
            QTRY_COMPARE(rows->rowCount(top), 3);
            QMap<QString, QStringList> columns;
            for (int row = 0; row < 3; ++row) {
                QStringList cells;
                for (int column = 1; column <= 3; ++column) {
                    cells << rows->index(row, column, top).data().toString();
                }
                columns[rows->index(row, 0, top).data().toString()] = cells;
            }
            const QLocale japanese(QLocale::Japanese, QLocale::Japan);
            const QString date =
                japanese.toString(QFileInfo(small).lastModified(), QLocale::ShortFormat);
            QCOMPARE(columns.value(QStringLiteral("ログ")).value(0), QString());
            QCOMPARE(columns.value(QStringLiteral("ログ")).value(1), QStringLiteral("フォルダ"));
            QCOMPARE(columns.value(QStringLiteral("a.txt")).value(0), QStringLiteral("2 バイト"));
            QCOMPARE(columns.value(QStringLiteral("a.txt")).value(2), date);
            QCOMPARE(columns.value(QStringLiteral("b.html")).value(0), QStringLiteral("20.0 KB"));
            QVERIFY(!english.match(columns.value(QStringLiteral("a.txt")).value(1)).hasMatch());
            const auto* sidebar = dialog.findChild<QListView*>(QStringLiteral("sidebar"));
            QTRY_VERIFY(sidebar->viewport()->width() >= sidebar->sizeHintForColumn(0));
            dialog.reject();
        },
        seen);
    QtPrompts().openFile(nullptr, state);
    QVERIFY(seen);
#endif
}

QTEST_MAIN(QtPromptsTest)
#include "qt_prompts_test.moc"
