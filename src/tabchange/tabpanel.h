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
class LineModel;
class ObjectModel;
class QLabel;
class QListView;

// Panel Picture3, mode 3 "TabChange": lists the forms and objects of a program file and
// exchanges the TAB positions of two objects, rewriting the file.
class TabPanel : public ModePanel
{
    Q_OBJECT

public:
    TabPanel(Platform &platform, QWidget *parent);

    // Start-up: lists the program files of the Samples folder.
    void load() override;
    // TabChange chosen: says once what keeps the Samples folder from being listed, and every
    // time which backups an interrupted rewrite left there, offering to restore them. The
    // action button is not used in this mode.
    void enterMode() override;
    void leaveMode() override;
    // RESET while this panel is shown.
    void reset() override;
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
    // The object count under "Objects' Number", after a listing.
    void showObjectCount();
    void offerLeftoverBackups();
    QString programPath(const QString &name) const;
    // A hidden string table over its own lines.
    QListView *makeTable(const char *name, LineModel *model, int left, int top, int width);
    const QList<QByteArray> &section() const;

    Platform &m_platform;

    QLabel *m_label14 = nullptr;
    QComboBox *m_combo2 = nullptr;
    QLabel *m_label16 = nullptr;
    QLabel *m_label17 = nullptr;
    QLabel *m_label12 = nullptr;
    QLabel *m_label15 = nullptr;
    QComboBox *m_combo3 = nullptr;
    QLabel *m_label13 = nullptr;
    QListView *m_list2 = nullptr;
    QListView *m_list1 = nullptr;
    QListView *m_list3 = nullptr;
    QListView *m_list4 = nullptr;
    QListView *m_list5 = nullptr;
    QListView *m_list0 = nullptr;
    QComboBox *m_combo4 = nullptr;
    QLabel *m_label18 = nullptr;

    DiskFileSteps m_files;

    // List2 and the positions of Combo3; the lines of List1 (the section), List3 (the moved
    // block), List4 (the target block), List5 (the new section) and List0.
    ObjectModel *m_objects = nullptr;
    LineModel *m_section = nullptr;
    LineModel *m_moved = nullptr;
    LineModel *m_target = nullptr;
    LineModel *m_newSection = nullptr;
    LineModel *m_table0 = nullptr;
    // The buffers the held lines are views of: the section as read, or as last written.
    QList<QByteArray> m_buffers;
    // The blocks an exchange changed, each of changedLength lines; -1 when the line count or
    // the places of lines changed.
    int m_changedLength = -1;
    bool m_rewritten = false;

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
