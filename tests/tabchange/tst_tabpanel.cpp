#include "diskfilesteps.h"
#include "faultyfilesteps.h"
#include "modepanel.h"
#include "objectmodel.h"
#include "sectionreader.h"
#include "tabexamples.h"
#include "tabpanel.h"
#include "textfile.h"
#include "uitest.h"
#include "writejournal.h"

#include <QAction>
#include <QDialog>
#include <QDropEvent>
#include <QLabel>
#include <QListView>
#include <QMimeData>
#include <QPushButton>

namespace {

const QString blanks40 = QString(40, QLatin1Char(' '));
const QString confirmText =
    QStringLiteral("To confirm TAB change tap YES\r\nTo change TAB again tap NO");
const QString confirmTitle = QStringLiteral("CHANGE DONE! Ready to fix code");

QString entry(int ordinal, const QString &name, int block)
{
    return QString::number(ordinal) + QLatin1Char(' ') + name + blanks40 + QLatin1Char('-') +
           QString::number(block);
}

QStringList texts(const QAbstractItemView *list)
{
    QStringList out;
    for (int i = 0; i < list->model()->rowCount(); ++i)
        out << list->model()->index(i, 0).data().toString();
    return out;
}

QStringList texts(const QComboBox *combo)
{
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out << combo->itemText(i);
    return out;
}

QStringList asText(const Lines &lines)
{
    QStringList out;
    for (const QByteArray &line : lines)
        out << QString::fromLocal8Bit(line);
    return out;
}

// Mode 3, then the program file picked in Combo2 as the user does.
void openProgram(const UiFixture &ui, const QString &name)
{
    ui.chooseMode(3);
    const int index = ui.w<QComboBox>("Combo2")->findText(name);
    QVERIFY2(index >= 0, qPrintable(name));
    ui.choose("Combo2", index);
}

void clickObject(const UiFixture &ui, int row)
{
    auto *list = ui.w<QListView>("List2");
    const QModelIndex index = list->model()->index(row, 0);
    list->setCurrentIndex(index);
    Q_EMIT list->clicked(index);
}

// Picks object `row`, then position `position` (from 1), answering the confirmation.
void moveObject(UiFixture &ui, int row, int position, int answer)
{
    clickObject(ui, row);
    ui.platform.messageAnswers.enqueue(answer);
    ui.choose("Combo3", position - 1);
}

// The names of the object list, in its order.
QStringList entryNames(const QAbstractItemView *list)
{
    QStringList out;
    const auto *objects = qobject_cast<const ObjectModel *>(list->model());
    for (int row = 0; objects && row < objects->count(); ++row)
        out << objects->object(row).name.trimmed();
    return out;
}

// The file as choosing position `position` in Combo3 for object `row` writes it.
QByteArray writtenByChoice(const QByteArray &file, int row, int position)
{
    UiFixture ui;
    ui.writeFile(QStringLiteral("Samples/Grid.txt"), file);
    ui.start();
    openProgram(ui, QStringLiteral("Grid.txt"));
    moveObject(ui, row, position, Platform::Yes);
    return ui.readFile(QStringLiteral("Samples/Grid.txt"));
}

bool shown(const UiFixture &ui, const char *name)
{
    return !ui.w(name)->isHidden();
}

} // namespace

class TestTabPanel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void exampleEndToEnd();
    void formsSelector();
    void failedPickClearsTheLists_data();
    void failedPickClearsTheLists();
    void leftOverBackupRefusesRewrite();
    void waitForAnotherWindowCancelled();
    void failedWriteKeepsTheChange();
    void copiesAndTemporariesLeftOver();
    void lostProgramRestored();
    void fileChangedOnDiskRefusesRewrite();
    void emptyNameRefused();
    void resetClearsMode();
    void formPictureSetsOrderByClicks();
    void byPositionAsksAndWrites();
    void undoAndRedoWrittenChanges();
    void altUpIsTheChoiceOfThePositionBefore();
    void dropIsTheChoiceOfThePosition();
    void formPictureGoesOnFromCtrlClick();
    void pendingChangesBeforeAnotherFile_data();
    void pendingChangesBeforeAnotherFile();
    void pendingChangesOnClose_data();
    void pendingChangesOnClose();
    void programListFollowsTheFolder();
    void browsingByKeysOpensWhereTheUserStops();
    void namesAndTabChain();
};

void TestTabPanel::exampleEndToEnd()
{
    UiFixture ui;
    ui.writeFile(QStringLiteral("Samples/Prog.txt"), crlf(exampleHead + exampleSection));
    ui.start();
    openProgram(ui, QStringLiteral("Prog.txt"));

    QCOMPARE(texts(ui.w<QListView>("List1")), asText(exampleSection));
    QCOMPARE(texts(ui.w<QListView>("List2")),
             (QStringList{entry(1, QStringLiteral(" OkButton"), 3),
                          entry(2, QStringLiteral(" NameBox"), 7)}));
    QCOMPARE(texts(ui.w<QComboBox>("Combo3")), (QStringList{"1", "2"}));
    QCOMPARE(texts(ui.w<QComboBox>("Combo4")),
             (QStringList{QStringLiteral("Form1                 -1"),
                          QStringLiteral("°°°°°                  -10")}));
    QCOMPARE(ui.caption("Label12"), QStringLiteral("2"));
    QCOMPARE(ui.caption("Label16"), QStringLiteral("Objects' Number"));
    QVERIFY(shown(ui, "Label12") && shown(ui, "Label16"));
    for (const char *hidden : {"Combo4", "Label18", "Label17", "Combo3", "Label15"})
        QVERIFY2(!shown(ui, hidden), hidden);

    clickObject(ui, 1);
    QCOMPARE(ui.caption("Label17"), QStringLiteral("NameBox") + blanks40);
    QCOMPARE(ui.caption("Label12"), QStringLiteral("2"));
    clickObject(ui, 0);
    QCOMPARE(ui.caption("Label17"), QStringLiteral("OkButton") + blanks40);
    QCOMPARE(ui.caption("Label12"), QStringLiteral("1"));
    QCOMPARE(ui.caption("Label16"), QStringLiteral("Object current TAB position"));
    QCOMPARE(ui.caption("Label15"), QStringLiteral("Select New Tab"));
    QVERIFY(shown(ui, "Label17") && shown(ui, "Combo3") && shown(ui, "Label15"));

    ui.platform.messageAnswers.enqueue(Platform::Yes);
    ui.choose("Combo3", 1);

    const QList<FakePlatform::Call> boxes = ui.platform.callsOf(QStringLiteral("msgbox"));
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.at(0).text, confirmText);
    QCOMPARE(boxes.at(0).flags, 36);
    QCOMPARE(boxes.at(0).title, confirmTitle);
    QCOMPARE(ui.readFile(QStringLiteral("Samples/Prog.txt")), crlf(exampleHead + exampleSwapped));
    QVERIFY(!QFile::exists(ui.path(QStringLiteral("Samples/Prog.Bak"))));
    QCOMPARE(ui.note(), QStringLiteral("Wrote the TAB order of Form1 to Prog.txt"));

    QCOMPARE(texts(ui.w<QListView>("List2")),
             (QStringList{entry(1, QStringLiteral(" NameBox"), 3),
                          entry(2, QStringLiteral(" OkButton"), 7)}));
    QCOMPARE(texts(ui.w<QListView>("List1")), asText(exampleSwapped));
    QCOMPARE(texts(ui.w<QComboBox>("Combo3")), (QStringList{"1", "2"}));
    for (const char *table : {"List0", "List3", "List4", "List5"})
        QVERIFY2(ui.w<QListView>(table)->model()->rowCount() == 0, table);
    QCOMPARE(ui.caption("Label17"), QString());
    QCOMPARE(ui.caption("Combo3"), QString());
    for (const char *hidden : {"Label17", "Combo3", "Label15"})
        QVERIFY2(!shown(ui, hidden), hidden);
}

