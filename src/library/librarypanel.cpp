#include "librarypanel.h"

#include "controls.h"
#include "librarysearch.h"
#include "paths.h"
#include "platform.h"
#include "referencetables.h"
#include "snippetedits.h"
#include "storedcode.h"
#include "textfile.h"
#include "titlefilter.h"
#include "titlemodel.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextBlock>
#include <QTextDocument>

using namespace Controls;

namespace {

const QString keyword = QStringLiteral("Keyword");
const QString codesTitle = QStringLiteral(" Code's Title");

constexpr int shownHeight = 4320; // twips
// Hidden, the panel keeps a strip of the design's height rather than none, as designed.
constexpr int hiddenHeight = 195;

QString storedCodePath()
{
    return Paths::at(QLatin1String(StoredCode::relativePath));
}

// The stored-code file as notes name it: "MyCode.Txt".
QString storedCodeName()
{
    return QFileInfo(QLatin1String(StoredCode::relativePath)).fileName();
}

// A title as notes quote it: 'Tidy'.
QString quoted(const QString &title)
{
    return QLatin1Char('\'') + title + QLatin1Char('\'');
}

const QString valueAndMeaning = QStringLiteral("Value and meaning");

// A snippet's code as typed: its list with each "|" a line break, so that storing it unchanged
// gives back the same list, a final "|" included.
QString codeOfList(QString list)
{
    return list.replace(QLatin1Char('|'), QLatin1String(TextFile::lineEnd));
}

} // namespace

LibraryPanel::LibraryPanel(Platform &platform, QWidget *parent)
    : ModePanel(parent), m_platform(platform)
{
    setObjectName(QStringLiteral("Picture1"));
    setModeGeometry(QRect(60, 360, 3855, shownHeight), QRect(60, 360, 3855, hiddenHeight));
    setAutoFillBackground(true);
    setFrameShape(QFrame::StyledPanel);
    makeControls();
    hide();

    // The natural order: the list, "Add Code", the filter, then the box.
    setTabOrder(m_categoryBox, m_addButton);
    setTabOrder(m_addButton, m_filterEdit);
    setTabOrder(m_filterEdit, m_codeBox);

    makeSnippetActions();
    connectControls();
}

void LibraryPanel::makeControls()
{
    // The list box lies under the code box and the value label at design: drawn below them,
    // it is never reached with Tab.
    m_storedList = make<QLineEdit>(this, "Textocopy", {}, {540, 3840, 2835, 315});
    m_storedList->setFocusPolicy(Qt::NoFocus);
    m_categoryBox = make<QComboBox>(this, "CboCode", {}, {120, 120, 3675, 315});
    makeEditableList(m_categoryBox);
    m_titles = new TitleModel(this);
    m_shownTitles = new TitleFilter(ReferenceTables::categoryCount, this);
    // The filter stands between the list and its titles only while a filter text is typed:
    // a long list is not mapped row by row for nothing.
    m_categoryBox->setModel(m_titles);
    m_categoryBox->setAccessibleName(QStringLiteral("Category or code's title"));
    m_categoryBox->view()->setAccessibleName(QStringLiteral("Categories and stored titles"));
    m_promptLabel = make<QLabel>(this, "KeyType", {}, {120, 540, 2655, 255});
    setDesignFont(m_promptLabel, 8.25, true);
    m_addButton =
        make<QPushButton>(this, "CodeBut", QStringLiteral("Add Code"), {2820, 540, 975, 315});
    m_addButton->hide();
    m_filterEdit = make<QLineEdit>(this, "KeyFilter", {}, {120, 900, 3675, 315});
    m_filterEdit->setPlaceholderText(QStringLiteral("Filter"));
    m_filterEdit->setAccessibleName(QStringLiteral("Filter the list shown"));
    m_codeBox = make<QPlainTextEdit>(this, "CodeBox", {}, {120, 1260, 3675, 2535});
    m_codeBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_codeBox->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_codeBox->setAccessibleName(QStringLiteral("Keywords and code"));
    m_codeBox->setContextMenuPolicy(Qt::CustomContextMenu);
    m_infoLabel = make<QLabel>(this, "KeyInfo", {}, {120, 3840, 3675, 420});
    m_infoLabel->setWordWrap(true);
    m_infoLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_infoLabel->setAutoFillBackground(true);
    m_infoLabel->setAccessibleName(valueAndMeaning);
    m_infoLabel->setAccessibleDescription(
        QStringLiteral("The value and meaning of the constant at the cursor"));
    m_infoLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
}

