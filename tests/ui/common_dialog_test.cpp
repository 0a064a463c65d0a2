// Tests for the conversion of dialog filters into Qt name filters, checked
// through a real (non-native) QFileDialog.
#include "ui/common_dialog.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QtTest>

using mozaru::nameFilters;

namespace {

const QString kLoadFilter =
    QStringLiteral("ﾃｷｽﾄ(*.txt;*.htm;*.html)|*.txt;*.htm;*.html|すべて|*.*");
const QString kSaveFilter =
    QStringLiteral("HTML形式(*.htm;*.html)|*.htm;*.html|ﾃｷｽﾄ形式(*.txt)|*.txt|すべて|*.*");

QStringList shownNames(QFileDialog& dialog) {
    auto* view = dialog.findChild<QAbstractItemView*>(QStringLiteral("listView"));
    QStringList names;
    if (!view || !view->model()) return names;
    const QModelIndex root = view->rootIndex();
    for (int row = 0; row < view->model()->rowCount(root); ++row) {
        names << view->model()->index(row, 0, root).data().toString();
    }
    names.sort();
    return names;
}

}  // namespace

class CommonDialogTest : public QObject {
    Q_OBJECT
private slots:
    void converts_data();
    void converts();
    void dialogShowsDescriptions_data();
    void dialogShowsDescriptions();
    void dialogMatchesPatterns_data();
    void dialogMatchesPatterns();
};

void CommonDialogTest::converts_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("load") << kLoadFilter
                          << QStringList{
                                 QStringLiteral("ﾃｷｽﾄ(*.txt;*.htm;*.html) (*.txt *.htm *.html)"),
                                 QStringLiteral("すべて (*)")};
    QTest::newRow("save") << kSaveFilter
                          << QStringList{QStringLiteral("HTML形式(*.htm;*.html) (*.htm *.html)"),
                                         QStringLiteral("ﾃｷｽﾄ形式(*.txt) (*.txt)"),
                                         QStringLiteral("すべて (*)")};
    QTest::newRow("empty") << QString() << QStringList{};
    QTest::newRow("description without patterns")
        << QStringLiteral("a|*.a|b")
        << QStringList{QStringLiteral("a (*.a)"), QStringLiteral("b (*)")};
    QTest::newRow("spaces and empty patterns")
        << QStringLiteral("x| *.a ; ;*.b") << QStringList{QStringLiteral("x (*.a *.b)")};
}

void CommonDialogTest::converts() {
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    QCOMPARE(nameFilters(filter), expected);
}

void CommonDialogTest::dialogShowsDescriptions_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("load") << kLoadFilter
                          << QStringList{QStringLiteral("ﾃｷｽﾄ(*.txt;*.htm;*.html)"),
                                         QStringLiteral("すべて")};
    QTest::newRow("save") << kSaveFilter
                          << QStringList{QStringLiteral("HTML形式(*.htm;*.html)"),
                                         QStringLiteral("ﾃｷｽﾄ形式(*.txt)"),
                                         QStringLiteral("すべて")};
}

// The dialog must be told HideNameFilterDetails; then it shows exactly the
// descriptions of the filter string.
void CommonDialogTest::dialogShowsDescriptions() {
    QFETCH(QString, filter);
    QFETCH(QStringList, shown);
    QFileDialog dialog;
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(nameFilters(filter));
    auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    QVERIFY(combo);
    QStringList items;
    for (int k = 0; k < combo->count(); ++k) items << combo->itemText(k);
    QCOMPARE(items, shown);
}

void CommonDialogTest::dialogMatchesPatterns_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("entry");
    QTest::addColumn<QStringList>("listed");
    QTest::newRow("load text") << kLoadFilter << 0
                               << QStringList{QStringLiteral("a.txt"), QStringLiteral("b.htm"),
                                              QStringLiteral("c.html")};
    QTest::newRow("load all") << kLoadFilter << 1
                              << QStringList{QStringLiteral("a.txt"), QStringLiteral("b.htm"),
                                             QStringLiteral("c.html"), QStringLiteral("d.dat"),
                                             QStringLiteral("noext")};
    QTest::newRow("save html") << kSaveFilter << 0
                               << QStringList{QStringLiteral("b.htm"), QStringLiteral("c.html")};
    QTest::newRow("save text") << kSaveFilter << 1 << QStringList{QStringLiteral("a.txt")};
}

void CommonDialogTest::dialogMatchesPatterns() {
#ifdef _WIN32
    // Windows shows its own dialog; Qt's lists no file under Wine.
    QSKIP("Qt's own file dialog lists no file under Wine");
#endif
    QFETCH(QString, filter);
    QFETCH(int, entry);
    QFETCH(QStringList, listed);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const char* name : {"a.txt", "b.htm", "c.html", "d.dat", "noext"}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QFileDialog dialog;
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    const QStringList filters = nameFilters(filter);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters[entry]);
    dialog.setDirectory(dir.path());
    QTRY_COMPARE(shownNames(dialog), listed);
}

QTEST_MAIN(CommonDialogTest)
#include "common_dialog_test.moc"
