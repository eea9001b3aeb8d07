// Times the stored-code file with 100 000 snippets: listing the titles and showing the last
// one, in the logic alone and through the library panel. Each time is printed as a ratio to
// reading the same file's bytes in the same run; several runs give a median and a spread.

#include "benchutil.h"
#include "fakeplatform.h"
#include "librarypanel.h"
#include "storedcode.h"
#include "storedcodefile.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <vector>

namespace {

using BenchLibrary::buildFile;
using BenchLibrary::snippetCount;
using BenchLibrary::title;
constexpr int runs = 7;

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("Samples"));
    QDir::setCurrent(dir.path());
    const QString path = dir.filePath(QStringLiteral("Samples/MyCode.Txt"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(buildFile()) < 0)
            return 1;
    }
    const QString lastTitle = title(snippetCount);
    const QString firstTitle = title(1);

    std::map<QString, std::vector<double>> ratios;
    qint64 checksum = 0;
    qint64 baselineSum = 0;
    auto readBytes = [&] {
        QFile f(path);
        if (f.open(QIODevice::ReadOnly))
            checksum += f.readAll().size();
    };
    // The first run only warms the file cache and the allocator; it is not recorded.
    for (int run = -1; run < runs; ++run) {
        // The baseline of a run is the median of five reads, so one slow read does not skew it.
        std::vector<qint64> reads;
        for (int i = 0; i < 5; ++i)
            reads.push_back(timeNs(readBytes));
        std::sort(reads.begin(), reads.end());
        const qint64 baseline = reads[reads.size() / 2];
        auto record = [&](const QString &name, qint64 ns) {
            if (run >= 0)
                ratios[name].push_back(double(ns) / double(baseline));
        };
        if (run >= 0)
            baselineSum += baseline;

        record(QStringLiteral("logic: list the titles"),
               timeNs([&] { checksum += StoredCode::readTitles(path).value().size(); }));
        record(QStringLiteral("logic: show the last title"),
               timeNs([&] { checksum += StoredCode::readSnippet(path, lastTitle).size(); }));
        record(QStringLiteral("logic: show the first title"),
               timeNs([&] { checksum += StoredCode::readSnippet(path, firstTitle).size(); }));

        FakePlatform platform;
        LibraryPanel panel(platform, nullptr);
        panel.load();
        auto *box = panel.findChild<QComboBox *>(QStringLiteral("CboCode"));
        auto *code = panel.findChild<QPlainTextEdit *>(QStringLiteral("CodeBox"));
        record(QStringLiteral("panel: \"*MY CODE*\" lists the titles"),
               timeNs([&] { choose(box, 8); }));
        record(QStringLiteral("panel: choose the last title"),
               timeNs([&] { choose(box, box->count() - 1); }));
        // Both steps again in a fresh window, with the events the views handle after them.
        LibraryPanel window(platform, nullptr);
        window.load();
        window.show();
        QCoreApplication::processEvents();
        auto *windowBox = window.findChild<QComboBox *>(QStringLiteral("CboCode"));
        record(QStringLiteral("window: \"*MY CODE*\" lists, show the last"), timeNs([&] {
                   choose(windowBox, 8);
                   QCoreApplication::processEvents();
                   choose(windowBox, windowBox->count() - 1);
                   QCoreApplication::processEvents();
               }));
        checksum += windowBox->count();
        checksum += box->count() + code->blockCount();
        if (box->count() != 9 + snippetCount || !platform.messages().isEmpty())
            return 2;
    }

    std::printf("stored-code file: %d snippets, %lld bytes; baseline (reading the bytes) %.2f ms "
                "on average\n",
                snippetCount, QFileInfo(path).size(), double(baselineSum) / runs / 1e6);
    std::printf("%-40s %10s %10s %10s   (%d runs, ratio to reading the bytes)\n", "operation",
                "median", "min", "max", runs);
    for (auto &[name, values] : ratios) {
        std::sort(values.begin(), values.end());
        std::printf("%-40s %10.2f %10.2f %10.2f\n", qPrintable(name), values[values.size() / 2],
                    values.front(), values.back());
    }
    std::printf("(checksum %lld)\n", checksum);
    return 0;
}
