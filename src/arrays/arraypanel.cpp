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

#include <algorithm>
#include <utility>

using namespace Controls;
using FitCheck::Device;
using FitCheck::deviceName;

namespace {

// The panel covers the whole window, shown or hidden.
constexpr QRect panelPlace(0, 0, 3990, 5100);

struct OptionRow
{
    const char *caption;
    Place place;
};
// The design gives option buttons 195 twips (13 pixels), a pixel short of their round mark,
// which then shows cut at the bottom; 225 shows it whole and still clears the next row.
constexpr int optionHeight = 225;
// The kind options in Frame1, by kind index.
constexpr OptionRow kindRows[6] = {
    {"Option Button", {240, 360, 1515, optionHeight}},
    {"CheckBox", {240, 660, 1515, optionHeight}},
    {"Command Button", {240, 960, 1695, optionHeight}},
    {"Labels", {2400, 360, 1035, optionHeight}},
    {"Text Box", {2400, 660, 1215, optionHeight}},
    {"List Box", {2400, 960, 1035, optionHeight}},
};
// The layout options in Frame2, by layout index.
constexpr OptionRow layoutRows[3] = {
    {"Vertical", {120, 300, 1035, 255}},
    {"Horizontal", {120, 660, 1215, 255}},
    {"Customized", {120, 1020, 1395, 255}},
};

// A text box with its caption to the right, top to bottom.
struct BoxRow
{
    const char *boxName;
    Place box;
    const char *labelName;
    const char *caption;
    Place label;
};
enum BoxIndex { TopRow, LeftRow, WidthRow, HeightRow, SpacerRow };
constexpr BoxRow boxRows[5] = {
    {"Leftbox", {60, 2220, 615, 315}, "Label1", "Top", {780, 2280, 675, 195}},
    {"Topbox", {60, 2700, 615, 285}, "Label2", "Left", {780, 2760, 675, 195}},
    {"Widthbox", {60, 3180, 615, 315}, "Label3", "Width", {780, 3240, 675, 195}},
    {"Highbox", {60, 3660, 615, 315}, "Label4", "Height", {780, 3720, 675, 195}},
    {"spcr", {60, 4200, 435, 315}, "Spacelbl", "Spacer", {540, 4260, 735, 195}},
};

} // namespace

ArrayPanel::ArrayPanel(Platform &platform, QWidget *parent)
    : ModePanel(parent), m_platform(platform)
{
    setObjectName(QStringLiteral("ArrayPanel"));
    setModeGeometry(panelPlace, panelPlace);
    setGenerateCaption(QStringLiteral("CREATE Code"),
                       QStringLiteral("Writes the code of the array into the copy box"));

    // Created in the order of the Tab chain: the kinds, the boxes from top to bottom with the
    // entry button where the spacer stands, then the device, the count and the layouts.
    buildKindOptions();
    buildBoxes();
    buildDeviceOptions();
    buildCounter();
    buildLayoutOptions();

    makeTabGroup({m_kindOptions.begin(), m_kindOptions.end()});
    makeTabGroup({m_ppcOption, m_hpcOption});
    makeTabGroup({m_layoutOptions.begin(), m_layoutOptions.end()});
    // The spacer shows once a layout is chosen, and is typed after it: Tab goes there from the
    // layouts, not from the boxes it stands under.
    setTabOrder(m_layoutOptions.back(), m_spacerBox);
    connectHandlers();
}

void ArrayPanel::buildKindOptions()
{
    m_kindFrame =
        make<QGroupBox>(this, "Frame1", QStringLiteral("OBJECTS TYPE"), {60, 720, 3855, 1395});
    for (int i = 0; i < int(m_kindOptions.size()); ++i) {
        m_kindOptions[i] =
            make<QRadioButton>(m_kindFrame, "OptionObject",
                               QString::fromLatin1(kindRows[i].caption), kindRows[i].place);
        m_kindOptions[i]->setObjectName(QStringLiteral("OptionObject_%1").arg(i));
    }
}

void ArrayPanel::buildBoxes()
{
    std::array<QLineEdit *, 5> boxes{};
    for (int i = 0; i < int(boxes.size()); ++i) {
        const BoxRow &row = boxRows[i];
        const QString caption = QString::fromLatin1(row.caption);
        boxes[i] = make<QLineEdit>(this, row.boxName, {}, row.box);
        boxes[i]->setAccessibleName(caption);
        auto *label = make<QLabel>(this, row.labelName, caption, row.label);
        setDesignFont(label, 8.25, true);
        label->setBuddy(boxes[i]);
        if (i == SpacerRow)
            m_spacerLabel = label;
    }
    m_topBox = boxes[TopRow];
    m_leftBox = boxes[LeftRow];
    m_widthBox = boxes[WidthRow];
    m_heightBox = boxes[HeightRow];
    m_spacerBox = boxes[SpacerRow];
    m_spacerBox->setText(QStringLiteral("0"));
    m_entryButton = make<QPushButton>(this, "Custins", {}, {60, 4200, 1215, 315});
}

