// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/TabularGraph.h"

#include "chart/PESGraph.h"
#include "common/StringTable.h"
#include "graph/ChartSetup.h"
#include "graph/TfrmGraph.h"
#include "graph/TfrmList.h"
#include "output/TableToGraph.h"
#include "widgets/MessageBoxes.h"
#include "widgets/ProgressPump.h"
#include "widgets/TfrmScope.h"

#include <QLabel>
#include <QMdiArea>
#include <QPointer>

#include <vector>

namespace ql708::output {

namespace {

constexpr float kLevelTop = 130, kLevelBottom = 30;
constexpr int kRowsPerStep = 8192;

QString text(const char *key) { return ids(QStringLiteral("frmMain"), QString::fromLatin1(key)); }

} // namespace

graph::TfrmGraph *OutputTabularToGraph(graph::TfrmList &list, QMdiArea &area)
{
    const TableToGraph rows(list.table());
    if (rows.isEmpty()) {
        showMessage(&list, text("IDS_97"));
        return nullptr;
    }
    const int n = rows.rowCount();
    graph::TfrmGraph *w = graph::TfrmGraph::create(&area, list.windowTitle());
    const std::optional<TDateTime> start = rows.rowTime(0), end = rows.rowTime(n - 1);
    if (!start || !end) {
        showMessage(w, QLatin1Char('\'') + rows.rowTimeText(start ? n - 1 : 0) + QLatin1Char('\'') + text("IDS_12"));
        return w;
    }
    graph::PrepareChart(*w->PESGraph1(), 1, kLevelTop, kLevelBottom, *end, *start, n);

    std::vector<double> x(size_t(n), 0.0);
    std::vector<float> y(size_t(n), 0.0f);
    const QPointer<graph::TfrmList> alive(&list);
    int done = 0;
    {
        TfrmScope scope(w);
        scope.useForProgress(text("IDS_67"), n);
        scope.SText1()->setText(text("IDS_68"));
        scope.SText1()->show();
        scope.showProgress();
        ProgressPump pump(scope);
        // The table is the view's: if the view is closed meanwhile, the rows read so far are shown.
        while (done < n && alive) {
            const int to = std::min(n, done + kRowsPerStep);
            rows.readRows(done, to, x.data(), y.data());
            done = to;
            pump.step(done);
        }
    }
    w->showNormal();
    area.setActiveSubWindow(w); // back from the progress window
    w->showSeries(x.data(), y.data(), done, kLevelTop, kLevelBottom);
    w->PESGraph1()->PEactions(chart::sgReinitAndReset);
    return w;
}

} // namespace ql708::output
