#include "controls.h"
#include "uitest.h"

#include "modepanel.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStyle>
#include <QWheelEvent>

using Controls::px;

namespace {

// A panel that stands in for one holding unwritten changes: it records that Brindle asked it
// before closing, and answers as scripted.
class ClosingPanel : public ModePanel
{
public:
    ClosingPanel(QWidget *parent, bool allow, const FakePlatform &platform)
        : ModePanel(parent), m_allow(allow), m_platform(platform)
    {
        hide();
    }
    void load() override {}
    void enterMode() override {}
    void leaveMode() override {}
    void reset() override {}
    void actionClicked() override {}
    bool confirmClose() override
    {
        // Asked while Brindle is still fully open: on top, not yet quitting.
        askedWhileOpen.append(m_platform.topmost && m_platform.quitCount == 0);
        return m_allow;
    }

    QList<bool> askedWhileOpen;

private:
    bool m_allow;
    const FakePlatform &m_platform;
};

// The controls Tab stops at, in order, starting after `from`: those in the window's focus
// chain that take the focus by Tab, are shown and enabled, and do not pass their focus on.
QWidgetList tabStops(QWidget *window, QWidget *from)
{
    QWidgetList stops;
    for (QWidget *w = from->nextInFocusChain(); w != from; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(window) && w->isEnabled() &&
            !w->focusProxy())
            stops.append(w);
    }
    stops.append(from);
    return stops;
}

// The name a screen reader speaks for a control: its own, or on systems that name a combo box
// by its text, the label that names it.
QString accessibleName(QWidget *w)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(w);
    if (!face)
        return {};
    const auto labels = face->relations(QAccessible::Label);
    if (!labels.isEmpty() && face->role() == QAccessible::ComboBox)
        return labels.first().first->text(QAccessible::Name);
    return face->text(QAccessible::Name);
}

// Shows the window and makes it the active one, so that keys reach it.
bool showActive(Prog &prog)
{
    prog.show();
    QApplication::setActiveWindow(&prog);
    return QTest::qWaitForWindowActive(&prog);
}

} // namespace

class TestProg : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void inventory_data();
    void inventory();
    void inventoryAfterFirstPaint_data() { inventory_data(); }
    void inventoryAfterFirstPaint();
    void designFonts_data();
    void designFonts();
    void windowAndMenu();
    void startUpState();
    void startUpListsSamplePrograms();
    void startUpWithoutSamplesFolder();
    void modeSwitch_data();
    void modeSwitch();
    void modeSwitchKeepsPanelContents();
    void typingIntoModeSelectorChangesNothing();
    void exitReleasesTopmostAndQuits();
    void copyCarrierKeepsLineBreaksAndSelectsAll();
    void multiLineBoxesKeepEveryCharacter_data();
    void multiLineBoxesKeepEveryCharacter();
    void wheelOverUnfocusedListPicksNothing();
    void themeFontsLeaveCaptionsWhole_data();
    void themeFontsLeaveCaptionsWhole();
    void tabChain_data();
    void tabChain();
    void focusShowsAtStart();
    void accessibleNames_data();
    void accessibleNames();
    void f1OpensQuickHelp_data();
    void f1OpensQuickHelp();
    void focusAfterEachAction_data();
    void focusAfterEachAction();
    void noteIsSpokenWhole();
    void keysNamedInTooltips_data();
    void keysNamedInTooltips();
    void placeRemembered_data();
    void placeRemembered();
    void panelsAskedBeforeClosing_data();
    void panelsAskedBeforeClosing();
    void clipboardNeverEmptied_data();
    void clipboardNeverEmptied();
};

