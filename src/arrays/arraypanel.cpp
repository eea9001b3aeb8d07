#include "arraypanel.h"

#include "arraycode.h"
#include "controls.h"
#include "fitcheck.h"
#include "platform.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace Controls;

ArrayPanel::ArrayPanel(Platform &platform, QWidget *parent)
    : ModePanel(parent), m_platform(platform)
{
    setObjectName(QStringLiteral("ArrayPanel"));
    place(this, 0, 0, 3990, 5100);

    m_frame1 =
        makeControl<QGroupBox>(this, "Frame1", QStringLiteral("OBJECTS TYPE"), 60, 720, 3855, 1395);
    static const struct
    {
        const char *caption;
        int left, top, width;
    } kinds[6] = {
        {"Option Button", 240, 360, 1515},  {"CheckBox", 240, 660, 1515},
        {"Command Button", 240, 960, 1695}, {"Labels", 2400, 360, 1035},
        {"Text Box", 2400, 660, 1215},      {"List Box", 2400, 960, 1035},
    };
    for (int i = 0; i < 6; ++i) {
        const auto &k = kinds[i];
        m_optionObject[i] = makeControl<QRadioButton>(
            m_frame1, "OptionObject", QString::fromLatin1(k.caption), k.left, k.top, k.width, 195);
        m_optionObject[i]->setObjectName(QStringLiteral("OptionObject_%1").arg(i));
    }

    m_leftbox = makeControl<QLineEdit>(this, "Leftbox", {}, 60, 2220, 615, 315);
    m_label1 = makeControl<QLabel>(this, "Label1", QStringLiteral("Top"), 780, 2280, 675, 195);
    m_topbox = makeControl<QLineEdit>(this, "Topbox", {}, 60, 2700, 615, 285);
    m_label2 = makeControl<QLabel>(this, "Label2", QStringLiteral("Left"), 780, 2760, 675, 195);
    m_widthbox = makeControl<QLineEdit>(this, "Widthbox", {}, 60, 3180, 615, 315);
    m_label3 = makeControl<QLabel>(this, "Label3", QStringLiteral("Width"), 780, 3240, 675, 195);
    m_highbox = makeControl<QLineEdit>(this, "Highbox", {}, 60, 3660, 615, 315);
    m_label4 = makeControl<QLabel>(this, "Label4", QStringLiteral("Height"), 780, 3720, 675, 195);
    m_spcr = makeControl<QLineEdit>(this, "spcr", QStringLiteral("0"), 60, 4200, 435, 315);
    m_spacelbl =
        makeControl<QLabel>(this, "Spacelbl", QStringLiteral("Spacer"), 540, 4260, 735, 195);
    m_option1 =
        makeControl<QRadioButton>(this, "Option1", QStringLiteral("ppc"), 2460, 2220, 615, 195);
    m_option2 =
        makeControl<QRadioButton>(this, "Option2", QStringLiteral("hpc"), 3120, 2220, 675, 195);
    m_label6 = makeControl<QLabel>(this, "Label6", QStringLiteral("Number of Objects"), 2460, 2460,
                                   1335, 195);
    m_command2 =
        makeControl<QPushButton>(this, "Command2", QStringLiteral(">"), 2340, 2700, 435, 315);
    m_textnum = makeControl<QLabel>(this, "Textnum", QStringLiteral("0"), 2820, 2700, 615, 315);
    m_command5 =
        makeControl<QPushButton>(this, "Command5", QStringLiteral("<"), 3480, 2700, 435, 315);

    m_frame2 = makeControl<QGroupBox>(this, "Frame2", QStringLiteral("Display Setting"), 2340, 3120,
                                      1575, 1395);
    static const struct
    {
        const char *caption;
        int top, width;
    } layouts[3] = {
        {"Vertical", 300, 1035},
        {"Horizontal", 660, 1215},
        {"Customized", 1020, 1395},
    };
    for (int i = 0; i < 3; ++i) {
        m_optionDislpay[i] = makeControl<QRadioButton>(m_frame2, "OptionDislpay",
                                                       QString::fromLatin1(layouts[i].caption), 120,
                                                       layouts[i].top, layouts[i].width, 255);
        m_optionDislpay[i]->setObjectName(QStringLiteral("OptionDislpay_%1").arg(i));
    }
    m_custins = makeControl<QPushButton>(this, "Custins", {}, 60, 4200, 1215, 315);

    for (QLabel *l : {m_label1, m_label2, m_label3, m_label4, m_spacelbl})
        setDesignFont(l, 8.25, true);
    setDesignFont(m_command2, 13.5, true);
    setDesignFont(m_command5, 13.5, true);
    setDesignFont(m_textnum, 9.75, true);
    m_textnum->setAlignment(Qt::AlignCenter);
    m_textnum->setFrameShape(QFrame::Panel);
    m_textnum->setFrameShadow(QFrame::Sunken);
    m_textnum->setAutoFillBackground(true);
    QPalette white = m_textnum->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    m_textnum->setPalette(white);
    m_label1->setBuddy(m_leftbox);
    m_label2->setBuddy(m_topbox);
    m_label3->setBuddy(m_widthbox);
    m_label4->setBuddy(m_highbox);
    m_spacelbl->setBuddy(m_spcr);

    for (int i = 0; i < int(m_optionObject.size()); ++i) {
        connect(m_optionObject[i], &QRadioButton::toggled, this, [this, i](bool selected) {
            if (selected)
                OptionObject_Click(i);
        });
    }
    for (int i = 0; i < int(m_optionDislpay.size()); ++i) {
        connect(m_optionDislpay[i], &QRadioButton::toggled, this, [this, i](bool selected) {
            if (selected)
                OptionDislpay_Click(i);
        });
    }
    connect(m_command2, &QPushButton::clicked, this, &ArrayPanel::Command2_Click);
    connect(m_command5, &QPushButton::clicked, this, &ArrayPanel::Command5_Click);
    connect(m_spcr, &QLineEdit::textChanged, this, &ArrayPanel::spcr_Change);
    connect(m_custins, &QPushButton::clicked, this, &ArrayPanel::Custins_Click);
}

