#pragma once

#include "diskfilesteps.h"

#include <QMainWindow>

#include <array>

class CopyCarrier;
class ModePanel;
class Platform;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;

// The main window: the mode selector, the action button and its copy carrier, RESET, EXIT,
// the services menu, and the four mode panels, one per mode, which it shows and dispatches to.
//
// objectName     member            what it is
// Prog           (this)            the window, titled "Brindle by Tarnwick"
// client         m_client          the client area, the container of every control
// Command1       m_resetButton     "RESET": the current mode's controls back to their start
// Combo1         m_modeSelector    the four modes; choosing one switches the window to it
// Cbut2          m_actionButton    the current mode's action: its caption names the next step
// Texttocopy     m_copyCarrier     the text meant for the clipboard, under the action button
// Command4       m_exitButton      "EXIT": ends Brindle
// ActionNote     m_actionNote      one line on what the last action did, or why it did nothing
// SVS            m_servicesMenu    "SERVICES": reference card, installer, quick help, About
// LangRef, Infact, QHlP, info      the services menu's items
// ArrayPanel, Picture1..3          m_panels: the panels of modes 0 to 3
class Prog : public QMainWindow
{
    Q_OBJECT

public:
    // When the three hidden mode panels are built: at once, or right after the window's first
    // paint (or when a mode is first chosen, if that comes sooner), so that start-up paints
    // only what it shows.
    enum class Panels { Now, AfterFirstPaint };

    explicit Prog(Platform &platform, Panels panels = Panels::Now, QWidget *parent = nullptr);

    // The font the window is laid out for: a small sans-serif, as on the handheld's desktop
    // tools. Every control uses it, whatever fonts the desktop's theme sets.
    static QFont designFont();

Q_SIGNALS:
    // The first frame is on the screen: what it does not show can follow now.
    void firstFramePainted();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    // The mode selector, and the action button over the copy carrier it fills.
    void buildModeSelector();
    void buildActionButton();
    // Builds the panels of modes 1 to 3 once.
    void buildHiddenPanels();
    // Right after the first frame: the hidden panels, then the signal.
    void finishFirstFrame();
    void buildMenu();
    // Tab goes from RESET to the mode selector, through the shown panel, then to the action
    // button and EXIT.
    void orderTabs();
    void load();
    // The width the mode selector's text field gives a mode's name, and a font that makes
    // every name fit it.
    int modeNameRoom() const;
    void fitModeNames();

    // The panel of the current mode: the shown one of modes 1 to 3, else mode 0's.
    ModePanel *current() const;
    // Shows the current panel's action on the action button, and in its tooltip what the
    // step does and its shortcut.
    void showAction();
    // Shows a panel's note on the note line, whole to screen readers.
    void showNote(const QString &note);
    // After an action the keyboard focus stays where the user works; it does not stay on the
    // copy carrier hidden under the action button, nor land on EXIT by itself. `before` had the
    // focus when the action started.
    void settleFocus(QWidget *before);
    // The window's place at start: where it was last closed, when that is still on a screen.
    void placeWindow();
    void rememberPlace();
    // Asks every panel to settle what it holds unwritten before Brindle closes; false when
    // the user chose to keep Brindle open.
    bool panelsAllowClose();

    // What the user starts.
    void chooseMode();
    void runAction();
    void reset();
    // Ends Brindle (the topmost state released first), unless a panel keeps it open.
    void exit();
    void openReferenceCard();
    void runInstaller();
    void openQuickHelp();
    void showAbout();

    Platform &m_platform;
    QWidget *m_client = nullptr;
    QPushButton *m_resetButton = nullptr;
    QComboBox *m_modeSelector = nullptr;
    QPushButton *m_actionButton = nullptr;
    CopyCarrier *m_copyCarrier = nullptr;
    QPushButton *m_exitButton = nullptr;
    QLabel *m_actionNote = nullptr;
    // Indexed by the mode: the array panel, Picture1, Picture2, Picture3.
    std::array<ModePanel *, 4> m_panels{};
    QMenu *m_servicesMenu = nullptr;
    bool m_firstPaintSeen = false;
    // The files the TabChange panel reads and writes.
    DiskFileSteps m_tabFiles;
};
