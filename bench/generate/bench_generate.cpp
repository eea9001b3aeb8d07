// Generating code: a standard array and a customized array of 1000 objects, and a five-line
// message box. Each time is the median of many repetitions and is printed with its ratio to
// copying the same number of characters in the same run.
#include "arraycode.h"
#include "arraysettings.h"
#include "dialogcode.h"
#include "dialogsettings.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

struct Figure
{
    double medianUs;
    double minUs;
    double maxUs;
};

// Median, min and max over `runs` timings of `reps` calls each, in microseconds per call.
Figure measure(const std::function<qsizetype()> &work, int runs = 15, int reps = 200)
{
    std::vector<double> us;
    qsizetype sink = 0;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < reps; ++i)
            sink += work();
        us.push_back(double(t.nsecsElapsed()) / 1000.0 / reps);
    }
    std::sort(us.begin(), us.end());
    if (sink == -1)
        std::puts("");
    return {us[us.size() / 2], us.front(), us.back()};
}

void report(const char *what, const Figure &ours, const Figure &copy)
{
    std::printf("  %-34s %9.2f us (%.2f-%.2f)   copy %7.2f us   ratio %6.1f\n", what, ours.medianUs,
                ours.minUs, ours.maxUs, copy.medianUs, ours.medianUs / copy.medianUs);
}

Figure copyOf(const QString &text)
{
    return measure([&text] {
        QString copy(text.size(), Qt::Uninitialized);
        std::copy(text.cbegin(), text.cend(), copy.begin());
        return copy.size();
    });
}

} // namespace

int main()
{
    std::printf("code generation (median per call, min-max, against copying the output)\n");

    ArraySettings standard;
    ArraySetup::selectKind(standard, 2);
    ArraySetup::selectVertical(standard, QStringLiteral("21"));
    const QString standardText = ArrayCode::standardCode(standard, 1000);
    report("standard array, 1000 objects",
           measure([&] { return ArrayCode::standardCode(standard, 1000).size(); }),
           copyOf(standardText));

    const auto buildList = [] {
        ArraySettings s;
        ArraySetup::selectKind(s, 3);
        ArraySetup::startList(s, 1000);
        for (int i = 0; i < 1000; ++i)
            (void)ArraySetup::storeEntry(s, QString::number(10 + i * 22), QStringLiteral("5"),
                                         QStringLiteral("70"), QStringLiteral("21"));
        ArraySetup::completeList(s);
        return s;
    };
    ArraySettings custom = buildList();
    const QString customText = ArrayCode::customizedCode(custom);
    report("customized array, 1000 objects",
           measure([&] { return ArrayCode::customizedCode(custom).size(); }), copyOf(customText));
    report("typing a list of 1000 positions",
           measure([&] { return buildList().PosString.size(); }, 9, 10), copyOf(custom.PosString));

    DialogSettings dialog;
    dialog.BtnValue = 4;
    dialog.DefBtnValue = 256;
    dialog.IconValue = 32;
    DialogCode::Input input;
    input.text = QStringLiteral(
        "File changed.\r\nSave it now?\r\nYes saves,\r\nNo discards,\r\nbe careful.");
    input.title = QStringLiteral("Save");
    const auto dialogCode = [&] {
        return DialogCode::generatedText(
            std::get<DialogCode::Built>(DialogCode::build(dialog, input)).settings);
    };
    const QString dialogText = dialogCode();
    report("message box, five lines", measure([&] { return dialogCode().size(); }),
           copyOf(dialogText));
    return 0;
}
