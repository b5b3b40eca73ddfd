// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace ql708::data {

// The records of a table text file, held column-wise: per field one block of text and the end
// of each row's cell in it, so a million rows take a few allocations. Cells are kept as the file
// holds them (UTF-8), spaces included.
class TextTable {
public:
    static constexpr int kFields = 6; // fields beyond the sixth are not kept
    // Bounds of one table: rows, and bytes of one field's text.
    static constexpr int kMaxRows = 10'000'000;
    static constexpr qsizetype kMaxFieldBytes = 1'000'000'000;

    int rowCount() const { return m_rows; }
    bool isEmpty() const { return m_rows == 0; }
    // The number of fields up to the last one any row fills.
    int fieldCount() const { return m_width; }

    // Field f (0 to 5) of row r (from 0): the bytes, and the text they spell (Latin-1 when
    // they are not UTF-8).
    QByteArrayView cellBytes(int r, int f) const;
    QString cell(int r, int f) const;

    // Appends a row of count fields (the first six are kept); false, and nothing appended, when
    // the table is full.
    bool appendRow(const QByteArrayView *fields, int count);

    // The first row has a fourth field: a chart of two series or a Leq table. Its columns are
    // headed "SPL" and "Leq", and the fourth field is the level to graph.
    bool hasSecondLevel() const { return m_rows > 0 && !cellBytes(0, 3).isEmpty(); }

private:
    struct Column {
        QByteArray text;
        std::vector<std::uint32_t> ends;
    };
    std::array<Column, kFields> m_columns;
    int m_rows = 0;
    int m_width = 0;
};

} // namespace ql708::data
