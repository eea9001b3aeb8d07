#include "diskfilesteps.h"
#include "sectionreader.h"
#include "tabexamples.h"
#include "tabhistory.h"
#include "tabsession.h"
#include "textfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const Lines threeSection =
    lines("' Begin Gen|Dim Form1|'|New A| Set Ctl(1) = A|Ctl(1).X = 1|'|"
          "New B| Set Ctl(2) = B|'|New C| Set Ctl(3) = C|Ctl(3).Y = 2|Ctl(3).Z = 3|"
          "' End Generated");
const Lines formsSection =
    lines("' Begin Gen|Dim Form1|'|New A| Set Ctl(1) = A|'|New B|"
          " Set Ctl(2) = B|'|Dim Form2 As Window|'|New C| Set Ctl(1) = C|Ctl(1).X = 5|'|New D|"
          " Set Ctl(2) = D|'|' End Generated| Set Tail = Nothing");

// Five blocks of one length, as the panel's first tables had them.
QByteArray fiveBlocks(bool longer)
{
    const QByteArray head = "Rem head\nRem more\n' Begin Generated part\nDim Form1\n'\n";
    QByteArray blocks;
    for (int i = 1; i <= 5; ++i) {
        const QByteArray n = QByteArray::number(i);
        blocks +=
            "New object\n Set Ctl(" + n + ") = Name" + n + "\nCtl(" + n + ").Left = " + n + "\n'\n";
    }
    if (longer)
        blocks.replace("Ctl(2).Left = 2\n", "Ctl(2).Left = 2\nCtl(2).Top = 2\nCtl(2).Tag = (9)\n");
    return head + blocks + "' End Generated part\nRem tail\n";
}

// A generated form of four-line blocks in CR LF, as the form designer writes many objects:
// position k holds the object first made as number order[k - 1]. With `longerNine`, object 9
// has a fifth line that names its control once more.
QByteArray generatedForm(const QList<int> &order, bool longerNine)
{
    QByteArray bytes = "Rem head\r\n' Begin Generated part\r\nDim Form1 As Window\r\n'\r\n";
    for (qsizetype k = 1; k <= order.size(); ++k) {
        const QByteArray p = QByteArray::number(k);
        const QByteArray o = QByteArray::number(order.at(k - 1));
        bytes += "Ctl" + o + " = New Button\r\n Set Ctl(" + p + ") = Button" + o + "\r\nCtl(" + p +
                 ").Prop = " + o + "\r\n";
        if (longerNine && o == "9")
            bytes += "Ctl(" + p + ").Tag = 9\r\n";
        bytes += "'\r\n";
    }
    return bytes + "' End Generated part\r\nRem tail\r\n";
}

} // namespace

class TestTabSession : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void steps_data();
    void steps();
    void pickBuildsTheRows_data();
    void pickBuildsTheRows();
    void selectKnowsTheObject();
};

