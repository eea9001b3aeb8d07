#include "../tabchange/tabexamples.h"
#include "cli.h"
#include "uitest.h"
#include "writejournal.h"

#include <QCheckBox>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRadioButton>

namespace {

struct Run
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

// The real program, with neither a display nor a platform plugin named, in a folder.
Run runProgram(const QStringList &arguments, const QString &folder = QDir::currentPath(),
               const QByteArray &input = {})
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(folder);
    p.start(QStringLiteral(BRINDLE_PROGRAM), arguments);
    if (!p.waitForStarted())
        return {};
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished();
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

Outcome runHere(const QStringList &arguments, const QByteArray &input = {})
{
    return Cli::run(arguments, [input] { return input; });
}

const char *const kindNames[] = {"option", "check", "command", "label", "text", "list"};

const char *const kindButtons[] = {"OptionObject_0", "OptionObject_1", "OptionObject_2",
                                   "OptionObject_3", "OptionObject_4", "OptionObject_5"};

// Chooses kinds in the window until the suffix reaches `number`, ending with `kind`: a kind
// already selected cannot be chosen again, so the choices alternate with its neighbour.
void chooseKind(const UiFixture &ui, int kind, int number)
{
    for (int i = number - 1; i >= 0; --i)
        ui.click(kindButtons[i % 2 == 0 ? kind : (kind + 1) % 6]);
}

// The clipboard text after CREATE Code and COPY, or the messages shown when it is refused.
QString createAndCopy(UiFixture &ui)
{
    ui.click("Cbut2");
    if (!ui.platform.messages().isEmpty())
        return ui.platform.messages().join(QLatin1Char('\n'));
    ui.click("Cbut2");
    return ui.platform.clipboard;
}

// A two-form program: Form1 holds A, B and C, Form2 holds D.
const QByteArray twoForms = "Head\r\n"
                            "' Begin Generated part\r\n"
                            "Dim Form1\r\n"
                            "'\r\n"
                            "AddObject \"TextBox\",\"A\",1,1,10,10\r\n"
                            " Set Ctl(1) = A\r\n"
                            "Ctl(1).Text = \"a\"\r\n"
                            "'\r\n"
                            "AddObject \"Label\",\"B\",1,20,10,10\r\n"
                            " Set Ctl(2) = B\r\n"
                            "'\r\n"
                            "AddObject \"CommandButton\",\"C\",1,40,10,10\r\n"
                            " Set Ctl(3) = C\r\n"
                            "Ctl(3).Caption = \"c\"\r\n"
                            "'\r\n"
                            "Dim Form2\r\n"
                            "'\r\n"
                            "New object\r\n"
                            " Set Ctl(1) = D\r\n"
                            "' End Generated part\r\n"
                            "Sub Tail\r\n";

// The blocks of Form1 in a given order, each renumbered to its place.
QByteArray form1In(const QByteArray &order)
{
    const QByteArray blocks[3] = {"AddObject \"TextBox\",\"A\",1,1,10,10\r\n"
                                  " Set Ctl(%1) = A\r\n"
                                  "Ctl(%1).Text = \"a\"\r\n'\r\n",
                                  "AddObject \"Label\",\"B\",1,20,10,10\r\n"
                                  " Set Ctl(%1) = B\r\n'\r\n",
                                  "AddObject \"CommandButton\",\"C\",1,40,10,10\r\n"
                                  " Set Ctl(%1) = C\r\n"
                                  "Ctl(%1).Caption = \"c\"\r\n'\r\n"};
    QByteArray file = twoForms.left(twoForms.indexOf("AddObject"));
    for (int i = 0; i < order.size(); ++i)
        file += QByteArray(blocks[order[i] - 'A']).replace("%1", QByteArray::number(i + 1));
    return file + twoForms.mid(twoForms.indexOf("Dim Form2"));
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void arrayIsTheWindowsClipboard_data();
    void arrayIsTheWindowsClipboard();
    void dialogIsTheWindowsClipboard_data();
    void dialogIsTheWindowsClipboard();
    void tabOrder_data();
    void tabOrder();
    void tabOrderKeepsPermissionsAndLists();
    void exitStatusAndMessage_data();
    void exitStatusAndMessage();
    void snippets();
    void programWithoutDisplay();
};

void TestCli::arrayIsTheWindowsClipboard_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("layout"); // 0 vertical, 1 horizontal, 2 customized
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("spacer");
    QTest::addColumn<QStringList>("boxes"); // top, left, width, height, or the positions
    QTest::addColumn<QString>("device");
    QTest::addColumn<int>("number");

