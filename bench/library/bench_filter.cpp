// Times typing into the filter (KeyFilter) over a stored-code file with 100 000 snippets: a word
// typed key by key, then deleted key by key with Backspace, once with the titles listed (the
// filter narrows the list) and once with no category chosen (the filter searches everything).
// Each key is timed from its press to the window repainted, and printed in milliseconds (a
// frame is 16 ms) and as a ratio to a plain scan of the file's bytes for the whole word in the
// same run; several runs give a median and a spread.

#include "benchutil.h"
#include "fakeplatform.h"
#include "librarypanel.h"
#include "librarysearch.h"
#include "snippetindex.h"
#include "storedcodefile.h"
#include "textfile.h"

#include <QApplication>
#include <QByteArrayMatcher>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {

// The baseline: one pass over the bytes finding every place of the word, as a plain search of
// the file would.
qsizetype plainScan(const QByteArray &bytes, const QByteArray &needle)
{
    const QByteArrayMatcher matcher(needle);
    qsizetype count = 0;
    for (qsizetype at = matcher.indexIn(bytes); at >= 0; at = matcher.indexIn(bytes, at + 1))
        ++count;
    return count;
}

// How many entries the list should show for the text, decoded and compared line by line.
int expectedTitles(const QByteArray &bytes, const QString &text)
{
    int count = 0;
    for (const QByteArray &line : bytes.split('\n')) {
        if (line.contains('*') &&
            QString::fromLocal8Bit(line.trimmed()).contains(text, Qt::CaseInsensitive))
            ++count;
    }
    return count;
}

void press(QWidget *to, int key, const QString &text)
{
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(to, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(to, &up);
}

// The processor time of the process, which a busy machine inflates less than the time on the
// clock.
double cpuMs()
{
    return double(std::clock()) * 1000.0 / CLOCKS_PER_SEC;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// One key of the word: what the filter holds after it, what the window should show then, and
// its times over the runs.
struct Key
{
    QString name;
    QString filter;
    int titles = 0;
    qsizetype found = 0;
    std::vector<double> ms;
    std::vector<double> cpuMs;
};

std::vector<Key> keysOf(const QString &word, const QByteArray &bytes)
{
    std::vector<Key> keys;
    for (qsizetype i = 1; i <= word.size(); ++i)
        keys.push_back({QStringLiteral("+") + word.at(i - 1), word.first(i)});
    for (qsizetype i = word.size() - 1; i >= 0; --i)
        keys.push_back({QStringLiteral("- ") + word.first(i), word.first(i)});
    for (Key &key : keys) {
        key.titles =
            key.filter.isEmpty() ? BenchLibrary::snippetCount : expectedTitles(bytes, key.filter);
        // Nothing found is told in a line of its own; an empty filter empties the box.
        key.found = key.filter.isEmpty()
                        ? 0
                        : qMax(LibrarySearch::found(key.filter, bytes).size(), qsizetype(1));
    }
    return keys;
}

// Lets the window run its events for a while, as it does between a user's steps.
void settle(int ms)
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < ms) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
}

// Types the keys into the panel's filter; false when a key leaves the window showing what it
// should not.
bool typeKeys(LibraryPanel &panel, std::vector<Key> &keys, bool titlesListed, bool record)
{
    auto *box = panel.findChild<QComboBox *>(QStringLiteral("CboCode"));
    auto *filter = panel.findChild<QLineEdit *>(QStringLiteral("KeyFilter"));
    auto *code = panel.findChild<QPlainTextEdit *>(QStringLiteral("CodeBox"));
    const int categories = box->count() - (titlesListed ? BenchLibrary::snippetCount : 0);
    for (Key &key : keys) {
        const double cpuBefore = cpuMs();
        const qint64 ns = timeNs([&] {
            if (key.name.startsWith(QLatin1Char('+')))
                press(filter, 0, key.name.mid(1));
            else
                press(filter, Qt::Key_Backspace, {});
            QCoreApplication::processEvents();
            QCoreApplication::processEvents();
        });
        const double cpu = cpuMs() - cpuBefore;
        // A search over everything lists its first entries and a line saying how many more.
        const qsizetype shown = key.found > LibraryPanel::foundShownAtMost
                                    ? LibraryPanel::foundShownAtMost + 1
                                    : key.found;
        const bool right = titlesListed ? box->count() - categories == key.titles
                                        : code->blockCount() - 1 == shown;
        if (!right || filter->text() != key.filter) {
            std::fprintf(stderr, "key %s shows what it should not\n", qPrintable(key.name));
            return false;
        }
        if (record) {
            key.ms.push_back(double(ns) / 1e6);
            key.cpuMs.push_back(cpu);
        }
    }
    return true;
}

