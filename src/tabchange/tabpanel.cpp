#include "tabpanel.h"

#include "controls.h"
#include "formpicture.h"
#include "leftoverbackups.h"
#include "linemodel.h"
#include "objectmodel.h"
#include "paths.h"
#include "platform.h"
#include "taborder.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTimer>

using namespace Controls;

namespace {

constexpr int shownHeight = 4200; // twips
// Hidden, the panel goes back to its design height (195 twips), not to none: deliberate, the
// control's own geometry in the design, as the window's inventory of controls gives it to
// tools that find the controls by name and place.
constexpr int hiddenHeight = 195;
// How long the closed program list must rest on a file before it is opened.
constexpr int browseRestMs = 500;

// The snippet store lives in the Samples folder too, but is no program file.
const QString snippetStore = QStringLiteral("MyCode.Txt");

const QString kept = QStringLiteral("\r\nThe TAB change is kept in memory: the next TAB change you "
                                    "confirm with YES writes it too.");

QStringList programNames()
{
    QStringList names = Paths::samplePrograms();
    names.removeIf(
        [](const QString &name) { return name.compare(snippetStore, Qt::CaseInsensitive) == 0; });
    return names;
}

// The selected object's name as its label shows it: the name without its leading blanks,
// followed by 40 blanks that do not show. The blanks are deliberate: the label takes the
// list entry's text up to its index, so that a copy of the label gives what the entry gives.
QString nameCaption(const SectionReader::Object &object)
{
    qsizetype lead = 0;
    while (lead < object.name.size() && object.name.at(lead) == QLatin1Char(' '))
        ++lead;
    return object.name.mid(lead) + QString(40, QLatin1Char(' '));
}

} // namespace

TabPanel::TabPanel(Platform &platform, FileSteps &files, QWidget *parent)
    : ModePanel(parent), m_platform(platform), m_files(files)
{
    setObjectName(QStringLiteral("Picture3"));
    setModeGeometry(QRect(60, 420, 3855, shownHeight), QRect(60, 420, 3855, hiddenHeight));
    setAutoFillBackground(true);
    setFrameShape(QFrame::StyledPanel);
    makeSelectors();
    makeTables();
    arrangeControls();
    connectSelectors();
    makeListActions();
    makeOrderButtons();
    showHistory();
}

void TabPanel::makeSelectors()
{
    m_programCaption = make<QLabel>(this, "Label14",
                                    QStringLiteral("Select the program's code (Format .Txt only)"),
                                    {120, 0, 3675, 195});
    m_programBox = make<QComboBox>(this, "Combo2", {}, {0, 300, 3810, 315});
    m_numberCaption = make<QLabel>(this, "Label16", QStringLiteral("Object's Current TAB position"),
                                   {840, 840, 2775, 255});
    m_nameLabel = make<QLabel>(this, "Label17", {}, {0, 1140, 1875, 315});
    setSunkenWhite(m_nameLabel);
    m_numberLabel = make<QLabel>(this, "Label12", {}, {3000, 1140, 555, 315});
    setDesignFont(m_numberLabel, 9.75, true);
    m_numberLabel->setAlignment(Qt::AlignCenter);
    m_newTabCaption =
        make<QLabel>(this, "Label15", QStringLiteral("Select New Tab"), {1320, 1500, 1515, 255});
    m_newTabBox = make<QComboBox>(this, "Combo3", {}, {3000, 1440, 795, 315});
    m_objectsCaption =
        make<QLabel>(this, "Label13", QStringLiteral("Objects"), {240, 1740, 855, 255});
    m_objects = new ObjectModel(this);
    m_objectList = make<QListView>(this, "List2", {}, {1260, 1740, 2535, 1650});
    m_objectList->setModel(m_objects);
    m_objectList->setUniformItemSizes(true);
    // Entries carry their block index far to the right, out of view; keep it there, cut off
    // silently as a plain list box does.
    m_objectList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_objectList->setTextElideMode(Qt::ElideNone);
    m_objectList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_newTabBox->setModel(m_objects);
    m_newTabBox->setModelColumn(1);
    if (auto *popup = qobject_cast<QListView *>(m_newTabBox->view()))
        popup->setUniformItemSizes(true);
}