void TestProg::inventory_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<bool>("shown");

    struct Row
    {
        const char *name, *kind, *container, *caption;
        int l, t, w, h;
        bool shown;
    };
    static const Row rows[] = {
        {"Command1", "QPushButton", "client", "RESET", 60, 0, 1275, 315, true},
        {"Combo1", "QComboBox", "client", "Objects Arrays", 2160, 0, 1755, 315, true},
        {"Frame1", "QGroupBox", "ArrayPanel", "OBJECTS TYPE", 60, 720, 3855, 1395, true},
        {"Leftbox", "QLineEdit", "ArrayPanel", "10", 60, 2220, 615, 315, true},
        {"Label1", "QLabel", "ArrayPanel", "Top", 780, 2280, 675, 195, true},
        {"Topbox", "QLineEdit", "ArrayPanel", "10", 60, 2700, 615, 285, true},
        {"Label2", "QLabel", "ArrayPanel", "Left", 780, 2760, 675, 195, true},
        {"Widthbox", "QLineEdit", "ArrayPanel", "70", 60, 3180, 615, 315, true},
        {"Label3", "QLabel", "ArrayPanel", "Width", 780, 3240, 675, 195, true},
        {"Highbox", "QLineEdit", "ArrayPanel", "21", 60, 3660, 615, 315, true},
        {"Label4", "QLabel", "ArrayPanel", "Height", 780, 3720, 675, 195, true},
        {"spcr", "QLineEdit", "ArrayPanel", "0", 60, 4200, 435, 315, false},
        {"Spacelbl", "QLabel", "ArrayPanel", "Spacer", 540, 4260, 735, 195, false},
        {"Option1", "QRadioButton", "ArrayPanel", "ppc", 2460, 2220, 615, 225, true},
        {"Option2", "QRadioButton", "ArrayPanel", "hpc", 3120, 2220, 675, 225, true},
        {"Label6", "QLabel", "ArrayPanel", "Number of Objects", 2460, 2460, 1335, 195, true},
        {"Command2", "QPushButton", "ArrayPanel", ">", 2340, 2700, 435, 315, true},
        {"Textnum", "QLabel", "ArrayPanel", "0", 2820, 2700, 615, 315, true},
        {"Command5", "QPushButton", "ArrayPanel", "<", 3480, 2700, 435, 315, true},
        {"Frame2", "QGroupBox", "ArrayPanel", "Display Setting", 2340, 3120, 1575, 1395, true},
        {"Custins", "QPushButton", "ArrayPanel", "", 60, 4200, 1215, 315, false},
        {"Cbut2", "QPushButton", "client", "CREATE Code", 60, 4740, 1215, 315, true},
        {"Texttocopy", "CopyCarrier", "client", "", 120, 4740, 975, 315, true},
        {"Command4", "QPushButton", "client", "EXIT", 2340, 4740, 1575, 315, true},
        {"OptionObject_0", "QRadioButton", "Frame1", "Option Button", 240, 360, 1515, 225, true},
        {"OptionObject_1", "QRadioButton", "Frame1", "CheckBox", 240, 660, 1515, 225, true},
        {"OptionObject_2", "QRadioButton", "Frame1", "Command Button", 240, 960, 1695, 225, true},
        {"OptionObject_3", "QRadioButton", "Frame1", "Labels", 2400, 360, 1035, 225, true},
        {"OptionObject_4", "QRadioButton", "Frame1", "Text Box", 2400, 660, 1215, 225, true},
        {"OptionObject_5", "QRadioButton", "Frame1", "List Box", 2400, 960, 1035, 225, true},
        {"OptionDislpay_0", "QRadioButton", "Frame2", "Vertical", 120, 300, 1035, 255, true},
        {"OptionDislpay_1", "QRadioButton", "Frame2", "Horizontal", 120, 660, 1215, 255, true},
        {"OptionDislpay_2", "QRadioButton", "Frame2", "Customized", 120, 1020, 1395, 255, true},
        {"Picture1", "LibraryPanel", "client", "", 60, 360, 3855, 195, false},
        {"CboCode", "QComboBox", "Picture1", "", 120, 120, 3675, 315, true},
        {"KeyType", "QLabel", "Picture1", "", 120, 540, 2655, 255, true},
        {"CodeBut", "QPushButton", "Picture1", "Add Code", 2820, 540, 975, 315, false},
        {"CodeBox", "QPlainTextEdit", "Picture1", "", 120, 1260, 3675, 2535, true},
        {"KeyFilter", "QLineEdit", "Picture1", "", 120, 900, 3675, 315, true},
        {"KeyInfo", "QLabel", "Picture1", "", 120, 3840, 3675, 420, true},
        {"Textocopy", "QLineEdit", "Picture1", "", 540, 3840, 2835, 315, true},
        {"Picture2", "DialogPanel", "client", "", 60, 4500, 3855, 195, false},
        {"Opt1", "QRadioButton", "Picture2", "Simple Msg", 60, 180, 1335, 255, true},
        {"Opt2", "QRadioButton", "Picture2", "Msg Box", 1440, 180, 1095, 225, true},
        {"Opt3", "QRadioButton", "Picture2", "Input Box", 2580, 180, 975, 225, true},
        {"Label7", "QLabel", "Picture2", "Button's Type", 120, 600, 1155, 255, true},
        {"Cbox1", "QComboBox", "Picture2", "", 1560, 540, 2175, 315, true},
        {"Label8", "QLabel", "Picture2", "Default Button", 120, 1020, 1395, 315, true},
        {"Cbox2", "QComboBox", "Picture2", "", 1560, 1020, 2175, 315, true},
        {"Label9", "QLabel", "Picture2", "Button's Icon", 120, 1500, 1215, 315, true},
        {"Cbox3", "QComboBox", "Picture2", "", 1560, 1500, 2175, 315, true},
        {"Check1", "QCheckBox", "Picture2", "Set Modal", 120, 1860, 1095, 255, true},
        {"Check2", "QCheckBox", "Picture2", "Use DialogX format", 1560, 1740, 1935, 495, false},
        {"Label10", "QLabel", "Picture2", "TITLE", 120, 2280, 735, 255, true},
        {"Text1", "QLineEdit", "Picture2", "", 1020, 2220, 2655, 285, true},
        {"Label11", "QLabel", "Picture2", "TEXT", 120, 2640, 1215, 255, true},
        {"Text2", "QPlainTextEdit", "Picture2", "Text2", 120, 2820, 3555, 1155, true},
        {"Label5", "QLabel", "Picture2", "Default", 120, 4080, 735, 255, false},
        {"Text4", "QLineEdit", "Picture2", "", 960, 4020, 2715, 285, false},
        {"Picture3", "TabPanel", "client", "", 60, 420, 3855, 195, false},
        {"Label14", "QLabel", "Picture3", "Select the program's code (Format .Txt only)", 120, 0,
         3675, 195, true},
        {"Combo2", "QComboBox", "Picture3", "", 0, 300, 3810, 315, true},
        {"Label16", "QLabel", "Picture3", "Object's Current TAB position", 840, 840, 2775, 255,
         false},
        {"Label17", "QLabel", "Picture3", "", 0, 1140, 1875, 315, false},
        {"Label12", "QLabel", "Picture3", "", 3000, 1140, 555, 315, false},
        {"Label15", "QLabel", "Picture3", "Select New Tab", 1320, 1500, 1515, 255, false},
        {"Combo3", "QComboBox", "Picture3", "", 3000, 1440, 795, 315, false},
        {"Label13", "QLabel", "Picture3", "Objects", 240, 1740, 855, 255, true},
        {"List2", "QListView", "Picture3", "", 1260, 1740, 2535, 1650, true},
        {"List1", "QListView", "Picture3", "", 60, 1980, 1155, 90, false},
        {"List3", "QListView", "Picture3", "", 0, 2280, 1215, 90, false},
        {"List4", "QListView", "Picture3", "", 60, 2640, 1155, 90, false},
        {"List5", "QListView", "Picture3", "", 60, 2880, 1095, 90, false},
        {"List0", "QListView", "Picture3", "", 60, 3180, 1095, 90, false},
        {"Combo4", "QComboBox", "Picture3", "", 120, 3600, 1155, 315, false},
        {"Label18", "QLabel", "Picture3", "Select a form to show objects", 1500, 3660, 2175, 195,
         false},
    };
    for (const Row &r : rows)
        QTest::newRow(r.name) << QString::fromLatin1(r.kind) << QString::fromLatin1(r.container)
                              << QString::fromLatin1(r.caption) << QRect(r.l, r.t, r.w, r.h)
                              << r.shown;
}

