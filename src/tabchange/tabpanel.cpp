#include "tabpanel.h"

#include "controls.h"
#include "formpicture.h"
#include "leftoverbackups.h"
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
#include <QListWidget>

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
    m_list2 = makeControl<QListWidget>(this, "List2", {}, 1260, 1740, 2535, 1650);
    // Entries carry their block index far to the right, out of view; keep it there.
    m_list2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list1 = makeControl<QListWidget>(this, "List1", {}, 60, 1980, 1155, 90);
    m_list3 = makeControl<QListWidget>(this, "List3", {}, 0, 2280, 1215, 90);
    m_list4 = makeControl<QListWidget>(this, "List4", {}, 60, 2640, 1155, 90);
    m_list5 = makeControl<QListWidget>(this, "List5", {}, 60, 2880, 1095, 90);
    m_list0 = makeControl<QListWidget>(this, "List0", {}, 60, 3180, 1095, 90);
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
    connect(m_list2, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { List2_Click(m_list2->row(item)); });
    connect(m_list2, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { List2_Click(m_list2->row(item)); });

    // The form picture comes from the object list's context menu or its shortcut, which works
    // while the list is shown.
    auto *showForm = new QAction(QStringLiteral("Show the form..."), m_list2);
    showForm->setObjectName(QStringLiteral("ShowForm"));
    showForm->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    m_list2->addAction(showForm);
    m_list2->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(showForm, &QAction::triggered, this, &TabPanel::ShowForm);
}

void TabPanel::setDeviceScreen(std::function<FormPlace::Screen()> screen)
{
    m_deviceScreen = std::move(screen);
}

void TabPanel::Form_Load()
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
    for (const LeftoverBackups::Found &found : LeftoverBackups::find(Paths::sampleFiles())) {
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
}

void TabPanel::Command1_Click()
{
    for (QListWidget *list : {m_list0, m_list1, m_list2, m_list3, m_list4, m_list5})
        list->clear();
    m_section.clear();
    m_moved.clear();
    m_target.clear();
    m_newSection.clear();
    m_readSection.clear();
    m_programName.clear();
    m_selBlock = -1;
    m_combo3->hide();
    m_combo3->clear();
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
    setLines(m_list1, m_section, {});
    m_list2->clear();
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
    m_readSection = std::move(read.value().bytes);
    setLines(m_list1, m_section, std::move(read.value().lines));
    ListForms();
}

void TabPanel::ListForms()
{
    m_list2->clear();
    m_combo3->clear();
    m_objCount = 0;
    m_combo4->clear();
    m_combo4->addItems(SectionReader::formTable(m_section));
    m_combo4->setCurrentIndex(-1);
    if (m_combo4->count() <= 2) {
        m_rangeStart = 0;
        m_rangeEnd = int(m_section.size()) - 1;
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
        SectionReader::formRange(table, m_combo4->currentIndex(), int(m_section.size()) - 1);
    m_rangeStart = range.start;
    m_rangeEnd = range.end;
    ListObjects();
    m_list2->setFocus();
}

void TabPanel::ListObjects()
{
    hideSelection();
    m_list2->clear();
    m_combo3->clear();
    const SectionReader::Objects objects =
        SectionReader::listObjects(m_section, m_rangeStart, m_rangeEnd);
    m_objCount = int(objects.entries.size());
    m_list2->addItems(objects.entries);
    m_combo3->addItems(objects.positions);
    m_combo3->setCurrentIndex(-1);
    m_label12->setText(QString::number(m_objCount));
    m_label12->show();
    m_label16->setText(QStringLiteral("Objects' Number"));
    m_label16->show();
}

void TabPanel::List2_Click(int row)
{
    if (row < 0 || row >= m_list2->count())
        return;
    const QString entry = m_list2->item(row)->text();
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
    m_targetBlock = -1;
    for (int i = 0; i < m_list2->count() && m_targetBlock < 0; ++i) {
        const QString entry = m_list2->item(i)->text();
        if (SectionReader::entryOrdinal(entry) == position)
            m_targetBlock = SectionReader::entryIndex(entry);
    }
    if (m_targetBlock < 0)
        return;
    const Result<TabExchange::Prepared> prepared =
        TabExchange::prepare(m_section, m_selBlock, oldTab, m_targetBlock, newTab);
    if (!prepared) {
        m_platform.messageBox(prepared.message());
        return;
    }
    setLines(m_list3, m_moved, prepared.value().moved);
    setLines(m_list4, m_target, prepared.value().target);
    m_list0->clear();
    SwapTab();
}

void TabPanel::SwapTab()
{
    setLines(m_list5, m_newSection,
             TabExchange::exchange(m_section, m_selBlock, m_moved, m_targetBlock, m_target));
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
        Command1_Click();
        return;
    }
    UpdateList();
}