void TabPanel::makeTables()
{
    m_section = new LineModel(this);
    m_moved = new LineModel(this);
    m_target = new LineModel(this);
    m_newSection = new LineModel(this);
    m_scratch = new LineModel(this);
    m_sectionTable = makeTable("List1", m_section, 60, 1980, 1155);
    m_movedTable = makeTable("List3", m_moved, 0, 2280, 1215);
    m_targetTable = makeTable("List4", m_target, 60, 2640, 1155);
    m_newSectionTable = makeTable("List5", m_newSection, 60, 2880, 1095);
    // The scratch table is only ever cleared: blocks are collected by the session, and the
    // empty table is kept deliberately, so that the panel keeps every hidden table of its
    // design for tools that find the controls by name.
    m_scratchTable = makeTable("List0", m_scratch, 60, 3180, 1095);
    m_forms = new FormModel(this);
    m_formBox = make<QComboBox>(this, "Combo4", {}, {120, 3600, 1155, 315});
    m_formBox->setModel(m_forms);
    m_formCaption = make<QLabel>(this, "Label18", QStringLiteral("Select a form to show objects"),
                                 {1500, 3660, 2175, 195});
}

void TabPanel::arrangeControls()
{
    for (QLabel *l :
         {m_programCaption, m_numberCaption, m_newTabCaption, m_objectsCaption, m_formCaption})
        setDesignFont(l, 8.25, true);
    for (QWidget *w : std::initializer_list<QWidget *>{
             m_numberCaption, m_nameLabel, m_numberLabel, m_newTabCaption, m_newTabBox,
             m_sectionTable, m_movedTable, m_targetTable, m_newSectionTable, m_scratchTable,
             m_formBox, m_formCaption})
        w->hide();
    hide();

    // Screen readers name each box and the list by the caption beside it.
    m_programBox->setAccessibleName(m_programCaption->text());
    m_newTabBox->setAccessibleName(m_newTabCaption->text());
    m_objectList->setAccessibleName(m_objectsCaption->text());
    m_formBox->setAccessibleName(m_formCaption->text());
    // In the order of the work: the file, its form, an object, its new position; the hidden
    // tables never take the focus.
    setTabOrder(m_programBox, m_formBox);
    setTabOrder(m_formBox, m_objectList);
    setTabOrder(m_objectList, m_newTabBox);
}

void TabPanel::connectSelectors()
{
    m_browseTimer = new QTimer(this);
    m_browseTimer->setSingleShot(true);
    m_browseTimer->setInterval(browseRestMs);
    connect(m_browseTimer, &QTimer::timeout, this, &TabPanel::openProgram);
    m_programBox->installEventFilter(this);

    connect(m_programBox, &QComboBox::activated, this, &TabPanel::programActivated);
    connect(m_formBox, &QComboBox::activated, this, &TabPanel::chooseForm);
    connect(m_newTabBox, &QComboBox::activated, this, &TabPanel::chooseNewTab);
    // A click picks an object, and so does Return on the highlighted one. Merely moving the
    // current row does not, since the list makes its first row current when it gains focus.
    connect(m_objectList, &QListView::clicked, this,
            [this](const QModelIndex &index) { selectObject(index.row()); });
    connect(m_objectList, &QListView::activated, this,
            [this](const QModelIndex &index) { selectObject(index.row()); });
}

