#pragma once

#include "dialogcode.h"
#include "dialogsettings.h"
#include "modepanel.h"

#include <array>

class Platform;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

// Panel Picture2, mode 2 "Msg-Input Box": describes a message box or input box, previews
// it and generates its code.
//
// objectName        member                        what it shows
// Opt1, Opt2, Opt3  m_kindOptions                 the dialog kind: Simple Msg, Msg Box, Input Box
// Cbox1, Label7     m_buttonSetList, ...Label     the message box's buttons ("Button's Type")
// Cbox2, Label8     m_defaultButtonList, ...Label which button is the default ("Default Button")
// Cbox3, Label9     m_iconList, m_iconLabel       the message box's icon ("Button's Icon")
// Check1            m_modalCheck                  "Set Modal"
// Check2            m_dialogXCheck                "Use DialogX format", for the input box
// Text1, Label10    m_titleBox, m_titleLabel      the dialog's title ("TITLE")
// Text2, Label11    m_messageBox (caption only)   the message or prompt, up to five lines ("TEXT")
// Text4, Label5     m_defaultAnswerBox, ...Label  the input box's default answer ("Default")
class DialogPanel : public ModePanel
{
    Q_OBJECT

public:
    explicit DialogPanel(Platform &platform, QWidget *parent);

    // Start-up: fills the three lists and the answer-test lines.
    void load() override;
    // Entering mode 2: selects "Msg Box" and runs its handler.
    void enterMode() override;
    void leaveMode() override;
    // "Preview": builds the code, shows the preview and puts the code into the copy carrier;
    // then "COPY".
    void actionClicked() override;
    // RESET while this panel is shown: blanks the boxes and lists of the current kind.
    void reset() override;

    // Builds the code and shows the preview; false when the click must end.
    bool preview();
    // The code built by the last successful preview.
    QString generatedCode() const;

    const DialogSettings &settings() const { return m_settings; }

private:
    // The dialog kinds, as DialogSettings::MsgKind counts them.
    enum Kind { SimpleMsg = 1, MsgBox = 2, InputBox = 3 };

    // The controls below the kind options, created in the order of the Tab chain.
    void buildLists();
    void buildTextBoxes();
    void connectHandlers();

    // Says why the preview was refused: a note, and a message box for too many lines.
    void refuse(DialogCode::Refusal refusal);
    // Shows the preview of the dialog the code describes, if it has one.
    void showPreview(const DialogCode::Preview &preview);

    // A kind option became selected: shows the kind's controls and runs RESET.
    void chooseKind(int kind);
    void pickButtonSet();
    void pickDefaultButton();
    void pickIcon();
    void setModal();

    Platform &m_platform;

    std::array<QRadioButton *, 3> m_kindOptions{};
    QLabel *m_buttonSetLabel = nullptr;
    QComboBox *m_buttonSetList = nullptr;
    QLabel *m_defaultButtonLabel = nullptr;
    QComboBox *m_defaultButtonList = nullptr;
    QLabel *m_iconLabel = nullptr;
    QComboBox *m_iconList = nullptr;
    QCheckBox *m_modalCheck = nullptr;
    QCheckBox *m_dialogXCheck = nullptr;
    QLabel *m_titleLabel = nullptr;
    QLineEdit *m_titleBox = nullptr;
    QPlainTextEdit *m_messageBox = nullptr;
    QLabel *m_defaultAnswerLabel = nullptr;
    QLineEdit *m_defaultAnswerBox = nullptr;

    DialogSettings m_settings;
};
