// Fuzzes the program-file reader and the TAB exchange. Whatever the bytes, reading, listing
// and exchanging must not crash, and an exchange must keep the line count and change only
// the two blocks: the lines before, between and after them stay as they were.
#include "sectionreader.h"
#include "tabexchange.h"
#include "textfile.h"

#include <cstdint>
#include <cstdlib>

namespace {

void require(bool ok)
{
    if (!ok)
        std::abort();
}

bool sameLines(const QList<QByteArray> &a, qsizetype aFrom, const QList<QByteArray> &b,
               qsizetype bFrom, qsizetype count)
{
    for (qsizetype i = 0; i < count; ++i)
        if (a.at(aFrom + i) != b.at(bFrom + i))
            return false;
    return true;
}

void checkExchange(const QList<QByteArray> &section, const QList<SectionReader::Object> &objects,
                   int selected, int chosen)
{
    const SectionReader::Object &sel = objects.at(selected);
    const SectionReader::Object &tgt = objects.at(chosen);
    const int selBlock = sel.block;
    const int targetBlock = tgt.block;
    const int oldTab = sel.ordinal;
    const int newTab = tgt.ordinal;
    const auto result = TabExchange::prepare(section, selBlock, oldTab, targetBlock, newTab);
    if (!result)
        return;
    const TabExchange::Prepared &prepared = result.value();
    const auto exchanged =
        TabExchange::exchange(section, selBlock, prepared.moved, targetBlock, prepared.target);
    require(exchanged.size() == section.size());
    if (selBlock == targetBlock)
        return;
    // a: the earlier block, of la lines, which the later block's text replaces; b likewise.
    const bool selFirst = selBlock < targetBlock;
    const int a = selFirst ? selBlock : targetBlock;
    const int b = selFirst ? targetBlock : selBlock;
    const auto &atA = selFirst ? prepared.target : prepared.moved; // text that lands at a
    const auto &atB = selFirst ? prepared.moved : prepared.target;
    const qsizetype la = atB.size(); // the block originally at a has the size of what moves to b
    const qsizetype lb = atA.size();
    require(sameLines(exchanged, 0, section, 0, a));
    require(sameLines(exchanged, a, atA, 0, atA.size()));
    const qsizetype between = b - (a + la);
    require(sameLines(exchanged, a + atA.size(), section, a + la, between));
    require(sameLines(exchanged, a + atA.size() + between, atB, 0, atB.size()));
    const qsizetype tail = section.size() - (b + lb);
    require(sameLines(exchanged, section.size() - tail, section, b + lb, tail));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const int pickA = data[0];
    const int pickB = data[1];
    const QByteArray bytes(reinterpret_cast<const char *>(data + 2), qsizetype(size - 2));
    const auto file = TextFile::splitLines(bytes);
    const auto found = SectionReader::find(file);
    if (!found)
        return 0;
    const SectionReader::Section &section = found.value();
    const QList<SectionReader::Form> forms = SectionReader::forms(section.lines);
    const int last = int(section.lines.size()) - 1;
    SectionReader::Range range{0, last};
    if (forms.size() > 2)
        range = SectionReader::formRange(forms, pickA % int(forms.size()), last);
    const auto listed = SectionReader::listObjects(section.lines, range.start, range.end);
    require(listed.entries.size() == listed.positions.size());
    const auto objects = SectionReader::objects(section.lines, range.start, range.end);
    require(objects.size() == listed.entries.size());
    if (objects.isEmpty())
        return 0;
    const int n = int(objects.size());
    checkExchange(section.lines, objects, pickA % n, pickB % n);
    return 0;
}
