#include "prog.h"

#include "arraypanel.h"
#include "controls.h"
#include "copycarrier.h"
#include "dialogpanel.h"
#include "fitcheck.h"
#include "librarypanel.h"
#include "platform.h"
#include "tabpanel.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QStyleOptionComboBox>

using namespace Controls;

namespace {

const QString modeNames[] = {QStringLiteral("Objects Arrays"), QStringLiteral("Keyword/ErrorCode"),
                             QStringLiteral("Msg-Input Box"), QStringLiteral("TabChange")};

// What a screen reader says for the action button when its caption names no step.
const QString noAction = QStringLiteral("Action: none at this step");

// The window's design height grows by the note line under the buttons and a margin of two
// pixels below it (twips).
constexpr int designHeight = 5100;
constexpr int noteHeight = 255;
constexpr int clientHeight = designHeight + noteHeight + 30;

// Where the window opens when it has no remembered place.
constexpr QPoint designPlace(300, 100);

// The action button's key, and the same with the keypad's Enter.
const QKeySequence actionKey(Qt::CTRL | Qt::Key_Return);
const QKeySequence actionKeypadKey(Qt::CTRL | Qt::Key_Enter);

// The controls below `panel` that can take the focus, in their order in the focus chain. A
// control whose focus goes to another (the text field of a combo box) is not one of its own.
// Buttons of an option group that Tab passes over for now stay in the chain at their place:
// the group's Tab stop moves to the button checked next.
QWidgetList tabStops(QWidget *panel)
{
    QWidgetList stops;
    for (QWidget *w = panel->nextInFocusChain(); w != panel; w = w->nextInFocusChain()) {
        if (panel->isAncestorOf(w) && w->focusPolicy() != Qt::NoFocus && !w->focusProxy())
            stops.append(w);
    }
    return stops;
}

// The family the design's Arial is drawn in. Where Arial is not installed, desktops draw it
// in a clone of the same metrics; naming the clone that is installed spares the font system
// its search for a substitute, a costly part of opening the window.
QString designFamily()
{
    static const QString family = [] {
        const QStringList installed = QFontDatabase::families();
        for (const QString &name : {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                                    QStringLiteral("Arimo")}) {
            if (installed.contains(name))
                return name;
        }
        return QStringLiteral("Arial");
    }();
    return family;
}

} // namespace

QFont Prog::designFont()
{
    QFont font(designFamily());
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    font.setBold(false);
    font.setItalic(false);
    // Set in full, so that the window's controls take every property of it from the window,
    // and none from a font that the desktop's theme sets for their kind of control.
    font.setResolveMask(QFont::AllPropertiesResolved);
    return font;
}

Prog::Prog(Platform &platform, Panels panels, QWidget *parent)
    : QMainWindow(parent), m_platform(platform)
{
    setObjectName(QStringLiteral("Prog"));
    setWindowTitle(QStringLiteral("Brindle by Tarnwick"));
    // Before any control exists, so that each is built, and its caption fitted, in this font.
    setFont(designFont());
    buildControls();
    buildMenu();
    // The program never resizes the window, and neither can the user.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    fitCaptions(m_client);
    guardWheel(m_client);
    load();
    // Building the hidden panels orders the Tab chain again, with their controls.
    if (panels == Panels::Now)
        buildHiddenPanels();
    else
        orderTabs();
    // The focus shows from the start, on the first choice a user makes.
    m_modeSelector->setFocus(Qt::OtherFocusReason);
}

bool Prog::event(QEvent *event)
{
    // The first paint is under way: what it does not show follows before any later event.
    if (event->type() == QEvent::Paint && !m_firstPaintSeen) {
        m_firstPaintSeen = true;
        QMetaObject::invokeMethod(this, &Prog::finishFirstFrame, Qt::QueuedConnection);
    }
    return QMainWindow::event(event);
}

void Prog::finishFirstFrame()
{
    buildHiddenPanels();
    Q_EMIT firstFramePainted();
}