// A program file, then steps on the session:
//   "move r p"   selects row r and exchanges it with position p (the user answers No, so it
//                stays in memory until a commit);
//   "commit"     the user's Yes: the changes are written;
//   "form k"     chooses form-table row k;
//   "order a b…" gives the form's objects that order (the form picture);
//   "edit"       another program rewrites the file (a caption changes);
//   "bak"/"unbak" a backup left by an interrupted rewrite appears / is moved aside;
//   "position"   gives the form's objects their order by position;
//   "undo"/"redo" undoes / redoes the last written change of the file;
//   "append"     another program adds a line at the end of the file.
// Then the file as on disk, the failures met (each holds its text), whether the session still
// holds the file, and whether a backup is left.
void TestTabSession::steps_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QByteArray>("written");
    QTest::addColumn<QStringList>("failures");
    QTest::addColumn<bool>("open");

    const QByteArray example = crlf(exampleHead + exampleSection);
    const QByteArray swapped = crlf(exampleHead + exampleSwapped);
    QTest::newRow("example, Yes") << example << QStringList{"move 0 2", "commit"} << swapped
                                  << QStringList{} << true;
    QTest::newRow("No keeps the file")
        << example << QStringList{"move 0 2"} << example << QStringList{} << true;
    QTest::newRow("later object to the earlier position")
        << example << QStringList{"move 1 1", "commit"} << swapped << QStringList{} << true;

    // Exchanged and written, then exchanged back: the file as it was, in CR LF.
    const QByteArray five = fiveBlocks(false);
    QTest::newRow("same length, far apart")
        << five << QStringList{"move 0 5", "commit", "move 4 1", "commit"}
        << crlf(TextFile::splitLines(five)) << QStringList{} << true;
    QTest::newRow("same length, neighbours")
        << five << QStringList{"move 3 3", "commit", "move 2 4", "commit"}
        << crlf(TextFile::splitLines(five)) << QStringList{} << true;
    const QByteArray longer = fiveBlocks(true);
    QTest::newRow("other length") << longer
                                  << QStringList{"move 1 4", "commit", "move 3 2", "commit"}
                                  << crlf(TextFile::splitLines(longer)) << QStringList{} << true;
    QByteArray mixed = five;
    mixed.replace("\n", "\r\n");
    mixed.replace("Name3\r\n", "Name3\r");
    QTest::newRow("CR LF and a lone CR")
        << mixed << QStringList{"move 2 1", "commit", "move 0 3", "commit"}
        << crlf(TextFile::splitLines(mixed)) << QStringList{} << true;

    // No, then Yes on another change: both are written.
    const Lines bca =
        lines("' Begin Gen|Dim Form1|'|New B| Set Ctl(1) = B|'|New C|"
              " Set Ctl(2) = C|Ctl(2).Y = 2|Ctl(2).Z = 3|'|New A| Set Ctl(3) = A|Ctl(3).X = 1|"
              "' End Generated");
    QTest::newRow("No then Yes writes both")
        << "head\r\n" + crlf(threeSection) << QStringList{"move 0 3", "move 0 2", "commit"}
        << "head\r\n" + crlf(bca) << QStringList{} << true;

    // An unchanged order writes nothing: the file keeps its LF line ends.
    const QByteArray lf = exampleHead.join('\n') + '\n' + exampleSection.join('\n');
    QTest::newRow("own position writes nothing")
        << lf << QStringList{"move 1 2", "commit"} << lf << QStringList{} << true;
    QTest::newRow("present order writes nothing")
        << lf << QStringList{"order 1 2", "commit"} << lf << QStringList{} << true;
    QTest::newRow("changes undone by hand are written as they are")
        << lf << QStringList{"move 0 2", "move 0 2", "commit"} << crlf(exampleHead + exampleSection)
        << QStringList{} << true;
    QTest::newRow("a new order") << example << QStringList{"order 2 1", "commit"} << swapped
                                 << QStringList{} << true;
    QTest::newRow("a new order of three")
        << "head\r\n" + crlf(threeSection) << QStringList{"order 2 3 1", "commit"}
        << "head\r\n" + crlf(bca) << QStringList{} << true;
    QTest::newRow("an order that is no permutation")
        << example << QStringList{"order 1 1", "commit"} << example
        << QStringList{"does not give each of the form's 2 objects one position"} << true;

    QTest::newRow("Begin Gen on the first line")
        << crlf(exampleSection) << QStringList{"move 0 2", "commit"} << crlf(exampleSwapped)
        << QStringList{} << true;

    const QByteArray head = "Latin-1 \xe9t\xe9\nUTF-8 \xc3\xa9t\xc3\xa9\rstray \xff\xfe bytes\r\n";
    Lines odd = exampleSection;
    odd[5] = "Ctl(1).Caption = \"\xe0 \xff\"";
    odd[11] = "Tail \x81\x8d\x90";
    Lines oddSwapped = exampleSwapped;
    oddSwapped[9] = "Ctl(2).Caption = \"\xe0 \xff\"";
    oddSwapped[11] = "Tail \x81\x8d\x90";
    QTest::newRow("bytes of any encoding survive")
        << head + crlf(odd) << QStringList{"move 0 2", "commit"}
        << crlf({"Latin-1 \xe9t\xe9", "UTF-8 \xc3\xa9t\xc3\xa9", "stray \xff\xfe bytes"}) +
               crlf(oddSwapped)
        << QStringList{} << true;

    Lines unnamed = exampleSection;
    unnamed[8] = " SET Ctl(2) =";
    QTest::newRow("empty name refused") << crlf(unnamed) << QStringList{"move 0 2", "commit"}
                                        << crlf(unnamed) << QStringList{"no name"} << true;

    QTest::newRow("no Begin Gen")
        << QByteArray("Dim Form1\r\n Set Ctl(1) = X\r\n") << QStringList{}
        << QByteArray("Dim Form1\r\n Set Ctl(1) = X\r\n")
        << QStringList{"Form Code does not comply with Generated code format"} << false;

    Lines edited = exampleSection;
    edited[5] = "Ctl(1).Caption = Edited elsewhere";
    QTest::newRow("file changed on disk")
        << example << QStringList{"move 0 2", "edit", "commit"} << crlf(exampleHead + edited)
        << QStringList{"changed since it was read"} << false;

    QTest::newRow("a backup left over keeps the change in memory")
        << example << QStringList{"bak", "move 0 2", "commit"} << example << QStringList{"Prog.Bak"}
        << true;
    QTest::newRow("once the backup is moved aside, both are written")
        << example << QStringList{"bak", "move 0 2", "commit", "unbak", "move 0 1", "commit"}
        << swapped << QStringList{"Prog.Bak"} << true;

    // Written, then changed again and written: each write compares the file with the section
    // as last written, and the lines held stay views of it. Objects 9 and 10 take a digit more
    // and one less; with a further line naming object 9, the section grows by one byte.
    const QList<int> twelve{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    const QByteArray form = generatedForm(twelve, false);
    QTest::newRow("numbers of other widths")
        << form << QStringList{"move 8 10", "commit"}
        << generatedForm({1, 2, 3, 4, 5, 6, 7, 8, 10, 9, 11, 12}, false) << QStringList{} << true;
    QTest::newRow("numbers of other widths, then back")
        << form << QStringList{"move 8 10", "commit", "move 9 9", "commit"} << form << QStringList{}
        << true;
    const QByteArray longerNine = generatedForm(twelve, true);
    QTest::newRow("section of another size, then back")
        << longerNine << QStringList{"move 8 10", "commit", "move 9 9", "commit"} << longerNine
        << QStringList{} << true;
    QTest::newRow("section of another size, far apart")
        << longerNine << QStringList{"move 8 10", "move 0 12", "commit"}
        << generatedForm({12, 2, 3, 4, 5, 6, 7, 8, 10, 9, 11, 1}, true) << QStringList{} << true;
    // Several changes before one write: spans of lines that overlap or touch.
    QTest::newRow("overlapping changes, one write")
        << form << QStringList{"move 2 5", "move 3 5", "move 0 7", "commit"}
        << generatedForm({7, 2, 5, 3, 4, 6, 1, 8, 9, 10, 11, 12}, false) << QStringList{} << true;
    QTest::newRow("neighbouring changes, one write")
        << form << QStringList{"move 0 2", "move 2 4", "commit", "move 11 11", "commit"}
        << generatedForm({2, 1, 4, 3, 5, 6, 7, 8, 9, 10, 12, 11}, false) << QStringList{} << true;
    QTest::newRow("far apart, written twice")
        << longerNine << QStringList{"move 0 12", "commit",    "move 2 4", "commit",
                                     "move 3 3",  "move 11 1", "commit"}
        << longerNine << QStringList{} << true;
    QTest::newRow("the whole form reversed, then back")
        << form << QStringList{"order 12 11 10 9 8 7 6 5 4 3 2 1", "commit"}
        << generatedForm({12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1}, false) << QStringList{} << true;
    QTest::newRow("the whole form reversed twice")
        << form
        << QStringList{"order 12 11 10 9 8 7 6 5 4 3 2 1", "commit",
                       "order 12 11 10 9 8 7 6 5 4 3 2 1", "commit"}
        << form << QStringList{} << true;

    const QList<int> shuffled{7, 2, 11, 4, 9, 1, 12, 5, 3, 10, 8, 6};
    QTest::newRow("by position, twelve on an uneven grid")
        << placedForm(shuffled) << QStringList{"position", "commit"} << placedForm(twelve)
        << QStringList{} << true;
    QTest::newRow("by position, as the exchanges to that order")
        << placedForm(shuffled) << QStringList{"order 6 2 9 4 8 12 1 11 5 10 3 7", "commit"}
        << placedForm(twelve) << QStringList{} << true;
    QTest::newRow("by position, then undone")
        << placedForm(shuffled) << QStringList{"position", "commit", "undo"} << placedForm(shuffled)
        << QStringList{} << true;
    QTest::newRow("undone, then redone")
        << placedForm(shuffled) << QStringList{"position", "commit", "undo", "redo"}
        << placedForm(twelve) << QStringList{} << true;
    // Line ends as they were: the first write made the LF file CR LF.
    QTest::newRow("two steps undone, LF back")
        << lf << QStringList{"move 0 2", "commit", "order 2 1", "commit", "undo", "undo"} << lf
        << QStringList{} << true;
    QTest::newRow("nothing to undo or redo")
        << example << QStringList{"undo", "redo", "move 0 2", "commit", "redo"} << swapped
        << QStringList{} << true;
    QTest::newRow("a change not written is no step")
        << example << QStringList{"move 0 2", "undo"} << example << QStringList{} << true;
    QTest::newRow("undo after a change outside Brindle")
        << example << QStringList{"move 0 2", "commit", "append", "undo"}
        << swapped + "Rem added\r\n"
        << QStringList{"changed outside Brindle"} << false;

    Lines formsWritten = formsSection;
    formsWritten.replace(11, "New D");
    formsWritten.replace(12, " Set Ctl(1) = D");
    formsWritten.replace(13, "'");
    formsWritten.replace(14, "New C");
    formsWritten.replace(15, " Set Ctl(2) = C");
    formsWritten.replace(16, "Ctl(2).X = 5");
    QTest::newRow("second form") << crlf(formsSection)
                                 << QStringList{"form 1", "move 1 1", "commit"}
                                 << crlf(formsWritten) << QStringList{} << true;
    // Another form lists the lines held, so the changes made in the first one stay held.
    Lines bothForms = formsWritten;
    bothForms.replace(3, "New B");
    bothForms.replace(4, " Set Ctl(1) = B");
    bothForms.replace(6, "New A");
    bothForms.replace(7, " Set Ctl(2) = A");
    QTest::newRow("changes kept across forms")
        << crlf(formsSection) << QStringList{"form 0", "move 0 2", "form 1", "move 1 1", "commit"}
        << crlf(bothForms) << QStringList{} << true;
}

