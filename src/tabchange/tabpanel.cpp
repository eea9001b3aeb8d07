#include "tabpanel.h"

#include "controls.h"
#include "formpicture.h"
#include "leftoverbackups.h"
#include "linemodel.h"
#include "objectmodel.h"
#include "paths.h"
#include "platform.h"
#include "rewrite.h"
#include "sectionreader.h"
#include "tabexchange.h"
#include "taborder.h"
#include "textfile.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListView>

using namespace Controls;

namespace {

constexpr int shownHeight = 4200; // twips
constexpr int hiddenHeight = 195;

void whiteBackground(QLabel *label)
{
    label->setAutoFillBackground(true);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    QPalette p = label->palette();
    p.setColor(QPalette::Window, Qt::white);
    p.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(p);
}

// «Form1                 -1» gives «Form1»; the end entry gives nothing.
QString formName(const QString &tableEntry)
{
    if (tableEntry.startsWith(QStringLiteral("°°°°°")))
        return {};
    return tableEntry.left(tableEntry.lastIndexOf(QLatin1Char('-'))).trimmed();
}

} // namespace

TabPanel::TabPanel(Platform &platform, QWidget *parent) : ModePanel(parent), m_platform(platform)
{
    setObjectName(QStringLiteral("Picture3"));
    place(this, 60, 420, 3855, 195);
    setAutoFillBackground(true);
    setFrameShape(QFrame::StyledPanel);

    m_label14 = makeControl<QLabel>(this, "Label14",
                                    QStringLiteral("Select the program's code (Format .Txt only)"),
                                    120, 0, 3675, 195);
    m_combo2 = makeControl<QComboBox>(this, "Combo2", {}, 0, 300, 3810, 315);
    m_label16 = makeControl<QLabel>(
        this, "Label16", QStringLiteral("Object's Current TAB position"), 840, 840, 2775, 255);
    m_label17 = makeControl<QLabel>(this, "Label17", {}, 0, 1140, 1875, 315);
    whiteBackground(m_label17);
    m_label12 = makeControl<QLabel>(this, "Label12", {}, 3000, 1140, 555, 315);
    setDesignFont(m_label12, 9.75, true);
    m_label12->setAlignment(Qt::AlignCenter);
    m_label15 = makeControl<QLabel>(this, "Label15", QStringLiteral("Select New Tab"), 1320, 1500,
                                    1515, 255);
    m_combo3 = makeControl<QComboBox>(this, "Combo3", {}, 3000, 1440, 795, 315);
    m_label13 =
        makeControl<QLabel>(this, "Label13", QStringLiteral("Objects"), 240, 1740, 855, 255);
    m_objects = new ObjectModel(this);
    m_list2 = makeControl<QListView>(this, "List2", {}, 1260, 1740, 2535, 1650);
    m_list2->setModel(m_objects);
    m_list2->setUniformItemSizes(true);
    // Entries carry their block index far to the right, out of view; keep it there, cut off
    // silently as a plain list box does.
    m_list2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list2->setTextElideMode(Qt::ElideNone);
    m_list2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_combo3->setModel(m_objects);
    m_combo3->setModelColumn(1);
    if (auto *popup = qobject_cast<QListView *>(m_combo3->view()))
        popup->setUniformItemSizes(true);
    m_section = new LineModel(this);
    m_moved = new LineModel(this);
    m_target = new LineModel(this);
    m_newSection = new LineModel(this);
    m_table0 = new LineModel(this);
    m_list1 = makeTable("List1", m_section, 60, 1980, 1155);
    m_list3 = makeTable("List3", m_moved, 0, 2280, 1215);
    m_list4 = makeTable("List4", m_target, 60, 2640, 1155);
    m_list5 = makeTable("List5", m_newSection, 60, 2880, 1095);
    m_list0 = makeTable("List0", m_table0, 60, 3180, 1095);
    m_combo4 = makeControl<QComboBox>(this, "Combo4", {}, 120, 3600, 1155, 315);
    m_label18 = makeControl<QLabel>(
        this, "Label18", QStringLiteral("Select a form to show objects"), 1500, 3660, 2175, 195);

    for (QLabel *l : {m_label14, m_label16, m_label15, m_label13, m_label18})
        setDesignFont(l, 8.25, true);
    for (QWidget *w : std::initializer_list<QWidget *>{m_label16, m_label17, m_label12, m_label15,
                                                       m_combo3, m_list1, m_list3, m_list4, m_list5,
                                                       m_list0, m_combo4, m_label18})
        w->hide();
    hide();

    connect(m_combo2, &QComboBox::activated, this, &TabPanel::Combo2_Click);
    connect(m_combo4, &QComboBox::activated, this, &TabPanel::Combo4_Click);
    connect(m_combo3, &QComboBox::activated, this, &TabPanel::Combo3_Click);
    // A click picks an object, and so does Return on the highlighted one. Merely moving the
    // current row does not, since the list makes its first row current when it gains focus.
    connect(m_list2, &QListView::clicked, this,
            [this](const QModelIndex &index) { List2_Click(index.row()); });
    connect(m_list2, &QListView::activated, this,
            [this](const QModelIndex &index) { List2_Click(index.row()); });

    // The form picture comes from the object list's context menu or its shortcut, which works
    // while the list is shown.
    auto *showForm = new QAction(QStringLiteral("Show the form..."), m_list2);
    showForm->setObjectName(QStringLiteral("ShowForm"));
    showForm->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    m_list2->addAction(showForm);
    m_list2->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(showForm, &QAction::triggered, this, &TabPanel::ShowForm);
}

