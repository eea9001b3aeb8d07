#include "prog.h"

#include "arraypanel.h"
#include "controls.h"
#include "copycarrier.h"
#include "dialogpanel.h"
#include "fitcheck.h"
#include "librarypanel.h"
#include "platform.h"
#include "tabpanel.h"

#include <QComboBox>
#include <QEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

using namespace Controls;

Prog::Prog(Platform &platform, Panels panels, QWidget *parent)
    : QMainWindow(parent), m_platform(platform)
{
    setObjectName(QStringLiteral("Prog"));
    setWindowTitle(QStringLiteral("Brindle by Tarnwick"));
    buildControls();
    buildMenu();
    // The program never resizes the window, and neither can the user.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    fitCaptions(m_client);
    guardWheel(m_client);
    Form_Load();
    if (panels == Panels::Now)
        buildHiddenPanels();
}

bool Prog::event(QEvent *event)
{
    // The first paint is under way: the hidden panels follow before any later event.
    if (event->type() == QEvent::Paint && !m_panels[1] && !m_panelsQueued) {
        m_panelsQueued = true;
        QMetaObject::invokeMethod(this, &Prog::buildHiddenPanels, Qt::QueuedConnection);
    }
    return QMainWindow::event(event);
}

void Prog::buildHiddenPanels()
{
    if (m_panels[1])
        return;
    auto *arrays = static_cast<ArrayPanel *>(m_panels[0]);
    m_panels[1] = new LibraryPanel(m_platform, m_client);
    m_panels[2] = new DialogPanel(m_platform, m_client);
    auto *tabs = new TabPanel(m_platform, m_client);
    m_panels[3] = tabs;
    // The form picture outlines the screen of the device chosen for arrays, by the fit
    // check's limits: the horizontal one is the screen's width, the vertical one its height.
    tabs->setDeviceScreen([arrays]() -> FormPlace::Screen {
        const QString device = arrays->device();
        const FitCheck::Limits limits =
            device == QLatin1String("hpc") ? FitCheck::hpc : FitCheck::ppc;
        if (device.isEmpty())
            return {};
        return {device, QSize(int(limits.horizontal), int(limits.vertical))};
    });
    for (int mode = 1; mode < int(m_panels.size()); ++mode) {
        ModePanel *panel = m_panels[mode];
        panel->setCopyCarrier(m_texttocopy);
        connect(panel, &ModePanel::actionChanged, this, &Prog::showAction);
        fitCaptions(panel);
        guardWheel(panel);
        panel->load();
    }
}

void Prog::buildControls()
{
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    m_client->setFixedSize(px(3990), px(5100));
    setCentralWidget(m_client);

    // Stacking order: the mode-0 controls at the bottom, the shared controls and the mode
    // panels above them; the action button is drawn over the copy carrier it contains.
    auto *arrays = new ArrayPanel(m_platform, m_client);
    m_panels[0] = arrays;
    m_command1 =
        makeControl<QPushButton>(m_client, "Command1", QStringLiteral("RESET"), 60, 0, 1275, 315);
    m_combo1 = makeControl<QComboBox>(m_client, "Combo1", {}, 2160, 0, 1755, 315);
    makeEditableList(m_combo1);
    m_texttocopy = new CopyCarrier(m_client);
    m_texttocopy->setObjectName(QStringLiteral("Texttocopy"));
    place(m_texttocopy, 120, 4740, 975, 315);
    m_cbut2 = makeControl<QPushButton>(m_client, "Cbut2", {}, 60, 4740, 1215, 315);
    m_command4 = makeControl<QPushButton>(m_client, "Command4", QStringLiteral("EXIT"), 2340, 4740,
                                          1575, 315);
    arrays->setCopyCarrier(m_texttocopy);
    connect(arrays, &ModePanel::actionChanged, this, &Prog::showAction);
    for (QPushButton *b : {m_command1, m_cbut2, m_command4})
        setDesignFont(b, 8.25, true);

    connect(m_combo1, &QComboBox::activated, this, &Prog::Combo1_Click);
    connect(m_cbut2, &QPushButton::clicked, this, &Prog::CBut2_click);
    connect(m_command1, &QPushButton::clicked, this, &Prog::Command1_Click);
    connect(m_command4, &QPushButton::clicked, this, &Prog::Command4_Click);
}

void Prog::buildMenu()
{
    m_svs = menuBar()->addMenu(QStringLiteral("SERVICES"));
    m_svs->setObjectName(QStringLiteral("SVS"));
    auto add = [this](const char *name, const QString &caption, void (Prog::*handler)()) {
        QAction *action = m_svs->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, handler);
    };
    add("LangRef", QStringLiteral("NSB Reference"), &Prog::LangRef_Click);
    add("Infact", QStringLiteral("Installer Prog"), &Prog::Infact_Click);
    m_svs->addSeparator()->setObjectName(QStringLiteral("Separator"));
    add("QHlP", QStringLiteral("Quick help"), &Prog::QHlP_Click);
    add("info", QStringLiteral("About"), &Prog::info_Click);
}

void Prog::Form_Load()
{
    m_platform.setTopmost(this, true);
    move(300, 100);
    m_panels[0]->load();
    m_combo1->addItems({QStringLiteral("Objects Arrays"), QStringLiteral("Keyword/ErrorCode"),
                        QStringLiteral("Msg-Input Box"), QStringLiteral("TabChange")});
    m_combo1->setCurrentIndex(-1);
    m_combo1->setEditText(QStringLiteral("Objects Arrays"));
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
    m_cbut2->setText(action.caption);
    m_cbut2->setEnabled(action.enabled);
}

void Prog::Combo1_Click()
{
    const int mode = m_combo1->currentIndex();
    if (mode < 0 || mode >= int(m_panels.size()))
        return;
    buildHiddenPanels();
    for (int other = 0; other < int(m_panels.size()); ++other) {
        if (other != mode)
            m_panels[other]->leaveMode();
    }
    m_panels[mode]->enterMode();
    // Show the start of a mode name that is wider than the selector.
    m_combo1->lineEdit()->setCursorPosition(0);
}

void Prog::CBut2_click()
{
    current()->actionClicked();
}

void Prog::Command1_Click()
{
    current()->reset();
}

void Prog::Command4_Click()
{
    m_platform.setTopmost(this, false);
    m_platform.quit();
}
