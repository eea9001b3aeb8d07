#pragma once

#include "arraysettings.h"
#include "modepanel.h"

#include <array>

class Platform;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The controls of mode 0 "Objects Arrays", which lie directly on the window: a frameless
// container at the window's origin, so the design positions hold as they are.
class ArrayPanel : public ModePanel
{
    Q_OBJECT

public:
    ArrayPanel(Platform &platform, QWidget *parent);

    // Start-up: hides the spacer and the entry button and sets the box defaults.
    void load() override;
    void enterMode() override;
    void leaveMode() override;
    // RESET while no mode panel is shown.
    void reset() override;
    // "CREATE Code": checks the fit and writes the code into the copy carrier; then "COPY".
    void actionClicked() override;
    // Whether the objects fit the selected device's screen; shows the message when not.
    bool fitCheck();
    // The device chosen for the fit check: "ppc", "hpc", or empty when none is.
    QString device() const;
    // Writes the array code of the chosen layout into the copy carrier.
    void Builtarray();

    // A kind option became selected: names the array after the kind and the running count.
    void OptionObject_Click(int Index);
    // A layout option became selected: 0 Vertical, 1 Horizontal, 2 Customized.
    void OptionDislpay_Click(int Index);
    // The arrow buttons: one object more, one less (never below 0).
    void Command2_Click();
    void Command5_Click();
    // The spacer's text changed: the step of the selected standard layout includes it.
    void spcr_Change();
    // Stores the position entry of the object being typed; the last one completes the list.
    void Custins_Click();
    // Starts a customized list of as many objects as the count shows.
    void startcust();
    void StandArray();
    void CustArray();

    const ArraySettings &arraySettings() const { return m_settings; }

private:
    // The action button's two steps.
    enum class Step { Create, Copy };
    void setStep(Step step, bool enabled);

    void setBoxDefaults();
    void clearBoxes();

    Platform &m_platform;
    ArraySettings m_settings;
    Step m_step = Step::Create;

    QGroupBox *m_frame1 = nullptr;
    std::array<QRadioButton *, 6> m_optionObject{};
    QLineEdit *m_leftbox = nullptr;
    QLabel *m_label1 = nullptr;
    QLineEdit *m_topbox = nullptr;
    QLabel *m_label2 = nullptr;
    QLineEdit *m_widthbox = nullptr;
    QLabel *m_label3 = nullptr;
    QLineEdit *m_highbox = nullptr;
    QLabel *m_label4 = nullptr;
    QLineEdit *m_spcr = nullptr;
    QLabel *m_spacelbl = nullptr;
    QRadioButton *m_option1 = nullptr;
    QRadioButton *m_option2 = nullptr;
    QLabel *m_label6 = nullptr;
    QPushButton *m_command2 = nullptr;
    QLabel *m_textnum = nullptr;
    QPushButton *m_command5 = nullptr;
    QGroupBox *m_frame2 = nullptr;
    std::array<QRadioButton *, 3> m_optionDislpay{};
    QPushButton *m_custins = nullptr;
};
