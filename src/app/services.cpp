// The services menu: reference card, installer, quick help and About.
#include "prog.h"

#include "paths.h"
#include "platform.h"

void Prog::LangRef_Click()
{
    const QString card = Paths::at(QStringLiteral("/Tools/ReferenceCard.pdf"));
    const QString error = m_platform.openDocument(card, Platform::MaximizedFocus);
    if (!error.isEmpty()) {
        m_platform.messageBox(error);
        return;
    }
    Command4_Click();
}

void Prog::Infact_Click()
{
    const QString command = m_platform.inputBox(
        QStringLiteral("Type the full path to your Installer program\r\n"
                       "(.exe ffile) and click OK to run it."),
        QStringLiteral("INSTALLER"), QString());
    if (command.isEmpty())
        return;
    const QString error = m_platform.startProgram(command, Platform::NormalFocus);
    if (!error.isEmpty()) {
        m_platform.messageBox(error);
        return;
    }
    Command4_Click();
}

void Prog::QHlP_Click()
{
    m_helpFile = Paths::at(QStringLiteral("/Tools/Brindle.chm"));
    const QString error = m_platform.openHelp(this, m_helpFile);
    if (!error.isEmpty())
        m_platform.messageBox(error);
}

void Prog::info_Click()
{
    m_platform.messageBox(
        QStringLiteral("Brindle, written by the Brindle developers.\r\n"
                       "For programmers of handheld-device applications in NS Basic.\r\n"
                       "Free to use and to share for any purpose, without warranty;\r\n"
                       "keep this notice with every copy you pass on."),
        Platform::Information, QStringLiteral("Brindle"));
}
