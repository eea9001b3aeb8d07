#include "snippetindex.h"

#include "textfile.h"

#include <QStringMatcher>

#include <algorithm>
#include <cstring>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

constexpr char star = '*';

// Case folding as Qt's case-insensitive comparison applies it, one code point at a time, so
// that a search in folded text finds what a case-insensitive search finds in the text.
void foldInPlace(QChar *at, QChar *end)
{
    for (; at != end; ++at) {
        const char16_t c = at->unicode();
        if (c < 0x80) {
            if (c >= u'A' && c <= u'Z')
                *at = QChar(char16_t(c + (u'a' - u'A')));
        } else if (QChar::isHighSurrogate(c) && at + 1 != end && at[1].isLowSurrogate()) {
            const char32_t folded = QChar::toCaseFolded(QChar::surrogateToUcs4(c, at[1].unicode()));
            if (QChar::requiresSurrogates(folded)) {
                at[0] = QChar(QChar::highSurrogate(folded));
                at[1] = QChar(QChar::lowSurrogate(folded));
            }
            ++at;
        } else {
            *at = QChar(char16_t(QChar::toCaseFolded(char32_t(c))));
        }
    }
}

QString folded(QString text)
{
    foldInPlace(text.data(), text.data() + text.size());
    return text;
}

bool isAscii(QByteArrayView line)
{
    unsigned char any = 0;
    for (const char c : line)
        any |= static_cast<unsigned char>(c);
    return any < 0x80;
}

} // namespace

SnippetIndex::SnippetIndex(const QByteArray &file)
{
    build(file);
}

bool SnippetIndex::isBuiltFor(const QByteArray &file) const
{
    // The bytes the panel holds are shared with the index while the file stays the same.
    return !m_starts.empty() &&
           (m_file.constData() == file.constData() ? m_file.size() == file.size() : m_file == file);
}

void SnippetIndex::build(const QByteArray &file)
{
    if (isBuiltFor(file))
        return;
    m_file = file;
    m_found.clear();
    m_starts.assign(1, 0);
    // A line decodes to at most as many UTF-16 units as it has bytes in the code pages Qt
    // reads; the text grows all the same if one does not.
    m_folded.resize(file.size());
    const char *data = file.constData();
    m_titles.clear();
    m_titleNumbers.clear();
    std::unordered_map<std::string_view, int> numbers;
    numbers.reserve(size_t(file.count('\n')) + 1);
    TextFile::forEachLine(file, [&](qsizetype start, qsizetype end) {
        const QByteArrayView line(data + start, end - start);
        const void *at = std::memchr(line.data(), star, size_t(line.size()));
        if (!at)
            return;
        appendEntry(line);
        const QByteArrayView title = line.first(static_cast<const char *>(at) - line.data());
        m_titles.emplace_back(start, title.size());
        const auto number = numbers.try_emplace(
            std::string_view(title.data(), size_t(title.size())), int(numbers.size()));
        m_titleNumbers.push_back(number.first->second);
    });
    m_titleCount = int(numbers.size());
    m_folded.truncate(m_starts.back());
    m_folded.squeeze();
}

void SnippetIndex::appendEntry(QByteArrayView line)
{
    const qsizetype at = m_starts.back();
    // Most lines are ASCII, which every code page reads as itself: no decoder is needed.
    if (isAscii(line)) {
        if (m_folded.size() < at + line.size())
            m_folded.resize(std::max(at + line.size(), 2 * m_folded.size()));
        QChar *out = m_folded.data() + at;
        for (const char c : line)
            *out++ = QLatin1Char(c);
    } else {
        const QString text = QString::fromLocal8Bit(line);
        if (m_folded.size() < at + text.size())
            m_folded.resize(std::max(at + text.size(), 2 * m_folded.size()));
        std::copy(text.cbegin(), text.cend(), m_folded.data() + at);
        m_starts.push_back(at + text.size());
        foldInPlace(m_folded.data() + at, m_folded.data() + m_starts.back());
        return;
    }
    m_starts.push_back(at + line.size());
    foldInPlace(m_folded.data() + at, m_folded.data() + m_starts.back());
}

QByteArrayView SnippetIndex::title(qsizetype entry) const
{
    const auto &[start, size] = m_titles[size_t(entry)];
    return QByteArrayView(m_file).sliced(start, size);
}

QStringView SnippetIndex::entry(qsizetype at) const
{
    return QStringView(m_folded).sliced(m_starts[at], m_starts[at + 1] - m_starts[at]);
}

QList<bool> SnippetIndex::matches(const QString &text)
{
    if (text.isEmpty())
        return QList<bool>(std::max(entryCount(), qsizetype(0)), true);
    const QString key = folded(text);
    // A text found before that this one does not extend narrows nothing: it is forgotten.
    while (!m_found.empty() && !key.contains(m_found.back().text))
        m_found.pop_back();
    if (m_found.empty() || m_found.back().text != key) {
        // The keys of one word are few; a longer chain keeps its latest texts.
        constexpr std::size_t chainLength = 32;
        if (m_found.size() == chainLength)
            m_found.erase(m_found.begin());
        m_found.push_back(search(key, m_found.empty() ? nullptr : &m_found.back()));
    }
    return m_found.back().entries;
}

SnippetIndex::Found SnippetIndex::search(const QString &key, const Found *narrowed) const
{
    Found found{key, QList<bool>(std::max(entryCount(), qsizetype(0)), false)};
    // Among a few entries each is searched alone; among many one pass over all the text is
    // quicker than a search per entry.
    if (narrowed && narrowed->count < entryCount() / 8) {
        const QStringMatcher matcher(key);
        for (qsizetype at = 0; at < entryCount(); ++at) {
            if (narrowed->entries.at(at) && matcher.indexIn(entry(at)) >= 0) {
                found.entries[at] = true;
                ++found.count;
            }
        }
        return found;
    }
    searchAll(key, found, narrowed);
    return found;
}

void SnippetIndex::searchAll(QStringView key, Found &found, const Found *narrowed) const
{
    // A place found belongs to the entry it starts in, and counts when it ends there too; the
    // search goes on at the next entry.
    const QStringMatcher matcher(key);
    const QStringView all(m_folded);
    const auto find = [&](qsizetype from) {
        return key.size() == 1 ? all.indexOf(key.front(), from) : matcher.indexIn(all, from);
    };
    // The places found come in order: the entry of each is found by stepping forwards, which
    // reads the starts in order instead of jumping about them.
    const qsizetype entries = entryCount();
    qsizetype entry = 0;
    for (qsizetype at = find(0); at >= 0; at = find(m_starts[entry])) {
        while (m_starts[entry + 1] <= at)
            ++entry;
        if (at + key.size() <= m_starts[entry + 1] && (!narrowed || narrowed->entries.at(entry))) {
            found.entries[entry] = true;
            ++found.count;
        }
        if (++entry == entries)
            break;
    }
}
