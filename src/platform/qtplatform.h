#pragma once

#include "platform.h"

// The Platform of the running program, on Qt's dialogs, clipboard and process services.
class QtPlatform : public Platform
{
public:
    int messageBox(const QString &text, int flags, const QString &title) override;
    QString inputBox(const QString &prompt, const QString &title,
                     const QString &defaultAnswer) override;
    void setClipboardText(const QString &text) override;
    void setTopmost(QWidget *window, bool topmost) override;
    void quit() override;
    QString startProgram(const QString &commandLine, int windowStyle) override;
    QString openDocument(const QString &path, int windowStyle) override;
    QString openHelp(QWidget *owner, const QString &path) override;
};
