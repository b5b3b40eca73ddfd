// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

namespace ql708::graph {

class TfrmGraph;

// The graph windows the program keeps track of, and what a graph window asks of the main
// window. One object for the whole program: the main window connects its signals once, and
// every graph window, whoever creates it, reaches the main window through them.
class GraphWindows : public QObject {
    Q_OBJECT
public:
    static GraphWindows &instance();

    QPointer<TfrmGraph> realTime;   // the window captioned "Real-Time Graph", at most one
    QPointer<TfrmGraph> dataLogger; // the window captioned "DataLogger", at most one
    QPointer<TfrmGraph> calLeq;     // the latest window captioned "LEQ"

    // A close question was answered Yes: the main window's Save command for the window that
    // asked, run now; true when the window's data were written. Without it nothing is saved.
    std::function<bool(TfrmGraph *)> saveWindow;

signals:
    // A graph window became the active window (the main window disables btnOutputToGraph).
    void graphActivated(ql708::graph::TfrmGraph *window);
    // The real-time graph window closed: uncheck its menu item, set Run and Stop.
    void realTimeWindowClosed();

private:
    GraphWindows();
};

} // namespace ql708::graph