void LibraryPanel::makeSnippetActions()
{
    const auto makeAction = [this](const char *name, const QString &text,
                                   const QList<QKeySequence> &keys, void (LibraryPanel::*run)()) {
        auto *action = new QAction(text, this);
        action->setObjectName(QLatin1String(name));
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
        connect(action, &QAction::triggered, this, run);
        return action;
    };
    m_editAction = makeAction("EditSnippet", QStringLiteral("Edit this code"),
                              {QKeySequence(Qt::CTRL | Qt::Key_E)}, &LibraryPanel::editSnippet);
    m_deleteAction = makeAction("DeleteSnippet", QStringLiteral("Delete this code"),
                                {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete)},
                                &LibraryPanel::deleteSnippet);
    // Anywhere in the panel; in a text box only once the box has no typing of its own to undo.
    m_undoAction =
        makeAction("UndoSnippetChange", QStringLiteral("Undo the last store, edit or delete"),
                   QKeySequence::keyBindings(QKeySequence::Undo), &LibraryPanel::undoChange);
    m_redoAction =
        makeAction("RedoSnippetChange", QStringLiteral("Redo the change undone"),
                   QKeySequence::keyBindings(QKeySequence::Redo), &LibraryPanel::redoChange);
    updateSnippetActions();
}

void LibraryPanel::connectControls()
{
    connect(m_categoryBox, &QComboBox::activated, this, [this](int shownRow) {
        chooseEntry(m_categoryBox->model() == m_shownTitles ? m_shownTitles->sourceRow(shownRow)
                                                            : shownRow);
    });
    // The key works while the button is shown.
    auto *addKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_N), m_addButton);
    connect(addKey, &QShortcut::activated, m_addButton, &QAbstractButton::click);
    m_addButton->setToolTip(QStringLiteral("Add Code (%1): starts a new snippet, its title typed "
                                           "in the list's field and its code in the box")
                                .arg(addKey->key().toString(QKeySequence::NativeText)));
    connect(m_addButton, &QPushButton::clicked, this, &LibraryPanel::startNewSnippet);
    connect(m_filterEdit, &QLineEdit::textChanged, this, &LibraryPanel::applyFilter);
    connect(m_codeBox, &QPlainTextEdit::cursorPositionChanged, this, &LibraryPanel::showInfo);
    connect(m_codeBox, &QPlainTextEdit::selectionChanged, this, &LibraryPanel::showInfo);
    connect(m_codeBox, &QWidget::customContextMenuRequested, this, &LibraryPanel::showCodeMenu);
    // The title field is the combo box's own: a key reaches the field or the box first.
    for (QObject *box : std::initializer_list<QObject *>{m_categoryBox, m_categoryBox->lineEdit(),
                                                         m_filterEdit, m_codeBox})
        box->installEventFilter(this);
}

void LibraryPanel::load()
{
    for (int i = 0; i < ReferenceTables::categoryCount; ++i)
        m_titles->appendText(ReferenceTables::category(i));
    // Filling the list picks nothing: the title field stays empty.
    m_categoryBox->setCurrentIndex(-1);
    m_categoryBox->setEditText(QString());
}

void LibraryPanel::setStep(Step step, bool enabled)
{
    static const QString captions[] = {QStringLiteral("Copy Key"), QString(),
                                       QStringLiteral("COPY CODE"), QStringLiteral("Store Code")};
    static const QString tips[] = {
        QStringLiteral("Puts the highlighted keyword on the clipboard"), QString(),
        QStringLiteral("Puts the code shown on the clipboard"),
        QStringLiteral("Stores the title and the code in ") + storedCodeName()};
    m_step = step;
    setAction(captions[int(step)], enabled, tips[int(step)]);
    updateSnippetActions();
}

