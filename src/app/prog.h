#pragma once

#include "actionhost.h"

#include <QMainWindow>

class ArrayPanel;
class CopyCarrier;
class DialogPanel;
class LibraryPanel;
class Platform;
class QAction;
class QComboBox;
class QMenu;
class QPushButton;
class TabPanel;

// The main window: the mode selector, the action button and its copy carrier, RESET, EXIT,
// the services menu, and the four mode panels.
class Prog : public QMainWindow, private ActionHost
{
    Q_OBJECT

public:
    explicit Prog(Platform &platform, QWidget *parent = nullptr);

    // The window's handlers, named after the control and event that start them.
    void Combo1_Click();
    void CBut2_click();
    void Command1_Click();
    void Command4_Click();
    void LangRef_Click();
    void Infact_Click();
    void QHlP_Click();
    void info_Click();

    // The path of the help file, set when quick help is first used.
    QString helpFile() const { return m_helpFile; }

private:
    void buildControls();
    void buildMenu();
    void Form_Load();

    bool isShown(const QWidget *panel) const;

    // ActionHost
    QString actionCaption() const override;
    void setActionCaption(const QString &caption) override;
    void setActionEnabled(bool enabled) override;
    QString copyText() const override;
    void setCopyText(const QString &text) override;
    void focusCopyText() override;

    Platform &m_platform;
    QWidget *m_client = nullptr;
    QPushButton *m_command1 = nullptr;
    QComboBox *m_combo1 = nullptr;
    QPushButton *m_cbut2 = nullptr;
    CopyCarrier *m_texttocopy = nullptr;
    QPushButton *m_command4 = nullptr;
    ArrayPanel *m_arrays = nullptr;
    LibraryPanel *m_picture1 = nullptr;
    DialogPanel *m_picture2 = nullptr;
    TabPanel *m_picture3 = nullptr;
    QMenu *m_svs = nullptr;
    QString m_helpFile;
};
