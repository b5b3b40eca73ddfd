// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/TfrmIndicators.h"

#include "common/NumberFormat.h"
#include "common/StringTable.h"
#include "graph/IndicatorTexts.h"
#include "graph/TfrmGraph.h"
#include "widgets/LanguageDispatcher.h"

#include "chart/PESGraph.h"

#include <QCheckBox>
#include <QFormLayout>
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
    : QWidget(parent, Qt::Window), m_graph(graph), m_settings(readIndicatorSettings())
{
    setObjectName(kTable);
    createControls();
    showSettings();
    LanguageDispatcher::instance().attach(this, kTable);
    connect(&LanguageDispatcher::instance(), &LanguageDispatcher::languageChanged, this, &TfrmIndicators::refresh);
    if (m_graph) {
        connect(m_graph, &TfrmGraph::seriesShown, this, &TfrmIndicators::refresh);
        connect(m_graph, &TfrmGraph::cursorSpanShown, this, &TfrmIndicators::showSpan);
        m_a = m_graph->cursors.cursorA;
        m_b = m_graph->cursors.cursorB;
    }
    applySettings();
}

void TfrmIndicators::createControls()
{
    m_gridFigures = grid("gridFigures", 3);
    m_gridEvents = grid("gridEvents", 4);
    m_gridHours = grid("gridHours", 9);
    m_gridDays = grid("gridDays", 5);
    m_lblEvents = named(new QLabel, "lblEvents");
    m_lblMessage = named(new QLabel, "lblMessage");
    m_lblMessage->setWordWrap(true);
    connect(m_gridEvents, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { eventActivated(row); });
    connect(m_gridHours, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { hourActivated(row); });
    connect(m_gridDays, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { dayActivated(row); });

    auto *events = named(new QWidget, "tabEvents");
    auto *ev = new QVBoxLayout(events);
    ev->addWidget(m_lblEvents);
    ev->addWidget(m_gridEvents);
    m_tabs = named(new QTabWidget, "tabs");
    m_tabs->addTab(m_gridFigures, QString());
    m_tabs->addTab(events, QString());
    m_tabs->addTab(m_gridHours, QString());
    m_tabs->addTab(m_gridDays, QString());
    m_tabs->addTab(createSettingsTab(), QString());
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(m_lblMessage);
    resize(640, 560);
}

QWidget *TfrmIndicators::createSettingsTab()
{
    auto *tab = named(new QWidget, "tabSettings");
    auto *form = new QFormLayout(tab);
    const auto edit = [this, form](QLineEdit *&field, const char *name, const char *label) {
        field = named(new QLineEdit, name);
        auto *l = named(new QLabel, label);
        l->setBuddy(field);
        form->addRow(l, field);
        connect(field, &QLineEdit::editingFinished, this, &TfrmIndicators::settingsEdited);
    };
    edit(m_txtThreshold, "txtThreshold", "lblThreshold");
    edit(m_txtMinDuration, "txtMinDuration", "lblMinDuration");
    edit(m_txtLimit, "txtLimit", "lblLimit");
    m_chkLimitLine = named(new QCheckBox, "chkLimitLine");
    form->addRow(m_chkLimitLine);
    connect(m_chkLimitLine, &QCheckBox::toggled, this, &TfrmIndicators::settingsEdited);
    edit(m_txtDayStart, "txtDayStart", "lblDayStart");
    edit(m_txtEveningStart, "txtEveningStart", "lblEveningStart");
    edit(m_txtNightStart, "txtNightStart", "lblNightStart");
    return tab;
}

void TfrmIndicators::showSettings()
{
    const QLocale locale;
    m_txtThreshold->setText(formatLevel(m_settings.events.threshold, locale));
    m_txtMinDuration->setText(locale.toString(m_settings.events.minimumSeconds));
    m_txtLimit->setText(formatLevel(m_settings.limit, locale));
    m_chkLimitLine->setChecked(m_settings.limitLine);
    m_txtDayStart->setText(QString::number(m_settings.bounds.dayStart));
    m_txtEveningStart->setText(QString::number(m_settings.bounds.eveningStart));
    m_txtNightStart->setText(QString::number(m_settings.bounds.nightStart));
}

void TfrmIndicators::settingsEdited()
{
    IndicatorSettings s = m_settings;
    double threshold = 0, minimum = 0, limit = 0;
    long long day = 0, evening = 0, night = 0;
    const bool levels = parseDecimal(m_txtThreshold->text(), threshold) && parseDecimal(m_txtLimit->text(), limit) &&
                        isIndicatorLevel(threshold) && isIndicatorLevel(limit);
    const bool duration = parseDecimal(m_txtMinDuration->text(), minimum) && isEventDuration(minimum);
    const bool hours = parseWhole(m_txtDayStart->text(), day) && parseWhole(m_txtEveningStart->text(), evening) &&
                       parseWhole(m_txtNightStart->text(), night) && std::abs(day) < 100 && std::abs(evening) < 100 &&
                       std::abs(night) < 100;
    s.bounds = {int(day), int(evening), int(night)};
    const char *fault = !levels ? "IDS_31" : !duration ? "IDS_32"
                        : !hours || !analysis::isValid(s.bounds) ? "IDS_33" : nullptr;
    if (fault) {
        m_lblMessage->setText(ids(kTable, QLatin1String(fault)));
        return;
    }
    m_lblMessage->clear();
    s.events = {float(threshold), minimum};
    s.limit = float(limit);
    s.limitLine = m_chkLimitLine->isChecked();
    if (s == m_settings)
        return;
    m_settings = s;
    writeIndicatorSettings(m_settings);
    applySettings();
}

// The graph's index counts the time at or above the limit: a new limit builds it again.
void TfrmIndicators::applySettings()
{
    if (m_graph) {
        SeriesTraits traits = m_graph->seriesTraits();
        traits.limit = m_settings.limit;
        m_graph->PESGraph1()->setLimitLine(m_settings.limitLine ? std::optional<double>(m_settings.limit) : std::nullopt);
        if (!(traits == m_graph->seriesTraits())) {
            m_graph->setSeriesTraits(traits); // refreshes through seriesShown
            return;
        }
    }
    refresh();
}

void TfrmIndicators::refresh()
{
    const StringTable &t = StringTable::of(kTable);
    for (int i = 0; i < m_tabs->count(); ++i) // IDS_1 to IDS_5: the tabs' titles
        m_tabs->setTabText(i, t.text(QStringLiteral("IDS_%1").arg(i + 1)));
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
    m_events = m_graph ? analysis::findEvents(m_graph->seriesIndex().series(), m_settings.events) : analysis::EventList{};
    m_lblEvents->setText(eventSummary(m_events, m_settings.events.threshold));
    m_gridEvents->setRowCount(int(m_events.events.size()));
    for (int r = 0; r < int(m_events.events.size()); ++r)
        setRow(m_gridEvents, r, eventCells(m_events.events[size_t(r)]));
}

void TfrmIndicators::showPeriods()
{
    m_periods = m_graph ? analysis::periodTables(m_graph->seriesIndex(), m_settings.bounds) : std::nullopt;
    const int hours = m_periods ? int(m_periods->hours.size()) : 0;
    const int days = m_periods ? int(m_periods->days.size()) : 0;
    m_gridHours->setRowCount(hours);
    for (int r = 0; r < hours; ++r)
        setRow(m_gridHours, r, hourCells(m_periods->hours[size_t(r)]));
    m_gridDays->setRowCount(days);
    for (int r = 0; r < days; ++r)
        setRow(m_gridDays, r, dayCells(m_periods->days[size_t(r)]));
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
