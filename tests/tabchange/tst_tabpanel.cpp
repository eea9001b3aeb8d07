#include "objectmodel.h"
#include "sectionreader.h"
#include "textfile.h"
#include "uitest.h"

#include <QAction>
#include <QDialog>
#include <QListView>

using Lines = QList<QByteArray>;

namespace {

// Lines written as one text with "|" between them.
Lines lines(const char *text)
{
    return QByteArray(text).split('|');
}

const QString blanks40 = QString(40, QLatin1Char(' '));
const QString confirmText =
    QStringLiteral("To confirm TAB change tap YES\r\nTo change TAB again tap NO");
const QString confirmTitle = QStringLiteral("CHANGE DONE! Ready to fix code");

QByteArray crlf(const Lines &lines)
{
    QByteArray bytes;
    for (const QByteArray &line : lines)
        bytes += line + "\r\n";
    return bytes;
}

const Lines exampleHead{"First line of the program", "Second line of the program"};
const Lines exampleSection =
    lines("' Begin Generated part|Dim Form1|'|New object|"
          " Set Ctl(1) = OkButton|Ctl(1).Caption = OK|'|New object| SET Ctl(2) = NameBox|"
          "Ctl(2).Text = empty|' End Generated part|Last line of the program");
const Lines exampleSwapped =
    lines("' Begin Generated part|Dim Form1|'|New object|"
          " SET Ctl(1) = NameBox|Ctl(1).Text = empty|'|New object| Set Ctl(2) = OkButton|"
          "Ctl(2).Caption = OK|' End Generated part|Last line of the program");

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
    void listsShowTheFileAfterExchange_data();
    void listsShowTheFileAfterExchange();
    void noThenYesWritesBoth();
    void ownPositionWritesNothing();
    void formsSelector();
    void beginGenOnFirstLine();
    void noBeginGen();
    void unreadableFileClearsTheLists();
    void bytesOfAnyEncodingSurvive();
    void leftOverBackupRefusesRewrite();
    void lostProgramRestored();
    void fileChangedOnDiskRefusesRewrite();
    void emptyNameRefused();
    void resetClearsMode();
    void formPictureSetsOrderByClicks();
};

void TestTabPanel::listsShowTheFileAfterExchange_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("position");
    const QByteArray head = "Rem head\nRem more\n' Begin Generated part\nDim Form1\n'\n";
    QByteArray blocks;
    for (int i = 1; i <= 5; ++i) {
        const QByteArray n = QByteArray::number(i);
        blocks +=
            "New object\n Set Ctl(" + n + ") = Name" + n + "\nCtl(" + n + ").Left = " + n + "\n'\n";
    }
    const QByteArray end = "' End Generated part\nRem tail\n";
    // Blocks of one length: only their rows change. Another length: every row after moves.
    QTest::newRow("same length, far apart") << head + blocks + end << 0 << 5;
    QTest::newRow("same length, neighbours") << head + blocks + end << 3 << 3;
    QByteArray longer = blocks;
    longer.replace("Ctl(2).Left = 2\n", "Ctl(2).Left = 2\nCtl(2).Top = 2\nCtl(2).Tag = (9)\n");
    QTest::newRow("other length") << head + longer + end << 1 << 4;
    QByteArray mixed = head + blocks + end;
    mixed.replace("\n", "\r\n");
    mixed.replace("Name3\r\n", "Name3\r");
    QTest::newRow("CR LF and a lone CR") << mixed << 2 << 1;
}

