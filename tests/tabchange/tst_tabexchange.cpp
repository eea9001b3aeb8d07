#include "sectionreader.h"
#include "tabexchange.h"
#include "taborder.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <numeric>

using Lines = QList<QByteArray>;

namespace {

// Lines written as one text with "|" between them.
Lines lines(const char *text)
{
    return QByteArray(text).split('|');
}

// The section of the example program: two objects of one form.
Lines exampleSection()
{
    return lines("' Begin Generated part|Dim Form1|'|New object| Set Ctl(1) = OkButton|"
                 "Ctl(1).Caption = OK|'|New object| SET Ctl(2) = NameBox|Ctl(2).Text = empty|"
                 "' End Generated part|Last line of the program");
}

// Lists the objects of the range and exchanges object `from` with the one at position `to`,
// as the panel does.
Lines move(const Lines &section, int rangeStart, int rangeEnd, int from, int to)
{
    const QList<int> blocks = SectionReader::objectBlocks(section, rangeStart, rangeEnd);
    const int sel = blocks.at(from - 1);
    const int target = blocks.at(to - 1);
    const Result<TabExchange::Prepared> p = TabExchange::prepare(section, sel, from, target, to);
    if (!p)
        qFatal("exchange refused: %s", qPrintable(p.message()));
    return TabExchange::exchange(section, sel, p.value().moved, target, p.value().target);
}

// A generated program held as a model, rendered to section lines with every object's
// number equal to its place in its form.
struct Object
{
    QByteArray opening;
    QByteArray name;
    Lines further; // "%" stands for the object's number
};

struct Form
{
    QByteArray name;
    QList<Object> objects;
};

Lines render(const QList<Form> &forms, const Lines &tail)
{
    Lines out{"' Begin Generated part"};
    for (const Form &form : forms) {
        out << "Dim " + form.name << "'";
        for (int i = 0; i < form.objects.size(); ++i) {
            const Object &o = form.objects.at(i);
            const QByteArray n = QByteArray::number(i + 1);
            out << o.opening << " Set Ctl(" + n + ") =" + o.name;
            for (QByteArray line : o.further)
                out << line.replace('%', n);
            out << (i % 3 == 2 ? QByteArray("' -- next") : QByteArray("'"));
        }
    }
    out << "' End Generated part";
    return out + tail;
}

// Several forms, blocks of different lengths, names that contain each other and occur again in
// other lines, bytes of any encoding.
QList<Form> randomForms(QRandomGenerator &rng)
{
    const QList<QByteArray> names{" Btn",       " Btn1", " Btn12", " MyBtn1",
                                  " Btn1Label", " B",    "Btn",    " Ctl(1)"};
    const QList<QByteArray> further{"Ctl(%).Caption = \"OK\"",
                                    "Ctl(%).Left = 120",
                                    "Ctl(%).Move(1, 2, 3)",
                                    "Ctl(%).Text = \"\xe9t\xe9\"",
                                    "x) = Mid(s, 2",
                                    "Visible = True",
                                    "Ctl(%).Tag = Btn1",
                                    "Tag = Format(Now, \"hh:mm\")",
                                    "Ctl(%).Caption = \"Don't add twice\"",
                                    "Ctl(%).Text = \" Set the item\"",
                                    "Ctl(%).Left = 5 ' left edge"};
    const QList<QByteArray> openings{"New object", "New Button",
                                     "AddObject \"Label\",\"L\",10,40,60,21"};
    QList<Form> forms;
    const int formCount = rng.bounded(1, 4);
    for (int f = 0; f < formCount; ++f) {
        Form form{"Form" + QByteArray::number(f + 1) + (rng.bounded(2) ? " As Window" : ""), {}};
        const int objectCount = rng.bounded(1, 9);
        for (int o = 0; o < objectCount; ++o) {
            Object obj{openings.at(rng.bounded(int(openings.size()))),
                       names.at(rng.bounded(int(names.size()))),
                       {}};
            const int lines = rng.bounded(0, 5);
            for (int l = 0; l < lines; ++l)
                obj.further << further.at(rng.bounded(int(further.size())));
            form.objects << obj;
        }
        forms << form;
    }
    return forms;
}

const Lines randomTail{"Sub Go()", "  Btn1.Show", "  If MyBtn1 = Btn12 Then B = 1", "End Sub"};

// The lines of form f, as the panel finds them: the whole section when there is one form.
SectionReader::Range formRange(const Lines &section, int f)
{
    const QList<SectionReader::Form> table = SectionReader::forms(section);
    return table.size() <= 2 ? SectionReader::Range{0, int(section.size()) - 1}
                             : SectionReader::formRange(table, f, int(section.size()) - 1);
}

} // namespace