    const QStringList start{QStringLiteral("10"), QStringLiteral("10"), QStringLiteral("70"),
                            QStringLiteral("21")};
    const QStringList moved{QStringLiteral("5"), QStringLiteral("40"), QStringLiteral("60.5"),
                            QStringLiteral("18")};
    const QStringList positions{QStringLiteral("40,5,70,21"), QStringLiteral("70,5,70,21"),
                                QStringLiteral("100,5,70,21")};
    for (int k = 0; k < 6; ++k) {
        const auto row = [&](const char *what) -> QTestData & {
            return QTest::addRow("%s %s", kindNames[k], what);
        };
        row("vertical") << k << 0 << 3 << QStringLiteral("0") << start << QString() << 1;
        row("horizontal") << k << 1 << 4 << QStringLiteral("0") << start << QString() << 1;
        row("vertical spacer") << k << 0 << 5 << QStringLiteral("4") << moved
                               << QStringLiteral("ppc") << 2;
        row("horizontal spacer") << k << 1 << 2 << QStringLiteral("2.5") << moved
                                 << QStringLiteral("hpc") << 3;
        row("customized") << k << 2 << 3 << QString() << positions << QString() << 1;
        row("customized numbered")
            << k << 2 << 1 << QString() << positions.mid(0, 1) << QStringLiteral("ppc") << 4;
    }
    // The fit check: 21 x 14 + 10 = 304 exceeds the ppc's 300; 13 objects (283) fit. The
    // window's first generation measures from 0, as the command does from its own top.
    QTest::newRow("ppc too many") << 3 << 0 << 14 << QStringLiteral("0")
                                  << QStringList{QStringLiteral("0"), QStringLiteral("0"),
                                                 QStringLiteral("70"), QStringLiteral("21")}
                                  << QStringLiteral("ppc") << 1;
    QTest::newRow("ppc fits") << 3 << 0 << 13 << QStringLiteral("0")
                              << QStringList{QStringLiteral("0"), QStringLiteral("0"),
                                             QStringLiteral("70"), QStringLiteral("21")}
                              << QStringLiteral("ppc") << 1;
    QTest::newRow("hpc too wide") << 2 << 1 << 9 << QStringLiteral("0")
                                  << QStringList{QStringLiteral("0"), QStringLiteral("0"),
                                                 QStringLiteral("70"), QStringLiteral("21")}
                                  << QStringLiteral("hpc") << 1;
    // Each device by its own limits: the hpc is lower (200) and wider (600) than the ppc.
    QTest::newRow("hpc too tall for its 200")
        << 3 << 0 << 10 << QStringLiteral("0")
        << QStringList{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("70"),
                       QStringLiteral("21")}
        << QStringLiteral("hpc") << 1;
    QTest::newRow("hpc wider than a ppc") << 3 << 1 << 8 << QStringLiteral("0")
                                          << QStringList{QStringLiteral("0"), QStringLiteral("0"),
                                                         QStringLiteral("70"), QStringLiteral("21")}
                                          << QStringLiteral("hpc") << 1;
}

void TestCli::arrayIsTheWindowsClipboard()
{
    QFETCH(int, kind);
    QFETCH(int, layout);
    QFETCH(int, count);
    QFETCH(QString, spacer);
    QFETCH(QStringList, boxes);
    QFETCH(QString, device);
    QFETCH(int, number);

    UiFixture ui;
    ui.start();
    chooseKind(ui, kind, number);
    for (int i = 0; i < count; ++i)
        ui.click("Command2");
    if (!device.isEmpty())
        ui.click(device == QLatin1String("ppc") ? "Option1" : "Option2");
    QStringList arguments{QStringLiteral("array"), QString::fromLatin1(kindNames[kind])};
    if (layout < 2) {
        ui.w<QLineEdit>("Leftbox")->setText(boxes[0]);
        ui.w<QLineEdit>("Topbox")->setText(boxes[1]);
        ui.w<QLineEdit>("Widthbox")->setText(boxes[2]);
        ui.w<QLineEdit>("Highbox")->setText(boxes[3]);
        ui.click(layout == 0 ? "OptionDislpay_0" : "OptionDislpay_1");
        if (spacer != QLatin1String("0"))
            ui.w<QLineEdit>("spcr")->setText(spacer);
        arguments << QString::number(count)
                  << (layout == 0 ? QStringLiteral("--vertical") : QStringLiteral("--horizontal"))
                  << QStringLiteral("--top") << boxes[0] << QStringLiteral("--left") << boxes[1]
                  << QStringLiteral("--width") << boxes[2] << QStringLiteral("--height") << boxes[3]
                  << QStringLiteral("--spacer") << spacer;
    } else {
        ui.click("OptionDislpay_2");
        for (const QString &entry : boxes) {
            const QStringList f = entry.split(QLatin1Char(','));
            for (int i = 0; i < 4; ++i)
                ui.w<QLineEdit>(std::array{"Leftbox", "Topbox", "Widthbox", "Highbox"}[size_t(i)])
                    ->setText(f[i]);
            ui.click("Custins");
        }
        arguments << QStringLiteral("--custom") << boxes.join(QLatin1Char('|'));
    }
    if (!device.isEmpty())
        arguments << QStringLiteral("--device") << device;
    arguments << QStringLiteral("--number") << QString::number(number);

    const QString window = createAndCopy(ui);
    const bool refused = ui.platform.messages().size() > 0;
    const Run run = runProgram(arguments);
    QCOMPARE(run.status, refused ? 1 : 0);
    if (refused) {
        QVERIFY(run.out.isEmpty());
        QCOMPARE(QString::fromLocal8Bit(run.err),
                 QString(window).replace(QStringLiteral("\r\n"), QStringLiteral("\n")) +
                     QLatin1Char('\n'));
    } else {
        QVERIFY(window.contains(QStringLiteral("\r\n")));
        QCOMPARE(run.out, window.toLocal8Bit());
        QVERIFY(run.err.isEmpty());
    }
}

