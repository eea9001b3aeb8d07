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
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

using namespace Controls;

namespace {

// Heights and tops of the mode panels, in twips.
constexpr int hiddenPanelHeight = 195;
constexpr int picture1Height = 4320;
constexpr int picture2Height = 4300;
constexpr int picture3Height = 4200;
constexpr int picture2ShownTop = 360;
constexpr int picture2HiddenTop = 4500;

const QString createCode = QStringLiteral("CREATE Code");
const QString copyCaption = QStringLiteral("COPY");
const QString preview = QStringLiteral("Preview");

} // namespace

Prog::Prog(Platform &platform, QWidget *parent) : QMainWindow(parent), m_platform(platform)
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
}

void Prog::buildControls()
{
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    m_client->setFixedSize(px(3990), px(5100));
    setCentralWidget(m_client);

    // Stacking order: the mode-0 controls at the bottom, the shared controls and the mode
    // panels above them; the action button is drawn over the copy carrier it contains.
    m_arrays = new ArrayPanel(m_platform, *this, m_client);
    m_command1 = makeControl<QPushButton>(m_client, "Command1", QStringLiteral("RESET"), 60, 0, 1275, 315);
    m_combo1 = makeControl<QComboBox>(m_client, "Combo1", {}, 2160, 0, 1755, 315);
    makeEditableList(m_combo1);
    m_texttocopy = new CopyCarrier(m_client);
    m_texttocopy->setObjectName(QStringLiteral("Texttocopy"));
    place(m_texttocopy, 120, 4740, 975, 315);
    m_cbut2 = makeControl<QPushButton>(m_client, "Cbut2", {}, 60, 4740, 1215, 315);
    m_command4 = makeControl<QPushButton>(m_client, "Command4", QStringLiteral("EXIT"), 2340, 4740, 1575, 315);
    m_picture1 = new LibraryPanel(m_platform, *this, m_client);
    m_picture2 = new DialogPanel(m_platform, *this, m_client);
    m_picture3 = new TabPanel(m_platform, *this, m_client);
    for (QPushButton *b : {m_command1, m_cbut2, m_command4})
        setDesignFont(b, 8.25, true);
    // The form picture outlines the screen of the device chosen for arrays, by the fit
    // check's limits: the horizontal one is the screen's width, the vertical one its height.
    m_picture3->setDeviceScreen([this]() -> FormPlace::Screen {
        const QString device = m_arrays->device();
        const FitCheck::Limits limits =
            device == QLatin1String("hpc") ? FitCheck::hpc : FitCheck::ppc;
        if (device.isEmpty())
            return {};
        return {device, QSize(int(limits.horizontal), int(limits.vertical))};
    });

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
    m_cbut2->setText(createCode);
    m_arrays->Form_Load();
    m_combo1->addItems({QStringLiteral("Objects Arrays"), QStringLiteral("Keyword/ErrorCode"),
                        QStringLiteral("Msg-Input Box"), QStringLiteral("TabChange")});
    m_combo1->setCurrentIndex(-1);
    m_combo1->setEditText(QStringLiteral("Objects Arrays"));
    m_picture1->Form_Load();
    m_picture2->Form_Load();
    m_picture3->Form_Load();
}

bool Prog::isShown(const QWidget *panel) const
{
    return !panel->isHidden();
}

