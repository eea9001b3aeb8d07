#include "tabpanel.h"

#include "actionhost.h"
#include "controls.h"
#include "paths.h"
#include "platform.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>

using namespace Controls;

namespace {

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

} // namespace

TabPanel::TabPanel(Platform &platform, ActionHost &host, QWidget *parent)
    : QFrame(parent), m_platform(platform), m_host(host)
{
    setObjectName(QStringLiteral("Picture3"));
    place(this, 60, 420, 3855, 195);
    setAutoFillBackground(true);
    setFrameShape(QFrame::StyledPanel);

    m_label14 = makeControl<QLabel>(this, "Label14",
                               QStringLiteral("Select the program's code (Format .Txt only)"), 120, 0,
                               3675, 195);
    m_combo2 = makeControl<QComboBox>(this, "Combo2", {}, 0, 300, 3810, 315);
    m_label16 = makeControl<QLabel>(this, "Label16", QStringLiteral("Object's Current TAB position"), 840,
                               840, 2775, 255);
    m_label17 = makeControl<QLabel>(this, "Label17", {}, 0, 1140, 1875, 315);
    whiteBackground(m_label17);
    m_label12 = makeControl<QLabel>(this, "Label12", {}, 3000, 1140, 555, 315);
    setDesignFont(m_label12, 9.75, true);
    m_label12->setAlignment(Qt::AlignCenter);
    m_label15 = makeControl<QLabel>(this, "Label15", QStringLiteral("Select New Tab"), 1320, 1500, 1515, 255);
    m_combo3 = makeControl<QComboBox>(this, "Combo3", {}, 3000, 1440, 795, 315);
    m_label13 = makeControl<QLabel>(this, "Label13", QStringLiteral("Objects"), 240, 1740, 855, 255);
    m_list2 = makeControl<QListWidget>(this, "List2", {}, 1260, 1740, 2535, 1650);
    m_list1 = makeControl<QListWidget>(this, "List1", {}, 60, 1980, 1155, 90);
    m_list3 = makeControl<QListWidget>(this, "List3", {}, 0, 2280, 1215, 90);
    m_list4 = makeControl<QListWidget>(this, "List4", {}, 60, 2640, 1155, 90);
    m_list5 = makeControl<QListWidget>(this, "List5", {}, 60, 2880, 1095, 90);
    m_list0 = makeControl<QListWidget>(this, "List0", {}, 60, 3180, 1095, 90);
    m_combo4 = makeControl<QComboBox>(this, "Combo4", {}, 120, 3600, 1155, 315);
    m_label18 = makeControl<QLabel>(this, "Label18", QStringLiteral("Select a form to show objects"), 1500,
                               3660, 2175, 195);

    for (QLabel *l : {m_label14, m_label16, m_label15, m_label13, m_label18})
        setDesignFont(l, 8.25, true);
    for (QWidget *w : std::initializer_list<QWidget *>{m_label16, m_label17, m_label12, m_label15,
                                                      m_combo3, m_list1, m_list3, m_list4, m_list5,
                                                      m_list0, m_combo4, m_label18})
        w->hide();
    hide();
}

void TabPanel::Form_Load()
{
    m_combo2->addItems(Paths::samplePrograms());
    m_combo2->setCurrentIndex(-1);
    m_inGen = false;
}

void TabPanel::Command1_Click()
{
}
