// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MeterCommandsPause.h"

#include "app/TfrmMain.h"
#include "panel/TfrmPanel.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

namespace ql708 {

MeterCommandsPause::MeterCommandsPause(TfrmMain &main, std::initializer_list<QObject *> more)
{
    for (QObject *o : std::initializer_list<QObject *>{
             main.DataLogger1, main.btnDataLogger, main.Run1, main.Stop1, main.Setup1, main.EraseMemory1,
             main.ControlPanel1, main.panel(), main.mdiArea()->findChild<QMdiSubWindow *>(QStringLiteral("TfrmSetup"))})
        pause(o);
    for (QObject *o : more)
        pause(o);
}

void MeterCommandsPause::pause(QObject *o)
{
    if (!o)
        return;
    m_paused.append({o, o->property("enabled").toBool()});
    o->setProperty("enabled", false);
}

MeterCommandsPause::~MeterCommandsPause()
{
    for (const Paused &p : m_paused)
        if (p.object)
            p.object->setProperty("enabled", p.wasEnabled);
}

} // namespace ql708
