// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace ql708::data {
struct DataSetList;
}

namespace ql708::chart {
class PESGraph;
}

namespace ql708::graph {

class TfrmGraph;

// Set i on a chart, set up for it: one series over the set's time span, levels 30 to 130 dB.
void showDataSetChart(chart::PESGraph &chart, const data::DataSetList &sets, int i);

// The DataLogger window's data sets: its list (Grid2) shows one row per set of the program's
// data set list, and its chart and statistic fields one set at a time. The view lives as long
// as its window.
class DataLoggerView : public QObject {
    Q_OBJECT
public:
    DataLoggerView(TfrmGraph &window, data::DataSetList &sets);

    // The view of a DataLogger window.
    static DataLoggerView *of(TfrmGraph *window);

    // One row per set, the first selected.
    void fillDataSetList();
    // Shows set i in the chart and the statistic fields; an index outside the list shows nothing.
    void ShowDataSet(int i);
    // Asks for a new start of set i and shows the set from there.
    void ChangeStartTime(int i);
    // Stops WAV playback and undoes any zoom; a newly shown set starts unzoomed.
    void resetPlaybackAndZoom();
    int shownSet() const { return m_shown; }
    // The set of the top selected row, or -1 when the row holds none.
    int selectedSet() const;
    const data::DataSetList &sets() const { return m_sets; }

public slots:
    void Grid2Click();
    void ChangeDateTime1Click();

private:
    TfrmGraph &m_window;
    data::DataSetList &m_sets;
    int m_shown = -1;
};

} // namespace ql708::graph