class TestTabExchange : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void renumber_data();
    void renumber();
    void arrayName_data();
    void arrayName();
    void collectBlock_data();
    void collectBlock();
    void workedExample();
    void ownPositionLeavesSectionAsItIs();
    void blocksOfDifferentLengths();
    void laterToEarlierEqualsReverse();
    void longerNumberRenumberedAsAWhole();
    void refused_data();
    void refused();
    void randomSections();
    void reorderEqualsExchanges();
};

void TestTabExchange::renumber_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("from"); // the number of the block's SET line
    QTest::addColumn<int>("n");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("one digit") << QByteArray("Ctl(1).Caption = OK") << QByteArray("1") << 2
                               << QByteArray("Ctl(2).Caption = OK");
    QTest::newRow("longer number")
        << QByteArray("Ctl(12).Left = 5") << QByteArray("12") << 3 << QByteArray("Ctl(3).Left = 5");
    QTest::newRow("to two digits") << QByteArray("Ctl(3).Move(1, 2)") << QByteArray("3") << 10
                                   << QByteArray("Ctl(10).Move(1, 2)");
    QTest::newRow("empty parentheses")
        << QByteArray("Ctl().Top = 1") << QByteArray("") << 4 << QByteArray("Ctl(4).Top = 1");
    QTest::newRow("other text inside")
        << QByteArray("OkButton.Tag = Format(Now, \"hh:mm\")") << QByteArray("1") << 2
        << QByteArray("OkButton.Tag = Format(Now, \"hh:mm\")");
    QTest::newRow("another number") << QByteArray("Ctl(12).X = Ctl(1).X") << QByteArray("1") << 7
                                    << QByteArray("Ctl(12).X = Ctl(7).X");
    QTest::newRow("number with blanks")
        << QByteArray("Ctl( 1).X") << QByteArray("1") << 7 << QByteArray("Ctl( 1).X");
    QTest::newRow("no parentheses")
        << QByteArray("Visible = True") << QByteArray("1") << 5 << QByteArray("Visible = True");
    QTest::newRow("close before open")
        << QByteArray("x) = Mid(s, 2)") << QByteArray("1") << 5 << QByteArray("x) = Mid(s, 2)");
    QTest::newRow("open only") << QByteArray("Ctl(1.Top") << QByteArray("1") << 5
                               << QByteArray("Ctl(1.Top");
    QTest::newRow("SET line without parentheses")
        << QByteArray("Ctl(1).Top") << QByteArray() << 5 << QByteArray("Ctl(1).Top");
    QTest::newRow("bytes kept") << QByteArray("Ctl(1).Caption = \xe9t\xe9") << QByteArray("1") << 2
                                << QByteArray("Ctl(2).Caption = \xe9t\xe9");
    QTest::newRow("a function holding the number")
        << QByteArray("OkButton.Tag = Chr(1)") << QByteArray("1") << 2
        << QByteArray("OkButton.Tag = Chr(1)");
    QTest::newRow("another array holding the number")
        << QByteArray("OkButton.List(1) = x") << QByteArray("1") << 2
        << QByteArray("OkButton.List(1) = x");
    QTest::newRow("every reference, none in a string")
        << QByteArray("Ctl(1).Caption = \"Ctl(1)\" & Ctl(1).Tag") << QByteArray("1") << 2
        << QByteArray("Ctl(2).Caption = \"Ctl(1)\" & Ctl(2).Tag");
    QTest::newRow("doubled quotes stay in the string")
        << QByteArray("Ctl(1).Caption = \"a\"\"Ctl(1)\"") << QByteArray("1") << 3
        << QByteArray("Ctl(3).Caption = \"a\"\"Ctl(1)\"");
    QTest::newRow("end of a longer name") << QByteArray("MyCtl(1).X = Ctl(1).X") << QByteArray("1")
                                          << 4 << QByteArray("MyCtl(1).X = Ctl(4).X");
    QTest::newRow("other case") << QByteArray("ctl(1).X = CTL(1).Y") << QByteArray("1") << 4
                                << QByteArray("ctl(4).X = CTL(4).Y");
    QTest::newRow("reference at the end")
        << QByteArray("Set x = Ctl(1)") << QByteArray("1") << 9 << QByteArray("Set x = Ctl(9)");
}

