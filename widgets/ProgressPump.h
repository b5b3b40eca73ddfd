// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QPointer>

#include <functional>

namespace ql708 {

class TfrmScope;

// Keeps a long command's progress window alive without slowing the command: at most every
// 50 ms it shows the progress, lets the windows repaint and lets the Cancel button be pressed.
// Processing events after every line would cost many times the work itself.
class ProgressPump {
public:
    static constexpr int kIntervalMs = 50;

    explicit ProgressPump(TfrmScope &scope);

    // What the window shows for a count of work done: by default the bar's position.
    std::function<void(qint64 done)> show;

    // Call as often as convenient; false once the user pressed Cancel (or the window is gone).
    bool step(qint64 done);

private:
    QPointer<TfrmScope> m_scope;
    QElapsedTimer m_clock;
};

} // namespace ql708
