#include "dialogpanel.h"

#include "controls.h"
#include "dialogcode.h"
#include "platform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include <variant>

using namespace Controls;

namespace {

// The panel's place while shown and while hidden, in twips. Shown, it is 50 twips higher than
// the design's 4300, which ended on the Default box's bottom edge and cut it with the panel's
// frame. Hidden, it is a strip 195 twips high below the window's controls, as the design has
// it: a hidden panel takes no input whatever its size.
constexpr QRect shownPlace(60, 360, 3855, 4350);
constexpr QRect hiddenPlace(60, 4500, 3855, 195);

// The kind options, by kind from 1. The design's 195 twips (13 pixels) are a pixel short of an
// option button's round mark; 225 shows it whole.
constexpr struct
{
    const char *name;
    const char *caption;
    int left, top, width, height;
} kindRows[3] = {
    {"Opt1", "Simple Msg", 60, 180, 1335, 255},
    {"Opt2", "Msg Box", 1440, 180, 1095, 225},
    {"Opt3", "Input Box", 2580, 180, 975, 225},
};

// The three lists, each with its caption to the left, top to bottom.
constexpr struct
{
    const char *labelName;
    const char *caption;
    int labelTop, labelWidth, labelHeight;
    const char *listName;
    int listTop;
} listRows[3] = {
    {"Label7", "Button's Type", 600, 1155, 255, "Cbox1", 540},
    {"Label8", "Default Button", 1020, 1395, 315, "Cbox2", 1020},
    {"Label9", "Button's Icon", 1500, 1215, 315, "Cbox3", 1500},
};

// Blank text and no entry shown as selected.
void clearList(QComboBox *box)
{
    box->setCurrentIndex(-1);
    box->setEditText(QString());
}

// A box with its caption: the caption's text is the box's accessible name.
void nameBy(QWidget *box, QLabel *caption)
{
    box->setAccessibleName(caption->text());
    caption->setBuddy(box);
}

} // namespace

DialogPanel::DialogPanel(Platform &platform, QWidget *parent)
    : ModePanel(parent), m_platform(platform)
{
    setObjectName(QStringLiteral("Picture2"));
    setModeGeometry(shownPlace, hiddenPlace);
    setGenerateCaption(QStringLiteral("Preview"),
                       QStringLiteral("Shows the dialog and writes its code into the copy box"));
    setAutoFillBackground(true);
    setFrameShape(QFrame::StyledPanel);

    // Created in the order of the Tab chain, top to bottom.
    for (int i = 0; i < int(m_kindOptions.size()); ++i) {
        const auto &row = kindRows[i];
        m_kindOptions[i] = make<QRadioButton>(this, row.name, QString::fromLatin1(row.caption),
                                              {row.left, row.top, row.width, row.height});
    }
    buildLists();
    m_modalCheck =
        make<QCheckBox>(this, "Check1", QStringLiteral("Set Modal"), {120, 1860, 1095, 255});
    m_dialogXCheck = make<QCheckBox>(this, "Check2", QStringLiteral("Use DialogX format"),
                                     {1560, 1740, 1935, 495});
    m_dialogXCheck->hide();
    buildTextBoxes();
    makeTabGroup({m_kindOptions.begin(), m_kindOptions.end()});
    hide();
    connectHandlers();
}

void DialogPanel::buildLists()
{
    std::array<QLabel *, 3> labels{};
    std::array<QComboBox *, 3> lists{};
    for (int i = 0; i < 3; ++i) {
        const auto &row = listRows[i];
        labels[i] = make<QLabel>(this, row.labelName, QString::fromLatin1(row.caption),
                                 {120, row.labelTop, row.labelWidth, row.labelHeight});
        setDesignFont(labels[i], 8.25, true);
        lists[i] = make<QComboBox>(this, row.listName, {}, {1560, row.listTop, 2175, 315});
        makeEditableList(lists[i]);
        nameBy(lists[i], labels[i]);
    }
    m_buttonSetLabel = labels[0];
    m_buttonSetList = lists[0];
    m_defaultButtonLabel = labels[1];
    m_defaultButtonList = lists[1];
    m_iconLabel = labels[2];
    m_iconList = lists[2];
}

void DialogPanel::buildTextBoxes()
{
    m_titleLabel = make<QLabel>(this, "Label10", QStringLiteral("TITLE"), {120, 2280, 735, 255});
    m_titleBox = make<QLineEdit>(this, "Text1", {}, {1020, 2220, 2655, 285});
    nameBy(m_titleBox, m_titleLabel);
    auto *messageLabel =
        make<QLabel>(this, "Label11", QStringLiteral("TEXT"), {120, 2640, 1215, 255});
    // The message box shows its design name until the mode is first chosen, which empties it:
    // as the design has it, and out of sight, since the panel shows only in its mode.
    m_messageBox =
        make<QPlainTextEdit>(this, "Text2", QStringLiteral("Text2"), {120, 2820, 3555, 1155});
    nameBy(m_messageBox, messageLabel);
    // The message box overlaps the lower part of its caption's design place: the caption
    // stands at the top of its place, where the box leaves it whole.
    messageLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Return breaks a line of the message; Tab moves on, as in every other box.
    m_messageBox->setTabChangesFocus(true);
    m_defaultAnswerLabel =
        make<QLabel>(this, "Label5", QStringLiteral("Default"), {120, 4080, 735, 255});
    m_defaultAnswerLabel->hide();
    m_defaultAnswerBox = make<QLineEdit>(this, "Text4", {}, {960, 4020, 2715, 285});
    m_defaultAnswerBox->hide();
    nameBy(m_defaultAnswerBox, m_defaultAnswerLabel);
    for (QLabel *l : {m_titleLabel, messageLabel, m_defaultAnswerLabel})
        setDesignFont(l, 8.25, true);
}