// A control stands at its design place. A caption, or the mode selector, that did not fit its
// design width may have grown sideways into free room, never onto a control beside it in its
// row.
void verifyPlace(const QWidget *c, const QRect &twips)
{
    const QRect design(px(twips.x()), px(twips.y()), px(twips.width()), px(twips.height()));
    const bool caption = qobject_cast<const QLabel *>(c) || qobject_cast<const QRadioButton *>(c) ||
                         qobject_cast<const QCheckBox *>(c);
    if (caption) {
        // Every caption shows whole, at most a point smaller than the design font.
        QVERIFY2(c->sizeHint().width() <= c->width(), qPrintable(c->objectName()));
        QVERIFY(c->font().pointSizeF() >= 7.25);
    }
    const bool grows = caption || c->objectName() == QLatin1String("Combo1");
    if (!grows || c->width() == design.width()) {
        QCOMPARE(c->geometry(), design);
        return;
    }
    QCOMPARE(c->y(), design.y());
    QCOMPARE(c->height(), design.height());
    QVERIFY(c->geometry().contains(design));
    QVERIFY(c->x() >= 0 && c->geometry().right() < c->parentWidget()->width());
    for (const QWidget *other :
         c->parentWidget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        const QRect g = other->geometry();
        const bool inRow = g.top() < c->geometry().bottom() && c->geometry().top() < g.bottom();
        const bool beside = g.left() > design.right() || g.right() < design.left();
        QVERIFY2(other == c || !inRow || !beside || !g.intersects(c->geometry()),
                 qPrintable(other->objectName()));
    }
}

void TestProg::inventory()
{
    QFETCH(QString, kind);
    QFETCH(QString, container);
    QFETCH(QString, caption);
    QFETCH(QRect, twips);
    QFETCH(bool, shown);

    UiFixture ui;
    ui.start();
    const QByteArray name = QTest::currentDataTag();
    QWidget *c = ui.w(name.constData());
    QCOMPARE(QString::fromLatin1(c->metaObject()->className()), kind);
    QCOMPARE(c->parentWidget()->objectName(), container);
    QCOMPARE(ui.caption(name.constData()), caption);
    verifyPlace(c, twips);
    QCOMPARE(!c->isHidden(), shown);
}

// As the program starts: the hidden panels come after the first paint, and every control
// of every mode is there, in its place, once the shown window has been painted and the event
// loop has run once.
void TestProg::inventoryAfterFirstPaint()
{
    QFETCH(QString, kind);
    QFETCH(QString, container);
    QFETCH(QRect, twips);
    UiFixture ui;
    ui.prog = std::make_unique<Prog>(ui.platform, Prog::Panels::AfterFirstPaint);
    ui.prog->show();
    QVERIFY(QTest::qWaitForWindowExposed(ui.prog.get()));
    QCoreApplication::processEvents();
    auto *c = ui.prog->findChild<QWidget *>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(c);
    QCOMPARE(QString::fromLatin1(c->metaObject()->className()), kind);
    QCOMPARE(c->parentWidget()->objectName(), container);
    verifyPlace(c, twips);
}

void TestProg::designFonts_data()
{
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");
    QTest::newRow("Command2") << 13.5 << true;
    QTest::newRow("Command5") << 13.5 << true;
    QTest::newRow("Textnum") << 9.75 << true;
    QTest::newRow("Label12") << 9.75 << true;
    QTest::newRow("Label1") << 8.25 << true;
    QTest::newRow("Label4") << 8.25 << true;
    QTest::newRow("Spacelbl") << 8.25 << true;
    QTest::newRow("Cbut2") << 8.25 << true;
}

void TestProg::designFonts()
{
    QFETCH(double, points);
    QFETCH(bool, bold);
    UiFixture ui;
    ui.start();
    const QFont font = ui.w(QTest::currentDataTag())->font();
    QCOMPARE(font.pointSizeF(), points);
    QCOMPARE(font.bold(), bold);
}

void TestProg::windowAndMenu()
{
    UiFixture ui;
    Prog &prog = ui.start();
    QCOMPARE(prog.objectName(), QStringLiteral("Prog"));
    QCOMPARE(prog.windowTitle(), QStringLiteral("Brindle by Tarnwick"));
    // The design's 340 pixels, and the note line under the buttons.
    QCOMPARE(prog.centralWidget()->size(), QSize(266, 359));
    QCOMPARE(prog.pos(), QPoint(300, 100));
    QVERIFY(ui.platform.topmost);

    auto *menu = prog.findChild<QMenu *>(QStringLiteral("SVS"));
    QVERIFY(menu);
    QCOMPARE(menu->title(), QStringLiteral("SERVICES"));
    QStringList items;
    for (QAction *a : menu->actions())
        items << a->objectName() + QLatin1Char('=') +
                     (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(items,
             (QStringList{QStringLiteral("LangRef=NSB Reference"),
                          QStringLiteral("Infact=Installer Prog"), QStringLiteral("Separator=-"),
                          QStringLiteral("QHlP=Quick help"), QStringLiteral("info=About")}));

    // The window cannot be resized.
    prog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&prog));
    QCOMPARE(prog.minimumSize(), prog.maximumSize());
}

