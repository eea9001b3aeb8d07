#pragma once

#include <QFrame>

class ActionHost;
class Platform;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// Panel Picture1, mode 1 "Keyword/ErrorCode": the reference tables and the user's
// stored code snippets.
class LibraryPanel : public QFrame
{
    Q_OBJECT

public:
    LibraryPanel(Platform &platform, ActionHost &host, QWidget *parent);

    // Start-up: fills the category list.
    void Form_Load();
    // Entering mode 1.
    void enterMode();
    // The action button's operations in this mode.
    void WriteFile();
    void CopyC();
    void CopyK();
    // RESET while this panel is shown.
    void Command1_Click();

    // A choice in the category and title list.
    void CboCode_click(int position);
    // "Add Code": prepares the title field and the code box for a new snippet.
    void CodeBut_Click();

private:
    // Appends the items of a bar-separated list to the code box, one per line, and empties it.
    void OpenCode(QString &list);
    // Appends the stored titles to the list, or tells that there are none.
    void CodeSearch();
    // Shows the snippet stored under the title in the title field.
    void ReadFile();

    Platform &m_platform;
    ActionHost &m_host;

    QComboBox *m_cboCode = nullptr;
    QLabel *m_keyType = nullptr;
    QPushButton *m_codeBut = nullptr;
    QPlainTextEdit *m_codeBox = nullptr;
    QLineEdit *m_textocopy = nullptr;

    // The bar-separated list about to be shown in the code box.
    QString m_itemList;
};