void ArrayPanel::setBoxDefaults()
{
    m_topbox->setText(QStringLiteral("10"));
    m_leftbox->setText(QStringLiteral("10"));
    m_widthbox->setText(QStringLiteral("70"));
    m_highbox->setText(QStringLiteral("21"));
}

void ArrayPanel::load()
{
    setStep(Step::Create, true);
    m_custins->hide();
    m_spcr->hide();
    m_spacelbl->hide();
    setBoxDefaults();
}

void ArrayPanel::clearBoxes()
{
    m_leftbox->clear();
    m_topbox->clear();
    m_widthbox->clear();
    m_highbox->clear();
}

bool ArrayPanel::fitCheck()
{
    if (FitCheck::fits(m_settings, m_option1->isChecked(), m_option2->isChecked(), m_spcr->text(),
                       m_textnum->text()))
        return true;
    m_platform.messageBox(FitCheck::exceedsDisplay);
    return false;
}

QString ArrayPanel::device() const
{
    if (m_option1->isChecked())
        return m_option1->text();
    return m_option2->isChecked() ? m_option2->text() : QString();
}

void ArrayPanel::Builtarray()
{
    if (m_optionDislpay[2]->isChecked())
        CustArray();
    else
        StandArray();
}

void ArrayPanel::StandArray()
{
    const QString refusal = ArrayCode::standardRefusal(m_settings, m_textnum->text());
    if (!refusal.isEmpty()) {
        m_platform.messageBox(refusal);
        return;
    }
    m_settings.LeftBase = TextOrNumber::fromText(m_topbox->text());
    m_settings.TopBase = TextOrNumber::fromText(m_leftbox->text());
    m_settings.ObjWidth = TextOrNumber::fromText(m_widthbox->text());
    m_settings.ObjHeight = TextOrNumber::fromText(m_highbox->text());
    setCopyText(ArrayCode::standardCode(m_settings, m_textnum->text()));
    focusCopyText();
}

