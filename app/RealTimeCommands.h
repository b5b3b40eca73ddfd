// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "realtime/RealTimeRun.h"

#include <QObject>

namespace ql708 {

class TfrmMain;
namespace graph {
class TfrmGraph;
}

// The main window's real-time commands: Run with its setup dialog, Stop, each decoded level
// becoming a point of the real-time window, and Run, Stop and that window's Clear following
// the connection and the run.
class RealTimeCommands : public QObject {
    Q_OBJECT
public:
    explicit RealTimeCommands(TfrmMain &main);

    const realtime::RealTimeRun &run() const { return m_run; }

public slots:
    void btnRunClick();
    void btnStopClick();
    // A decoded status's shown level (tenths of a dB); a point when the sampling interval passed.
    void AppendRealTimePoint(quint16 shownLevel);
    // The connection changed, a run began or ended, or the window came or went: Run is on
    // while connected and idle, Stop while connected and running, Clear while idle.
    void showRunCommands();

private:
    // The window holds points of an earlier run: Yes saves them first, No lets them go,
    // Cancel keeps them. True when the new run may go on.
    bool mayReplacePoints(graph::TfrmGraph &w);
    struct Settings {
        int count;
        float rate;
    };
    // The setup dialog; nothing when cancelled or when a field holds no valid value.
    std::optional<Settings> askSettings(graph::TfrmGraph &w);
    void startRun(graph::TfrmGraph &w, const Settings &settings);
    void showPoint(graph::TfrmGraph &w, const realtime::RunPoint &p);

    TfrmMain &m_main;
    realtime::RealTimeRun m_run;
};

} // namespace ql708
