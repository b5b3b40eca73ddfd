// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/NoiseEvents.h"
#include "analysis/Periods.h"
#include "graph/IndicatorSettings.h"

#include <QPointer>
#include <QWidget>

#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QTableWidget;
class QTabWidget;

namespace ql708::graph {

class TfrmGraph;

// A graph's acoustic indicators: the whole series beside the span between the cursors (which
// follows a dragged cursor), the events at or above a threshold, the clock hours and the days'
// Lden. Double-clicking an event, an hour or a day puts the graph's cursors around it. The
// threshold, minimum event duration, limit (with its line on the chart) and period bounds are
// edited here and remembered.
class TfrmIndicators : public QWidget {
    Q_OBJECT
public:
    // graph may be null (the window then shows nothing); the window follows it while both live.
    explicit TfrmIndicators(TfrmGraph *graph = nullptr, QWidget *parent = nullptr);

    QTableWidget *gridFigures() const { return m_gridFigures; }
    QTableWidget *gridEvents() const { return m_gridEvents; }
    QTableWidget *gridHours() const { return m_gridHours; }
    QTableWidget *gridDays() const { return m_gridDays; }
    QLineEdit *txtThreshold() const { return m_txtThreshold; }
    QLineEdit *txtMinDuration() const { return m_txtMinDuration; }
    QLineEdit *txtLimit() const { return m_txtLimit; }
    QCheckBox *chkLimitLine() const { return m_chkLimitLine; }
    QLineEdit *txtDayStart() const { return m_txtDayStart; }
    QLineEdit *txtEveningStart() const { return m_txtEveningStart; }
    QLineEdit *txtNightStart() const { return m_txtNightStart; }
    const IndicatorSettings &settings() const { return m_settings; }
    QLabel *lblEvents() const { return m_lblEvents; }
    QLabel *lblMessage() const { return m_lblMessage; }

public slots:
    // The series changed: every figure again.
    void refresh();
    // The cursors are on points a and b: the right column again.
    void showSpan(int a, int b);
    // The values typed are taken, and remembered, when every one is valid; else the message
    // says what is wrong and the last valid ones stay.
    void settingsEdited();

private:
    void createControls();
    QWidget *createSettingsTab();
    void showSettings();
    void applySettings();
    void showEvents();
    void showPeriods();
    void eventActivated(int row);
    void hourActivated(int row);
    void dayActivated(int row);

    QPointer<TfrmGraph> m_graph;
    IndicatorSettings m_settings;
    analysis::EventList m_events;
    std::optional<analysis::PeriodTables> m_periods;
    int m_a = 0, m_b = 0;
    QTabWidget *m_tabs;
    QTableWidget *m_gridFigures, *m_gridEvents, *m_gridHours, *m_gridDays;
    QLineEdit *m_txtThreshold, *m_txtMinDuration, *m_txtLimit, *m_txtDayStart, *m_txtEveningStart, *m_txtNightStart;
    QCheckBox *m_chkLimitLine;
    QLabel *m_lblEvents, *m_lblMessage;
};

} // namespace ql708::graph
