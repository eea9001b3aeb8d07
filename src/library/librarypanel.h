#pragma once

#include "modepanel.h"
#include "result.h"

#include <QByteArray>
#include <QDateTime>

class Platform;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TitleModel;

// Panel Picture1, mode 1 "Keyword/ErrorCode": the reference tables and the user's
// stored code snippets.
class LibraryPanel : public ModePanel
{
    Q_OBJECT

public:
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

    // The action button's operations in this mode.
    void WriteFile();
    void CopyC();
    void CopyK();

    // A choice in the category and title list.
    void CboCode_click(int position);
    // "Add Code": prepares the title field and the code box for a new snippet.
    void CodeBut_Click();

private:
    // What the action button does: its states while browsing, with titles listed, with a
    // snippet shown and while a snippet is entered.
    enum class Step { CopyKey, Nothing, CopyCode, Store };
    void setStep(Step step, bool enabled);

    // Appends the items of a bar-separated list to the code box, one per line, and empties it.
    void OpenCode(QString &list);
    // Appends the stored titles to the list, or tells that there are none.
    void CodeSearch();
    // Shows the snippet stored under the title in the title field.
    void ReadFile();

    // The stored-code file's bytes, read again only when its size or time changed.
    Result<QByteArray> storedCode();

    Platform &m_platform;
    Step m_step = Step::CopyKey;

    QComboBox *m_cboCode = nullptr;
    TitleModel *m_titles = nullptr;
    QLabel *m_keyType = nullptr;
    QPushButton *m_codeBut = nullptr;
    QPlainTextEdit *m_codeBox = nullptr;
    QLineEdit *m_textocopy = nullptr;

    // The bar-separated list about to be shown in the code box.
    QString m_itemList;

    QByteArray m_stored;
    qint64 m_storedSize = -1;
    QDateTime m_storedTime;
};