QListView *TabPanel::makeTable(const char *name, LineModel *model, int left, int top, int width)
{
    auto *table = makeControl<QListView>(this, name, {}, left, top, width, 90);
    table->setModel(model);
    table->setUniformItemSizes(true);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return table;
}

const QList<QByteArray> &TabPanel::section() const
{
    return m_section->lines();
}

void TabPanel::setDeviceScreen(std::function<FormPlace::Screen()> screen)
{
    m_deviceScreen = std::move(screen);
}

void TabPanel::load()
{
    m_combo2->addItems(Paths::samplePrograms());
    m_combo2->setCurrentIndex(-1);
    m_inGen = false;
}

void TabPanel::enterMode()
{
    show();
    setHeight(this, shownHeight);
    setAction({}, false);
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
    hide();
    setHeight(this, hiddenHeight);
}

void TabPanel::actionClicked() {}

void TabPanel::offerLeftoverBackups()
{
    const QStringList names = Paths::sampleFiles();
    for (const LeftoverBackups::Found &found : LeftoverBackups::find(names)) {
        // A backup that holds nothing the program does not goes without a word.
        if (found.programThere &&
            LeftoverBackups::isCopy(m_files, programPath(found.backup),
                                    programPath(found.program)) &&
            m_files.remove(programPath(found.backup)))
            continue;
        const QString text = LeftoverBackups::message(found);
        if (found.programThere) {
            m_platform.messageBox(text);
            continue;
        }
        if (m_platform.messageBox(text, Platform::YesNo + Platform::Question) != Platform::Yes)
            continue;
        const Result<> restored =
            m_files.rename(programPath(found.backup), programPath(found.program));
        if (!restored) {
            m_platform.messageBox(found.backup + QStringLiteral(" could not be restored as ") +
                                  found.program + QStringLiteral(" (") + restored.message() +
                                  QStringLiteral("). It is left as it is."));
        } else if (m_combo2->findText(found.program) < 0) {
            // Listing the restored file picks nothing.
            const int current = m_combo2->currentIndex();
            m_combo2->addItem(found.program);
            m_combo2->setCurrentIndex(current);
        }
    }
    for (const LeftoverBackups::Temporary &temporary : LeftoverBackups::temporaries(names)) {
        if (m_platform.messageBox(LeftoverBackups::message(temporary),
                                  Platform::YesNo + Platform::Question) != Platform::Yes)
            continue;
        const Result<> removed = m_files.remove(programPath(temporary.name));
        if (!removed)
            m_platform.messageBox(temporary.name + QStringLiteral(" could not be removed (") +
                                  removed.message() + QStringLiteral("). It is left as it is."));
    }
}

void TabPanel::reset()
{
    m_objects->clear();
    for (LineModel *table : {m_table0, m_section, m_moved, m_target, m_newSection})
        table->setLines({});
    m_buffers.clear();
    m_readSection.clear();
    m_programName.clear();
    m_selBlock = -1;
    m_combo3->hide();
    m_combo2->setCurrentIndex(-1);
    m_combo4->hide();
    m_combo4->clear();
    for (QLabel *label : {m_label18, m_label12, m_label16, m_label17, m_label15})
        label->hide();
}