void TestCli::dialogIsTheWindowsClipboard_data()
{
    QTest::addColumn<QString>("kind"); // Opt1, Opt2 or Opt3
    QTest::addColumn<int>("buttons");  // list index, -1 for none picked
    QTest::addColumn<int>("defaultButton");
    QTest::addColumn<int>("icon");
    QTest::addColumn<bool>("modal");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text"); // LF between lines, as typed
    QTest::addColumn<QString>("defaultAnswer");
    QTest::addColumn<bool>("dialogX");
    QTest::addColumn<QStringList>("arguments");

    const QString opt2 = QStringLiteral("Opt2");
    const char *const sets[] = {"ok-only",       "ok-cancel", "abort-retry-ignore",
                                "yes-no-cancel", "yes-no",    "retry-cancel"};
    const char *const icons[] = {"critical", "query", "warning", "inform"};
    for (int b = 0; b < 6; ++b) {
        QTest::addRow("%s", sets[b])
            << opt2 << b << -1 << -1 << false << QString() << QStringLiteral("Go on?") << QString()
            << false
            << QStringList{QStringLiteral("msgbox"), QStringLiteral("--buttons"),
                           QString::fromLatin1(sets[b]), QStringLiteral("--text"),
                           QStringLiteral("Go on?")};
        QTest::addRow("%s all choices", sets[b])
            << opt2 << b << b % 4 << (b + 1) % 4 << (b % 2 == 0) << QStringLiteral("Stock")
            << QStringLiteral("Line one\nLine \"two\"\n\nfour") << QString() << false
            << (QStringList{QStringLiteral("msgbox"), QStringLiteral("--buttons"),
                            QString::fromLatin1(sets[b]), QStringLiteral("--default-button"),
                            QString::number(b % 4 + 1), QStringLiteral("--icon"),
                            QString::fromLatin1(icons[(b + 1) % 4]), QStringLiteral("--title"),
                            QStringLiteral("Stock"), QStringLiteral("--text"),
                            QStringLiteral("Line one"), QStringLiteral("--text"),
                            QStringLiteral("Line \"two\"\n\nfour")}
                << (b % 2 == 0 ? QStringList{QStringLiteral("--modal")} : QStringList{}));
    }
    QTest::newRow("no button set")
        << opt2 << -1 << 2 << -1 << false << QString() << QStringLiteral("Hi") << QString() << false
        << QStringList{QStringLiteral("msgbox"), QStringLiteral("--default-button"),
                       QStringLiteral("3"), QStringLiteral("--text"), QStringLiteral("Hi")};
    QTest::newRow("simple") << QStringLiteral("Opt1") << -1 << -1 << -1 << false << QString()
                            << QStringLiteral("Hi\nthere") << QString() << false
                            << QStringList{QStringLiteral("msgbox"), QStringLiteral("--simple"),
                                           QStringLiteral("--text"), QStringLiteral("Hi\r\nthere")};
    QTest::newRow("input box")
        << QStringLiteral("Opt3") << -1 << -1 << -1 << false << QStringLiteral("Qty")
        << QStringLiteral("How many?") << QStringLiteral("1") << false
        << QStringList{QStringLiteral("inputbox"),  QStringLiteral("--text"),
                       QStringLiteral("How many?"), QStringLiteral("--title"),
                       QStringLiteral("Qty"),       QStringLiteral("--default-answer"),
                       QStringLiteral("1")};
    QTest::newRow("input box dialogx")
        << QStringLiteral("Opt3") << -1 << -1 << -1 << false << QString()
        << QStringLiteral("Name\nplease") << QString() << true
        << QStringList{QStringLiteral("inputbox"), QStringLiteral("--dialogx"),
                       QStringLiteral("--text"),   QStringLiteral("Name"),
                       QStringLiteral("--text"),   QStringLiteral("please")};
    QTest::newRow("input box, quotation marks")
        << QStringLiteral("Opt3") << -1 << -1 << -1 << false << QStringLiteral("\"Qty\"")
        << QStringLiteral("How \"many\"?\n\"") << QStringLiteral("\"1\"") << false
        << QStringList{QStringLiteral("inputbox"),
                       QStringLiteral("--text"),
                       QStringLiteral("How \"many\"?"),
                       QStringLiteral("--text"),
                       QStringLiteral("\""),
                       QStringLiteral("--title"),
                       QStringLiteral("\"Qty\""),
                       QStringLiteral("--default-answer"),
                       QStringLiteral("\"1\"")};
    QTest::newRow("six lines") << opt2 << 1 << -1 << -1 << false << QString()
                               << QStringLiteral("1\n2\n3\n4\n5\n6") << QString() << false
                               << QStringList{QStringLiteral("msgbox"), QStringLiteral("--buttons"),
                                              QStringLiteral("ok-cancel"), QStringLiteral("--text"),
                                              QStringLiteral("1\n2\n3\n4\n5\n6")};
}