void TabPanel::makeListActions()
{
    // The form picture comes from the object list's context menu or its shortcut, which works
    // while the list is shown.
    auto *showForm = new QAction(QStringLiteral("Show the form..."), m_objectList);
    showForm->setObjectName(QStringLiteral("ShowForm"));
    showForm->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    m_objectList->addAction(showForm);
    m_objectList->setToolTip(
        QStringLiteral("The form's objects in TAB order. %1 shows the form, to click the objects "
                       "in their new order")
            .arg(showForm->shortcut().toString(QKeySequence::NativeText)));
    m_objectList->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(showForm, &QAction::triggered, this, &TabPanel::showFormPicture);
    // Alt+Up and Alt+Down give the current object the position before or after its own.
    auto *earlier = new QAction(QStringLiteral("One TAB position earlier"), m_objectList);
    earlier->setObjectName(QStringLiteral("TabEarlier"));
    earlier->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Up));
    auto *later = new QAction(QStringLiteral("One TAB position later"), m_objectList);
    later->setObjectName(QStringLiteral("TabLater"));
    later->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Down));
    for (QAction *action : {earlier, later}) {
        action->setShortcutContext(Qt::WidgetShortcut);
        m_objectList->addAction(action);
    }
    // Dragged and dropped within the list, an object takes the drop position. The change is
    // asked for once the drag has ended, not inside its drop.
    m_objectList->setDragEnabled(true);
    m_objectList->setAcceptDrops(true);
    m_objectList->setDropIndicatorShown(true);
    m_objectList->setDragDropMode(QAbstractItemView::DragDrop);
    m_objectList->setDefaultDropAction(Qt::MoveAction);
    connect(m_objects, &ObjectModel::dropped, this, &TabPanel::dropObject, Qt::QueuedConnection);
    connect(earlier, &QAction::triggered, this, [this] { shiftObject(-1); });
    connect(later, &QAction::triggered, this, [this] { shiftObject(1); });
}

void TabPanel::makeOrderButtons()
{
    // In the free room left of the object list, under its caption; made last, so that they
    // follow the design's controls in the Tab chain.
    m_byPositionButton =
        make<QPushButton>(this, "ByPosition", QStringLiteral("By position"), {60, 2100, 1095, 375});
    m_byPositionButton->setToolTip(
        QStringLiteral("Give the objects their TAB order by their places on the form: in rows "
                       "from top to bottom, left to right in each row"));
    m_byPositionButton->setEnabled(false);
    connect(m_byPositionButton, &QPushButton::clicked, this, &TabPanel::orderByPosition);
    m_undoButton =
        make<QPushButton>(this, "UndoTab", QStringLiteral("Undo"), {60, 2520, 1095, 375});
    m_undoButton->setToolTip(QStringLiteral(
        "Undo the last TAB change written to this file (Ctrl+Z); Ctrl+Shift+Z redoes it"));
    connect(m_undoButton, &QPushButton::clicked, this, &TabPanel::undoTab);
    // The keys work wherever the focus is in the panel.
    m_undoAction = new QAction(QStringLiteral("Undo TAB change"), this);
    m_undoAction->setObjectName(QStringLiteral("UndoTabKey"));
    m_undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redoAction = new QAction(QStringLiteral("Redo TAB change"), this);
    m_redoAction->setObjectName(QStringLiteral("RedoTabKey"));
    m_redoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    for (QAction *action : {m_undoAction, m_redoAction}) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
    }
    connect(m_undoAction, &QAction::triggered, this, &TabPanel::undoTab);
    connect(m_redoAction, &QAction::triggered, this, &TabPanel::redoTab);
}

QListView *TabPanel::makeTable(const char *name, LineModel *model, int left, int top, int width)
{
    auto *table = make<QListView>(this, name, {}, {left, top, width, 90});
    table->setModel(model);
    table->setUniformItemSizes(true);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setFocusPolicy(Qt::NoFocus);
    return table;
}

void TabPanel::setDeviceScreen(std::function<FormPlace::Screen()> screen)
{
    m_deviceScreen = std::move(screen);
}

bool TabPanel::keepWaiting()
{
    if (!m_waitForOthers)
        return false;
    return m_platform.keepWaiting(
        QStringLiteral("Waiting for another Brindle window to finish writing ") % m_programName %
        QStringLiteral("..."));
}

void TabPanel::load()
{
    m_programBox->addItems(programNames());
    m_programBox->setCurrentIndex(-1);
    m_samplesWatcher = new QFileSystemWatcher(this);
    connect(m_samplesWatcher, &QFileSystemWatcher::directoryChanged, this, &TabPanel::listPrograms);
    followSamples();
}

void TabPanel::followSamples()
{
    const QString samples = Paths::at(QStringLiteral("/Samples"));
    if (m_samplesWatcher && m_samplesWatcher->directories().isEmpty() &&
        QFileInfo(samples).isDir() && m_samplesWatcher->addPath(samples))
        listPrograms();
}

