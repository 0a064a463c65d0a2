// The precision dialog: level slider, its description and the merge check box.
#include "extract/form3.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QProxyStyle>
#include <QPushButton>
#include <QSlider>
#include <QStyleOptionGroupBox>
#include <algorithm>

#include "app/fonts.h"
#include "app/twips.h"

namespace mozaru {

namespace {

constexpr int kPositions = 3;

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
    createControls();
    setFixedSize(twipsToPixels(5325, logicalDpiX()), twipsToPixels(3705, logicalDpiY()));
}

void Form3::createControls() {
    const auto place = setGeometryTwips;
    Label1 = new QLabel(QStringLiteral("【　AA抽出精度　】"), this);
    place(Label1, 1680, 240, 1935, 255);
    Slider1 = new QSlider(Qt::Horizontal, this);
    Slider1->setRange(0, kPositions - 1);
    Slider1->setPageStep(1);
    Slider1->setTickPosition(QSlider::TicksBelow);
    Slider1->setTickInterval(1);
    place(Slider1, 1080, 600, 3255, 495);
    Label2 = new QLabel(QStringLiteral("<全て>"), this);
    place(Label2, 840, 1080, 855, 255);
    Label3 = new QLabel(QStringLiteral("<標準>"), this);
    place(Label3, 2280, 1080, 855, 255);
    Label4 = new QLabel(QStringLiteral("<大規模AAのみ>"), this);
    place(Label4, 3360, 1080, 1695, 255);
    for (QLabel* label : {Label1, Label2, Label3, Label4}) label->setTextFormat(Qt::PlainText);
    Frame1 = new QGroupBox(QStringLiteral("【　説明　】"), this);
    place(Frame1, 120, 1440, 5055, 1335);
    // Created after the frame, so it is deleted after the frame that uses it.
    auto* captionStyle = new FrameCaptionStyle;
    captionStyle->setParent(this);
    Frame1->setStyle(captionStyle);
    Label5 = new QLabel(Frame1);
    Label5->setTextFormat(Qt::PlainText);
    Label5->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(Label5, 120, 240, 4815, 975);
    Check1 = new QCheckBox(QStringLiteral("同じAAを1つにまとめて抽出する。"), this);
    place(Check1, 1200, 2880, 3135, 255);
    Command1 = new QPushButton(QStringLiteral("Ｏ　Ｋ"), this);
    place(Command1, 1440, 3240, 1215, 375);
    Command2 = new QPushButton(QStringLiteral("キャンセル"), this);
    place(Command2, 2880, 3240, 1215, 375);

    setTabOrder(Slider1, Check1);
    setTabOrder(Check1, Command1);
    setTabOrder(Command1, Command2);

    connect(Slider1, &QSlider::valueChanged, this, &Form3::Slider1_Scroll);
    // The greyed state (2) can only come from the caller; a click leaves it.
    connect(Check1, &QCheckBox::clicked, this, [this] { Check1->setTristate(false); });
    connect(Command1, &QPushButton::clicked, this, &Form3::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form3::Command2_Click);
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
    Check1->setTristate(false);
    Check1->setCheckState(Qt::Unchecked);
    Slider1->setValue(0);
    m_loaded = true;
    Form_Load();
}

void Form3::Syokika(const std::int16_t& SliderValue, const std::int16_t& Check1Value) {
    if (!m_loaded) load();
    // A level the slider has no position for (only from a hand-edited settings
    // file) extracts like level 0, so the slider shows it there.
    const bool known = SliderValue >= 0 && SliderValue < kPositions;
    Slider1->setValue(known ? SliderValue : 0);
    switch (Check1Value) {
        case 1:
            Check1->setCheckState(Qt::Checked);
            break;
        case 2:
            Check1->setCheckState(Qt::PartiallyChecked);  // greyed
            break;
        default:
            Check1->setCheckState(Qt::Unchecked);
            break;
    }
}

void Form3::Form_Load() {
    m_ret = -1;
    m_check1 = -1;
    Slider1_Scroll();
}

void Form3::Slider1_Scroll() {
    const QString text = description(Slider1->value());
    if (!text.isEmpty()) Label5->setText(text);
}

void Form3::Command1_Click() {
    m_ret = static_cast<std::int16_t>(Slider1->value());
    m_check1 = stateValue(Check1->checkState());
    done(QDialog::Accepted);
}

void Form3::Command2_Click() {
    m_ret = -1;
    m_check1 = -1;
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
    Slider1->setFocus();
}

}  // namespace mozaru
