#include "sectionreader.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Lines = QList<QByteArray>;

namespace {

const QString blanks40 = QString(40, QLatin1Char(' '));

Lines exampleFile()
{
    return {"First line of the program",
            "Second line of the program",
            "' Begin Generated part",
            "Dim Form1",
            "'",
            "New object",
            " Set Ctl(1) = OkButton",
            "Ctl(1).Caption = OK",
            "'",
            "New object",
            " SET Ctl(2) = NameBox",
            "Ctl(2).Text = empty",
            "' End Generated part",
            "Last line of the program"};
}

QString formEntry(const QString &name, int index)
{
    return name + QStringLiteral("                 -") + QString::number(index);
}

QString endEntry(int index)
{
    return QStringLiteral("°°°°°                  -") + QString::number(index);
}

QString objectEntry(int ordinal, const QString &name, int index)
{
    return QString::number(ordinal) + QLatin1Char(' ') + name + blanks40 + QLatin1Char('-') +
           QString::number(index);
}

} // namespace

class TestSectionReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void find_data();
    void find();
    void readAcceptsEveryLineEnd_data();
    void readAcceptsEveryLineEnd();
    void readMissingFile();
    void formTable_data();
    void formTable();
    void formRange_data();
    void formRange();
    void listObjects_data();
    void listObjects();
    void rowTexts_data();
    void rowTexts();
    void rowFields();
    void displayStringsCharacterByCharacter();
};

void TestSectionReader::find_data()
{
    QTest::addColumn<Lines>("file");
    QTest::addColumn<int>("genStart");
    QTest::addColumn<int>("sectionSize");

    QTest::newRow("example") << exampleFile() << 2 << 12;
    QTest::newRow("on the first line") << Lines{"x Begin Gen", "a", "b"} << 0 << 3;
    QTest::newRow("second marker is an ordinary line")
        << Lines{"head", "' Begin Gen", "a", "' Begin Gen again"} << 1 << 3;
    QTest::newRow("case matters") << Lines{"' begin gen", "' BEGIN GEN"} << -1 << 0;
    QTest::newRow("empty file") << Lines{} << -1 << 0;
}

void TestSectionReader::find()
{
    QFETCH(Lines, file);
    QFETCH(int, genStart);
    QFETCH(int, sectionSize);
    const Result<SectionReader::Section> s = SectionReader::find(file);
    const Result<SectionReader::Section> located = SectionReader::locate(file.join("\r\n"));
    QCOMPARE(located.ok(), s.ok());
    if (s.ok())
        QCOMPARE(located.value().genStart, s.value().genStart);
    if (genStart < 0) {
        QVERIFY(!s.ok());
        QCOMPARE(s.message(),
                 QStringLiteral("Form Code does not comply with Generated code format"));
        return;
    }
    QVERIFY(s.ok());
    QCOMPARE(s.value().genStart, genStart);
    QCOMPARE(s.value().lines, file.mid(genStart, sectionSize));
}

void TestSectionReader::readAcceptsEveryLineEnd_data()
{
    QTest::addColumn<QByteArray>("end");
    QTest::newRow("CR LF") << QByteArray("\r\n");
    QTest::newRow("LF") << QByteArray("\n");
    QTest::newRow("CR") << QByteArray("\r");
}

void TestSectionReader::readAcceptsEveryLineEnd()
{
    QFETCH(QByteArray, end);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Prog.txt"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(exampleFile().join(end) + end);
    f.close();
    const Result<SectionReader::Section> s = SectionReader::read(path);
    QVERIFY(s.ok());
    QCOMPARE(s.value().genStart, 2);
    QCOMPARE(s.value().lines, exampleFile().mid(2));
    QCOMPARE(s.value().bytes, exampleFile().mid(2).join(end) + end);
    // Locating the section without splitting the lines gives the same start and bytes.
    const Result<SectionReader::Section> located =
        SectionReader::locate(exampleFile().join(end) + end);
    QVERIFY(located.ok());
    QCOMPARE(located.value().genStart, 2);
    QVERIFY(located.value().lines.isEmpty());
    QCOMPARE(located.value().bytes, s.value().bytes);
}

void TestSectionReader::readMissingFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Gone.txt"));
    const Result<SectionReader::Section> s = SectionReader::read(path);
    QVERIFY(!s.ok());
    QVERIFY(s.message().startsWith(QStringLiteral("Cannot read the program file ") + path));
}