void LibraryPanel::enterMode()
{
    showForMode();
    setStep(Step::CopyKey, true);
    m_promptLabel->setText(keyword);
    // The search over everything uses the filter's index of the stored code: it is built once
    // the mode shows, before a key can be typed.
    QMetaObject::invokeMethod(
        m_shownTitles,
        [this] {
            if (const Result<QByteArray> file = store().read())
                m_shownTitles->prepare(file.value());
        },
        Qt::QueuedConnection);
}

void LibraryPanel::leaveMode()
{
    hideForMode();
}

void LibraryPanel::actionClicked()
{
    switch (m_step) {
    case Step::Store:
        storeSnippet();
        break;
    case Step::CopyCode:
        copyCode();
        // An empty text would only wipe what the user copied before.
        if (!copyText().isEmpty()) {
            m_platform.setClipboardText(copyText());
            note(copiedNote(copyText()));
        } else {
            note(QStringLiteral("Nothing copied: the code shown is empty"));
        }
        break;
    case Step::CopyKey:
        if (copyKey())
            m_platform.setClipboardText(copyText());
        break;
    case Step::Nothing:
        break;
    }
}

void LibraryPanel::chooseEntry(int position)
{
    m_codeBox->clear();
    m_itemList.clear();
    store().hide();
    // Another choice ends an edit: a store from here appends, as after "Add Code".
    m_editing = false;
    m_shownPosition = position;
    m_codeBox->setLineWrapMode(QPlainTextEdit::NoWrap);
    setCodeEditable(position >= ReferenceTables::tableCount);
    if (position < 0) {
        updateSnippetActions();
        return;
    }
    if (position < ReferenceTables::tableCount) {
        m_itemList = ReferenceTables::filtered(position, m_filterEdit->text()).join(u'|');
        showList(m_itemList);
    } else if (position == ReferenceTables::myCodePosition) {
        if (m_titles->rowCount() != ReferenceTables::categoryCount) {
            relistChangedTitles();
            updateSnippetActions();
            return;
        }
        listStoredTitles();
        m_promptLabel->setText(QStringLiteral("Dropdown again for stored code or..."));
        setStep(Step::Nothing, action().enabled);
        m_addButton->show();
    } else {
        showSnippet(position);
    }
    updateSnippetActions();
}

void LibraryPanel::showList(QString &list)
{
    appendPlainText(m_codeBox, StoredCode::listToLines(list));
    // Show the list from its top, with the cursor there, as a box whose text was just set.
    m_codeBox->moveCursor(QTextCursor::Start);
    // What the program put there is no typing to undo.
    m_codeBox->document()->clearUndoRedoStacks();
    list.clear();
}

void LibraryPanel::listStoredTitles()
{
    const QString path = storedCodePath();
    if (!StoredCode::exists(path)) {
        m_platform.messageBox(QStringLiteral("No code's items available"));
        return;
    }
    const Result<QByteArray> file = store().read();
    if (!file) {
        m_platform.messageBox(QStringLiteral("The stored code in ") + path +
                              QStringLiteral(" cannot be read, so no title is listed.\r\n") +
                              file.message());
        return;
    }
    // Rows of one height let the list's popup lay out many titles without decoding them.
    if (auto *popup = qobject_cast<QListView *>(m_categoryBox->view()))
        popup->setUniformItemSizes(true);
    m_titles->appendTitles(file.value());
    applyFilter();
    // The filter's index is built once the titles show, before a key can be typed.
    QMetaObject::invokeMethod(
        m_shownTitles, [filter = m_shownTitles, bytes = file.value()] { filter->prepare(bytes); },
        Qt::QueuedConnection);
    if (const std::optional<QString> cut = StoredCode::cutTitle(file.value()))
        m_platform.messageBox(StoredCode::cutMessage(path, *cut));
}

