#pragma once

#include <QFrame>

class ActionHost;
class Platform;
class QComboBox;
class QLabel;
class QListWidget;

// Panel Picture3, mode 3 "TabChange": lists the forms and objects of a program file and
// exchanges the TAB positions of two objects, rewriting the file.
class TabPanel : public QFrame
{
    Q_OBJECT

public:
    TabPanel(Platform &platform, ActionHost &host, QWidget *parent);

    // Start-up: lists the program files of the Samples folder.
    void Form_Load();
    // RESET while this panel is shown.
    void Command1_Click();

private:
    Platform &m_platform;
    ActionHost &m_host;

    QLabel *m_label14 = nullptr;
    QComboBox *m_combo2 = nullptr;
    QLabel *m_label16 = nullptr;
    QLabel *m_label17 = nullptr;
    QLabel *m_label12 = nullptr;
    QLabel *m_label15 = nullptr;
    QComboBox *m_combo3 = nullptr;
    QLabel *m_label13 = nullptr;
    QListWidget *m_list2 = nullptr;
    QListWidget *m_list1 = nullptr;
    QListWidget *m_list3 = nullptr;
    QListWidget *m_list4 = nullptr;
    QListWidget *m_list5 = nullptr;
    QListWidget *m_list0 = nullptr;
    QComboBox *m_combo4 = nullptr;
    QLabel *m_label18 = nullptr;

    bool m_inGen = false;
};
