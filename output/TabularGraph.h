// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QMdiArea;

namespace ql708::graph {
class TfrmGraph;
class TfrmList;
} // namespace ql708::graph

namespace ql708::output {

// "Output Tabular to graph": the tabular view's rows as a chart in a new graph window captioned
// like the view, with a progress window. A table whose first row holds no date says there is no
// data to graph and opens no window; a first or last row whose time cannot be read is named in
// a message and leaves the new window empty. Rows between whose time cannot be read are left
// out of the line; a level that cannot be read leaves a gap. Returns the new window, if any.
graph::TfrmGraph *OutputTabularToGraph(graph::TfrmList &list, QMdiArea &area);

} // namespace ql708::output
