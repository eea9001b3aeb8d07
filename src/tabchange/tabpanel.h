#pragma once

// objectName -> member -> what it shows:
//   Picture3 -> the panel itself       -> mode 3, "TabChange"
//   Label14  -> m_programCaption       -> "Select the program's code (Format .Txt only)"
//   Combo2   -> m_programBox           -> the program files of the Samples folder
//   Label16  -> m_numberCaption        -> what m_numberLabel shows ("Objects' Number", ...)
//   Label17  -> m_nameLabel            -> the selected object's name
//   Label12  -> m_numberLabel          -> the object count, or the selected object's TAB
//   Label15  -> m_newTabCaption        -> "Select New Tab"
//   Combo3   -> m_newTabBox            -> the positions 1 .. count, to give the selected object
//   Label13  -> m_objectsCaption       -> "Objects"
//   List2    -> m_objectList           -> the objects of the chosen form, in TAB order
//   List1    -> m_sectionTable         -> hidden: the generated section held in memory
//   List3    -> m_movedTable           -> hidden: the selected block, renumbered
//   List4    -> m_targetTable          -> hidden: the target block, renumbered
//   List5    -> m_newSectionTable      -> hidden: the new section while it is confirmed
//   List0    -> m_scratchTable         -> hidden: always empty
//   Combo4   -> m_formBox              -> the form table
//   Label18  -> m_formCaption          -> "Select a form to show objects"
//   ShowForm -> (action of m_objectList) -> opens the form picture (Ctrl+F)
//   ByPosition -> m_byPositionButton   -> "By position": orders the objects by their places
//   UndoTab  -> m_undoButton           -> "Undo": undoes the last TAB change written to the file
//   UndoTabKey -> m_undoAction         -> Ctrl+Z in the panel, as UndoTab
//   RedoTabKey -> m_redoAction         -> Ctrl+Shift+Z in the panel: redoes the change undone
//   TabEarlier -> (action of m_objectList) -> Alt+Up: the object's TAB position one before
//   TabLater -> (action of m_objectList) -> Alt+Down: the object's TAB position one after

#include "filesteps.h"
#include "formplace.h"
#include "leftoverbackups.h"
#include "tabhistory.h"
#include "tabsession.h"

#include "modepanel.h"

#include <QPointer>

#include <functional>

class FormModel;
class FormPicture;
class LineModel;
class ObjectModel;
class Platform;
class QAction;
class QComboBox;
class QFileSystemWatcher;
class QLabel;
class QListView;
class QPushButton;
class QTimer;

// Mode 3 "TabChange": lists the forms and objects of a program file and exchanges the TAB
// positions of two objects, rewriting the file. A view over a TabSession, which holds the file.
class TabPanel : public ModePanel
{
    Q_OBJECT

public:
    // Every file of the mode is read and written through `files`.
    explicit TabPanel(Platform &platform, FileSteps &files, QWidget *parent);

    // Start-up: lists the program files of the Samples folder, and follows that folder.
    void load() override;
    // TabChange chosen: says once what keeps the Samples folder from being listed, and every
    // time what interrupted writes left there: backups, offering to restore those whose
    // program is gone, and the files Brindle noted as its own, offering to remove them. The
    // action button is not used in this mode.
    void enterMode() override;
    void leaveMode() override;
    // RESET while this panel is shown.
    void reset() override;
    void actionClicked() override;
    // With TAB changes not yet written, asks whether to write them.
    bool confirmClose() override;
    // Where the form picture finds the device screen to draw as a guide.
    void setDeviceScreen(std::function<FormPlace::Screen()> screen);
    // Called again and again while a write of the mode waits for another Brindle window that
    // writes the same file: after a moment a box says so, and Cancel gives up the wait (the
    // change then stays held, to be written later). False once the wait is given up.
    bool keepWaiting();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // What became of the changes not yet written when the user goes on to another file or
    // closes Brindle: settled (none, written, or left unwritten by No) so the user goes on,
    // kept (Cancel, or the write failed) so the present choice stays, or dropped since the
    // file changed on disk.
    enum class Settled { GoOn, Kept, Dropped };

    // The controls, in the order of the design (which is the order of the Tab chain).
    void makeSelectors();
    void makeTables();
    void arrangeControls();
    void connectSelectors();
    void makeListActions();
    void makeOrderButtons();
    // A hidden string table over lines held by the session.
    QListView *makeTable(const char *name, LineModel *model, int left, int top, int width);