void Prog::buildHiddenPanels()
{
    if (m_panels[1])
        return;
    auto *arrays = static_cast<ArrayPanel *>(m_panels[0]);
    m_panels[1] = new LibraryPanel(m_platform, m_client);
    m_panels[2] = new DialogPanel(m_platform, m_client);
    auto *tabs = new TabPanel(m_platform, m_tabFiles, m_client);
    m_panels[3] = tabs;
    // A write that waits for another Brindle window says so through the panel.
    m_tabFiles.whileWaiting = [tabs] { return tabs->keepWaiting(); };
    // The form picture outlines the screen of the device chosen for arrays, by the fit
    // check's limits: the horizontal one is the screen's width, the vertical one its height.
    tabs->setDeviceScreen([arrays]() -> FormPlace::Screen {
        const std::optional<FitCheck::Limits> limits = FitCheck::limits(arrays->device());
        if (!limits)
            return {};
        return {FitCheck::deviceName(arrays->device()),
                QSize(int(limits->horizontal), int(limits->vertical))};
    });
    for (int mode = 1; mode < int(m_panels.size()); ++mode) {
        ModePanel *panel = m_panels[mode];
        panel->setCopyCarrier(m_copyCarrier);
        panel->setAccessibleName(modeNames[mode]);
        connect(panel, &ModePanel::actionChanged, this, &Prog::showAction);
        connect(panel, &ModePanel::noted, this, &Prog::showNote);
        fitCaptions(panel);
        guardWheel(panel);
        panel->load();
    }
    orderTabs();
}

void Prog::orderTabs()
{
    QWidgetList chain{m_resetButton, m_modeSelector};
    for (ModePanel *panel : m_panels) {
        if (panel)
            chain += tabStops(panel);
    }
    // The copy carrier lies under the action button: it takes the focus when it receives a
    // text, but Tab does not stop at a box the user cannot see.
    chain += {m_actionButton, m_copyCarrier, m_exitButton};
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain.at(i - 1), chain.at(i));
}

void Prog::buildControls()
{
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    m_client->setFixedSize(px(3990), px(clientHeight));
    setCentralWidget(m_client);

    // Stacking order: the mode-0 controls at the bottom, the shared controls and the mode
    // panels above them; the action button is drawn over the copy carrier it contains.
    auto *arrays = new ArrayPanel(m_platform, m_client);
    m_panels[0] = arrays;
    arrays->setAccessibleName(modeNames[0]);
    m_resetButton =
        make<QPushButton>(m_client, "Command1", QStringLiteral("RESET"), {60, 0, 1275, 315});
    m_resetButton->setAccessibleDescription(
        QStringLiteral("Puts the controls of the current mode back to their start values"));
    buildModeSelector();
    buildActionButton();
    m_exitButton =
        make<QPushButton>(m_client, "Command4", QStringLiteral("EXIT"), {2340, 4740, 1575, 315});
    m_exitButton->setAccessibleDescription(QStringLiteral("Closes Brindle"));
    m_actionNote = make<QLabel>(m_client, "ActionNote", {}, {60, designHeight, 3855, noteHeight});
    m_actionNote->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    arrays->setCopyCarrier(m_copyCarrier);
    connect(arrays, &ModePanel::actionChanged, this, &Prog::showAction);
    connect(arrays, &ModePanel::noted, this, &Prog::showNote);
    for (QPushButton *b : {m_resetButton, m_actionButton, m_exitButton})
        setDesignFont(b, 8.25, true);

    connect(m_modeSelector, &QComboBox::activated, this, &Prog::chooseMode);
    connect(m_actionButton, &QPushButton::clicked, this, &Prog::runAction);
    connect(m_resetButton, &QPushButton::clicked, this, &Prog::reset);
    connect(m_exitButton, &QPushButton::clicked, this, &Prog::exit);
}

void Prog::buildModeSelector()
{
    m_modeSelector = make<QComboBox>(m_client, "Combo1", {}, {2160, 0, 1755, 315});
    makeEditableList(m_modeSelector);
    m_modeSelector->setAccessibleName(QStringLiteral("Mode"));
    // Screen readers on Linux name a combo box by its text, and by a label whose buddy it is:
    // an unshown label gives the selector its role there.
    auto *modeLabel = new QLabel(QStringLiteral("Mode"), m_client);
    modeLabel->setBuddy(m_modeSelector);
    modeLabel->setGeometry(m_modeSelector->geometry());
    modeLabel->hide();
}