void TabPanel::listPrograms()
{
    QStringList names = programNames();
    // The file shown stays listed, so the changes held for it keep their name.
    if (!m_programName.isEmpty() && !names.contains(m_programName))
        names.append(m_programName);
    QStringList listed;
    for (int i = 0; i < m_programBox->count(); ++i)
        listed.append(m_programBox->itemText(i));
    if (listed == names)
        return;
    const QString current =
        m_programBox->currentIndex() >= 0 ? m_programBox->currentText() : QString();
    const QSignalBlocker blocker(m_programBox);
    m_programBox->clear();
    m_programBox->addItems(names);
    m_programBox->setCurrentIndex(current.isEmpty() ? -1 : m_programBox->findText(current));
}

void TabPanel::enterMode()
{
    showForMode();
    setAction({}, false);
    // A Samples folder made since the start is followed from now on.
    followSamples();
    if (!m_samplesChecked) {
        m_samplesChecked = true;
        const QStringList problems = Paths::samplesProblems();
        if (!problems.isEmpty())
            m_platform.messageBox(problems.join(QStringLiteral("\r\n")));
    }
    offerLeftoverBackups();
}

void TabPanel::leaveMode()
{
    hideForMode();
}

void TabPanel::actionClicked() {}

void TabPanel::offerLeftoverBackups()
{
    const QString samples = Paths::at(QStringLiteral("/Samples"));
    // Looked for under the lock that writers take, without waiting for it: while another
    // window writes in the folder, what is there is its write, no leftover, and the folder is
    // looked at the next time the mode is chosen. The questions are asked without the lock.
    m_waitForOthers = false;
    const Result<QList<LeftoverBackups::Offer>> plan = LeftoverBackups::plan(m_files, samples);
    m_waitForOthers = true;
    if (!plan)
        return;
    for (const LeftoverBackups::Offer &offer : plan.value())
        answerOffer(offer, samples);
}

void TabPanel::answerOffer(const LeftoverBackups::Offer &offer, const QString &samples)
{
    using Act = LeftoverBackups::Offer::Act;
    if (offer.act == Act::Tell) {
        m_platform.messageBox(offer.text);
        return;
    }
    const int question =
        Platform::YesNo + Platform::Question + (offer.noByDefault ? Platform::DefaultButton2 : 0);
    if (m_platform.messageBox(offer.text, question) != Platform::Yes)
        return;
    if (const Result<> done = LeftoverBackups::carryOut(m_files, samples, offer); !done)
        m_platform.messageBox(done.message());
    else if (offer.act == Act::Restore)
        listProgram(offer.program);
}

void TabPanel::listProgram(const QString &name)
{
    if (m_programBox->findText(name) >= 0)
        return;
    // Listing the restored file picks nothing.
    const int current = m_programBox->currentIndex();
    m_programBox->addItem(name);
    m_programBox->setCurrentIndex(current);
}

void TabPanel::reset()
{
    m_browseTimer->stop();
    m_session.clear();
    m_programName.clear();
    clearShown();
    m_programBox->setCurrentIndex(-1);
    hideFileControls();
}

void TabPanel::hideFileControls()
{
    m_formBox->hide();
    for (QLabel *label : {m_formCaption, m_numberLabel, m_numberCaption})
        label->hide();
}

void TabPanel::clearShown()
{
    // The tables let go of the session's lines before anything else happens.
    for (LineModel *table : {m_scratch, m_section, m_moved, m_target, m_newSection})
        table->clear();
    m_objects->clear();
    m_forms->clear();
    hideSelection();
    m_byPositionButton->setEnabled(false);
    showHistory();
}

bool TabPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_programBox || event->type() != QEvent::KeyPress ||
        m_programBox->view()->isVisible())
        return ModePanel::eventFilter(watched, event);
    switch (static_cast<QKeyEvent *>(event)->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        // The box moves to another file and says so at once (activated), within this key.
        m_keyBrowsing = true;
        QTimer::singleShot(0, this, [this] { m_keyBrowsing = false; });
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_browseTimer->isActive()) {
            m_browseTimer->stop();
            openProgram();
            return true;
        }
        break;
    default:
        break;
    }
    return ModePanel::eventFilter(watched, event);
}

