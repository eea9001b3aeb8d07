#pragma once

#include "diskfilesteps.h"
#include "formplace.h"

#include "modepanel.h"

#include <QByteArray>
#include <QList>
#include <QPointer>

#include <functional>

class FormPicture;
class Platform;
class QComboBox;
class QLabel;
class QListWidget;

// Panel Picture3, mode 3 "TabChange": lists the forms and objects of a program file and
// exchanges the TAB positions of two objects, rewriting the file.
class TabPanel : public ModePanel
{
    Q_OBJECT

public:
    TabPanel(Platform &platform, QWidget *parent);

    // Start-up: lists the program files of the Samples folder.
    void Form_Load() override;
    // TabChange chosen: says once what keeps the Samples folder from being listed, and every
    // time which backups an interrupted rewrite left there, offering to restore them. The
    // action button is not used in this mode.
    void enterMode() override;
    void leaveMode() override;
    // RESET while this panel is shown.
    void Command1_Click() override;
    void actionClicked() override;
    // Where the form picture finds the device screen to draw as a guide.
    void setDeviceScreen(std::function<FormPlace::Screen()> screen);

private:
    // The user picks a program file, a form, an object, a new TAB position.
    void Combo2_Click();
    void Combo4_Click();
    void List2_Click(int row);
    void Combo3_Click();

    void ListForms();
    void ListObjects();
    void SwapTab();
    // The confirmation of a change built in List5, then the rewrite or not, and the refresh.
    void confirmChange();
    // The form picture: opening it, following its order in List2, and applying the order.
    void ShowForm();
    void showOrder(const QList<int> &order);
    void ReorderTab(const QList<int> &order);
    // False when the file changed on disk since it was read, so nothing was written.
    bool RewriteCode();
    void UpdateList();

    void hideSelection();
    void offerLeftoverBackups();
    QString programPath(const QString &name) const;
    // Fills a hidden string table with lines kept as bytes in store.
    static void setLines(QListWidget *list, QList<QByteArray> &store, QList<QByteArray> lines);

    Platform &m_platform;

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

    DiskFileSteps m_files;

    // The lines of List1, List3, List4 and List5 as bytes, so every byte of the file survives.
    QList<QByteArray> m_section;
    QList<QByteArray> m_moved;
    QList<QByteArray> m_target;
    QList<QByteArray> m_newSection;

    QString m_programName;    // the file the section was read from
    QByteArray m_readSection; // the section's bytes on disk, as read or as last written
    int m_genStart = -1;
    bool m_inGen = false;
    int m_rangeStart = 0;
    int m_rangeEnd = -1;
    int m_objCount = 0;
    int m_selBlock = -1;
    int m_targetBlock = -1;
    bool m_samplesChecked = false;
    std::function<FormPlace::Screen()> m_deviceScreen;
    QPointer<FormPicture> m_picture;
};