void TestCli::dialogIsTheWindowsClipboard()
{
    QFETCH(QString, kind);
    QFETCH(int, buttons);
    QFETCH(int, defaultButton);
    QFETCH(int, icon);
    QFETCH(bool, modal);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(QString, defaultAnswer);
    QFETCH(bool, dialogX);
    QFETCH(QStringList, arguments);

    UiFixture ui;
    ui.start();
    ui.chooseMode(2);
    ui.click(kind.toLatin1().constData());
    if (buttons >= 0)
        ui.choose("Cbox1", buttons);
    if (defaultButton >= 0)
        ui.choose("Cbox2", defaultButton);
    if (icon >= 0)
        ui.choose("Cbox3", icon);
    ui.w<QCheckBox>("Check1")->setChecked(modal);
    ui.w<QCheckBox>("Check2")->setChecked(dialogX);
    ui.w<QLineEdit>("Text1")->setText(title);
    ui.w<QLineEdit>("Text4")->setText(defaultAnswer);
    ui.w<QPlainTextEdit>("Text2")->setPlainText(text);
    ui.click("Cbut2");
    // The preview shows a dialog; the refusal of too many lines is a message and no COPY.
    const bool copied = ui.caption("Cbut2") == QLatin1String("COPY");
    QString window;
    if (copied) {
        ui.click("Cbut2");
        window = ui.platform.clipboard;
    } else {
        window = ui.platform.messages().join(QLatin1Char('\n'));
    }

    const Outcome o = runHere(arguments);
    QCOMPARE(o.status, copied ? 0 : 1);
    QCOMPARE(copied ? QString::fromLocal8Bit(o.out) : o.err, window);
}

void TestCli::tabOrder_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QStringList>("arguments"); // after the file
    QTest::addColumn<QString>("leftover"); // backup, temporary (of a stopped write), swapped out
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<QString>("message"); // the start of standard error

    const QString form1 = QStringLiteral("--form");
    QTest::newRow("swap") << twoForms
                          << QStringList{form1, QStringLiteral("Form1"), QStringLiteral("--swap"),
                                         QStringLiteral("C"), QStringLiteral("1")}
                          << QString() << 0 << form1In("CBA") << QString();
    QTest::newRow("swap to its own place")
        << twoForms
        << QStringList{form1, QStringLiteral("Form1"), QStringLiteral("--swap"),
                       QStringLiteral("b"), QStringLiteral("2")}
        << QString() << 0 << twoForms << QString();
    QTest::newRow("whole order") << twoForms
                                 << QStringList{form1, QStringLiteral("form1"),
                                                QStringLiteral("--order"), QStringLiteral("B,C,A")}
                                 << QString() << 0 << form1In("BCA") << QString();
    QTest::newRow("order of some") << twoForms
                                   << QStringList{form1, QStringLiteral("Form1"),
                                                  QStringLiteral("--order"), QStringLiteral("C")}
                                   << QString() << 0 << form1In("CAB") << QString();
    QTest::newRow("one form needs no --form")
        << form1In("ABC").left(form1In("ABC").indexOf("Dim Form2")) + "' End\r\n"
        << QStringList{QStringLiteral("--order"), QStringLiteral("B")} << QString() << 0
        << form1In("BAC").left(form1In("BAC").indexOf("Dim Form2")) + "' End\r\n"
        << QString();
    // An apostrophe and " Set" inside strings are neither a block's end nor an object.
    const QByteArray quotes = "' Begin Generated part\r\n"
                              "Dim Form1\r\n"
                              "'\r\n"
                              "New object\r\n"
                              " Set Ctl(1) = ItemBox\r\n"
                              "Ctl(1).Text = \" Set the item\"\r\n"
                              "'\r\n"
                              "New object\r\n"
                              " Set Ctl(2) = AddButton\r\n"
                              "Ctl(2).Caption = \"Don't add twice\"\r\n"
                              "Ctl(2).Left = 5 ' left edge\r\n"
                              "'\r\n"
                              "' End Generated part\r\n";
    QTest::newRow("quotes in property lines")
        << quotes
        << QStringList{QStringLiteral("--swap"), QStringLiteral("AddButton"), QStringLiteral("1")}
        << QString() << 0
        << QByteArray("' Begin Generated part\r\n"
                      "Dim Form1\r\n"
                      "'\r\n"
                      "New object\r\n"
                      " Set Ctl(1) = AddButton\r\n"
                      "Ctl(1).Caption = \"Don't add twice\"\r\n"
                      "Ctl(1).Left = 5 ' left edge\r\n"
                      "'\r\n"
                      "New object\r\n"
                      " Set Ctl(2) = ItemBox\r\n"
                      "Ctl(2).Text = \" Set the item\"\r\n"
                      "'\r\n"
                      "' End Generated part\r\n")
        << QString();
    QTest::newRow("leftover backup") << twoForms
                                     << QStringList{form1, QStringLiteral("Form1"),
                                                    QStringLiteral("--order"), QStringLiteral("C")}
                                     << QStringLiteral("backup") << 1 << twoForms
                                     << QStringLiteral("The TAB change could not be written to ");
    // Files a stopped write left are in no write's way: named after the outcome, kept.
    QTest::newRow("temporary of a stopped write")
        << twoForms
        << QStringList{form1, QStringLiteral("Form1"), QStringLiteral("--order"),
                       QStringLiteral("C")}
        << QStringLiteral("temporary") << 0 << form1In("CAB") << QStringLiteral("The file ");
    QTest::newRow("swapped out by a stopped write")
        << twoForms << QStringList{form1, QStringLiteral("Form1"), QStringLiteral("--list")}
        << QStringLiteral("swapped out") << 0 << twoForms << QStringLiteral("The file ");
    QTest::newRow("unknown object")
        << twoForms
        << QStringList{form1, QStringLiteral("Form1"), QStringLiteral("--swap"),
                       QStringLiteral("D"), QStringLiteral("1")}
        << QString() << 1 << twoForms << QStringLiteral("No object D in Prog.txt");
    QTest::newRow("unknown form") << twoForms
                                  << QStringList{form1, QStringLiteral("Form3"),
                                                 QStringLiteral("--list")}
                                  << QString() << 1 << twoForms
                                  << QStringLiteral("No form Form3 in Prog.txt");
    QTest::newRow("several forms")
        << twoForms << QStringList{QStringLiteral("--order"), QStringLiteral("C")} << QString() << 2
        << twoForms
        << QStringLiteral("brindle tab-order: the file has several "
                          "forms: give --form (Form1, Form2)");
    QTest::newRow("position out of range")
        << twoForms
        << QStringList{form1, QStringLiteral("Form1"), QStringLiteral("--swap"),
                       QStringLiteral("A"), QStringLiteral("4")}
        << QString() << 2 << twoForms
        << QStringLiteral("brindle tab-order: POSITION is a whole number from 1 to 3");
    QTest::newRow("name twice") << twoForms
                                << QStringList{form1, QStringLiteral("Form1"),
                                               QStringLiteral("--order"), QStringLiteral("A,B,A")}
                                << QString() << 2 << twoForms
                                << QStringLiteral("brindle tab-order: A is given more than once");
    QTest::newRow("by position") << placedForm({7, 2, 11, 4, 9, 1, 12, 5, 3, 10, 8, 6})
                                 << QStringList{QStringLiteral("--by-position")} << QString() << 0
                                 << placedForm({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})
                                 << QString();
    QTest::newRow("by position, already in order")
        << placedForm({1, 2, 3}) << QStringList{QStringLiteral("--by-position")} << QString() << 0
        << placedForm({1, 2, 3}) << QString();
    QTest::newRow("by position with another action")
        << twoForms << QStringList{QStringLiteral("--by-position"), QStringLiteral("--list")}
        << QString() << 2 << twoForms
        << QStringLiteral("brindle tab-order: give one of --list, --order, --swap, --by-position "
                          "or --forms");
    QTest::newRow("not generated code")
        << QByteArray("Sub Main\r\nEnd Sub\r\n") << QStringList{QStringLiteral("--list")}
        << QString() << 1 << QByteArray("Sub Main\r\nEnd Sub\r\n")
        << QStringLiteral("Form Code does not comply with Generated code format");
}