void printKeys(const char *what, const std::vector<Key> &keys, double base, bool titlesListed)
{
    std::printf("%s\n%-16s %8s %9s %9s %9s %9s %8s\n", what, "key (filter)",
                titlesListed ? "titles" : "lines", "median", "min", "max", "cpu", "ratio");
    std::vector<double> medians;
    double worst = 0;
    for (const Key &key : keys) {
        const auto [lo, hi] = std::minmax_element(key.ms.begin(), key.ms.end());
        const double m = median(key.ms);
        medians.push_back(m);
        worst = std::max(worst, *hi);
        std::printf("%-16s %8lld %7.2fms %7.2fms %7.2fms %7.2fms %8.2f\n", qPrintable(key.name),
                    titlesListed ? qlonglong(key.titles) : qlonglong(key.found), m, *lo, *hi,
                    median(key.cpuMs), m / base);
    }
    const auto [lo, hi] = std::minmax_element(medians.begin(), medians.end());
    std::printf("per key: median %.2f ms (ratio %.2f), keys' medians %.2f-%.2f ms, slowest key "
                "%.2f ms (ratio %.2f); a frame is 16 ms\n\n",
                median(medians), median(medians) / base, *lo, *hi, worst, worst / base);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Optional: the number of runs, and another word to type.
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    const QString word = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("Mid(s, 123");

    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("Samples"));
    QDir::setCurrent(dir.path());
    const QString path = dir.filePath(QStringLiteral("Samples/MyCode.Txt"));
    const QByteArray bytes = BenchLibrary::buildFile();
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) < 0)
            return 1;
    }

    std::vector<Key> listed = keysOf(word, bytes);
    std::vector<Key> searched = listed;
    std::vector<double> baselines, reads, builds;
    qint64 checksum = 0;
    // The first run only warms the file cache and the allocator; it is not recorded.
    for (int run = -1; run < runs; ++run) {
        std::vector<qint64> scans;
        for (int i = 0; i < 5; ++i)
            scans.push_back(timeNs([&] { checksum += plainScan(bytes, word.toLatin1()); }));
        std::sort(scans.begin(), scans.end());
        baselines.push_back(double(scans[scans.size() / 2]) / 1e6);
        // Every key reads the file again (it may have changed): that part of a key alone.
        reads.push_back(
            double(timeNs([&] { checksum += TextFile::readBytes(path).value().size(); })) / 1e6);
        // Once per file read, before the first key: the index of the filter.
        builds.push_back(double(timeNs([&] { SnippetIndex index(bytes); })) / 1e6);

        FakePlatform platform;
        LibraryPanel window(platform, nullptr);
        window.load();
        window.show();
        window.enterMode();
        // A user reaches the filter a moment after the mode shows; meanwhile the index of the
        // stored code is built on another thread.
        settle(500);
        if (!typeKeys(window, searched, false, run >= 0))
            return 2;
        choose(window.findChild<QComboBox *>(QStringLiteral("CboCode")), 8);
        settle(500);
        if (!typeKeys(window, listed, true, run >= 0) || !platform.messages().isEmpty())
            return 2;
    }
    const double base = median(baselines);
    std::printf("filter over %d snippets (%lld bytes); baseline (a plain scan of the bytes for "
                "the word) %.2f ms, median of %d runs\n",
                BenchLibrary::snippetCount, qlonglong(bytes.size()), base, runs);
    std::printf("reading the file, part of every key: %.2f ms (ratio %.2f)\n", median(reads),
                median(reads) / base);
    std::printf("building the filter's index, once per file read: %.2f ms (ratio %.2f)\n\n",
                median(builds), median(builds) / base);
    printKeys("titles listed (\"*MY CODE*\" chosen): the list narrows", listed, base, true);
    printKeys("no category chosen: the code box lists what holds the text", searched, base, false);
    std::printf("(checksum %lld)\n", checksum);
    return 0;
}
