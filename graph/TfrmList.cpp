// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/TfrmList.h"

#include "graph/TextTableModel.h"
#include "widgets/LanguageDispatcher.h"

#include <QHeaderView>
#include <QStyle>
#include <QTableView>

#include <algorithm>

namespace ql708::graph {

namespace {
constexpr int kClientWidth = 387, kClientHeight = 413;
constexpr int kRowHeight = 18;
constexpr int kSampledRows = 200; // rows a column's width is fitted to
} // namespace

TfrmList::TfrmList(QWidget *parent) : QMdiSubWindow(parent)
{
    setObjectName(QStringLiteral("TfrmList"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_model = new TextTableModel(this);
    m_Grid1 = new QTableView;
    m_Grid1->setObjectName(QStringLiteral("Grid1"));
    m_Grid1->setModel(m_model);
    m_Grid1->setShowGrid(true);
    m_Grid1->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_Grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_Grid1->setWordWrap(false);
    m_Grid1->verticalHeader()->setVisible(false);
    m_Grid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_Grid1->verticalHeader()->setDefaultSectionSize(std::max(kRowHeight, m_Grid1->fontMetrics().height() + 2));
    m_Grid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_Grid1->horizontalHeader()->setResizeContentsPrecision(kSampledRows);
    setWidget(m_Grid1);
    const int frame = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, this);
    const int title = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    resize(kClientWidth + 2 * frame, kClientHeight + title + frame);

    connect(this, &QMdiSubWindow::windowStateChanged, this, [this](Qt::WindowStates was, Qt::WindowStates now) {
        if (now.testFlag(Qt::WindowActive) && !was.testFlag(Qt::WindowActive))
            FormActivate();
    });
    LanguageDispatcher::instance().attach(this, QStringLiteral("frmList"));
    connect(&LanguageDispatcher::instance(), &LanguageDispatcher::languageChanged, m_model,
            &TextTableModel::retranslate);
}

void TfrmList::setTable(data::TextTable table)
{
    m_model->setTable(std::move(table));
    m_Grid1->resizeColumnsToContents();
}

const data::TextTable &TfrmList::table() const { return m_model->table(); }

void TfrmList::FormActivate() { emit activated(); }

} // namespace ql708::graph