void TestCli::tabOrder()
{
    QFETCH(QByteArray, before);
    QFETCH(QStringList, arguments);
    QFETCH(QString, leftover);
    QFETCH(int, status);
    QFETCH(QByteArray, after);
    QFETCH(QString, message);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Prog.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(before);
    file.close();
    const bool leftoverBackup = leftover == QLatin1String("backup");
    if (leftoverBackup) {
        QFile backup(dir.filePath(QStringLiteral("Prog.Bak")));
        QVERIFY(backup.open(QIODevice::WriteOnly));
    }
    const QString temporary = QDir::toNativeSeparators(path + QStringLiteral(".aB3xYz"));
    WriteJournal stopped; // a write stopped before its end leaves its notes
    if (!leftover.isEmpty() && !leftoverBackup) {
        QFile left(temporary);
        QVERIFY(left.open(QIODevice::WriteOnly));
        QVERIFY(stopped.writing(path, temporary).ok());
        if (leftover == QLatin1String("swapped out"))
            QVERIFY(stopped.swapping(temporary).ok());
    }

    const Outcome o = runHere(QStringList{QStringLiteral("tab-order"), path} + arguments);
    QCOMPARE(o.status, status);
    QVERIFY2(
        QString(o.err).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).startsWith(message),
        qPrintable(o.err));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), after);
    if (leftoverBackup)
        QVERIFY2(o.err.contains(QStringLiteral("Prog.Bak already exists")), qPrintable(o.err));
    // The rewrite's own backup is gone; a leftover one stays untouched.
    QCOMPARE(QFile::exists(dir.filePath(QStringLiteral("Prog.Bak"))), leftoverBackup);
    // Every leftover is named, and kept.
    if (!leftover.isEmpty() && !leftoverBackup) {
        QVERIFY2(o.err.contains(temporary), qPrintable(o.err));
        QVERIFY(QFile::exists(temporary));
    }
}