// After an exchange written with Yes, the hidden section table and the object list show
// exactly the file as it is now on disk.
void TestTabPanel::listsShowTheFileAfterExchange()
{
    QFETCH(QByteArray, file);
    QFETCH(int, row);
    QFETCH(int, position);
    UiFixture ui;
    ui.writeFile(QStringLiteral("Samples/Prog.txt"), file);
    ui.start();
    openProgram(ui, QStringLiteral("Prog.txt"));
    moveObject(ui, row, position, Platform::Yes);
    QVERIFY(ui.readFile(QStringLiteral("Samples/Prog.txt")) != file);
    const auto onDisk = SectionReader::read(ui.path(QStringLiteral("Samples/Prog.txt")));
    QVERIFY(onDisk.ok());
    const Lines section = onDisk.value().lines;
    QCOMPARE(texts(ui.w<QListView>("List1")), asText(section));
    QCOMPARE(texts(ui.w<QListView>("List2")),
             SectionReader::listObjects(section, 0, int(section.size()) - 1).entries);
    QCOMPARE(texts(ui.w<QComboBox>("Combo3")), (QStringList{"1", "2", "3", "4", "5"}));
    for (const char *table : {"List0", "List3", "List4", "List5"})
        QVERIFY2(ui.w<QListView>(table)->model()->rowCount() == 0, table);
    // A second exchange on what the lists now hold writes the file back as it was, in CR LF.
    moveObject(ui, position - 1, row + 1, Platform::Yes);
    QCOMPARE(ui.readFile(QStringLiteral("Samples/Prog.txt")), crlf(TextFile::splitLines(file)));
}

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

    QCOMPARE(texts(ui.w<QListView>("List2")),
             (QStringList{entry(1, QStringLiteral(" NameBox"), 3),
                          entry(2, QStringLiteral(" OkButton"), 7)}));
    QCOMPARE(texts(ui.w<QListView>("List1")), asText(exampleSwapped));
    for (const char *table : {"List0", "List3", "List4", "List5"})
        QVERIFY2(ui.w<QListView>(table)->model()->rowCount() == 0, table);
    QCOMPARE(ui.caption("Label17"), QString());
    QCOMPARE(ui.caption("Combo3"), QString());
    for (const char *hidden : {"Label17", "Combo3", "Label15"})
        QVERIFY2(!shown(ui, hidden), hidden);
}

void TestTabPanel::noThenYesWritesBoth()
{
    const Lines section =
        lines("' Begin Gen|Dim Form1|'|New A| Set Ctl(1) = A|Ctl(1).X = 1|'|"
              "New B| Set Ctl(2) = B|'|New C| Set Ctl(3) = C|Ctl(3).Y = 2|Ctl(3).Z = 3|"
              "' End Generated");
    UiFixture ui;
    ui.writeFile(QStringLiteral("Samples/Three.txt"), "head\r\n" + crlf(section));
    ui.start();
    openProgram(ui, QStringLiteral("Three.txt"));

    moveObject(ui, 0, 3, Platform::No); // A to 3: C B A, in memory only
    QCOMPARE(ui.readFile(QStringLiteral("Samples/Three.txt")), "head\r\n" + crlf(section));
    QCOMPARE(texts(ui.w<QListView>("List2")),
             (QStringList{entry(1, QStringLiteral(" C"), 3), entry(2, QStringLiteral(" B"), 8),
                          entry(3, QStringLiteral(" A"), 11)}));

    moveObject(ui, 0, 2, Platform::Yes); // C to 2: B C A, written with the first change
    const Lines expected =
        lines("' Begin Gen|Dim Form1|'|New B| Set Ctl(1) = B|'|New C|"
              " Set Ctl(2) = C|Ctl(2).Y = 2|Ctl(2).Z = 3|'|New A| Set Ctl(3) = A|Ctl(3).X = 1|"
              "' End Generated");
    QCOMPARE(ui.readFile(QStringLiteral("Samples/Three.txt")), "head\r\n" + crlf(expected));
    QCOMPARE(ui.platform.messages(), QStringList(2, confirmText));
    QVERIFY(!QFile::exists(ui.path(QStringLiteral("Samples/Three.Bak"))));
}