    // The user picks a program file, a form, an object, a new TAB position.
    void programActivated();
    void openProgram();
    void showPickFailure(const QString &name, const SectionReader::Failure &failure);
    void chooseForm(int row);
    void selectObject(int row);
    void chooseNewTab(int row);
    // The current object of the list takes the position `step` away from its own, as if
    // chosen in the new-position selector.
    void shiftObject(int step);
    // An object dragged within the list and dropped takes the position it was dropped at.
    void dropObject(int row, int position);

    void showForms();
    void showObjects();
    // The confirmation of a change held in the session, then the write or not, the refresh
    // and the note of what became of the change.
    void confirmChange();
    // The name of the form listed: the one chosen, or the file's only one; empty when none.
    QString formName() const;
    // The form picture: opening it, following its order in the object list, applying it.
    void showFormPicture();
    void previewOrder(const QList<int> &order);
    void applyOrder(const QList<int> &order);
    // The objects of the form in rows by their places, confirmed as a TAB change.
    void orderByPosition();
    // Undoes / redoes the last written TAB change of the file, without a question.
    void undoTab();
    void redoTab();
    void stepHistory(bool back);
    // The file changed outside Brindle, so its history is gone: says so and clears the panel.
    void historyDropped(bool back, const QString &why);
    // Undo and redo are offered while the file has steps and no change waits to be written.
    void showHistory();
    // Writes the changes held; false when nothing is held any more (the file changed on
    // disk), so the panel is cleared.
    bool writeChanges();
    // Asks whether the changes not yet written go to the file, and writes them on Yes.
    Settled settlePending();
    void showChange();
    void clearShown();
    // No file is shown: the form selector and the object count go.
    void hideFileControls();

    void hideSelection();
    // The object count under "Objects' Number", after a listing.
    void showObjectCount();
    // Tells of what interrupted writes left in the Samples folder and asks about it.
    void offerLeftoverBackups();
    void answerOffer(const LeftoverBackups::Offer &offer, const QString &samples);
    // Lists a program file that appeared (restored), picking nothing.
    void listProgram(const QString &name);
    void listPrograms();
    // Watches the Samples folder once it is there.
    void followSamples();
    QString programPath(const QString &name) const;

    Platform &m_platform;
    FileSteps &m_files;
    TabSession m_session{m_files};
    TabHistory m_history{m_files};
    // False while the panel looks for leftovers: then it does not wait for another window.
    bool m_waitForOthers = true;

    QLabel *m_programCaption = nullptr;
    QComboBox *m_programBox = nullptr;
    QLabel *m_numberCaption = nullptr;
    QLabel *m_nameLabel = nullptr;
    QLabel *m_numberLabel = nullptr;
    QLabel *m_newTabCaption = nullptr;
    QComboBox *m_newTabBox = nullptr;
    QLabel *m_objectsCaption = nullptr;
    QListView *m_objectList = nullptr;
    QListView *m_sectionTable = nullptr;
    QListView *m_movedTable = nullptr;
    QListView *m_targetTable = nullptr;
    QListView *m_newSectionTable = nullptr;
    QListView *m_scratchTable = nullptr;
    QComboBox *m_formBox = nullptr;
    QLabel *m_formCaption = nullptr;
    QPushButton *m_byPositionButton = nullptr;
    QPushButton *m_undoButton = nullptr;
    QAction *m_undoAction = nullptr;
    QAction *m_redoAction = nullptr;

    ObjectModel *m_objects = nullptr;
    FormModel *m_forms = nullptr;
    LineModel *m_section = nullptr;
    LineModel *m_moved = nullptr;
    LineModel *m_target = nullptr;
    LineModel *m_newSection = nullptr;
    LineModel *m_scratch = nullptr;

    // The file name the session holds (as listed in m_programBox); empty when none.
    QString m_programName;
    // Browsing the closed program list with the arrow keys opens a file only once the user
    // stops on it.
    QTimer *m_browseTimer = nullptr;
    bool m_keyBrowsing = false;
    QFileSystemWatcher *m_samplesWatcher = nullptr;
    bool m_samplesChecked = false;
    std::function<FormPlace::Screen()> m_deviceScreen;
    QPointer<FormPicture> m_picture;
};
