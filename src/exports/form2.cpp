// The save-format dialog: HTML page or plain text.
#include "exports/form2.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "ui/app_icon.h"
#include "ui/fonts.h"
#include "ui/literal_tool_tips.h"
#include "ui/twips.h"

namespace mozaru {

Form2::Form2(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("選択メニュー"));
    setFont(gothicFont(9.0));
    setWindowIcon(appIcon());
    // Designed in twips; the logical DPI keeps its proportions at every scaling.
    setFixedSize(twipsToPixelsX(this, 3225), twipsToPixelsY(this, 2130));

    m_option2 = new QRadioButton(QStringLiteral("『ＨＴＭＬ形式』で保存する"), this);
    m_option2->setObjectName(QStringLiteral("Option2"));
    m_option2->setToolTip(
        QStringLiteral("編集中のテキストの前後に<HTML>タグと<BODY>タグを付け加えて保存します。"));
    setGeometryTwips(m_option2, 240, 720, 3015, 255);
    m_option2->setChecked(true);

    m_option1 = new QRadioButton(QStringLiteral("『テキスト形式』で保存する"), this);
    m_option1->setObjectName(QStringLiteral("Option1"));
    m_option1->setToolTip(QStringLiteral("編集中のテキストをそのまま保存します。"));
    setGeometryTwips(m_option1, 240, 1200, 3015, 255);

    m_command1 = new QPushButton(QStringLiteral("Ｏ　Ｋ"), this);
    m_command1->setObjectName(QStringLiteral("Command1"));
    setGeometryTwips(m_command1, 960, 1680, 1215, 375);

    m_label1 = new QLabel(QStringLiteral("保存形式の選択"), this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setFont(gothicFont(9.75, QFont::Bold));
    setGeometryTwips(m_label1, 480, 240, 2175, 255);

    // "<HTML>タグと<BODY>タグ" must read as written, not as markup.
    auto* toolTips = new LiteralToolTips(this);
    m_option2->installEventFilter(toolTips);
    m_option1->installEventFilter(toolTips);

    setTabOrder(m_option2, m_option1);
    setTabOrder(m_option1, m_command1);

    connect(m_command1, &QPushButton::clicked, this, &Form2::Command1_Click);
}

void Form2::showEvent(QShowEvent* event) {
    // Each showing starts anew with HTML, whatever was chosen last time.
    m_option2->setChecked(true);
    m_option2->setFocus();
    QDialog::showEvent(event);
}

void Form2::Command1_Click() {
    accept();
}

void Form2::done(int result) {
    Form_Unload();
    QDialog::done(result);
}

void Form2::Form_Unload() {
    if (m_option2->isChecked()) m_saveFormat = 0;
    if (m_option1->isChecked()) m_saveFormat = 1;
}

}  // namespace mozaru
