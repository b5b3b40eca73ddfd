// SPDX-License-Identifier: GPL-3.0-or-later
#include "leq/LeqTable.h"

#include "common/NumberFormat.h"
#include "common/StringTable.h"
#include "graph/GraphTexts.h"

#include <array>

namespace ql708::leq {

namespace {
const QString kTable = QStringLiteral("frmLEQ");
}

void LeqTable::clear()
{
    m_times.clear();
    m_spl.clear();
    m_leq.clear();
}

void LeqTable::append(TDateTime time, float spl, float leq)
{
    m_times.push_back(time);
    m_spl.push_back(spl);
    m_leq.push_back(leq);
}

QString LeqTable::cellText(int row, int column, const QLocale &locale) const
{
    switch (column) {
    case No: return QString::number(row + 1);
    case Date: return graph::dateText(time(row), locale);
    case Time: return graph::timeText(time(row), locale);
    case Spl: return hasLevels(row) ? formatLevel(spl(row), locale) : QString();
    case Leq: return hasLevels(row) ? formatLevel(leq(row), locale) : QString();
    default: return QString();
    }
}

data::TextTable textTable(const LeqTable &table, const QLocale &locale)
{
    data::TextTable out;
    constexpr int kFields = LeqTable::Columns - 1;
    for (int row = 0; row < table.rows(); ++row) {
        std::array<QByteArray, kFields> texts;
        std::array<QByteArrayView, kFields> fields;
        for (int f = 0; f < kFields; ++f) {
            texts[size_t(f)] = table.cellText(row, f + 1, locale).toUtf8();
            fields[size_t(f)] = texts[size_t(f)];
        }
        out.appendRow(fields.data(), kFields);
    }
    return out;
}

LeqSummary summarize(const LeqTable &table)
{
    LeqSummary s;
    s.seconds = table.rows();
    if (table.empty())
        return s;
    s.start = table.time(0);
    for (int row = table.rows() - 1; row >= 0 && !s.leq; --row)
        if (table.hasLevels(row))
            s.leq = table.leq(row);
    s.levels = summarizeLevels(table.splLevels());
    s.exceeded = exceededLevels(table.splLevels(), s.levels);
    return s;
}

QString summaryText(const LeqSummary &s, const QLocale &locale)
{
    auto line = [](const char *key, const QString &value) {
        return ids(kTable, QString::fromLatin1(key)) + value + QLatin1Char('\n');
    };
    auto level = [&locale](std::optional<float> v) {
        return v ? formatLevel(*v, locale) + QStringLiteral(" dB") : QString();
    };
    const bool any = s.levels.count > 0;
    QString text = line("IDS_2", s.seconds > 0 ? graph::dateTimeText(s.start, locale) : QString());
    text += line("IDS_3", QString::number(s.seconds));
    text += line("IDS_4", level(s.leq));
    text += line("IDS_5", level(any ? std::optional(s.levels.max) : std::nullopt));
    text += line("IDS_6", level(any ? std::optional(s.levels.min) : std::nullopt));
    text += line("IDS_7", level(s.exceeded ? std::optional(s.exceeded->l10) : std::nullopt));
    text += line("IDS_8", level(s.exceeded ? std::optional(s.exceeded->l50) : std::nullopt));
    text += line("IDS_9", level(s.exceeded ? std::optional(s.exceeded->l90) : std::nullopt));
    return text;
}

} // namespace ql708::leq
