// The エクスポート dialog as a query object: choices in, choices out.
#include "exports/export_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

using namespace mozaru;

class ExportDialogTest : public QObject {
    Q_OBJECT
private slots:
    void choicesComeBack_data();
    void choicesComeBack();
    void offersTheTablesOutputs();
};

void ExportDialogTest::choicesComeBack_data() {
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("headings");
    QTest::addColumn<int>("keyOut");  // what comes back
    QTest::addColumn<QString>("valueOut");
    QTest::addColumn<bool>("headingsOut");
    QTest::newRow("MLT, headings") << int(ExportId::Mlt) << int(AuthorKey::Auto) << "" << true
                                   << int(AuthorKey::Auto) << "" << true;
    // Headings only for the libraries.
    QTest::newRow("page, no headings") << int(ExportId::Page) << int(AuthorKey::Off) << "" << true
                                       << int(AuthorKey::Off) << "" << false;
    // A trip typed with its mark is matched without it.
    QTest::newRow("trip") << int(ExportId::Ast) << int(AuthorKey::Trip) << "◆MaRuO.neko" << false
                          << int(AuthorKey::Trip) << "MaRuO.neko" << false;
    // A key that takes a value, with none typed, is no choice.
    QTest::newRow("ID, empty") << int(ExportId::Mlt) << int(AuthorKey::Id) << "" << false
                               << int(AuthorKey::Off) << "" << false;
}

void ExportDialogTest::choicesComeBack() {
    QFETCH(int, to);
    QFETCH(int, key);
    QFETCH(QString, value);
    QFETCH(bool, headings);
    QFETCH(int, keyOut);
    QFETCH(QString, valueOut);
    QFETCH(bool, headingsOut);
    ExportDialog dialog;
    ExportChoices in;
    in.to = ExportId(to);
    in.author = {AuthorKey(key), value.toStdU16String()};
    in.withHeader = true;
    in.headings = headings;
    dialog.setChoices(in);
    const ExportChoices out = dialog.choices();
    QCOMPARE(int(out.to), to);
    QCOMPARE(int(out.author.key), keyOut);
    QCOMPARE(QString::fromStdU16String(out.author.value), valueOut);
    QVERIFY(out.withHeader);
    QCOMPARE(out.headings, headingsOut);
}

void ExportDialogTest::offersTheTablesOutputs() {
    ExportDialog dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("エクスポート"));
    auto* outputs = dialog.findChild<QComboBox*>(QStringLiteral("Output"));
    QStringList captions;
    for (int i = 0; i < outputs->count(); ++i) captions << outputs->itemText(i);
    QStringList expected{"抽出結果（<HR> 区切りの HTML）", "MLT（AA エディタのライブラリ）",
                         "AST（AA エディタのライブラリ）", "Web ページ（HTML）"};
#ifdef MOZARU_EXPORT_IMAGES
    expected << "PNG 画像（1 枚ずつ）"
             << "SVG 画像（1 枚ずつ）";
#endif
    QCOMPARE(captions, expected);
}

QTEST_MAIN(ExportDialogTest)
#include "export_dialog_test.moc"
