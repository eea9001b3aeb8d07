// The services menu: reference card, installer, quick help and About.
// Starting another program ends the assistant only once the start has succeeded; any failure
// is reported and the assistant stays open.
#include "prog.h"

#include "paths.h"
#include "platform.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

QString missingDocument(const QString &what, const QString &path)
{
    return QStringLiteral("The %1 is missing:\r\n%2").arg(what, path);
}

// Where a document of the Tools folder is expected, and how it gets there.
QString toolsFolderDetails()
{
    return QStringLiteral("Brindle looks for it in the Tools folder of the folder it works in, ") %
           QDir::toNativeSeparators(QDir::currentPath()) %
           QStringLiteral(". The build puts the reference card and the quick help there, and so "
                          "does the first start of an installed Brindle.");
}

} // namespace

void Prog::openReferenceCard()
{
    const QString card = Paths::at(QStringLiteral("/Tools/ReferenceCard.pdf"));
    if (!QFileInfo::exists(card)) {
        m_platform.messageBox(missingDocument(QStringLiteral("reference card"), card),
                              Platform::OkOnly, {}, toolsFolderDetails());
        return;
    }
    m_platform.openDocument(card, Platform::MaximizedFocus, this, [this](const Result<> &opened) {
        if (!opened) {
            m_platform.messageBox(opened.message(), Platform::OkOnly, {},
                                  QStringLiteral("The reference card is a PDF file: it opens in "
                                                 "the desktop's default program for PDF files."));
            return;
        }
        exit();
    });
}

void Prog::runInstaller()
{
    const QString command =
        m_platform.inputBox(QStringLiteral("Type the full path to your Installer program\r\n"
                                           "(.exe ffile) and click OK to run it."),
                            QStringLiteral("INSTALLER"), QString());
    if (command.isEmpty())
        return;
    const Result<> started = m_platform.startProgram(command, Platform::NormalFocus);
    if (!started) {
        m_platform.messageBox(started.message(), Platform::OkOnly, {},
                              QStringLiteral("Expected: the full path of a program, blanks "
                                             "allowed and no quotes needed, then its arguments "
                                             "if it takes any."));
        return;
    }
    exit();
}

void Prog::openQuickHelp()
{
    const QString help = Paths::at(QStringLiteral("/Tools/Brindle.chm"));
    if (!QFileInfo::exists(help)) {
        m_platform.messageBox(missingDocument(QStringLiteral("quick-help file"), help),
                              Platform::OkOnly, {}, toolsFolderDetails());
        return;
    }
    // The help opens at the page of the mode shown.
    static const QString pages[] = {QStringLiteral("arrays.html"), QStringLiteral("keywords.html"),
                                    QStringLiteral("dialogs.html"),
                                    QStringLiteral("tabchange.html")};
    const auto mode = std::find(m_panels.begin(), m_panels.end(), current()) - m_panels.begin();
    m_platform.openHelp(this, help, pages[mode], [this](const Result<> &opened) {
        if (!opened)
            m_platform.messageBox(opened.message());
    });
}

void Prog::showAbout()
{
    m_platform.messageBox(
        QStringLiteral("Brindle was written by the Brindle developers.\r\n"
                       "It is meant for programmers of BASIC applications for handheld devices.\r\n"
                       "You may use, copy and share it freely, at your own risk and without\r\n"
                       "warranty, as long as this notice stays with every copy you pass on."),
        Platform::Information, QStringLiteral("Brindle"));
}