void ArrayPanel::CustArray()
{
    const QString refusal = ArrayCode::customizedRefusal(m_settings);
    if (!refusal.isEmpty()) {
        m_platform.messageBox(refusal);
        return;
    }
    setCopyText(ArrayCode::customizedCode(m_settings));
    focusCopyText();
}

void ArrayPanel::OptionObject_Click(int Index)
{
    ArraySetup::selectKind(m_settings, Index);
}

void ArrayPanel::OptionDislpay_Click(int Index)
{
    switch (Index) {
    case 0:
        m_custins->hide();
        m_spcr->show();
        m_spacelbl->show();
        ArraySetup::selectVertical(m_settings, m_highbox->text());
        break;
    case 1:
        m_custins->hide();
        m_spcr->show();
        m_spacelbl->show();
        ArraySetup::selectHorizontal(m_settings, m_widthbox->text());
        break;
    case 2:
        if (m_textnum->text().isEmpty()) {
            m_platform.messageBox(ArraySetup::countNotSelected);
            return;
        }
        if (!ArraySetup::listCount(m_textnum->text())) {
            m_platform.messageBox(ArraySetup::countTooLargeForList);
            return;
        }
        m_spcr->hide();
        m_spacelbl->hide();
        startcust();
        break;
    default:
        break;
    }
}

void ArrayPanel::Command2_Click()
{
    const double count = TextNumber::numericValue(m_textnum->text()) + 1;
    m_textnum->setText(TextNumber::plainDecimal(count));
}

void ArrayPanel::Command5_Click()
{
    const double count = TextNumber::numericValue(m_textnum->text()) - 1;
    m_textnum->setText(count < 0 ? QStringLiteral("0") : TextNumber::plainDecimal(count));
}

void ArrayPanel::spcr_Change()
{
    ArraySetup::changeSpacer(m_settings, m_optionDislpay[0]->isChecked(),
                             m_optionDislpay[1]->isChecked(), m_highbox->text(), m_widthbox->text(),
                             m_spcr->text());
}

void ArrayPanel::startcust()
{
    const std::optional<qint16> count = ArraySetup::listCount(m_textnum->text());
    if (!count)
        return;
    ArraySetup::startList(m_settings, *count);
    clearBoxes();
    m_custins->setText(ArraySetup::entryCaption(m_settings.PosIndex));
    m_custins->show();
    m_leftbox->setFocus();
}

void ArrayPanel::Custins_Click()
{
    while (!ArraySetup::listComplete(m_settings)) {
        // The hidden spacer box keeps the index of the entry being typed.
        m_spcr->setText(QString::number(m_settings.PosIndex));
        if (!ArraySetup::storeEntry(m_settings, m_leftbox->text(), m_topbox->text(),
                                    m_widthbox->text(), m_highbox->text()))
            return;
        clearBoxes();
        m_custins->setText(ArraySetup::entryCaption(m_settings.PosIndex));
        m_leftbox->setFocus();
    }
    ArraySetup::completeList(m_settings);
    m_custins->hide();
}

void ArrayPanel::setStep(Step step, bool enabled)
{
    m_step = step;
    setAction(step == Step::Create ? QStringLiteral("CREATE Code") : copyCaption(), enabled);
}

void ArrayPanel::enterMode()
{
    show();
    setStep(Step::Create, true);
}

// The mode-0 controls lie under the panels; hidden, they are out of the keyboard's way too.
void ArrayPanel::leaveMode()
{
    hide();
}

void ArrayPanel::actionClicked()
{
    switch (m_step) {
    case Step::Create:
        if (!fitCheck())
            return;
        Builtarray();
        setStep(Step::Copy, true);
        break;
    case Step::Copy:
        m_platform.setClipboardText(copyText());
        setStep(Step::Create, false);
        break;
    }
}

void ArrayPanel::reset()
{
    setStep(Step::Create, true);
    for (QRadioButton *o : m_optionObject)
        clearOption(o);
    setBoxDefaults();
    m_textnum->setText(QStringLiteral("0"));
    for (QRadioButton *o : m_optionDislpay)
        clearOption(o);
    m_custins->hide();
    m_spcr->hide();
    m_spacelbl->hide();
    m_spcr->setText(QStringLiteral("0"));
    setCopyText({});
}
