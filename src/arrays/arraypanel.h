#pragma once

#include "arraysettings.h"
#include "fitcheck.h"
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
//
// objectName          member                       what it shows
// Frame1              m_kindFrame                  "OBJECTS TYPE", around the kind options
// OptionObject_0..5   m_kindOptions                the kind of control of the array
// Leftbox             m_topBox                     the first object's top, captioned "Top"
// Topbox              m_leftBox                    the first object's left, captioned "Left"
// Widthbox            m_widthBox                   the width of each object
// Highbox             m_heightBox                  the height of each object
// spcr, Spacelbl      m_spacerBox, m_spacerLabel   the distance added between neighbours
// Custins             m_entryButton                "Object n": stores object n's position
// Option1, Option2    m_ppcOption, m_hpcOption     the device whose screen the array must fit,
//                                                  kept in m_device
// Command2, Command5  m_moreButton, m_fewerButton  ">" and "<": one object more, one less
// Textnum             m_countLabel                 the number of objects, kept in m_count
// Frame2              m_layoutFrame                "Display Setting", around the layouts
// OptionDislpay_0..2  m_layoutOptions              the layout: Vertical, Horizontal, Customized
// Label1..4, Label6   (captions only)              "Top", "Left", "Width", "Height",
//                                                  "Number of Objects"
class ArrayPanel : public ModePanel
{
    Q_OBJECT

public:
    explicit ArrayPanel(Platform &platform, QWidget *parent);

    // Start-up: hides the spacer and the entry button and sets the box defaults.
    void load() override;
    void enterMode() override;
    void leaveMode() override;
    // RESET while no mode panel is shown.
    void reset() override;
    // "CREATE Code": checks the fit and writes the code into the copy carrier; then "COPY".
    void actionClicked() override;

    // The device chosen for the fit check, None until the user chooses one.
    FitCheck::Device device() const { return m_device; }
    const ArraySettings &settings() const { return m_settings; }

private:
    // The controls, created in the order of the Tab chain.
    void buildKindOptions();
    void buildBoxes();
    void buildDeviceOptions();
    void buildCounter();
    void buildLayoutOptions();
    void connectHandlers();

    // Whether the objects fit the selected device's screen; shows the message when not.
    bool fitsDevice();
    // Writes the array code of the chosen layout into the copy carrier.
    void buildArray();
    void buildStandard();
    void buildCustomized();
    // Puts generated code into the copy carrier and notes it.
    void offerCode(const QString &code);

    // A kind option became selected: names the array after the kind and the running count.
    void chooseKind(int kind);
    // A layout option became selected: 0 Vertical, 1 Horizontal, 2 Customized.
    void chooseLayout(int layout);
    // A device option was selected or unselected.
    void chooseDevice(FitCheck::Device device, bool selected);
    void moreObjects();
    // One object less, never below 0.
    void fewerObjects();
    // Writes the count into its label.
    void showCount();
    // The spacer's text changed: the step of the selected standard layout includes it.
    void spacerChanged();
    // Starts a customized list of as many objects as the count shows.
    void startList();
    // Stores the position entry of the object being typed; the last one completes the list.
    void storePosition();

    void showSpacer(bool shown);
    void setBoxDefaults();
    void clearBoxes();

    Platform &m_platform;
    ArraySettings m_settings;
    // The number of objects, changed only by ">", "<" and RESET.
    int m_count = 0;
    FitCheck::Device m_device = FitCheck::Device::None;

    QGroupBox *m_kindFrame = nullptr;
    std::array<QRadioButton *, 6> m_kindOptions{};
    QLineEdit *m_topBox = nullptr;
    QLineEdit *m_leftBox = nullptr;
    QLineEdit *m_widthBox = nullptr;
    QLineEdit *m_heightBox = nullptr;
    QLineEdit *m_spacerBox = nullptr;
    QLabel *m_spacerLabel = nullptr;
    QPushButton *m_entryButton = nullptr;
    QRadioButton *m_ppcOption = nullptr;
    QRadioButton *m_hpcOption = nullptr;
    QPushButton *m_moreButton = nullptr;
    QLabel *m_countLabel = nullptr;
    QPushButton *m_fewerButton = nullptr;
    QGroupBox *m_layoutFrame = nullptr;
    std::array<QRadioButton *, 3> m_layoutOptions{};
};
