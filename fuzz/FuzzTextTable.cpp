// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry for the table and graph text readers (.txt with TAB, .csv with commas): the
// first byte chooses the separator and the locale, the rest is the file. What the reader keeps
// must come back cell for cell when the program writes the table and reads its own file again.
// The rows are then graphed as the program graphs a table, and the points written as a graph
// text file must read back to the same times (to the millisecond written) and levels (to the
// decimal written).
#include "data/GraphText.h"
#include "data/TableText.h"
#include "output/TableToGraph.h"

#include <QBuffer>

#include <cmath>
#include <cstdint>
#include <vector>

using namespace ql708;
using namespace ql708::data;

namespace {

const QLocale kLocales[] = {QLocale(QLocale::English, QLocale::UnitedKingdom),
                            QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::French, QLocale::France),
                            QLocale(QLocale::German, QLocale::Germany)};

bool readTable(const QByteArray &bytes, TextSeparator separator, TextTable &table)
{
    QBuffer in;
    in.setData(bytes);
    in.open(QIODevice::ReadOnly);
    const TextFileOutcome o = readTableText(in, separator, table);
    return o.ok && !o.truncated;
}

void checkTableRoundTrip(const TextTable &table, TextSeparator separator, const QLocale &locale)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    if (!writeTableText(out, table, 0, table.rowCount() - 1, separator, locale).ok)
        __builtin_trap();
    TextTable again;
    if (!readTable(out.data(), separator, again) || again.rowCount() != table.rowCount())
        __builtin_trap();
    for (int r = 0; r < table.rowCount(); ++r)
        for (int f = 0; f < TextTable::kFields; ++f)
            if (again.cellBytes(r, f) != table.cellBytes(r, f))
                __builtin_trap();
}

// The points graphed from the table, written as a graph text file and graphed again.
void checkGraphRoundTrip(const TextTable &table, const QLocale &locale, TextSeparator separator, bool iso)
{
    const int n = table.rowCount();
    std::vector<double> x(std::size_t(n), 0.0);
    std::vector<float> y(std::size_t(n), 0.0f);
    output::TableToGraph(table, locale).readRows(0, n, x.data(), y.data());
    GraphTextFormat format;
    format.separator = separator;
    format.isoDateTimes = iso;
    format.locale = locale;
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    const TextFileOutcome written = writeGraphText(out, {x.data(), y.data(), nullptr, n}, 0, n - 1, format);
    if (!written.ok)
        __builtin_trap();
    TextTable lines;
    if (!readTable(out.data(), separator, lines) || lines.rowCount() != written.lines)
        __builtin_trap();
    std::vector<double> x2(std::size_t(lines.rowCount()), 0.0);
    std::vector<float> y2(std::size_t(lines.rowCount()), 0.0f);
    output::TableToGraph(lines, locale).readRows(0, lines.rowCount(), x2.data(), y2.data());
    for (int i = 0; i < lines.rowCount(); ++i) {
        if (std::abs(x2[std::size_t(i)] - x[std::size_t(i)]) > 0.6 / 86400000.0)
            __builtin_trap();
        const float v = y[std::size_t(i)];
        if (std::isfinite(v) && std::abs(v) < 1e5f && std::abs(y2[std::size_t(i)] - v) > 0.051f + 1e-6f * std::abs(v))
            __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::uint8_t choice = data[0];
    const TextSeparator separator = (choice & 1) ? TextSeparator::Comma : TextSeparator::Tab;
    const QLocale &locale = kLocales[(choice >> 1) & 3];
    TextTable table;
    if (!readTable(QByteArray(reinterpret_cast<const char *>(data) + 1, qsizetype(size) - 1), separator, table))
        return 0;
    checkTableRoundTrip(table, separator, locale);
    checkGraphRoundTrip(table, locale, separator, (choice & 8) != 0);
    return 0;
}