void TestTabPanel::formsSelector()
{
    const Lines section =
        lines("' Begin Gen|Dim Form1|'|New A| Set Ctl(1) = A|'|New B|"
              " Set Ctl(2) = B|'|Dim Form2 As Window|'|New C| Set Ctl(1) = C|Ctl(1).X = 5|'|New D|"
              " Set Ctl(2) = D|'|' End Generated| Set Tail = Nothing");
    UiFixture ui;
    ui.writeFile(QStringLiteral("Samples/Forms.txt"), crlf(section));
    ui.writeFile(QStringLiteral("Samples/Prog.txt"), crlf(exampleHead + exampleSection));
    ui.start();
    openProgram(ui, QStringLiteral("Forms.txt"));

    QCOMPARE(texts(ui.w<QComboBox>("Combo4")),
             (QStringList{QStringLiteral("Form1                 -1"),
                          QStringLiteral("Form2 As Window                 -9"),
                          QStringLiteral("°°°°°                  -18")}));
    QVERIFY(shown(ui, "Combo4") && shown(ui, "Label18"));
    QCOMPARE(ui.caption("Label18"), QStringLiteral("Select a form to show objects"));
    QCOMPARE(ui.w<QListView>("List2")->model()->rowCount(), 0);

    ui.choose("Combo4", 0);
    QCOMPARE(texts(ui.w<QListView>("List2")),
             (QStringList{entry(1, QStringLiteral(" A"), 3), entry(2, QStringLiteral(" B"), 6)}));
    clickObject(ui, 0);
    QVERIFY(shown(ui, "Combo3"));

    ui.choose("Combo4", 1); // another form: the previous selection is dropped
    QCOMPARE(texts(ui.w<QListView>("List2")),
             (QStringList{entry(1, QStringLiteral(" C"), 11), entry(2, QStringLiteral(" D"), 15)}));
    QCOMPARE(texts(ui.w<QComboBox>("Combo3")), (QStringList{"1", "2"}));
    QCOMPARE(ui.caption("Label12"), QStringLiteral("2"));
    for (const char *hidden : {"Label17", "Combo3", "Label15"})
        QVERIFY2(!shown(ui, hidden), hidden);

    moveObject(ui, 1, 1, Platform::Yes);
    Lines expected = section;
    expected.replace(11, "New D");
    expected.replace(12, " Set Ctl(1) = D");
    expected.replace(13, "'");
    expected.replace(14, "New C");
    expected.replace(15, " Set Ctl(2) = C");
    expected.replace(16, "Ctl(2).X = 5");
    QCOMPARE(ui.readFile(QStringLiteral("Samples/Forms.txt")), crlf(expected));
    QCOMPARE(texts(ui.w<QListView>("List2")),
             (QStringList{entry(1, QStringLiteral(" D"), 11), entry(2, QStringLiteral(" C"), 14)}));

    ui.choose("Combo4", 2); // the last entry lists to the end of the section
    QCOMPARE(texts(ui.w<QListView>("List2")),
             (QStringList{entry(1, QStringLiteral(" Nothing"), 18)}));

    openProgram(ui, QStringLiteral("Prog.txt")); // one form: listed at once, the selector stays
    QCOMPARE(texts(ui.w<QComboBox>("Combo4")).size(), 2);
    QVERIFY(shown(ui, "Combo4"));
    QCOMPARE(ui.w<QListView>("List2")->model()->rowCount(), 2);
}

void TestTabPanel::failedPickClearsTheLists_data()
{
    QTest::addColumn<bool>("readable");
    QTest::addColumn<QString>("message");
    QTest::newRow("no Begin Gen") << true
                                  << QStringLiteral(
                                         "Form Code does not comply with Generated code format");
    QTest::newRow("unreadable") << false << QStringLiteral("Cannot read the program file ");
}

// A file that fails to read, or has no generated section, leaves nothing of the previous file
// on screen; the file picked again works as before.
void TestTabPanel::failedPickClearsTheLists()
{
    QFETCH(bool, readable);
    QFETCH(QString, message);
    const QByteArray plain = "Dim Form1\r\n Set Ctl(1) = X\r\n";
    UiFixture ui;
    ui.writeFile(QStringLiteral("Samples/Prog.txt"), crlf(exampleHead + exampleSection));
    ui.writeFile(QStringLiteral("Samples/Plain.txt"), plain);
    ui.start();
    if (!readable)
        QVERIFY(QFile::remove(ui.path(QStringLiteral("Samples/Plain.txt"))));
    openProgram(ui, QStringLiteral("Prog.txt"));
    clickObject(ui, 0);
    openProgram(ui, QStringLiteral("Plain.txt"));

    QCOMPARE(ui.platform.messages().size(), 1);
    QVERIFY2(ui.platform.messages().at(0).startsWith(message),
             qPrintable(ui.platform.messages().at(0)));
    if (readable) {
        QCOMPARE(ui.platform.messages().at(0), message);
        // The terse message keeps its words; the details name the file and what is looked for.
        QVERIFY(ui.platform.messageDetails().at(0).startsWith(
            QStringLiteral("Plain.txt has no line holding \"Begin Gen\".")));
        QCOMPARE(ui.readFile(QStringLiteral("Samples/Plain.txt")), plain);
    } else {
        QVERIFY(ui.platform.messages().at(0).contains(QStringLiteral("Plain.txt")));
        QVERIFY(!QFile::exists(ui.path(QStringLiteral("Samples/Plain.txt"))));
    }
    QCOMPARE(ui.platform.callsOf(QStringLiteral("msgbox")).at(0).flags, 0);
    QCOMPARE(ui.platform.callsOf(QStringLiteral("msgbox")).at(0).title, QString());
    QCOMPARE(ui.w<QListView>("List1")->model()->rowCount(), 0);
    QCOMPARE(ui.w<QListView>("List2")->model()->rowCount(), 0);
    QCOMPARE(ui.w<QComboBox>("Combo4")->count(), 0);
    for (const char *hidden : {"Combo3", "Combo4", "Label18", "Label12", "Label16"})
        QVERIFY2(!shown(ui, hidden), hidden);

    openProgram(ui, QStringLiteral("Prog.txt"));
    QCOMPARE(texts(ui.w<QListView>("List1")), asText(exampleSection));
    moveObject(ui, 0, 2, Platform::Yes);
    QCOMPARE(ui.readFile(QStringLiteral("Samples/Prog.txt")), crlf(exampleHead + exampleSwapped));
}

