// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/TableText.h"

#include "common/NumberFormat.h"

#include <QFile>

#include <algorithm>
#include <cstring>

namespace ql708::data {

namespace {

constexpr qint64 kReadBlock = 1 << 20;
// A line of kMaxLineLength characters of four bytes each, the separators that pad it and CR LF.
constexpr qsizetype kLongLineBytes = 4 * kMaxLineLength + TextTable::kFields + 4;

// Whether what follows the kept characters of a line is the padding the writer puts after a
// short row: at most one separator per field, and nothing else.
bool onlyPadding(QByteArrayView rest, char separator)
{
    return rest.size() <= TextTable::kFields && std::all_of(rest.begin(), rest.end(), [separator](char c) { return c == separator; });
}

// The first kMaxLineLength characters of a line (UTF-8 continuation bytes are not counted). A
// longer line is cut, unless all it holds beyond them is padding: a table the program wrote
// reads back whole.
QByteArrayView firstCharacters(QByteArrayView line, char separator, bool *cut)
{
    *cut = false;
    if (line.size() <= kMaxLineLength)
        return line;
    int chars = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if ((quint8(line[i]) & 0xC0) == 0x80)
            continue;
        if (chars == kMaxLineLength) {
            *cut = !onlyPadding(line.sliced(i), separator);
            return line.first(i);
        }
        ++chars;
    }
    return line;
}

enum class LineResult { Stored, NoSeparator, TableFull };

LineResult storeLine(QByteArrayView line, char separator, TextTable &table)
{
    if (!line.contains(separator))
        return LineResult::NoSeparator;
    QByteArrayView fields[TextTable::kFields];
    int count = 0;
    qsizetype start = 0;
    while (count < TextTable::kFields) {
        const qsizetype at = line.indexOf(separator, start);
        if (at < 0) {
            if (start < line.size())
                fields[count++] = line.sliced(start);
            break;
        }
        fields[count++] = line.sliced(start, at - start);
        start = at + 1;
    }
    return table.appendRow(fields, count) ? LineResult::Stored : LineResult::TableFull;
}

// Whole lines of a file read block by block; the last line need not end in a line feed.
class LineSource {
public:
    explicit LineSource(QIODevice &in) : m_in(in) {}

    // The next line without its end; false at the end of the file or on a read error.
    bool next(QByteArrayView &line)
    {
        for (;;) {
            const qsizetype end = m_buffer.indexOf('\n', std::max(m_pos, m_scanned));
            if (end >= 0) {
                line = take(end, end + 1);
                return true;
            }
            m_scanned = m_buffer.size();
            // A line far longer than any kept is handed on as it stands: it is cut and ends
            // the reading, so the rest of it is never needed.
            if (m_atEnd || m_buffer.size() - m_pos > kLongLineBytes) {
                if (m_pos >= m_buffer.size())
                    return false;
                line = take(m_buffer.size(), m_buffer.size());
                return true;
            }
            refill();
        }
    }
    bool failed() const { return m_failed; }

private:
    QByteArrayView take(qsizetype end, qsizetype next)
    {
        QByteArrayView line = QByteArrayView(m_buffer).sliced(m_pos, end - m_pos);
        if (line.endsWith('\r'))
            line.chop(1);
        m_pos = next;
        return line;
    }
    void refill()
    {
        m_buffer.remove(0, m_pos);
        m_scanned -= m_pos;
        m_pos = 0;
        const QByteArray block = m_in.read(kReadBlock);
        if (block.isEmpty()) {
            m_atEnd = true;
            m_failed = m_in.bytesAvailable() > 0 || (!m_in.atEnd() && !m_in.isSequential());
            return;
        }
        if (m_first && block.startsWith("\xEF\xBB\xBF"))
            m_buffer.append(QByteArrayView(block).sliced(3));
        else
            m_buffer.append(block);
        m_first = false;
    }

    QIODevice &m_in;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    qsizetype m_scanned = 0; // bytes before this hold no line feed after m_pos
    bool m_atEnd = false;
    bool m_failed = false;
    bool m_first = true;
};

// A cell as a comma-separated file writes it: a number with a decimal comma takes a full stop.
QByteArrayView csvCell(QByteArrayView cell, const QLocale &locale, QByteArray &scratch)
{
    double value = 0;
    if (!cell.contains(',') || locale.decimalPoint() != QLatin1String(",") ||
        !parseDecimal(QString::fromUtf8(cell), value, locale))
        return cell;
    scratch = cell.toByteArray();
    scratch.replace(',', '.');
    return scratch;
}

} // namespace

TextFileOutcome readTableText(QIODevice &in, TextSeparator separator, TextTable &table, const TextProgress &progress)
{
    TextFileOutcome outcome;
    LineSource lines(in);
    QByteArrayView line;
    bool cut = false;
    while (!cut && lines.next(line)) {
        const LineResult r = storeLine(firstCharacters(line, char(separator), &cut), char(separator), table);
        if (r == LineResult::NoSeparator)
            break;
        if (r == LineResult::TableFull) {
            outcome.truncated = true;
            break;
        }
        ++outcome.lines;
        if (progress && outcome.lines % kProgressEveryLines == 0 && !progress(outcome.lines)) {
            outcome.cancelled = true;
            return outcome;
        }
    }
    if (lines.failed()) {
        outcome.error = in.errorString();
        return outcome;
    }
    outcome.ok = true;
    if (progress)
        progress(outcome.lines);
    return outcome;
}

TextFileOutcome readTableText(const QString &path, TextSeparator separator, TextTable &table,
                              const TextProgress &progress)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        TextFileOutcome failed;
        failed.error = file.errorString();
        return failed;
    }
    return readTableText(file, separator, table, progress);
}

TextFileOutcome writeTableText(QIODevice &out, const TextTable &table, int first, int last, TextSeparator separator,
                               const QLocale &locale, const TextProgress &progress)
{
    LineBlocks lines(out, progress);
    QByteArray scratch;
    // Every line holds a separator, even that of a table of empty cells: the reader stops at a
    // line without one.
    const int fields = std::max(table.fieldCount(), 1);
    for (int r = std::max(first, 0); r <= last && r < table.rowCount(); ++r) {
        for (int f = 0; f < fields; ++f) {
            const QByteArrayView cell = table.cellBytes(r, f);
            lines.line().append(separator == TextSeparator::Comma ? csvCell(cell, locale, scratch) : cell);
            lines.line().append(char(separator));
        }
        if (!lines.endLine())
            break;
    }
    return lines.finish();
}

TextFileOutcome saveTableText(const QString &path, const TextTable &table, int first, int last,
                              TextSeparator separator, const QLocale &locale, const TextProgress &progress)
{
    return saveText(path, [&](QIODevice &out) {
        return writeTableText(out, table, first, last, separator, locale, progress);
    });
}

} // namespace ql708::data
