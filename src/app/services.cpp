// The services menu: reference card, installer, quick help and About.
// Starting another program ends the assistant only once the start has succeeded; any failure
// is reported and the assistant stays open.
#include "prog.h"

#include "paths.h"
#include "platform.h"

#include <QFileInfo>

namespace {

QString missingDocument(const QString &what, const QString &path)
{
    return QStringLiteral("The %1 is missing:\r\n%2").arg(what, path);
}

} // namespace

void Prog::LangRef_Click()
{
    const QString card = Paths::at(QStringLiteral("/Tools/ReferenceCard.pdf"));
    if (!QFileInfo::exists(card)) {
        m_platform.messageBox(missingDocument(QStringLiteral("reference card"), card));
        return;
    }
    m_platform.openDocument(card, Platform::MaximizedFocus, this, [this](const QString &error) {
        if (!error.isEmpty()) {
            m_platform.messageBox(error);
            return;
        }
        Command4_Click();
    });
}

void Prog::Infact_Click()
{
    const QString command =
        m_platform.inputBox(QStringLiteral("Type the full path to your Installer program\r\n"
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
    if (!QFileInfo::exists(m_helpFile)) {
        m_platform.messageBox(missingDocument(QStringLiteral("quick-help file"), m_helpFile));
        return;
    }
    m_platform.openHelp(this, m_helpFile, [this](const QString &error) {
        if (!error.isEmpty())
            m_platform.messageBox(error);
    });
}

void Prog::info_Click()
{
    m_platform.messageBox(
        QStringLiteral("Brindle was written by the Brindle developers.\r\n"
                       "It is meant for programmers of BASIC applications for handheld devices.\r\n"
                       "You may use, copy and share it freely, at your own risk and without\r\n"
                       "warranty, as long as this notice stays with every copy you pass on."),
        Platform::Information, QStringLiteral("Brindle"));
}
