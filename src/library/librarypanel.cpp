#include "librarypanel.h"

#include "controls.h"
#include "paths.h"
#include "platform.h"
#include "referencetables.h"
#include "storedcode.h"
#include "textfile.h"
#include "titlemodel.h"

#include <QComboBox>
#include <QDateTime>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace Controls;

namespace {

const QString keyword = QStringLiteral("Keyword");

constexpr int shownHeight = 4320; // twips
constexpr int hiddenHeight = 195;

QString storedCodePath()
{
    return Paths::at(QLatin1String(StoredCode::relativePath));
}

} // namespace

LibraryPanel::LibraryPanel(Platform &platform, QWidget *parent)
    : ModePanel(parent), m_platform(platform)
{
    setObjectName(QStringLiteral("Picture1"));
    place(this, 60, 360, 3855, 195);
    setAutoFillBackground(true);
    setFrameShape(QFrame::StyledPanel);

    // The title box lies under the code box at design; the code box is drawn above it.
    m_textocopy = makeControl<QLineEdit>(this, "Textocopy", {}, 540, 3840, 2835, 315);
    m_cboCode = makeControl<QComboBox>(this, "CboCode", {}, 120, 120, 3675, 315);
    makeEditableList(m_cboCode);
    m_titles = new TitleModel(this);
    m_cboCode->setModel(m_titles);
    m_keyType = makeControl<QLabel>(this, "KeyType", {}, 120, 540, 2655, 255);
    setDesignFont(m_keyType, 8.25, true);
    m_codeBut =
        makeControl<QPushButton>(this, "CodeBut", QStringLiteral("Add Code"), 2820, 540, 975, 315);
    m_codeBut->hide();
    m_codeBox = makeControl<QPlainTextEdit>(this, "CodeBox", {}, 120, 900, 3675, 3255);
    m_codeBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_codeBox->setLineWrapMode(QPlainTextEdit::NoWrap);
    hide();

    connect(m_cboCode, &QComboBox::activated, this, &LibraryPanel::CboCode_click);
    connect(m_codeBut, &QPushButton::clicked, this, &LibraryPanel::CodeBut_Click);
}

void LibraryPanel::load()
{
    for (int i = 0; i < ReferenceTables::categoryCount; ++i)
        m_titles->appendText(ReferenceTables::category(i));
    // Filling the list picks nothing: the title field stays empty.
    m_cboCode->setCurrentIndex(-1);
    m_cboCode->setEditText(QString());
}

void LibraryPanel::setStep(Step step, bool enabled)
{
    static const QString captions[] = {QStringLiteral("Copy Key"), QString(),
                                       QStringLiteral("COPY CODE"), QStringLiteral("Store Code")};
    m_step = step;
    setAction(captions[int(step)], enabled);
}

void LibraryPanel::enterMode()
{
    setHeight(this, shownHeight);
    show();
    setStep(Step::CopyKey, true);
    m_keyType->setText(keyword);
}

void LibraryPanel::leaveMode()
{
    hide();
    setHeight(this, hiddenHeight);
}

void LibraryPanel::actionClicked()
{
    switch (m_step) {
    case Step::Store:
        WriteFile();
        break;
    case Step::CopyCode:
        CopyC();
        m_platform.setClipboardText(copyText());
        break;
    case Step::CopyKey:
        CopyK();
        m_platform.setClipboardText(copyText());
        break;
    case Step::Nothing:
        break;
    }
}

void LibraryPanel::CboCode_click(int position)
{
    m_codeBox->clear();
    m_itemList.clear();
    if (position < 0)
        return;
    if (position < ReferenceTables::tableCount) {
        m_itemList = ReferenceTables::table(position);
        OpenCode(m_itemList);
    } else if (position == ReferenceTables::myCodePosition) {
        if (m_cboCode->count() != ReferenceTables::categoryCount)
            return;
        CodeSearch();
        m_keyType->setText(QStringLiteral("Dropdown again for stored code or..."));
        setStep(Step::Nothing, action().enabled);
        m_codeBut->show();
    } else {
        ReadFile();
    }
}

void LibraryPanel::OpenCode(QString &list)
{
    appendPlainText(m_codeBox, StoredCode::listToLines(list));
    // Show the list from its top, with the cursor there, as a box whose text was just set.
    m_codeBox->moveCursor(QTextCursor::Start);
    list.clear();
}

void LibraryPanel::CodeSearch()
{
    const QString path = storedCodePath();
    if (!StoredCode::exists(path)) {
        m_platform.messageBox(QStringLiteral("No code's items available"));
        return;
    }
    const Result<QByteArray> file = storedCode();
    if (!file) {
        m_platform.messageBox(QStringLiteral("The stored code in ") + path +
                              QStringLiteral(" cannot be read, so no title is listed.\r\n") +
                              file.message());
        return;
    }
    // Rows of one height let the list's popup lay out many titles without decoding them.
    if (auto *popup = qobject_cast<QListView *>(m_cboCode->view()))
        popup->setUniformItemSizes(true);
    m_titles->appendTitles(file.value());
}

void LibraryPanel::ReadFile()
{
    const Result<QByteArray> file = storedCode();
    m_itemList = file ? StoredCode::snippet(file.value(), m_cboCode->currentText()) : QString();
    setStep(Step::CopyCode, true);
    OpenCode(m_itemList);
}

Result<QByteArray> LibraryPanel::storedCode()
{
    const QString path = storedCodePath();
    const QFileInfo info(path);
    if (!m_stored.isEmpty() && info.size() == m_storedSize && info.lastModified() == m_storedTime &&
        info.exists())
        return m_stored;
    Result<QByteArray> file = TextFile::readBytes(path);
    m_stored = file ? file.value() : QByteArray();
    m_storedSize = info.size();
    m_storedTime = info.lastModified();
    return file;
}

void LibraryPanel::CodeBut_Click()
{
    m_cboCode->setEditText(QString());
    m_codeBox->clear();
    m_keyType->setText(QStringLiteral(" Code's Title"));
    setStep(Step::Store, true);
}

void LibraryPanel::WriteFile()
{
    const QString title = StoredCode::singleLineTitle(m_cboCode->currentText());
    const QString code = plainText(m_codeBox);
    const Result<> storable = StoredCode::storable(title, code);
    if (!storable) {
        // Stored, it would read back altered: keep what the user typed so it can be mended.
        m_platform.messageBox(storable.message() + QStringLiteral("\r\nNothing was stored."));
        return;
    }
    m_textocopy->setText(StoredCode::codeToList(code));
    const Result<> stored = StoredCode::store(storedCodePath(), title, m_textocopy->text());
    if (!stored) {
        // Nothing was stored: keep what the user typed and the "Store Code" state for a retry.
        m_platform.messageBox(QStringLiteral("Error ") + stored.message());
        return;
    }
    m_titles->appendText(title);
    m_cboCode->setEditText(QString());
    m_codeBox->clear();
    m_keyType->setText(keyword);
    setStep(Step::CopyKey, action().enabled);
}

void LibraryPanel::CopyK()
{
    if (m_cboCode->currentText().startsWith(QLatin1String("--E")))
        return;
    setCopyText(selectedText(m_codeBox));
    focusCopyText();
}

void LibraryPanel::CopyC()
{
    setCopyText(plainText(m_codeBox));
    focusCopyText();
}

void LibraryPanel::reset()
{
    m_cboCode->setEditText(QString());
    m_codeBox->clear();
    m_codeBut->hide();
    setStep(Step::CopyKey, true);
    m_keyType->setText(QStringLiteral("KeyWords"));
}