void ArrayPanel::buildDeviceOptions()
{
    m_ppcOption = make<QRadioButton>(this, "Option1", deviceName(Device::Ppc),
                                     {2460, 2220, 615, optionHeight});
    m_hpcOption = make<QRadioButton>(this, "Option2", deviceName(Device::Hpc),
                                     {3120, 2220, 675, optionHeight});
}

void ArrayPanel::buildCounter()
{
    make<QLabel>(this, "Label6", QStringLiteral("Number of Objects"), {2460, 2460, 1335, 195});
    m_moreButton = make<QPushButton>(this, "Command2", QStringLiteral(">"), {2340, 2700, 435, 315});
    m_moreButton->setAccessibleName(QStringLiteral("More objects"));
    m_countLabel = make<QLabel>(this, "Textnum", {}, {2820, 2700, 615, 315});
    m_countLabel->setAccessibleDescription(QStringLiteral("Number of Objects"));
    showCount();
    m_fewerButton =
        make<QPushButton>(this, "Command5", QStringLiteral("<"), {3480, 2700, 435, 315});
    m_fewerButton->setAccessibleName(QStringLiteral("Fewer objects"));
    setDesignFont(m_moreButton, 13.5, true);
    setDesignFont(m_fewerButton, 13.5, true);
    setDesignFont(m_countLabel, 9.75, true);
    m_countLabel->setAlignment(Qt::AlignCenter);
    setSunkenWhite(m_countLabel);
}

void ArrayPanel::buildLayoutOptions()
{
    m_layoutFrame = make<QGroupBox>(this, "Frame2", QStringLiteral("Display Setting"),
                                    {2340, 3120, 1575, 1395});
    for (int i = 0; i < int(m_layoutOptions.size()); ++i) {
        m_layoutOptions[i] =
            make<QRadioButton>(m_layoutFrame, "OptionDislpay",
                               QString::fromLatin1(layoutRows[i].caption), layoutRows[i].place);
        m_layoutOptions[i]->setObjectName(QStringLiteral("OptionDislpay_%1").arg(i));
    }
}

void ArrayPanel::connectHandlers()
{
    // An option's handler runs when it becomes selected, by the user or by code.
    for (int i = 0; i < int(m_kindOptions.size()); ++i) {
        connect(m_kindOptions[i], &QRadioButton::toggled, this, [this, i](bool selected) {
            if (selected)
                chooseKind(i);
        });
    }
    for (int i = 0; i < int(m_layoutOptions.size()); ++i) {
        connect(m_layoutOptions[i], &QRadioButton::toggled, this, [this, i](bool selected) {
            if (selected)
                chooseLayout(i);
        });
    }
    for (const auto &[option, device] :
         {std::pair{m_ppcOption, Device::Ppc}, std::pair{m_hpcOption, Device::Hpc}}) {
        connect(option, &QRadioButton::toggled, this,
                [this, device](bool selected) { chooseDevice(device, selected); });
    }
    connect(m_moreButton, &QPushButton::clicked, this, &ArrayPanel::moreObjects);
    connect(m_fewerButton, &QPushButton::clicked, this, &ArrayPanel::fewerObjects);
    connect(m_spacerBox, &QLineEdit::textChanged, this, &ArrayPanel::spacerChanged);
    connect(m_entryButton, &QPushButton::clicked, this, &ArrayPanel::storePosition);
}

void ArrayPanel::setBoxDefaults()
{
    m_leftBox->setText(QStringLiteral("10"));
    m_topBox->setText(QStringLiteral("10"));
    m_widthBox->setText(QStringLiteral("70"));
    m_heightBox->setText(QStringLiteral("21"));
}

void ArrayPanel::clearBoxes()
{
    for (QLineEdit *box : {m_topBox, m_leftBox, m_widthBox, m_heightBox})
        box->clear();
}

void ArrayPanel::showSpacer(bool shown)
{
    m_spacerBox->setVisible(shown);
    m_spacerLabel->setVisible(shown);
}

void ArrayPanel::load()
{
    restartCycle(true);
    m_entryButton->hide();
    showSpacer(false);
    setBoxDefaults();
}

void ArrayPanel::enterMode()
{
    showForMode();
    restartCycle(true);
}

// The mode-0 controls lie under the panels; hidden, they are out of the keyboard's way too.
void ArrayPanel::leaveMode()
{
    hideForMode();
}

// RESET here also empties the copy box, which the other modes keep: mode 0 starts over
// entirely, so no code of an array the user has just reset stays ready to paste.
void ArrayPanel::reset()
{
    restartCycle(true);
    for (QRadioButton *o : m_kindOptions)
        clearOption(o);
    setBoxDefaults();
    m_count = 0;
    showCount();
    for (QRadioButton *o : m_layoutOptions)
        clearOption(o);
    m_entryButton->hide();
    showSpacer(false);
    m_spacerBox->setText(QStringLiteral("0"));
    setCopyText({});
}

