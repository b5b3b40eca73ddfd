// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/TfrmIndicators.h"

#include "common/NumberFormat.h"
#include "common/StringTable.h"
#include "graph/IndicatorTexts.h"
#include "graph/TfrmGraph.h"
#include "widgets/LanguageDispatcher.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ql708::graph {

namespace {

const QString kTable = QStringLiteral("frmIndicators");

template <typename T> T *named(T *w, const char *name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

QTableWidget *grid(const char *name, int columns)
{
    auto *g = named(new QTableWidget(0, columns), name);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->verticalHeader()->hide();
    g->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    for (int c = 0; c < columns; ++c)
        g->setHorizontalHeaderItem(c, new QTableWidgetItem);
    return g;
}

void setRow(QTableWidget *g, int row, const QStringList &cells)
{
    for (int c = 0; c < cells.size() && c < g->columnCount(); ++c) {
        QTableWidgetItem *item = g->item(row, c);
        if (!item)
            g->setItem(row, c, item = new QTableWidgetItem);
        item->setText(cells[c]);
    }
}

} // namespace

TfrmIndicators::TfrmIndicators(TfrmGraph *graph, QWidget *parent)
    : QWidget(parent, Qt::Window), m_graph(graph)
{
    setObjectName(kTable);
    createControls();
    LanguageDispatcher::instance().attach(this, kTable);
    connect(&LanguageDispatcher::instance(), &LanguageDispatcher::languageChanged, this, &TfrmIndicators::refresh);
    if (m_graph) {
        connect(m_graph, &TfrmGraph::seriesShown, this, &TfrmIndicators::refresh);
        connect(m_graph, &TfrmGraph::cursorSpanShown, this, &TfrmIndicators::showSpan);
        m_a = m_graph->cursors.cursorA;
        m_b = m_graph->cursors.cursorB;
    }
    refresh();
}

void TfrmIndicators::createControls()
{
    m_gridFigures = grid("gridFigures", 3);
    m_gridEvents = grid("gridEvents", 4);
    m_gridHours = grid("gridHours", 9);
    m_gridDays = grid("gridDays", 5);
    m_txtThreshold = named(new QLineEdit, "txtThreshold");
    m_lblThreshold = named(new QLabel, "lblThreshold");
    m_lblThreshold->setBuddy(m_txtThreshold);
    m_lblEvents = named(new QLabel, "lblEvents");
    m_lblMessage = named(new QLabel, "lblMessage");
    m_txtThreshold->setText(formatLevel(m_rules.threshold));
    connect(m_txtThreshold, &QLineEdit::editingFinished, this, &TfrmIndicators::txtThresholdEditingFinished);
    connect(m_gridEvents, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { eventActivated(row); });
    connect(m_gridHours, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { hourActivated(row); });
    connect(m_gridDays, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { dayActivated(row); });

    auto *events = named(new QWidget, "tabEvents");
    auto *ev = new QVBoxLayout(events);
    auto *threshold = new QHBoxLayout;
    threshold->addWidget(m_lblThreshold);
    threshold->addWidget(m_txtThreshold);
    threshold->addStretch();
    ev->addLayout(threshold);
    ev->addWidget(m_lblMessage);
    ev->addWidget(m_lblEvents);
    ev->addWidget(m_gridEvents);
    m_tabs = named(new QTabWidget, "tabs");
    m_tabs->addTab(m_gridFigures, QString());
    m_tabs->addTab(events, QString());
    m_tabs->addTab(m_gridHours, QString());
    m_tabs->addTab(m_gridDays, QString());
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    resize(640, 560);
}

void TfrmIndicators::refresh()
{
    const StringTable &t = StringTable::of(kTable);
    for (int i = 0; i < m_tabs->count(); ++i)
        m_tabs->setTabText(i, t.text(QStringLiteral("IDS_Tab%1").arg(i + 1)));
    showSpan(m_a, m_b);
    showEvents();
    showPeriods();
}

void TfrmIndicators::showSpan(int a, int b)
{
    m_a = a;
    m_b = b;
    if (!m_graph)
        return;
    const analysis::SpanIndex &index = m_graph->seriesIndex();
    const std::vector<IndicatorRow> rows = indicatorRows(index.whole(), index.figures(a, b));
    m_gridFigures->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r)
        setRow(m_gridFigures, r, {rows[size_t(r)].label, rows[size_t(r)].whole, rows[size_t(r)].span});
}

void TfrmIndicators::showEvents()
{
    m_events = m_graph ? analysis::findEvents(m_graph->seriesIndex().series(), m_rules) : analysis::EventList{};
    m_lblEvents->setText(eventSummary(m_events, m_rules.threshold));
    m_gridEvents->setRowCount(int(m_events.events.size()));
    for (int r = 0; r < int(m_events.events.size()); ++r)
        setRow(m_gridEvents, r, eventCells(m_events.events[size_t(r)]));
}

void TfrmIndicators::showPeriods()
{
    m_periods = m_graph ? analysis::periodTables(m_graph->seriesIndex()) : std::nullopt;
    const int hours = m_periods ? int(m_periods->hours.size()) : 0;
    const int days = m_periods ? int(m_periods->days.size()) : 0;
    m_gridHours->setRowCount(hours);
    for (int r = 0; r < hours; ++r)
        setRow(m_gridHours, r, hourCells(m_periods->hours[size_t(r)]));
    m_gridDays->setRowCount(days);
    for (int r = 0; r < days; ++r)
        setRow(m_gridDays, r, dayCells(m_periods->days[size_t(r)]));
}

void TfrmIndicators::txtThresholdEditingFinished()
{
    double v = 0.0;
    if (!parseDecimal(m_txtThreshold->text(), v) || v < 0.0 || v > 200.0) {
        m_lblMessage->setText(ids(kTable, QStringLiteral("IDS_BadThreshold")));
        return;
    }
    m_lblMessage->clear();
    m_rules.threshold = float(v);
    showEvents();
}

void TfrmIndicators::eventActivated(int row)
{
    if (m_graph && row >= 0 && row < int(m_events.events.size()))
        m_graph->placeCursors(m_events.events[size_t(row)].first, m_events.events[size_t(row)].last);
}

void TfrmIndicators::hourActivated(int row)
{
    if (!m_graph || !m_periods || row < 0 || row >= int(m_periods->hours.size()))
        return;
    if (const auto &f = m_periods->hours[size_t(row)].figures)
        m_graph->placeCursors(f->first, f->last);
}

void TfrmIndicators::dayActivated(int row)
{
    if (!m_graph || !m_periods || row < 0 || row >= int(m_periods->days.size()))
        return;
    const analysis::DayFigures &d = m_periods->days[size_t(row)];
    int first = -1, last = -1;
    for (const analysis::PeriodFigures *p : {&d.day, &d.evening, &d.night}) {
        if (!p->figures)
            continue;
        first = first < 0 ? p->figures->first : std::min(first, p->figures->first);
        last = std::max(last, p->figures->last);
    }
    if (first >= 0)
        m_graph->placeCursors(first, last);
}

} // namespace ql708::graph