void TestSectionReader::formTable_data()
{
    QTest::addColumn<Lines>("section");
    QTest::addColumn<QStringList>("table");

    QTest::newRow("example") << exampleFile().mid(2)
                             << QStringList{formEntry(QStringLiteral("Form1"), 1), endEntry(10)};
    QTest::newRow("only DIM Form and Dim Form at the start")
        << Lines{"' Begin Gen", " Dim Form1",          "dim Form2",
                 "DIM Form3",   "Dim FormX As Window", "x Dim Form4"}
        << QStringList{formEntry(QStringLiteral("Form3"), 3),
                       formEntry(QStringLiteral("FormX As Window"), 4)};
    QTest::newRow("form and end on one line")
        << Lines{"' Begin Gen", "Dim Form1 ' End Generated"}
        << QStringList{formEntry(QStringLiteral("Form1 ' End Generated"), 1), endEntry(1)};
    QTest::newRow("several forms, a second end line")
        << Lines{"' Begin Gen", "Dim Form1",       "'",
                 "Dim Form2",   "' End Generated", "' End Generated too"}
        << QStringList{formEntry(QStringLiteral("Form1"), 1), formEntry(QStringLiteral("Form2"), 3),
                       endEntry(4), endEntry(5)};
    // Names are in the system's 8-bit encoding: UTF-8 on Linux, the ANSI code page on Windows.
    QTest::newRow("name kept as text") << Lines{"Dim Form" + QStringLiteral("été").toLocal8Bit()}
                                       << QStringList{formEntry(QStringLiteral("Formété"), 0)};
    QTest::newRow("none") << Lines{"' Begin Gen", "a"} << QStringList{};
}

void TestSectionReader::formTable()
{
    QFETCH(Lines, section);
    QFETCH(QStringList, table);
    QCOMPARE(SectionReader::formTable(section), table);
}

void TestSectionReader::formRange_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::newRow("first form") << 0 << 1 << 3;
    QTest::newRow("second form") << 1 << 3 << 9;
    QTest::newRow("last entry runs to the end") << 2 << 9 << 14;
    QTest::newRow("no entry") << -1 << 0 << -1;
}

void TestSectionReader::formRange()
{
    QFETCH(int, k);
    QFETCH(int, start);
    QFETCH(int, end);
    const QList<SectionReader::Form> table{
        {QStringLiteral("Form1"), 1}, {QStringLiteral("Form-Two"), 3}, {QString(), 9, true}};
    const SectionReader::Range r = SectionReader::formRange(table, k, 14);
    QCOMPARE(r.start, start);
    QCOMPARE(r.end, end);
}

void TestSectionReader::listObjects_data()
{
    QTest::addColumn<Lines>("section");
    QTest::addColumn<int>("rangeStart");
    QTest::addColumn<int>("rangeEnd");
    QTest::addColumn<QStringList>("entries");

    const Lines example = exampleFile().mid(2);
    QTest::newRow("example") << example << 0 << 11
                             << QStringList{objectEntry(1, QStringLiteral(" OkButton"), 3),
                                            objectEntry(2, QStringLiteral(" NameBox"), 7)};
    QTest::newRow("range past the section is clipped")
        << example << 4 << 400
        << QStringList{objectEntry(1, QStringLiteral(" OkButton"), 3),
                       objectEntry(2, QStringLiteral(" NameBox"), 7)};
    QTest::newRow("range without SET lines") << example << 0 << 3 << QStringList{};
    QTest::newRow("first word SET or Set after a blank, none elsewhere")
        << Lines{"' Begin Gen",
                 "Dim Form1 Set",
                 " Setup = 1",
                 "=SET",
                 "New",
                 "  SET Ctl(1) = A",
                 "New",
                 "\t Set Ctl(2) = B",
                 "Set Ctl(3) = C",
                 " set Ctl(4) = D",
                 "Ctl(1).Tag = x Set",
                 " SET"}
        << 0 << 11
        << QStringList{objectEntry(1, QStringLiteral(" A"), 4),
                       objectEntry(2, QStringLiteral(" B"), 6),
                       objectEntry(3, QStringLiteral(" SET"), 10)};
    QTest::newRow("Set inside a string is no object")
        << Lines{"' Begin Gen",
                 "Dim Form1",
                 "'",
                 "New object",
                 " Set Ctl(1) = ItemBox",
                 "Ctl(1).Text = \" Set the item\"",
                 "'",
                 "New object",
                 " Set Ctl(2) = AddButton",
                 "Ctl(2).Caption = \"Add\" & \" SET\"",
                 "'",
                 "' End Generated part"}
        << 0 << 11
        << QStringList{objectEntry(1, QStringLiteral(" ItemBox"), 3),
                       objectEntry(2, QStringLiteral(" AddButton"), 7)};
    QTest::newRow("name after the first equals sign")
        << Lines{"New", " Set Ctl(1) = A = B", "New",
                 " Set Ctl(2) = " + QStringLiteral("été").toLocal8Bit()}
        << 0 << 3
        << QStringList{objectEntry(1, QStringLiteral(" A = B"), 0),
                       objectEntry(2, QStringLiteral(" été"), 2)};
    // Laying out a name of megabytes would freeze the window; what shows is its start.
    QTest::newRow("huge name shows its first 1000 characters")
        << Lines{"New", " Set Ctl(1) =" + QByteArray(2000, '\xe9') + QByteArray(5000000, 'x')} << 0
        << 1 << QStringList{objectEntry(1, QString::fromLocal8Bit(QByteArray(1000, '\xe9')), 0)};
}