void LibraryPanel::showSnippet(int position)
{
    store().show({m_categoryBox->currentText(), m_titles->repeatsAfter(position)});
    m_itemList = QString::fromLocal8Bit(store().shownList());
    setStep(Step::CopyCode, true);
    showList(m_itemList);
}

void LibraryPanel::relistChangedTitles()
{
    const Result<QByteArray> file = store().read();
    if (!file || m_titles->listsTitlesOf(ReferenceTables::categoryCount, file.value()))
        return;
    m_titles->replaceTitles(ReferenceTables::categoryCount, file.value());
    applyFilter();
    // The categories come first in the list, filtered or not: "*MY CODE*" stays chosen.
    m_categoryBox->setCurrentIndex(ReferenceTables::myCodePosition);
    if (const std::optional<QString> cut = StoredCode::cutTitle(file.value()))
        m_platform.messageBox(StoredCode::cutMessage(storedCodePath(), *cut));
}

SnippetStore &LibraryPanel::store()
{
    // The file lies below the current folder at the moment of use: another folder's file has
    // changes of its own to undo.
    if (!m_store || m_store->path() != storedCodePath()) {
        m_store = std::make_unique<SnippetStore>(storedCodePath());
        m_store->setWhileWaiting(waitForOtherWindow());
    }
    return *m_store;
}

void LibraryPanel::startNewSnippet()
{
    m_editing = false;
    store().hide();
    m_categoryBox->setEditText(QString());
    // No category is chosen any more: the filter searches everything again.
    m_shownPosition = -1;
    m_codeBox->clear();
    setCodeEditable(true);
    m_promptLabel->setText(codesTitle);
    setStep(Step::Store, true);
}

void LibraryPanel::storeSnippet()
{
    const QString title = StoredCode::singleLineTitle(m_categoryBox->currentText());
    const QString code = plainText(m_codeBox);
    // An edit keeps the bytes of what it leaves as it was, also those the code page cannot
    // show; what it writes anew is checked as it is written.
    const Result<> storable =
        m_editing ? StoredCode::fitsLayout(title, code) : StoredCode::storable(title, code);
    if (!storable) {
        // Stored, it would read back altered: keep what the user typed so it can be mended.
        m_platform.messageBox(storable.message() + QStringLiteral("\r\nNothing was stored."));
        note(QStringLiteral("Nothing stored: ") + storable.message());
        return;
    }
    if (!acceptRepeatedTitle(title))
        return;
    if (m_editing) {
        replaceEditedSnippet(title, code);
        return;
    }
    m_storedList->setText(StoredCode::codeToList(code));
    const Result<QByteArray> stored = store().add(StoredCode::entry(title, m_storedList->text()));
    m_platform.endWaiting();
    if (!stored) {
        // Nothing was stored: keep what the user typed and the "Store Code" state for a retry.
        m_platform.messageBox(QStringLiteral("Error ") + stored.message());
        note(QStringLiteral("Nothing stored: ") + stored.message());
        return;
    }
    m_titles->appendText(title);
    backToBrowsing();
    note(QStringLiteral("Stored ") + quoted(title) + QStringLiteral(" in ") + storedCodeName());
}

bool LibraryPanel::acceptRepeatedTitle(const QString &title)
{
    // An edit that keeps its title repeats nothing.
    if (m_editing && store().shown() && store().shown()->title == title)
        return true;
    const Result<QByteArray> file = store().read();
    if (!file || StoredCode::titleCount(file.value(), title) == 0)
        return true;
    // Declined, nothing is stored and what the user typed stays for another title.
    return m_platform.messageBox(
               QStringLiteral("A code is already stored under the title \"") + title +
                   QStringLiteral("\". Store this code as well, under the same title?"),
               Platform::YesNo + Platform::Exclamation) == Platform::Yes;
}

