// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "output/ChartReport.h"

#include <QStringList>

#include <memory>

class QAbstractItemModel;
class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace ql708::data {
struct DataSetList;
}
namespace ql708::graph {
class TfrmGraph;
}

namespace ql708::output {

// The program's printer before the user chooses otherwise: high resolution, 10 mm margins.
std::unique_ptr<QPrinter> makePrinter();

// The header a graph window's chart prints with: its caption, what its statistic panels show
// and, in the DataLogger window, how the set shown was recorded.
ChartReport windowReport(graph::TfrmGraph &window);

// Prints a graph window's chart through the chart's own dialogs: its options request with every
// page disallowed, then its print dialog, which prints the chart under the window's header.
void printGraphWindow(graph::TfrmGraph &window, QPrinter &printer);

// Prints data set i as the DataLogger window prints it while it shows the set, its cursors where
// they start, without a window: the chart prepared as that window's, under the header. False
// when the printer could not be painted on.
bool printDataSet(QPagedPaintDevice &device, const QString &caption, const data::DataSetList &sets, int i);

// The table printout: the print dialog (PrintDialog1), then the lead lines and the model's
// heading and rows as lines of fixed-pitch text. False when cancelled or not printed (the
// user is told why).
bool printTable(QWidget *parent, QPrinter &printer, const QAbstractItemModel &model, const QStringList &lead = {});

} // namespace ql708::output