void TestSectionReader::listObjects()
{
    QFETCH(Lines, section);
    QFETCH(int, rangeStart);
    QFETCH(int, rangeEnd);
    QFETCH(QStringList, entries);
    const SectionReader::Objects objects =
        SectionReader::listObjects(section, rangeStart, rangeEnd);
    QCOMPARE(objects.entries, entries);
    QStringList positions;
    for (int i = 1; i <= entries.size(); ++i)
        positions << QString::number(i);
    QCOMPARE(objects.positions, positions);
}

// The texts of the rows: made from the row's fields, whatever the name holds.
void TestSectionReader::rowTexts_data()
{
    QTest::addColumn<bool>("isObject");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");

    QTest::newRow("example") << true << 2 << QStringLiteral(" NameBox") << 7
                             << objectEntry(2, QStringLiteral(" NameBox"), 7);
    QTest::newRow("dash inside the name") << true << 11 << QStringLiteral(" Box-2") << 130
                                          << objectEntry(11, QStringLiteral(" Box-2"), 130);
    QTest::newRow("name ending in a dash")
        << true << 1 << QStringLiteral(" A-") << 4 << objectEntry(1, QStringLiteral(" A-"), 4);
    QTest::newRow("SET on the first section line")
        << true << 1 << QStringLiteral(" X") << -1 << objectEntry(1, QStringLiteral(" X"), -1);
    QTest::newRow("form entry") << false << 0 << QStringLiteral("Form1") << 12
                                << formEntry(QStringLiteral("Form1"), 12);
    QTest::newRow("end entry") << false << 0 << QString() << 10 << endEntry(10);
}

void TestSectionReader::rowTexts()
{
    QFETCH(bool, isObject);
    QFETCH(int, number);
    QFETCH(QString, name);
    QFETCH(int, index);
    QFETCH(QString, text);
    if (isObject)
        QCOMPARE(SectionReader::objectText({number, name, index}), text);
    else
        QCOMPARE(SectionReader::formText({name, index, name.isEmpty()}), text);
}

// Each row's fields as read from the section: the ordinal, the name with its blanks, the block
// start; a form's name and line.
void TestSectionReader::rowFields()
{
    const Lines section = exampleFile().mid(2);
    const QList<SectionReader::Object> objects = SectionReader::objects(section, 0, 11);
    QCOMPARE(objects.size(), 2);
    QCOMPARE(objects.at(1).ordinal, 2);
    QCOMPARE(objects.at(1).name, QStringLiteral(" NameBox"));
    QCOMPARE(objects.at(1).block, 7);
    QCOMPARE(SectionReader::objectBlocks(section, 0, 11), (QList<int>{3, 7}));
    const QList<SectionReader::Form> forms = SectionReader::forms(section);
    QCOMPARE(forms.size(), 2);
    QCOMPARE(forms.at(0).name, QStringLiteral("Form1"));
    QCOMPARE(forms.at(0).startLine, 1);
    QVERIFY(!forms.at(0).isEnd);
    QVERIFY(forms.at(1).isEnd);
    QCOMPARE(forms.at(1).startLine, 10);
}

// The entries built from counted characters, not from texts typed like the program's: five
// real degree signs (U+00B0) and 18 blanks, 17 blanks after a form name, 40 after an object.
void TestSectionReader::displayStringsCharacterByCharacter()
{
    const QStringList table = SectionReader::formTable(exampleFile().mid(2));
    const QString expectedForm =
        QStringLiteral("Form1") + QString(17, QChar(0x20)) + QChar(0x2D) + QStringLiteral("1");
    const QString expectedEnd =
        QString(5, QChar(0x00B0)) + QString(18, QChar(0x20)) + QChar(0x2D) + QStringLiteral("10");
    QCOMPARE(table, (QStringList{expectedForm, expectedEnd}));
    QCOMPARE(table.at(1).at(0).unicode(), char16_t(0x00B0));

    const QStringList entries = SectionReader::listObjects(exampleFile().mid(2), 0, 11).entries;
    QCOMPARE(entries.at(0), QStringLiteral("1  OkButton") + QString(40, QChar(0x20)) + QChar(0x2D) +
                                QStringLiteral("3"));
    QCOMPARE(entries.at(1), QStringLiteral("2  NameBox") + QString(40, QChar(0x20)) + QChar(0x2D) +
                                QStringLiteral("7"));
}

QTEST_GUILESS_MAIN(TestSectionReader)
#include "tst_sectionreader.moc"