void TabPanel::Combo2_Click()
{
    const QString name = m_combo2->currentText();
    if (name.isEmpty())
        return;
    const QString path = programPath(name);
    const Result<QByteArray> file = TextFile::readBytes(path);
    if (!file) {
        m_platform.messageBox(SectionReader::unreadableMessage(path, file.message()));
        m_combo2->setCurrentIndex(m_combo2->findText(m_programName));
        return;
    }
    m_objects->clear();
    m_section->setLines({});
    m_buffers.clear();
    hideSelection();
    m_programName.clear();
    Result<SectionReader::Section> read = SectionReader::parse(file.value());
    m_inGen = read.ok();
    if (!m_inGen) {
        m_platform.messageBox(read.message());
        return;
    }
    m_programName = name;
    m_genStart = read.value().genStart;
    // The lines are held once, as views of the section's bytes.
    m_readSection = std::move(read.value().bytes);
    read.value().lines.clear();
    m_buffers = {m_readSection};
    m_section->setLines(SectionReader::lineViews(m_readSection));
    ListForms();
}

void TabPanel::ListForms()
{
    m_objects->clear();
    m_objCount = 0;
    m_combo4->clear();
    m_combo4->addItems(SectionReader::formTable(section()));
    m_combo4->setCurrentIndex(-1);
    if (m_combo4->count() <= 2) {
        m_rangeStart = 0;
        m_rangeEnd = int(section().size()) - 1;
        ListObjects();
        return;
    }
    hideSelection();
    m_combo4->show();
    m_label18->show();
}

void TabPanel::Combo4_Click()
{
    QStringList table;
    for (int i = 0; i < m_combo4->count(); ++i)
        table.append(m_combo4->itemText(i));
    const SectionReader::Range range =
        SectionReader::formRange(table, m_combo4->currentIndex(), int(section().size()) - 1);
    m_rangeStart = range.start;
    m_rangeEnd = range.end;
    ListObjects();
    m_list2->setFocus();
}

void TabPanel::ListObjects()
{
    hideSelection();
    m_objects->list(section(), m_rangeStart, m_rangeEnd);
    showObjectCount();
}

void TabPanel::showObjectCount()
{
    m_objCount = m_objects->count();
    m_combo3->setCurrentIndex(-1);
    m_label12->setText(QString::number(m_objCount));
    m_label12->show();
    m_label16->setText(QStringLiteral("Objects' Number"));
    m_label16->show();
}

void TabPanel::List2_Click(int row)
{
    if (row < 0 || row >= m_objects->count())
        return;
    const QString entry = m_objects->entry(row);
    m_selBlock = SectionReader::entryIndex(entry);
    m_label17->setText(SectionReader::entryName(entry));
    m_label12->setText(SectionReader::entryOrdinal(entry));
    m_label16->setText(QStringLiteral("Object current TAB position"));
    m_label17->show();
    m_combo3->show();
    m_label15->show();
}

void TabPanel::Combo3_Click()
{
    if (m_combo2->currentText().isEmpty() || m_programName.isEmpty() || m_selBlock < 0)
        return;
    const int oldTab = m_label12->text().toInt();
    const QString position = m_combo3->currentText();
    const int newTab = position.toInt();
    // The object at a position is the row listed with that ordinal.
    const int row = m_combo3->currentIndex();
    if (row < 0 || row >= m_objects->count())
        return;
    m_targetBlock = m_objects->block(row);
    const Result<TabExchange::Prepared> prepared =
        TabExchange::prepare(section(), m_selBlock, oldTab, m_targetBlock, newTab);
    if (!prepared) {
        m_platform.messageBox(prepared.message());
        return;
    }
    m_moved->setLines(prepared.value().moved);
    m_target->setLines(prepared.value().target);
    m_table0->setLines({});
    SwapTab();
}

void TabPanel::SwapTab()
{
    // Blocks of one length change only their own lines.
    m_changedLength =
        m_moved->lines().size() == m_target->lines().size() ? int(m_moved->lines().size()) : -1;
    m_newSection->setLines(TabExchange::exchange(section(), m_selBlock, m_moved->lines(),
                                                 m_targetBlock, m_target->lines()));
    confirmChange();
}

