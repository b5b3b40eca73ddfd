// SPDX-License-Identifier: GPL-3.0-or-later
#include "leq/LeqController.h"

#include "common/StringTable.h"
#include "leq/TfrmLEQ.h"
#include "meter/MeterLink.h"
#include "widgets/CommandsPause.h"
#include "widgets/MessageBoxes.h"

#include <QMdiArea>
#include <QPushButton>

namespace ql708::leq {

LeqController::LeqController(MeterLink &meter, QMdiArea &area, QWidget *dialogParent, MeterCommands meterCommands)
    : QObject(&area), m_meter(meter), m_area(area), m_dialogParent(dialogParent),
      m_meterCommands(std::move(meterCommands))
{
}

LeqController::~LeqController() = default;

TfrmLEQ *LeqController::window() const { return m_window; }

QPushButton *LeqController::startButton() const { return m_window ? m_window->btnLEQ() : nullptr; }

void LeqController::LEQ1Click()
{
    if (m_meter.meterRecording()) {
        showMessage(m_dialogParent, ids(QStringLiteral("frmMain"), QStringLiteral("IDS_93")));
        return;
    }
    if (!m_window) {
        // The window opens without a meter; only Start needs one.
        m_window = new TfrmLEQ(m_meter);
        m_area.addSubWindow(m_window);
        connect(m_window, &TfrmLEQ::runningChanged, this, &LeqController::runningChanged);
        connect(m_window, &TfrmLEQ::saveRequested, this, [this] { emit saveRequested(m_window); });
        connect(m_window, &QObject::destroyed, this, [this] { m_pause.reset(); });
    }
    m_window->showNormal();
    m_area.setActiveSubWindow(m_window);
    m_window->repaint();
}

void LeqController::runningChanged(bool running)
{
    if (!running)
        m_pause.reset();
    else if (!m_pause)
        m_pause = std::make_unique<CommandsPause>(m_meterCommands());
}

} // namespace ql708::leq
