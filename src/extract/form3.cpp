// The precision dialog: level slider, its description, the merge check box,
// and below them the picture detector's.
#include "extract/form3.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QProxyStyle>
#include <QPushButton>
#include <QSlider>
#include <QStyleOptionGroupBox>
#include <algorithm>

#include "ui/app_icon.h"
#include "ui/fonts.h"
#include "ui/twips.h"

namespace mozaru {

namespace {

constexpr int kPositions = 3;

// 1 ticks, 2 greys (only a hand-edited settings file gives it), anything else unticks.
void setState(QCheckBox* box, std::int16_t value) {
    switch (value) {
        case 1:
            box->setCheckState(Qt::Checked);
            break;
        case 2:
            box->setCheckState(Qt::PartiallyChecked);
            break;
        default:
            box->setCheckState(Qt::Unchecked);
            break;
    }
}

std::int16_t stateValue(Qt::CheckState state) {
    switch (state) {
        case Qt::Checked:
            return 1;
        case Qt::PartiallyChecked:
            return 2;
        case Qt::Unchecked:
            break;
    }
    return 0;
}

// The frame's caption ends in an ideographic space and "】", whose ink stands
// left of its advance: the style sized the caption by ink and wrapped the end
// away. The caption gets its full advance.
class FrameCaptionStyle : public QProxyStyle {
public:
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget) const override {
        QRect rect = QProxyStyle::subControlRect(control, option, sub, widget);
        if (control == CC_GroupBox && sub == SC_GroupBoxLabel) {
            if (const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option)) {
                rect.setWidth(
                    std::max(rect.width(), box->fontMetrics.horizontalAdvance(box->text) + 1));
            }
        }
        return rect;
    }
};

}  // namespace

Form3::Form3(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("抽出精度の選択"));
    setFont(gothicFont(9));
    setWindowIcon(appIcon());
    createControls();
    // The seed's dialog is 3705 high; the picture detector's check box adds a row.
    setFixedSize(twipsToPixelsX(this, 5325), twipsToPixelsY(this, 4065));
}