void TabPanel::confirmChange()
{
    const int answer = m_platform.messageBox(
        QStringLiteral("To confirm TAB change tap YES\r\nTo change TAB again tap NO"),
        Platform::YesNo + Platform::Question, QStringLiteral("CHANGE DONE! Ready to fix code"));
    if (answer == Platform::Yes && !RewriteCode()) {
        // The file changed on disk: what is held no longer matches it, so it is dropped and
        // the file must be picked again.
        reset();
        return;
    }
    UpdateList();
}

void TabPanel::ShowForm()
{
    if (m_picture || m_objects->count() == 0)
        return;
    const int form = qMax(m_combo4->currentIndex(), 0);
    const QString name = form < m_combo4->count() ? formName(m_combo4->itemText(form)) : QString();
    m_picture = new FormPicture(FormPlace::objects(section(), m_rangeStart, m_rangeEnd),
                                m_deviceScreen ? m_deviceScreen() : FormPlace::Screen{}, window());
    m_picture->setWindowTitle(name.isEmpty() ? m_programName
                                             : m_programName + QStringLiteral(" - ") + name);
    connect(m_picture, &FormPicture::orderChanged, this, &TabPanel::showOrder);
    connect(m_picture, &FormPicture::orderChosen, this, &TabPanel::ReorderTab);
    // Closed without choosing: the list shows the order held in memory again.
    connect(m_picture, &FormPicture::rejected, this,
            [this] { showOrder(TabOrder::complete({}, m_objects->count())); });
    m_picture->placeBeside(window());
    m_picture->show();
}

void TabPanel::showOrder(const QList<int> &order)
{
    const Result<QList<QByteArray>> reordered =
        TabOrder::reorder(section(), m_rangeStart, m_rangeEnd, order);
    if (!reordered)
        return;
    // The order held in memory stays in List1; the list shows the reordered objects.
    m_objects->refresh(reordered.value(), m_rangeStart, m_rangeEnd);
}

void TabPanel::ReorderTab(const QList<int> &order)
{
    Result<QList<QByteArray>> reordered =
        TabOrder::reorder(section(), m_rangeStart, m_rangeEnd, order);
    if (!reordered) {
        m_platform.messageBox(reordered.message());
        showOrder(TabOrder::complete({}, m_objects->count()));
        return;
    }
    m_changedLength = -1;
    m_newSection->setLines(std::move(reordered.value()));
    confirmChange();
}

bool TabPanel::RewriteCode()
{
    const QString path = programPath(m_programName);
    const Result<QByteArray> current = Rewrite::current(m_files, path, m_genStart, m_readSection);
    if (!current) {
        m_platform.messageBox(current.message());
        return false;
    }
    Result<Rewrite::Written> written = Rewrite::write(m_files, path, current.value(), m_genStart,
                                                      m_newSection->lines(), m_readSection);
    if (!written) {
        // The list goes on showing the change, so say where it is and how to write it later.
        m_platform.messageBox(written.message() +
                              QStringLiteral("\r\nThe TAB change is kept in memory: the next TAB "
                                             "change you confirm with YES writes it too."));
        return true;
    }
    m_readSection = std::move(written.value().section);
    // The new section's lines become views of the bytes just written; the buffers they were
    // views of go once the lists no longer show them.
    m_newSection->pointInto(m_readSection);
    m_buffers.append(m_readSection);
    m_rewritten = true;
    if (!written.value().warning.isEmpty())
        m_platform.messageBox(written.value().warning);
    return true;
}

void TabPanel::UpdateList()
{
    const int length = m_changedLength;
    const int first = qMin(m_selBlock, m_targetBlock);
    const int second = qMax(m_selBlock, m_targetBlock);
    if (length > 0 && first >= 0) {
        // Only the lines and the objects of the two blocks changed.
        m_section->replaceLines(m_newSection->lines(), first, second + length - 1);
        for (int block : {first, second})
            m_objects->refresh(section(), block, block + length - 1);
        showObjectCount();
    } else {
        m_section->setLines(m_newSection->lines());
        ListObjects();
    }
    hideSelection();
    for (LineModel *table : {m_newSection, m_moved, m_target})
        table->setLines({});
    m_changedLength = -1;
    if (m_rewritten)
        m_buffers = {m_readSection};
    m_rewritten = false;
}

void TabPanel::hideSelection()
{
    m_combo3->hide();
    m_combo3->setCurrentIndex(-1);
    m_label17->hide();
    m_label17->clear();
    m_label15->hide();
    m_selBlock = -1;
}

QString TabPanel::programPath(const QString &name) const
{
    return Paths::at(QStringLiteral("/Samples/") + name);
}
