#pragma once

#include "platform.h"

#include <QElapsedTimer>
#include <QPointer>

class QProgressDialog;

// The Platform of the running program, on Qt's dialogs, clipboard and process services.
// Documents open in the program the desktop associates with their type; compiled help
// opens in a CHM viewer when one is installed. The window's place is kept in the user's
// settings of the system (QSettings).
class QtPlatform : public Platform
{
public:
    int messageBox(const QString &text, int flags, const QString &title,
                   const QString &details) override;
    QString inputBox(const QString &prompt, const QString &title,
                     const QString &defaultAnswer) override;
    void setTopmost(QWidget *window, bool topmost) override;
    void quit() override;
    Result<> startProgram(const QString &commandLine, int windowStyle) override;
    void openDocument(const QString &path, int windowStyle, QObject *context,
                      Outcome done) override;
    void openHelp(QWidget *owner, const QString &path, const QString &page, Outcome done) override;
    std::optional<QPoint> rememberedPlace() override;
    void rememberPlace(const QPoint &place) override;
    bool keepWaiting(const QString &what) override;
    void endWaiting() override;

protected:
    void replaceClipboard(const QString &text) override;

private:
    QElapsedTimer m_waiting;             // since the first keepWaiting() of a wait
    QPointer<QProgressDialog> m_waitBox; // shown once the wait lasts
    bool m_waitCancelled = false;
};
