#pragma once

#include <QMainWindow>

#include <array>

class CopyCarrier;
class ModePanel;
class Platform;
class QAction;
class QComboBox;
class QMenu;
class QPushButton;

// The main window: the mode selector, the action button and its copy carrier, RESET, EXIT,
// the services menu, and the four mode panels, one per mode, which it shows and dispatches to.
class Prog : public QMainWindow
{
    Q_OBJECT

public:
    // When the three hidden mode panels are built: at once, or right after the window's first
    // paint (or when a mode is first chosen, if that comes sooner), so that start-up paints
    // only what it shows.
    enum class Panels { Now, AfterFirstPaint };

    explicit Prog(Platform &platform, Panels panels = Panels::Now, QWidget *parent = nullptr);

    // The window's handlers, named after the control and event that start them.
    void Combo1_Click();
    void CBut2_click();
    void Command1_Click();
    void Command4_Click();
    void LangRef_Click();
    void Infact_Click();
    void QHlP_Click();
    void info_Click();

    // The path of the help file, set when quick help is first used.
    QString helpFile() const { return m_helpFile; }

protected:
    bool event(QEvent *event) override;

private:
    void buildControls();
    // Builds Picture1 to Picture3 once.
    void buildHiddenPanels();
    void buildMenu();
    void Form_Load();

    // The panel of the current mode: the shown one of Picture1 to Picture3, else mode 0's.
    ModePanel *current() const;
    // Shows the current panel's action on the action button.
    void showAction();

    Platform &m_platform;
    QWidget *m_client = nullptr;
    QPushButton *m_command1 = nullptr;
    QComboBox *m_combo1 = nullptr;
    QPushButton *m_cbut2 = nullptr;
    CopyCarrier *m_texttocopy = nullptr;
    QPushButton *m_command4 = nullptr;
    // Indexed by the mode: the array panel, Picture1, Picture2, Picture3.
    std::array<ModePanel *, 4> m_panels{};
    QMenu *m_svs = nullptr;
    bool m_panelsQueued = false;
    QString m_helpFile;
};
