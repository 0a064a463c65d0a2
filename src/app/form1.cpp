// The main window: controls, start-up and shut-down, layout and busy state.
#include "app/form1.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <initializer_list>
#include <new>
#include <stdexcept>
#include <utility>

#include "app/caption.h"
#include "app/layout.h"
#include "text/messages.h"
#include "ui/app_icon.h"
#include "ui/background_work.h"
#include "ui/fonts.h"
#include "ui/literal_tool_tips.h"
#include "ui/progress_bar.h"
#include "ui/rich_text_box.h"
#include "ui/twips.h"

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
    setWindowIcon(appIcon());
    createControls();
    createShortcuts();
    resize(twipsToPixelsX(this, kClientWidth), twipsToPixelsY(this, kClientHeight));
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
    connect(RichTextBox1, &RichTextBox::changed, this, &Form1::RichTextBox1_Change);
    connect(RichTextBox1, &RichTextBox::dropped, this, &Form1::RichTextBox1_OLEDragDrop);
    connect(RichTextBox1, &RichTextBox::contextMenuOpening, this, &Form1::addPictureCommands);
}

void Form1::Form_Load() {
    BaseCaption = QString::fromStdString(
        buildCaption(MOZARU_VERSION_MAJOR, MOZARU_VERSION_MINOR, MOZARU_VERSION_PATCH));
    setWindowTitle(BaseCaption);
    ReadWriteSettings(0);
    offerUnsavedDocument();
    OpenCommandLineFile();
}

void Form1::Form_Unload() {
    // Closing is never refused: what was not saved is kept for the next start.
    keepUnsavedDocument();
    ReadWriteSettings(1);
}

void Form1::closeEvent(QCloseEvent* event) {
    // A command letting events through still holds the document and the
    // window; the close waits until it has ended (EnableCommands(True)).
    if (BusyFlag != kFalse || m_working) {
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
    if (enable == kTrue) closeIfPending();
}

void Form1::closeIfPending() {
    if (!m_closePending) return;
    m_closePending = false;
    // Queued, so the command that is leaving finishes before the window goes.
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void Form1::setUserFolders(QString configFolder, QString dataFolder) {
    m_configFolder = std::move(configFolder);
    m_dataFolder = std::move(dataFolder);
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
    const bool hasText = !RichTextBox1->isEmptyDocument();
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

void Form1::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    // The window manager moves the window when it puts its frame around it,
    // after the first layout: the outer size has grown without a resize.
    Form_Resize();
}

void Form1::Form_Resize() {
    tellMinimumSize();
    const auto outer = [this] {
        const QRect frame = frameGeometry();
        return OuterSize{pixelsToTwipsX(this, frame.width()), pixelsToTwipsY(this, frame.height())};
    };
    const OuterSize snapped = snapOuterSize(outer());
    if (snapped.width != outer().width || snapped.height != outer().height) {
        setOuterSize(snapped.width, snapped.height);
    }

    const OuterSize size = outer();
    const MainLayout layout = layoutControls(size);
    RichTextBox1->setGeometry(twipsToPixelsX(this, kEditLeft), twipsToPixelsY(this, kEditTop),
                              twipsToPixelsX(this, layout.editWidth),
                              twipsToPixelsY(this, layout.editHeight));
    Label1->move(twipsToPixelsX(this, layout.labelLeft), twipsToPixelsY(this, layout.labelTop));
    ProgressBar1->setGeometry(twipsToPixelsX(this, kBarLeft), twipsToPixelsY(this, layout.barTop),
                              twipsToPixelsX(this, layout.barWidth), ProgressBar1->height());
}

void Form1::confirm(const QString& text) {
    m_prompts.message(this, text, QStringView(kTitleConfirm).toString());
}

void Form1::reportFailure(std::u16string_view failed, const std::exception_ptr& error) {
    std::u16string description;
    try {
        std::rethrow_exception(error);
    } catch (const std::bad_alloc&) {
        description = u"メモリが不足しています";
    } catch (const std::length_error&) {
        description = u"メモリが不足しています";  // a document too large for a string
    } catch (const std::exception& other) {
        description = QString::fromUtf8(other.what()).toStdU16String();
    }
    confirm(QStringView(errorMessage(failed, description)).toString());
}

void Form1::tellMinimumSize() {
    // The window manager keeps fast drags above it too, which the snapping
    // alone cannot: it holds the outer minimum less the frame, and never
    // less than the button row needs.
    const QSize frame = frameGeometry().size() - size();
    const QSize minimum(std::max({0, twipsToPixelsX(this, kMinOuterWidth) - frame.width(),
                                  twipsToPixelsX(this, kMinClientWidth)}),
                        std::max(0, twipsToPixelsY(this, kMinOuterHeight) - frame.height()));
    if (minimumSize() != minimum) setMinimumSize(minimum);
}

void Form1::setOuterSize(float widthTwips, float heightTwips) {
    const QRect frame = frameGeometry();
    const int extraWidth = frame.width() - width();
    const int extraHeight = frame.height() - height();
    resize(std::max(0, twipsToPixelsX(this, widthTwips) - extraWidth),
           std::max(0, twipsToPixelsY(this, heightTwips) - extraHeight));
}

}  // namespace mozaru