void TestTabExchange::renumber()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, from);
    QFETCH(int, n);
    QFETCH(QByteArray, expected);
    QCOMPARE(TabExchange::renumber(line, QByteArrayLiteral("Ctl"), from, n), expected);
}

void TestTabExchange::arrayName_data()
{
    QTest::addColumn<QByteArray>("setLine");
    QTest::addColumn<QByteArray>("name");
    QTest::newRow("SET line") << QByteArray(" Set Ctl(1) = OkButton") << QByteArray("Ctl");
    QTest::newRow("name with digits") << QByteArray("SET Obj_2(3) = X") << QByteArray("Obj_2");
    QTest::newRow("no parentheses") << QByteArray("Set x = y") << QByteArray();
    QTest::newRow("blank before the parenthesis")
        << QByteArray("Set Ctl (1) = y") << QByteArray("");
}

void TestTabExchange::arrayName()
{
    QFETCH(QByteArray, setLine);
    QFETCH(QByteArray, name);
    QCOMPARE(TabExchange::arrayName(setLine), name);
}

void TestTabExchange::collectBlock_data()
{
    QTest::addColumn<Lines>("section");
    QTest::addColumn<int>("start");
    QTest::addColumn<Lines>("expected");
    const Lines example = exampleSection();
    QTest::newRow("first object") << example << 3
                                  << Lines{"New object", " Set Ctl(1) = OkButton",
                                           "Ctl(1).Caption = OK"};
    QTest::newRow("ended by the end line")
        << example << 7 << Lines{"New object", " SET Ctl(2) = NameBox", "Ctl(2).Text = empty"};
    QTest::newRow("runs to the section's end")
        << example << 11 << Lines{"Last line of the program"};
    QTest::newRow("starting on an apostrophe line") << example << 6 << Lines{};
    QTest::newRow("past the end") << example << 12 << Lines{};
    const Lines quoted =
        lines("' Begin Gen|New A| Set Ctl(1) = A|Ctl(1).Caption = \"Don't add twice\"|"
              "Ctl(1).Left = 5 ' left edge|Ctl(1).Tag = \"a\"\"'\"|  ' indented|"
              "New B| Set Ctl(2) = B|\t'|New C| Set Ctl(3) = C|"
              "Ctl(3).Caption = \"Don't\" ' End Generated part|"
              "Ctl(3).Tag = \"' End Generated\"|End Generated part|tail");
    QTest::newRow("apostrophes in strings and after code")
        << quoted << 1
        << Lines{"New A", " Set Ctl(1) = A", "Ctl(1).Caption = \"Don't add twice\"",
                 "Ctl(1).Left = 5 ' left edge", "Ctl(1).Tag = \"a\"\"'\""};
    QTest::newRow("ended by a comment line after a tab")
        << quoted << 7 << Lines{"New B", " Set Ctl(2) = B"};
    QTest::newRow("ended by an end line with a comment")
        << quoted << 10 << Lines{"New C", " Set Ctl(3) = C"};
    QTest::newRow("not ended by an end line's marker in a string, nor one without a comment")
        << quoted << 13 << Lines{"Ctl(3).Tag = \"' End Generated\"", "End Generated part", "tail"};
}