void TabPanel::ShowForm()
{
    if (m_picture || m_list2->count() == 0)
        return;
    const int form = qMax(m_combo4->currentIndex(), 0);
    const QString name = form < m_combo4->count() ? formName(m_combo4->itemText(form)) : QString();
    m_picture = new FormPicture(FormPlace::objects(m_section, m_rangeStart, m_rangeEnd),
                                m_deviceScreen ? m_deviceScreen() : FormPlace::Screen{}, window());
    m_picture->setWindowTitle(name.isEmpty() ? m_programName
                                             : m_programName + QStringLiteral(" - ") + name);
    connect(m_picture, &FormPicture::orderChanged, this, &TabPanel::showOrder);
    connect(m_picture, &FormPicture::orderChosen, this, &TabPanel::ReorderTab);
    // Closed without choosing: the list shows the order held in memory again.
    connect(m_picture, &FormPicture::rejected, this,
            [this] { showOrder(TabOrder::complete({}, int(m_list2->count()))); });
    m_picture->placeBeside(window());
    m_picture->show();
}

void TabPanel::showOrder(const QList<int> &order)
{
    const Result<QList<QByteArray>> reordered =
        TabOrder::reorder(m_section, m_rangeStart, m_rangeEnd, order);
    if (!reordered)
        return;
    const QStringList entries =
        SectionReader::listObjects(reordered.value(), m_rangeStart, m_rangeEnd).entries;
    for (int i = 0; i < m_list2->count() && i < entries.size(); ++i)
        m_list2->item(i)->setText(entries.at(i));
}

void TabPanel::ReorderTab(const QList<int> &order)
{
    Result<QList<QByteArray>> reordered =
        TabOrder::reorder(m_section, m_rangeStart, m_rangeEnd, order);
    if (!reordered) {
        m_platform.messageBox(reordered.message());
        showOrder(TabOrder::complete({}, int(m_list2->count())));
        return;
    }
    setLines(m_list5, m_newSection, std::move(reordered.value()));
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
    Result<Rewrite::Written> written =
        Rewrite::write(m_files, path, current.value(), m_genStart, m_newSection);
    if (!written) {
        // The list goes on showing the change, so say where it is and how to write it later.
        m_platform.messageBox(written.message() +
                              QStringLiteral("\r\nThe TAB change is kept in memory: the next TAB "
                                             "change you confirm with YES writes it too."));
        return true;
    }
    m_readSection = std::move(written.value().section);
    if (!written.value().warning.isEmpty())
        m_platform.messageBox(written.value().warning);
    return true;
}

void TabPanel::UpdateList()
{
    setLines(m_list1, m_section, m_newSection);
    ListObjects();
    hideSelection();
    setLines(m_list5, m_newSection, {});
    setLines(m_list3, m_moved, {});
    setLines(m_list4, m_target, {});
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

void TabPanel::setLines(QListWidget *list, QList<QByteArray> &store, QList<QByteArray> lines)
{
    // An exchange keeps the line count: then only the lines that differ are set again.
    if (!lines.isEmpty() && lines.size() == store.size() && list->count() == store.size()) {
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (lines.at(i) != store.at(i))
                list->item(int(i))->setText(QString::fromLocal8Bit(lines.at(i)));
        }
        store = std::move(lines);
        return;
    }
    store = std::move(lines);
    list->clear();
    QStringList texts;
    texts.reserve(store.size());
    for (const QByteArray &line : std::as_const(store))
        texts.append(QString::fromLocal8Bit(line));
    list->addItems(texts);
}