void LibraryPanel::replaceEditedSnippet(const QString &title, const QString &code)
{
    const QString wasTitle = store().shown() ? store().shown()->title : QString();
    const QString list = StoredCode::codeToList(code);
    // A refusal keeps what the user typed and the "Store Code" state.
    if (!written(store().edit(title, list), QStringLiteral("stored")))
        return;
    note(title == wasTitle ? QStringLiteral("Stored the change to ") + quoted(title) +
                                 QStringLiteral(" in ") + storedCodeName()
                           : QStringLiteral("Stored ") + quoted(title) +
                                 QStringLiteral(" in place of ") + quoted(wasTitle));
    m_storedList->setText(list);
    backToBrowsing();
}

std::function<bool()> LibraryPanel::waitForOtherWindow()
{
    // A write waits for another Brindle window that writes MyCode.Txt; after a moment a box
    // says so, and Cancel gives the wait up.
    return [this] {
        return m_platform.keepWaiting(
            QStringLiteral("Waiting for another Brindle window to finish writing MyCode.Txt..."));
    };
}

bool LibraryPanel::written(const SnippetStore::Change &change, const QString &verb)
{
    using Kind = SnippetStore::Change::Kind;
    m_platform.endWaiting();
    const QString nothing = QStringLiteral("Nothing ") + verb + QStringLiteral(": ");
    if (change.kind == Kind::Invalid) {
        m_platform.messageBox(change.message + QStringLiteral("\r\nNothing was ") + verb +
                              QLatin1Char('.'));
        note(nothing + change.message);
        return false;
    }
    // Refused, or written with only its backup left behind: the user is told either way.
    if (!change.message.isEmpty())
        m_platform.messageBox(change.message);
    if (change.kind == Kind::Refused)
        note(nothing + storedCodeName() + QStringLiteral(" is unchanged"));
    if (!change.written()) {
        updateSnippetActions();
        return false;
    }
    // The list follows the file as now written; the filter stays as typed.
    m_titles->replaceTitles(ReferenceTables::categoryCount, store().snippets());
    applyFilter();
    return true;
}

void LibraryPanel::backToBrowsing()
{
    m_editing = false;
    m_categoryBox->setEditText(QString());
    m_codeBox->clear();
    m_promptLabel->setText(keyword);
    setStep(Step::CopyKey, action().enabled);
}

void LibraryPanel::editSnippet()
{
    if (!store().shown() || m_step != Step::CopyCode)
        return;
    m_editing = true;
    const QString title = store().shown()->title;
    setPlainText(m_codeBox, codeOfList(QString::fromLocal8Bit(store().shownList())));
    m_categoryBox->setEditText(title);
    setCodeEditable(true);
    m_promptLabel->setText(codesTitle);
    setStep(Step::Store, true);
    m_codeBox->setFocus();
    note(QStringLiteral("Editing ") + quoted(title) + QStringLiteral(": Store Code stores it"));
}

void LibraryPanel::deleteSnippet()
{
    if (!store().shown() || m_step != Step::CopyCode)
        return;
    const QString title = store().shown()->title;
    if (m_platform.messageBox(QStringLiteral("Delete the code stored under the title \"") + title +
                                  QStringLiteral("\"?"),
                              Platform::YesNo + Platform::Question + Platform::DefaultButton2) !=
        Platform::Yes) {
        note(quoted(title) + QStringLiteral(" was not deleted"));
        return;
    }
    if (!written(store().remove(), QStringLiteral("deleted")))
        return;
    note(QStringLiteral("Deleted ") + quoted(title) + QStringLiteral(" from ") + storedCodeName());
    backToBrowsing();
}

void LibraryPanel::undoChange()
{
    if (!written(store().undo(), QStringLiteral("undone")))
        return;
    note(QStringLiteral("Undid the last change to ") + storedCodeName());
    showAfterStep();
}

void LibraryPanel::redoChange()
{
    if (!written(store().redo(), QStringLiteral("redone")))
        return;
    note(QStringLiteral("Redid the change undone in ") + storedCodeName());
    showAfterStep();
}

