// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>

namespace ql708::leq {

class LeqTable;

// The run's table as the window's grid shows it: five columns, headings in the active
// language, one row per completed second. The grid asks only for the rows it shows, so a
// 24-hour table costs no more to show than a short one.
class LeqTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit LeqTableModel(const LeqTable &table, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Catches up with the table: rows it gained are inserted, a table cut back resets.
    void sync();
    // The headings follow the language.
    void retranslate();

private:
    const LeqTable &m_table;
    int m_rows = 0;
};

} // namespace ql708::leq