void TestTabPanel::leftOverBackupRefusesRewrite()
{
    UiFixture ui;
    ui.writeFile(QStringLiteral("Samples/Prog.txt"), crlf(exampleHead + exampleSection));
    ui.writeFile(QStringLiteral("Samples/Prog.Bak"), "interrupted");
    ui.start();
    openProgram(ui, QStringLiteral("Prog.txt"));
    moveObject(ui, 0, 2, Platform::Yes);

    // Choosing the mode tells of the backup; the rewrite then leaves it alone.
    const QStringList messages = ui.platform.messages();
    QCOMPARE(messages.size(), 3);
    QVERIFY2(messages.at(0).contains(QStringLiteral("Prog.Bak")) &&
                 messages.at(0).contains(QStringLiteral("only copy")),
             qPrintable(messages.at(0)));
    QCOMPARE(messages.at(1), confirmText);
    QVERIFY2(messages.at(2).contains(
                 QDir::toNativeSeparators(ui.path(QStringLiteral("Samples/Prog.Bak")))),
             qPrintable(messages.at(2)));
    QVERIFY2(messages.at(2).endsWith(QStringLiteral("\r\nThe TAB change is kept in memory: the "
                                                    "next TAB change you confirm with YES "
                                                    "writes it too.")),
             qPrintable(messages.at(2)));
    for (const QString &message : messages)
        QVERIFY2(!message.contains(QStringLiteral("delete"), Qt::CaseInsensitive),
                 qPrintable(message));
    QCOMPARE(ui.readFile(QStringLiteral("Samples/Prog.txt")), crlf(exampleHead + exampleSection));
    QCOMPARE(ui.readFile(QStringLiteral("Samples/Prog.Bak")), QByteArray("interrupted"));
    QCOMPARE(texts(ui.w<QListView>("List1")), asText(exampleSwapped)); // kept in memory

    // Once the user moves the backup aside, the next confirmed change writes both.
    QVERIFY(QFile::rename(ui.path(QStringLiteral("Samples/Prog.Bak")),
                          ui.path(QStringLiteral("Prog.Bak"))));
    moveObject(ui, 0, 1, Platform::Yes);
    QCOMPARE(ui.readFile(QStringLiteral("Samples/Prog.txt")), crlf(exampleHead + exampleSwapped));
    QVERIFY(!QFile::exists(ui.path(QStringLiteral("Samples/Prog.Bak"))));
}

// Another Brindle window holds the file's lock: the write says what it waits for, Cancel gives
// the wait up, and the change stays held, the file as it was; once the lock is free it is
// written.
void TestTabPanel::waitForAnotherWindowCancelled()
{
    UiFixture ui;
    ui.writeFile(QStringLiteral("Samples/Prog.txt"), crlf(exampleHead + exampleSection));
    ui.start();
    openProgram(ui, QStringLiteral("Prog.txt"));
    DiskFileSteps otherWindow;
    QVERIFY(otherWindow.lock(ui.path(QStringLiteral("Samples/Prog.txt"))));
    ui.platform.waitAnswers << true << true; // the third look is cancelled
    moveObject(ui, 0, 2, Platform::Yes);

    const QList<FakePlatform::Call> waits = ui.platform.callsOf(QStringLiteral("wait"));
    QCOMPARE(waits.size(), 3);
    QVERIFY2(waits.at(0).text.contains(QStringLiteral("Prog.txt")), qPrintable(waits.at(0).text));
    QCOMPARE(ui.platform.waitsEnded, 1);
    const QString message = ui.platform.messages().last();
    QVERIFY2(message.contains(QStringLiteral("cancelled")) &&
                 message.contains(QStringLiteral("kept in memory")),
             qPrintable(message));
    QCOMPARE(ui.readFile(QStringLiteral("Samples/Prog.txt")), crlf(exampleHead + exampleSection));

    otherWindow.unlock();
    moveObject(ui, 0, 1, Platform::Yes);
    QCOMPARE(ui.readFile(QStringLiteral("Samples/Prog.txt")), crlf(exampleHead + exampleSwapped));
}

// The disk fails half-way through writing the new file: the user is told why, the file and
// its folder stay as they were, and the change stays held, so the next Yes writes it.
void TestTabPanel::failedWriteKeepsTheChange()
{
    UiFixture ui; // the working folder, without the window
    ui.writeFile(QStringLiteral("Samples/Prog.txt"), crlf(exampleHead + exampleSection));
    FaultyFileSteps files({QStringLiteral("write#1")});
    QWidget window;
    TabPanel panel(ui.platform, files, &window);
    panel.load();
    auto *programs = panel.findChild<QComboBox *>(QStringLiteral("Combo2"));
    programs->setCurrentIndex(programs->findText(QStringLiteral("Prog.txt")));
    Q_EMIT programs->activated(programs->currentIndex());
    auto *objects = panel.findChild<QListView *>(QStringLiteral("List2"));
    auto *positions = panel.findChild<QComboBox *>(QStringLiteral("Combo3"));
    const auto move = [&](int row, int position) {
        Q_EMIT objects->clicked(objects->model()->index(row, 0));
        ui.platform.messageAnswers.enqueue(Platform::Yes);
        positions->setCurrentIndex(position - 1);
        Q_EMIT positions->activated(position - 1);
    };
    move(0, 2);

    QVERIFY(files.calls.contains(QStringLiteral("write#1")));
    const QStringList messages = ui.platform.messages();
    QCOMPARE(messages.size(), 2);
    QVERIFY2(messages.at(1).contains(QStringLiteral("injected failure")) &&
                 messages.at(1).endsWith(QStringLiteral("next TAB change you confirm with YES "
                                                        "writes it too.")),
             qPrintable(messages.at(1)));
    QCOMPARE(ui.readFile(QStringLiteral("Samples/Prog.txt")), crlf(exampleHead + exampleSection));
    QCOMPARE(QDir(ui.path(QStringLiteral("Samples")))
                 .entryList({QStringLiteral("Prog*")}, QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("Prog.txt")});
    QCOMPARE(texts(panel.findChild<QListView *>(QStringLiteral("List1"))), asText(exampleSwapped));

    move(0, 1); // the object's own position: only the change held is written
    QCOMPARE(ui.readFile(QStringLiteral("Samples/Prog.txt")), crlf(exampleHead + exampleSwapped));
    QCOMPARE(ui.platform.messages().size(), 3);
}

