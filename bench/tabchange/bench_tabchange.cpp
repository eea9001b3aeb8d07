// Times the TAB-order changer on program files of 10^5 and 10^6 lines of 10-line blocks (10^4
// and 10^5 objects), and on a generated form of 10^6 lines holding 225,000 four-line blocks:
// reading, listing, one exchange and one rewrite, in the logic alone (the TAB session) and
// through the panel. Each time is printed as a ratio to copying the same file's bytes (read, write
// to a new file) in the same run; the whole TAB change cycle in the window also as a ratio to
// writing and syncing the same bytes to a new file in the same folder, the floor of a durable
// rewrite. Several runs give a median and a spread.

#include "benchutil.h"
#include "diskfilesteps.h"
#include "fakeplatform.h"
#include "rewrite.h"
#include "sectionreader.h"
#include "tabexchange.h"
#include "tabpanel.h"
#include "tabsession.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QListView>
#include <QSaveFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

int runs = 7;

// The shape of a program file: its objects, the further lines of each block (after the
// opening and the SET line, before the apostrophe line), and the lines of its head and of its
// tail.
struct Shape
{
    const char *name;
    int objects;
    int furtherLines;
    int headLines;
};

QByteArray buildFile(const Shape &shape)
{
    const int objects = shape.objects;
    const int headLines = shape.headLines;
    const int furtherLines = shape.furtherLines;
    QByteArray bytes;
    for (int i = 0; i < headLines; ++i)
        bytes += "Rem head line " + QByteArray::number(i) + "\r\n";
    bytes += "' Begin Generated part\r\nDim Form1 As Window\r\n'\r\n";
    for (int i = 1; i <= objects; ++i) {
        const QByteArray n = QByteArray::number(i);
        bytes += "Ctl" + n + " = New Button\r\n Set Ctl(" + n + ") = Button" + n + "\r\n";
        for (int l = 0; l < furtherLines; ++l)
            bytes += "Ctl(" + n + ").Prop" + QByteArray::number(l) + " = " + n + "\r\n";
        bytes += "'\r\n";
    }
    bytes += "' End Generated part\r\n";
    for (int i = 0; i < headLines; ++i)
        bytes += "Rem tail line " + QByteArray::number(i) + "\r\n";
    return bytes;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

void clickObject(QListView *list, int row)
{
    const QModelIndex index = list->model()->index(row, 0);
    list->setCurrentIndex(index);
    Q_EMIT list->clicked(index);
}

void report(const char *label, std::vector<double> ratios)
{
    std::sort(ratios.begin(), ratios.end());
    std::printf("  %-44s median %8.2f   spread %8.2f .. %8.2f\n", label, ratios[ratios.size() / 2],
                ratios.front(), ratios.back());
}

// The floor of a durable rewrite, a synced replace: the bytes written to a new file beside the
// file, synced to disk, renamed over the old one, and the folder synced so the rename lasts.
void writeSynced(const QString &path, const QByteArray &bytes)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
        qFatal("cannot write %s", qPrintable(path));
    const int folder = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY);
    if (folder < 0 || ::fsync(folder) != 0)
        qFatal("cannot sync the folder of %s", qPrintable(path));
    ::close(folder);
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void benchShape(const Shape &shape)
{
    const int objects = shape.objects;
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("Samples"));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const QString program =
        QDir::toNativeSeparators(dir.filePath(QStringLiteral("Samples/Big.txt")));
    const QByteArray bytes = buildFile(shape);
    writeFile(program, bytes);

    FakePlatform platform;
    QWidget window;
    DiskFileSteps files;
    TabPanel panel(platform, files, &window);
    panel.load();
    panel.show();
    auto *combo2 = panel.findChild<QComboBox *>(QStringLiteral("Combo2"));
    auto *combo3 = panel.findChild<QComboBox *>(QStringLiteral("Combo3"));
    auto *list2 = panel.findChild<QListView *>(QStringLiteral("List2"));

    std::map<std::string, std::vector<double>> ratios;
    std::map<std::string, std::vector<double>> synced;
    std::vector<double> copyMs, syncMs;
    for (int run = 0; run < runs; ++run) {
        // The baseline of a run is the median of five copies, so one hiccup does not skew it.
        std::vector<double> copies;
        for (int c = 0; c < 5; ++c) {
            copies.push_back(double(timeNs([&] {
                QFile in(program);
                in.open(QIODevice::ReadOnly);
                writeFile(dir.filePath(QStringLiteral("copy.txt")), in.readAll());
            })));
            QFile::remove(dir.filePath(QStringLiteral("copy.txt")));
        }
        std::sort(copies.begin(), copies.end());
        const double copy = copies[2];
        copyMs.push_back(copy / 1e6);
        std::vector<double> syncs;
        const QString replaced = dir.filePath(QStringLiteral("Samples/synced.txt"));
        writeFile(replaced, bytes);
        for (int c = 0; c < 3; ++c)
            syncs.push_back(double(timeNs([&] { writeSynced(replaced, bytes); })));
        QFile::remove(replaced);
        const double sync = median(syncs);
        syncMs.push_back(sync / 1e6);

        SectionReader::Section section;
        SectionReader::Objects listed;
        QList<QByteArray> changed;
        ratios["logic: read"].push_back(
            timeNs([&] { section = SectionReader::read(program).value(); }) / copy);
        ratios["logic: list"].push_back(timeNs([&] {
                                            SectionReader::formTable(section.lines);
                                            listed = SectionReader::listObjects(
                                                section.lines, 0, int(section.lines.size()) - 1);
                                        }) /
                                        copy);
        ratios["logic: exchange first and last (copying)"].push_back(
            timeNs([&] {
                const QList<int> blocks =
                    SectionReader::objectBlocks(section.lines, 0, int(section.lines.size()) - 1);
                const int sel = blocks.first();
                const int target = blocks.last();
                const auto p = TabExchange::prepare(section.lines, sel, 1, target, objects).value();
                changed = TabExchange::exchange(section.lines, sel, p.moved, target, p.target);
            }) /
            copy);
        DiskFileSteps disk;
        ratios["logic: rewrite (synced)"].push_back(
            timeNs([&] {
                const auto r = Rewrite::write(disk, program, section.genStart, section.bytes,
                                              Rewrite::sectionSlices(changed, section.bytes));
                if (r.status != SafeRewrite::Status::Written)
                    qFatal("rewrite failed: %s", qPrintable(Rewrite::writeMessage(r)));
            }) /
            copy);
        section = {};

        // The session: pick, then the first object exchanged with the second and written.
        TabSession session(disk);
        ratios["session: pick (read and list)"].push_back(timeNs([&] {
                                                              if (session.pick(program))
                                                                  qFatal("pick failed");
                                                          }) /
                                                          copy);
        const double exchanged = double(timeNs([&] {
            if (!session.select(0) || !session.exchange(2))
                qFatal("exchange refused");
        }));
        ratios["session: exchange first and second"].push_back(exchanged / copy);
        const double committed = double(timeNs([&] {
            const Result<QString> written = session.commit();
            if (!written || !written.value().isEmpty())
                qFatal("commit failed: %s", qPrintable(written.message()));
        }));
        synced["session: exchange first and second, commit"].push_back((exchanged + committed) /
                                                                       sync);

        ratios["panel: pick file, read and list"].push_back(
            timeNs([&] { choose(combo2, combo2->findText(QStringLiteral("Big.txt"))); }) / copy);
        ratios["panel: exchange, No"].push_back(timeNs([&] {
                                                    clickObject(list2, 0);
                                                    platform.messageAnswers.enqueue(Platform::No);
                                                    choose(combo3, objects - 1);
                                                }) /
                                                copy);
        // The whole cycle as the user sees it: the exchange, the rewrite through the backup,
        // the refreshed lists, and whatever the views do before the next event.
        const double cycle = double(timeNs([&] {
            clickObject(list2, 0);
            platform.messageAnswers.enqueue(Platform::Yes);
            choose(combo3, objects - 1);
            QCoreApplication::processEvents();
        }));
        // The first object with the second, as on a generated form.
        synced["window: TAB change cycle, first and second"].push_back(
            double(timeNs([&] {
                clickObject(list2, 0);
                platform.messageAnswers.enqueue(Platform::Yes);
                choose(combo3, 1);
                QCoreApplication::processEvents();
            })) /
            sync);
        ratios["panel: exchange, Yes (rewrite)"].push_back(cycle / copy);
        synced["window: TAB change cycle"].push_back(cycle / sync);
        if (platform.messages().size() != 3 * (run + 1))
            qFatal("unexpected message: %s", qPrintable(platform.messages().last()));
    }
    std::printf("%s: %d objects, %lld lines, %.1f MB; copy baseline median %.1f ms, write and "
                "sync baseline median %.1f ms\n",
                shape.name, objects, static_cast<long long>(bytes.count('\n')), bytes.size() / 1e6,
                median(copyMs), median(syncMs));
    std::printf(" ratio to copying the file:\n");
    for (const auto &[label, values] : ratios)
        report(label.c_str(), values);
    std::printf(
        " ratio to a synced replace of the same bytes (targets: 3 at 10^5 lines, 2 at 10^6):\n");
    for (const auto &[label, values] : synced)
        report(label.c_str(), values);
    QDir::setCurrent(previous);
}

} // namespace

// Options: --runs N (7 by default), --objects N (only the shapes of N objects, for profiling).
int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int only = 0;
    const QStringList arguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i + 1 < arguments.size(); i += 2) {
        if (arguments.at(i) == QLatin1String("--runs"))
            runs = qMax(1, arguments.at(i + 1).toInt());
        else if (arguments.at(i) == QLatin1String("--objects"))
            only = arguments.at(i + 1).toInt();
        else
            qFatal("usage: bench_tabchange [--runs N] [--objects N]");
    }
    std::printf("TAB-order changer: time as a ratio to copying the file's bytes, %d runs\n", runs);
    // Blocks of 10 lines (an opening, a SET and 7 further lines, an apostrophe line) with a
    // short head and tail; a generated form of many short blocks in 10^6 lines.
    for (const Shape &shape :
         {Shape{"10-line blocks", 10000, 7, 100}, Shape{"10-line blocks", 100000, 7, 100},
          Shape{"4-line blocks", 225000, 1, 50000}}) {
        if (only == 0 || shape.objects == only)
            benchShape(shape);
    }
    return 0;
}
