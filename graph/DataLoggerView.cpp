// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/DataLoggerView.h"

#include "chart/PESGraph.h"
#include "common/Clock.h"
#include "common/NumberFormat.h"
#include "data/DataSetList.h"
#include "data/DataSetText.h"
#include "graph/ChartSetup.h"
#include "graph/GraphTexts.h"
#include "graph/TfrmDateTime.h"
#include "graph/TfrmGraph.h"
#include "widgets/ModalRunner.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QGuiApplication>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTimeEdit>

#include <exception>

namespace ql708::graph {

namespace {

enum Column { SetColumn, DateColumn, TimeColumn, RateColumn, NumsColumn, WeightingColumn, ResponseColumn,
              LevelColumn, WaveColumn, ColumnCount };

constexpr float kLevelTop = 130.0f, kLevelBottom = 30.0f;

void setCell(QTableWidget *grid, int row, int column, const QString &text)
{
    if (QTableWidgetItem *item = grid->item(row, column))
        item->setText(text);
    else
        grid->setItem(row, column, new QTableWidgetItem(text));
}

// A chart that cannot redraw keeps its old picture; the window goes on working.
template <typename F>
void quietly(F &&f)
{
    try {
        f();
    } catch (const std::exception &) {
    }
}

} // namespace

void showDataSetChart(chart::PESGraph &chart, const data::DataSetList &sets, int i)
{
    const std::size_t offset = sets.offsetOf(i);
    const int count = sets.pointCounts[size_t(i)];
    const TDateTime start = sets.startTimes[size_t(i)];
    SetUpChart(chart, 1, kLevelTop, kLevelBottom, data::pointTime(start, sets.rates[size_t(i)], std::size_t(count)), start, count);
    // The set is one contiguous run of the list's points.
    chart.setXDataII(0, sets.times.data() + offset, count);
    chart.setYData(0, sets.levels.data() + offset, count);
}

DataLoggerView::DataLoggerView(TfrmGraph &window, data::DataSetList &sets)
    : QObject(&window), m_window(window), m_sets(sets)
{
    setObjectName(QStringLiteral("DataLoggerView"));
    m_window.pnlDataSets()->setVisible(true);
    m_window.ChangeDateTime1()->setEnabled(true);
    QTableWidget *grid = m_window.Grid2();
    grid->setWordWrap(false);
    connect(grid, &QTableWidget::cellClicked, this, &DataLoggerView::Grid2Click);
    // Keys move the selection too; a mouse press is left to the click it becomes.
    connect(grid, &QTableWidget::currentCellChanged, this, [this](int row, int, int previousRow, int) {
        if (row != previousRow && QGuiApplication::mouseButtons() == Qt::NoButton)
            Grid2Click();
    });
    connect(m_window.ChangeDateTime1(), &QAction::triggered, this, &DataLoggerView::ChangeDateTime1Click);
}

DataLoggerView *DataLoggerView::of(TfrmGraph *window)
{
    return window ? window->findChild<DataLoggerView *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

void DataLoggerView::fillDataSetList()
{
    QTableWidget *grid = m_window.Grid2();
    const QSignalBlocker block(grid);
    grid->setUpdatesEnabled(false);
    grid->clearContents();
    grid->setRowCount(std::max(m_sets.count(), 1));
    for (int c = 0; c < ColumnCount; ++c)
        setCell(grid, 0, c, QString());
    for (int i = 0; i < m_sets.count(); ++i) {
        const std::uint8_t flags = m_sets.modeFlags[i];
        const QString cells[ColumnCount] = {
            QString::number(i + 1),           dateText(m_sets.startTimes[i]),
            data::clockText(m_sets.startTimes[i]), data::rateText(m_sets.rates[i]),
            QString::number(m_sets.pointCounts[i]), data::weightingText(flags),
            data::responseText(flags),        data::rangeText(flags),
            m_sets.waveNames[i]};
        for (int c = 0; c < ColumnCount; ++c)
            setCell(grid, i, c, cells[c]);
    }
    grid->setCurrentCell(0, 0);
    grid->selectRow(0);
    // The texts decide the widths: the program's font is not the one the list was laid out for.
    if (!m_sets.isEmpty())
        grid->resizeColumnsToContents();
    grid->setUpdatesEnabled(true);
    m_shown = -1;
}

void DataLoggerView::ShowDataSet(int i)
{
    if (i < 0 || i >= m_sets.count())
        return;
    // A recording playing belongs to the times shown so far.
    m_window.stopPlayback();
    m_shown = i;
    chart::PESGraph &chart = *m_window.PESGraph1();
    showDataSetChart(chart, m_sets, i);

    // Each reading stands for the set's recording interval.
    const analysis::LevelSeries series = data::levelSeries(m_sets, i);
    SeriesTraits traits = m_window.seriesTraits();
    traits.knownInterval = series.intervalSeconds;
    traits.aWeighted = series.aWeighted;
    m_window.setSeriesTraits(traits);
    StatisticTexts texts;
    setDataSetTexts(texts, m_sets, i);
    m_window.showSeriesTexts(texts);
    quietly([&] {
        chart.PEactions(chart::sgResetImage, 0, 0);
        chart.PEactions(chart::sgInvalidateImage);
    });
    // Every caller starts the cursors again on the set shown.
    m_window.ResetCursors();
}

void DataLoggerView::resetPlaybackAndZoom()
{
    m_window.stopPlayback();
    quietly([&] {
        m_window.PESGraph1()->PEactions(chart::sgUndoZoom);
        m_window.PESGraph1()->PEactions(chart::sgResetImage, 0, 0);
    });
    m_window.UndoZoom()->setEnabled(false);
}

int DataLoggerView::selectedSet() const
{
    const QTableWidget *grid = m_window.Grid2();
    const QList<QTableWidgetSelectionRange> ranges = grid->selectedRanges();
    const int row = ranges.isEmpty() ? grid->currentRow() : ranges.first().topRow();
    const QTableWidgetItem *date = grid->item(row, DateColumn);
    return date && !date->text().isEmpty() ? row : -1;
}

void DataLoggerView::Grid2Click()
{
    const int i = selectedSet();
    if (i < 0)
        return;
    ShowDataSet(i);
    resetPlaybackAndZoom();
}

void DataLoggerView::ChangeDateTime1Click()
{
    const int i = selectedSet();
    if (i >= 0)
        ChangeStartTime(i);
}

void DataLoggerView::ChangeStartTime(int i)
{
    TfrmDateTime dialog(&m_window);
    const QDateTime now = clock().now();
    dialog.DatePicker()->setDate(now.date());
    dialog.TimePicker()->setTime(now.time());
    if (runModal(dialog) != QDialog::Accepted || i >= m_sets.count())
        return;
    const QTime t = dialog.TimePicker()->time();
    const TDateTime start = toTDateTime(QDateTime(dialog.DatePicker()->date(), QTime(t.hour(), t.minute(), t.second()), Qt::UTC));
    m_sets.changeStartTime(i, start);
    setCell(m_window.Grid2(), i, DateColumn, dateText(start));
    setCell(m_window.Grid2(), i, TimeColumn, data::clockText(start));
    ShowDataSet(i);
}

} // namespace ql708::graph
