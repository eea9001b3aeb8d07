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

using namespace Controls;

namespace {

// The panel's place while shown and while hidden, in twips: hidden, it lies below the window.
constexpr int shownTop = 360;
constexpr int shownHeight = 4300;
constexpr int hiddenTop = 4500;
constexpr int hiddenHeight = 195;

QComboBox *createList(QWidget *parent, const char *name, int top)
{
    auto *box = makeControl<QComboBox>(parent, name, {}, 1560, top, 2175, 315);
    makeEditableList(box);
    return box;
}

// Blank text and no entry shown as selected.
void clearList(QComboBox *box)
{
    box->setCurrentIndex(-1);
    box->setEditText(QString());
}

} // namespace

DialogPanel::DialogPanel(Platform &platform, QWidget *parent)
    : ModePanel(parent), m_platform(platform)
{
    setObjectName(QStringLiteral("Picture2"));
    place(this, 60, 4500, 3855, 195);
    setAutoFillBackground(true);
    setFrameShape(QFrame::StyledPanel);

    m_opt1 =
        makeControl<QRadioButton>(this, "Opt1", QStringLiteral("Simple Msg"), 60, 180, 1335, 255);
    m_opt2 =
        makeControl<QRadioButton>(this, "Opt2", QStringLiteral("Msg Box"), 1440, 180, 1095, 195);
    m_opt3 =
        makeControl<QRadioButton>(this, "Opt3", QStringLiteral("Input Box"), 2580, 180, 975, 195);
    m_label7 =
        makeControl<QLabel>(this, "Label7", QStringLiteral("Button's Type"), 120, 600, 1155, 255);
    m_cbox1 = createList(this, "Cbox1", 540);
    m_label8 =
        makeControl<QLabel>(this, "Label8", QStringLiteral("Default Button"), 120, 1020, 1395, 315);
    m_cbox2 = createList(this, "Cbox2", 1020);
    m_label9 =
        makeControl<QLabel>(this, "Label9", QStringLiteral("Button's Icon"), 120, 1500, 1215, 315);
    m_cbox3 = createList(this, "Cbox3", 1500);
    m_check1 =
        makeControl<QCheckBox>(this, "Check1", QStringLiteral("Set Modal"), 120, 1860, 1095, 255);
    m_check2 = makeControl<QCheckBox>(this, "Check2", QStringLiteral("Use DialogX format"), 1560,
                                      1740, 1935, 495);
    m_check2->hide();
    m_label10 = makeControl<QLabel>(this, "Label10", QStringLiteral("TITLE"), 120, 2280, 735, 255);
    m_text1 = makeControl<QLineEdit>(this, "Text1", {}, 1020, 2220, 2655, 285);
    m_label11 = makeControl<QLabel>(this, "Label11", QStringLiteral("TEXT"), 120, 2640, 1215, 255);
    m_text2 =
        makeControl<QPlainTextEdit>(this, "Text2", QStringLiteral("Text2"), 120, 2820, 3555, 1155);
    m_label5 = makeControl<QLabel>(this, "Label5", QStringLiteral("Default"), 120, 4080, 735, 255);
    m_label5->hide();
    m_text4 = makeControl<QLineEdit>(this, "Text4", {}, 960, 4020, 2715, 285);
    m_text4->hide();

    for (QLabel *l : {m_label7, m_label8, m_label9, m_label10, m_label11, m_label5})
        setDesignFont(l, 8.25, true);
    m_label10->setBuddy(m_text1);
    m_label11->setBuddy(m_text2);
    m_label5->setBuddy(m_text4);
    hide();

    // A kind's handler runs when its option becomes selected, by the user or by code.
    connect(m_opt1, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Opt1_click();
    });
    connect(m_opt2, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Opt2_click();
    });
    connect(m_opt3, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Opt3_click();
    });
    connect(m_cbox1, &QComboBox::activated, this, &DialogPanel::CBox1_click);
    connect(m_cbox2, &QComboBox::activated, this, &DialogPanel::CBox2_click);
    connect(m_cbox3, &QComboBox::activated, this, &DialogPanel::CBox3_click);
    connect(m_check1, &QCheckBox::toggled, this, &DialogPanel::Check1_Click);
}

void DialogPanel::load()
{
    m_cbox1->addItems(DialogOptions::buttonSetEntries());
    m_cbox2->addItems(DialogOptions::defaultButtonEntries());
    m_cbox3->addItems(DialogOptions::iconEntries());
    for (QComboBox *box : {m_cbox1, m_cbox2, m_cbox3})
        clearList(box);
    m_settings.RisLine = DialogOptions::answerTestLines();
    m_settings.MsgKind = 2;
    m_settings.ModalValue = 0;
}