void TestTabSession::steps()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, steps);
    QFETCH(QByteArray, written);
    QFETCH(QStringList, failures);
    QFETCH(bool, open);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Prog.txt"));
    const QString backup = dir.filePath(QStringLiteral("Prog.Bak"));
    const auto writeFile = [](const QString &to, const QByteArray &bytes) {
        QFile f(to);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(bytes), bytes.size());
    };
    writeFile(path, file);

    DiskFileSteps files;
    TabSession session(files);
    TabHistory history(files);
    QStringList met;
    const auto note = [&](const QString &message) {
        if (!message.isEmpty())
            met.append(message);
    };
    if (const auto failed = session.pick(path))
        note(failed->message);
    for (const QString &step : steps) {
        const QStringList words = step.split(QLatin1Char(' '));
        const QString &verb = words.at(0);
        if (verb == QLatin1String("move")) {
            QVERIFY(session.select(words.at(1).toInt()));
            QCOMPARE(session.selected(), words.at(1).toInt());
            // A refused exchange keeps the selection, a done one ends it.
            const Result<TabSession::Change> moved = session.exchange(words.at(2).toInt());
            if (!moved)
                note(moved.message());
            QCOMPARE(session.selected(), moved ? -1 : words.at(1).toInt());
        } else if (verb == QLatin1String("commit")) {
            history.record(session);
            if (const Result<QString> done = session.commit(); !done) {
                note(done.message());
            } else {
                QVERIFY(!session.hasPending());
                history.written(session);
            }
        } else if (verb == QLatin1String("undo") || verb == QLatin1String("redo")) {
            const TabHistory::Stepped done =
                verb == QLatin1String("undo") ? history.undo(session) : history.redo(session);
            if (done.done != TabHistory::Done::Written)
                note(done.message);
        } else if (verb == QLatin1String("position")) {
            if (const Result<> reordered = session.reorder(session.positionOrder()); !reordered)
                note(reordered.message());
        } else if (verb == QLatin1String("append")) {
            writeFile(path, TextFile::readBytes(path).value() + "Rem added\r\n");
        } else if (verb == QLatin1String("form")) {
            QVERIFY(session.chooseForm(words.at(1).toInt()));
        } else if (verb == QLatin1String("order")) {
            QList<int> order;
            for (qsizetype i = 1; i < words.size(); ++i)
                order.append(words.at(i).toInt());
            if (const Result<> reordered = session.reorder(order); !reordered)
                note(reordered.message());
        } else if (verb == QLatin1String("edit")) {
            QByteArray now = TextFile::readBytes(path).value();
            now.replace("Ctl(1).Caption = OK", "Ctl(1).Caption = Edited elsewhere");
            writeFile(path, now);
        } else if (verb == QLatin1String("bak")) {
            writeFile(backup, "interrupted");
        } else if (verb == QLatin1String("unbak")) {
            QVERIFY(QFile::rename(backup, dir.filePath(QStringLiteral("aside.Bak"))));
        } else {
            QFAIL(qPrintable(step));
        }
    }

    QCOMPARE(TextFile::readBytes(path).value(), written);
    QCOMPARE(met.size(), failures.size());
    for (qsizetype i = 0; i < failures.size(); ++i)
        QVERIFY2(met.at(i).contains(failures.at(i)), qPrintable(met.at(i)));
    QCOMPARE(session.isOpen(), open);
    if (!steps.contains(QStringLiteral("bak")) || steps.contains(QStringLiteral("unbak")))
        QVERIFY(!QFile::exists(backup));
    else
        QCOMPARE(TextFile::readBytes(backup).value(), QByteArray("interrupted"));
    if (!open) {
        QVERIFY(session.lines().isEmpty() && session.objects().isEmpty() &&
                session.forms().isEmpty());
        QVERIFY(!session.hasPending());
        return;
    }
    // The rows are those of the lines held, whichever way they were made.
    const TabSession::Range range = session.range();
    QStringList texts;
    for (const TabSession::Object &object : session.objects())
        texts.append(SectionReader::objectText(object));
    QCOMPARE(texts, SectionReader::listObjects(session.lines(), range.start, range.end).entries);
    // With nothing pending, the lines held are the file's section as it is on disk.
    if (!session.hasPending()) {
        const auto onDisk = SectionReader::read(path);
        QVERIFY(onDisk.ok());
        QCOMPARE(session.lines(), onDisk.value().lines);
    }
}