void LibraryPanel::showAfterStep()
{
    // A new snippet being typed is appended to whatever the file holds: what the user typed
    // stays. A snippet shown or edited may be gone from the file.
    if (m_step == Step::Store && !m_editing)
        updateSnippetActions();
    else
        backToBrowsing();
}

void LibraryPanel::updateSnippetActions()
{
    const bool shown = store().shown().has_value() && m_step == Step::CopyCode;
    m_editAction->setEnabled(shown);
    m_deleteAction->setEnabled(shown);
    m_undoAction->setEnabled(store().canUndo());
    m_redoAction->setEnabled(store().canRedo());
}

void LibraryPanel::showCodeMenu(const QPoint &at)
{
    QMenu *menu = m_codeBox->createStandardContextMenu(at);
    updateSnippetActions();
    QList<QAction *> added;
    for (QAction *action : {m_editAction, m_deleteAction, m_undoAction, m_redoAction}) {
        if (action->isEnabled())
            added.append(action);
    }
    if (!added.isEmpty()) {
        menu->addSeparator();
        menu->addActions(added);
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(m_codeBox->viewport()->mapToGlobal(at));
}

void LibraryPanel::applyFilter()
{
    const QString text = m_filterEdit->text();
    if (m_shownPosition < 0) {
        showFound(text);
        return;
    }
    if (m_shownPosition < ReferenceTables::tableCount) {
        m_codeBox->clear();
        m_itemList = ReferenceTables::filtered(m_shownPosition, text).join(u'|');
        showList(m_itemList);
        return;
    }
    if (m_titles->rowCount() == ReferenceTables::categoryCount)
        return;
    // Nothing to filter, nothing filtered: the list stays as it is, however long.
    const bool filtering = m_categoryBox->model() == m_shownTitles;
    if (text.isEmpty() && !filtering)
        return;
    // What the user typed in the title field stays there while the list is filtered.
    const QString typed = m_categoryBox->currentText();
    if (text.isEmpty()) {
        m_categoryBox->setModel(m_titles);
        m_shownTitles->setSourceModel(nullptr);
    } else {
        const Result<QByteArray> file = store().read();
        if (!filtering)
            m_shownTitles->setSourceModel(m_titles);
        m_shownTitles->setFilter(text, file ? file.value() : QByteArray());
        if (!filtering)
            m_categoryBox->setModel(m_shownTitles);
    }
    m_categoryBox->setCurrentIndex(-1);
    m_categoryBox->setEditText(typed);
}

void LibraryPanel::showFound(const QString &text)
{
    m_codeBox->clear();
    if (text.isEmpty())
        return;
    setCodeEditable(false);
    // An entry found is long, its table's heading first: wrapped, it is read whole.
    m_codeBox->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    const Result<QByteArray> file = store().read();
    const QByteArray bytes = file ? file.value() : QByteArray();
    // A short text can match a whole large library: the box lists the first entries found and
    // says how many more there are, so that each key stays instant; more letters narrow it.
    LibrarySearch::Found found =
        LibrarySearch::found(text, m_shownTitles->indexFor(bytes), foundShownAtMost);
    QStringList &lines = found.lines;
    if (lines.isEmpty())
        lines.append(QStringLiteral("No constant, error code or stored code holds \"") + text +
                     QStringLiteral("\"."));
    if (found.more > 0)
        lines.append(QStringLiteral("... and ") + QString::number(found.more) +
                     QStringLiteral(" more. Type more of the text to narrow the search."));
    // Set as lines, not as a bar-separated list: a title or the typed text may hold a "|".
    setPlainText(m_codeBox, lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    m_codeBox->moveCursor(QTextCursor::Start);
    m_codeBox->document()->clearUndoRedoStacks();
}

void LibraryPanel::showInfo()
{
    if (m_shownPosition < 0 || m_shownPosition >= ReferenceTables::errorCodesPosition) {
        m_infoLabel->clear();
        m_infoLabel->setAccessibleName(valueAndMeaning);
        return;
    }
    const QTextCursor cursor = m_codeBox->textCursor();
    QString name = cursor.selectedText().trimmed();
    if (name.isEmpty())
        name = cursor.block().text().trimmed();
    const QString info = ReferenceTables::describe(name);
    m_infoLabel->setText(info);
    // A screen reader speaks the whole value line, not only what kind of line it is.
    m_infoLabel->setAccessibleName(info.isEmpty() ? valueAndMeaning : info);
}

void LibraryPanel::setCodeEditable(bool editable)
{
    m_codeBox->setReadOnly(!editable);
    m_codeBox->setTabChangesFocus(!editable);
    // The read-only box still shows where the cursor is, for highlighting with the keys.
    m_codeBox->setTextInteractionFlags(editable ? Qt::TextEditorInteraction
                                                : Qt::TextSelectableByMouse |
                                                      Qt::TextSelectableByKeyboard);
}

bool LibraryPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride &&
        reachesStore(watched, static_cast<QKeyEvent *>(event))) {
        // Not taken by the box: the key goes on to the panel's undo or redo.
        event->ignore();
        return true;
    }
    if (event->type() != QEvent::KeyPress)
        return ModePanel::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    // Escape empties the filter, which shows the whole table again.
    if (watched == m_filterEdit && key->key() == Qt::Key_Escape &&
        !m_filterEdit->text().isEmpty()) {
        m_filterEdit->clear();
        return true;
    }
    // In editable code Tab indents; Ctrl+Tab and Ctrl+Shift+Tab leave the box.
    if (watched == m_codeBox && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
        key->modifiers().testFlag(Qt::ControlModifier)) {
        focusNextPrevChild(key->key() == Qt::Key_Tab &&
                           !key->modifiers().testFlag(Qt::ShiftModifier));
        return true;
    }
    return ModePanel::eventFilter(watched, event);
}

