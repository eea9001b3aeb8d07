#pragma once

#include "dialogsettings.h"
#include "modepanel.h"

class Platform;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

// Panel Picture2, mode 2 "Msg-Input Box": describes a message box or input box, previews
// it and generates its code.
class DialogPanel : public ModePanel
{
    Q_OBJECT

public:
    DialogPanel(Platform &platform, QWidget *parent);

    // Start-up: fills the three lists and the answer-test lines.
    void load() override;
    // Entering mode 2: selects "Msg Box" and runs its handler.
    void enterMode() override;
    void leaveMode() override;
    // "Preview": builds the code, shows the preview and puts the code into the copy carrier;
    // then "COPY".
    void actionClicked() override;
    // Builds the code and shows the preview; false when the click must end.
    bool BuildDialogCode();
    // The code built by the last successful BuildDialogCode.
    QString generatedText() const;
    // RESET while this panel is shown.
    void reset() override;

    const DialogSettings &settings() const { return m_settings; }

private:
    // The action button's two steps.
    enum class Step { Preview, Copy };
    void setStep(Step step, bool enabled);

    void Opt1_click();
    void Opt2_click();
    void Opt3_click();
    void CBox1_click();
    void CBox2_click();
    void CBox3_click();
    void Check1_Click();
    void Setdisabled();
    void SetEnabled();

    Platform &m_platform;
    Step m_step = Step::Preview;

    QRadioButton *m_opt1 = nullptr;
    QRadioButton *m_opt2 = nullptr;
    QRadioButton *m_opt3 = nullptr;
    QLabel *m_label7 = nullptr;
    QComboBox *m_cbox1 = nullptr;
    QLabel *m_label8 = nullptr;
    QComboBox *m_cbox2 = nullptr;
    QLabel *m_label9 = nullptr;
    QComboBox *m_cbox3 = nullptr;
    QCheckBox *m_check1 = nullptr;
    QCheckBox *m_check2 = nullptr;
    QLabel *m_label10 = nullptr;
    QLineEdit *m_text1 = nullptr;
    QLabel *m_label11 = nullptr;
    QPlainTextEdit *m_text2 = nullptr;
    QLabel *m_label5 = nullptr;
    QLineEdit *m_text4 = nullptr;

    DialogSettings m_settings;
};
