// End-to-end check of the real program: preloaded into the brindle binary, it prepares a
// working folder, then drives the window through one full cycle of every mode by its
// controls' names, as a user would with mouse and keyboard, answering the real dialogs.
// It checks the clipboard and the files written, prints "N passed, M failed" and ends the
// program with exit code 0 only when every check passed.
#include "workedexamples.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace {

int g_passed = 0;
int g_failed = 0;
QTemporaryDir *g_work = nullptr;
QStringList g_dialogTexts;

void check(bool ok, const char *what, const QString &detail = {})
{
    if (ok) {
        ++g_passed;
        return;
    }
    ++g_failed;
    std::fprintf(stderr, "FAIL: %s %s\n", what, qPrintable(detail));
}

void checkEqual(const QString &actual, const QString &expected, const char *what)
{
    check(actual == expected, what,
          QStringLiteral("\n  actual:   [%1]\n  expected: [%2]").arg(actual, expected));
}

QWidget *mainWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("Prog"))
            return w;
    return nullptr;
}

template <class W = QWidget> W *control(const char *name)
{
    QWidget *prog = mainWindow();
    W *w = prog ? prog->findChild<W *>(QString::fromLatin1(name)) : nullptr;
    if (!w) {
        std::fprintf(stderr, "FAIL: no control %s\n", name);
        std::fflush(stderr);
        std::_Exit(2);
    }
    return w;
}

void click(const char *name)
{
    auto *b = control<QAbstractButton>(name);
    QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
}

void choose(const char *name, int index)
{
    auto *combo = control<QComboBox>(name);
    combo->setCurrentIndex(index);
    Q_EMIT combo->activated(index);
}

void type(QWidget *w, const QString &text)
{
    w->setFocus();
    QTest::keyClicks(w, text);
}

void clearAndType(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

// Answers the next modal dialog that opens with the given button (or accepts an input box).
void answerNextDialog(QMessageBox::StandardButton button)
{
    auto *poll = new QTimer(qApp);
    auto started = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, qApp, [poll, button, started] {
        if (++*started > 400) {
            poll->deleteLater();
            return;
        }
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            g_dialogTexts << box->text();
            poll->deleteLater();
            QAbstractButton *b = box->button(button);
            (b ? b : box->buttons().value(0))->click();
        } else if (auto *input = qobject_cast<QInputDialog *>(modal)) {
            g_dialogTexts << input->labelText();
            poll->deleteLater();
            input->accept();
        }
    });
    poll->start(10);
}

