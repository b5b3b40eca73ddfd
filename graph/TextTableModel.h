// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/TextTable.h"

#include <QAbstractTableModel>

namespace ql708::graph {

// The tabular view's grid as a model over a column-wise table: column 0 numbers the rows from 1,
// columns 1 to 6 show the fields. Only the rows on screen are ever asked for, so a table of a
// million rows costs no more to show than a short one. An empty table shows one empty row.
class TextTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kColumns = data::TextTable::kFields + 1;

    explicit TextTableModel(QObject *parent = nullptr);

    void setTable(data::TextTable table);
    const data::TextTable &table() const { return m_table; }
    // The headings follow the language: call after it changed.
    void retranslate();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    data::TextTable m_table;
};

} // namespace ql708::graph