void TabPanel::programActivated()
{
    if (m_keyBrowsing) {
        m_browseTimer->start();
        return;
    }
    m_browseTimer->stop();
    openProgram();
}

void TabPanel::openProgram()
{
    const QString name = m_programBox->currentText();
    if (name.isEmpty())
        return;
    if (settlePending() == Settled::Kept) {
        m_programBox->setCurrentIndex(m_programBox->findText(m_programName));
        return;
    }
    clearShown();
    if (const std::optional<SectionReader::Failure> failed = m_session.pick(programPath(name))) {
        showPickFailure(name, *failed);
        return;
    }
    m_programName = name;
    m_section->show(&m_session.lines());
    showForms();
}

void TabPanel::showPickFailure(const QString &name, const SectionReader::Failure &failure)
{
    // Nothing of the previous file stays on screen: no forms, no objects, no count.
    m_programName.clear();
    hideFileControls();
    // The layout's one-line message keeps its words; the box also says which file it is and
    // what Brindle looks for in it.
    const bool notGenerated = failure.reason == SectionReader::Failure::Reason::NotGenerated;
    m_platform.messageBox(
        failure.message, Platform::OkOnly, {},
        notGenerated ? name + QStringLiteral(" has no line holding \"Begin Gen\". Save the "
                                             "form's code in the form designer's generated "
                                             "layout: the generated part starts at the line "
                                             "holding \"Begin Gen\".")
                     : QString());
}

TabPanel::Settled TabPanel::settlePending()
{
    if (!m_session.hasPending())
        return Settled::GoOn;
    const int answer = m_platform.messageBox(
        QStringLiteral("The TAB changes made to ") + m_programName +
            QStringLiteral(" are not yet written to the file.\r\nWrite them now?"),
        Platform::YesNoCancel + Platform::Question);
    if (answer == Platform::Cancel)
        return Settled::Kept;
    if (answer != Platform::Yes || writeChanges())
        return Settled::GoOn;
    // A write that failed keeps the changes, and so the present choice; changes the file no
    // longer matches were dropped, with a word.
    return m_session.isOpen() ? Settled::Kept : Settled::Dropped;
}

bool TabPanel::confirmClose()
{
    const Settled settled = settlePending();
    // What was dropped is cleared from the panel, and Brindle stays open on it.
    if (settled == Settled::Dropped)
        reset();
    return settled == Settled::GoOn;
}

void TabPanel::showForms()
{
    m_forms->setForms(m_session.forms());
    m_formBox->setCurrentIndex(-1);
    // The end row counts as a row: a table of two rows or fewer is one form, listed at once.
    if (!m_session.needsForm()) {
        showObjects();
        return;
    }
    hideSelection();
    m_formBox->show();
    m_formCaption->show();
}

void TabPanel::chooseForm(int row)
{
    if (!m_session.chooseForm(row))
        return;
    showObjects();
    m_objectList->setFocus();
}

void TabPanel::showObjects()
{
    hideSelection();
    m_objects->setObjects(m_session.objects());
    showObjectCount();
}

void TabPanel::showObjectCount()
{
    m_byPositionButton->setEnabled(m_objects->count() > 0);
    showHistory();
    m_newTabBox->setCurrentIndex(-1);
    m_numberLabel->setText(QString::number(m_objects->count()));
    m_numberLabel->show();
    m_numberCaption->setText(QStringLiteral("Objects' Number"));
    m_numberCaption->show();
}

void TabPanel::selectObject(int row)
{
    if (!m_session.select(row))
        return;
    const SectionReader::Object &object = m_session.objects().at(row);
    m_nameLabel->setText(nameCaption(object));
    m_numberLabel->setText(QString::number(object.ordinal));
    // Not the design caption "Object's Current TAB position": once an object is chosen the
    // caption speaks of that object, and the two wordings differ deliberately.
    m_numberCaption->setText(QStringLiteral("Object current TAB position"));
    m_nameLabel->show();
    m_newTabBox->show();
    m_newTabCaption->show();
}

