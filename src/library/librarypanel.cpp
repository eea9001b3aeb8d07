#include "librarypanel.h"

#include "actionhost.h"
#include "controls.h"
#include "platform.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace Controls;

LibraryPanel::LibraryPanel(Platform &platform, ActionHost &host, QWidget *parent)
    : QFrame(parent), m_platform(platform), m_host(host)
{
    setObjectName(QStringLiteral("Picture1"));
    place(this, 60, 360, 3855, 195);
    setAutoFillBackground(true);
    setFrameShape(QFrame::StyledPanel);

    // The title box lies under the code box at design; the code box is drawn above it.
    m_textocopy = makeControl<QLineEdit>(this, "Textocopy", {}, 540, 3840, 2835, 315);
    m_cboCode = makeControl<QComboBox>(this, "CboCode", {}, 120, 120, 3675, 315);
    makeEditableList(m_cboCode);
    m_keyType = makeControl<QLabel>(this, "KeyType", {}, 120, 540, 2655, 255);
    setDesignFont(m_keyType, 8.25, true);
    m_codeBut = makeControl<QPushButton>(this, "CodeBut", QStringLiteral("Add Code"), 2820, 540, 975, 315);
    m_codeBut->hide();
    m_codeBox = makeControl<QPlainTextEdit>(this, "CodeBox", {}, 120, 900, 3675, 3255);
    m_codeBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_codeBox->setLineWrapMode(QPlainTextEdit::NoWrap);
    hide();
}

void LibraryPanel::Form_Load()
{
}

void LibraryPanel::enterMode()
{
    m_keyType->setText(QStringLiteral("Keyword"));
}

void LibraryPanel::WriteFile()
{
}

void LibraryPanel::CopyC()
{
}

void LibraryPanel::CopyK()
{
}

void LibraryPanel::Command1_Click()
{
}