void TestTabExchange::collectBlock()
{
    QFETCH(Lines, section);
    QFETCH(int, start);
    QFETCH(Lines, expected);
    QCOMPARE(TabExchange::collectBlock(section, start), expected);
}

void TestTabExchange::workedExample()
{
    const Lines section = exampleSection();
    const Result<TabExchange::Prepared> r = TabExchange::prepare(section, 3, 1, 7, 2);
    QVERIFY(r.ok());
    const TabExchange::Prepared &p = r.value();
    QCOMPARE(p.moved, (Lines{"New object", " Set Ctl(2) = OkButton", "Ctl(2).Caption = OK"}));
    QCOMPARE(p.target, (Lines{"New object", " SET Ctl(1) = NameBox", "Ctl(1).Text = empty"}));
    QCOMPARE(TabExchange::nameText(p.moved.at(1)), QByteArray(" OkButton"));
    QCOMPARE(TabExchange::nameText(p.target.at(1)), QByteArray(" NameBox"));

    const Lines expected =
        lines("' Begin Generated part|Dim Form1|'|New object|"
              " SET Ctl(1) = NameBox|Ctl(1).Text = empty|'|New object| Set Ctl(2) = OkButton|"
              "Ctl(2).Caption = OK|' End Generated part|Last line of the program");
    QCOMPARE(TabExchange::exchange(section, 3, p.moved, 7, p.target), expected);
}

void TestTabExchange::ownPositionLeavesSectionAsItIs()
{
    Lines section = exampleSection();
    section[5] = "Ctl(01).Caption = OK"; // a number written differently stays as it is
    QCOMPARE(move(section, 0, 11, 1, 1), section);
    QCOMPARE(move(section, 0, 11, 2, 2), section);
}

void TestTabExchange::blocksOfDifferentLengths()
{
    const Lines section =
        lines("' Begin Gen|Dim Form1|'|New A| Set Ctl(1) = A|'|New B|"
              " Set Ctl(2) = B|Ctl(2).X = 1|Ctl(2).Y = 2|Ctl(2).Z = 3|'|New C| Set Ctl(3) = C|"
              "Ctl(3).X = 1|'|' End Generated|tail");
    const Lines expected = lines(
        "' Begin Gen|Dim Form1|'|New C| Set Ctl(1) = C|Ctl(1).X = 1|'|"
        "New B| Set Ctl(2) = B|Ctl(2).X = 1|Ctl(2).Y = 2|Ctl(2).Z = 3|'|New A| Set Ctl(3) = A|"
        "'|' End Generated|tail");
    QCOMPARE(move(section, 0, 17, 1, 3), expected);

    const Lines longFirst =
        lines("' Begin Gen|Dim Form1|'|New B| Set Ctl(1) = B|Ctl(1).X = 1|"
              "Ctl(1).Y = 2|Ctl(1).Z = 3|'|New A| Set Ctl(2) = A|'|New C| Set Ctl(3) = C|"
              "Ctl(3).X = 1|'|' End Generated|tail");
    QCOMPARE(move(section, 0, 17, 1, 2), longFirst);
}

void TestTabExchange::laterToEarlierEqualsReverse()
{
    const Lines section = exampleSection();
    QCOMPARE(move(section, 0, 11, 2, 1), move(section, 0, 11, 1, 2));
}