void TestTabSession::pickBuildsTheRows_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("forms");
    QTest::addColumn<bool>("needsForm");
    QTest::addColumn<int>("form");
    QTest::addColumn<QStringList>("objects");

    const QString blanks40 = QString(40, QLatin1Char(' '));
    QTest::newRow("one form is listed at once")
        << crlf(exampleHead + exampleSection)
        << QStringList{QStringLiteral("Form1                 -1"),
                       QStringLiteral("°°°°°                  -10")}
        << false << -1
        << QStringList{"1  OkButton" + blanks40 + "-3", "2  NameBox" + blanks40 + "-7"};
    QTest::newRow("several forms wait for a choice")
        << crlf(formsSection)
        << QStringList{QStringLiteral("Form1                 -1"),
                       QStringLiteral("Form2 As Window                 -9"),
                       QStringLiteral("°°°°°                  -18")}
        << true << -1 << QStringList{};
    QTest::newRow("the first form")
        << crlf(formsSection) << QStringList{} << true << 0
        << QStringList{"1  A" + blanks40 + "-3", "2  B" + blanks40 + "-6"};
    QTest::newRow("the second form")
        << crlf(formsSection) << QStringList{} << true << 1
        << QStringList{"1  C" + blanks40 + "-11", "2  D" + blanks40 + "-15"};
    QTest::newRow("the last row lists to the end of the section")
        << crlf(formsSection) << QStringList{} << true << 2
        << QStringList{"1  Nothing" + blanks40 + "-18"};
}