void ArrayPanel::actionClicked()
{
    // A refused array still moves the cycle on to "COPY", with an empty copy box (and nothing
    // goes to the clipboard then): the user's next click returns to "CREATE Code" as after any
    // array, whatever the refusal was.
    advanceCycle(m_platform, [this] {
        if (!fitsDevice())
            return false;
        buildArray();
        return true;
    });
}

bool ArrayPanel::fitsDevice()
{
    if (FitCheck::fits(m_settings, m_device, m_spacerBox->text(), m_count))
        return true;
    m_platform.messageBox(FitCheck::exceedsDisplay);
    note(QStringLiteral("Nothing created: too big for the ") + deviceName(m_device) +
         QStringLiteral(" screen"));
    return false;
}

void ArrayPanel::buildArray()
{
    if (m_layoutOptions[2]->isChecked())
        buildCustomized();
    else
        buildStandard();
}

void ArrayPanel::buildStandard()
{
    if (const Result<> check = ArrayCode::checkStandard(m_settings); !check) {
        m_platform.messageBox(check.message());
        note(QStringLiteral("Nothing created: ") + check.message());
        return;
    }
    // The design's names of the two boxes are crossed: LeftBase comes from the box captioned
    // "Left", named Topbox, and TopBase from the one captioned "Top", named Leftbox. The
    // captions say what a user types where; the names stay as the design has them, since
    // scripts that drive the window find the boxes by them.
    m_settings.LeftBase = TextOrNumber::fromText(m_leftBox->text());
    m_settings.TopBase = TextOrNumber::fromText(m_topBox->text());
    m_settings.ObjWidth = TextOrNumber::fromText(m_widthBox->text());
    m_settings.ObjHeight = TextOrNumber::fromText(m_heightBox->text());
    offerCode(ArrayCode::standardCode(m_settings, m_count));
}

void ArrayPanel::buildCustomized()
{
    if (const Result<> check = ArrayCode::checkCustomized(m_settings); !check) {
        m_platform.messageBox(check.message());
        note(QStringLiteral("Nothing created: ") + check.message());
        return;
    }
    offerCode(ArrayCode::customizedCode(m_settings));
}

void ArrayPanel::offerCode(const QString &code)
{
    offerCopy(code);
    note(QStringLiteral("Created ") + lineCount(code) + QStringLiteral(" of code, ready to COPY"));
}

void ArrayPanel::chooseKind(int kind)
{
    ArraySetup::selectKind(m_settings, kind);
}

void ArrayPanel::chooseLayout(int layout)
{
    switch (layout) {
    case 0:
        m_entryButton->hide();
        showSpacer(true);
        ArraySetup::selectVertical(m_settings, m_heightBox->text());
        break;
    case 1:
        m_entryButton->hide();
        showSpacer(true);
        ArraySetup::selectHorizontal(m_settings, m_widthBox->text());
        break;
    case 2:
        if (!ArraySetup::listCount(m_count)) {
            m_platform.messageBox(ArraySetup::countTooLargeForList);
            return;
        }
        showSpacer(false);
        startList();
        break;
    default:
        break;
    }
}

void ArrayPanel::chooseDevice(Device device, bool selected)
{
    if (selected)
        m_device = device;
    else if (m_device == device)
        m_device = Device::None;
}

void ArrayPanel::moreObjects()
{
    ++m_count;
    showCount();
}

void ArrayPanel::fewerObjects()
{
    m_count = std::max(0, m_count - 1);
    showCount();
}

void ArrayPanel::showCount()
{
    m_countLabel->setText(QString::number(m_count));
}

void ArrayPanel::spacerChanged()
{
    ArraySetup::changeSpacer(m_settings, m_layoutOptions[0]->isChecked(),
                             m_layoutOptions[1]->isChecked(), m_heightBox->text(),
                             m_widthBox->text(), m_spacerBox->text());
}

void ArrayPanel::startList()
{
    const std::optional<qint16> count = ArraySetup::listCount(m_count);
    if (!count)
        return;
    ArraySetup::startList(m_settings, *count);
    clearBoxes();
    m_entryButton->setText(ArraySetup::entryCaption(m_settings.PosIndex));
    m_entryButton->show();
    m_topBox->setFocus();
}

void ArrayPanel::storePosition()
{
    while (!ArraySetup::listComplete(m_settings)) {
        // The hidden spacer box keeps the index of the entry being typed, as the design has
        // it; its change does nothing in this layout.
        m_spacerBox->setText(QString::number(m_settings.PosIndex));
        if (ArraySetup::storeEntry(m_settings, m_topBox->text(), m_leftBox->text(),
                                   m_widthBox->text(),
                                   m_heightBox->text()) != ArraySetup::Entry::Stored)
            return;
        clearBoxes();
        m_entryButton->setText(ArraySetup::entryCaption(m_settings.PosIndex));
        m_topBox->setFocus();
    }
    ArraySetup::completeList(m_settings);
    m_entryButton->hide();
}
