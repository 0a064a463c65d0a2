// The save-format dialog: HTML page or plain text.
#pragma once

#include <QDialog>
#include <cstdint>

class QLabel;
class QPushButton;
class QRadioButton;

namespace mozaru {

class Form2 : public QDialog {
    Q_OBJECT
public:
    explicit Form2(QWidget* parent = nullptr);

    // 0 HTML, 1 text: the format confirmed when the dialog last closed. Stays
    // readable after the window is gone.
    std::int16_t F_Ret() const { return m_saveFormat; }

    // Every way of closing (the button, the close box, Escape) ends here, so
    // each of them confirms the selected format.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Command1_Click();
    void Form_Unload();

    std::int16_t m_saveFormat = 0;
    QRadioButton* m_option2 = nullptr;
    QRadioButton* m_option1 = nullptr;
    QPushButton* m_command1 = nullptr;
    QLabel* m_label1 = nullptr;
};

}  // namespace mozaru