void TestProg::startUpState()
{
    UiFixture ui;
    ui.start();
    auto *combo1 = ui.w<QComboBox>("Combo1");
    QCOMPARE(combo1->currentIndex(), -1);
    QCOMPARE(combo1->currentText(), QStringLiteral("Objects Arrays"));
    QStringList modes;
    for (int i = 0; i < combo1->count(); ++i)
        modes << combo1->itemText(i);
    QCOMPARE(modes,
             (QStringList{QStringLiteral("Objects Arrays"), QStringLiteral("Keyword/ErrorCode"),
                          QStringLiteral("Msg-Input Box"), QStringLiteral("TabChange")}));
    QCOMPARE(ui.caption("Cbut2"), QStringLiteral("CREATE Code"));
    QVERIFY(ui.w("Cbut2")->isEnabled());
    for (const char *panel : {"Picture1", "Picture2", "Picture3"})
        QVERIFY(ui.w(panel)->isHidden());
    QVERIFY(ui.w("Frame1")->isVisibleTo(ui.prog.get()));
    QVERIFY(ui.w("Leftbox")->isVisibleTo(ui.prog.get()));
    QVERIFY(ui.platform.messages().isEmpty());
}

void TestProg::startUpListsSamplePrograms()
{
    UiFixture ui;
    ui.writeFile(QStringLiteral("Samples/One.txt"), "x");
    ui.writeFile(QStringLiteral("Samples/TWO.TXT"), "x");
    ui.writeFile(QStringLiteral("Samples/skip.doc"), "x");
    QDir(ui.path(QStringLiteral("Samples"))).mkdir(QStringLiteral("dir.txt"));
    ui.start();
    auto *combo2 = ui.w<QComboBox>("Combo2");
    QStringList names;
    for (int i = 0; i < combo2->count(); ++i)
        names << combo2->itemText(i);
    names.sort();
    QCOMPARE(names, (QStringList{QStringLiteral("One.txt"), QStringLiteral("TWO.TXT")}));
    QCOMPARE(combo2->currentIndex(), -1);
    QVERIFY(!combo2->isEditable());
}

void TestProg::startUpWithoutSamplesFolder()
{
    UiFixture ui(false);
    ui.start();
    QCOMPARE(ui.w<QComboBox>("Combo2")->count(), 0);
    QVERIFY(ui.platform.messages().isEmpty());
}

void TestProg::modeSwitch_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("panel");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("height");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("0 Objects Arrays")
        << 0 << QString() << 0 << 0 << QStringLiteral("CREATE Code") << true;
    QTest::newRow("1 Keyword/ErrorCode")
        << 1 << QStringLiteral("Picture1") << 360 << 4320 << QStringLiteral("Copy Key") << true;
    QTest::newRow("2 Msg-Input Box")
        << 2 << QStringLiteral("Picture2") << 360 << 4350 << QStringLiteral("Preview") << true;
    QTest::newRow("3 TabChange") << 3 << QStringLiteral("Picture3") << 420 << 4200 << QString()
                                 << false;
}

void TestProg::modeSwitch()
{
    QFETCH(int, mode);
    QFETCH(QString, panel);
    QFETCH(int, top);
    QFETCH(int, height);
    QFETCH(QString, caption);
    QFETCH(bool, enabled);

    // Every mode is entered from every other one and applies all of its settings.
    for (int from = 0; from < 4; ++from) {
        UiFixture ui;
        ui.start();
        ui.chooseMode(from);
        ui.chooseMode(mode);
        const QMap<QString, int> designTop{{QStringLiteral("Picture1"), 360},
                                           {QStringLiteral("Picture2"), 4500},
                                           {QStringLiteral("Picture3"), 420}};
        for (auto it = designTop.begin(); it != designTop.end(); ++it) {
            QWidget *p = ui.w(it.key().toLatin1().constData());
            const bool isMode = it.key() == panel;
            QCOMPARE(!p->isHidden(), isMode);
            QCOMPARE(p->y(), px(isMode ? top : it.value()));
            QCOMPARE(p->height(), px(isMode ? height : 195));
            QCOMPARE(p->x(), px(60));
            QCOMPARE(p->width(), px(3855));
        }
        QCOMPARE(ui.caption("Cbut2"), caption);
        QCOMPARE(ui.w("Cbut2")->isEnabled(), enabled);
        QCOMPARE(ui.w("Frame1")->isVisibleTo(ui.prog.get()), mode == 0);
        if (mode == 1)
            QCOMPARE(ui.caption("KeyType"), QStringLiteral("Keyword"));
        if (mode == 2)
            QVERIFY(ui.w<QRadioButton>("Opt2")->isChecked());
        for (const char *shared : {"Command1", "Combo1", "Cbut2", "Command4"})
            QVERIFY(ui.w(shared)->isVisibleTo(ui.prog.get()));
    }
}

void TestProg::modeSwitchKeepsPanelContents()
{
    UiFixture ui;
    ui.start();
    ui.chooseMode(1);
    Controls::setPlainText(ui.w<QPlainTextEdit>("CodeBox"), QStringLiteral("kept"));
    ui.w<QLineEdit>("Texttocopy")->setText(QStringLiteral("carrier"));
    ui.chooseMode(3);
    ui.chooseMode(1);
    QCOMPARE(ui.w<QPlainTextEdit>("CodeBox")->toPlainText(), QStringLiteral("kept"));
    QCOMPARE(ui.caption("Texttocopy"), QStringLiteral("carrier"));
}

void TestProg::typingIntoModeSelectorChangesNothing()
{
    UiFixture ui;
    Prog &prog = ui.start();
    prog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&prog));
    auto *combo1 = ui.w<QComboBox>("Combo1");
    combo1->setFocus();
    combo1->lineEdit()->selectAll();
    QTest::keyClicks(combo1->lineEdit(), QStringLiteral("TabChange"));
    QTest::keyClick(combo1->lineEdit(), Qt::Key_Return);
    QCOMPARE(combo1->count(), 4);
    QVERIFY(ui.w("Picture3")->isHidden());
    QCOMPARE(ui.caption("Cbut2"), QStringLiteral("CREATE Code"));
}