void TestTabExchange::longerNumberRenumberedAsAWhole()
{
    QList<Form> forms{{"Form1", {}}};
    for (int i = 0; i < 12; ++i) {
        forms[0].objects.append(
            {"New object", " Obj" + QByteArray::number(i + 1), {"Ctl(%).Left = 5"}});
    }
    const Lines section = render(forms, {});
    const Lines moved = move(section, 0, int(section.size()) - 1, 12, 3);
    // Object 12 now sits third: its lines say 3; object 3 sits twelfth and says 12.
    QCOMPARE(TabExchange::collectBlock(moved, 3 + 2 * 4),
             (Lines{"New object", " Set Ctl(3) = Obj12", "Ctl(3).Left = 5"}));
    QCOMPARE(TabExchange::collectBlock(moved, 3 + 11 * 4),
             (Lines{"New object", " Set Ctl(12) = Obj3", "Ctl(12).Left = 5"}));
}

void TestTabExchange::refused_data()
{
    QTest::addColumn<Lines>("section");
    QTest::addColumn<int>("sel");
    QTest::addColumn<int>("target");
    QTest::addColumn<QString>("messagePart");

    Lines emptyName = exampleSection();
    emptyName[8] = " SET Ctl(2) =";
    QTest::newRow("empty name text") << emptyName << 3 << 7 << QStringLiteral(" SET Ctl(2) =");
    QTest::newRow("selected block outside")
        << exampleSection() << -1 << 7 << QStringLiteral("layout");
    QTest::newRow("target block past the end")
        << exampleSection() << 3 << 40 << QStringLiteral("layout");
    QTest::newRow("block of one line") << exampleSection() << 3 << 11 << QStringLiteral("layout");
    const Lines adjacentSets = lines("' Begin Gen|New A| Set Ctl(1) = A| Set Ctl(2) = B|"
                                     "Ctl(2).X = 1|'");
    QTest::newRow("overlapping blocks") << adjacentSets << 1 << 2 << QStringLiteral("layout");
    // A block must end before the lines that frame the forms: running on would renumber and
    // move the program's own code after the end line, or another form's line.
    const Lines endWithoutApostrophe =
        lines("' Begin Gen|Dim Form1|'|New A| Set Ctl(1) = A|'|New B| Set Ctl(2) = B|"
              "Rem End Generated part|MsgBox(\"Hi\")|'");
    QTest::newRow("block runs into the end line")
        << endWithoutApostrophe << 3 << 6 << QStringLiteral("line 6");
    const Lines formWithoutApostrophe =
        lines("' Begin Gen|Dim Form1|'|New A| Set Ctl(1) = A|'|New B| Set Ctl(2) = B|"
              "Dim Form2|'|New C| Set Ctl(1) = C|'|' End Generated");
    QTest::newRow("block runs into the next form line")
        << formWithoutApostrophe << 6 << 3 << QStringLiteral("line 6");
    // The end line's marker inside a string of the block: the block is not cut there, so it
    // holds what the form table takes for an end line.
    const Lines markerInString =
        lines("' Begin Gen|Dim Form1|'|New A| Set Ctl(1) = A|"
              "Ctl(1).Caption = \"Don't End Generated\"|Ctl(1).Left = 5|'|New B| Set Ctl(2) = B|'|"
              "' End Generated");
    QTest::newRow("end marker and apostrophe in a string")
        << markerInString << 3 << 8 << QStringLiteral("line 3");
    const Lines setAfterFormLine = lines("' Begin Gen|Dim Form1| Set Ctl(1) = A|'|New B|"
                                         " Set Ctl(2) = B|'|' End Generated");
    QTest::newRow("block starts on the form line")
        << setAfterFormLine << 1 << 4 << QStringLiteral("line 1");
    const Lines setAfterBeginGen = lines("Rem Begin Gen| Set Ctl(1) = A|'|New B| Set Ctl(2) = B|"
                                         "'|' End Generated");
    QTest::newRow("block starts on the section's first line")
        << setAfterBeginGen << 0 << 3 << QStringLiteral("line 0");
}

