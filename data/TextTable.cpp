// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/TextTable.h"

#include <QStringDecoder>

#include <algorithm>

namespace ql708::data {

QByteArrayView TextTable::cellBytes(int r, int f) const
{
    if (r < 0 || r >= m_rows || f < 0 || f >= kFields)
        return {};
    const Column &c = m_columns[size_t(f)];
    const std::uint32_t begin = r == 0 ? 0 : c.ends[size_t(r) - 1];
    return QByteArrayView(c.text).sliced(begin, c.ends[size_t(r)] - begin);
}

QString TextTable::cell(int r, int f) const
{
    const QByteArrayView bytes = cellBytes(r, f);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

bool TextTable::appendRow(const QByteArrayView *fields, int count)
{
    count = std::min(count, kFields);
    if (m_rows >= kMaxRows)
        return false;
    for (int f = 0; f < count; ++f)
        if (m_columns[size_t(f)].text.size() + fields[f].size() > kMaxFieldBytes)
            return false;
    for (int f = 0; f < kFields; ++f) {
        Column &c = m_columns[size_t(f)];
        if (f < count && !fields[f].isEmpty()) {
            c.text.append(fields[f]);
            m_width = std::max(m_width, f + 1);
        }
        c.ends.push_back(std::uint32_t(c.text.size()));
    }
    ++m_rows;
    return true;
}

} // namespace ql708::data