void TestProg::exitReleasesTopmostAndQuits()
{
    UiFixture ui;
    ui.start();
    ui.click("Command4");
    const auto calls = ui.platform.calls;
    QCOMPARE(ui.platform.quitCount, 1);
    QVERIFY(!ui.platform.topmost);
    // Topmost is released before the program ends.
    QCOMPARE(calls.at(calls.size() - 2).kind, QStringLiteral("topmost"));
    QCOMPARE(calls.last().kind, QStringLiteral("quit"));
    QCOMPARE(ui.prog->pos(), QPoint(300, 100));
}

void TestProg::copyCarrierKeepsLineBreaksAndSelectsAll()
{
    UiFixture ui;
    Prog &prog = ui.start();
    prog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&prog));
    auto *carrier = ui.w<QLineEdit>("Texttocopy");
    const QString text = QStringLiteral("a\r\nb\r\n") + QString(40000, QLatin1Char('x'));
    carrier->setText(text);
    QCOMPARE(carrier->text(), text);
    ui.w("Command1")->setFocus();
    carrier->setFocus(Qt::TabFocusReason);
    QCOMPARE(carrier->selectedText(), text);
}

void TestProg::multiLineBoxesKeepEveryCharacter_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("read");
    QTest::newRow("crlf") << QStringLiteral("a\r\nb") << QStringLiteral("a\r\nb");
    QTest::newRow("lf") << QStringLiteral("a\nb\n") << QStringLiteral("a\r\nb\r\n");
    QTest::newRow("empty lines") << QStringLiteral("\r\n\r\nx") << QStringLiteral("\r\n\r\nx");
    QTest::newRow("no-break space")
        << QStringLiteral("a\u00a0b\tc") << QStringLiteral("a\u00a0b\tc");
}

void TestProg::multiLineBoxesKeepEveryCharacter()
{
    QFETCH(QString, typed);
    QFETCH(QString, read);
    QPlainTextEdit box;
    Controls::setPlainText(&box, typed);
    QCOMPARE(Controls::plainText(&box), read);
    box.selectAll();
    QCOMPARE(Controls::selectedText(&box), read);
}

void TestProg::wheelOverUnfocusedListPicksNothing()
{
    UiFixture ui;
    Prog &prog = ui.start();
    prog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&prog));
    ui.chooseMode(1);
    auto *cboCode = ui.w<QComboBox>("CboCode");
    ui.w("CodeBox")->setFocus();
    QWheelEvent wheel(QPointF(5, 5), cboCode->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(cboCode, &wheel);
    QCOMPARE(cboCode->currentIndex(), -1);
    QVERIFY(ui.platform.messages().isEmpty());
}

void TestProg::themeFontsLeaveCaptionsWhole_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("start") << -1;
    QTest::newRow("0 Objects Arrays") << 0;
    QTest::newRow("1 Keyword/ErrorCode") << 1;
    QTest::newRow("2 Msg-Input Box") << 2;
    QTest::newRow("3 TabChange") << 3;
}

// A desktop theme sets a 10 pt font for each kind of control, as KDE and qt6ct do: every
// control keeps the design font, every caption shows whole and no control is cut by its
// container, in every mode and in both kinds of the Msg-Input Box panel that show other
// controls. Run at 100% and, by a second registration, at 200%.
void TestProg::themeFontsLeaveCaptionsWhole()
{
    QFETCH(int, mode);
    const QFont appFont = QApplication::font();
    const auto restore = qScopeGuard([&appFont] { QApplication::setFont(appFont); });
    QFont theme(QStringLiteral("DejaVu Serif"), 10);
    theme.setItalic(true);
    QApplication::setFont(theme);
    for (const char *kind :
         {"QPushButton", "QRadioButton", "QCheckBox", "QLabel", "QComboBox", "QLineEdit",
          "QPlainTextEdit", "QAbstractItemView", "QGroupBox", "QMenuBar"})
        QApplication::setFont(theme, kind);

    UiFixture ui;
    Prog &prog = ui.start();
    prog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&prog));
    if (mode >= 0)
        ui.chooseMode(mode);
    const QList<const char *> kinds =
        mode == 2 ? QList<const char *>{"Opt1", "Opt2", "Opt3"} : QList<const char *>{nullptr};
    const QFont design = Prog::designFont();
    // Every mode's name shows whole in the selector's text field.
    auto *selector = ui.w<QComboBox>("Combo1");
    for (int i = 0; i < selector->count(); ++i)
        QVERIFY2(selector->fontMetrics().horizontalAdvance(selector->itemText(i)) <=
                     selector->lineEdit()->width() - 4,
                 qPrintable(selector->itemText(i)));
    // It shows them in the window's font, having grown into the free room on its left.
    QCOMPARE(selector->font().pointSizeF(), design.pointSizeF());
    for (const char *kind : kinds) {
        if (kind)
            ui.click(kind);
        for (QWidget *w : prog.findChildren<QWidget *>()) {
            if (!w->isVisibleTo(&prog) || w->isWindow())
                continue;
            const QString name =
                w->objectName() + QLatin1Char(' ') + QLatin1String(w->metaObject()->className());
            QCOMPARE(w->font().family(), design.family());
            QVERIFY2(!w->font().italic(), qPrintable(name));
            const double points = w->font().pointSizeF();
            QVERIFY2(points >= 7.0 &&
                         (points <= design.pointSizeF() || points == 9.75 || points == 13.5),
                     qPrintable(name + QStringLiteral(" %1 pt").arg(points)));
            // Nothing stands outside its container, where it would be cut.
            if (w->parentWidget() != &prog)
                QVERIFY2(w->parentWidget()->rect().contains(w->geometry()), qPrintable(name));
            QString caption;
            if (auto *b = qobject_cast<QAbstractButton *>(w))
                caption = b->text();
            else if (auto *l = qobject_cast<QLabel *>(w))
                caption = l->text();
            if (caption.isEmpty())
                continue;
            if (auto *button = qobject_cast<QPushButton *>(w)) {
                // The caption is drawn inside the button's frame.
                QStyleOptionButton option;
                option.initFrom(button);
                option.text = caption;
                if (button->autoDefault())
                    option.features |= QStyleOptionButton::AutoDefaultButton;
                const QRect inside =
                    w->style()->subElementRect(QStyle::SE_PushButtonContents, &option, w);
                QVERIFY2(w->fontMetrics().horizontalAdvance(caption) <= inside.width(),
                         qPrintable(name + QStringLiteral(" %1 > %2")
                                               .arg(w->fontMetrics().horizontalAdvance(caption))
                                               .arg(inside.width())));
            } else {
                QVERIFY2(
                    w->sizeHint().width() <= w->width(),
                    qPrintable(
                        name +
                        QStringLiteral(" %1 > %2").arg(w->sizeHint().width()).arg(w->width())));
            }
            QVERIFY2(
                w->fontMetrics().height() <= w->height() + 1,
                qPrintable(
                    name +
                    QStringLiteral(" %1 > %2").arg(w->fontMetrics().height()).arg(w->height())));
        }
    }
}