void TestCli::tabOrderKeepsPermissionsAndLists()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Prog.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(twoForms);
    file.close();
    const auto permissions =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    QVERIFY(file.setPermissions(permissions));

    const Run swapped = runProgram({QStringLiteral("tab-order"), path, QStringLiteral("--form"),
                                    QStringLiteral("Form1"), QStringLiteral("--swap"),
                                    QStringLiteral("A"), QStringLiteral("3")});
    QCOMPARE(swapped.status, 0);
    // Owner, group and others; Qt also reports the running user's own bits.
    QCOMPARE(QFileInfo(path).permissions() & 0x7077, permissions);

    const Run listed = runProgram({QStringLiteral("tab-order"), path, QStringLiteral("--form"),
                                   QStringLiteral("Form1"), QStringLiteral("--list")});
    QCOMPARE(listed.status, 0);
    QCOMPARE(listed.out, QByteArray("1\tC\tCommandButton\n2\tB\tLabel\n3\tA\tTextBox\n"));
    const Outcome form2 = runHere({QStringLiteral("tab-order"), path, QStringLiteral("--form"),
                                   QStringLiteral("Form2"), QStringLiteral("--list")});
    QCOMPARE(form2.out, QByteArray("1\tD\t-\n"));
}

void TestCli::exitStatusAndMessage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message"); // the first line of standard error

    const auto row = [](const char *name, QStringList arguments, int status, const char *message) {
        QTest::newRow(name) << arguments << status << QString::fromUtf8(message);
    };
    const QString array = QStringLiteral("array");
    row("no command", {}, 2, "brindle: no command");
    row("unknown command", {QStringLiteral("arrays")}, 2, "brindle: unknown command 'arrays'");
    row("unknown option", {array, QStringLiteral("--colour")}, 2,
        "brindle array: Unknown option 'colour'.");
    row("no kind", {array}, 2, "brindle array: KIND is missing");
    row("unknown kind", {array, QStringLiteral("button"), QStringLiteral("3")}, 2,
        "brindle array: unknown KIND 'button' (one of option, check, command, label, text, list)");
    row("no layout", {array, QStringLiteral("label"), QStringLiteral("3")}, 2,
        "brindle array: give one layout: --vertical, --horizontal or --custom");
    row("two layouts",
        {array, QStringLiteral("label"), QStringLiteral("3"), QStringLiteral("--vertical"),
         QStringLiteral("--horizontal")},
        2, "brindle array: give one layout: --vertical, --horizontal or --custom");
    row("no count", {array, QStringLiteral("label"), QStringLiteral("--vertical")}, 2,
        "brindle array: COUNT is missing");
    row("count not a number",
        {array, QStringLiteral("label"), QStringLiteral("x"), QStringLiteral("--vertical")}, 2,
        "brindle array: COUNT is a whole number from 1 to 32767");
    row("count of none",
        {array, QStringLiteral("label"), QStringLiteral("0"), QStringLiteral("--vertical")}, 2,
        "brindle array: COUNT is a whole number from 1 to 32767");
    row("top not a number",
        {array, QStringLiteral("command"), QStringLiteral("3"), QStringLiteral("--vertical"),
         QStringLiteral("--top"), QStringLiteral("abc")},
        2, "brindle array: --top takes a number from -32768 to 32767, not 'abc'");
    row("spacer not a number",
        {array, QStringLiteral("command"), QStringLiteral("3"), QStringLiteral("--horizontal"),
         QStringLiteral("--spacer"), QStringLiteral("x")},
        2, "brindle array: --spacer takes a number from -32768 to 32767, not 'x'");
    row("height out of range",
        {array, QStringLiteral("command"), QStringLiteral("3"), QStringLiteral("--vertical"),
         QStringLiteral("--height"), QStringLiteral("40000")},
        2, "brindle array: --height takes a number from -32768 to 32767, not '40000'");
    row("count with custom",
        {array, QStringLiteral("label"), QStringLiteral("2"), QStringLiteral("--custom"),
         QStringLiteral("1,2,3,4")},
        2, "brindle array: --custom takes no COUNT: it is the number of positions");
    row("short position",
        {array, QStringLiteral("label"), QStringLiteral("--custom"), QStringLiteral("1,2,3|")}, 2,
        "brindle array: a position needs four values T,L,W,H, not '1,2,3'");
    row("unknown device",
        {array, QStringLiteral("label"), QStringLiteral("2"), QStringLiteral("--vertical"),
         QStringLiteral("--device"), QStringLiteral("pda")},
        2, "brindle array: --device is ppc or hpc");
    row("number 0",
        {array, QStringLiteral("label"), QStringLiteral("2"), QStringLiteral("--vertical"),
         QStringLiteral("--number"), QStringLiteral("0")},
        2, "brindle array: --number takes a whole number from 1 to 99999");
    row("height 0 leaves no layout",
        {array, QStringLiteral("label"), QStringLiteral("2"), QStringLiteral("--vertical"),
         QStringLiteral("--height"), QStringLiteral("0")},
        1, "Not selected display mode");
    row("msgbox without text", {QStringLiteral("msgbox")}, 2, "brindle msgbox: --text is missing");
    row("msgbox empty text", {QStringLiteral("msgbox"), QStringLiteral("--text"), QString()}, 1,
        "The text is empty: nothing to generate.");
    row("simple with buttons",
        {QStringLiteral("msgbox"), QStringLiteral("--simple"), QStringLiteral("--buttons"),
         QStringLiteral("yes-no"), QStringLiteral("--text"), QStringLiteral("x")},
        2, "brindle msgbox: --buttons belongs to a message box, not --simple");
    row("unknown buttons",
        {QStringLiteral("msgbox"), QStringLiteral("--buttons"), QStringLiteral("yes"),
         QStringLiteral("--text"), QStringLiteral("x")},
        2,
        "brindle msgbox: --buttons is one of ok-only, ok-cancel, abort-retry-ignore, "
        "yes-no-cancel, yes-no, retry-cancel");
    row("default button 5",
        {QStringLiteral("msgbox"), QStringLiteral("--default-button"), QStringLiteral("5"),
         QStringLiteral("--text"), QStringLiteral("x")},
        2, "brindle msgbox: --default-button is 1, 2, 3 or 4");
    row("inputbox argument",
        {QStringLiteral("inputbox"), QStringLiteral("Name"), QStringLiteral("--text"),
         QStringLiteral("x")},
        2, "brindle inputbox: unexpected argument 'Name'");
    row("lookup nothing", {QStringLiteral("lookup")}, 2, "brindle lookup: NAME is missing");
    row("lookup unknown", {QStringLiteral("lookup"), QStringLiteral("vbRed"), QStringLiteral("4")},
        1, "Not in the reference: 4");
    row("list unknown", {QStringLiteral("list"), QStringLiteral("colours")}, 2,
        "brindle list: unknown CATEGORY 'colours' (one of color, comparison, datetime, "
        "dateformat, string, vartype, global, errors)");
    row("snippets unknown action", {QStringLiteral("snippets"), QStringLiteral("delete")}, 2,
        "brindle snippets: unknown action 'delete' (list, show or add)");
    row("snippets add without title", {QStringLiteral("snippets"), QStringLiteral("add")}, 2,
        "brindle snippets: add takes one TITLE");
    row("snippets entry without show",
        {QStringLiteral("snippets"), QStringLiteral("list"), QStringLiteral("--entry"),
         QStringLiteral("1")},
        2, "brindle snippets: --entry belongs to show");
    row("snippets entry 0",
        {QStringLiteral("snippets"), QStringLiteral("show"), QStringLiteral("T"),
         QStringLiteral("--entry"), QStringLiteral("0")},
        2, "brindle snippets: --entry takes a whole number from 1");
    row("tab-order without action", {QStringLiteral("tab-order"), QStringLiteral("P.txt")}, 2,
        "brindle tab-order: give one of --list, --order, --swap, --by-position or --forms");
    row("tab-order without file", {QStringLiteral("tab-order"), QStringLiteral("--list")}, 2,
        "brindle tab-order: FILE is missing");
    row("tab-order missing file",
        {QStringLiteral("tab-order"), QStringLiteral("/nonexistent/P.txt"),
         QStringLiteral("--list")},
        1, "");
    row("desktop with a command", {QStringLiteral("--desktop"), QStringLiteral("list")}, 2,
        "brindle: --desktop opens the window and takes no command");
}

