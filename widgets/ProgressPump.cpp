// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/ProgressPump.h"

#include "widgets/TfrmScope.h"

#include <QCoreApplication>
#include <QProgressBar>

namespace ql708 {

ProgressPump::ProgressPump(TfrmScope &scope) : m_scope(&scope)
{
    show = [this](qint64 done) { m_scope->Progress1()->setValue(int(done)); };
    m_clock.start();
}

bool ProgressPump::step(qint64 done)
{
    if (!m_scope)
        return false;
    if (m_clock.elapsed() >= kIntervalMs) {
        show(done);
        QCoreApplication::processEvents();
        m_clock.restart();
    }
    return m_scope && !m_scope->cancelled();
}

} // namespace ql708