void TestTabSession::pickBuildsTheRows()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, forms);
    QFETCH(bool, needsForm);
    QFETCH(int, form);
    QFETCH(QStringList, objects);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Forms.txt"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(file) == file.size());
    f.close();
    DiskFileSteps files;
    TabSession session(files);
    QVERIFY(!session.pick(path).has_value());
    QCOMPARE(session.path(), path);
    QCOMPARE(session.needsForm(), needsForm);
    if (!forms.isEmpty()) {
        QStringList texts;
        for (const TabSession::Form &row : session.forms())
            texts.append(SectionReader::formText(row));
        QCOMPARE(texts, forms);
    }
    if (form >= 0) {
        QVERIFY(session.chooseForm(form));
        QCOMPARE(session.form(), form);
    }
    QStringList texts;
    for (const TabSession::Object &row : session.objects())
        texts.append(SectionReader::objectText(row));
    QCOMPARE(texts, objects);
    QVERIFY(!session.chooseForm(int(session.forms().size())));
    QVERIFY(!session.hasPending());
}

// Selecting gives the object's fields; an unknown row selects nothing; a failed pick holds
// nothing, not even the previous file.
void TestTabSession::selectKnowsTheObject()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Prog.txt"));
    QFile f(path);
    const QByteArray bytes = crlf(exampleHead + exampleSection);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    f.close();
    DiskFileSteps files;
    TabSession session(files);
    QVERIFY(!session.pick(path).has_value());
    QVERIFY(session.select(1));
    QCOMPARE(session.selected(), 1);
    const TabSession::Object &object = session.objects().at(session.selected());
    QCOMPARE(object.ordinal, 2);
    QCOMPARE(object.name, QStringLiteral(" NameBox"));
    QCOMPARE(object.block, 7);
    QVERIFY(!session.select(2));
    QCOMPARE(session.selected(), -1);
    const Result<TabSession::Change> unselected = session.exchange(1);
    QVERIFY(unselected.ok());
    QCOMPARE(unselected.value(), TabSession::Change::None);

    const std::optional<SectionReader::Failure> gone =
        session.pick(dir.filePath(QStringLiteral("Gone.txt")));
    QVERIFY(gone.has_value());
    QCOMPARE(gone->reason, SectionReader::Failure::Reason::Unreadable);
    QVERIFY(gone->message.startsWith(QStringLiteral("Cannot read the program file ")));
    QVERIFY(gone->message.contains(QStringLiteral("Gone.txt")));
    QVERIFY(!session.isOpen());
    QVERIFY(session.lines().isEmpty() && session.objects().isEmpty() && session.forms().isEmpty());
}

QTEST_GUILESS_MAIN(TestTabSession)
#include "tst_tabsession.moc"
