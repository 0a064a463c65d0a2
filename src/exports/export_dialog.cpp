// The エクスポート dialog: the outputs of the table that the window offers,
// the author's posts, headers and headings.
#include "exports/export_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <array>

#include "ui/app_icon.h"
#include "ui/fonts.h"

namespace mozaru {

namespace {

struct AuthorItem {
    const char16_t* caption;
    AuthorKey key;
};

constexpr std::array<AuthorItem, 5> kAuthors{{
    {u"すべての投稿", AuthorKey::Off},
    {u"作者（>>1 の ID・トリップ・名前から）", AuthorKey::Auto},
    {u"ID で指定", AuthorKey::Id},
    {u"トリップで指定", AuthorKey::Trip},
    {u"名前で指定", AuthorKey::Name},
}};

bool takesValue(AuthorKey key) {
    return key == AuthorKey::Id || key == AuthorKey::Trip || key == AuthorKey::Name;
}

}  // namespace

ExportDialog::ExportDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("エクスポート"));
    setFont(gothicFont(9.0));
    setWindowIcon(appIcon());

    m_output = new QComboBox(this);
    m_output->setObjectName(QStringLiteral("Output"));
    for (const ExportFormat& format : exportFormats()) {
        if (format.caption.empty()) continue;
        m_output->addItem(QStringView(format.caption).toString(), static_cast<int>(format.id));
    }
    m_author = new QComboBox(this);
    m_author->setObjectName(QStringLiteral("Author"));
    for (const AuthorItem& item : kAuthors) {
        m_author->addItem(QString::fromUtf16(item.caption), static_cast<int>(item.key));
    }
    m_value = new QLineEdit(this);
    m_value->setObjectName(QStringLiteral("AuthorValue"));
    m_value->setPlaceholderText(QStringLiteral("例: Ab3dEf0 / ◆MaRuO.neko / まる夫"));
    m_withHeader =
        new QCheckBox(QStringLiteral("投稿のヘッダー（番号・名前・日付・ID）を付ける"), this);
    m_withHeader->setObjectName(QStringLiteral("WithHeader"));
    m_headings =
        new QCheckBox(QStringLiteral("見出し（【スレタイ】【>>番号 名前】）を付ける"), this);
    m_headings->setObjectName(QStringLiteral("Headings"));

    auto* buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(QStringLiteral("Ｏ　Ｋ"), QDialogButtonBox::AcceptRole);
    m_ok->setObjectName(QStringLiteral("OK"));
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("出力形式"), m_output);
    form->addRow(QStringLiteral("投稿"), m_author);
    form->addRow(QString(), m_value);
    form->addRow(QString(), m_withHeader);
    form->addRow(QString(), m_headings);
    form->addRow(buttons);

    connect(m_output, &QComboBox::currentIndexChanged, this, &ExportDialog::follow);
    connect(m_author, &QComboBox::currentIndexChanged, this, &ExportDialog::follow);
    follow();
}

void ExportDialog::setChoices(const ExportChoices& choices) {
    m_output->setCurrentIndex(std::max(0, m_output->findData(static_cast<int>(choices.to))));
    m_author->setCurrentIndex(
        std::max(0, m_author->findData(static_cast<int>(choices.author.key))));
    m_value->setText(QString::fromStdU16String(choices.author.value));
    m_withHeader->setChecked(choices.withHeader);
    m_headings->setChecked(choices.headings);
    follow();
}

ExportChoices ExportDialog::choices() const {
    ExportChoices out;
    out.to = static_cast<ExportId>(m_output->currentData().toInt());
    out.author.key = static_cast<AuthorKey>(m_author->currentData().toInt());
    if (takesValue(out.author.key)) {
        // A trip is matched without its mark, however it was typed.
        const std::u16string typed = m_value->text().trimmed().toStdU16String();
        const std::u16string prefix = out.author.key == AuthorKey::Id     ? u"id:"
                                      : out.author.key == AuthorKey::Trip ? u"trip:"
                                                                          : u"name:";
        if (!parseAuthorChoice(prefix + typed, out.author)) out.author = {};
    }
    out.withHeader = m_withHeader->isChecked();
    out.headings = m_headings->isEnabled() && m_headings->isChecked();
    return out;
}

void ExportDialog::follow() {
    const auto to = static_cast<ExportId>(m_output->currentData().toInt());
    m_headings->setEnabled(to == ExportId::Mlt || to == ExportId::Ast);
    m_value->setEnabled(takesValue(static_cast<AuthorKey>(m_author->currentData().toInt())));
}

}  // namespace mozaru
