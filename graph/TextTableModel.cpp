// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/TextTableModel.h"

#include "common/StringTable.h"

#include <QGuiApplication>
#include <QPalette>

#include <algorithm>

namespace ql708::graph {

namespace {

QString heading(const char *key) { return ids(QStringLiteral("frmList"), QString::fromLatin1(key)); }

} // namespace

TextTableModel::TextTableModel(QObject *parent) : QAbstractTableModel(parent) {}

void TextTableModel::setTable(data::TextTable table)
{
    beginResetModel();
    m_table = std::move(table);
    endResetModel();
    retranslate();
}

void TextTableModel::retranslate() { emit headerDataChanged(Qt::Horizontal, 0, kColumns - 1); }

int TextTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : std::max(1, m_table.rowCount());
}

int TextTableModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant TextTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_table.rowCount())
        return {};
    if (role == Qt::DisplayRole)
        return index.column() == 0 ? QVariant(index.row() + 1) : QVariant(m_table.cell(index.row(), index.column() - 1));
    // The row numbers look like the headings: the fixed column of the grid.
    if (role == Qt::BackgroundRole && index.column() == 0)
        return QGuiApplication::palette().button();
    return {};
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    const bool secondLevel = m_table.hasSecondLevel();
    switch (section) {
    case 0:
        return heading("IDS_1");
    case 1:
        return heading("IDS_2");
    case 2:
        return heading("IDS_3");
    case 3:
        return heading(secondLevel ? "IDS_5" : "IDS_4");
    case 4:
        return secondLevel ? heading("IDS_6") : QString();
    default:
        return QString();
    }
}

} // namespace ql708::graph