void DialogPanel::connectHandlers()
{
    // A kind's handler runs when its option becomes selected, by the user or by code.
    for (int i = 0; i < int(m_kindOptions.size()); ++i) {
        connect(m_kindOptions[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                chooseKind(SimpleMsg + i);
        });
    }
    connect(m_buttonSetList, &QComboBox::activated, this, &DialogPanel::pickButtonSet);
    connect(m_defaultButtonList, &QComboBox::activated, this, &DialogPanel::pickDefaultButton);
    connect(m_iconList, &QComboBox::activated, this, &DialogPanel::pickIcon);
    connect(m_modalCheck, &QCheckBox::toggled, this, &DialogPanel::setModal);
}

void DialogPanel::load()
{
    m_buttonSetList->addItems(DialogOptions::buttonSetEntries());
    m_defaultButtonList->addItems(DialogOptions::defaultButtonEntries());
    m_iconList->addItems(DialogOptions::iconEntries());
    for (QComboBox *box : {m_buttonSetList, m_defaultButtonList, m_iconList})
        clearList(box);
    m_settings.RisLine = DialogOptions::answerTestLines();
    m_settings.MsgKind = MsgBox;
    m_settings.ModalValue = 0;
}

void DialogPanel::enterMode()
{
    showForMode();
    restartCycle(true);
    // Selecting runs the handler; an option already selected has to be run by hand.
    QRadioButton *msgBox = m_kindOptions[MsgBox - SimpleMsg];
    if (msgBox->isChecked())
        chooseKind(MsgBox);
    else
        msgBox->setChecked(true);
}

void DialogPanel::leaveMode()
{
    hideForMode();
}

void DialogPanel::actionClicked()
{
    advanceCycle(m_platform, [this] {
        if (!preview())
            return false;
        const QString code = generatedCode();
        offerCopy(code);
        note(QStringLiteral("Previewed: ") + lineCount(code) +
             QStringLiteral(" of code, ready to COPY"));
        return true;
    });
}

void DialogPanel::chooseKind(int kind)
{
    m_settings.MsgKind = kind;
    for (int i = 0; i < int(m_kindOptions.size()); ++i) {
        if (SimpleMsg + i != kind)
            clearOption(m_kindOptions[i]);
    }
    // The message text and its caption always show; the rest by kind.
    for (QWidget *w :
         std::initializer_list<QWidget *>{m_buttonSetList, m_defaultButtonList, m_iconList,
                                          m_iconLabel, m_defaultButtonLabel, m_buttonSetLabel})
        w->setVisible(kind == MsgBox);
    m_titleBox->setVisible(kind != SimpleMsg);
    m_titleLabel->setVisible(kind != SimpleMsg);
    m_defaultAnswerBox->setVisible(kind == InputBox);
    m_defaultAnswerLabel->setVisible(kind == InputBox);
    reset();
}

void DialogPanel::pickButtonSet()
{
    DialogOptions::pickButtonSet(m_settings, m_buttonSetList->currentIndex());
}

void DialogPanel::pickDefaultButton()
{
    DialogOptions::pickDefaultButton(m_settings, m_defaultButtonList->currentIndex());
}

void DialogPanel::pickIcon()
{
    DialogOptions::pickIcon(m_settings, m_iconList->currentIndex());
}

void DialogPanel::setModal()
{
    m_settings.ModalValue = DialogOptions::modalValue(m_modalCheck->isChecked());
}

bool DialogPanel::preview()
{
    const DialogCode::Input input{plainText(m_messageBox), m_titleBox->text(),
                                  m_defaultAnswerBox->text(), m_dialogXCheck->isChecked()};
    const std::variant<DialogCode::Built, DialogCode::Refusal> built =
        DialogCode::build(m_settings, input);
    if (const auto *refusal = std::get_if<DialogCode::Refusal>(&built)) {
        refuse(*refusal);
        return false;
    }
    m_settings = std::get<DialogCode::Built>(built).settings;
    showPreview(std::get<DialogCode::Built>(built).preview);
    return true;
}

void DialogPanel::refuse(DialogCode::Refusal refusal)
{
    switch (refusal) {
    case DialogCode::Refusal::EmptyText:
        // An empty text is passed over without a message box: the note says why.
        note(QStringLiteral("Nothing previewed: the TEXT box is empty"));
        break;
    case DialogCode::Refusal::TooManyLines:
        m_platform.messageBox(DialogCode::tooManyLinesMessage());
        m_messageBox->clear();
        note(QStringLiteral("Nothing previewed: ") + DialogCode::tooManyLinesMessage());
        break;
    }
}

void DialogPanel::showPreview(const DialogCode::Preview &preview)
{
    if (preview.kind == DialogCode::Preview::MessageBox)
        m_platform.messageBox(preview.prompt, preview.flags, preview.title);
    else if (preview.kind == DialogCode::Preview::InputBox)
        m_platform.inputBox(preview.prompt, preview.title, preview.defaultAnswer);
}

QString DialogPanel::generatedCode() const
{
    return DialogCode::generatedText(m_settings);
}

// Unlike mode 0's RESET, this one keeps the copy box, as the design has it: a user may clear
// the boxes to describe the next dialog and still paste the code of the last one.
void DialogPanel::reset()
{
    m_titleBox->clear();
    m_messageBox->clear();
    switch (m_settings.MsgKind) {
    case MsgBox:
        for (QComboBox *box : {m_buttonSetList, m_defaultButtonList, m_iconList})
            clearList(box);
        break;
    case InputBox:
        m_defaultAnswerBox->clear();
        break;
    default:
        break;
    }
    m_dialogXCheck->setVisible(m_settings.MsgKind == InputBox);
    DialogOptions::clearCodeLines(m_settings);
}