void TestProg::tabChain_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("panel");
    QTest::addColumn<bool>("actionEnabled");
    QTest::newRow("start") << -1 << QStringLiteral("ArrayPanel") << true;
    QTest::newRow("0 Objects Arrays") << 0 << QStringLiteral("ArrayPanel") << true;
    QTest::newRow("1 Keyword/ErrorCode") << 1 << QStringLiteral("Picture1") << true;
    QTest::newRow("2 Msg-Input Box") << 2 << QStringLiteral("Picture2") << true;
    QTest::newRow("3 TabChange") << 3 << QStringLiteral("Picture3") << false;
}

// Tab goes from RESET to the mode selector, through the controls of the shown panel only,
// then to the action button (when it can be pressed) and EXIT, and from there back to RESET.
void TestProg::tabChain()
{
    QFETCH(int, mode);
    QFETCH(QString, panel);
    QFETCH(bool, actionEnabled);
    UiFixture ui;
    Prog &prog = ui.start();
    if (mode >= 0)
        ui.chooseMode(mode);
    QStringList own;
    QWidget *shown = ui.w(panel.toLatin1().constData());
    const QWidgetList stops = tabStops(&prog, ui.w("Command1"));
    for (QWidget *w : stops) {
        if (w->parentWidget()->objectName() == QLatin1String("client") &&
            !qobject_cast<ModePanel *>(w)) {
            own << w->objectName();
            continue;
        }
        // Between the mode selector and the action button: a control of the shown panel.
        QVERIFY2(shown->isAncestorOf(w), qPrintable(w->objectName()));
        QCOMPARE(own, (QStringList{QStringLiteral("Combo1")}));
    }
    QStringList expected{QStringLiteral("Combo1"), QStringLiteral("Cbut2"),
                         QStringLiteral("Command4"), QStringLiteral("Command1")};
    if (!actionEnabled)
        expected.removeOne(QStringLiteral("Cbut2"));
    QCOMPARE(own, expected);

    // The keys themselves, across the window's own controls.
    QVERIFY(showActive(prog));
    ui.w("Command4")->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), ui.w("Command1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), ui.w("Combo1"));
    ui.w("Command1")->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), ui.w("Command4"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), stops.at(stops.size() - 3));
    QCOMPARE(QApplication::focusWidget() == ui.w("Cbut2"), actionEnabled);
    // From the copy carrier, which takes the focus with each new text, Tab goes on to EXIT
    // and Shift+Tab back to the action button.
    ui.w("Texttocopy")->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), ui.w("Command4"));
}

void TestProg::focusShowsAtStart()
{
    UiFixture ui;
    Prog &prog = ui.start();
    QVERIFY(showActive(prog));
    QCOMPARE(QApplication::focusWidget(), ui.w("Combo1"));
    QVERIFY(ui.w("Combo1")->hasFocus());
}

void TestProg::accessibleNames_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("name");
    struct Row
    {
        const char *tag;
        int mode;
        const char *name;
    };
    static const Row rows[] = {
        {"Command1", -1, "RESET"},
        {"Combo1", -1, "Mode"},
        {"Cbut2", -1, "CREATE Code"},
        {"Cbut2", 1, "Copy Key"},
        {"Cbut2", 3, "Action: none at this step"},
        {"Texttocopy", -1, "Text to copy"},
        {"Command4", -1, "EXIT"},
        {"ArrayPanel", 0, "Objects Arrays"},
        {"Picture1", 1, "Keyword/ErrorCode"},
        {"Picture2", 2, "Msg-Input Box"},
        {"Picture3", 3, "TabChange"},
    };
    for (const Row &r : rows)
        QTest::addRow("%s in mode %d", r.tag, r.mode) << r.mode << QString::fromLatin1(r.name);
}

// What a screen reader says for each of the window's own controls.
void TestProg::accessibleNames()
{
    QFETCH(int, mode);
    QFETCH(QString, name);
    UiFixture ui;
    ui.start();
    if (mode >= 0)
        ui.chooseMode(mode);
    const QByteArray control = QByteArray(QTest::currentDataTag()).split(' ').first();
    QCOMPARE(accessibleName(ui.w(control.constData())), name);
    // The action button's name follows its caption once it has one again.
    if (mode == 3) {
        ui.chooseMode(0);
        QCOMPARE(accessibleName(ui.w("Cbut2")), QStringLiteral("CREATE Code"));
    }
}

void TestProg::f1OpensQuickHelp_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("page");
    QTest::newRow("0 Objects Arrays") << 0 << QStringLiteral("arrays.html");
    QTest::newRow("1 Keyword/ErrorCode") << 1 << QStringLiteral("keywords.html");
    QTest::newRow("2 Msg-Input Box") << 2 << QStringLiteral("dialogs.html");
    QTest::newRow("3 TabChange") << 3 << QStringLiteral("tabchange.html");
}

