// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class QMdiArea;
class QPushButton;
class QWidget;

namespace ql708 {
class CommandsPause;
class MeterLink;
} // namespace ql708

namespace ql708::leq {

class TfrmLEQ;

// The LEQ command: the one LEQ window, and the pause of the other meter commands while its
// run holds the link.
class LeqController : public QObject {
    Q_OBJECT
public:
    // The commands that wait while a run holds the link, as they are at its start.
    using MeterCommands = std::function<QList<QObject *>()>;
    // Messages open over dialogParent; the window opens in area.
    LeqController(MeterLink &meter, QMdiArea &area, QWidget *dialogParent, MeterCommands meterCommands);
    ~LeqController() override;

    // The LEQ window, or nullptr while none is open.
    TfrmLEQ *window() const;
    // Its Start button, or nullptr: a download holds it back like the other meter commands.
    QPushButton *startButton() const;

signals:
    // The window's Save: its table is to be written as a table text file.
    void saveRequested(ql708::leq::TfrmLEQ *window);

public slots:
    void LEQ1Click();

private:
    void runningChanged(bool running);

    MeterLink &m_meter;
    QMdiArea &m_area;
    QWidget *m_dialogParent;
    MeterCommands m_meterCommands;
    QPointer<TfrmLEQ> m_window;
    std::unique_ptr<CommandsPause> m_pause;
};

} // namespace ql708::leq
