// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/TfrmDelAnno.h"

#include "widgets/LanguageDispatcher.h"
#include "graph/DialogButtons.h"
#include "graph/GraphTexts.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <set>

namespace ql708::graph {

namespace {
constexpr int kWidths[3] = {50, 120, 200};
} // namespace

TfrmDelAnno::TfrmDelAnno(const QStringList &header, const std::vector<AnnotationRow> &rows, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("TfrmDelAnno"));
    setWindowTitle(QStringLiteral("Erase Annotation"));
    // An empty list still shows one empty row, as a grid with nothing to offer.
    m_StringGrid1 = new QTableWidget(std::max<int>(int(rows.size()), 1), 3);
    m_StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    m_StringGrid1->setHorizontalHeaderLabels(header);
    m_StringGrid1->verticalHeader()->setVisible(false);
    m_StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_StringGrid1->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_StringGrid1->setWordWrap(false);
    for (size_t r = 0; r < rows.size(); ++r) {
        const int row = int(r);
        m_StringGrid1->setItem(row, 0, new QTableWidgetItem(QString::number(row + 1)));
        m_StringGrid1->setItem(row, 1, new QTableWidgetItem(dateTimeText(rows[r].x)));
        m_StringGrid1->setItem(row, 2, new QTableWidgetItem(rows[r].contents));
        m_slots.push_back(rows[r].slot);
    }
    // The time column widens where a date and time need more room to fit on one line.
    for (int c = 0; c < 3; ++c)
        m_StringGrid1->setColumnWidth(c, kWidths[c]);
    m_StringGrid1->resizeColumnToContents(1);
    m_StringGrid1->setColumnWidth(1, std::max(m_StringGrid1->columnWidth(1), kWidths[1]));
    m_StringGrid1->setMinimumWidth(kWidths[0] + m_StringGrid1->columnWidth(1) + kWidths[2] + 24);

    const DialogButtons buttons = dialogButtons(*this, QStringLiteral("Delete"), QStringLiteral("Cancel"));
    m_BitBtn1 = buttons.accept;
    m_BitBtn2 = buttons.reject;
    m_BitBtn1->setEnabled(!rows.empty());
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_StringGrid1);
    layout->addLayout(buttons.row);
    LanguageDispatcher::instance().attach(this, QStringLiteral("frmDelAnno"));
}

QList<int> TfrmDelAnno::selectedSlots() const
{
    std::set<int> chosen;
    for (const QTableWidgetSelectionRange &r : m_StringGrid1->selectedRanges())
        for (int row = r.topRow(); row <= r.bottomRow(); ++row)
            if (row >= 0 && size_t(row) < m_slots.size())
                chosen.insert(m_slots[size_t(row)]);
    return QList<int>(chosen.begin(), chosen.end());
}

} // namespace ql708::graph