// F1 opens the quick help at the page of the mode shown.
void TestProg::f1OpensQuickHelp()
{
    QFETCH(int, mode);
    QFETCH(QString, page);
    UiFixture ui;
    QVERIFY(QDir(ui.path(QString())).mkpath(QStringLiteral("Tools")));
    ui.writeFile(QStringLiteral("Tools/Brindle.chm"), "ITSF");
    QVERIFY(showActive(ui.start()));
    ui.chooseMode(mode);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    const QList<FakePlatform::Call> help = ui.platform.callsOf(QStringLiteral("help"));
    QCOMPARE(help.size(), 1);
    QCOMPARE(QFileInfo(help.first().text).canonicalFilePath(),
             QFileInfo(ui.path(QStringLiteral("Tools/Brindle.chm"))).canonicalFilePath());
    QCOMPARE(help.first().extra, page);
    QVERIFY(ui.platform.messages().isEmpty());
}

void TestProg::focusAfterEachAction_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("byKey");
    QTest::addColumn<QStringList>("focus");
    // The focus after each press of the action button, in turn.
    QTest::newRow("CREATE Code, COPY")
        << 0 << false << QStringList{QStringLiteral("Cbut2"), QStringLiteral("Combo1")};
    QTest::newRow("Preview, COPY")
        << 2 << false << QStringList{QStringLiteral("Cbut2"), QStringLiteral("Combo1")};
    QTest::newRow("Copy Key, Copy Key")
        << 1 << false << QStringList{QStringLiteral("Cbut2"), QStringLiteral("Cbut2")};
    QTest::newRow("Copy Key by its key in the code box")
        << 1 << true << QStringList{QStringLiteral("CodeBox"), QStringLiteral("CodeBox")};
}

// After each action the keyboard focus is where a person sees it and works next: never on the
// copy carrier hidden under the action button, never on EXIT, never nowhere. The carrier
// still holds its whole text selected.
void TestProg::focusAfterEachAction()
{
    QFETCH(int, mode);
    QFETCH(bool, byKey);
    QFETCH(QStringList, focus);
    UiFixture ui;
    Prog &prog = ui.start();
    QVERIFY(showActive(prog));
    ui.chooseMode(mode);
    if (mode == 0) {
        ui.click("OptionObject_2");
        ui.click("Command2");
        ui.click("OptionDislpay_0");
    } else if (mode == 1) {
        ui.choose("CboCode", 0);
        QVERIFY(ui.w<QPlainTextEdit>("CodeBox")->find(QStringLiteral("vbGreen")));
        ui.w("CodeBox")->setFocus(Qt::MouseFocusReason);
    } else {
        ui.w<QPlainTextEdit>("Text2")->setPlainText(QStringLiteral("Saved."));
    }
    auto *carrier = ui.w<QLineEdit>("Texttocopy");
    for (const QString &expected : focus) {
        if (byKey)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return, Qt::ControlModifier);
        else
            QTest::mouseClick(ui.w("Cbut2"), Qt::LeftButton);
        QCOMPARE(focusName(), expected);
        QVERIFY(!carrier->text().isEmpty());
        QCOMPARE(carrier->selectedText(), carrier->text());
    }
    // The keyboard's focus shows.
    QVERIFY(prog.testAttribute(Qt::WA_KeyboardFocusChange));
}

// The note line says what an action did; screen readers have its whole text, also when the
// line shows only its start.
void TestProg::noteIsSpokenWhole()
{
    UiFixture ui(false);
    ui.start();
    auto *note = ui.w<QLabel>("ActionNote");
    ui.click("Cbut2"); // CREATE Code, refused: no kind of object
    const QString refused = QStringLiteral("Nothing created: Objects' type not selected");
    QCOMPARE(note->text(), refused);
    QCOMPARE(accessibleName(note), refused);
    QCOMPARE(note->accessibleDescription(), refused);

    // A store refused for want of a Samples folder: the system's long reason, on one line.
    ui.chooseMode(1);
    ui.choose("CboCode", 8);
    ui.click("CodeBut");
    ui.w<QComboBox>("CboCode")->setEditText(QStringLiteral("Tidy"));
    ui.click("Cbut2");
    const QString whole = accessibleName(note);
    QVERIFY2(whole.startsWith(QStringLiteral("Nothing stored: ")) && !whole.contains(u'\n'),
             qPrintable(whole));
    QVERIFY(note->text().endsWith(QChar(0x2026)) && whole.startsWith(note->text().chopped(1)));
    QCOMPARE(note->toolTip(), whole);
    QCOMPARE(note->accessibleDescription(), whole);
}

void TestProg::keysNamedInTooltips_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QKeySequence>("key");
    const QKeySequence action(Qt::CTRL | Qt::Key_Return);
    QTest::newRow("CREATE Code") << 0 << QStringLiteral("Cbut2") << action;
    QTest::newRow("Copy Key") << 1 << QStringLiteral("Cbut2") << action;
    QTest::newRow("Add Code") << 1 << QStringLiteral("CodeBut")
                              << QKeySequence(Qt::CTRL | Qt::Key_N);
}

// Every action button has a key, which its tooltip names, and the key presses it from wherever
// the focus is in the window.
void TestProg::keysNamedInTooltips()
{
    QFETCH(int, mode);
    QFETCH(QString, control);
    QFETCH(QKeySequence, key);
    UiFixture ui;
    QVERIFY(showActive(ui.start()));
    ui.chooseMode(mode);
    if (control == QLatin1String("CodeBut"))
        ui.choose("CboCode", 8);
    auto *button = ui.w<QAbstractButton>(control.toLatin1().constData());
    QVERIFY2(button->toolTip().contains(key.toString(QKeySequence::NativeText)),
             qPrintable(button->toolTip()));
    QSignalSpy pressed(button, &QAbstractButton::clicked);
    ui.w("Combo1")->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key[0].key()), key[0].keyboardModifiers());
    QCOMPARE(pressed.size(), 1);
}

