// Start-up to the first painted frame and resident memory of Brindle, against a minimal
// Qt Widgets window built the same way. Both run under the offscreen platform with a
// preloaded probe that reports the first frame painted whole. Prints median and spread over
// several runs, or with "--instructions" the instructions each runs under callgrind.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

struct Sample
{
    double ms = 0;
    long rssKiB = 0;
};

// Sets a process to run under the offscreen platform, with the probe preloaded, in workDir.
void probe(QProcess &p, const QString &probeLibrary, const QString &workDir)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("LD_PRELOAD"), probeLibrary);
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(workDir);
}

bool runOnce(const QString &program, const QString &probeLibrary, const QString &workDir,
             Sample *out)
{
    QProcess p;
    probe(p, probeLibrary, workDir);
    QElapsedTimer t;
    t.start();
    p.start(program, {});
    if (!p.waitForStarted(10000))
        return false;
    QByteArray output;
    while (!output.contains('\n') && p.waitForReadyRead(20000))
        output += p.readAllStandardOutput();
    out->ms = double(t.nsecsElapsed()) / 1e6;
    p.waitForFinished(5000);
    if (!output.startsWith("painted "))
        return false;
    out->rssKiB = output.mid(8).trimmed().toLong();
    return true;
}

// The instructions a program runs from its start to its first painted frame, counted by
// callgrind: a figure that a busy machine does not change. 0 when valgrind cannot run it.
qint64 instructions(const QString &program, const QString &probeLibrary, const QString &workDir)
{
    QProcess p;
    probe(p, probeLibrary, workDir);
    p.start(QStringLiteral("valgrind"),
            {QStringLiteral("--tool=callgrind"), QStringLiteral("--callgrind-out-file=/dev/null"),
             program});
    if (!p.waitForFinished(300000))
        return 0;
    const QByteArray log = p.readAllStandardError();
    const qsizetype at = log.indexOf("Collected : ");
    return at < 0 ? 0 : log.mid(at + 12).split('\n').value(0).trimmed().toLongLong();
}

template <class T> T median(std::vector<T> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString dir = QCoreApplication::applicationDirPath();
    const QString brindle = QStringLiteral(BRINDLE_BINARY);
    const QString baseline = dir + QStringLiteral("/bench_minimal_window");
    const QString probe = dir + QStringLiteral("/libbrindle_paintprobe.so");
    // "--instructions" counts instructions under callgrind instead of timing runs.
    const bool counting = argc > 1 && QByteArrayView(argv[1]) == "--instructions";
    const int runs = argc > 1 && !counting ? std::max(3, atoi(argv[1])) : 15;

    // Brindle starts in a working folder like the bundled one.
    QTemporaryDir work;
    QDir(work.path()).mkpath(QStringLiteral("Samples"));

    if (counting) {
        const qint64 ours = instructions(brindle, probe, work.path());
        const qint64 text =
            instructions(dir + QStringLiteral("/bench_label_window"), probe, work.path());
        const qint64 base = instructions(baseline, probe, work.path());
        if (ours <= 0 || text <= 0 || base <= 0) {
            std::fprintf(stderr, "valgrind did not count the instructions\n");
            return 1;
        }
        std::printf("instructions to the first painted frame (callgrind)\n");
        std::printf("  brindle                %8.1f M\n", double(ours) / 1e6);
        std::printf("  one-label window       %8.1f M\n", double(text) / 1e6);
        std::printf("  minimal window         %8.1f M\n", double(base) / 1e6);
        std::printf("  ratio to one-label     %8.2f   (target 1.30)\n",
                    double(ours) / double(text));
        std::printf("  ratio to minimal       %8.2f\n", double(ours) / double(base));
        return 0;
    }

    // Brindle and both baselines run in turn, so that a slow moment of the machine falls on
    // all of them alike.
    const QString label = dir + QStringLiteral("/bench_label_window");
    std::vector<double> ours, base, text;
    std::vector<long> oursRss, baseRss, textRss;
    for (int i = 0; i < runs; ++i) {
        Sample a, b, c;
        if (!runOnce(brindle, probe, work.path(), &a) ||
            !runOnce(baseline, probe, work.path(), &b) || !runOnce(label, probe, work.path(), &c)) {
            std::fprintf(stderr, "a run did not report its first paint\n");
            return 1;
        }
        ours.push_back(a.ms);
        base.push_back(b.ms);
        text.push_back(c.ms);
        oursRss.push_back(a.rssKiB);
        baseRss.push_back(b.rssKiB);
        textRss.push_back(c.rssKiB);
    }
    const auto line = [](const char *name, const std::vector<double> &v) {
        const auto [lo, hi] = std::minmax_element(v.begin(), v.end());
        std::printf("  %-22s %8.1f ms  (%.1f-%.1f)\n", name, median(v), *lo, *hi);
    };
    std::printf("start-up to first paint, %d runs (median, min-max)\n", runs);
    line("brindle", ours);
    line("one-label window", text);
    line("minimal window", base);
    std::printf("  ratio to one-label     %8.2f   (target 1.15)\n", median(ours) / median(text));
    std::printf("  ratio to minimal       %8.2f\n", median(ours) / median(base));
    const auto [rLo, rHi] = std::minmax_element(oursRss.begin(), oursRss.end());
    std::printf("resident memory at first paint (median, min-max)\n");
    std::printf("  brindle                %8ld KiB (%ld-%ld)\n", median(oursRss), *rLo, *rHi);
    std::printf("  one-label window       %8ld KiB\n", median(textRss));
    std::printf("  minimal window         %8ld KiB\n", median(baseRss));
    std::printf("  ratio to one-label     %8.2f   (target 1.10)\n",
                double(median(oursRss)) / double(median(textRss)));
    std::printf("  ratio to minimal       %8.2f\n",
                double(median(oursRss)) / double(median(baseRss)));
    return 0;
}