// A backup that holds the program's bytes goes without a word. A file a stopped write noted as
// Brindle's own is named and removed when the user says so, No being the default; a file that
// may hold another program's save is only named; a user's file named like a temporary is
// neither.
void TestTabPanel::copiesAndTemporariesLeftOver()
{
    UiFixture ui;
    ui.writeFile(QStringLiteral("Samples/Prog.txt"), crlf(exampleHead + exampleSection));
    ui.writeFile(QStringLiteral("Samples/Prog.Bak"), crlf(exampleHead + exampleSection));
    ui.writeFile(QStringLiteral("Samples/Prog.txt.Ab12Cd"), "half");
    ui.writeFile(QStringLiteral("Samples/Prog.txt.Zz99Yy"), "saved elsewhere");
    ui.writeFile(QStringLiteral("Samples/Stock.txt.240101"), "a dated copy");
    const QString program = QDir::toNativeSeparators(ui.path(QStringLiteral("Samples/Prog.txt")));
    const QString own = program + QStringLiteral(".Ab12Cd");
    const QString swapped = program + QStringLiteral(".Zz99Yy");
    WriteJournal stopped; // a write stopped before its end leaves its notes
    QVERIFY(stopped.writing(program, own).ok());
    QVERIFY(stopped.writing(program, swapped).ok());
    QVERIFY(stopped.swapping(swapped).ok());
    ui.start();
    ui.platform.messageAnswers.enqueue(Platform::Yes);
    ui.chooseMode(3);

    const auto calls = ui.platform.callsOf(QStringLiteral("msgbox"));
    QCOMPARE(calls.size(), 2);
    QVERIFY2(calls.at(0).text.contains(QStringLiteral("Remove ") + own + QStringLiteral(" now?")),
             qPrintable(calls.at(0).text));
    QCOMPARE(calls.at(0).flags, Platform::YesNo + Platform::Question + Platform::DefaultButton2);
    QVERIFY2(calls.at(1).text.contains(swapped) && calls.at(1).text.contains(program) &&
                 !calls.at(1).text.contains(QStringLiteral("Remove ")),
             qPrintable(calls.at(1).text));
    QCOMPARE(calls.at(1).flags, Platform::OkOnly);
    QVERIFY(!QFile::exists(ui.path(QStringLiteral("Samples/Prog.Bak"))));
    QVERIFY(!QFile::exists(own));
    QCOMPARE(ui.readFile(QStringLiteral("Samples/Prog.txt.Zz99Yy")), QByteArray("saved elsewhere"));
    QCOMPARE(ui.readFile(QStringLiteral("Samples/Stock.txt.240101")), QByteArray("a dated copy"));
    QCOMPARE(ui.readFile(QStringLiteral("Samples/Prog.txt")), crlf(exampleHead + exampleSection));
}

// A backup whose program is gone is the only copy: choosing the mode offers to restore it.
void TestTabPanel::lostProgramRestored()
{
    UiFixture ui;
    ui.writeFile(QStringLiteral("Samples/Lost.Bak"), crlf(exampleHead + exampleSection));
    ui.start();
    ui.platform.messageAnswers.enqueue(Platform::Yes);
    ui.chooseMode(3);

    const auto calls = ui.platform.callsOf(QStringLiteral("msgbox"));
    QCOMPARE(calls.size(), 1);
    QVERIFY2(calls.at(0).text.contains(QStringLiteral("Restore it now as Lost.txt?")),
             qPrintable(calls.at(0).text));
    QCOMPARE(calls.at(0).flags, Platform::YesNo + Platform::Question);
    QVERIFY(!QFile::exists(ui.path(QStringLiteral("Samples/Lost.Bak"))));
    QCOMPARE(ui.readFile(QStringLiteral("Samples/Lost.txt")), crlf(exampleHead + exampleSection));
    QCOMPARE(ui.caption("Combo2"), QString());
    openProgram(ui, QStringLiteral("Lost.txt"));
    QCOMPARE(ui.w<QListView>("List2")->model()->rowCount(), 2);
}

void TestTabPanel::fileChangedOnDiskRefusesRewrite()
{
    UiFixture ui;
    ui.writeFile(QStringLiteral("Samples/Prog.txt"), crlf(exampleHead + exampleSection));
    ui.start();
    openProgram(ui, QStringLiteral("Prog.txt"));
    moveObject(ui, 0, 2, Platform::No); // held in memory
    QCOMPARE(ui.note(), QStringLiteral("TAB change held: the next YES writes it"));
    Lines section = exampleSection;
    section[5] = "Ctl(1).Caption = Edited elsewhere";
    const QByteArray edited = crlf(exampleHead + section);
    ui.writeFile(QStringLiteral("Samples/Prog.txt"), edited);
    moveObject(ui, 0, 2, Platform::Yes);

    const QStringList messages = ui.platform.messages();
    QCOMPARE(messages.size(), 3);
    QVERIFY2(messages.at(2).contains(QStringLiteral("changed since it was read")) &&
                 messages.at(2).contains(QStringLiteral("dropped")),
             qPrintable(messages.at(2)));
    // A later confirmation would be refused the same way, so no promise that it writes.
    QVERIFY2(!messages.at(2).contains(QStringLiteral("kept in memory")),
             qPrintable(messages.at(2)));
    QCOMPARE(ui.readFile(QStringLiteral("Samples/Prog.txt")), edited);
    QVERIFY(!QFile::exists(ui.path(QStringLiteral("Samples/Prog.Bak"))));
    // What was held is dropped: the file must be picked again.
    QCOMPARE(ui.w<QListView>("List1")->model()->rowCount(), 0);
    QCOMPARE(ui.w<QListView>("List2")->model()->rowCount(), 0);
    QCOMPARE(ui.caption("Combo2"), QString());
    QCOMPARE(ui.note(), QStringLiteral("Not written: Prog.txt changed on disk"));
}

void TestTabPanel::emptyNameRefused()
{
    Lines section = exampleSection;
    section[8] = " SET Ctl(2) =";
    UiFixture ui;
    ui.writeFile(QStringLiteral("Samples/Prog.txt"), crlf(section));
    ui.start();
    openProgram(ui, QStringLiteral("Prog.txt"));
    moveObject(ui, 0, 2, Platform::Yes);

    QCOMPARE(ui.platform.messages().size(), 1);
    QVERIFY(ui.platform.messages().at(0).contains(QStringLiteral("no name")));
    QCOMPARE(ui.platform.callsOf(QStringLiteral("msgbox")).at(0).flags, 0);
    QCOMPARE(ui.readFile(QStringLiteral("Samples/Prog.txt")), crlf(section));
    QCOMPARE(texts(ui.w<QListView>("List1")), asText(section));
    QCOMPARE(ui.w<QListView>("List3")->model()->rowCount(), 0);
    QCOMPARE(ui.w<QListView>("List5")->model()->rowCount(), 0);
}