void TestProg::placeRemembered_data()
{
    QTest::addColumn<std::optional<QPoint>>("remembered");
    QTest::addColumn<QPoint>("place");
    QTest::newRow("none yet") << std::optional<QPoint>() << QPoint(300, 100);
    QTest::newRow("on the screen") << std::optional<QPoint>(QPoint(420, 210)) << QPoint(420, 210);
    QTest::newRow("on a screen no longer there")
        << std::optional<QPoint>(QPoint(4000, 3000)) << QPoint(300, 100);
}

// The window opens where it was last closed while that place is on a screen; EXIT and closing
// the window remember where it is.
void TestProg::placeRemembered()
{
    QFETCH(std::optional<QPoint>, remembered);
    QFETCH(QPoint, place);
    for (const bool byExit : {true, false}) {
        UiFixture ui;
        ui.platform.place = remembered;
        Prog &prog = ui.start();
        QCOMPARE(prog.pos(), place);
        prog.move(place + QPoint(15, 25));
        if (byExit)
            ui.click("Command4");
        else
            QVERIFY(prog.close());
        QCOMPARE(ui.platform.place, std::optional<QPoint>(place + QPoint(15, 25)));
    }
}

void TestProg::panelsAskedBeforeClosing_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("allow");
    for (const char *path : {"EXIT", "window closed", "NSB Reference", "Installer Prog"}) {
        QTest::addRow("%s, closing allowed", path) << QString::fromLatin1(path) << true;
        QTest::addRow("%s, kept open", path) << QString::fromLatin1(path) << false;
    }
}

// Every way out of Brindle asks each panel first, once; a panel that keeps Brindle open
// leaves it as it was: on top, shown, not quitting.
void TestProg::panelsAskedBeforeClosing()
{
    QFETCH(QString, path);
    QFETCH(bool, allow);
    UiFixture ui;
    QVERIFY(QDir(ui.path(QString())).mkpath(QStringLiteral("Tools")));
    ui.writeFile(QStringLiteral("Tools/ReferenceCard.pdf"), "%PDF-1.4\n");
    Prog &prog = ui.start();
    prog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&prog));
    auto *panel = new ClosingPanel(ui.w("client"), allow, ui.platform);

    bool closed = false;
    if (path == QLatin1String("EXIT")) {
        ui.click("Command4");
    } else if (path == QLatin1String("window closed")) {
        closed = prog.close();
    } else if (path == QLatin1String("NSB Reference")) {
        prog.findChild<QAction *>(QStringLiteral("LangRef"))->trigger();
        QCOMPARE(ui.platform.callsOf(QStringLiteral("open")).size(), 1);
    } else {
        ui.platform.inputAnswers.enqueue(QStringLiteral("/opt/setup"));
        prog.findChild<QAction *>(QStringLiteral("Infact"))->trigger();
        QCOMPARE(ui.platform.callsOf(QStringLiteral("start")).size(), 1);
    }

    QCOMPARE(panel->askedWhileOpen, QList<bool>{true});
    const bool windowClosed = path == QLatin1String("window closed");
    if (allow) {
        QCOMPARE(closed || ui.platform.quitCount == 1, true);
        QCOMPARE(prog.isVisible(), !windowClosed);
        // Closing the window ends Brindle without giving up the topmost state first.
        QCOMPARE(ui.platform.topmost, windowClosed);
    } else {
        QVERIFY(!closed);
        QCOMPARE(ui.platform.quitCount, 0);
        QVERIFY(ui.platform.topmost);
        QVERIFY(prog.isVisible());
    }
    QVERIFY(ui.platform.messages().isEmpty());
}

void TestProg::clipboardNeverEmptied_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("category");
    QTest::addColumn<bool>("refusedArray");
    QTest::addColumn<QString>("clipboard");
    QTest::newRow("Copy Key with nothing highlighted") << 1 << 0 << false << QStringLiteral("kept");
    QTest::newRow("Copy Key on the error list") << 1 << 7 << false << QStringLiteral("kept");
    QTest::newRow("COPY after a refused array") << 0 << -1 << true << QStringLiteral("kept");
    QTest::newRow("COPY of a generated array") << 0 << -1 << false << QString();
}

// The copy step with nothing to copy says nothing and leaves what the user had copied before
// on the clipboard; a text to copy replaces it.
void TestProg::clipboardNeverEmptied()
{
    QFETCH(int, mode);
    QFETCH(int, category);
    QFETCH(bool, refusedArray);
    QFETCH(QString, clipboard);
    UiFixture ui;
    ui.start();
    ui.platform.setClipboardText(QStringLiteral("kept"));
    ui.chooseMode(mode);
    if (category >= 0) {
        ui.choose("CboCode", category);
        auto *box = ui.w<QPlainTextEdit>("CodeBox");
        box->moveCursor(QTextCursor::Start);
        if (category == 7)
            box->moveCursor(QTextCursor::EndOfLine, QTextCursor::KeepAnchor);
    } else {
        if (!refusedArray) {
            ui.click("OptionObject_0");
            ui.click("OptionDislpay_0");
        }
        ui.click("Command2");
        ui.click("Cbut2"); // CREATE Code, refused without a kind of object
        QCOMPARE(ui.caption("Cbut2"), ModePanel::copyCaption());
    }
    const qsizetype messages = ui.platform.messages().size();
    const QString carried = ui.caption("Texttocopy");
    ui.click("Cbut2");
    QCOMPARE(ui.platform.messages().size(), messages);
    if (clipboard.isEmpty()) {
        QVERIFY(!carried.isEmpty());
        QCOMPARE(ui.platform.clipboard, carried);
        QCOMPARE(ui.platform.callsOf(QStringLiteral("clipboard")).size(), 2);
    } else {
        QCOMPARE(ui.platform.clipboard, clipboard);
        QCOMPARE(ui.platform.callsOf(QStringLiteral("clipboard")).size(), 1);
    }
}

QTEST_MAIN(TestProg)
#include "tst_prog.moc"