void TabPanel::chooseNewTab(int row)
{
    if (m_programBox->currentText().isEmpty() || !m_session.isOpen())
        return;
    const Result<TabSession::Change> exchanged = m_session.exchange(row + 1);
    if (!exchanged) {
        m_platform.messageBox(exchanged.message());
        return;
    }
    if (exchanged.value() == TabSession::Change::None)
        return;
    m_moved->show(&m_session.movedBlock());
    m_target->show(&m_session.targetBlock());
    m_scratch->clear();
    m_newSection->show(&m_session.lines());
    confirmChange();
}

void TabPanel::shiftObject(int step)
{
    const int row = m_objectList->currentIndex().row();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= m_objects->count())
        return;
    selectObject(row);
    if (m_session.selected() != row)
        return;
    chooseNewTab(target);
    // Done (confirmed or kept in memory): the object stays current at its new place, so that
    // the key moves it on.
    if (m_session.isOpen() && m_session.selected() < 0 && target < m_objects->count())
        m_objectList->setCurrentIndex(m_objects->index(target, 0));
}

void TabPanel::dropObject(int row, int position)
{
    if (row < 0 || row >= m_objects->count() || position < 1 || position > m_objects->count())
        return;
    selectObject(row);
    if (m_session.selected() == row)
        chooseNewTab(position - 1);
}

void TabPanel::confirmChange()
{
    const int answer = m_platform.messageBox(
        QStringLiteral("To confirm TAB change tap YES\r\nTo change TAB again tap NO"),
        Platform::YesNo + Platform::Question, QStringLiteral("CHANGE DONE! Ready to fix code"));
    const QString program = m_programName;
    const QString form = formName();
    if (answer == Platform::Yes && !writeChanges() && !m_session.isOpen()) {
        // The file changed on disk: what was held no longer matches it and is dropped, so
        // the file must be picked again.
        reset();
        note(QStringLiteral("Not written: ") + program + QStringLiteral(" changed on disk"));
        m_programBox->setFocus(Qt::OtherFocusReason);
        return;
    }
    showChange();
    if (answer != Platform::Yes)
        note(QStringLiteral("TAB change held: the next YES writes it"));
    else if (m_session.hasPending())
        note(QStringLiteral("Not written: the TAB change stays held"));
    else
        note(QStringLiteral("Wrote the TAB order ") +
             (form.isEmpty() ? QString() : QStringLiteral("of ") + form + QLatin1Char(' ')) +
             QStringLiteral("to ") + program);
    // The object list, where the next change starts: the new-position list just went away.
    m_objectList->setFocus(Qt::OtherFocusReason);
}

QString TabPanel::formName() const
{
    const int row = qMax(m_formBox->currentIndex(), 0);
    const QList<SectionReader::Form> &forms = m_session.forms();
    return row < forms.size() && !forms.at(row).isEnd ? forms.at(row).name.trimmed() : QString();
}

bool TabPanel::writeChanges()
{
    m_history.record(m_session);
    const Result<QString> written = m_session.commit();
    if (written)
        m_history.written(m_session);
    m_platform.endWaiting();
    // The session's lines are new (or gone): the tables show them again before any message.
    for (LineModel *table : {m_moved, m_target, m_newSection})
        table->clear();
    m_section->show(&m_session.lines());
    if (!written) {
        // Still held: the list goes on showing the change, so say how to write it later.
        m_platform.messageBox(written.message() + (m_session.isOpen() ? kept : QString()));
        return false;
    }
    if (!written.value().isEmpty())
        m_platform.messageBox(written.value());
    return true;
}

void TabPanel::showChange()
{
    const TabSession::Range rows = m_session.changedRows();
    m_objects->updateObjects(m_session.objects(), qMax(rows.start, 0), rows.end);
    showObjectCount();
    hideSelection();
    for (LineModel *table : {m_newSection, m_moved, m_target})
        table->clear();
    m_section->show(&m_session.lines());
}