void TestCli::exitStatusAndMessage()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, message);

    const Outcome o = runHere(arguments);
    QCOMPARE(o.status, status);
    // A lookup still prints the names it found.
    QCOMPARE(o.out.isEmpty(), arguments.value(0) != QLatin1String("lookup") || status == 2);
    QVERIFY(!o.err.isEmpty());
    if (!message.isEmpty())
        QCOMPARE(o.err.section(QLatin1Char('\n'), 0, 0), message);
    if (status == Outcome::BadUsage)
        QVERIFY(o.err.contains(QStringLiteral(" --help'.")));
}

void TestCli::snippets()
{
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const auto back = qScopeGuard([&] { QDir::setCurrent(previous); });
    const QStringList list{QStringLiteral("snippets")};

    Outcome o = runHere(list);
    QCOMPARE(o.status, 1);
    QCOMPARE(o.err, QStringLiteral("No code's items available"));

    // No Samples folder: the system's reason, the file and the cause, and nothing made.
    o = runHere({QStringLiteral("snippets"), QStringLiteral("add"), QStringLiteral("Beep")},
                "Beep\n");
    QCOMPARE(o.status, 1);
    QVERIFY2(o.err.startsWith(QStringLiteral("Error ")) &&
                 o.err.contains(QDir::toNativeSeparators(QStringLiteral("Samples/MyCode.Txt"))) &&
                 o.err.contains(QStringLiteral("does not exist")),
             qPrintable(o.err));

    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Samples")));
    o = runHere({QStringLiteral("snippets"), QStringLiteral("add"), QStringLiteral("Beep twice")},
                "Beep\nBeep\n");
    QCOMPARE(o.status, 0);
    o = runHere({QStringLiteral("snippets"), QStringLiteral("add"), QStringLiteral("a*b")}, "x");
    QCOMPARE(o.status, 1);
    QVERIFY2(o.err.endsWith(QStringLiteral("\r\nNothing was stored.")), qPrintable(o.err));
    o = runHere({QStringLiteral("snippets"), QStringLiteral("add"), QStringLiteral("Pipe")},
                "a|b\r\n");
    QCOMPARE(o.status, 1);

    QFile stored(dir.filePath(QStringLiteral("Samples/MyCode.Txt")));
    QVERIFY(stored.open(QIODevice::ReadOnly));
    // The input's final line end ends its last line.
    QCOMPARE(stored.readAll(), QByteArray("Beep twice*Beep|Beep\r\n"));

    const Run listed = runProgram(list, dir.path());
    QCOMPARE(listed.status, 0);
    QCOMPARE(listed.out, QByteArray("Beep twice\n"));
    // A title in another letter case is found, as in the window's list.
    const Run shown = runProgram(
        {QStringLiteral("snippets"), QStringLiteral("show"), QStringLiteral("beep TWICE")},
        dir.path());
    QCOMPARE(shown.status, 0);
    QCOMPARE(shown.out, QByteArray("Beep\r\nBeep\r\n"));
    QCOMPARE(shown.err, QByteArray());
    o = runHere({QStringLiteral("snippets"), QStringLiteral("show"), QStringLiteral("Beep")});
    QCOMPARE(o.status, 1);
    QCOMPARE(o.err, QStringLiteral("No code is stored under the title Beep"));
    const Run added =
        runProgram({QStringLiteral("snippets"), QStringLiteral("add"), QStringLiteral("Clear")},
                   dir.path(), "List1.Clear");
    QCOMPARE(added.status, 0);
    QCOMPARE(added.err, QByteArray());
    QCOMPARE(runHere(list).out, QByteArray("Beep twice\nClear\n"));

    // A title stored again is stored with a warning; show prints its last entry and says so,
    // and --entry reaches each entry in the order of the file.
    const QString show = QStringLiteral("show");
    const QString twice = QStringLiteral("Beep twice");
    o = runHere({list.constFirst(), QStringLiteral("add"), twice}, "Beep");
    QVERIFY2(o.status == 0 && o.err.startsWith(QStringLiteral("Warning: ")), qPrintable(o.err));
    o = runHere({list.constFirst(), show, twice});
    QCOMPARE(o.out, QByteArray("Beep\r\n"));
    QVERIFY2(o.err.contains(QStringLiteral("--entry 1 to 2")), qPrintable(o.err));
    o = runHere({list.constFirst(), show, twice, QStringLiteral("--entry=1")});
    QCOMPARE(o.out, QByteArray("Beep\r\nBeep\r\n"));
    o = runHere({list.constFirst(), show, twice, QStringLiteral("--entry=3")});
    QCOMPARE(o.err, QStringLiteral("No entry 3 is stored under the title Beep twice: it has 2."));

    // Bytes given on standard input are stored and shown as given, whatever the code page.
    o = runHere({list.constFirst(), QStringLiteral("add"), QStringLiteral("Latin")},
                "' caf\xe9\r\nx\n");
    QCOMPARE(o.status, 0);
    o = runHere({list.constFirst(), show, QStringLiteral("Latin")});
    QCOMPARE(o.out, QByteArray("' caf\xe9\r\nx\r\n"));

    // The window's search with no category chosen: the tables, then each title found once.
    o = runHere({QStringLiteral("lookup"), QStringLiteral("--search"), QStringLiteral("yellow"),
                 QStringLiteral("beep")});
    QCOMPARE(o.out, QByteArray("Color Costants: vbYellow = 65535 (&HFFFF): yellow (red and green), "
                               "as a colour value\nMY CODE: Beep twice\n"));
}

