// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/LeqCommands.h"

#include "app/DataLoggerCommands.h"
#include "app/MeterCommandsPause.h"
#include "app/TfrmMain.h"
#include "common/StringTable.h"
#include "leq/TfrmLEQ.h"
#include "widgets/MessageBoxes.h"

#include <QMdiArea>
#include <QPushButton>

namespace ql708 {

LeqCommands::LeqCommands(TfrmMain &main) : QObject(&main), m_main(main) {}

LeqCommands::~LeqCommands() = default;

leq::TfrmLEQ *LeqCommands::window() const { return m_window; }

QPushButton *LeqCommands::startButton() const { return m_window ? m_window->btnLEQ : nullptr; }

void LeqCommands::LEQ1Click()
{
    if (m_main.meter().meterRecording()) {
        showMessage(&m_main, ids(QStringLiteral("frmMain"), QStringLiteral("IDS_93")));
        return;
    }
    if (!m_window) {
        // The window opens without a meter; only Start needs one.
        m_window = new leq::TfrmLEQ(m_main.meter());
        m_main.mdiArea()->addSubWindow(m_window);
        connect(m_window, &leq::TfrmLEQ::runningChanged, this, &LeqCommands::runningChanged);
        connect(m_window, &leq::TfrmLEQ::saveRequested, this, [this] { m_main.dataLogger().Save1Click(m_window); });
        connect(m_window, &QObject::destroyed, this, [this] { m_pause.reset(); });
    }
    m_window->showNormal();
    m_main.mdiArea()->setActiveSubWindow(m_window);
    m_window->repaint();
}

void LeqCommands::runningChanged(bool running)
{
    if (!running)
        m_pause.reset();
    else if (!m_pause)
        m_pause = std::make_unique<MeterCommandsPause>(m_main);
}

} // namespace ql708
