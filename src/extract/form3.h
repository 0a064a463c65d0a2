// The precision dialog: the extraction's level on a three-position slider,
// whether identical ASCII art is merged, and whether the picture detector judges.
#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;

namespace mozaru {

// A query object: Syokika sets the controls, the caller shows the dialog, and
// F_Ret / F_Check1 / F_Check2 give the choice (-1 when not confirmed) after it
// closed. The object outlives its window: each Syokika after a close loads it
// afresh.
class Form3 : public QDialog {
    Q_OBJECT
public:
    explicit Form3(QWidget* parent = nullptr);

    // Loads the dialog if it is not loaded, then sets the slider and the check
    // boxes (Check2, the picture detector's, unticked when not given).
    void Syokika(const std::int16_t& SliderValue, const std::int16_t& Check1Value);
    void Syokika(const std::int16_t& SliderValue, const std::int16_t& Check1Value,
                 const std::int16_t& Check2Value);
    std::int16_t F_Ret() const { return m_ret; }
    std::int16_t F_Check1() const { return m_checkResult; }
    // Check2's state: 1 judges with the picture detector.
    std::int16_t F_Check2() const { return m_check2Result; }

    // The description of a slider position (each text followed by CR LF);
    // empty for a position the slider does not have.
    static QString description(int position);

    // Handlers.
    void Form_Load();
    void Slider1_Scroll();
    void Command1_Click();  // Ｏ　Ｋ
    void Command2_Click();  // キャンセル

    bool isLoaded() const { return m_loaded; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createControls();
    void load();

    // The controls, found by their object names ("Slider1", "Check1", ...).
    QLabel* m_label1 = nullptr;
    QSlider* m_slider1 = nullptr;
    QLabel* m_label2 = nullptr;
    QLabel* m_label3 = nullptr;
    QLabel* m_label4 = nullptr;
    QGroupBox* m_frame1 = nullptr;
    QLabel* m_label5 = nullptr;
    QCheckBox* m_check1 = nullptr;
    QCheckBox* m_check2 = nullptr;  // below the seed's controls
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command2 = nullptr;

    std::int16_t m_ret = -1;
    std::int16_t m_checkResult = -1;
    std::int16_t m_check2Result = -1;
    bool m_loaded = false;
};

}  // namespace mozaru