void TestCli::programWithoutDisplay()
{
    const Run version = runProgram({QStringLiteral("--version")});
    QCOMPARE(version.status, 0);
    QVERIFY(version.out.startsWith("brindle "));

    const Run categories = runProgram({QStringLiteral("list")});
    QCOMPARE(categories.status, 0);
    QCOMPARE(categories.out.count('\n'), 8);
    QVERIFY(categories.err.isEmpty());

    const Run errors = runProgram({QStringLiteral("list"), QStringLiteral("errors")});
    QCOMPARE(errors.out.count('\n'), 54);
    QVERIFY(errors.out.startsWith(" 5 Invalid procedure call\n"));

    const Run found = runProgram({QStringLiteral("lookup"), QStringLiteral("VBCRLF"),
                                  QStringLiteral("32811"), QStringLiteral("vbyesno")});
    QCOMPARE(found.status, 0);
    QCOMPARE(found.out,
             QByteArray("vbCrlf = Chr(13) & Chr(10): carriage return and line feed\n"
                        "32811 Element not found\n"
                        "vbYesNo = 4: Yes and No buttons, as a message box's buttons\n"));

    for (const char *command :
         {"array", "msgbox", "inputbox", "lookup", "list", "snippets", "tab-order"}) {
        const Run help = runProgram({QString::fromLatin1(command), QStringLiteral("--help")});
        QCOMPARE(help.status, 0);
        QVERIFY2(help.out.startsWith(QByteArray(QByteArray("Usage: brindle ") + command + ' ')),
                 command);
    }
    const Run bad = runProgram({QStringLiteral("array"), QStringLiteral("label")});
    QCOMPARE(bad.status, 2);
    QCOMPARE(bad.err, QByteArray("brindle array: give one layout: --vertical, --horizontal or "
                                 "--custom\nTry 'brindle array --help'.\n"));
}

QTEST_MAIN(TestCli)
#include "tst_cli.moc"