void TestTabExchange::refused()
{
    QFETCH(Lines, section);
    QFETCH(int, sel);
    QFETCH(int, target);
    QFETCH(QString, messagePart);
    const Result<TabExchange::Prepared> p = TabExchange::prepare(section, sel, 1, target, 2);
    QVERIFY(!p.ok());
    QVERIFY2(p.message().contains(messagePart), qPrintable(p.message()));
    QVERIFY(p.message().endsWith(QStringLiteral("Nothing was changed.")));
}

// Many generated programs: several forms, blocks of different lengths, names that contain
// each other and occur again in other lines, bytes of any encoding. One exchange gives
// exactly the program with the two objects swapped (so the line count is kept and no other
// line changes); exchanging back restores the section exactly.
void TestTabExchange::randomSections()
{
    QRandomGenerator rng(20240611);
    for (int round = 0; round < 400; ++round) {
        const QList<Form> forms = randomForms(rng);
        const Lines section = render(forms, randomTail);
        const int f = rng.bounded(int(forms.size()));
        const SectionReader::Range range = formRange(section, f);
        const int count = int(forms.at(f).objects.size());
        QCOMPARE(SectionReader::listObjects(section, range.start, range.end).entries.size(), count);
        const int a = rng.bounded(1, count + 1);
        const int b = rng.bounded(1, count + 1);

        QList<Form> swapped = forms;
        swapped[f].objects.swapItemsAt(a - 1, b - 1);
        const Lines once = move(section, range.start, range.end, a, b);
        QCOMPARE(once.size(), section.size());
        QCOMPARE(once, render(swapped, randomTail));
        QCOMPARE(move(once, range.start, range.end, b, a), section);
    }
}

// Any new order of a form's objects, applied at once, gives the program with the objects in that
// order (every other line as it was) and the same text as the exchanges that put position 1,
// then 2, ... in place one by one.
void TestTabExchange::reorderEqualsExchanges()
{
    QRandomGenerator rng(20240612);
    for (int round = 0; round < 400; ++round) {
        const QList<Form> forms = randomForms(rng);
        const Lines section = render(forms, randomTail);
        const int f = rng.bounded(int(forms.size()));
        const SectionReader::Range range = formRange(section, f);
        const int count = int(forms.at(f).objects.size());
        QList<int> order(count);
        std::iota(order.begin(), order.end(), 1);
        std::shuffle(order.begin(), order.end(), rng);

        const Result<Lines> reordered = TabOrder::reorder(section, range.start, range.end, order);
        QVERIFY2(reordered.ok(), qPrintable(reordered.message()));

        QList<Form> expected = forms;
        for (int k = 0; k < count; ++k)
            expected[f].objects[k] = forms.at(f).objects.at(order.at(k) - 1);
        QCOMPARE(reordered.value(), render(expected, randomTail));

        Lines stepwise = section;
        QList<int> held(count);
        std::iota(held.begin(), held.end(), 1);
        for (int k = 1; k <= count; ++k) {
            const int p = int(held.indexOf(order.at(k - 1))) + 1;
            stepwise = move(stepwise, range.start, range.end, k, p);
            held.swapItemsAt(k - 1, p - 1);
        }
        QCOMPARE(reordered.value(), stepwise);
    }
    // An order that does not give every object one position changes nothing.
    const Lines section = exampleSection();
    QVERIFY(!TabOrder::reorder(section, 0, 11, {1, 1}).ok());
    QVERIFY(!TabOrder::reorder(section, 0, 11, {2}).ok());
    QCOMPARE(TabOrder::complete({3, 1, 3, 7}, 4), (QList<int>{3, 1, 2, 4}));
}

QTEST_GUILESS_MAIN(TestTabExchange)
#include "tst_tabexchange.moc"