void TestTabPanel::ownPositionWritesNothing()
{
    UiFixture ui;
    ui.writeFile(QStringLiteral("Samples/Prog.txt"),
                 exampleHead.join('\n') + '\n' + exampleSection.join('\n'));
    ui.start();
    openProgram(ui, QStringLiteral("Prog.txt"));
    moveObject(ui, 1, 2, Platform::Yes);
    // The section comes out unchanged, so nothing is written: the file keeps its LF ends.
    QCOMPARE(ui.readFile(QStringLiteral("Samples/Prog.txt")),
             exampleHead.join('\n') + '\n' + exampleSection.join('\n'));
    QCOMPARE(texts(ui.w<QListView>("List1")), asText(exampleSection));
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

void TestTabPanel::beginGenOnFirstLine()
{
    UiFixture ui;
    ui.writeFile(QStringLiteral("Samples/Prog.txt"), crlf(exampleSection));
    ui.start();
    openProgram(ui, QStringLiteral("Prog.txt"));
    moveObject(ui, 0, 2, Platform::Yes);
    QCOMPARE(ui.readFile(QStringLiteral("Samples/Prog.txt")), crlf(exampleSwapped));
}

void TestTabPanel::noBeginGen()
{
    UiFixture ui;
    ui.writeFile(QStringLiteral("Samples/Prog.txt"), crlf(exampleHead + exampleSection));
    ui.writeFile(QStringLiteral("Samples/Plain.txt"), "Dim Form1\r\n Set Ctl(1) = X\r\n");
    ui.start();
    openProgram(ui, QStringLiteral("Prog.txt"));
    clickObject(ui, 0);
    openProgram(ui, QStringLiteral("Plain.txt"));

    QCOMPARE(ui.platform.messages(),
             QStringList{QStringLiteral("Form Code does not comply with Generated code format")});
    QCOMPARE(ui.platform.callsOf(QStringLiteral("msgbox")).at(0).flags, 0);
    QCOMPARE(ui.platform.callsOf(QStringLiteral("msgbox")).at(0).title, QString());
    QCOMPARE(ui.w<QListView>("List1")->model()->rowCount(), 0);
    QCOMPARE(ui.w<QListView>("List2")->model()->rowCount(), 0);
    // Nothing of the previous file stays: no forms, no count.
    QCOMPARE(ui.w<QComboBox>("Combo4")->count(), 0);
    QVERIFY(!shown(ui, "Combo3"));
    for (const char *hidden : {"Combo4", "Label18", "Label12", "Label16"})
        QVERIFY2(!shown(ui, hidden), hidden);
    QCOMPARE(ui.readFile(QStringLiteral("Samples/Plain.txt")),
             QByteArray("Dim Form1\r\n Set Ctl(1) = X\r\n"));
}

void TestTabPanel::unreadableFileClearsTheLists()
{
    UiFixture ui;
    ui.writeFile(QStringLiteral("Samples/Prog.txt"), crlf(exampleHead + exampleSection));
    ui.writeFile(QStringLiteral("Samples/Gone.txt"), crlf(exampleSection));
    ui.start();
    QVERIFY(QFile::remove(ui.path(QStringLiteral("Samples/Gone.txt"))));
    openProgram(ui, QStringLiteral("Prog.txt"));
    openProgram(ui, QStringLiteral("Gone.txt"));

    QCOMPARE(ui.platform.messages().size(), 1);
    QVERIFY(
        ui.platform.messages().at(0).startsWith(QStringLiteral("Cannot read the program file ")));
    QVERIFY(ui.platform.messages().at(0).contains(QStringLiteral("Gone.txt")));
    // A failed pick leaves nothing of the previous file on screen.
    QCOMPARE(ui.w<QListView>("List1")->model()->rowCount(), 0);
    QCOMPARE(ui.w<QListView>("List2")->model()->rowCount(), 0);
    QCOMPARE(ui.w<QComboBox>("Combo4")->count(), 0);
    QVERIFY(!shown(ui, "Label12") && !shown(ui, "Label16"));

    openProgram(ui, QStringLiteral("Prog.txt"));
    QCOMPARE(texts(ui.w<QListView>("List1")), asText(exampleSection));
    moveObject(ui, 0, 2, Platform::Yes); // the file picked again works as before
    QCOMPARE(ui.readFile(QStringLiteral("Samples/Prog.txt")), crlf(exampleHead + exampleSwapped));
    QVERIFY(!QFile::exists(ui.path(QStringLiteral("Samples/Gone.txt"))));
}

void TestTabPanel::bytesOfAnyEncodingSurvive()
{
    const QByteArray head = "Latin-1 \xe9t\xe9\nUTF-8 \xc3\xa9t\xc3\xa9\rstray \xff\xfe bytes\r\n";
    Lines section = exampleSection;
    section[5] = "Ctl(1).Caption = \"\xe0 \xff\"";
    section[11] = "Tail \x81\x8d\x90";
    UiFixture ui;
    ui.writeFile(QStringLiteral("Samples/Prog.txt"), head + crlf(section));
    ui.start();
    openProgram(ui, QStringLiteral("Prog.txt"));
    moveObject(ui, 0, 2, Platform::Yes);

    Lines expected = exampleSwapped;
    expected[9] = "Ctl(2).Caption = \"\xe0 \xff\"";
    expected[11] = "Tail \x81\x8d\x90";
    QCOMPARE(ui.readFile(QStringLiteral("Samples/Prog.txt")),
             crlf({"Latin-1 \xe9t\xe9", "UTF-8 \xc3\xa9t\xc3\xa9", "stray \xff\xfe bytes"}) +
                 crlf(expected));
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

    ui.platform.messageAnswers.enqueue(Platform::Yes);
    ui.click("UseOrder");
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

QTEST_MAIN(TestTabPanel)
#include "tst_tabpanel.moc"
