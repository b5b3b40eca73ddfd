// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>

#include <memory>

class QPushButton;

namespace ql708 {

class MeterCommandsPause;
class TfrmMain;
namespace leq {
class TfrmLEQ;
}

// The main window's LEQ command: the one LEQ window, and the pause of the other meter
// commands while its run holds the link.
class LeqCommands : public QObject {
    Q_OBJECT
public:
    explicit LeqCommands(TfrmMain &main);
    ~LeqCommands() override;

    // The LEQ window, or nullptr while none is open.
    leq::TfrmLEQ *window() const;
    // Its Start button, or nullptr: a download holds it back like the other meter commands.
    QPushButton *startButton() const;

public slots:
    void LEQ1Click();

private:
    void runningChanged(bool running);

    TfrmMain &m_main;
    QPointer<leq::TfrmLEQ> m_window;
    std::unique_ptr<MeterCommandsPause> m_pause;
};

} // namespace ql708