void Form3::createControls() {
    const auto place = setGeometryTwips;
    m_label1 = new QLabel(QStringLiteral("【　AA抽出精度　】"), this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    place(m_label1, 1680, 240, 1935, 255);
    m_slider1 = new QSlider(Qt::Horizontal, this);
    m_slider1->setObjectName(QStringLiteral("Slider1"));
    m_slider1->setRange(0, kPositions - 1);
    m_slider1->setPageStep(1);
    m_slider1->setTickPosition(QSlider::TicksBelow);
    m_slider1->setTickInterval(1);
    place(m_slider1, 1080, 600, 3255, 495);
    m_label2 = new QLabel(QStringLiteral("<全て>"), this);
    m_label2->setObjectName(QStringLiteral("Label2"));
    place(m_label2, 840, 1080, 855, 255);
    m_label3 = new QLabel(QStringLiteral("<標準>"), this);
    m_label3->setObjectName(QStringLiteral("Label3"));
    place(m_label3, 2280, 1080, 855, 255);
    m_label4 = new QLabel(QStringLiteral("<大規模AAのみ>"), this);
    m_label4->setObjectName(QStringLiteral("Label4"));
    place(m_label4, 3360, 1080, 1695, 255);
    for (QLabel* label : {m_label1, m_label2, m_label3, m_label4})
        label->setTextFormat(Qt::PlainText);
    m_frame1 = new QGroupBox(QStringLiteral("【　説明　】"), this);
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    place(m_frame1, 120, 1440, 5055, 1335);
    // Created after the frame, so it is deleted after the frame that uses it.
    auto* captionStyle = new FrameCaptionStyle;
    captionStyle->setParent(this);
    m_frame1->setStyle(captionStyle);
    m_label5 = new QLabel(m_frame1);
    m_label5->setObjectName(QStringLiteral("Label5"));
    m_label5->setTextFormat(Qt::PlainText);
    m_label5->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(m_label5, 120, 240, 4815, 975);
    m_check1 = new QCheckBox(QStringLiteral("同じAAを1つにまとめて抽出する。"), this);
    m_check1->setObjectName(QStringLiteral("Check1"));
    place(m_check1, 1200, 2880, 3135, 255);
    m_command1 = new QPushButton(QStringLiteral("Ｏ　Ｋ"), this);
    m_command1->setObjectName(QStringLiteral("Command1"));
    place(m_command1, 1440, 3240, 1215, 375);
    m_command2 = new QPushButton(QStringLiteral("キャンセル"), this);
    m_command2->setObjectName(QStringLiteral("Command2"));
    place(m_command2, 2880, 3240, 1215, 375);
    m_check2 = new QCheckBox(QStringLiteral("絵の形で判定する"), this);
    m_check2->setObjectName(QStringLiteral("Check2"));
    place(m_check2, 1200, 3720, 3135, 255);

    setTabOrder(m_slider1, m_check1);
    setTabOrder(m_check1, m_command1);
    setTabOrder(m_command1, m_command2);
    setTabOrder(m_command2, m_check2);

    connect(m_slider1, &QSlider::valueChanged, this, &Form3::Slider1_Scroll);
    // The greyed state (2) can only come from the caller; a click leaves it.
    for (QCheckBox* box : {m_check1, m_check2}) {
        connect(box, &QCheckBox::clicked, this, [box] { box->setTristate(false); });
    }
    connect(m_command1, &QPushButton::clicked, this, &Form3::Command1_Click);
    connect(m_command2, &QPushButton::clicked, this, &Form3::Command2_Click);
}

QString Form3::description(int position) {
    switch (position) {
        case 0:
            return QStringLiteral(
                "ほぼ全てのAAを抽出する事ができますが\r\n"
                "極まれにAA以外の物も抽出されてくる事があります\r\n");
        case 1:
            return QStringLiteral(
                "規模の小さすぎるAAは抽出できない事があります\r\n"
                "AA以外の物を高確率で省く事ができます\r\n");
        case 2:
            return QStringLiteral(
                "中\uFF5E大規模のAAのみ抽出する事ができます\r\n"
                "小さいAAは抽出されません\r\n"
                "アニメ系タイプのAAのみを抽出する場合に向いています\r\n");
        default:
            return {};
    }
}

void Form3::load() {
    // A fresh window: controls at their design state, then Form_Load.
    for (QCheckBox* box : {m_check1, m_check2}) {
        box->setTristate(false);
        box->setCheckState(Qt::Unchecked);
    }
    m_slider1->setValue(0);
    m_loaded = true;
    Form_Load();
}

void Form3::Syokika(const std::int16_t& SliderValue, const std::int16_t& Check1Value) {
    Syokika(SliderValue, Check1Value, 0);
}

void Form3::Syokika(const std::int16_t& SliderValue, const std::int16_t& Check1Value,
                    const std::int16_t& Check2Value) {
    if (!m_loaded) load();
    // A level the slider has no position for (only from a hand-edited settings
    // file) extracts like level 0, so the slider shows it there.
    const bool known = SliderValue >= 0 && SliderValue < kPositions;
    m_slider1->setValue(known ? SliderValue : 0);
    setState(m_check1, Check1Value);
    setState(m_check2, Check2Value);
}

void Form3::Form_Load() {
    m_ret = -1;
    m_checkResult = -1;
    m_check2Result = -1;
    Slider1_Scroll();
}

void Form3::Slider1_Scroll() {
    const QString text = description(m_slider1->value());
    if (!text.isEmpty()) m_label5->setText(text);
}

void Form3::Command1_Click() {
    m_ret = static_cast<std::int16_t>(m_slider1->value());
    m_checkResult = stateValue(m_check1->checkState());
    m_check2Result = stateValue(m_check2->checkState());
    done(QDialog::Accepted);
}

void Form3::Command2_Click() {
    m_ret = -1;
    m_checkResult = -1;
    m_check2Result = -1;
    done(QDialog::Rejected);
}

void Form3::done(int result) {
    // Every way of closing (OK, cancel, close box, Escape) unloads the dialog;
    // the results stay readable until the next load.
    m_loaded = false;
    QDialog::done(result);
}

void Form3::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_slider1->setFocus();
}

}  // namespace mozaru