void Prog::buildActionButton()
{
    m_copyCarrier = new CopyCarrier(m_client);
    m_copyCarrier->setObjectName(QStringLiteral("Texttocopy"));
    m_copyCarrier->setAccessibleName(QStringLiteral("Text to copy"));
    place(m_copyCarrier, 120, 4740, 975, 315);
    m_actionButton = make<QPushButton>(m_client, "Cbut2", {}, {60, 4740, 1215, 315});
    m_actionButton->setAccessibleDescription(
        QStringLiteral("Runs the step its caption names: create, preview, copy or store"));
    // The action's key works wherever the focus is in the window, as long as the button can
    // be pressed. It is a shortcut of its own: every caption would replace the button's.
    auto *actionShortcut = new QShortcut(m_actionButton);
    actionShortcut->setKeys({actionKey, actionKeypadKey});
    connect(actionShortcut, &QShortcut::activated, m_actionButton, &QAbstractButton::click);
}

void Prog::buildMenu()
{
    m_servicesMenu = menuBar()->addMenu(QStringLiteral("SERVICES"));
    m_servicesMenu->setObjectName(QStringLiteral("SVS"));
    auto add = [this](const char *name, const QString &caption, void (Prog::*handler)()) {
        QAction *action = m_servicesMenu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    add("LangRef", QStringLiteral("NSB Reference"), &Prog::openReferenceCard);
    add("Infact", QStringLiteral("Installer Prog"), &Prog::runInstaller);
    m_servicesMenu->addSeparator()->setObjectName(QStringLiteral("Separator"));
    add("QHlP", QStringLiteral("Quick help"), &Prog::openQuickHelp)
        ->setShortcut(QKeySequence::HelpContents);
    add("info", QStringLiteral("About"), &Prog::showAbout);
}

void Prog::load()
{
    m_platform.setTopmost(this, true);
    placeWindow();
    m_panels[0]->load();
    for (const QString &name : modeNames)
        m_modeSelector->addItem(name);
    m_modeSelector->setCurrentIndex(-1);
    m_modeSelector->setEditText(modeNames[0]);
    fitModeNames();
}

int Prog::modeNameRoom() const
{
    QStyleOptionComboBox option;
    option.initFrom(m_modeSelector);
    option.rect = QRect(QPoint(), m_modeSelector->size());
    option.editable = true;
    option.frame = true;
    const QRect field = m_modeSelector->style()->subControlRect(
        QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, m_modeSelector);
    // The text field inside keeps a margin of 2 pixels on each side.
    return field.width() - 4;
}

void Prog::fitModeNames()
{
    // The selector is narrow for "Keyword/ErrorCode". It grows into the free room on its left
    // first, so that every mode's name shows whole in the window's font and its right edge
    // stays in line with the controls below it. Only when that room is not enough does its
    // font go down, at most a point, and then once: each font it takes lays its texts out
    // again, and each size is one more font to load before the window's first frame.
    const auto widest = [](const QFont &font) {
        const QFontMetrics metrics(font);
        int width = 0;
        for (const QString &name : modeNames)
            width = qMax(width, metrics.horizontalAdvance(name));
        return width;
    };
    QFont font = m_modeSelector->font();
    const int missing = widest(font) - modeNameRoom();
    if (missing > 0) {
        const int left = qMin(missing, roomBeside(m_modeSelector).left());
        m_modeSelector->setGeometry(m_modeSelector->geometry().adjusted(-left, 0, 0, 0));
    }
    const int room = modeNameRoom();
    const double floor = font.pointSizeF() - 1.0;
    bool smaller = false;
    while (widest(font) > room && font.pointSizeF() - 0.25 >= floor) {
        font.setPointSizeF(font.pointSizeF() - 0.25);
        smaller = true;
    }
    if (smaller)
        m_modeSelector->setFont(font);
}

ModePanel *Prog::current() const
{
    for (int mode = 1; mode < int(m_panels.size()); ++mode) {
        if (m_panels[mode] && !m_panels[mode]->isHidden())
            return m_panels[mode];
    }
    return m_panels[0];
}

void Prog::showAction()
{
    const ModePanel::Action &action = current()->action();
    m_actionButton->setText(action.caption);
    m_actionButton->setEnabled(action.enabled);
    // A screen reader reads the caption; an empty one would leave the button unnamed.
    m_actionButton->setAccessibleName(action.caption.isEmpty() ? noAction : QString());
    m_actionButton->setToolTip(action.caption.isEmpty()
                                   ? QString()
                                   : action.caption % QStringLiteral(" (") %
                                         actionKey.toString(QKeySequence::NativeText) %
                                         QStringLiteral("): ") % action.tip);
}

void Prog::showNote(const QString &note)
{
    // One line: the line breaks of a message become blanks.
    const QString line = QString(note).replace(QLatin1Char('\n'), QLatin1Char(' ')).simplified();
    // A note wider than the window shows its start; the tooltip and screen readers have all.
    const QString shown = m_actionNote->fontMetrics().elidedText(
        line, Qt::ElideRight, m_actionNote->contentsRect().width());
    m_actionNote->setText(shown);
    m_actionNote->setToolTip(shown == line ? QString() : line);
    // Each sends its change to screen readers, which then speak the new note.
    m_actionNote->setAccessibleName(line);
    m_actionNote->setAccessibleDescription(line);
}

void Prog::settleFocus(QWidget *before)
{
    const auto workable = [this](const QWidget *w) {
        return w && w != m_copyCarrier && w != m_exitButton && w->isEnabled() &&
               w->isVisibleTo(this) && w->focusPolicy() != Qt::NoFocus;
    };
    QWidget *now = focusWidget();
    QWidget *next = nullptr;
    if (now != before && workable(now))
        next = now; // the action put the focus there
    else if (workable(before))
        next = before;
    else if (m_actionButton->isEnabled())
        next = m_actionButton;
    else
        next = m_modeSelector; // choosing a mode starts the next cycle
    // Shown as the keyboard's focus, so that a person sees where the keys go now.
    setAttribute(Qt::WA_KeyboardFocusChange);
    if (next != now)
        next->setFocus(Qt::OtherFocusReason);
}

void Prog::placeWindow()
{
    // The title bar must be within reach: the middle of the window's top edge lies on a screen.
    const std::optional<QPoint> remembered = m_platform.rememberedPlace();
    if (remembered && QGuiApplication::screenAt(*remembered + QPoint(m_client->width() / 2, 0)))
        move(*remembered);
    else
        move(designPlace);
}

void Prog::rememberPlace()
{
    m_platform.rememberPlace(pos());
}

bool Prog::panelsAllowClose()
{
    for (ModePanel *panel : m_client->findChildren<ModePanel *>(Qt::FindDirectChildrenOnly)) {
        if (!panel->confirmClose())
            return false;
    }
    return true;
}

void Prog::closeEvent(QCloseEvent *event)
{
    if (!panelsAllowClose()) {
        event->ignore();
        return;
    }
    rememberPlace();
    QMainWindow::closeEvent(event);
}

void Prog::chooseMode()
{
    const int mode = m_modeSelector->currentIndex();
    if (mode < 0 || mode >= int(m_panels.size()))
        return;
    buildHiddenPanels();
    for (int other = 0; other < int(m_panels.size()); ++other) {
        if (other != mode)
            m_panels[other]->leaveMode();
    }
    m_panels[mode]->enterMode();
    // Show the start of a mode name that is wider than the selector.
    m_modeSelector->lineEdit()->setCursorPosition(0);
}

void Prog::runAction()
{
    QWidget *before = focusWidget();
    current()->actionClicked();
    settleFocus(before);
}

void Prog::reset()
{
    current()->reset();
}

void Prog::exit()
{
    if (!panelsAllowClose())
        return;
    rememberPlace();
    m_platform.setTopmost(this, false);
    m_platform.quit();
}
