#pragma once

#include <functional>

#include "modepanel.h"
#include "result.h"
#include "snippetstore.h"

#include <QByteArray>

#include <memory>

class Platform;
class QAction;
class QComboBox;
class QLabel;
class QKeyEvent;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TitleFilter;
class TitleModel;

// The panel of mode "Keyword/ErrorCode": the reference tables, each constant's value and
// meaning, and the user's stored code snippets (listed, shown, added, edited, deleted).
//
// objectName     member            what it shows
// Picture1       (the panel)       the whole mode
// CboCode        m_categoryBox     the categories, then the stored titles; the title typed
// KeyType        m_promptLabel     what to do next ("Keyword", " Code's Title", ...)
// CodeBut        m_addButton       "Add Code", shown once the stored titles are asked for
// KeyFilter      m_filterEdit      filters the table or the titles; with none chosen, finds all
// CodeBox        m_codeBox         a reference table, or a snippet's code
// KeyInfo        m_infoLabel       the value and meaning of the constant at the cursor
// Textocopy      m_storedList      the bar-separated list last stored
// EditSnippet    m_editAction      puts the shown snippet in the boxes to be changed
// DeleteSnippet  m_deleteAction    removes the shown snippet, after asking
// UndoSnippetChange m_undoAction   puts the file back as before the last store, edit or delete
// RedoSnippetChange m_redoAction   makes the change undone again
class LibraryPanel : public ModePanel
{
    Q_OBJECT

public:
    // The most entries a search over everything lists in the code box; a line after them says
    // how many more there are.
    static constexpr qsizetype foundShownAtMost = 500;

    LibraryPanel(Platform &platform, QWidget *parent);

    // Start-up: fills the category list.
    void load() override;
    // Entering mode 1.
    void enterMode() override;
    void leaveMode() override;
    // RESET while this panel is shown.
    void reset() override;
    // "Copy Key", "COPY CODE" or "Store Code", by the panel's state; an empty caption does
    // nothing.
    void actionClicked() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void makeControls();
    void makeSnippetActions();
    void connectControls();

    // What the action button does: its states while browsing, with titles listed, with a
    // snippet shown and while a snippet is entered.
    enum class Step { CopyKey, Nothing, CopyCode, Store };
    void setStep(Step step, bool enabled);

    // A choice in the category and title list, by its row in the whole list.
    void chooseEntry(int position);
    // "Add Code": prepares the title field and the code box for a new snippet.
    void startNewSnippet();
    // The action button's operations in this mode.
    void storeSnippet();
    void copyCode();
    // Puts the highlighted text into the copy carrier; false when nothing was put there.
    bool copyKey();

    // Appends the items of a bar-separated list to the code box, one per line, and empties it.
    void showList(QString &list);
    // Appends the stored titles to the list, or tells that there are none.
    void listStoredTitles();
    // Shows the snippet of the entry a title's row stands for.
    void showSnippet(int position);
    // Whether a store may go on under this title: when other entries have it already, the user
    // is told and asked.
    bool acceptRepeatedTitle(const QString &title);

    // The snippet actions, and undo and redo of the changes they made to the file.
    void editSnippet();
    void deleteSnippet();
    void undoChange();
    void redoChange();
    // After an undo or redo: the boxes as the step left the file.
    void showAfterStep();
    void replaceEditedSnippet(const QString &title, const QString &code);
    // Tells what a change of the stored-code file came to, its verb ("stored", "deleted") in
    // the words of a change not made; true when the file holds the change, and the list then
    // follows the file.
    bool written(const SnippetStore::Change &change, const QString &verb);
    // After a change: the boxes are emptied and the panel is back to browsing.
    void backToBrowsing();
    // What the window does while a write waits for another window's lock.
    std::function<bool()> waitForOtherWindow();
    void showCodeMenu(const QPoint &at);
    void updateSnippetActions();
    // Whether Ctrl+Z or Ctrl+Shift+Z in a text box goes to the stored-code file's changes: only
    // when the box has no typing of its own to undo or redo.
    bool reachesStore(QObject *watched, const QKeyEvent *key) const;

    void applyFilter();
    // With no category chosen: what every table and the stored code hold of the text, one
    // entry a line, or a line saying that nothing does.
    void showFound(const QString &text);
    void showInfo();
    // A table is for reading: Tab leaves it. A snippet's code is edited: Tab indents.
    void setCodeEditable(bool editable);

    // The stored-code file below the current folder, and the changes made to it.
    SnippetStore &store();
    // "*MY CODE*" chosen again: the listed titles follow the file when it changed since.
    void relistChangedTitles();

    Platform &m_platform;
    Step m_step = Step::CopyKey;

    QComboBox *m_categoryBox = nullptr;
    TitleModel *m_titles = nullptr;
    TitleFilter *m_shownTitles = nullptr;
    QLabel *m_promptLabel = nullptr;
    QPushButton *m_addButton = nullptr;
    QLineEdit *m_filterEdit = nullptr;
    QPlainTextEdit *m_codeBox = nullptr;
    QLabel *m_infoLabel = nullptr;
    QLineEdit *m_storedList = nullptr;
    QAction *m_editAction = nullptr;
    QAction *m_deleteAction = nullptr;
    QAction *m_undoAction = nullptr;
    QAction *m_redoAction = nullptr;

    // The bar-separated list about to be shown in the code box.
    QString m_itemList;
    // The row last chosen in the list: a reference table (0 to 7), "*MY CODE*" or a title.
    int m_shownPosition = -1;

    // The snippet shown is being edited: "Store Code" replaces it instead of appending.
    bool m_editing = false;
    std::unique_ptr<SnippetStore> m_store;
};