void Prog::Combo1_Click()
{
    switch (m_combo1->currentIndex()) {
    case 0:
        m_picture1->hide();
        setHeight(m_picture1, hiddenPanelHeight);
        m_picture2->hide();
        setHeight(m_picture2, hiddenPanelHeight);
        setTop(m_picture2, picture2HiddenTop);
        m_picture3->hide();
        setHeight(m_picture3, hiddenPanelHeight);
        m_cbut2->setText(createCode);
        m_cbut2->setEnabled(true);
        break;
    case 1:
        setHeight(m_picture1, picture1Height);
        m_picture1->show();
        m_picture2->hide();
        setHeight(m_picture2, hiddenPanelHeight);
        setTop(m_picture2, picture2HiddenTop);
        m_picture3->hide();
        setHeight(m_picture3, hiddenPanelHeight);
        m_cbut2->setText(QStringLiteral("Copy Key"));
        m_cbut2->setEnabled(true);
        m_picture1->enterMode();
        break;
    case 2:
        m_picture2->show();
        setTop(m_picture2, picture2ShownTop);
        setHeight(m_picture2, picture2Height);
        m_picture3->hide();
        setHeight(m_picture3, hiddenPanelHeight);
        m_picture1->hide();
        setHeight(m_picture1, hiddenPanelHeight);
        m_cbut2->setText(preview);
        m_cbut2->setEnabled(true);
        m_picture2->enterMode();
        break;
    case 3:
        m_picture3->show();
        setHeight(m_picture3, picture3Height);
        m_picture2->hide();
        setHeight(m_picture2, hiddenPanelHeight);
        setTop(m_picture2, picture2HiddenTop);
        m_picture1->hide();
        setHeight(m_picture1, hiddenPanelHeight);
        m_cbut2->setText(QString());
        m_cbut2->setEnabled(false);
        m_picture3->enterMode();
        break;
    default:
        return;
    }
    // Show the start of a mode name that is wider than the selector.
    m_combo1->lineEdit()->setCursorPosition(0);
    // The mode-0 controls lie under the panels; keep them out of the keyboard's way too.
    m_arrays->setVisible(m_combo1->currentIndex() == 0);
}

void Prog::CBut2_click()
{
    if (isShown(m_picture1)) {
        const QString caption = m_cbut2->text();
        if (caption == QLatin1String("Store Code")) {
            m_picture1->WriteFile();
        } else if (caption == QLatin1String("COPY CODE")) {
            m_picture1->CopyC();
            m_platform.setClipboardText(copyText());
        } else if (caption == QLatin1String("Copy Key")) {
            m_picture1->CopyK();
            m_platform.setClipboardText(copyText());
        }
        return;
    }
    if (isShown(m_picture2) && m_cbut2->text() == preview && !m_picture2->BuildDialogCode())
        return;
    if (!isShown(m_picture2) && m_cbut2->text() == createCode && !m_arrays->fitCheck())
        return;

    const QString caption = m_cbut2->text();
    if (caption == createCode) {
        m_arrays->Builtarray();
        m_cbut2->setText(copyCaption);
    } else if (caption == preview) {
        setCopyText(m_picture2->generatedText());
        focusCopyText();
        m_cbut2->setText(copyCaption);
    } else if (caption == copyCaption) {
        m_platform.setClipboardText(copyText());
        m_cbut2->setText(isShown(m_picture2) ? preview : createCode);
        m_cbut2->setEnabled(false);
    }
}

void Prog::Command1_Click()
{
    if (isShown(m_picture1))
        m_picture1->Command1_Click();
    else if (isShown(m_picture2))
        m_picture2->Command1_Click();
    else if (isShown(m_picture3))
        m_picture3->Command1_Click();
    else
        m_arrays->Command1_Click();
}

void Prog::Command4_Click()
{
    m_platform.setTopmost(this, false);
    m_platform.quit();
}

QString Prog::actionCaption() const
{
    return m_cbut2->text();
}

void Prog::setActionCaption(const QString &caption)
{
    m_cbut2->setText(caption);
}

void Prog::setActionEnabled(bool enabled)
{
    m_cbut2->setEnabled(enabled);
}

QString Prog::copyText() const
{
    return m_texttocopy->text();
}

void Prog::setCopyText(const QString &text)
{
    m_texttocopy->setText(text);
}

void Prog::focusCopyText()
{
    m_texttocopy->setFocus(Qt::OtherFocusReason);
    // The focus event arrives only when the window is active; select the text in any case.
    m_texttocopy->SetSelected();
}
