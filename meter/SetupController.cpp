// SPDX-License-Identifier: GPL-3.0-or-later
#include "meter/SetupController.h"

#include "common/StringTable.h"
#include "meter/LoggerSetup.h"
#include "meter/TfrmSetup.h"
#include "widgets/BusyCursor.h"
#include "widgets/MessageBoxes.h"

#include <QMdiArea>

namespace ql708 {

namespace {
// Its messages are the main window's: the commands are on its menu.
const QString kTable = QStringLiteral("frmMain");
} // namespace

SetupController::SetupController(MeterLink &meter, QMdiArea &area, QWidget *dialogParent,
                                 std::function<void()> readStatusNow, std::function<int()> left)
    : QObject(&area), m_meter(meter), m_area(area), m_dialogParent(dialogParent),
      m_readStatusNow(std::move(readStatusNow)), m_left(std::move(left))
{
}

TfrmSetup *SetupController::setupWindow() const { return m_setup; }

void SetupController::EraseMemory1Click()
{
    // The flag is refreshed only while the front panel shows the status.
    m_readStatusNow();
    if (m_meter.meterRecording()) {
        showMessage(m_dialogParent, ids(kTable, QStringLiteral("IDS_79")));
        return;
    }
    if (confirm(m_dialogParent, ids(kTable, QStringLiteral("IDS_315")), QMessageBox::Yes | QMessageBox::No) !=
        QMessageBox::Yes)
        return;
    int code = 0;
    {
        const BusyCursor busy;
        code = LoggerSetup(m_meter).eraseMemory();
    }
    const QString text = code == setup_result::kOk ? ids(kTable, QStringLiteral("IDS_84")) : eraseMessage(code);
    if (!text.isEmpty())
        showMessage(m_dialogParent, text);
}

void SetupController::Setup1Click()
{
    if (m_setup) {
        m_setup->showNormal();
        m_area.setActiveSubWindow(m_setup);
        return;
    }
    m_setup = new TfrmSetup(m_meter);
    m_area.addSubWindow(m_setup);
    // Beside the front panel, where it hides the least.
    m_setup->move(m_left(), 0);
    m_setup->show();
    m_area.setActiveSubWindow(m_setup);
}

} // namespace ql708