void TestTabPanel::resetClearsMode()
{
    const Lines forms = lines("' Begin Gen|Dim Form1|'|New A| Set Ctl(1) = A|'|Dim Form2|'|"
                              "New B| Set Ctl(1) = B|'|' End Generated");
    UiFixture ui;
    ui.writeFile(QStringLiteral("Samples/Forms.txt"), crlf(forms));
    ui.start();
    openProgram(ui, QStringLiteral("Forms.txt"));
    ui.choose("Combo4", 1);
    clickObject(ui, 0);
    const int files = ui.w<QComboBox>("Combo2")->count();

    ui.click("Command1");
    for (const char *table : {"List0", "List1", "List2", "List3", "List4", "List5"})
        QVERIFY2(ui.w<QListView>(table)->model()->rowCount() == 0, table);
    for (const char *box : {"Combo3", "Combo4"}) {
        QVERIFY2(!shown(ui, box), box);
        QVERIFY2(ui.w<QComboBox>(box)->count() == 0, box);
    }
    QCOMPARE(ui.caption("Combo2"), QString());
    QCOMPARE(ui.w<QComboBox>("Combo2")->count(), files);
    for (const char *label : {"Label18", "Label12", "Label16", "Label17", "Label15"})
        QVERIFY2(!shown(ui, label), label);
    QVERIFY(shown(ui, "Combo2") && shown(ui, "List2"));

    ui.click("Command1"); // twice is the same as once
    QCOMPARE(ui.w<QComboBox>("Combo2")->count(), files);
    QVERIFY(ui.platform.messages().isEmpty());
}

// The picture of the first form: three of its four objects clicked, the rest taken after them,
// and the file written once with the new order while the second form stays as it was.
void TestTabPanel::formPictureSetsOrderByClicks()
{
    const Lines form1 = lines(
        "AddObject \"TextBox\",\"ItemBox\",10,10,150,21| Set Ctl(1) = ItemBox|Ctl(1).Text = \"\"|"
        "Ctl(1).FontSize = 9|'|AddObject \"TextBox\",\"QtyBox\",10,40,60,21| Set Ctl(2) = QtyBox|"
        "Ctl(2).Text = \"1\"|'|New object| Set Ctl(3) = AddButton|Ctl(3).Caption = \"Add\"|'|"
        "AddObject \"CommandButton\",\"DoneButton\",900,70,70,21| Set Ctl(4) = DoneButton|'");
    const Lines reversed = lines(
        "AddObject \"CommandButton\",\"DoneButton\",900,70,70,21| Set Ctl(1) = DoneButton|'|"
        "New object| Set Ctl(2) = AddButton|Ctl(2).Caption = \"Add\"|'|"
        "AddObject \"TextBox\",\"QtyBox\",10,40,60,21| Set Ctl(3) = QtyBox|Ctl(3).Text = \"1\"|'|"
        "AddObject \"TextBox\",\"ItemBox\",10,10,150,21| Set Ctl(4) = ItemBox|Ctl(4).Text = \"\"|"
        "Ctl(4).FontSize = 9|'");
    const Lines head{"' Stock counter", "Dim Total"};
    const Lines begin{"' Begin Generated part", "Dim Form1", "'"};
    const Lines rest = lines("Dim Form2|'|AddObject \"Label\",\"TotalLabel\",10,10,150,21|"
                             " Set Ctl(1) = TotalLabel|' End Generated part|Sub AddButton_Click|"
                             "  Total = Total + 1|End Sub");
    UiFixture ui;
    ui.writeFile(QStringLiteral("Samples/Stock.txt"), crlf(head + begin + form1 + rest));
    ui.start();
    openProgram(ui, QStringLiteral("Stock.txt"));
    ui.choose("Combo4", 0);

    auto *list = ui.w<QListView>("List2");
    QAction *showForm = nullptr;
    for (QAction *action : list->actions()) {
        if (action->objectName() == QLatin1String("ShowForm"))
            showForm = action;
    }
    QVERIFY(showForm);
    QCOMPARE(list->contextMenuPolicy(), Qt::ActionsContextMenu);
    QVERIFY(list->toolTip().contains(showForm->shortcut().toString(QKeySequence::NativeText)));
    showForm->trigger();
    auto *picture = ui.w<QDialog>("FormPicture");
    QVERIFY(picture->isVisible());
    QCOMPARE(picture->windowTitle(), QStringLiteral("Stock.txt - Form1"));

    const auto object = [&](const char *name) {
        auto *found = picture->findChild<QAbstractButton *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no object %s in the picture", name);
        return found;
    };
    QCOMPARE(object("AddButton")->accessibleName(),
             QStringLiteral("AddButton, no kind given, TAB 3"));
    // DoneButton lies far right of ItemBox, as placed; AddButton has no place and stands apart.
    QVERIFY(object("DoneButton")->x() > object("ItemBox")->x() + object("ItemBox")->width());
    QVERIFY(object("AddButton")->x() > object("DoneButton")->x());

    object("DoneButton")->click();
    object("AddButton")->click();
    object("QtyBox")->click();
    QCOMPARE(object("QtyBox")->accessibleName(), QStringLiteral("QtyBox, TextBox, TAB 3"));
    QCOMPARE(object("ItemBox")->accessibleName(), QStringLiteral("ItemBox, TextBox, TAB 4"));
    QCOMPARE(entryNames(list), (QStringList{"DoneButton", "AddButton", "QtyBox", "ItemBox"}));
    QCOMPARE(ui.readFile(QStringLiteral("Samples/Stock.txt")), crlf(head + begin + form1 + rest));

    // Ctrl+Return uses the order, as its tooltip says.
    ui.platform.messageAnswers.enqueue(Platform::Yes);
    QVERIFY(ui.w("UseOrder")->toolTip().startsWith(QStringLiteral("Use this order (Ctrl+Return)")));
    QApplication::setActiveWindow(picture);
    QVERIFY(QTest::qWaitForWindowActive(picture));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(ui.platform.callsOf(QStringLiteral("msgbox")).size(), 1);
    const FakePlatform::Call box = ui.platform.callsOf(QStringLiteral("msgbox")).at(0);
    QCOMPARE(box.text, confirmText);
    QCOMPARE(box.flags, 36);
    QCOMPARE(box.title, confirmTitle);
    QCOMPARE(ui.readFile(QStringLiteral("Samples/Stock.txt")),
             crlf(head + begin + reversed + rest));
    QVERIFY(!QFile::exists(ui.path(QStringLiteral("Samples/Stock.Bak"))));
    QCOMPARE(entryNames(list), (QStringList{"DoneButton", "AddButton", "QtyBox", "ItemBox"}));
    QVERIFY(!picture->isVisible());
}

