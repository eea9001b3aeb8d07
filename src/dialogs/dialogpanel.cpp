#include "dialogpanel.h"

#include "actionhost.h"
#include "controls.h"
#include "platform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

using namespace Controls;

namespace {

QComboBox *createList(QWidget *parent, const char *name, int top)
{
    auto *box = makeControl<QComboBox>(parent, name, {}, 1560, top, 2175, 315);
    makeEditableList(box);
    return box;
}

} // namespace

DialogPanel::DialogPanel(Platform &platform, ActionHost &host, QWidget *parent)
    : QFrame(parent), m_platform(platform), m_host(host)
{
    setObjectName(QStringLiteral("Picture2"));
    place(this, 60, 4500, 3855, 195);
    setAutoFillBackground(true);
    setFrameShape(QFrame::StyledPanel);

    m_opt1 = makeControl<QRadioButton>(this, "Opt1", QStringLiteral("Simple Msg"), 60, 180, 1335, 255);
    m_opt2 = makeControl<QRadioButton>(this, "Opt2", QStringLiteral("Msg Box"), 1440, 180, 1095, 195);
    m_opt3 = makeControl<QRadioButton>(this, "Opt3", QStringLiteral("Input Box"), 2580, 180, 975, 195);
    m_label7 = makeControl<QLabel>(this, "Label7", QStringLiteral("Button's Type"), 120, 600, 1155, 255);
    m_cbox1 = createList(this, "Cbox1", 540);
    m_label8 = makeControl<QLabel>(this, "Label8", QStringLiteral("Default Button"), 120, 1020, 1395, 315);
    m_cbox2 = createList(this, "Cbox2", 1020);
    m_label9 = makeControl<QLabel>(this, "Label9", QStringLiteral("Button's Icon"), 120, 1500, 1215, 315);
    m_cbox3 = createList(this, "Cbox3", 1500);
    m_check1 = makeControl<QCheckBox>(this, "Check1", QStringLiteral("Set Modal"), 120, 1860, 1095, 255);
    m_check2 = makeControl<QCheckBox>(this, "Check2", QStringLiteral("Use DialogX format"), 1560, 1740, 1935, 495);
    m_check2->hide();
    m_label10 = makeControl<QLabel>(this, "Label10", QStringLiteral("TITLE"), 120, 2280, 735, 255);
    m_text1 = makeControl<QLineEdit>(this, "Text1", {}, 1020, 2220, 2655, 285);
    m_label11 = makeControl<QLabel>(this, "Label11", QStringLiteral("TEXT"), 120, 2640, 1215, 255);
    m_text2 = makeControl<QPlainTextEdit>(this, "Text2", QStringLiteral("Text2"), 120, 2820, 3555, 1155);
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
}

void DialogPanel::Form_Load()
{
}

void DialogPanel::enterMode()
{
    m_opt2->setChecked(true);
}

bool DialogPanel::BuildDialogCode()
{
    return false;
}

QString DialogPanel::generatedText() const
{
    return {};
}

void DialogPanel::Command1_Click()
{
}
