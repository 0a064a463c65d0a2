// The main window: controls, start-up and shut-down, layout and busy state.
#include "app/form1.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QTextDocument>
#include <algorithm>
#include <initializer_list>
#include <utility>

#include "app/caption.h"
#include "app/editor_text.h"
#include "app/fonts.h"
#include "app/layout.h"
#include "app/literal_tool_tips.h"
#include "app/progress_bar.h"
#include "app/rich_text_box.h"
#include "app/twips.h"

namespace mozaru {

namespace {

constexpr double kClientWidth = 10170.0;
constexpr double kClientHeight = 7755.0;

struct ButtonDesign {
    const char* caption;
    int left, top, width, height;
    const char* toolTip;
};

constexpr ButtonDesign kCommand1{
    "改行付加", 3720, 120,
    1095,       375,  "<BR>タグの後ろに改行コードを付け加えてテキスト内容を見やすく整形します。"};
constexpr ButtonDesign kCommand2{
    "AAの抽出", 2520, 120, 1095, 375, "アスキーアート（AA）の抜き出し処理を実行します。"};
constexpr ButtonDesign kCommand3{"<BR>タグ付加", 8520, 120, 1335, 375, ""};
constexpr ButtonDesign kCommand4{
    "LOAD", 240,
    120,    855,
    375,    "編集を行いたいファイルを読み込みます。対応ファイルは「*.txt *.html *.htm」です。"};
constexpr ButtonDesign kCommand5{
    "SAVE", 1080, 120, 855, 375, "HTML形式、テキスト形式のどちらかでファイルを保存します。"};
constexpr ButtonDesign kCommand6{"ヘルプ参照", 6480, 120,
                                 1215,         375,  "取り扱い説明書を表示します。"};
constexpr ButtonDesign kCommand7{
    "改行除去", 4920, 120,
    1095,       375,  "「改行付加」で<BR>タグの後ろに付け加えた改行コードを削除します。"};

}  // namespace

Form1::Form1(Prompts& prompts, QStringList arguments, QString programFolder, QWidget* parent)
    : QWidget(parent),
      m_prompts(prompts),
      m_arguments(std::move(arguments)),
      m_programFolder(std::move(programFolder)) {
    setFont(gothicFont(9));
    createControls();
    resize(twipsToPixelsX(kClientWidth), twipsToPixelsY(kClientHeight));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect centred(QPoint(0, 0), size());
        centred.moveCenter(screen->availableGeometry().center());
        move(centred.topLeft());
    }
}

Form1::~Form1() = default;

void Form1::createControls() {
    const auto place = setGeometryTwips;
    auto* toolTips = new LiteralToolTips(this);
    const auto button = [&](const ButtonDesign& design) {
        auto* b = new QPushButton(QString::fromUtf8(design.caption), this);
        place(b, design.left, design.top, design.width, design.height);
        b->setToolTip(QString::fromUtf8(design.toolTip));
        b->installEventFilter(toolTips);
        return b;
    };

    // Created from the bottom of the stacking order up: a later sibling lies
    // above an earlier one, so the edit area covers the busy label and bar.
    Label1 = new QLabel(QStringLiteral("処理中です・・・・"), this);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setFont(gothicFont(18, QFont::Bold));
    place(Label1, 2400, 2400, kBusyLabelWidth, kBusyLabelHeight);
    ProgressBar1 = new ProgressBar(this);
    place(ProgressBar1, kBarLeft, 3000, 8295, 375);
    Command1 = button(kCommand1);
    RichTextBox1 = new RichTextBox(this);
    RichTextBox1->setFont(pGothicFont(9));
    place(RichTextBox1, kEditLeft, kEditTop, 9975, 6975);
    Command2 = button(kCommand2);
    Command3 = button(kCommand3);
    Command3->hide();
    Command4 = button(kCommand4);
    Command5 = button(kCommand5);
    Command6 = button(kCommand6);
    Command7 = button(kCommand7);

    // The busy label and the bar never take the focus.
    QWidget* tabOrder[] = {RichTextBox1, Command4, Command5, Command2,
                           Command1,     Command7, Command6, Command3};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i) {
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    }
    RichTextBox1->setFocus();  // first in the tab order

    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form1::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Form1::Command6_Click);
    connect(Command7, &QPushButton::clicked, this, &Form1::Command7_Click);
    connect(RichTextBox1->document(), &QTextDocument::contentsChange, this,
            [this] { m_documentKnown = false; });
    connect(RichTextBox1, &QPlainTextEdit::textChanged, this, &Form1::RichTextBox1_Change);
    connect(RichTextBox1, &RichTextBox::dropped, this, &Form1::RichTextBox1_OLEDragDrop);
}

void Form1::Form_Load() {
    BaseCaption = QString::fromStdString(
        buildCaption(MOZARU_VERSION_MAJOR, MOZARU_VERSION_MINOR, MOZARU_VERSION_PATCH));
    setWindowTitle(BaseCaption);
    ReadWriteSettings(0);
    OpenCommandLineFile();
}

void Form1::Form_Unload() {
    ReadWriteSettings(1);
}

