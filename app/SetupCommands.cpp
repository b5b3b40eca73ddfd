// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SetupCommands.h"

#include "app/TfrmMain.h"
#include "common/StringTable.h"
#include "meter/LoggerSetup.h"
#include "meter/TfrmSetup.h"
#include "panel/TfrmPanel.h"
#include "widgets/BusyCursor.h"
#include "widgets/MessageBoxes.h"

#include <QMdiArea>

namespace ql708 {

namespace {
const QString kTable = QStringLiteral("frmMain");
} // namespace

SetupCommands::SetupCommands(TfrmMain &main) : QObject(&main), m_main(main) {}

TfrmSetup *SetupCommands::setupWindow() const { return m_setup; }

void SetupCommands::EraseMemory1Click()
{
    MeterLink &meter = m_main.meter();
    // The flag is refreshed only while the front panel shows the status.
    m_main.readStatusNow();
    if (meter.meterRecording()) {
        showMessage(&m_main, ids(kTable, QStringLiteral("IDS_79")));
        return;
    }
    if (confirm(&m_main, ids(kTable, QStringLiteral("IDS_315")), QMessageBox::Yes | QMessageBox::No) !=
        QMessageBox::Yes)
        return;
    int code = 0;
    {
        const BusyCursor busy;
        code = LoggerSetup(meter).eraseMemory();
    }
    const QString text = code == setup_result::kOk ? ids(kTable, QStringLiteral("IDS_84")) : eraseMessage(code);
    if (!text.isEmpty())
        showMessage(&m_main, text);
}

void SetupCommands::Setup1Click()
{
    if (m_setup) {
        m_setup->showNormal();
        m_main.mdiArea()->setActiveSubWindow(m_setup);
        return;
    }
    m_setup = new TfrmSetup(m_main.meter());
    m_main.mdiArea()->addSubWindow(m_setup);
    // Beside the front panel, where it hides the least.
    m_setup->move(m_main.panel() ? m_main.panel()->width() : 0, 0);
    m_setup->show();
    m_main.mdiArea()->setActiveSubWindow(m_setup);
}

} // namespace ql708