void DialogPanel::setStep(Step step, bool enabled)
{
    m_step = step;
    setAction(step == Step::Preview ? QStringLiteral("Preview") : copyCaption(), enabled);
}

void DialogPanel::leaveMode()
{
    hide();
    setHeight(this, hiddenHeight);
    setTop(this, hiddenTop);
}

void DialogPanel::actionClicked()
{
    switch (m_step) {
    case Step::Preview:
        if (!BuildDialogCode())
            return;
        setCopyText(generatedText());
        focusCopyText();
        setStep(Step::Copy, true);
        break;
    case Step::Copy:
        m_platform.setClipboardText(copyText());
        setStep(Step::Preview, false);
        break;
    }
}

void DialogPanel::enterMode()
{
    show();
    setTop(this, shownTop);
    setHeight(this, shownHeight);
    setStep(Step::Preview, true);
    // Selecting runs the handler; an option already selected has to be run by hand.
    if (m_opt2->isChecked())
        Opt2_click();
    else
        m_opt2->setChecked(true);
}

void DialogPanel::Opt1_click()
{
    m_settings.MsgKind = 1;
    clearOption(m_opt2);
    clearOption(m_opt3);
    Setdisabled();
    m_text4->hide();
    m_label5->hide();
    reset();
}

void DialogPanel::Opt2_click()
{
    m_settings.MsgKind = 2;
    clearOption(m_opt1);
    clearOption(m_opt3);
    SetEnabled();
    m_text4->hide();
    m_label5->hide();
    reset();
}

void DialogPanel::Opt3_click()
{
    m_settings.MsgKind = 3;
    clearOption(m_opt1);
    clearOption(m_opt2);
    Setdisabled();
    for (QWidget *w :
         std::initializer_list<QWidget *>{m_text1, m_label11, m_label5, m_text4, m_label10})
        w->show();
    reset();
}

// Despite the names, these two only hide or show; nothing is enabled or disabled.
void DialogPanel::Setdisabled()
{
    for (QWidget *w : std::initializer_list<QWidget *>{m_cbox1, m_cbox2, m_cbox3, m_label9,
                                                       m_label8, m_label7, m_text1, m_label10})
        w->hide();
}

void DialogPanel::SetEnabled()
{
    for (QWidget *w :
         std::initializer_list<QWidget *>{m_cbox1, m_cbox2, m_cbox3, m_label9, m_label8, m_label7,
                                          m_text1, m_label10, m_label11})
        w->show();
}

void DialogPanel::CBox1_click()
{
    DialogOptions::pickButtonSet(m_settings, m_cbox1->currentIndex());
}

void DialogPanel::CBox2_click()
{
    DialogOptions::pickDefaultButton(m_settings, m_cbox2->currentIndex());
}

void DialogPanel::CBox3_click()
{
    DialogOptions::pickIcon(m_settings, m_cbox3->currentIndex());
}

void DialogPanel::Check1_Click()
{
    m_settings.ModalValue = DialogOptions::modalValue(m_check1->isChecked());
}

bool DialogPanel::BuildDialogCode()
{
    const DialogCode::Input input{plainText(m_text2), m_text1->text(), m_text4->text(),
                                  m_check2->isChecked()};
    const Result<DialogCode::Built> built = DialogCode::build(m_settings, input);
    if (!built) {
        // An empty text is refused without a word; too many lines are said and cleared.
        if (!built.message().isEmpty()) {
            m_platform.messageBox(built.message());
            m_text2->clear();
        }
        return false;
    }
    m_settings = built.value().settings;
    const DialogCode::Preview &preview = built.value().preview;
    if (preview.kind == DialogCode::Preview::MessageBox)
        m_platform.messageBox(preview.prompt, preview.flags, preview.title);
    else if (preview.kind == DialogCode::Preview::InputBox)
        m_platform.inputBox(preview.prompt, preview.title, preview.defaultAnswer);
    return true;
}

QString DialogPanel::generatedText() const
{
    return DialogCode::generatedText(m_settings);
}

void DialogPanel::reset()
{
    switch (m_settings.MsgKind) {
    case 1:
        m_text1->clear();
        m_text2->clear();
        m_check2->hide();
        break;
    case 2:
        m_text1->clear();
        m_text2->clear();
        for (QComboBox *box : {m_cbox1, m_cbox2, m_cbox3})
            clearList(box);
        m_check2->hide();
        break;
    case 3:
        m_text1->clear();
        m_text2->clear();
        m_text4->clear();
        m_check2->show();
        break;
    default:
        break;
    }
    DialogOptions::clearCodeLines(m_settings);
}