bool LibraryPanel::reachesStore(QObject *watched, const QKeyEvent *key) const
{
    const bool undo = key->matches(QKeySequence::Undo) && m_undoAction->isEnabled();
    const bool redo = key->matches(QKeySequence::Redo) && m_redoAction->isEnabled();
    if (!undo && !redo)
        return false;
    if (watched == m_codeBox) {
        const QTextDocument *typed = m_codeBox->document();
        return undo ? !typed->isUndoAvailable() : !typed->isRedoAvailable();
    }
    QLineEdit *title = m_categoryBox->lineEdit();
    const QLineEdit *field = watched == m_categoryBox || watched == title ? title
                             : watched == m_filterEdit                    ? m_filterEdit
                                                                          : nullptr;
    return field && (undo ? !field->isUndoAvailable() : !field->isRedoAvailable());
}

bool LibraryPanel::copyKey()
{
    // The error codes are for reading: what is shown decides, not the title field's text.
    if (m_shownPosition == ReferenceTables::errorCodesPosition) {
        note(QStringLiteral("Nothing copied: error codes are for reading"));
        return false;
    }
    const QString key = selectedText(m_codeBox);
    // Nothing highlighted: nothing to copy, and what the user copied before stays.
    if (key.isEmpty()) {
        note(QStringLiteral("Nothing copied: highlight a keyword first"));
        return false;
    }
    setCopyText(key);
    focusCopyText();
    note(key.contains(QLatin1Char('\n'))
             ? copiedNote(key)
             : QStringLiteral("Copied ") + key + QStringLiteral(" to the clipboard"));
    return true;
}

void LibraryPanel::copyCode()
{
    setCopyText(plainText(m_codeBox));
    focusCopyText();
}

void LibraryPanel::reset()
{
    m_editing = false;
    store().hide();
    m_categoryBox->setEditText(QString());
    // No category is chosen any more: the filter searches everything again.
    m_shownPosition = -1;
    m_codeBox->clear();
    m_addButton->hide();
    setStep(Step::CopyKey, true);
    m_promptLabel->setText(QStringLiteral("KeyWords"));
}