void TestTabPanel::byPositionAsksAndWrites()
{
    const QList<int> shuffled{7, 2, 11, 4, 9, 1, 12, 5, 3, 10, 8, 6};
    UiFixture ui;
    ui.writeFile(QStringLiteral("Samples/Grid.txt"), placedForm(shuffled));
    ui.start();
    QVERIFY(!ui.w<QPushButton>("ByPosition")->isEnabled());
    openProgram(ui, QStringLiteral("Grid.txt"));
    QVERIFY(shown(ui, "ByPosition"));

    // No keeps the order in memory, as for any TAB change; Yes writes it.
    ui.platform.messageAnswers.enqueue(Platform::No);
    ui.click("ByPosition");
    QCOMPARE(ui.readFile(QStringLiteral("Samples/Grid.txt")), placedForm(shuffled));
    QCOMPARE(entryNames(ui.w<QListView>("List2")).first(), QStringLiteral("Box1"));
    ui.platform.messageAnswers.enqueue(Platform::Yes);
    ui.click("ByPosition");
    const QList<FakePlatform::Call> boxes = ui.platform.callsOf(QStringLiteral("msgbox"));
    QCOMPARE(boxes.size(), 2);
    for (const FakePlatform::Call &box : boxes) {
        QCOMPARE(box.text, confirmText);
        QCOMPARE(box.flags, 36);
        QCOMPARE(box.title, confirmTitle);
    }
    QCOMPARE(ui.readFile(QStringLiteral("Samples/Grid.txt")),
             placedForm({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    QVERIFY(!QFile::exists(ui.path(QStringLiteral("Samples/Grid.Bak"))));
}

void TestTabPanel::undoAndRedoWrittenChanges()
{
    const QList<int> shuffled{7, 2, 11, 4, 9, 1, 12, 5, 3, 10, 8, 6};
    const QByteArray ordered = placedForm({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    // LF line ends: the first write makes them CR LF, the undo gives them back.
    QByteArray original = placedForm(shuffled);
    original.replace("\r\n", "\n");
    UiFixture ui;
    ui.writeFile(QStringLiteral("Samples/Grid.txt"), original);
    ui.start();
    openProgram(ui, QStringLiteral("Grid.txt"));
    auto *panel = ui.w("Picture3");
    const auto key = [&](const char *name) {
        auto *action = panel->findChild<QAction *>(QString::fromLatin1(name));
        if (!action)
            qFatal("no action %s", name);
        return action;
    };
    QVERIFY(!ui.w<QPushButton>("UndoTab")->isEnabled());
    ui.platform.messageAnswers.enqueue(Platform::Yes);
    ui.click("ByPosition");
    QCOMPARE(ui.readFile(QStringLiteral("Samples/Grid.txt")), ordered);
    moveObject(ui, 0, 2, Platform::Yes);
    const QByteArray twice = ui.readFile(QStringLiteral("Samples/Grid.txt"));
    QVERIFY(twice != ordered);

    // Two steps back, without a question, then one forward with the key.
    ui.click("UndoTab");
    QCOMPARE(ui.readFile(QStringLiteral("Samples/Grid.txt")), ordered);
    QCOMPARE(key("UndoTabKey")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    key("UndoTabKey")->trigger();
    QCOMPARE(ui.readFile(QStringLiteral("Samples/Grid.txt")), original);
    QCOMPARE(entryNames(ui.w<QListView>("List2")).first(), QStringLiteral("Box7"));
    QVERIFY(!ui.w<QPushButton>("UndoTab")->isEnabled());
    QCOMPARE(key("RedoTabKey")->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    key("RedoTabKey")->trigger();
    QCOMPARE(ui.readFile(QStringLiteral("Samples/Grid.txt")), ordered);
    QCOMPARE(ui.platform.callsOf(QStringLiteral("msgbox")).size(), 2);
    QVERIFY(!QFile::exists(ui.path(QStringLiteral("Samples/Grid.Bak"))));

    // Changed outside Brindle: the undo refuses, says so, and the history is gone.
    ui.writeFile(QStringLiteral("Samples/Grid.txt"), ordered + "Rem added\r\n");
    ui.click("UndoTab");
    QCOMPARE(ui.readFile(QStringLiteral("Samples/Grid.txt")), ordered + "Rem added\r\n");
    const QList<FakePlatform::Call> boxes = ui.platform.callsOf(QStringLiteral("msgbox"));
    QCOMPARE(boxes.size(), 3);
    QVERIFY2(boxes.last().text.contains(QStringLiteral("changed outside Brindle")),
             qPrintable(boxes.last().text));
    openProgram(ui, QStringLiteral("Grid.txt"));
    QVERIFY(!ui.w<QPushButton>("UndoTab")->isEnabled());
}

// Alt+Up on the fifth object writes what choosing position 4 for it writes; Alt+Down on it
// then moves it back.
void TestTabPanel::altUpIsTheChoiceOfThePositionBefore()
{
    const QByteArray file = placedForm({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    const QByteArray chosen = writtenByChoice(file, 4, 4);
    QVERIFY(chosen != file);
    UiFixture ui;
    ui.writeFile(QStringLiteral("Samples/Grid.txt"), file);
    ui.start();
    openProgram(ui, QStringLiteral("Grid.txt"));
    auto *list = ui.w<QListView>("List2");
    const auto key = [&](const char *name, const QKeySequence &keys) {
        QAction *found = list->findChild<QAction *>(QString::fromLatin1(name));
        if (!found || !list->actions().contains(found) || found->shortcut() != keys)
            qFatal("no action %s on the list for its keys", name);
        return found;
    };
    list->setCurrentIndex(list->model()->index(4, 0));
    ui.platform.messageAnswers.enqueue(Platform::Yes);
    key("TabEarlier", QKeySequence(Qt::ALT | Qt::Key_Up))->trigger();
    QCOMPARE(ui.readFile(QStringLiteral("Samples/Grid.txt")), chosen);
    const QList<FakePlatform::Call> boxes = ui.platform.callsOf(QStringLiteral("msgbox"));
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.at(0).text, confirmText);
    QCOMPARE(list->currentIndex().row(), 3);
    ui.platform.messageAnswers.enqueue(Platform::Yes);
    key("TabLater", QKeySequence(Qt::ALT | Qt::Key_Down))->trigger();
    QCOMPARE(ui.readFile(QStringLiteral("Samples/Grid.txt")), file);
}

// The fifth object dropped on the second writes what choosing position 2 for it writes.
void TestTabPanel::dropIsTheChoiceOfThePosition()
{
    const QByteArray file = placedForm({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    const QByteArray chosen = writtenByChoice(file, 4, 2);
    QVERIFY(chosen != file);
    UiFixture ui;
    ui.writeFile(QStringLiteral("Samples/Grid.txt"), file);
    ui.start();
    openProgram(ui, QStringLiteral("Grid.txt"));
    ui.prog->show(); // the drop lands on the list's viewport as laid out
    auto *list = ui.w<QListView>("List2");
    QCOMPARE(list->dragDropMode(), QAbstractItemView::DragDrop);
    std::unique_ptr<QMimeData> dragged(list->model()->mimeData({list->model()->index(4, 0)}));
    ui.platform.messageAnswers.enqueue(Platform::Yes);
    // The drag enters the list, then drops there.
    const QPoint at = list->visualRect(list->model()->index(1, 0)).center();
    QDragEnterEvent enter(at, Qt::MoveAction, dragged.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(at, Qt::MoveAction, dragged.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &drop);
    // Nothing moves inside the drop; the change is asked for once it has ended.
    QCOMPARE(ui.readFile(QStringLiteral("Samples/Grid.txt")), file);
    QCoreApplication::sendPostedEvents();
    QCOMPARE(ui.readFile(QStringLiteral("Samples/Grid.txt")), chosen);
    QCOMPARE(ui.platform.callsOf(QStringLiteral("msgbox")).size(), 1);
    QCOMPARE(ui.platform.callsOf(QStringLiteral("msgbox")).at(0).text, confirmText);
}

// In the picture the arrow keys go to the nearest object their way; Ctrl+click on the fifth
// object and clicks on the other seven write that order; Space on a numbered object says why
// nothing happens.
void TestTabPanel::formPictureGoesOnFromCtrlClick()
{
    UiFixture ui;
    ui.writeFile(QStringLiteral("Samples/Grid.txt"),
                 placedForm({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    ui.start();
    openProgram(ui, QStringLiteral("Grid.txt"));
    auto *list = ui.w<QListView>("List2");
    list->findChild<QAction *>(QStringLiteral("ShowForm"))->trigger();
    auto *picture = ui.w<QDialog>("FormPicture");
    const auto object = [&](int n) {
        auto *found = picture->findChild<QAbstractButton *>(QStringLiteral("Box%1").arg(n));
        if (!found)
            qFatal("no object Box%d in the picture", n);
        return found;
    };

    // Box6 is right of Box5, Box9 under it; Box1 lies up and left, out of the way of Right.
    object(5)->setFocus();
    QTest::keyClick(object(5), Qt::Key_Right);
    QCOMPARE(picture->focusWidget(), object(6));
    QTest::keyClick(object(6), Qt::Key_Down);
    QCOMPARE(picture->focusWidget(), object(10));
    QTest::keyClick(object(10), Qt::Key_Left);
    QCOMPARE(picture->focusWidget(), object(9));
    QTest::keyClick(object(9), Qt::Key_Up);
    QCOMPARE(picture->focusWidget(), object(5));

    QTest::mouseClick(object(5), Qt::LeftButton, Qt::ControlModifier, object(5)->rect().center());
    QCOMPARE(object(5)->accessibleName(), QStringLiteral("Box5, TextBox, TAB 5"));
    auto *note = picture->findChild<QLabel *>(QStringLiteral("PictureNote"));
    QVERIFY(note && note->text().isEmpty());
    QTest::keyClick(object(5), Qt::Key_Space);
    QVERIFY2(note->text().startsWith(QStringLiteral("Box5 already has TAB 5")),
             qPrintable(note->text()));
    QCOMPARE(entryNames(list).mid(0, 5), (QStringList{"Box1", "Box2", "Box3", "Box4", "Box5"}));

    for (int n : {12, 11, 10, 9, 8, 7})
        object(n)->click();
    QCOMPARE(ui.platform.callsOf(QStringLiteral("msgbox")).size(), 0);
    ui.platform.messageAnswers.enqueue(Platform::Yes);
    object(6)->click();
    QCOMPARE(ui.platform.callsOf(QStringLiteral("msgbox")).size(), 1);
    QCOMPARE(ui.platform.callsOf(QStringLiteral("msgbox")).at(0).text, confirmText);
    QCOMPARE(ui.readFile(QStringLiteral("Samples/Grid.txt")),
             placedForm({1, 2, 3, 4, 5, 12, 11, 10, 9, 8, 7, 6}));
}

const QString pendingQuestion =
    QStringLiteral("The TAB changes made to Prog.txt are not yet written to the file.\r\n"
                   "Write them now?");

void TestTabPanel::pendingChangesBeforeAnotherFile_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("written");
    QTest::addColumn<QString>("shown");
    QTest::newRow("Yes writes them") << int(Platform::Yes) << true << QStringLiteral("Other.txt");
    QTest::newRow("No drops them") << int(Platform::No) << false << QStringLiteral("Other.txt");
    QTest::newRow("Cancel keeps the choice")
        << int(Platform::Cancel) << false << QStringLiteral("Prog.txt");
}

// A change answered No, then another program file picked: the user is asked first.
void TestTabPanel::pendingChangesBeforeAnotherFile()
{
    QFETCH(int, answer);
    QFETCH(bool, written);
    QFETCH(QString, shown);
    UiFixture ui;
    ui.writeFile(QStringLiteral("Samples/Prog.txt"), crlf(exampleHead + exampleSection));
    ui.writeFile(QStringLiteral("Samples/Other.txt"), crlf(exampleSection));
    ui.start();
    openProgram(ui, QStringLiteral("Prog.txt"));
    moveObject(ui, 0, 2, Platform::No);
    ui.platform.messageAnswers.enqueue(answer);
    openProgram(ui, QStringLiteral("Other.txt"));

    QCOMPARE(ui.platform.messages(), (QStringList{confirmText, pendingQuestion}));
    QCOMPARE(ui.platform.callsOf(QStringLiteral("msgbox")).at(1).flags,
             Platform::YesNoCancel + Platform::Question);
    QCOMPARE(ui.readFile(QStringLiteral("Samples/Prog.txt")),
             crlf(exampleHead + (written ? exampleSwapped : exampleSection)));
    QVERIFY(!QFile::exists(ui.path(QStringLiteral("Samples/Prog.Bak"))));
    QCOMPARE(ui.caption("Combo2"), shown);
    // Cancel: the change is still held and shown.
    QCOMPARE(texts(ui.w<QListView>("List1")),
             asText(answer == Platform::Cancel ? exampleSwapped : exampleSection));

    // Nothing is pending any more (or, after Cancel, the next Yes writes the change held).
    moveObject(ui, 0, 1, Platform::Yes);
    QCOMPARE(ui.platform.messages().size(), 3);
}

void TestTabPanel::pendingChangesOnClose_data()
{
    QTest::addColumn<bool>("pending");
    QTest::addColumn<bool>("backupLeft");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("written");
    QTest::newRow("nothing pending") << false << false << -1 << true << false;
    QTest::newRow("Yes writes them") << true << false << int(Platform::Yes) << true << true;
    QTest::newRow("No drops them") << true << false << int(Platform::No) << true << false;
    QTest::newRow("Cancel stays") << true << false << int(Platform::Cancel) << false << false;
    QTest::newRow("Yes, the write fails: stays")
        << true << true << int(Platform::Yes) << false << false;
}

void TestTabPanel::pendingChangesOnClose()
{
    QFETCH(bool, pending);
    QFETCH(bool, backupLeft);
    QFETCH(int, answer);
    QFETCH(bool, closes);
    QFETCH(bool, written);
    UiFixture ui;
    ui.writeFile(QStringLiteral("Samples/Prog.txt"), crlf(exampleHead + exampleSection));
    ui.start();
    openProgram(ui, QStringLiteral("Prog.txt"));
    if (pending)
        moveObject(ui, 0, 2, Platform::No);
    if (backupLeft)
        ui.writeFile(QStringLiteral("Samples/Prog.Bak"), "interrupted");
    const qsizetype before = ui.platform.messages().size();
    if (answer >= 0)
        ui.platform.messageAnswers.enqueue(answer);

    QCOMPARE(ui.w<ModePanel>("Picture3")->confirmClose(), closes);
    const QStringList messages = ui.platform.messages().mid(before);
    QCOMPARE(messages.isEmpty(), !pending);
    if (pending) {
        QCOMPARE(messages.at(0), pendingQuestion);
        QCOMPARE(ui.platform.callsOf(QStringLiteral("msgbox")).at(before).flags,
                 Platform::YesNoCancel + Platform::Question);
    }
    // A failed write says why, and that the change is kept.
    QCOMPARE(messages.size(), pending ? (backupLeft ? 2 : 1) : 0);
    if (backupLeft)
        QVERIFY2(messages.at(1).contains(QStringLiteral("kept in memory")),
                 qPrintable(messages.at(1)));
    QCOMPARE(ui.readFile(QStringLiteral("Samples/Prog.txt")),
             crlf(exampleHead + (written ? exampleSwapped : exampleSection)));
}

// The program list: no snippet store, and files saved or removed while Brindle runs appear or
// go, the choice kept.
void TestTabPanel::programListFollowsTheFolder()
{
    UiFixture ui;
    ui.writeFile(QStringLiteral("Samples/Prog.txt"), crlf(exampleHead + exampleSection));
    ui.writeFile(QStringLiteral("Samples/MyCode.Txt"), "Title\r\n");
    ui.writeFile(QStringLiteral("Samples/mycode.txt"), "Title\r\n");
    ui.start();
    auto *programs = ui.w<QComboBox>("Combo2");
    QCOMPARE(texts(programs), QStringList{QStringLiteral("Prog.txt")});
    openProgram(ui, QStringLiteral("Prog.txt"));

    ui.writeFile(QStringLiteral("Samples/New.txt"), crlf(exampleSection));
    QTRY_VERIFY(programs->findText(QStringLiteral("New.txt")) >= 0);
    QCOMPARE(programs->count(), 2);
    QCOMPARE(ui.caption("Combo2"), QStringLiteral("Prog.txt"));
    QVERIFY(QFile::remove(ui.path(QStringLiteral("Samples/New.txt"))));
    QTRY_COMPARE(programs->count(), 1);
    QCOMPARE(ui.caption("Combo2"), QStringLiteral("Prog.txt"));
    QCOMPARE(ui.w<QListView>("List2")->model()->rowCount(), 2);
    QVERIFY(ui.platform.messages().isEmpty());
}

// Arrow keys on the closed list open nothing until the user stops (or presses Return), and a
// file is opened, and its message shown, once.
void TestTabPanel::browsingByKeysOpensWhereTheUserStops()
{
    UiFixture ui;
    for (const char *name : {"Samples/A.txt", "Samples/B.txt", "Samples/C.txt"})
        ui.writeFile(QString::fromLatin1(name), "Dim Form1\r\n");
    ui.start();
    ui.chooseMode(3);
    auto *programs = ui.w<QComboBox>("Combo2");
    QCOMPARE(programs->count(), 3);
    QTest::keyClick(programs, Qt::Key_Down);
    QTest::keyClick(programs, Qt::Key_Down);
    QCOMPARE(programs->currentIndex(), 1);
    QVERIFY(ui.platform.messages().isEmpty());
    QTRY_COMPARE(ui.platform.messages().size(), 1);
    QTest::keyClick(programs, Qt::Key_Return); // already opened: nothing again
    QCOMPARE(ui.platform.messages().size(), 1);
    QTest::keyClick(programs, Qt::Key_Down);
    QTest::keyClick(programs, Qt::Key_Return); // opened at once
    QCOMPARE(ui.platform.messages(),
             QStringList(2, QString::fromLatin1(SectionReader::notGeneratedMessage)));
    QTest::qWait(700);
    QCOMPARE(ui.platform.messages().size(), 2);
}

// Screen readers hear each box and the list by its caption; Tab goes in the order of the work
// (file, form, object, new position) over what is shown, and the hidden tables never take the
// focus.
void TestTabPanel::namesAndTabChain()
{
    const Lines forms = lines("' Begin Gen|Dim Form1|'|New A| Set Ctl(1) = A|'|Dim Form2|'|"
                              "New B| Set Ctl(1) = B|'|' End Generated");
    UiFixture ui;
    ui.writeFile(QStringLiteral("Samples/Forms.txt"), crlf(forms));
    ui.start();
    openProgram(ui, QStringLiteral("Forms.txt"));
    ui.choose("Combo4", 0);
    clickObject(ui, 0);
    const QList<std::pair<const char *, const char *>> named{
        {"Combo2", "Label14"}, {"Combo3", "Label15"}, {"List2", "Label13"}, {"Combo4", "Label18"}};
    for (const auto &[control, label] : named)
        QCOMPARE(ui.w(control)->accessibleName(), ui.caption(label));

    QWidget *panel = ui.w("Picture3");
    QStringList chain;
    QWidget *at = ui.w("Combo2");
    do {
        if (panel->isAncestorOf(at) && at->isVisibleTo(ui.prog.get()) &&
            (at->focusPolicy() & Qt::TabFocus) && at->isEnabled())
            chain << at->objectName();
        at = at->nextInFocusChain();
    } while (at != ui.w("Combo2"));
    QCOMPARE(chain, (QStringList{"Combo2", "Combo4", "List2", "Combo3", "ByPosition"}));
    for (const char *table : {"List0", "List1", "List3", "List4", "List5"})
        QVERIFY2(ui.w(table)->focusPolicy() == Qt::NoFocus, table);
}

QTEST_MAIN(TestTabPanel)
#include "tst_tabpanel.moc"
