#pragma once

#include <QWidget>

#include <array>

class ActionHost;
class Platform;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The controls of mode 0 "Objects Arrays", which lie directly on the window: a frameless
// container at the window's origin, so the design positions hold as they are.
class ArrayPanel : public QWidget
{
    Q_OBJECT

public:
    ArrayPanel(Platform &platform, ActionHost &host, QWidget *parent);

    // Start-up: hides the spacer and the entry button and sets the box defaults.
    void Form_Load();
    // Whether the objects fit the selected device's screen; shows the message when not.
    bool fitCheck();
    // Writes the array code of the chosen layout into the copy carrier.
    void Builtarray();
    // RESET while no mode panel is shown.
    void Command1_Click();

private:
    void setBoxDefaults();

    Platform &m_platform;
    ActionHost &m_host;

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