void Form1::closeEvent(QCloseEvent* event) {
    // A command letting events through still holds the document and the
    // window; the close waits until it has ended (EnableCommands(True)).
    if (BusyFlag != kFalse) {
        m_closePending = true;
        event->ignore();
        return;
    }
    if (!m_unloaded) {
        m_unloaded = true;
        Form_Unload();
        emit unloaded();
    }
    event->accept();
}

void Form1::EnableCommands(std::int16_t enable) {
    if (enable != kFalse && enable != kTrue) return;
    BusyFlag = enable == kFalse ? kTrue : kFalse;
    for (QPushButton* b : {Command1, Command2, Command3, Command4, Command5, Command7}) {
        b->setEnabled(enable == kTrue);
    }
    if (enable == kTrue && m_closePending) {
        m_closePending = false;
        // Queued, so the command that is leaving finishes before the window goes.
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    }
}

void Form1::Form_Paint() {
    applyEnablingRule();
}

void Form1::RichTextBox1_Change() {
    applyEnablingRule();
}

void Form1::applyEnablingRule() {
    if (BusyFlag == kTrue) return;
    // Whether the text is empty; the document knows without building it.
    const bool hasText = !RichTextBox1->document()->isEmpty();
    for (QPushButton* b : {Command1, Command2, Command3, Command5, Command7}) {
        b->setEnabled(hasText);
    }
}

void Form1::paintEvent(QPaintEvent* /*event*/) {
    Form_Paint();
}

void Form1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void Form1::Form_Resize() {
    const auto outer = [this] {
        const QRect frame = frameGeometry();
        return OuterSize{pixelsToTwipsX(frame.width()), pixelsToTwipsY(frame.height())};
    };
    if (outer().width <= kMinOuterWidth) setOuterSize(kMinOuterWidth, outer().height);
    if (outer().height <= kMinOuterHeight) setOuterSize(outer().width, kMinOuterHeight);

    const OuterSize size = outer();
    const MainLayout layout = layoutControls(size);
    RichTextBox1->setGeometry(twipsToPixelsX(kEditLeft), twipsToPixelsY(kEditTop),
                              twipsToPixelsX(layout.editWidth), twipsToPixelsY(layout.editHeight));
    Label1->move(twipsToPixelsX(layout.labelLeft), twipsToPixelsY(layout.labelTop));
    ProgressBar1->setGeometry(twipsToPixelsX(kBarLeft), twipsToPixelsY(layout.barTop),
                              twipsToPixelsX(layout.barWidth), ProgressBar1->height());
}

void Form1::setOuterSize(float widthTwips, float heightTwips) {
    const QRect frame = frameGeometry();
    const int extraWidth = frame.width() - width();
    const int extraHeight = frame.height() - height();
    resize(std::max(0, twipsToPixelsX(widthTwips) - extraWidth),
           std::max(0, twipsToPixelsY(heightTwips) - extraHeight));
}

std::u16string Form1::documentText() const {
    return std::u16string(documentView());
}

std::u16string_view Form1::documentView() const {
    if (!m_documentKnown) {
        // The raw text keeps no-break spaces, which toPlainText would turn into spaces.
        const QString raw = RichTextBox1->document()->toRawText();
        m_document = editorToDocument(std::u16string_view(
            reinterpret_cast<const char16_t*>(raw.utf16()), static_cast<std::size_t>(raw.size())));
        m_documentKnown = true;
    }
    return m_document;
}

void Form1::setDocumentText(std::u16string_view text) {
    showDocumentText(text, nullptr);
}

void Form1::takeDocumentText(std::u16string&& text) {
    showDocumentText(text, &text);
}

void Form1::showDocumentText(std::u16string_view text, std::u16string* owned) {
    // Converted straight into the string the edit area takes: a 50 MB page
    // is 100 MB of UTF-16, and every copy of it shows.
    QString editor(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
    const std::size_t length = documentToEditor(text, reinterpret_cast<char16_t*>(editor.data()));
    editor.truncate(static_cast<qsizetype>(length));
    RichTextBox1->setPlainText(editor);
    // What the edit area now holds, as documentText would read it back: the
    // text itself when every line break in it was already a CR LF.
    const auto lines = static_cast<std::size_t>(std::count(editor.cbegin(), editor.cend(), u'\n'));
    if (length + lines == text.size()) {
        if (owned != nullptr) {
            m_document = std::move(*owned);
        } else {
            m_document.assign(text);
        }
    } else {
        m_document = editorToDocument(
            std::u16string_view(reinterpret_cast<const char16_t*>(editor.utf16()), length));
    }
    m_documentKnown = true;
}

int Form1::twipsToPixelsX(double twips) const {
    return twipsToPixels(twips, logicalDpiX());
}

int Form1::twipsToPixelsY(double twips) const {
    return twipsToPixels(twips, logicalDpiY());
}

float Form1::pixelsToTwipsX(int pixels) const {
    return pixelsToTwips(pixels, logicalDpiX());
}

float Form1::pixelsToTwipsY(int pixels) const {
    return pixelsToTwips(pixels, logicalDpiY());
}

}  // namespace mozaru
