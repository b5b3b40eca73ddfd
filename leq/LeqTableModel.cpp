// SPDX-License-Identifier: GPL-3.0-or-later
#include "leq/LeqTableModel.h"

#include "common/StringTable.h"
#include "leq/LeqTable.h"

namespace ql708::leq {

LeqTableModel::LeqTableModel(const LeqTable &table, QObject *parent)
    : QAbstractTableModel(parent), m_table(table), m_rows(table.rows())
{
}

int LeqTableModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : m_rows; }

int LeqTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : LeqTable::Columns;
}

QVariant LeqTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows || index.row() >= m_table.rows())
        return {};
    if (role == Qt::DisplayRole)
        return m_table.cellText(index.row(), index.column());
    if (role == Qt::TextAlignmentRole && index.column() != LeqTable::Date && index.column() != LeqTable::Time)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant LeqTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    const StringEntry *e = StringTable::of(QStringLiteral("frmLEQ")).find(QStringLiteral("list"), QStringLiteral("LEQGrid"));
    const QStringList headings = e ? listItems(e->text(activeLanguage())) : QStringList();
    return section >= 0 && section < headings.size() ? headings[section] : QString();
}

void LeqTableModel::sync()
{
    const int rows = m_table.rows();
    if (rows < m_rows) {
        beginResetModel();
        m_rows = rows;
        endResetModel();
    } else if (rows > m_rows) {
        beginInsertRows(QModelIndex(), m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    }
}

void LeqTableModel::retranslate() { emit headerDataChanged(Qt::Horizontal, 0, LeqTable::Columns - 1); }

} // namespace ql708::leq