QByteArray fileBytes(const QString &relative)
{
    QFile f(QDir::current().filePath(relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString clipboardText()
{
    return QGuiApplication::clipboard()->text();
}

void modeObjectsArrays()
{
    click("OptionObject_2");
    for (int i = 0; i < 3; ++i)
        click("Command2");
    clearAndType(control<QLineEdit>("Leftbox"), QStringLiteral("40"));
    clearAndType(control<QLineEdit>("Topbox"), QStringLiteral("5"));
    click("OptionDislpay_1");
    clearAndType(control<QLineEdit>("spcr"), QStringLiteral("5"));
    click("Cbut2");
    checkEqual(control<QAbstractButton>("Cbut2")->text(), QStringLiteral("COPY"),
               "mode 0 caption after CREATE Code");
    click("Cbut2");
    const QString expected = standardArrayExample();
    checkEqual(clipboardText(), expected, "mode 0 array code on the clipboard");
    check(!control<QAbstractButton>("Cbut2")->isEnabled(),
          "mode 0 action button disabled after COPY");
    click("Command1");
    check(control<QAbstractButton>("Cbut2")->isEnabled(), "mode 0 RESET enables the action button");
}

void modeKeywordErrorCode()
{
    choose("Combo1", 1);
    choose("CboCode", 0);
    auto *codeBox = control<QPlainTextEdit>("CodeBox");
    checkEqual(codeBox->toPlainText().section(QLatin1Char('\n'), 0, 0), QStringLiteral("vbBlack"),
               "mode 1 colour table shown");
    // Highlight the second line, "vbRed", and copy it.
    QTextCursor cursor = codeBox->textCursor();
    cursor.setPosition(8);
    cursor.setPosition(13, QTextCursor::KeepAnchor);
    codeBox->setTextCursor(cursor);
    click("Cbut2");
    checkEqual(clipboardText(), QStringLiteral("vbRed"), "mode 1 Copy Key");

    answerNextDialog(QMessageBox::Ok); // no stored code yet
    choose("CboCode", 8);
    checkEqual(g_dialogTexts.value(0), QStringLiteral("No code's items available"),
               "mode 1 no stored code");
    click("CodeBut");
    clearAndType(control<QComboBox>("CboCode")->lineEdit(), QStringLiteral("Greeting"));
    type(codeBox, QStringLiteral("MsgBox \"Hi\""));
    QTest::keyClick(codeBox, Qt::Key_Return);
    QTest::keyClicks(codeBox, QStringLiteral("Beep"));
    checkEqual(control<QAbstractButton>("Cbut2")->text(), QStringLiteral("Store Code"),
               "mode 1 Store Code caption");
    click("Cbut2");
    checkEqual(QString::fromLatin1(fileBytes(QStringLiteral("Samples/MyCode.Txt"))),
               QStringLiteral("Greeting*MsgBox \"Hi\"|Beep\r\n"), "mode 1 stored-code file");
    auto *cboCode = control<QComboBox>("CboCode");
    checkEqual(cboCode->itemText(cboCode->count() - 1), QStringLiteral("Greeting"),
               "mode 1 title listed");
    choose("CboCode", cboCode->count() - 1);
    click("Cbut2");
    checkEqual(clipboardText(), QStringLiteral("MsgBox \"Hi\"\r\nBeep\r\n"), "mode 1 COPY CODE");
}

void modeMsgInputBox()
{
    choose("Combo1", 2);
    click("Opt1");
    type(control<QPlainTextEdit>("Text2"), QStringLiteral("Done"));
    g_dialogTexts.clear();
    answerNextDialog(QMessageBox::Ok);
    click("Cbut2");
    checkEqual(g_dialogTexts.value(0), QStringLiteral("Done"), "mode 2 preview shown");
    click("Cbut2");
    checkEqual(clipboardText(), QStringLiteral("msgbox (\"Done\")"),
               "mode 2 code on the clipboard");
    checkEqual(control<QAbstractButton>("Cbut2")->text(), QStringLiteral("Preview"),
               "mode 2 caption after COPY");
}

const char programFile[] = "First line of the program\r\n"
                           "Second line of the program\r\n"
                           "' Begin Generated part\r\n"
                           "Dim Form1\r\n"
                           "'\r\n"
                           "New object\r\n"
                           " Set Ctl(1) = OkButton\r\n"
                           "Ctl(1).Caption = OK\r\n"
                           "'\r\n"
                           "New object\r\n"
                           " SET Ctl(2) = NameBox\r\n"
                           "Ctl(2).Text = empty\r\n"
                           "' End Generated part\r\n"
                           "Last line of the program\r\n";

void modeTabChange()
{
    choose("Combo1", 3);
    auto *combo2 = control<QComboBox>("Combo2");
    choose("Combo2", combo2->findText(QStringLiteral("Prog.txt")));
    auto *list2 = control<QListView>("List2");
    const auto count = [list2] { return list2->model()->rowCount(); };
    const auto text = [list2](int row) { return list2->model()->index(row, 0).data().toString(); };
    check(count() == 2, "mode 3 two objects listed");
    if (count() != 2)
        return;
    QTest::mouseClick(list2->viewport(), Qt::LeftButton, {},
                      list2->visualRect(list2->model()->index(0, 0)).center());
    answerNextDialog(QMessageBox::Yes);
    choose("Combo3", 1);
    const QByteArray expected = "First line of the program\r\n"
                                "Second line of the program\r\n"
                                "' Begin Generated part\r\n"
                                "Dim Form1\r\n"
                                "'\r\n"
                                "New object\r\n"
                                " SET Ctl(1) = NameBox\r\n"
                                "Ctl(1).Text = empty\r\n"
                                "'\r\n"
                                "New object\r\n"
                                " Set Ctl(2) = OkButton\r\n"
                                "Ctl(2).Caption = OK\r\n"
                                "' End Generated part\r\n"
                                "Last line of the program\r\n";
    checkEqual(QString::fromLatin1(fileBytes(QStringLiteral("Samples/Prog.txt"))),
               QString::fromLatin1(expected), "mode 3 rewritten program file");
    check(!QFile::exists(QStringLiteral("Samples/Prog.Bak")), "mode 3 no backup left");
    check(count() == 2 && text(0).startsWith(QLatin1String("1  NameBox")), "mode 3 list refreshed");
}

void run()
{
    if (!mainWindow()) {
        QTimer::singleShot(10, qApp, run);
        return;
    }
    modeObjectsArrays();
    modeKeywordErrorCode();
    modeMsgInputBox();
    modeTabChange();
    std::printf("e2e: %d passed, %d failed\n", g_passed, g_failed);
    std::fflush(stdout);
    QApplication::exit(g_failed == 0 ? 0 : 1);
}

void prepare()
{
    g_work = new QTemporaryDir;
    QDir(g_work->path()).mkdir(QStringLiteral("Samples"));
    QFile f(g_work->filePath(QStringLiteral("Samples/Prog.txt")));
    if (f.open(QIODevice::WriteOnly))
        f.write(programFile);
    f.close();
    QDir::setCurrent(g_work->path());
    QTimer::singleShot(0, qApp, run);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(prepare)