void TabPanel::showFormPicture()
{
    if (m_picture || m_objects->count() == 0)
        return;
    const QString name = formName();
    const TabSession::Range range = m_session.range();
    m_picture = new FormPicture(FormPlace::objects(m_session.lines(), range.start, range.end),
                                m_deviceScreen ? m_deviceScreen() : FormPlace::Screen{}, window());
    m_picture->setWindowTitle(name.isEmpty() ? m_programName
                                             : m_programName + QStringLiteral(" - ") + name);
    connect(m_picture, &FormPicture::orderChanged, this, &TabPanel::previewOrder);
    connect(m_picture, &FormPicture::orderChosen, this, &TabPanel::applyOrder);
    // Closed without choosing: the list shows the order held in memory again.
    connect(m_picture, &FormPicture::rejected, this,
            [this] { m_objects->setObjects(m_session.objects()); });
    m_picture->placeBeside(window());
    m_picture->show();
}

void TabPanel::previewOrder(const QList<int> &order)
{
    const Result<QList<SectionReader::Object>> shown = m_session.preview(order);
    // The order held in memory stays in the session; the list shows the reordered objects.
    if (shown)
        m_objects->updateObjects(shown.value(), 0, int(shown.value().size()) - 1);
}

void TabPanel::applyOrder(const QList<int> &order)
{
    const Result<> reordered = m_session.reorder(order);
    if (!reordered) {
        m_platform.messageBox(reordered.message());
        m_objects->setObjects(m_session.objects());
        return;
    }
    m_newSection->show(&m_session.lines());
    confirmChange();
}

void TabPanel::orderByPosition()
{
    if (!m_session.isOpen() || m_objects->count() == 0)
        return;
    applyOrder(m_session.positionOrder());
}

void TabPanel::undoTab()
{
    stepHistory(true);
}

void TabPanel::redoTab()
{
    stepHistory(false);
}

void TabPanel::stepHistory(bool back)
{
    if (!m_session.isOpen() || m_session.hasPending())
        return;
    // The tables let go of the session's lines before the session holds others.
    for (LineModel *table : {m_scratch, m_section, m_moved, m_target, m_newSection})
        table->clear();
    const TabHistory::Stepped stepped =
        back ? m_history.undo(m_session) : m_history.redo(m_session);
    m_platform.endWaiting();
    if (stepped.done == TabHistory::Done::Dropped) {
        historyDropped(back, stepped.message);
        return;
    }
    m_section->show(&m_session.lines());
    // The file picked again and no form chosen yet: the form selector waits, as after a pick.
    if (stepped.done == TabHistory::Done::Written && m_session.needsForm() &&
        m_session.form() < 0) {
        showForms();
    } else if (stepped.done == TabHistory::Done::Written) {
        m_objects->setObjects(m_session.objects());
        showObjectCount();
        hideSelection();
    }
    showHistory();
    if (stepped.done != TabHistory::Done::NoStep && !stepped.message.isEmpty())
        m_platform.messageBox(stepped.message);
}

void TabPanel::historyDropped(bool back, const QString &why)
{
    // Its history is gone and the session holds nothing: the file must be picked again.
    const QString program = m_programName;
    reset();
    m_platform.messageBox(why + QStringLiteral(" The TAB change is not ") +
                          (back ? QStringLiteral("undone") : QStringLiteral("redone")) +
                          QStringLiteral(", and the TAB changes written to ") + program +
                          QStringLiteral(" before can no longer be undone. Pick the file "
                                         "again to read it as it is now."));
}

void TabPanel::showHistory()
{
    const bool idle = m_session.isOpen() && !m_session.hasPending();
    const QString path = m_session.path();
    m_undoButton->setEnabled(idle && m_history.canUndo(path));
    m_undoAction->setEnabled(m_undoButton->isEnabled());
    m_redoAction->setEnabled(idle && m_history.canRedo(path));
}

void TabPanel::hideSelection()
{
    m_newTabBox->hide();
    m_newTabBox->setCurrentIndex(-1);
    m_nameLabel->hide();
    m_nameLabel->clear();
    m_newTabCaption->hide();
}

QString TabPanel::programPath(const QString &name) const
{
    return Paths::at(QStringLiteral("/Samples/") + name);
}
